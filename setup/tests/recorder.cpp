// Stand-in for the programs the launcher starts (the Application Manager and
// the text viewer): appends its show state and command line, as one line,
// to record.log beside itself and ends.
#include <windows.h>
#include <stdio.h>
#include <string.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show)
{
    char path[MAX_PATH * 4];
    DWORD n = GetModuleFileNameA(NULL, path, sizeof path - 16);  // room left for the log's name
    char* slash = n > 0 && n < sizeof path - 16 ? strrchr(path, '\\') : NULL;
    if (slash == NULL) {
        return 1;
    }
    strcpy(slash, "\\record.log");
    FILE* log = fopen(path, "ab");
    if (log == NULL) {
        return 1;
    }
    fprintf(log, "%d|%s\r\n", show, GetCommandLineA());
    return fclose(log) == 0 ? 0 : 1;
}
