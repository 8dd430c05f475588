// Screen metrics, read afresh at each use.
#include "runtime/screen_win.h"

#include <windows.h>

#include "runtime/scoped_gdi_win.h"

namespace spindle {
namespace {

int ScreenDpi(int axis) {
    ScopedWindowDC screen(nullptr);
    int dpi = screen.get() ? GetDeviceCaps(screen.get(), axis) : 96;
    return dpi > 0 ? dpi : 96;
}

}  // namespace

int ScreenDpiX() { return ScreenDpi(LOGPIXELSX); }
int ScreenDpiY() { return ScreenDpi(LOGPIXELSY); }
double TwipsPerPixelX() { return 1440.0 / ScreenDpiX(); }
double TwipsPerPixelY() { return 1440.0 / ScreenDpiY(); }
double ScreenWidthTwips() { return GetSystemMetrics(SM_CXSCREEN) * TwipsPerPixelX(); }
double ScreenHeightTwips() { return GetSystemMetrics(SM_CYSCREEN) * TwipsPerPixelY(); }

}  // namespace spindle
