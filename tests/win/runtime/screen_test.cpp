// Screen metrics: twips follow the DPI, and the screen size in twips is pixels times the factor.
#include "runtime/screen_win.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace spindle {
namespace {

TEST(Screen, TwipsPerPixelFollowTheDpi) {
    HDC screen = GetDC(nullptr);
    int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    EXPECT_DOUBLE_EQ(TwipsPerPixelX(), 1440.0 / dpiX);
    EXPECT_DOUBLE_EQ(ScreenWidthTwips(), GetSystemMetrics(SM_CXSCREEN) * TwipsPerPixelX());
    EXPECT_DOUBLE_EQ(ScreenHeightTwips(), GetSystemMetrics(SM_CYSCREEN) * TwipsPerPixelY());
}

}  // namespace
}  // namespace spindle
