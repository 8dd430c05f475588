// The dialog placed at each monitor's DPI, and moved from monitor to monitor.
#include "settings_dialog/dialog_layout.h"

#include <gtest/gtest.h>

#include <iterator>

namespace spindle {
namespace {

TEST(DialogLayout, ThePartsAtEachScale) {
    struct Case {
        int dpi;
        PixelExtent client;
        PlacedRect save, speedBar, noMusicMark;
        int mark;
    } cases[] = {
        {96, {465, 193}, {284, 144, 365, 169}, {320, 32, 389, 49}, {36, 56, 49, 69}, 12},
        {120, {581, 241}, {355, 180, 456, 211}, {400, 40, 486, 61}, {45, 70, 61, 86}, 15},
        {144, {698, 290}, {426, 216, 548, 254}, {480, 48, 584, 74}, {54, 84, 74, 104}, 18},
        {192, {930, 386}, {568, 288, 730, 338}, {640, 64, 778, 98}, {72, 112, 98, 138}, 24},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DialogClientAt(c.dpi), c.client) << c.dpi;
        EXPECT_EQ(PlaceAt(kCmdSetDesign, c.dpi), c.save) << c.dpi;
        EXPECT_EQ(PlaceAt(kSpeedBarDesign, c.dpi), c.speedBar) << c.dpi;
        EXPECT_EQ(PlaceAt(kImgBgmDesign[0], c.dpi), c.noMusicMark) << c.dpi;
        EXPECT_EQ(MarkPixelsAt(c.dpi), c.mark) << c.dpi;
    }
    const PixelExtent at96 = DialogClientAt(96), at192 = DialogClientAt(192);
    EXPECT_EQ(at192, (PixelExtent{2 * at96.width, 2 * at96.height}));
}

// Dragged across monitors of 100 %, 150 %, 125 % and 200 % and back: at every stop each part is
// where a dialog opened there would have it, so it never drifts.
TEST(DialogLayout, MovedBetweenMonitorsItNeverDrifts) {
    const DesignRect parts[] = {kPic1Design,      kCmdSetDesign,    kCmdCanDesign,   kCreditDesign,
                                kUrlDesign,       kBgmFrameDesign,  kLblBgmDesign[2], kRepeatBoxDesign,
                                kCmdBgmDesign,    kFileNameDesign,  kSpeedBarDesign, kSpeedCaptionDesign};
    PlacedRect first[std::size(parts)];
    for (std::size_t i = 0; i < std::size(parts); ++i) first[i] = PlaceAt(parts[i], 96);
    for (int dpi : {144, 120, 192, 96, 144, 96}) {
        for (std::size_t i = 0; i < std::size(parts); ++i) {
            const PlacedRect placed = PlaceAt(parts[i], dpi);
            EXPECT_LE(placed.left, placed.right) << dpi << " " << i;
            if (dpi == 96) {
                EXPECT_EQ(placed, first[i]) << i;
            }
            // Every part lies inside the client area (Pic_1's own inside Pic_1's).
            const PixelExtent client = DialogClientAt(dpi);
            EXPECT_TRUE(placed.right <= client.width && placed.bottom <= client.height) << dpi << " " << i;
        }
    }
}

}  // namespace
}  // namespace spindle
