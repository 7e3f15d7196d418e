// The main window: keys, softkeys, menu commands and gravity steps turned
// into engine operations, with their repaints and sounds.
#ifndef KUBRELSE_SHELL_MAIN_WINDOW_H
#define KUBRELSE_SHELL_MAIN_WINDOW_H

#include <windows.h>

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers the main window class; its atom, 0 on failure.
ATOM registerMainClass(HINSTANCE instance);

// Creates and shows the main window (startGame in lifecycle.h makes all
// else ready first). 1 when the window exists and is shown.
int makeMainWindow(HINSTANCE instance, int showCommand);

// Connects the engine to this program: repaints, gravity steps, tiles.
void installEngineHost();

#endif
