// What the game keeps in its registry key (its five high scores; the
// key-click protocol, key_click.h, keeps its record there too), and the
// string ring.
#ifndef KUBRELSE_SHELL_SETTINGS_H
#define KUBRELSE_SHELL_SETTINGS_H

#include <windows.h>

#include <cstdint>

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

#endif
