// What the game keeps in the registry (its five high scores, and the
// handset's key-click setting while it has the focus), and the string ring.
#ifndef KUBRELSE_SHELL_SETTINGS_H
#define KUBRELSE_SHELL_SETTINGS_H

#include <windows.h>

#include <cstdint>

extern const wchar_t KEY_CLICK_PATH[];   // "ControlPanel\Sounds\Keypress"
extern const wchar_t KEY_CLICK_VALUE[];  // "Script"
// While the game holds the key clicks silenced, its own key records the
// handset's setting: the text, or a mark that there was no "Script" value.
extern const wchar_t KEY_CLICK_RECORD_TEXT[];  // REG_SZ "HandsetKeyClick"
extern const wchar_t KEY_CLICK_RECORD_NONE[];  // REG_DWORD "HandsetKeyClickNone"

// Loads a string of the program into the next of four slots (the first call
// of a run uses slot 1) and returns it; null when there is no such string.
const wchar_t* loadResString(UINT id);

// Opens or creates HKCU\Software\<company>\KubrelSE into shell.appKey
// (null when that fails).
void openAppKey(const wchar_t* company);

// A 32-bit value below the game's key, in the section and under the name
// given by string ids; the default when anything is missing.
int32_t readDword(UINT sectionId, UINT nameId, int32_t defaultValue);
void writeDword(UINT sectionId, UINT nameId, int32_t value);

// The five high scores from and to "MainSection" "HiScore1".."HiScore5".
void readHighScores();
void writeHighScores();

// A text value under HKCU. readStringValue fills dest (room characters, at
// least 2) with the stored text, always terminated. Both return 1 on
// success and 0 on failure, with the registry error as the thread's last
// error (GetLastError) either way; a failed read leaves dest untouched.
int readStringValue(const wchar_t* path, const wchar_t* name, wchar_t* dest, int room);
int writeStringValue(const wchar_t* path, const wchar_t* name, const wchar_t* text);

// The handset's key clicks: saved once per run (at the latest by the first
// silence), silenced while the game is active, given back otherwise. Each
// change is followed by a WM_SETTINGCHANGE broadcast. A silence is recorded
// in the game's key first (no record, no silence) and the record goes once
// the setting is given back; the save of a run finds a record left by a run
// that never gave it back and gives that back first.
void saveKeyClick();
void silenceKeyClick();
void restoreKeyClick();

#endif
