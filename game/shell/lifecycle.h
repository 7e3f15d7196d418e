// The program from its first instruction to its exit code.
#ifndef KUBRELSE_SHELL_LIFECYCLE_H
#define KUBRELSE_SHELL_LIFECYCLE_H

#include <windows.h>

// Start-up, the message loop and shutdown; returns the exit code.
int runGame(HINSTANCE instance, HINSTANCE previous, int showCommand);

// Start-up: the game's key opened, the scores read, the engine prepared, the
// handset's key clicks saved, the main window made and shown. 1 when the
// window exists and is shown.
int startGame(HINSTANCE instance, int showCommand);
// Shutdown: the key clicks given back, the scores written, the key closed.
void endGame();

#endif
