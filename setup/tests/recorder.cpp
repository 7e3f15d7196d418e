// Stand-in for the programs the launcher starts (the Application Manager and
// the text viewer): appends its show state and command line, as one line,
// to record.log beside itself and ends.
#include <windows.h>
#include <stdio.h>
#include <string.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show)
{
    char path[MAX_PATH * 4];
    DWORD n = GetModuleFileNameA(NULL, path, sizeof path);
    if (n == 0 || n >= sizeof path) {
        return 1;
    }
    char *slash = strrchr(path, '\\');
    if (slash == NULL || static_cast<size_t>(slash - path) + sizeof "\\record.log" > sizeof path) {
        return 1;
    }
    strcpy(slash, "\\record.log");

    char line[40000];
    int length = snprintf(line, sizeof line, "%d|%s\r\n", show, GetCommandLineA());
    if (length < 0 || length >= static_cast<int>(sizeof line)) {
        return 1;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        HANDLE f = CreateFileA(path, FILE_APPEND_DATA, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (f != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(f, line, static_cast<DWORD>(length), &written, NULL);
            CloseHandle(f);
            return 0;
        }
        Sleep(10);
    }
    return 1;
}
