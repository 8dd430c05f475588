#include "support/launched_process_win.h"

#include "saver_path.h"

namespace spindle::test {
static std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }
std::wstring SaverPath() { return SPINDLE_SAVER_PATH; }
std::wstring SaverFolder() { return FolderOf(SaverPath()); }

std::wstring BesideThisProgram(const std::wstring& name) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return FolderOf(self) + L"\\" + name;
}

LaunchedProcess::LaunchedProcess(const std::wstring& program, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + program + (arguments.empty() ? L"\"" : L"\" " + arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &info)) {
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        id_ = info.dwProcessId;
    }
}

LaunchedProcess::~LaunchedProcess() {
    Kill();
    if (process_) CloseHandle(process_);
}

bool LaunchedProcess::WaitForExit(DWORD milliseconds) {
    return process_ && WaitForSingleObject(process_, milliseconds) == WAIT_OBJECT_0;
}

DWORD LaunchedProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    return process_ && GetExitCodeProcess(process_, &code) ? code : STILL_ACTIVE;
}

bool LaunchedProcess::Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

void LaunchedProcess::Kill() {
    if (Running()) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
}

struct WindowSearch {
    DWORD processId;
    const std::wstring& caption;
    bool visibleOnly;
    std::vector<HWND> found;
};

// CALLBACK: a lambda would not have the system's calling convention on i686.
static BOOL CALLBACK NoteWindow(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    if (owner == search.processId && search.caption == text && (!search.visibleOnly || IsWindowVisible(window)))
        search.found.push_back(window);
    return TRUE;
}

std::vector<HWND> LaunchedProcess::Windows(const std::wstring& caption, bool visibleOnly) const {
    WindowSearch search{id_, caption, visibleOnly, {}};
    EnumWindows(&NoteWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND LaunchedProcess::WaitForWindow(const std::wstring& caption, DWORD milliseconds) const {
    std::vector<HWND> found;
    WaitUntil([&] { return !(found = Windows(caption)).empty(); }, milliseconds);
    return found.empty() ? nullptr : found.front();
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace spindle::test
