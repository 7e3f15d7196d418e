// SETUP.INF beside the launcher: its folder, the values it holds and what
// the launcher composes from them.
#include "config.h"

#include <cstring>

#include "config_parts.h"
#include "resources/resource_ids.h"
#include "text.h"

SetupConfig setupConfig;

namespace {

// title, a blank, then the " Setup Program" text.
void composeCaption(char* out, size_t room, const char* title, const char* setupProgram)
{
    out[0] = '\0';
    if (appendText(out, room, title) && appendText(out, room, " ")) {
        appendText(out, room, setupProgram);
    }
}

// One value of SETUP.INF; the default when the file lacks it, or when the
// string table lacks the section or key name.
void readValue(UINT sectionId, UINT keyId, const char* fallback, char* out, DWORD room, const char* infPath)
{
    const char* section = loadResString(sectionId);
    const char* key = loadResString(keyId);
    out[0] = '\0';
    if (section == nullptr || key == nullptr) {
        appendText(out, room, fallback);
        return;
    }
    GetPrivateProfileStringA(section, key, fallback, out, room, infPath);
}

}  // namespace

int fileExists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES ? 1 : 0; }

int folderOfPath(const char* modulePath, char* out, size_t room)
{
    out[0] = '\0';
    if (!appendText(out, room, modulePath) || std::strlen(out) != std::strlen(modulePath)) {
        out[0] = '\0';
        return 0;
    }
    // From the last character back to the second; the first is never looked at.
    for (size_t i = std::strlen(out); i-- > 1;) {
        if (out[i] == '\\') {
            out[i] = '\0';
            break;
        }
    }
    return 1;
}

int joinCpuPath(char* out, size_t room, const char* dir, const char* value)
{
    out[0] = '\0';
    // An empty value would name the launcher's own folder: no file at all.
    if (value[0] == '\0') {
        return 0;
    }
    if (!appendText(out, room, dir) || !appendText(out, room, "\\") || !appendText(out, room, value)) {
        out[0] = '\0';
        return 0;
    }
    return 1;
}

int readSetupConfigIn(const char* dir)
{
    static char infPath[PATH_ROOM];
    SetupConfig* c = &setupConfig;

    c->appDir[0] = '\0';
    if (!appendText(c->appDir, sizeof c->appDir, dir)) {
        c->appDir[0] = '\0';
        return 0;
    }
    infPath[0] = '\0';
    if (!appendText(infPath, sizeof infPath, c->appDir) || !appendText(infPath, sizeof infPath, "\\SETUP.INF") ||
        !fileExists(infPath)) {
        return 0;
    }

    readValue(IDS_SECTION_MAIN, IDS_KEY_PRODUCT, "Nolvo", c->productName, sizeof c->productName, infPath);

    char value[CPU_VALUE_ROOM];
    readValue(IDS_SECTION_MAIN, IDS_KEY_MIPS, "", value, sizeof value, infPath);
    joinCpuPath(c->mipsIni, sizeof c->mipsIni, c->appDir, value);
    readValue(IDS_SECTION_MAIN, IDS_KEY_SH3, "", value, sizeof value, infPath);
    joinCpuPath(c->sh3Ini, sizeof c->sh3Ini, c->appDir, value);
    readValue(IDS_SECTION_MAIN, IDS_KEY_ARM, "", value, sizeof value, infPath);
    joinCpuPath(c->armIni, sizeof c->armIni, c->appDir, value);

    readValue(IDS_SECTION_STARTUP, IDS_KEY_TITLE, "", c->title, sizeof c->title, infPath);
    const char* setupProgram = loadResString(IDS_SETUP_PROGRAM);
    composeCaption(c->caption, sizeof c->caption, c->title, setupProgram != nullptr ? setupProgram : "");
    return 1;
}

int readSetupConfig()
{
    static char modulePath[PATH_ROOM];
    DWORD n = GetModuleFileNameA(launcher.instance, modulePath, sizeof modulePath);
    // A cut module path would give a wrong folder: treat it as no SETUP.INF.
    if (n == 0 || n >= sizeof modulePath) {
        setupConfig.appDir[0] = '\0';
        return 0;
    }
    static char dir[PATH_ROOM];
    if (!folderOfPath(modulePath, dir, sizeof dir)) {
        return 0;
    }
    return readSetupConfigIn(dir);
}
