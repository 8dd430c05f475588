// The zoom effects on real windows: GetWindowRect and DrawAnimatedRects with the caption outline.
#pragma once

#include <windows.h>

#include <optional>

#include "settings_dialog/zoom.h"

namespace spindle {

class Win32ZoomPort : public ZoomPort {
public:
    explicit Win32ZoomPort(HWND window) : window_(window) {}
    ScreenRect WindowRect() override;
    void DrawAnimatedRects(int kind, const ScreenRect& from, const ScreenRect& to) override;

private:
    HWND window_;
};

// The mouse position from GetCursorPos, or nothing when the call fails.
std::optional<ScreenPoint> CursorPosition();

void ZoomWindowOpen(HWND window);
void ZoomWindowClose(HWND window);

}  // namespace spindle
