// What closing leaves behind: the full-screen dialogs closed by WM_CLOSE,
// and the process once the main window has gone.
#include "shell_fixture.h"

#include "../../resources/resource_ids.h"

namespace {

// From inside a dialog's modal loop: its own procedure's answer to WM_CLOSE,
// the answer the window system acts on.
INT_PTR closeAnswer = -1;
void CALLBACK closeShownDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = FindWindowW(L"#32770", nullptr);
    if (!dialog || GetWindowThreadProcessId(dialog, nullptr) != GetCurrentThreadId())
        return;
    KillTimer(nullptr, timer);
    const auto procedure = reinterpret_cast<DLGPROC>(GetWindowLongPtrW(dialog, DWLP_DLGPROC));
    closeAnswer = procedure ? procedure(dialog, WM_CLOSE, 0, 0) : -1;
}

using Closing = ShellTest;

TEST_F(Closing, TheBoardAndTheAboutBoxCloseOnWmCloseAndAnswerThatTheyHandledIt)
{
    for (UINT opens : {CMD_HISCORE, CMD_ABOUT}) {
        closeAnswer = -1;
        SetTimer(nullptr, 0, 10, closeShownDialog);
        command(opens);  // returns once the dialog has closed
        EXPECT_EQ(closeAnswer, TRUE) << "command " << opens;
    }
}

class ClosingTheGame : public ShellTest {
protected:
    ClosingTheGame() { createInSetUp = false; }
};

TEST_F(ClosingTheGame, LeavesNoDrawingObjectOfTheWindowBehind)
{
    // What the window system makes once and keeps: what it draws a
    // window's frame with, and the contexts GetDC hands out (eight at once,
    // so the cache is as full before the game's window as that window
    // leaves it).
    HWND plain[8];
    HDC contexts[8];
    for (int i = 0; i < 8; ++i) {
        plain[i] = CreateWindowW(
            L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 99, 99, nullptr, nullptr, nullptr, nullptr);
        UpdateWindow(plain[i]);
        contexts[i] = GetDC(plain[i]);
    }
    for (int i = 0; i < 8; ++i) {
        ReleaseDC(plain[i], contexts[i]);
        DestroyWindow(plain[i]);
    }
    // Any object the window made and did not give back stays counted: a
    // kept picture never deleted, or deleted while still selected.
    const unsigned before = drawingObjectsInUse();
    createMainWindow();
    startGameWith(1);
    command(CMD_PAUSE);
    DestroyWindow(window());
    pump();
    EXPECT_EQ(drawingObjectsInUse(), before);
}

}  // namespace
