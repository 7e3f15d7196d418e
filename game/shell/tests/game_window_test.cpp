// The game as a desktop window at a changed zoom: its dialogs cover the
// frame, and the keys come back to the game after every dialog, message
// box and menu of its own. (The desktop window itself: the layer's tests.)
#include "shell_fixture.h"

#include "../../resources/resource_ids.h"
#include "desktop.h"

namespace {

class GameWindow : public ShellTest {
protected:
    // At zoom 2 (ShellTest opens the game at 1).
    void SetUp() override
    {
        ShellTest::SetUp();
        SendMessageW(window(), WM_SYSCOMMAND, SC_ZOOM_BASE + 2 * SC_ZOOM_STEP, 0);
    }

    // The window has the keys, and a key typed now moves the piece.
    void expectKeysWithTheGame(const char* after)
    {
        SCOPED_TRACE(after);
        wintest::expectKeysWith(window());
        const int16_t column = game.pieceCol;
        for (WORD step : {WORD(VK_LEFT), WORD(VK_RIGHT)}) {
            const int16_t want = step == VK_LEFT ? column - 1 : column;
            EXPECT_TRUE(wintest::typedKeyArrives(step, [&] { return game.pieceCol == want; }))
                << "the piece is at column " << game.pieceCol << ", expected " << want;
        }
    }

    // Opens a full-screen dialog by command, checks it covers the frame and
    // closes it by its Continue softkey, F1.
    void openAndContinue(UINT id, const wchar_t* caption)
    {
        const std::vector<LONG> frame = wintest::rectOf(window(), true);
        std::vector<LONG> where;
        std::thread closer = answerWhenShown(L"#32770", caption, [&](HWND dialog) {
            where = wintest::rectOf(dialog, true);
            PostMessageW(dialog, WM_KEYDOWN, VK_F1, 0);
        });
        command(id);
        closer.join();
        EXPECT_EQ(where, frame) << "the dialog covers the frame";
    }
};

TEST_F(GameWindow, TheKeysStayWithTheGameAfterEveryDialogMessageBoxAndMenu)
{
    ASSERT_EQ(desktopZoom(), 2) << "the test screen takes zoom 2";
    startGameWith(1);
    expectKeysWithTheGame("after the start");
    wintest::chooseFromMenu(window(), L'2', [&] { key(VK_F2); });  // "2. Sound Off"
    EXPECT_EQ(game.soundOn, 0) << "the Menu softkey's menu";
    expectKeysWithTheGame("after the menu");
    openAndContinue(CMD_HISCORE, L"Kubrel SE");
    expectKeysWithTheGame("after the high-score board");
    openAndContinue(CMD_ABOUT, L"About KubrelSE");
    expectKeysWithTheGame("after the about box");

    std::thread answer =
        answerWhenShown(L"#32770", L"KubrelSE", [](HWND box) { PostMessageW(box, WM_COMMAND, IDNO, 0); });
    command(CMD_QUIT);
    answer.join();
    ASSERT_TRUE(IsWindow(window()));
    expectKeysWithTheGame("after the quit question, answered no");
    EXPECT_EQ(desktopZoom(), 2);
}

}  // namespace
