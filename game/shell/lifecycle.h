// The program from its first instruction to its exit code.
#ifndef KUBRELSE_SHELL_LIFECYCLE_H
#define KUBRELSE_SHELL_LIFECYCLE_H

#include <windows.h>

// Start-up, the message loop and shutdown; returns the exit code.
int runGame(HINSTANCE instance, HINSTANCE previous, int showCommand);

#endif
