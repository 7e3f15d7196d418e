// aygshell.dll for Wine on ARM: the desktop handset layer
// (game/shell/desktop), the very code the desktop programs link, as the
// handset's shell library. It exports the layer's SHCreateMenuBar and
// SHInitDialog (aygshell.def); this file is only the DLL's entry.
#include <windows.h>

extern "C" BOOL WINAPI aygshellEntry(HINSTANCE, DWORD, LPVOID) { return TRUE; }
