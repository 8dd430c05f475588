// A stand-in for the display-settings dialog: a window "host" holding a magenta 152 x 112 preview
// box (any part the preview fails to cover shows).
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &DefWindowProcW;  // runs until the test ends it
    windowClass.hInstance = instance;
    windowClass.hbrBackground = CreateSolidBrush(RGB(255, 0, 255));
    windowClass.lpszClassName = L"SpindlePreviewBox";
    RegisterClassW(&windowClass);
    HWND host = CreateWindowExW(0, L"SpindlePreviewBox", L"host", WS_POPUP | WS_VISIBLE, 0, 0, 192, 152, nullptr,
                                nullptr, instance, nullptr);
    if (!CreateWindowExW(0, L"SpindlePreviewBox", L"box", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20, 152, 112,
                         host, nullptr, instance, nullptr)) {
        return 1;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}
