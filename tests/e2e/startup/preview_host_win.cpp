// A small stand-in for the display-settings dialog: a window holding a preview box of a given
// size, coloured magenta so that any part the preview fails to cover shows.
//   preview_host CAPTION WIDTH HEIGHT [LEFT TOP]
// Messages from the test: WM_APP destroys the box (the host closing it), WM_CLOSE ends the host.
#include <windows.h>

#include <cstdlib>

namespace {

HWND box = nullptr;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_APP:
        if (box) DestroyWindow(box);
        box = nullptr;
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK BoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    if (__argc < 4) return 2;
    const int width = _wtoi(__wargv[2]), height = _wtoi(__wargv[3]);
    const int left = __argc > 5 ? _wtoi(__wargv[4]) : 0, top = __argc > 5 ? _wtoi(__wargv[5]) : 0;
    WNDCLASSW hostClass{};
    hostClass.lpfnWndProc = &HostProc;
    hostClass.hInstance = instance;
    hostClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    hostClass.lpszClassName = L"SpindlePreviewHost";
    RegisterClassW(&hostClass);
    WNDCLASSW boxClass{};
    boxClass.lpfnWndProc = &BoxProc;
    boxClass.hInstance = instance;
    boxClass.hbrBackground = CreateSolidBrush(RGB(255, 0, 255));
    boxClass.lpszClassName = L"SpindlePreviewBox";
    RegisterClassW(&boxClass);

    HWND host = CreateWindowExW(0, L"SpindlePreviewHost", __wargv[1], WS_POPUP | WS_VISIBLE, left, top, width + 40,
                                height + 40, nullptr, nullptr, instance, nullptr);
    box = CreateWindowExW(0, L"SpindlePreviewBox", L"box", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20, width,
                          height, host, nullptr, instance, nullptr);
    if (!host || !box) return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
