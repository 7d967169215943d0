// The tray's pure rules: reading notification blocks that may be hostile,
// merging modifies, tips, the grid and auto-size arithmetic, and docking.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tray_layout.h"
#include "tray_record.h"
#ifdef _WIN32  // the tip conversion uses the ANSI code page
#include "tray_tip.h"
#endif

using namespace holm::tray;

namespace {

// A notification block inside a larger buffer whose tail is garbage, so
// that reading past the block would show.
struct Block {
    std::vector<unsigned char> bytes = std::vector<unsigned char>(400, 0xAA);
    std::size_t size = 8;

    Block(std::uint32_t operation, const IconRecord& record, std::size_t recordBytes) {
        std::memset(bytes.data(), 0, 8);
        std::memcpy(&bytes[4], &operation, 4);
        std::memcpy(&bytes[8], &record, recordBytes);
        size = 8 + recordBytes;
    }
    std::optional<Notification> Read(std::uintptr_t id = 1) const { return ReadNotification(id, bytes.data(), size); }
};

IconRecord Record(std::uint32_t cbSize, std::uint32_t flags, const char* tip = "") {
    IconRecord r = {};
    r.cbSize = cbSize;
    r.hWnd = 0x1234;
    r.uID = 7;
    r.uFlags = flags;
    r.uCallbackMessage = 0x8001;
    r.hIcon = 0x5678;
    std::strncpy(reinterpret_cast<char*>(r.tip), tip, 63);
    return r;
}

IconRecord WideRecord(std::uint32_t flags, const char16_t* tip) {
    IconRecord r = Record(kRecordSize, flags);
    std::memcpy(r.tip, tip, std::char_traits<char16_t>::length(tip) * 2);
    return r;
}

const Metrics kMetrics = {16, 16, 6};
const Size kScreen = {1024, 768};

}  // namespace

TEST(TrayNotification, RejectsForeignIdsUnknownOperationsAndShortBlocks) {
    const IconRecord r = Record(kAnsiRecordSize, kNifIcon);
    EXPECT_TRUE(Block(0, r, 88).Read());
    EXPECT_FALSE(Block(0, r, 88).Read(0));
    EXPECT_FALSE(Block(0, r, 88).Read(2));
    EXPECT_FALSE(Block(3, r, 88).Read());
    EXPECT_FALSE(Block(0xFFFFFFFF, r, 88).Read());
    for (std::size_t size = 0; size < 12; ++size)
        EXPECT_FALSE(ReadNotification(1, Block(0, r, 88).bytes.data(), size)) << size;
    EXPECT_FALSE(ReadNotification(1, nullptr, 96));
}

TEST(TrayNotification, NeverReadsPastTheBlockWhateverCbSizeClaims) {
    for (std::uint32_t claimed : {88u, 152u, 1000u, 0xFFFFFFFFu}) {
        IconRecord r = Record(claimed, kNifIcon | kNifTip, "tip text");
        const auto n = Block(1, r, 20).Read();  // cbSize .. uFlags, and hIcon cut short
        ASSERT_TRUE(n) << claimed;
        EXPECT_EQ(n->operation, Operation::Modify);
        EXPECT_EQ(n->length, 20u);
        EXPECT_EQ(n->record.cbSize, std::min(claimed, kRecordSize));
        EXPECT_EQ(n->record.uFlags, kNifIcon | kNifTip);
        EXPECT_EQ(n->record.uCallbackMessage, 0x8001u);
        EXPECT_EQ(n->record.hIcon, 0u);
        EXPECT_EQ(AnsiTip(n->record), "");
        EXPECT_EQ(WideTip(n->record), u"");
    }
}

TEST(TrayNotification, UsesNoMoreThanCbSizeOfWhatWasSent) {
    IconRecord r = Record(16, kNifIcon | kNifTip | kNifMessage, "ignored");
    const auto n = Block(0, r, 152).Read();
    ASSERT_TRUE(n);
    EXPECT_EQ(n->length, 16u);
    EXPECT_EQ(n->record.uFlags, kNifIcon | kNifTip | kNifMessage);
    EXPECT_EQ(n->record.uCallbackMessage, 0u);
    EXPECT_EQ(n->record.hIcon, 0u);
    EXPECT_EQ(AnsiTip(n->record), "");
}

// Handles keep their 32-bit fields on the wire; a 64-bit shell widens them as
// Windows does (sign extension), so the value that comes back out is the one
// that went in.
TEST(TrayNotification, HandleFieldsWidenBySignExtensionAndRoundTrip) {
    using holm::tray::HandleToWire;
    using holm::tray::WireToHandle;
    EXPECT_EQ(WireToHandle(0x0001002Au), std::uintptr_t{0x0001002A});
    EXPECT_EQ(WireToHandle(0xFFFFFFFFu), ~std::uintptr_t{0});
    for (std::uint32_t bits : {0u, 0x1234u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFEu})
        EXPECT_EQ(HandleToWire(WireToHandle(bits)), bits);
}

TEST(TrayModify, KeepsTheStoredTipAndCallbackWhenTheModifyBringsNone) {
    IconRecord stored = WideRecord(kNifIcon | kNifTip | kNifMessage, u"wide tip");
    stored.hIcon = 0x99;  // the tray's copy
    IconRecord incoming = Record(kAnsiRecordSize, kNifIcon);
    incoming.uCallbackMessage = 0;
    incoming.hIcon = 0x4444;
    MergeModify(stored, incoming);
    EXPECT_EQ(stored.uFlags, kNifIcon | kNifTip | kNifMessage);
    EXPECT_EQ(stored.uCallbackMessage, 0x8001u);
    EXPECT_EQ(stored.cbSize, kRecordSize);
    EXPECT_EQ(WideTip(stored), u"wide tip");
    EXPECT_EQ(stored.hIcon, 0x99u);
}

TEST(TrayModify, TakesTheNewTipAndCallbackWhenGiven) {
    IconRecord stored = Record(kAnsiRecordSize, kNifIcon | kNifTip | kNifMessage, "old");
    IconRecord incoming = Record(kAnsiRecordSize, kNifTip | kNifMessage, "new");
    incoming.uCallbackMessage = 0x9000;
    MergeModify(stored, incoming);
    EXPECT_EQ(AnsiTip(stored), "new");
    EXPECT_EQ(stored.uCallbackMessage, 0x9000u);
    EXPECT_EQ(stored.uFlags, kNifTip | kNifMessage);
}

TEST(TrayTip, ReadsAtMost63CharactersOfAnUnterminatedTip) {
    IconRecord ansi = Record(kAnsiRecordSize, kNifTip);
    std::memset(ansi.tip, 'x', sizeof(ansi.tip));
    EXPECT_EQ(AnsiTip(ansi), std::string(63, 'x'));
    IconRecord wide = Record(kRecordSize, kNifTip);
    for (std::size_t i = 0; i < 64; ++i) std::memcpy(wide.tip + 2 * i, u"y", 2);
    EXPECT_EQ(WideTip(wide), std::u16string(63, u'y'));
#ifdef _WIN32
    EXPECT_EQ(ConvertTipToAnsi(wide), std::string(63, 'y'));
#endif
}

#ifdef _WIN32
TEST(TrayTip, WideTipBecomesAnsiOnceAndForAll) {
    IconRecord r = WideRecord(kNifTip, u"Caf\u00e9 tip");
    EXPECT_EQ(ConvertTipToAnsi(r), "Caf\xe9 tip");
    EXPECT_EQ(r.cbSize, kAnsiRecordSize);
    EXPECT_FALSE(r.WideTip());
    EXPECT_EQ(AnsiTip(r), "Caf\xe9 tip");
    EXPECT_EQ(ConvertTipToAnsi(r), "Caf\xe9 tip");
}
#endif

TEST(TrayGrid, ColumnsRowsAndCells) {
    EXPECT_EQ(ColumnsFor(0, 20, kMetrics), 1);
    EXPECT_EQ(ColumnsFor(5, 0, kMetrics), 1);
    EXPECT_EQ(ColumnsFor(5, 2 + 3 * 18, kMetrics), 3);
    EXPECT_EQ(ColumnsFor(2, 2 + 3 * 18, kMetrics), 2);
    EXPECT_EQ(RowsFor(0, 3), 1);
    EXPECT_EQ(RowsFor(7, 3), 3);
    const Cell c = CellOf(4, 3, kMetrics);
    EXPECT_EQ(c.left, 2 + 18);
    EXPECT_EQ(c.top, 2 + 18);
    EXPECT_EQ(c.right, 2 + 18 + 16);
    EXPECT_EQ(c.bottom, 2 + 18 + 16);
}

TEST(TrayGrid, HitTestFindsIconsButNotTheGapsOrEmptyCells) {
    // 5 icons in 3 columns and 2 rows.
    EXPECT_EQ(HitTest(2, 2, 3, 2, 5, kMetrics), 0);
    EXPECT_EQ(HitTest(17, 17, 3, 2, 5, kMetrics), 0);
    EXPECT_EQ(HitTest(18, 5, 3, 2, 5, kMetrics), -1);  // the gap after the first cell
    EXPECT_EQ(HitTest(20, 25, 3, 2, 5, kMetrics), 4);
    EXPECT_EQ(HitTest(40, 25, 3, 2, 5, kMetrics), -1);  // an empty cell
    EXPECT_EQ(HitTest(58, 5, 3, 2, 5, kMetrics), -1);   // past the last column
    EXPECT_EQ(HitTest(5, 40, 3, 2, 5, kMetrics), -1);   // past the last row
    EXPECT_EQ(HitTest(0, 0, 3, 2, 5, kMetrics), 0);     // the margin counts as the first cell
    EXPECT_EQ(HitTest(65535, 65535, 3, 2, 5, kMetrics), -1);
}

TEST(TrayAutoSize, EmptyRowAndColumnShapes) {
    // The last icon gone, the tray shrinks to its frame and one row's height.
    EXPECT_EQ(*AutoSizeFor(0, {20, 20}, false, kMetrics, kScreen), (Size{6, 6 + 16 + 2}));
    EXPECT_FALSE(AutoSizeFor(0, {0, 18}, false, kMetrics, kScreen));
    EXPECT_EQ(*AutoSizeFor(3, {20, 20}, false, kMetrics, kScreen), (Size{6 + 3 * 18 + 2, 6 + 16 + 4}));
    EXPECT_EQ(*AutoSizeFor(3, {20, 20}, true, kMetrics, kScreen), (Size{6 + 16 + 4, 6 + 3 * 18 + 2}));
    // A tray that is already several cells high and wide keeps its columns.
    EXPECT_EQ(*AutoSizeFor(5, {2 + 2 * 18, 2 + 2 * 18}, false, kMetrics, kScreen),
              (Size{6 + 2 + 2 * 18, 6 + 2 + 3 * 18}));
    EXPECT_FALSE(AutoSizeFor(1, {20, 20}, false, kMetrics, kScreen));
}

TEST(TrayAutoSize, SettlesAtOnceAndStaysOnTheScreen) {
    // Whatever auto-size chooses must fit at the next call, or WM_SIZE and
    // paint would resize the window again and again.
    const int screenCells = ((kScreen.width - kMetrics.frame - 2) / 18) * ((kScreen.height - kMetrics.frame - 2) / 18);
    for (bool vertical : {false, true}) {
        for (int count : {0, 1, 2, 7, 40, 56, 57, 300, 2400, 10000}) {
            for (Size client : {Size{20, 20}, Size{0, 18}, Size{200, 100}}) {
                const std::optional<Size> first = AutoSizeFor(count, client, vertical, kMetrics, kScreen);
                if (!first) continue;
                EXPECT_LE(first->width, kScreen.width);
                EXPECT_LE(first->height, kScreen.height);
                const Size settled = {first->width - kMetrics.frame, first->height - kMetrics.frame};
                const std::optional<Size> second = AutoSizeFor(count, settled, vertical, kMetrics, kScreen);
                if (second) {
                    // Only a tray with more icons than the screen holds may ask again,
                    // and then for the same size.
                    EXPECT_GT(count, screenCells) << (vertical ? "vertical" : "row");
                    EXPECT_EQ(*second, *first) << count << (vertical ? " vertical" : " row");
                }
            }
        }
    }
}

TEST(TrayDocking, EdgesWithinFivePixelsSnap) {
    const Size screen = {1024, 768};
    Dock d = DockAfterDrag({5, 300, 31, 326}, screen);
    EXPECT_EQ(d.x, 1);
    EXPECT_EQ(d.y, 0);
    d = DockAfterDrag({6, 5, 32, 31}, screen);
    EXPECT_EQ(d.x, 0);
    EXPECT_EQ(d.y, 1);
    d = DockAfterDrag({993, 737, 1019, 763}, screen);
    EXPECT_EQ(d.x, 2);
    EXPECT_EQ(d.y, 2);
    d = DockAfterDrag({992, 736, 1018, 762}, screen);
    EXPECT_EQ(d.x, 0);
    EXPECT_EQ(d.y, 0);
}

TEST(TrayDocking, DockedWindowFollowsItsEdges) {
    const Cell window = {300, 200, 380, 226};
    Point p = DockedPosition({2, 2}, window, {800, 600});
    EXPECT_EQ(p.x, 800 - 80);
    EXPECT_EQ(p.y, 600 - 26);
    p = DockedPosition({1, 0}, window, {800, 600});
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 200);
    p = DockedPosition({7, 1}, window, {800, 600});  // an unknown value counts as free
    EXPECT_EQ(p.x, 300);
    EXPECT_EQ(p.y, 0);
}
