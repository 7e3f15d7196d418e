// The shell's process-wide handles, beside the engine's GameState.
#ifndef KUBRELSE_SHELL_SHELL_STATE_H
#define KUBRELSE_SHELL_SHELL_STATE_H

#include <windows.h>

#include <cstdint>

// Private messages of the main window; both carry 0 in both parameters.
constexpr UINT MSG_AFTER_GAME_OVER = WM_USER + 100;
constexpr UINT MSG_GRAVITY_STEP = WM_USER + 101;

extern const wchar_t MAIN_CLASS_NAME[];  // "KubrelSE for Smartphone 2002"
extern const wchar_t MAIN_TITLE[];       // "KubrelSE"
extern const wchar_t COMPANY_NAME[];     // "Nolvo Systems Inc."

struct ShellState {
    HINSTANCE instance;
    HWND mainWindow;
    HKEY appKey;
    HWND menuBar;
    int32_t gravityThread;  // 1 while the pacer thread runs
};

extern ShellState shell;

// Back to the state at program load (instance and all handles null).
void resetShellState();

#endif
