/* A DLL planted beside the saver under a system DLL's name: whenever anything loads it, it appends
   its own path to planted-loads.txt in its folder, and then lets the load succeed, so that a fault
   shows in that file rather than as a start that failed for another reason. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
    (void)reserved;
    wchar_t path[MAX_PATH], log[MAX_PATH + 32];
    char line[4 * MAX_PATH + 2];
    const DWORD length = reason == DLL_PROCESS_ATTACH ? GetModuleFileNameW(self, path, MAX_PATH) : 0;
    if (length == 0 || length >= MAX_PATH) return TRUE;
    lstrcpyW(log, path);
    lstrcpyW(wcsrchr(log, L'\\') ? wcsrchr(log, L'\\') + 1 : log, L"planted-loads.txt");
    int bytes = WideCharToMultiByte(CP_UTF8, 0, path, (int)length, line, sizeof line - 2, NULL, NULL);
    line[bytes++] = '\r', line[bytes++] = '\n';
    HANDLE file = CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD written = 0;
    if (file != INVALID_HANDLE_VALUE) WriteFile(file, line, (DWORD)bytes, &written, NULL), CloseHandle(file);
    return TRUE;
}
