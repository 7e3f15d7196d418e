#include "lifecycle.h"

#include "engine.h"
#include "main_window.h"
#include "key_click.h"
#include "settings.h"
#include "shell_state.h"

int startGame(HINSTANCE instance, int showCommand)
{
    shell.instance = instance;
    installEngineHost();
    openAppKey(COMPANY_NAME);
    readHighScores();
    prepareGame(GetTickCount());
    // The handset's key clicks are read before the window can first be
    // activated (and silence them), so what is given back is what it had.
    saveKeyClick();
    return makeMainWindow(instance, showCommand);
}

void endGame()
{
    restoreKeyClick();
    writeHighScores();
    if (shell.appKey) {
        RegCloseKey(shell.appKey);
        shell.appKey = nullptr;
    }
}

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
    if (!startGame(instance, showCommand))
        return 0;
    silenceKeyClick();

    MSG msg = {};
    while (GetMessageW(&msg, nullptr, 0, 0) == 1) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }

    endGame();
    return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 0;
}
