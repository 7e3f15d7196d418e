#include "key_click.h"

#include <cstdint>

#include "handset_shell.h"
#include "registry_value.h"
#include "shell_state.h"

const wchar_t KEY_CLICK_PATH[] = L"ControlPanel\\Sounds\\Keypress";
const wchar_t KEY_CLICK_VALUE[] = L"Script";
const wchar_t KEY_CLICK_RECORD_TEXT[] = L"HandsetKeyClick";
const wchar_t KEY_CLICK_RECORD_NONE[] = L"HandsetKeyClickNone";

namespace {

// What the handset had in its key-click setting when the game started.
enum KeyClickSaved : int32_t {
    KEY_CLICK_NOT_READ = 0,  // not looked at yet
    KEY_CLICK_TEXT,          // savedKeyClick holds the text to give back
    KEY_CLICK_ABSENT,        // there was no "Script" value: giving back removes ours
    KEY_CLICK_UNREADABLE,    // one we cannot hold or record: never touch it
};

wchar_t savedKeyClick[KEY_CLICK_ROOM];
KeyClickSaved keyClickSaved;

// A deleted value, or one that was not there: either way it is gone.
int gone(LONG result) { return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND; }

// The record of the handset's key clicks in the game's key: what saveKeyClick
// found, so that a run that never gives it back leaves it to the next start.
// 1 when the record holds it.
int writeKeyClickRecord()
{
    if (!shell.appKey)
        return 0;
    LONG written;
    LONG other;
    if (keyClickSaved == KEY_CLICK_TEXT) {
        written = writeText(shell.appKey, nullptr, KEY_CLICK_RECORD_TEXT, savedKeyClick);
        other = deleteValue(shell.appKey, nullptr, KEY_CLICK_RECORD_NONE);
    } else {
        const DWORD none = 1;
        written = writeValue(shell.appKey, nullptr, KEY_CLICK_RECORD_NONE, REG_DWORD, &none, sizeof none);
        other = deleteValue(shell.appKey, nullptr, KEY_CLICK_RECORD_TEXT);
    }
    return written == ERROR_SUCCESS && gone(other);
}

// 1 when no record is left. One that stays is harmless: beside the
// handset's own setting the next start finds it out of date.
int removeKeyClickRecord()
{
    if (!shell.appKey)
        return 0;
    const LONG text = deleteValue(shell.appKey, nullptr, KEY_CLICK_RECORD_TEXT);
    const LONG none = deleteValue(shell.appKey, nullptr, KEY_CLICK_RECORD_NONE);
    return gone(text) && gone(none);
}

// What a record says: KEY_CLICK_TEXT with the text in dest (KEY_CLICK_ROOM
// characters), KEY_CLICK_ABSENT, KEY_CLICK_NOT_READ when there is none, and
// KEY_CLICK_UNREADABLE when it cannot be read or says both.
KeyClickSaved readKeyClickRecord(wchar_t* dest)
{
    const LONG text = readText(shell.appKey, nullptr, KEY_CLICK_RECORD_TEXT, dest, KEY_CLICK_ROOM);
    DWORD mark = 0;
    DWORD size = sizeof mark;
    const LONG none = readValue(shell.appKey, nullptr, KEY_CLICK_RECORD_NONE, nullptr, &mark, &size);
    if (text == ERROR_FILE_NOT_FOUND && none == ERROR_FILE_NOT_FOUND)
        return KEY_CLICK_NOT_READ;
    if (text == ERROR_SUCCESS && none == ERROR_FILE_NOT_FOUND)
        return KEY_CLICK_TEXT;
    if (none == ERROR_SUCCESS && text == ERROR_FILE_NOT_FOUND)
        return KEY_CLICK_ABSENT;
    return KEY_CLICK_UNREADABLE;
}

}  // namespace

int readStringValue(const wchar_t* path, const wchar_t* name, wchar_t* dest, int room)
{
    const LONG result = readText(HKEY_CURRENT_USER, path, name, dest, room);
    SetLastError(static_cast<DWORD>(result));
    return result == ERROR_SUCCESS;
}

int writeStringValue(const wchar_t* path, const wchar_t* name, const wchar_t* text)
{
    const LONG result = writeText(HKEY_CURRENT_USER, path, name, text);
    SetLastError(static_cast<DWORD>(result));
    return result == ERROR_SUCCESS;
}

void saveKeyClick()
{
    if (keyClickSaved != KEY_CLICK_NOT_READ)
        return;  // once per run, before the first silence, whoever comes first
    if (!shell.appKey) {
        // Nowhere to keep a record: a silence could be lost, so none is made.
        keyClickSaved = KEY_CLICK_UNREADABLE;
        return;
    }
    wchar_t text[KEY_CLICK_ROOM];
    const int read = readStringValue(KEY_CLICK_PATH, KEY_CLICK_VALUE, text, KEY_CLICK_ROOM);
    const DWORD why = GetLastError();
    wchar_t recorded[KEY_CLICK_ROOM];
    const KeyClickSaved record = readKeyClickRecord(recorded);
    if (record != KEY_CLICK_NOT_READ && read && !text[0]) {
        // Still silenced by a run that never gave the key clicks back (one
        // ended outright): the record holds the handset's own setting, and
        // the empty text is ours. Give it back before anything else; an
        // unreadable record leaves everything as it is.
        keyClickSaved = record;
        if (record == KEY_CLICK_TEXT)
            lstrcpynW(savedKeyClick, recorded, KEY_CLICK_ROOM);
        restoreKeyClick();
        return;
    }
    // A record beside any other value is out of date: the handset's setting
    // was given back, or changed since, and what it holds now is its own.
    if (record != KEY_CLICK_NOT_READ)
        removeKeyClickRecord();
    if (read) {
        lstrcpynW(savedKeyClick, text, KEY_CLICK_ROOM);
        keyClickSaved = KEY_CLICK_TEXT;
    } else if (why == ERROR_FILE_NOT_FOUND) {
        keyClickSaved = KEY_CLICK_ABSENT;
    } else {
        keyClickSaved = KEY_CLICK_UNREADABLE;
    }
}

void silenceKeyClick()
{
    saveKeyClick();
    if (keyClickSaved == KEY_CLICK_UNREADABLE)
        return;  // what we could not save we must not overwrite
    // The record comes first: a run that never gives the key clicks back
    // leaves the handset's setting to the next start. Without it, no silence.
    if (!writeKeyClickRecord())
        return;
    writeStringValue(KEY_CLICK_PATH, KEY_CLICK_VALUE, L"");
    announceSettingChange();
}

void restoreKeyClick()
{
    int given;
    switch (keyClickSaved) {
    case KEY_CLICK_TEXT:
        given = writeStringValue(KEY_CLICK_PATH, KEY_CLICK_VALUE, savedKeyClick);
        break;
    case KEY_CLICK_ABSENT:
        given = gone(deleteValue(HKEY_CURRENT_USER, KEY_CLICK_PATH, KEY_CLICK_VALUE));
        break;
    default:
        return;  // nothing saved, nothing changed: nothing to give back
    }
    // Given back, the record has done its work; kept otherwise, so that the
    // next start tries again.
    if (given)
        removeKeyClickRecord();
    announceSettingChange();
}

void forgetKeyClick()
{
    savedKeyClick[0] = L'\0';
    keyClickSaved = KEY_CLICK_NOT_READ;
}
