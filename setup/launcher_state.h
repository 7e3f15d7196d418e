// setup.exe, the desktop launcher: it reads SETUP.INF beside itself, covers
// the screen with the backdrop, asks in the welcome dialog whether to go on
// and hands the installation file to the Application Manager. Plain
// procedural code over two process-wide records: SetupConfig (config.h) and
// LauncherState, here, with the rooms of the texts both hold.
#ifndef KUBRELSE_SETUP_LAUNCHER_STATE_H
#define KUBRELSE_SETUP_LAUNCHER_STATE_H

#include <windows.h>

#include <cstdint>

// Room for any path Windows hands out, extended-length paths included
// (32767 characters and the terminator).
constexpr int PATH_ROOM = 32768;
// Room of the short texts: captions, lines of the dialog, loaded strings.
constexpr int TEXT_ROOM = 256;

struct LauncherState {
    HINSTANCE instance;
    int16_t screenWidth;
    int16_t screenHeight;
    int16_t screenDpi;  // the primary monitor's, taken once; 96 is 100 %
    HWND backdropWindow;
    char appManagerPath[PATH_ROOM];  // as the registry gives it; empty when not found
    int16_t welcomeResult;           // 1 after Next
};

extern LauncherState launcher;

#endif
