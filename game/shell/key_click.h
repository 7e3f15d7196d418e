// The handset's key clicks, silenced while the game is active and given
// back otherwise, and the text values under HKCU that hold them.
#ifndef KUBRELSE_SHELL_KEY_CLICK_H
#define KUBRELSE_SHELL_KEY_CLICK_H

#include <windows.h>

#include "registry_value.h"

// The longest key-click text the game saves and gives back, terminator included.
constexpr int KEY_CLICK_ROOM = REGISTRY_TEXT_ROOM;

extern const wchar_t KEY_CLICK_PATH[];   // "ControlPanel\Sounds\Keypress"
extern const wchar_t KEY_CLICK_VALUE[];  // "Script"
// While the game holds the key clicks silenced, its own key records the
// handset's setting: the text, or a mark that there was no "Script" value.
extern const wchar_t KEY_CLICK_RECORD_TEXT[];  // REG_SZ "HandsetKeyClick"
extern const wchar_t KEY_CLICK_RECORD_NONE[];  // REG_DWORD "HandsetKeyClickNone"

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
// Back to the state at program load: nothing saved yet.
void forgetKeyClick();

#endif
