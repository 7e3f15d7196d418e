// The pieces appmgr.cpp finds and starts the Application Manager with,
// declared for its tests: nothing else in the launcher calls them.
#ifndef KUBRELSE_SETUP_APPMGR_PARTS_H
#define KUBRELSE_SETUP_APPMGR_PARTS_H

#include <windows.h>

#include <cstddef>

// The access masks tried, in order, when opening the Application Manager's key:
// read rights only, and for a 32-bit process on 64-bit Windows also the
// 64-bit registry view. Returns how many were written (1 or 2).
int appManagerAccessList(int wow64Process, REGSAM* list);
// Reads the default value of an open key into out, always terminated; a
// REG_EXPAND_SZ value is expanded. Returns 1 for a usable path: a whole,
// non-empty text. Anything else (no value, an empty one, one that is not
// text or does not fit) leaves out empty and returns 0.
int readDefaultValue(HKEY key, char* out, DWORD room);
// Opens root\subKey with each access mask in turn; 1 when one of them opened
// and held a usable path. A key without one counts as no registration.
int findAppManagerUnder(HKEY root, const char* subKey, const REGSAM* access, int count, char* out, DWORD room);
// The command line: path unquoted, a blank, the file in double quotes.
// Returns 0 (out empty) when it cannot be formed whole.
int buildCommandLine(char* out, size_t room, const char* program, const char* file);
// The program to start for a registered path: the path itself, or what stands
// between the quotes of a quoted one. Returns 0 (out empty) when empty or too long.
int programOfPath(const char* path, char* out, size_t room);

#endif
