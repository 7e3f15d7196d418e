// The softkey bars of the main window and of the full-screen dialogs, made
// the handset's way from the program's menu-bar resources.
#ifndef KUBRELSE_SHELL_SOFTKEYS_H
#define KUBRELSE_SHELL_SOFTKEYS_H

#include <windows.h>

// Builds window's softkey bar from menu-bar resource barId; null on failure.
HWND createSoftkeyBar(HWND window, UINT barId);

#endif
