#include "support/screen_pixels_win.h"

#include "runtime/scoped_gdi_win.h"
#include "runtime/surface_win.h"

namespace spindle::test {

ScreenPixels CaptureDc(HDC source, int left, int top, int width, int height) {
    ScreenPixels shot;
    ScopedWindowDC screen(nullptr);
    if (!source) source = screen.get();
    ScopedMemoryDC memory(source);
    std::uint32_t* bits = nullptr;
    ScopedBitmap dib = CreateTopDownDib(source, width, height, bits);
    if (!memory.get() || !dib) return shot;
    {
        ScopedSelectObject select(memory.get(), dib.get());
        if (!BitBlt(memory.get(), 0, 0, width, height, source, left, top, SRCCOPY)) return shot;
    }
    GdiFlush();
    shot.width = width;
    shot.height = height;
    shot.pixels.assign(bits, bits + static_cast<std::size_t>(width) * height);
    for (auto& pixel : shot.pixels) pixel &= 0xFFFFFF;
    return shot;
}

ScreenPixels CaptureScreen() {
    return CaptureDc(nullptr, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

ScreenPixels CaptureWindow(HWND window) {
    RECT rect{};
    if (!GetWindowRect(window, &rect)) return {};
    return CaptureDc(nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

ScreenPixels PixelsOfBitmap(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return {};
    ScopedMemoryDC memory(nullptr);
    ScopedSelectObject select(memory.get(), bitmap);
    return CaptureDc(memory.get(), 0, 0, info.bmWidth, info.bmHeight);
}

}  // namespace spindle::test
