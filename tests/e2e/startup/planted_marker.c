/* A DLL planted beside the saver under a system DLL's name: whenever anything loads it, it appends
   its own path to planted-loads.txt in its folder, and then lets the load succeed, so that a fault
   shows in that file rather than as a start that failed for another reason. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t path[MAX_PATH], log[MAX_PATH + 32];
    const DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return TRUE;
    lstrcpyW(log, path);
    wchar_t* slash = log;
    for (wchar_t* c = log; *c; ++c) {
        if (*c == L'\\' || *c == L'/') slash = c + 1;
    }
    lstrcpyW(slash, L"planted-loads.txt");
    char line[4 * MAX_PATH + 2];
    int bytes = WideCharToMultiByte(CP_UTF8, 0, path, (int)length, line, sizeof line - 2, NULL, NULL);
    line[bytes++] = '\r';
    line[bytes++] = '\n';
    HANDLE file = CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return TRUE;
    DWORD written = 0;
    WriteFile(file, line, (DWORD)bytes, &written, NULL);
    CloseHandle(file);
    return TRUE;
}
