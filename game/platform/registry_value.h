// Registry values read, written and removed in one call each: the key at
// path below root is opened for the call (created for a write where there
// is none) and closed again; a null path is root itself. Each returns the
// registry's own result: ERROR_SUCCESS, or the error of the first call that
// failed. Built for the handset too: only calls its core library offers.
#ifndef KUBRELSE_PLATFORM_REGISTRY_VALUE_H
#define KUBRELSE_PLATFORM_REGISTRY_VALUE_H

#include <windows.h>

// The longest text readText reads, its terminator included.
constexpr int REGISTRY_TEXT_ROOM = 260;

// The bytes of value name into data (*size bytes of room; then the size
// stored, or with ERROR_MORE_DATA the size it needs) and its type into
// *type (type may be null), whatever the type.
LONG readValue(HKEY root, const wchar_t* path, const wchar_t* name, DWORD* type, void* data, DWORD* size);

// Text value name into dest (room characters, 2 to REGISTRY_TEXT_ROOM),
// always terminated: stored text without a terminator, or of another type,
// is never read past its end, and text longer than room - 1 characters is
// refused (ERROR_MORE_DATA) rather than cut. A failed read leaves dest
// untouched.
LONG readText(HKEY root, const wchar_t* path, const wchar_t* name, wchar_t* dest, int room);

// Value name as type, size bytes of data.
LONG writeValue(HKEY root, const wchar_t* path, const wchar_t* name, DWORD type, const void* data, DWORD size);
// text, terminator included, as REG_SZ.
LONG writeText(HKEY root, const wchar_t* path, const wchar_t* name, const wchar_t* text);

// Removes value name; the key is never created for it.
LONG deleteValue(HKEY root, const wchar_t* path, const wchar_t* name);

#endif
