// What the launcher takes from DLLs it loads from the system folder only
// (win32_calls.h): the screen's scale, and the shell's "open".
#ifndef KUBRELSE_SETUP_DLLS_H
#define KUBRELSE_SETUP_DLLS_H

#include <cstdint>

// The primary monitor's DPI (dots per inch; 96 at 100 %): the program is
// DPI-aware, so it sees real pixels and sizes what it draws itself.
int16_t primaryMonitorDpi();
// A length in pixels at 96 DPI, at launcher.screenDpi.
int dpiScaled(int pixels);

// Opens a file in the program registered for its kind (the shell's "open"),
// through the shell library taken from the system folder.
void openWithShell(const char* path, int show);

#endif
