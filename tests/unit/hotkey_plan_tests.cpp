// The special hotkeys as stored: decoding, defaults by platform, values that
// turn hotkeys off, and the conflict messages.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "holm_names.h"
#include "hotkey_plan.h"

using namespace holm::hotkeys;

namespace {

constexpr unsigned kEscape = 0x1B, kF1 = 0x70, kF11 = 0x7A;

struct Stored {
    std::map<std::string, std::uint32_t> values;
    ValueLookup Lookup() const {
        return [this](const char* name) -> std::optional<std::uint32_t> {
            auto it = values.find(name);
            if (it == values.end()) return std::nullopt;
            return it->second;
        };
    }
};

std::vector<int> Ids(const std::vector<Registration>& plan) {
    std::vector<int> ids;
    for (const Registration& r : plan) ids.push_back(r.id);
    return ids;
}

}  // namespace

TEST(HotkeyValue, DecodesKeyAndModifiersIgnoringOtherBits) {
    EXPECT_EQ(*DecodeHotkey(8219), (Combo{kModShift, kEscape}));
    EXPECT_EQ(*DecodeHotkey(24603), (Combo{kModShift | kModControl, kEscape}));
    EXPECT_EQ(*DecodeHotkey(0x8000 + 0x70), (Combo{kModAlt, kF1}));
    EXPECT_EQ(*DecodeHotkey(0xFFFFFF00u | kF11), (Combo{kModShift | kModControl | kModAlt, kF11}));
    EXPECT_EQ(*DecodeHotkey(0xFFFF1F00u | kF11), (Combo{0, kF11}));
    EXPECT_FALSE(DecodeHotkey(0));
    EXPECT_FALSE(DecodeHotkey(0xE000));  // modifiers alone are off
}

TEST(HotkeyPlan, WithoutTheKeyOnlyTheBuiltInHotkeysWithTheirOwnTexts) {
    Stored none;
    const auto nt = PlanHotkeys(false, none.Lookup(), true);
    ASSERT_EQ(Ids(nt), (std::vector<int>{holm::kHotkeyInitMenu, holm::kHotkeyWindowList, holm::kHotkeyRun}));
    EXPECT_EQ(nt[0].combo, (Combo{kModShift, kEscape}));
    EXPECT_STREQ(nt[0].conflictText, "Conflict with Shift-Escape hotkey");
    EXPECT_EQ(nt[1].combo, (Combo{kModControl, kEscape}));
    EXPECT_STREQ(nt[1].conflictText, "Conflict with Control-Esc hotkey");
    EXPECT_EQ(nt[2].combo, (Combo{0, kF11}));
    EXPECT_STREQ(nt[2].conflictText, "Conflict with F11 hotkey");

    const auto w95 = PlanHotkeys(false, none.Lookup(), false);
    ASSERT_EQ(Ids(w95), (std::vector<int>{holm::kHotkeyInitMenu, holm::kHotkeyWindowList, holm::kHotkeyRun}));
    EXPECT_EQ(w95[1].combo, (Combo{kModControl | kModShift, kEscape}));
    EXPECT_STREQ(w95[1].conflictText, "Conflict with Control-Shift-Esc hotkey");
}

TEST(HotkeyPlan, AnEmptyKeyGivesTheDefaultsWithThePerValueTexts) {
    Stored empty;
    const auto plan = PlanHotkeys(true, empty.Lookup(), true);
    ASSERT_EQ(Ids(plan), (std::vector<int>{holm::kHotkeyInitMenu, holm::kHotkeyWindowList, holm::kHotkeyRun}));
    EXPECT_STREQ(plan[0].conflictText, "'Init Menu' hotkey conflicted with another hotkey");
    EXPECT_STREQ(plan[1].conflictText, "'Window Menu' hotkey conflicted with another hotkey");
    EXPECT_STREQ(plan[2].conflictText, "'Run' hotkey conflicted with another hotkey");
    EXPECT_EQ(PlanHotkeys(true, empty.Lookup(), false)[1].combo, (Combo{kModControl | kModShift, kEscape}));
}

TEST(HotkeyPlan, StoredValuesInTableOrderAndZeroTurnsAnyOff) {
    Stored s;
    s.values = {{"Init Menu", 0}, {"Window List", 0}, {"Run", 0},           {"Configure HOLM", 0x4000 | 'C'},
                {"ShowHide Tray", 0x8070}, {"Logoff", 0x2000 | 'L'}, {"Shutdown", 0x7B}, {"Reboot", 0x6000 | 'R'}};
    const auto plan = PlanHotkeys(true, s.Lookup(), true);
    ASSERT_EQ(Ids(plan), (std::vector<int>{holm::kHotkeyConfigure, holm::kHotkeyToggleTray, holm::kHotkeyLogoff, holm::kHotkeyShutdown, holm::kHotkeyReboot}));
    EXPECT_EQ(plan[0].combo, (Combo{kModControl, 'C'}));
    EXPECT_EQ(plan[1].combo, (Combo{kModAlt, kF1}));
    EXPECT_EQ(plan[4].combo, (Combo{kModControl | kModShift, 'R'}));
    EXPECT_STREQ(plan[3].conflictText, "'Shutdown' hotkey conflicted with another hotkey");
}

TEST(HotkeyPlan, OnlyTheConfigureMessageStaysInTheBackground) {
    Stored s;
    s.values = {{"Configure HOLM", 'C'}, {"ShowHide Tray", 'T'}, {"Logoff", 'L'}, {"Shutdown", 'S'}, {"Reboot", 'R'}};
    for (const Registration& r : PlanHotkeys(true, s.Lookup(), true)) EXPECT_EQ(r.foreground, r.id != holm::kHotkeyConfigure) << r.id;
    for (const Registration& r : PlanHotkeys(false, s.Lookup(), true)) EXPECT_TRUE(r.foreground);
}

TEST(HotkeyControlValues, TurnIntoTheStoredFormatAndBack) {
    // Shift+Escape, Control+Shift+Escape, Alt+F1 as the hotkey control gives them.
    EXPECT_EQ(StoredFromControl(0x011B), 8219u);
    EXPECT_EQ(StoredFromControl(0x031B), 24603u);
    EXPECT_EQ(StoredFromControl(0x0470), 32880u);
    EXPECT_EQ(StoredFromControl(0x0870), 0x70u);  // the extended-key flag is not stored
    EXPECT_EQ(StoredFromControl(0x0300), 0u);     // modifiers without a key: off
    EXPECT_EQ(ControlFromStored(8219), 0x011Bu);
    EXPECT_EQ(ControlFromStored(0xE000 | 'K'), 0x0700u | 'K');
    EXPECT_EQ(ControlFromStored(0x1F00 | 0x6000), 0u);  // no key: empty control
    EXPECT_EQ(ControlFromStored(0xFFFF0000u | 0x201B), 0x011Bu);
}
