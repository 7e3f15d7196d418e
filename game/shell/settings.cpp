#include "settings.h"

#include "../resources/resource_ids.h"
#include "game_state.h"
#include "shell_state.h"

const wchar_t KEY_CLICK_PATH[] = L"ControlPanel\\Sounds\\Keypress";
const wchar_t KEY_CLICK_VALUE[] = L"Script";

namespace {

constexpr int APP_PATH_ROOM = 256;

// Appends src to dest (room characters in all); cuts rather than overruns.
void appendText(wchar_t* dest, int room, const wchar_t* src)
{
    int used = 0;
    while (used < room - 1 && dest[used])
        ++used;
    for (int i = 0; src[i] && used < room - 1; ++i)
        dest[used++] = src[i];
    dest[used] = L'\0';
}

// Tells every top-level window that a setting changed. WM_SETTINGCHANGE may
// carry a text pointer, so desktop Windows refuses to post it (or to send it
// without waiting); it is sent instead, giving up on any window that does not
// answer within a moment, so a hung program cannot hold the game.
void broadcastSettingChange()
{
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL, 200, nullptr);
}

}  // namespace

const wchar_t* loadResString(UINT id)
{
    shell.ringIndex = shell.ringIndex >= RING_SLOTS - 1 ? 0 : shell.ringIndex + 1;
    wchar_t* slot = shell.stringRing[shell.ringIndex];
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
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        key = nullptr;
    shell.appKey = key;
}

int32_t readDword(UINT sectionId, UINT nameId, int32_t defaultValue)
{
    const wchar_t* section = loadResString(sectionId);
    const wchar_t* name = loadResString(nameId);
    if (!shell.appKey || !section || !name)
        return defaultValue;
    HKEY sectionKey;
    if (RegOpenKeyExW(shell.appKey, section, 0, KEY_READ, &sectionKey) != ERROR_SUCCESS)
        return defaultValue;
    // A shorter value of any type reads as a little-endian number; a longer
    // one does not fit and gives the default.
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG queried =
        RegQueryValueExW(sectionKey, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(sectionKey);
    return queried == ERROR_SUCCESS ? static_cast<int32_t>(value) : defaultValue;
}

void writeDword(UINT sectionId, UINT nameId, int32_t value)
{
    const wchar_t* section = loadResString(sectionId);
    const wchar_t* name = loadResString(nameId);
    if (!shell.appKey || !section || !name)
        return;
    HKEY sectionKey;
    if (RegCreateKeyExW(shell.appKey, section, 0, nullptr, 0, KEY_WRITE, nullptr, &sectionKey, nullptr) !=
        ERROR_SUCCESS)
        return;
    const DWORD data = static_cast<DWORD>(value);
    RegSetValueExW(sectionKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    RegCloseKey(sectionKey);
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

LONG readStringValue(const wchar_t* path, const wchar_t* name, wchar_t* dest, int room)
{
    if (room < 2)
        return ERROR_INVALID_PARAMETER;
    HKEY key;
    LONG result = RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_QUERY_VALUE, &key);
    if (result != ERROR_SUCCESS)
        return result;
    // The local buffer has room for one character more than the caller's,
    // and the text gets a terminator of our own: stored text without one, or
    // of another type, is never read past its end, and text longer than the
    // caller's room is refused rather than cut.
    const int limit = room < KEY_CLICK_ROOM ? room : KEY_CLICK_ROOM;
    wchar_t text[KEY_CLICK_ROOM + 1] = {};
    DWORD size = static_cast<DWORD>(limit * sizeof(wchar_t));
    result = RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return result;
    text[size / sizeof(wchar_t)] = L'\0';
    int length = 0;
    while (text[length])
        ++length;
    if (length > limit - 1)
        return ERROR_MORE_DATA;
    for (int i = 0; i <= length; ++i)
        dest[i] = text[i];
    return ERROR_SUCCESS;
}

LONG writeStringValue(const wchar_t* path, const wchar_t* name, const wchar_t* text)
{
    HKEY key;
    LONG result = RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_SET_VALUE, &key);
    if (result != ERROR_SUCCESS) {
        result = RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
        if (result != ERROR_SUCCESS)
            return result;
    }
    DWORD length = 0;
    while (text[length])
        ++length;
    result = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                            (length + 1) * sizeof(wchar_t));
    RegCloseKey(key);
    return result;
}

void saveKeyClick()
{
    if (shell.keyClickSaved != KEY_CLICK_NOT_READ)
        return;  // once per run, before the first silence, whoever comes first
    wchar_t text[KEY_CLICK_ROOM];
    const LONG result = readStringValue(KEY_CLICK_PATH, KEY_CLICK_VALUE, text, KEY_CLICK_ROOM);
    if (result == ERROR_SUCCESS) {
        for (int i = 0; i < KEY_CLICK_ROOM; ++i)
            if (!(shell.savedKeyClick[i] = text[i]))
                break;
        shell.keyClickSaved = KEY_CLICK_TEXT;
    } else if (result == ERROR_FILE_NOT_FOUND) {
        shell.keyClickSaved = KEY_CLICK_ABSENT;
    } else {
        shell.keyClickSaved = KEY_CLICK_UNREADABLE;
    }
}

void silenceKeyClick()
{
    saveKeyClick();
    if (shell.keyClickSaved == KEY_CLICK_UNREADABLE)
        return;  // what we could not save we must not overwrite
    writeStringValue(KEY_CLICK_PATH, KEY_CLICK_VALUE, L"");
    broadcastSettingChange();
}

void restoreKeyClick()
{
    switch (shell.keyClickSaved) {
    case KEY_CLICK_TEXT: {
        wchar_t text[KEY_CLICK_ROOM];
        for (int i = 0; i < KEY_CLICK_ROOM; ++i)
            if (!(text[i] = shell.savedKeyClick[i]))
                break;
        text[KEY_CLICK_ROOM - 1] = L'\0';
        writeStringValue(KEY_CLICK_PATH, KEY_CLICK_VALUE, text);
        break;
    }
    case KEY_CLICK_ABSENT: {
        HKEY key;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, KEY_CLICK_PATH, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueW(key, KEY_CLICK_VALUE);
            RegCloseKey(key);
        }
        break;
    }
    default:
        return;  // nothing saved, nothing changed: nothing to give back
    }
    broadcastSettingChange();
}
