// Stages one view of the saver for scripts/screenshots.sh and says where on the screen it is.
//   release_screenshot_helper REPORT saver|preview|dialog
// Writes "ready X Y W H" (screen pixels) to REPORT once the view is up, or "none" when this build
// does not show it; then keeps the view until REPORT.done exists (at most a minute) and closes it.
#include <windows.h>

#include <cstdio>
#include <string>

#include "support/launched_process_win.h"

namespace {

using spindle::test::LaunchedProcess;
using spindle::test::PumpMessages;
using spindle::test::WaitUntil;

void Report(const std::wstring& path, const std::string& line) {
    FILE* file = _wfopen((path + L".tmp").c_str(), L"wb");
    if (!file) return;
    std::fputs((line + "\n").c_str(), file);
    std::fclose(file);
    // Renamed into place, so the script never reads half a line.
    MoveFileExW((path + L".tmp").c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

// Lets the view draw a few frames (and the dialog finish its opening zoom), reports where `shown`
// is, and keeps it up until the script has taken its picture.
void ShowUntilDone(const std::wstring& path, HWND shown, DWORD settleMilliseconds) {
    WaitUntil(
        [] {
            PumpMessages();
            return false;
        },
        settleMilliseconds);
    RECT rect{};
    GetWindowRect(shown, &rect);
    char line[96];
    std::snprintf(line, sizeof line, "ready %ld %ld %ld %ld", rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top);
    Report(path, line);
    const std::wstring done = path + L".done";
    WaitUntil(
        [&] {
            PumpMessages();
            return GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES;
        },
        60000);
}

int ShowTopLevel(const std::wstring& report, const wchar_t* arguments, const wchar_t* caption) {
    LaunchedProcess saver(spindle::test::SaverPath(), arguments);
    HWND window = saver.WaitForWindow(caption, 15000);
    if (!window || !WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, 10000)) {
        Report(report, "none");
        return 0;
    }
    ShowUntilDone(report, window, 3000);
    PostMessageW(window, WM_CLOSE, 0, 0);
    saver.WaitForExit(5000);
    return 0;
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) return 0;
    return DefWindowProcW(window, message, wParam, lParam);
}

// A stand-in for the display-settings dialog: a window with a 152 x 112 preview box in it.
int ShowPreview(const std::wstring& report) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &HostProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = L"SpindlewavePreviewHost";
    RegisterClassW(&windowClass);
    HWND host = CreateWindowExW(0, windowClass.lpszClassName, L"Preview host", WS_POPUP | WS_VISIBLE, 100, 100,
                                232, 192, nullptr, nullptr, windowClass.hInstance, nullptr);
    HWND box = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 40, 40, 152, 112, host,
                               nullptr, windowClass.hInstance, nullptr);
    PumpMessages();
    wchar_t arguments[64];
    std::swprintf(arguments, 64, L"/p %llu", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(box)));
    LaunchedProcess preview(spindle::test::SaverPath(), arguments);
    bool planted = WaitUntil(
        [&] {
            PumpMessages();
            return GetWindow(box, GW_CHILD) != nullptr;
        },
        15000);
    if (!planted) {
        Report(report, "none");
        DestroyWindow(host);
        return 0;
    }
    ShowUntilDone(report, box, 2000);
    DestroyWindow(host);
    preview.WaitForExit(5000);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    if (argc != 3) {
        std::fputs("usage: release_screenshot_helper REPORT saver|preview|dialog\n", stderr);
        return 2;
    }
    std::wstring report = argv[1];
    std::wstring view = argv[2];
    if (view == L"saver") return ShowTopLevel(report, L"/s", L"Spindlewave_Main");
    if (view == L"dialog") return ShowTopLevel(report, L"/c", L"Spindlewave_Setting");
    if (view == L"preview") return ShowPreview(report);
    Report(report, "none");
    return 2;
}
