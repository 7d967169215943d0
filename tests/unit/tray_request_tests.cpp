// Reading Wine's notification block, checked against the block as Wine's
// shell32 declares it, and the choice between the two layouts.
#include <gtest/gtest.h>

#include "tray_request.h"
#include "wine_notify_block.h"

using namespace holm::tray;
using holmtest::CopyWide;
using holmtest::WineBlock;
using holmtest::WineNotifyData;

namespace {

WineNotifyData IconData(std::uint32_t width, std::uint32_t height, std::uint32_t bpp) {
    WineNotifyData d = {};
    d.hWnd = -0x1234;  // a handle whose top bit is set
    d.uID = 7;
    d.uFlags = kNifIcon | kNifMessage | kNifTip;
    d.uCallbackMessage = 0x8001;
    CopyWide(d.szTip, 128, u"Wide tip \u00e9");
    d.width = width;
    d.height = height;
    d.planes = width ? 1 : 0;  // Wine leaves all four zero when it finds no icon
    d.bpp = bpp;
    return d;
}

std::vector<std::uint8_t> Counting(std::size_t n) {
    std::vector<std::uint8_t> bytes(n);
    for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
    return bytes;
}

std::optional<TrayRequest> Read(std::uintptr_t id, const std::vector<std::uint8_t>& block, std::string& why) {
    return ReadTrayBlock(id, block.data(), block.size(), why);
}

}  // namespace

TEST(WineTrayBlock, ASixteenPixelTrueColourIconIsTheMeasuredSizeAndReadsBack) {
    // Measured under Wine 8.0: 2016 bytes for a 16x16 icon of 32 bits.
    const std::vector<std::uint8_t> pixels = Counting(32 + 1024);
    const std::vector<std::uint8_t> block = WineBlock(IconData(16, 16, 32), pixels);
    ASSERT_EQ(block.size(), 2016u);
    std::string why;
    const std::optional<TrayRequest> r = Read(0, block, why);
    ASSERT_TRUE(r) << why;
    EXPECT_EQ(r->kind, RequestKind::Add);
    EXPECT_EQ(r->record.hWnd, 0xFFFFEDCCu);
    EXPECT_EQ(r->record.uID, 7u);
    EXPECT_EQ(r->record.uCallbackMessage, 0x8001u);
    EXPECT_EQ(r->record.hIcon, 0u);
    EXPECT_EQ(WideTip(r->record), u"Wide tip \u00e9");
    ASSERT_TRUE(r->bits);
    EXPECT_EQ(r->bits->mask, std::vector<std::uint8_t>(pixels.begin(), pixels.begin() + 32));
    EXPECT_EQ(r->bits->colour, std::vector<std::uint8_t>(pixels.begin() + 32, pixels.end()));
}

TEST(WineTrayBlock, RowsOfOddWidthArePaddedToWholeWordsAndZeroFilled) {
    // 5x3 at 8 bits: Wine sends round(15 bits) = 2 mask bytes and 16 colour
    // bytes; a bitmap wants rows of 2 and 6 bytes.
    const std::vector<std::uint8_t> block = WineBlock(IconData(5, 3, 8), Counting(2 + 16));
    std::string why;
    const std::optional<TrayRequest> r = Read(1, block, why);
    ASSERT_TRUE(r) << why;
    ASSERT_EQ(r->bits->mask.size(), 6u);
    ASSERT_EQ(r->bits->colour.size(), 18u);
    EXPECT_EQ(r->bits->mask[1], Counting(2)[1]);
    EXPECT_EQ(r->bits->mask[5], 0);
    EXPECT_EQ(r->bits->colour[15], Counting(18)[17]);
    EXPECT_EQ(r->bits->colour[17], 0);
}

TEST(WineTrayBlock, OnlyExactSizesAndSaneIconsAreAccepted) {
    std::string why;
    WineNotifyData d = IconData(16, 16, 32);
    std::vector<std::uint8_t> block = WineBlock(d, Counting(1056));
    for (std::size_t size : {block.size() - 1, block.size() + 1, std::size_t{960}, std::size_t{959}}) {
        std::vector<std::uint8_t> cut(block);
        cut.resize(size);
        why.clear();
        EXPECT_FALSE(ReadWineNotification(0, cut.data(), cut.size(), why)) << size;
        EXPECT_FALSE(why.empty());
    }
    EXPECT_FALSE(Read(5, block, why));  // no such operation
    d.planes = 2;
    EXPECT_FALSE(Read(0, WineBlock(d, Counting(32 + 2048)), why));
    d = IconData(300, 1, 1);
    EXPECT_FALSE(Read(0, WineBlock(d, Counting(38 + 38)), why));
    d = IconData(16, 16, 3);
    EXPECT_FALSE(Read(0, WineBlock(d, Counting(32 + 96)), why));
    EXPECT_NE(why.find("bits per pixel"), std::string::npos);

    // Without NIF_ICON, or with an icon the sender could not read, the fixed part alone.
    d = IconData(0, 0, 0);
    d.uFlags = kNifTip;
    EXPECT_TRUE(Read(2, WineBlock(d), why));
    EXPECT_FALSE(Read(2, WineBlock(d, Counting(2)), why));
    d.uFlags = kNifIcon;
    const std::optional<TrayRequest> noPicture = Read(0, WineBlock(d), why);
    ASSERT_TRUE(noPicture);
    EXPECT_FALSE(noPicture->bits);
}

TEST(WineTrayBlock, StateVersionAndBalloonTravelWithTheRequest) {
    WineNotifyData d = IconData(0, 0, 0);
    d.uFlags = kNifState | kNifInfo;
    d.dwState = kNisHidden;
    d.dwStateMask = kNisHidden;
    CopyWide(d.szInfo, 256, u"Body text");
    CopyWide(d.szInfoTitle, 64, u"Title");
    d.uTimeoutOrVersion = 5000;
    d.dwInfoFlags = kBalloonWarning;
    std::string why;
    std::optional<TrayRequest> r = Read(1, WineBlock(d), why);
    ASSERT_TRUE(r) << why;
    EXPECT_EQ(HiddenAfter(*r), std::optional<bool>(true));
    ASSERT_TRUE(r->balloon);
    EXPECT_EQ(r->balloon->title, u"Title");
    EXPECT_EQ(r->balloon->text, u"Body text");
    EXPECT_EQ(r->balloon->timeoutMs, 5000u);
    EXPECT_EQ(r->balloon->flags & kBalloonIconMask, kBalloonWarning);

    d.dwState = 0;
    EXPECT_EQ(HiddenAfter(*Read(1, WineBlock(d), why)), std::optional<bool>(false));
    d.dwStateMask = 0;  // the state is not about hiding
    EXPECT_EQ(HiddenAfter(*Read(1, WineBlock(d), why)), std::nullopt);

    d = IconData(0, 0, 0);
    d.uFlags = 0;
    d.uTimeoutOrVersion = 4;
    r = Read(kNimSetVersion, WineBlock(d), why);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->kind, RequestKind::SetVersion);
    EXPECT_EQ(r->version, 4u);
    EXPECT_FALSE(r->balloon);
}

TEST(WineTrayBlock, TheWindowsLayoutIsStillReadAndAnythingElseIsRefusedWithAReason) {
    IconRecord record = {};
    record.cbSize = kAnsiRecordSize;
    record.hWnd = 0x10;
    record.uID = 3;
    record.uFlags = kNifIcon;
    record.hIcon = 0x20;
    std::vector<std::uint8_t> block(8 + kAnsiRecordSize, 0);
    block[4] = 2;  // delete
    std::memcpy(block.data() + 8, &record, kAnsiRecordSize);
    std::string why;
    const std::optional<TrayRequest> r = Read(kNotifyCopyDataId, block, why);
    ASSERT_TRUE(r) << why;
    EXPECT_EQ(r->kind, RequestKind::Delete);
    EXPECT_EQ(r->record.hIcon, 0x20u);
    EXPECT_FALSE(r->bits);

    // A large block under id 1 is Wine's modify gone wrong, never the Windows layout.
    std::vector<std::uint8_t> large(block);
    large.resize(kWineFixedSize + 4);
    why.clear();
    EXPECT_FALSE(Read(kNotifyCopyDataId, large, why));
    EXPECT_FALSE(why.empty());

    block[4] = 3;  // the Windows layout knows three operations
    EXPECT_FALSE(Read(kNotifyCopyDataId, block, why));
    EXPECT_FALSE(why.empty());
    why.clear();
    EXPECT_FALSE(Read(7, block, why));
    EXPECT_FALSE(why.empty());
}
