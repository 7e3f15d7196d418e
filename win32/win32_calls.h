// Small Win32 helpers both programs share: the calls of later Windows than
// the programs are made for, looked up by name; the restriction of the DLL
// search to the system folder, and a DLL loaded from there by its full
// path; the system's DPI where no call of the monitor's or window's own can
// tell it. Desktop Windows only: the handset's build never links this, so
// the registry helpers the game's code shares with the desktop layer live
// in game/platform/registry_value.h, which the handset's build compiles.
#ifndef KUBRELSE_WIN32_WIN32_CALLS_H
#define KUBRELSE_WIN32_WIN32_CALLS_H

#include <windows.h>

// A call of module looked up by name, as Function: the declared type of the
// call it names (null where module is null or lacks it).
template <typename Function>
Function procOf(HMODULE module, const char* name)
{
    FARPROC proc = module ? GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)(void)>(proc));
}

// Takes the current folder out of the process's DLL search and, where the
// system offers it (Windows 8 on, Vista and 7 with their updates), searches
// the system folder only. 1 when the search is the system folder only; 0
// when the program's own folder is still searched.
int restrictDllSearch();

// The DLL name (ANSI calls, as the launcher makes them) loaded from the
// system folder by its full path; its own dependencies are then looked for
// in the system folder first. Null when it cannot be loaded.
HMODULE loadSystemLibrary(const char* name);

// The system's DPI as the screen's context gives it; 96 where it cannot.
UINT systemDpi();

#endif
