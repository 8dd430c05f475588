// Reads pixels back for tests: the screen, the part a window covers, any DC, or a bitmap.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace spindle::test {

// Pixels as 0x00RRGGBB, top row first; empty when nothing could be read.
struct ScreenPixels {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// A rectangle of `source` (the screen's DC when null).
ScreenPixels CaptureDc(HDC source, int left, int top, int width, int height);
ScreenPixels CaptureScreen();
ScreenPixels CaptureWindow(HWND window);
// A bitmap's pixels (it must not be selected into a DC).
ScreenPixels PixelsOfBitmap(HBITMAP bitmap);

}  // namespace spindle::test
