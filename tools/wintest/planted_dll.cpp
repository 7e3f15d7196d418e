// Planted under the name of a DLL a program loads, where the program must
// not look: when loaded it leaves "<its own path>.loaded" beside itself.
// Imports only kernel32, no C runtime, so it loads under any name.
#include <windows.h>

extern "C" BOOL WINAPI plantedEntry(HINSTANCE self, DWORD reason, LPVOID)
{
    wchar_t path[MAX_PATH + 8];
    const DWORD length = reason == DLL_PROCESS_ATTACH ? GetModuleFileNameW(self, path, MAX_PATH) : 0;
    if (length > 0 && length < MAX_PATH)
        CloseHandle(CreateFileW(lstrcatW(path, L".loaded"), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    return TRUE;
}
