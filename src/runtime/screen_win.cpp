// Screen metrics, read afresh at each use.
#include "runtime/screen_win.h"

#include <windows.h>

#include "runtime/scoped_gdi_win.h"

namespace spindle {
namespace {

double TwipsPerPixel(int axis) {
    ScopedWindowDC screen(nullptr);
    int dpi = screen.get() ? GetDeviceCaps(screen.get(), axis) : 96;
    if (dpi <= 0) dpi = 96;
    return 1440.0 / dpi;
}

}  // namespace

double TwipsPerPixelX() { return TwipsPerPixel(LOGPIXELSX); }
double TwipsPerPixelY() { return TwipsPerPixel(LOGPIXELSY); }
double ScreenWidthTwips() { return GetSystemMetrics(SM_CXSCREEN) * TwipsPerPixelX(); }
double ScreenHeightTwips() { return GetSystemMetrics(SM_CYSCREEN) * TwipsPerPixelY(); }

}  // namespace spindle
