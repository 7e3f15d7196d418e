// The welcome dialog of flow.cpp, declared for its tests: nothing else in
// the launcher calls it.
#ifndef KUBRELSE_SETUP_FLOW_PARTS_H
#define KUBRELSE_SETUP_FLOW_PARTS_H

#include <windows.h>

#include <cstdint>

// The private message that fills the install line once the dialog's
// controls exist.
constexpr UINT MSG_FILL_TITLE = WM_USER + 100;

// Shows dialog templateId of window class className (procedure classProc)
// over the backdrop until it closes: 1 after Next, 0 after Cancel or when
// the dialog cannot be made.
int16_t runWelcomeDialog(const char* className, WNDPROC classProc, int templateId);
LRESULT CALLBACK welcomeClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
