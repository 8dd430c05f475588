// The dialog placed at each monitor's DPI, and moved from monitor to monitor.
#include "settings_dialog/dialog_layout.h"

#include <gtest/gtest.h>

#include <iterator>
#include <tuple>
#include <vector>

namespace spindle {
namespace {

TEST(DialogLayout, ThePartsAtEachScale) {
    const std::tuple<int, PixelExtent, PlacedRect, PlacedRect, PlacedRect, int> cases[] = {
        // dpi, client, 「設定」, the speed bar, the no-music mark, the mark's size
        {96, {465, 193}, {284, 144, 365, 169}, {320, 32, 389, 49}, {36, 56, 49, 69}, 12},
        {120, {581, 241}, {355, 180, 456, 211}, {400, 40, 486, 61}, {45, 70, 61, 86}, 15},
        {144, {698, 290}, {426, 216, 548, 254}, {480, 48, 584, 74}, {54, 84, 74, 104}, 18},
        {192, {930, 386}, {568, 288, 730, 338}, {640, 64, 778, 98}, {72, 112, 98, 138}, 24},
    };
    for (const auto& [dpi, client, save, speedBar, noMusicMark, mark] : cases) {
        EXPECT_EQ(std::tuple(DialogClientAt(dpi), PlaceAt(kCmdSetDesign, dpi), PlaceAt(kSpeedBarDesign, dpi),
                             PlaceAt(kImgBgmDesign[0], dpi), MarkPixelsAt(dpi)),
                  std::tuple(client, save, speedBar, noMusicMark, mark))
            << dpi;
    }
    const PixelExtent at96 = DialogClientAt(96), at192 = DialogClientAt(192);
    EXPECT_EQ(at192, (PixelExtent{2 * at96.width, 2 * at96.height}));
}

// Dragged across monitors of 100 %, 150 %, 125 % and 200 % and back: at every stop each part lies
// inside the client area (Pic_1's own inside Pic_1's), and back at 100 % it is where it started.
TEST(DialogLayout, MovedBetweenMonitorsItNeverDrifts) {
    const DesignRect parts[] = {kPic1Design,   kCmdSetDesign,   kCmdCanDesign,   kCreditDesign,
                                kUrlDesign,    kBgmFrameDesign, kLblBgmDesign[2], kRepeatBoxDesign,
                                kCmdBgmDesign, kFileNameDesign, kSpeedBarDesign, kSpeedCaptionDesign};
    std::vector<PlacedRect> first;
    for (int dpi : {96, 144, 120, 192, 96, 144, 96}) {
        const PixelExtent client = DialogClientAt(dpi);
        for (std::size_t i = 0; i < std::size(parts); ++i) {
            const PlacedRect placed = PlaceAt(parts[i], dpi);
            EXPECT_TRUE(placed.left <= placed.right && placed.right <= client.width && placed.bottom <= client.height)
                << dpi << " " << i;
            if (first.size() < std::size(parts)) first.push_back(placed);
            if (dpi == 96) {
                EXPECT_EQ(placed, first[i]) << i;
            }
        }
    }
}

}  // namespace
}  // namespace spindle
