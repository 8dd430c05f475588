// A stand-in for the display-settings dialog: a window holding a magenta preview box (any part
// the preview fails to cover shows).   preview_host CAPTION WIDTH HEIGHT LEFT TOP
#include <windows.h>

#include <cstdlib>

namespace {

HWND box = nullptr;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY && window != box) PostQuitMessage(0);  // the host, not its box
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    if (__argc < 6) return 2;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &HostProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = CreateSolidBrush(RGB(255, 0, 255));
    windowClass.lpszClassName = L"SpindlePreviewBox";
    RegisterClassW(&windowClass);
    const int width = _wtoi(__wargv[2]), height = _wtoi(__wargv[3]);
    HWND host = CreateWindowExW(0, L"SpindlePreviewBox", __wargv[1], WS_POPUP | WS_VISIBLE, _wtoi(__wargv[4]),
                                _wtoi(__wargv[5]), width + 40, height + 40, nullptr, nullptr, instance, nullptr);
    box = CreateWindowExW(0, L"SpindlePreviewBox", L"box", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20, width,
                          height, host, nullptr, instance, nullptr);
    if (!box) return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}
