// Starts Spindlewave.scr (or another program) for an end-to-end test and makes sure it is gone
// afterwards, whatever the test's outcome.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace spindle::test {

// The saver under test as a Windows path, and its folder (where its settings file lives).
std::wstring SaverPath();
std::wstring SaverFolder();
// A file beside this test program (the helper programs are built there).
std::wstring BesideThisProgram(const std::wstring& name);

// How long a started program may take to show its window under Wine.
inline constexpr DWORD kStartTimeout = 15000;

class LaunchedProcess {
public:
    // Starts "program" arguments; the command line is `"program" arguments`.
    LaunchedProcess(const std::wstring& program, const std::wstring& arguments);
    ~LaunchedProcess();
    LaunchedProcess(const LaunchedProcess&) = delete;
    LaunchedProcess& operator=(const LaunchedProcess&) = delete;

    // True when the process ended within the time; its exit code is then in ExitCode().
    bool WaitForExit(DWORD milliseconds);
    DWORD ExitCode() const;
    bool Running() const;
    void Kill();
    HANDLE Handle() const { return process_; }  // null when it never started
    // A visible or hidden top-level window of this process with the given caption, waited for.
    HWND WaitForWindow(const std::wstring& caption, DWORD milliseconds) const;
    // Every visible top-level window of this process with the given caption, now.
    std::vector<HWND> VisibleWindows(const std::wstring& caption) const { return Windows(caption, true); }

private:
    std::vector<HWND> Windows(const std::wstring& caption, bool visibleOnly = false) const;
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// Polls `condition` every 20 ms until it holds or the time is up.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD milliseconds) {
    for (DWORD start = GetTickCount(); !condition(); Sleep(20))
        if (GetTickCount() - start > milliseconds) return false;
    return true;
}

// Dispatches this thread's pending messages (for windows that must stay responsive).
void PumpMessages();

}  // namespace spindle::test
