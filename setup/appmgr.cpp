// Finding the Application Manager through the registry and handing it the
// installation file.
#include "appmgr.h"

#include <cstring>

#include "appmgr_parts.h"
#include "config.h"

int appManagerAccessList(int wow64Process, REGSAM* list)
{
    list[0] = KEY_READ;
    if (!wow64Process) {
        return 1;
    }
    list[1] = KEY_READ | KEY_WOW64_64KEY;
    return 2;
}

namespace {

// Expands the %NAME% parts of a REG_EXPAND_SZ text in its own buffer; 0 when
// the result does not fit.
int expandInPlace(char* text, DWORD room)
{
    static char expanded[PATH_ROOM];
    DWORD length = ExpandEnvironmentStringsA(text, expanded, sizeof expanded);
    if (length == 0 || length > sizeof expanded || length > room) {
        return 0;
    }
    std::memcpy(text, expanded, length);
    return 1;
}

}  // namespace

int readDefaultValue(HKEY key, char* out, DWORD room)
{
    out[0] = '\0';
    if (room < 2) {
        return 0;
    }
    // One byte is kept back for a terminator the stored value may lack.
    DWORD type = REG_NONE;
    DWORD size = room - 1;
    if (RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(out), &size) != ERROR_SUCCESS ||
        size > room - 1 || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        out[0] = '\0';
        return 0;
    }
    out[size] = '\0';
    if (type == REG_EXPAND_SZ && !expandInPlace(out, room)) {
        out[0] = '\0';
        return 0;
    }
    return out[0] != '\0' ? 1 : 0;
}

int findAppManagerUnder(HKEY root, const char* subKey, const REGSAM* access, int count, char* out, DWORD room)
{
    out[0] = '\0';
    for (int i = 0; i < count; ++i) {
        HKEY key;
        if (RegOpenKeyExA(root, subKey, 0, access[i], &key) == ERROR_SUCCESS) {
            int found = readDefaultValue(key, out, room);
            RegCloseKey(key);
            if (found) {
                return 1;
            }
        }
    }
    return 0;
}

int findAppManager()
{
    BOOL wow64 = FALSE;
    if (!IsWow64Process(GetCurrentProcess(), &wow64)) {
        wow64 = FALSE;
    }
    REGSAM access[2];
    int count = appManagerAccessList(wow64 ? 1 : 0, access);
    return findAppManagerUnder(
        HKEY_LOCAL_MACHINE, APP_MANAGER_KEY, access, count, launcher.appManagerPath, sizeof launcher.appManagerPath);
}

int buildCommandLine(char* out, size_t room, const char* program, const char* file)
{
    size_t programLength = std::strlen(program);
    size_t fileLength = std::strlen(file);
    out[0] = '\0';
    // program, blank, quote, file, quote, terminator
    if (room < 4 || programLength > room - 4 || fileLength > room - 4 - programLength) {
        return 0;
    }
    char* p = out;
    std::memcpy(p, program, programLength);
    p += programLength;
    *p++ = ' ';
    *p++ = '"';
    std::memcpy(p, file, fileLength);
    p += fileLength;
    *p++ = '"';
    *p = '\0';
    return 1;
}

int programOfPath(const char* path, char* out, size_t room)
{
    size_t length = std::strlen(path);
    out[0] = '\0';
    if (length >= 2 && path[0] == '"' && path[length - 1] == '"') {
        ++path;
        length -= 2;
    }
    if (length == 0 || length >= room) {
        return 0;
    }
    std::memcpy(out, path, length);
    out[length] = '\0';
    return 1;
}

void startAppManager(const char* appManagerPath, const char* installFile)
{
    static char commandLine[PATH_ROOM];  // the longest command line Windows takes
    static char program[PATH_ROOM];
    if (!buildCommandLine(commandLine, sizeof commandLine, appManagerPath, installFile) ||
        !programOfPath(appManagerPath, program, sizeof program)) {
        return;
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process;
    // The program is named on its own: taken from the unquoted command line,
    // a path with blanks would be tried word by word, and a program planted
    // on a prefix of it ("C:\Program Files\Sync.exe") would start instead.
    if (CreateProcessA(program, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

const char* pickInstallFile()
{
    const char* candidates[3] = {setupConfig.armIni, setupConfig.mipsIni, setupConfig.sh3Ini};
    for (const char* path : candidates) {
        if (path[0] != '\0' && fileExists(path)) {
            return path;
        }
    }
    return nullptr;
}
