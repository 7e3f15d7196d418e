// The launcher's texts: built in bounded buffers, and loaded from its
// string table.
#ifndef KUBRELSE_SETUP_TEXT_H
#define KUBRELSE_SETUP_TEXT_H

#include <windows.h>

#include <cstddef>

// Appends as much of src to the zero-terminated dst as fits in room bytes,
// never splitting a double-byte character. Returns 1 when all of src
// fitted, 0 when it was cut: the game's appendText for its wide texts
// (wide_text.h) keeps the same contract.
int appendText(char* dst, size_t room, const char* src);
// Copies pattern into out, putting arg in place of "%s" and "%" in place of
// "%%"; arg is taken as it stands, never as a format. Cut cleanly to room.
// Returns 1 when the whole text fitted.
int fillPattern(char* out, size_t room, const char* pattern, const char* arg);
// Ring of four 256-byte buffers; null when the string table has no such string.
const char* loadResString(UINT id);

#endif
