// Stand-in for the programs the launcher starts (the Application Manager and
// the text viewer): appends its show state and command line, as one line,
// to record.log beside itself and ends.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr char LOG_NAME[] = "\\record.log";

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show)
{
    char path[MAX_PATH * 4];
    // Room is left for the log's name.
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path - sizeof LOG_NAME);
    char* slash = n > 0 && n < sizeof path - sizeof LOG_NAME ? std::strrchr(path, '\\') : nullptr;
    if (slash == nullptr) {
        return 1;
    }
    lstrcpynA(slash, LOG_NAME, sizeof LOG_NAME);
    FILE* log = std::fopen(path, "ab");
    if (log == nullptr) {
        return 1;
    }
    std::fprintf(log, "%d|%s\r\n", show, GetCommandLineA());
    return std::fclose(log) == 0 ? 0 : 1;
}
