#include "main_window.h"

#include <commctrl.h>

#include "../resources/resource_ids.h"
#include "dialogs.h"
#include "engine.h"
#include "key_click.h"
#include "locked_resource.h"
#include "render.h"
#include "settings.h"
#include "shell_state.h"
#include "softkeys.h"
#include "sound.h"

namespace {

constexpr int RELABEL_ROOM = 20;
constexpr DWORD BOARD_DELAY_MS = 500;

// What has been asked to be repainted since the window was last brought up
// to date, gathered into one rectangle: every invalidation is a round trip
// to the window system that costs more than painting the cells it names, and
// a dropped piece asks for its box at every row it passes.
RECT pendingRepaint;
int pendingAll;

void hostRepaint(const Rect* area)
{
    if (!area) {
        pendingAll = 1;
        return;
    }
    const RECT r = {area->left, area->top, area->right, area->bottom};
    UnionRect(&pendingRepaint, &pendingRepaint, &r);
}

// Invalidates what has been asked for, in one piece, and paints it at once.
void showChanges(HWND window)
{
    if (pendingAll)
        InvalidateRect(window, nullptr, FALSE);
    else if (!IsRectEmpty(&pendingRepaint))
        InvalidateRect(window, &pendingRepaint, FALSE);
    pendingAll = 0;
    SetRectEmpty(&pendingRepaint);
    UpdateWindow(window);
}

int hostPostGravityStep() { return shell.mainWindow && PostMessageW(shell.mainWindow, MSG_GRAVITY_STEP, 0, 0) ? 1 : 0; }

int hostLoadTile(uint16_t resourceId, uint8_t mask[16])
{
    DWORD size = 0;
    const auto* bytes = static_cast<const uint8_t*>(lockedResource(shell.instance, resourceId, L"TILE", &size));
    if (!bytes || size < 16)
        return 0;
    for (int i = 0; i < 16; ++i)
        mask[i] = bytes[i];
    return 1;
}

void invalidatePlayfield() { hostRepaint(&screenLayout.playfieldRect); }

// After a blocked downward move: land, show it, then sound it.
void landingFollowUp(HWND window)
{
    landPiece();
    if (game.gameOver) {
        invalidatePlayfield();
        playSound(IDR_SOUND_GAME_OVER, 0);
        PostMessageW(window, MSG_AFTER_GAME_OVER, 0, 0);
        // A record is kept at once, not only at exit.
        if (game.newRecord)
            writeHighScores();
    }
    showChanges(window);
    if (game.linesCleared)
        playSound(IDR_SOUND_ROWS, 0);
    else
        playSound(IDR_SOUND_LANDED, 1);
    game.landed = 0;
    game.linesCleared = 0;
}

LRESULT onCreate(HWND window)
{
    shell.mainWindow = window;
    pendingAll = 0;  // the new window is painted whole anyway
    SetRectEmpty(&pendingRepaint);
    shell.menuBar = createSoftkeyBar(window, IDM_MAIN_BAR);
    if (!shell.menuBar)
        PostQuitMessage(0);
    if (!shell.gravityThread)
        shell.gravityThread = startGravityPacer();
    keepPictures();
    return 1;
}

LRESULT onDestroy()
{
    if (shell.gravityThread) {
        stopGravityPacer();  // returns once the pacer has ended
        shell.gravityThread = 0;
    }
    releasePictures();
    PostQuitMessage(0);
    return 1;
}

LRESULT onActivate(WPARAM wParam)
{
    if (LOWORD(wParam) != WA_INACTIVE)
        silenceKeyClick();
    else
        restoreKeyClick();
    return 1;
}

LRESULT onKeyDown(HWND window, WPARAM key)
{
    if (game.gameOver || game.level == 0)
        return 1;
    if (game.paused && key != VK_F9)
        return 1;
    switch (key) {
    case VK_DOWN:
        dropPiece();
        landingFollowUp(window);
        break;
    case VK_UP:
        if (turnPiece()) {
            playSound(IDR_SOUND_TURNED, 0);
            showChanges(window);
        }
        break;
    case VK_LEFT:
    case VK_RIGHT:
        if (movePiece(key == VK_LEFT ? MOVE_LEFT : MOVE_RIGHT))
            showChanges(window);
        break;
    case VK_F9:
        SendMessageW(window, WM_COMMAND, CMD_PAUSE, 0);
        break;
    default:
        break;
    }
    return 1;
}

LRESULT onGravityStep(HWND window)
{
    gravityStepTaken();
    if (game.gameOver || game.level == 0 || game.paused)
        return 1;
    movePiece(MOVE_DOWN);
    if (game.landed)
        landingFollowUp(window);
    else
        showChanges(window);
    return 1;
}

LRESULT onAfterGameOver(HWND window)
{
    if (game.newRecord) {
        Sleep(BOARD_DELAY_MS);
        SendMessageW(window, WM_COMMAND, CMD_HISCORE, 0);
    }
    return 1;
}

LRESULT onInitMenuPopup(HWND window, WPARAM wParam)
{
    (void)window;
    HMENU popup = reinterpret_cast<HMENU>(wParam);
    if (game.soundOn) {
        CheckMenuItem(popup, CMD_SOUND_ON, MF_BYCOMMAND | MF_CHECKED);
        CheckMenuItem(popup, CMD_SOUND_OFF, MF_BYCOMMAND | MF_UNCHECKED);
    } else {
        CheckMenuItem(popup, CMD_SOUND_OFF, MF_BYCOMMAND | MF_CHECKED);
        CheckMenuItem(popup, CMD_SOUND_ON, MF_BYCOMMAND | MF_UNCHECKED);
    }
    CheckMenuItem(popup, CMD_PAUSE, MF_BYCOMMAND | (game.paused ? MF_CHECKED : MF_UNCHECKED));
    return 1;
}

void relabelStartKey()
{
    wchar_t label[RELABEL_ROOM];
    if (LoadStringW(shell.instance, IDS_RESTART, label, RELABEL_ROOM) <= 0)
        label[0] = L'\0';
    TBBUTTONINFOW info = {};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT | TBIF_COMMAND;
    info.idCommand = CMD_START;
    info.pszText = label;
    if (shell.menuBar)
        SendMessageW(shell.menuBar, TB_SETBUTTONINFOW, CMD_START, reinterpret_cast<LPARAM>(&info));
}

void onStart(HWND window)
{
    if (game.firstStart) {
        relabelStartKey();
        game.firstStart = 0;
    }
    if (game.paused) {
        game.paused = 0;
        invalidatePlayfield();
    } else {
        newGame();
        hostRepaint(nullptr);
    }
    showChanges(window);
}

void runPausedDialog(UINT templateId, DLGPROC procedure)
{
    const int32_t wasPaused = game.paused;
    game.paused = 1;
    runDialog(templateId, procedure);
    game.paused = wasPaused;
}

LRESULT onCommand(HWND window, WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case CMD_START:
        onStart(window);
        return 1;
    case CMD_PAUSE:
        game.paused = game.paused ? 0 : 1;
        invalidatePlayfield();
        showChanges(window);
        return 1;
    case CMD_SOUND_ON:
        game.soundOn = 1;
        return 1;
    case CMD_SOUND_OFF:
        game.soundOn = 0;
        return 1;
    case CMD_HISCORE:
        runPausedDialog(IDD_HISCORE, HiScoreDialog);
        return 1;
    case CMD_ABOUT:
        runPausedDialog(IDD_ABOUT, AboutDialog);
        return 1;
    case CMD_QUIT:
        confirmQuit(window);
        return 1;
    default:
        return DefWindowProcW(window, WM_COMMAND, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return onCreate(window);
    case WM_DESTROY:
        return onDestroy();
    case WM_ACTIVATE:
        return onActivate(wParam);
    case WM_PAINT:
        paintMainWindow(window);
        return 1;
    case WM_PRINTCLIENT:
        renderMainFrame(reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_CLOSE:
        DestroyWindow(window);
        return 1;
    case WM_KEYDOWN:
        return onKeyDown(window, wParam);
    case WM_COMMAND:
        return onCommand(window, wParam, lParam);
    case WM_INITMENUPOPUP:
        return onInitMenuPopup(window, wParam);
    case MSG_AFTER_GAME_OVER:
        return onAfterGameOver(window);
    case MSG_GRAVITY_STEP:
        return onGravityStep(window);
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void installEngineHost()
{
    static const EngineHost host = {hostRepaint, hostPostGravityStep, hostLoadTile};
    setEngineHost(&host);
}

ATOM registerMainClass(HINSTANCE instance)
{
    WNDCLASSW cls = {};
    cls.style = CS_HREDRAW | CS_VREDRAW;
    cls.lpfnWndProc = mainWindowProc;
    cls.cbClsExtra = 0;
    cls.cbWndExtra = 0;
    cls.hInstance = instance;
    cls.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_GAME));
    cls.hCursor = nullptr;
    cls.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    cls.lpszMenuName = nullptr;
    cls.lpszClassName = MAIN_CLASS_NAME;
    return RegisterClassW(&cls);
}

int makeMainWindow(HINSTANCE instance, int showCommand)
{
    shell.mainWindow = CreateWindowExW(0,
                                       MAIN_CLASS_NAME,
                                       MAIN_TITLE,
                                       WS_VISIBLE,
                                       CW_USEDEFAULT,
                                       CW_USEDEFAULT,
                                       CW_USEDEFAULT,
                                       CW_USEDEFAULT,
                                       nullptr,
                                       nullptr,
                                       instance,
                                       nullptr);
    if (!shell.mainWindow)
        return 0;
    ShowWindow(shell.mainWindow, showCommand);
    UpdateWindow(shell.mainWindow);
    return 1;
}
