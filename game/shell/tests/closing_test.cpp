// What closing leaves behind: the full-screen dialogs closed by WM_CLOSE,
// and the process once the main window has gone.
#include "shell_fixture.h"

#include "../../resources/resource_ids.h"
#include "key_click.h"

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
    const auto playAndClose = [this] {
        createMainWindow();
        startGameWith(1);
        command(CMD_PAUSE);
        DestroyWindow(window());
        pump();
        resetGameState();
        resetShellState();
        forgetKeyClick();
    };
    // What the window system makes once and keeps for such a window (what
    // it draws a frame with, the contexts GetDC hands out, whatever a first
    // window of a kind sets up and gives back later) is settled by one whole
    // game first. Then a second game leaves the count where it was: any
    // object the window made and did not give back stays counted, a kept
    // picture never deleted, or deleted while still selected.
    playAndClose();
    const unsigned before = drawingObjectsInUse();
    playAndClose();
    EXPECT_EQ(drawingObjectsInUse(), before);
}

}  // namespace
