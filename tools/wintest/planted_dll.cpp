// A DLL planted where a program must not look for DLLs: copied under the
// name of a DLL the program loads, it leaves "<its own path>.loaded" beside
// itself when anything loads it. It imports only from kernel32 and has no C
// runtime, so it loads under any name.
#include <windows.h>

extern "C" BOOL WINAPI plantedEntry(HINSTANCE self, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    wchar_t path[MAX_PATH + 8];
    const DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return TRUE;
    lstrcatW(path, L".loaded");
    HANDLE marker = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (marker != INVALID_HANDLE_VALUE)
        CloseHandle(marker);
    return TRUE;
}
