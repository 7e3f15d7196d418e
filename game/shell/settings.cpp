#include "settings.h"

#include "../resources/resource_ids.h"
#include "game_state.h"
#include "registry_value.h"
#include "shell_state.h"
#include "wide_text.h"

namespace {

constexpr int APP_PATH_ROOM = 256;
constexpr int RING_SLOTS = 4;
constexpr int RING_ROOM = 128;

// The string ring: the slots and the one used last.
wchar_t stringRing[RING_SLOTS][RING_ROOM];
int ringIndex;

}  // namespace

const wchar_t* loadResString(UINT id)
{
    ringIndex = ringIndex >= RING_SLOTS - 1 ? 0 : ringIndex + 1;
    wchar_t* slot = stringRing[ringIndex];
    if (LoadStringW(shell.instance, id & 0xFFFF, slot, RING_ROOM) <= 0) {
        slot[0] = L'\0';
        return nullptr;
    }
    return slot;
}

void openAppKey(const wchar_t* company)
{
    wchar_t path[APP_PATH_ROOM] = L"";
    appendText(path, APP_PATH_ROOM, L"Software\\");
    appendText(path, APP_PATH_ROOM, company);
    appendText(path, APP_PATH_ROOM, L"\\");
    appendText(path, APP_PATH_ROOM, MAIN_TITLE);
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        key = nullptr;
    shell.appKey = key;
}

int32_t readDword(UINT sectionId, UINT nameId, int32_t defaultValue)
{
    const wchar_t* section = loadResString(sectionId);
    const wchar_t* name = loadResString(nameId);
    if (!shell.appKey || !section || !name)
        return defaultValue;
    // A shorter value of any type reads as a little-endian number; a longer
    // one does not fit and gives the default.
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG read = readValue(shell.appKey, section, name, nullptr, &value, &size);
    return read == ERROR_SUCCESS ? static_cast<int32_t>(value) : defaultValue;
}

void writeDword(UINT sectionId, UINT nameId, int32_t value)
{
    const wchar_t* section = loadResString(sectionId);
    const wchar_t* name = loadResString(nameId);
    if (!shell.appKey || !section || !name)
        return;
    // A score that cannot be written is lost with this run; play goes on.
    const DWORD data = static_cast<DWORD>(value);
    writeValue(shell.appKey, section, name, REG_DWORD, &data, sizeof data);
}

void readHighScores()
{
    for (int i = 0; i < HIGH_SCORE_COUNT; ++i)
        game.highScores[i] = readDword(IDS_MAIN_SECTION, IDS_HISCORE_BASE + i, 0);
}

void writeHighScores()
{
    for (int i = 0; i < HIGH_SCORE_COUNT; ++i)
        writeDword(IDS_MAIN_SECTION, IDS_HISCORE_BASE + i, game.highScores[i]);
}
