#include "lifecycle.h"

#include "main_window.h"
#include "game_state.h"
#include "settings.h"
#include "shell_state.h"

int runGame(HINSTANCE instance, HINSTANCE previous, int showCommand)
{
    HWND running = FindWindowW(MAIN_CLASS_NAME, MAIN_TITLE);
    if (running) {
        ShowWindow(running, SW_SHOWNORMAL);  // also where it has been minimised
        SetForegroundWindow(running);
        return 0;
    }
    if (!previous && !registerMainClass(instance))
        return 0;
    if (!initInstance(instance, showCommand))
        return 0;
    saveKeyClick();  // already read before the window was made; no second read
    silenceKeyClick();

    MSG msg = {};
    while (GetMessageW(&msg, nullptr, 0, 0) == 1) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }

    restoreKeyClick();
    writeHighScores();
    if (shell.appKey) {
        RegCloseKey(shell.appKey);
        shell.appKey = nullptr;
    }
    return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 0;
}
