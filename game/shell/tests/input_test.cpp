// Keys, softkeys, menu commands and gravity steps on the real main window.
#include "shell_fixture.h"

#include <mmsystem.h>

#include <algorithm>
#include <cstring>

#include "../../resources/resource_ids.h"
#include "desktop.h"

namespace {

const UINT WAITING = SND_NODEFAULT | SND_MEMORY;
const UINT ASYNC = SND_ASYNC | WAITING;
using Sounds = std::vector<SoundRequest>;

// Counts the dialogs this thread starts to create, and lets none be made.
int dialogsRefused = 0;
LRESULT CALLBACK refuseDialogs(int code, WPARAM wParam, LPARAM lParam)
{
    wchar_t name[16] = L"";
    if (code == HCBT_CREATEWND && GetClassNameW(reinterpret_cast<HWND>(wParam), name, 16) &&
        !lstrcmpW(name, L"#32770")) {
        ++dialogsRefused;
        return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class MainWindowInput : public ShellTest {
protected:
    std::vector<uint8_t> board() const { return std::vector<uint8_t>(game.board, game.board + FIELD_CELLS); }

    // A bar dropped on a well filled to the top ends the game.
    void endGameByLanding(int32_t score)
    {
        startGameWith(3);
        setRows(std::vector<std::string>(12, "1.1.1.1.1."));
        game.pieceType = 3;
        spawnPiece();
        game.score = score;
        key(VK_DOWN);
        ASSERT_EQ(game.gameOver, 1);
    }

    std::wstring softkeyLabel(int index)
    {
        wchar_t label[32] = L"?";
        UINT commandId = 0;
        EXPECT_EQ(softkeyInfo(shell.menuBar, index, label, 32, &commandId), 1);
        return std::wstring(label) + L":" + std::to_wstring(commandId);
    }
};

TEST_F(MainWindowInput, TitleGameOverAndPauseLetOnlyHashThroughAndGravityMovesOnlyPlay)
{
    const auto everythingButHash = [this] {
        for (WPARAM k : {WPARAM(VK_LEFT), WPARAM(VK_RIGHT), WPARAM(VK_UP), WPARAM(VK_DOWN), WPARAM('A')})
            key(k);
        SendMessageW(window(), MSG_GRAVITY_STEP, 0, 0);
    };
    key(VK_F9);
    everythingButHash();
    EXPECT_EQ(game.level, 0);
    EXPECT_EQ(game.paused, 0) << "not even '#' pauses the title";
    EXPECT_EQ(board(), std::vector<uint8_t>(FIELD_CELLS, 0));

    startGameWith(4);
    key(VK_F9);
    ASSERT_EQ(game.paused, 1);
    std::vector<uint8_t> before = board();
    everythingButHash();
    EXPECT_EQ(board(), before);
    EXPECT_EQ(soundRequests, Sounds{});
    key(VK_F9);
    EXPECT_EQ(game.paused, 0);

    const int16_t row = game.pieceRow;
    SendMessageW(window(), MSG_GRAVITY_STEP, 0, 0);
    EXPECT_EQ(game.pieceRow, row - 1);
    for (int i = 0; i < FIELD_ROWS; ++i)
        SendMessageW(window(), MSG_GRAVITY_STEP, 0, 0);
    EXPECT_EQ(game.score, 10) << "the step that finds the floor lands the piece";
    EXPECT_EQ(soundRequests, (Sounds{{IDR_SOUND_LANDED, WAITING}}));

    game.gameOver = 1;
    before = board();
    key(VK_F9);
    everythingButHash();
    EXPECT_EQ(board(), before);
    EXPECT_EQ(game.paused, 0);
    EXPECT_EQ(soundRequests.size(), 1u);
}

TEST_F(MainWindowInput, OneDownPressLandsThePieceAndBringsTheNextInOneJump)
{
    startGameWith(4);
    const int16_t next = game.nextType;
    key(VK_DOWN);
    EXPECT_EQ(std::memcmp(game.board, "\0\0\0\4\4\4\4\0\0\0", 10), 0) << "the bar lies on the floor";
    EXPECT_EQ(game.score, 10);
    EXPECT_EQ(game.pieceType, next);
    EXPECT_EQ(game.landed, 0);
    EXPECT_EQ(soundRequests, (Sounds{{IDR_SOUND_LANDED, WAITING}}));
    // And the screen shows it already, before any other message was handled.
    EXPECT_PICTURE_AT(screenFrame(window()), IDB_CELL_BASE + 4, 39, 162);

    // A drop that fills a row clears it and plays the rows sound, not waiting.
    soundRequests.clear();
    setRows({"444....444"});
    game.pieceType = 4;
    spawnPiece();
    key(VK_DOWN);
    EXPECT_EQ(soundRequests, (Sounds{{IDR_SOUND_ROWS, ASYNC}}));
    EXPECT_EQ(game.board[0], 0) << "the full row went";
    EXPECT_EQ(game.linesCleared, 0);
}

TEST_F(MainWindowInput, OnlyASuccessfulTurnPlaysTheTurnSoundAndSoundOffPlaysNothing)
{
    startGameWith(4);
    key(VK_UP);
    EXPECT_EQ(soundRequests, (Sounds{{IDR_SOUND_TURNED, ASYNC}}));

    soundRequests.clear();
    std::vector<std::string> rows(FIELD_ROWS, "..........");
    rows[10] = ".....1....";  // in the way of the turned bar
    setRows(rows);
    game.pieceType = 4;
    spawnPiece();
    key(VK_UP);
    EXPECT_EQ(game.rotation, 0);
    EXPECT_EQ(soundRequests, Sounds{});

    command(CMD_SOUND_OFF);
    setRows({});
    spawnPiece();
    key(VK_UP);
    key(VK_DOWN);
    EXPECT_EQ(soundRequests, Sounds{});
}

TEST_F(MainWindowInput, AGameOverSoundsEndThenLandingAndOnlyARecordIsKeptAtOnceAndOpensTheBoardLater)
{
    for (int32_t& score : game.highScores)
        score = 30000;
    ASSERT_NO_FATAL_FAILURE(endGameByLanding(0));
    ASSERT_EQ(game.newRecord, 0);
    dialogsRefused = 0;
    HHOOK hook = SetWindowsHookExW(WH_CBT, refuseDialogs, nullptr, GetCurrentThreadId());
    pump();
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(dialogsRefused, 0) << "without a record no board opens";
    EXPECT_EQ(storedScores(), L"<no key>");

    const int32_t table[] = {125, 0, 0, 0, 0};
    std::copy(table, table + HIGH_SCORE_COUNT, game.highScores);
    ASSERT_NO_FATAL_FAILURE(endGameByLanding(120));
    ASSERT_EQ(game.newRecord, 1);
    EXPECT_EQ(soundRequests, (Sounds{{IDR_SOUND_GAME_OVER, ASYNC}, {IDR_SOUND_LANDED, WAITING}}));
    EXPECT_EQ(storedScores(), L"HiScore1=130 HiScore2=125 HiScore3=0 HiScore4=0 HiScore5=0")
        << "the record is in the registry before the program ends";
    EXPECT_PICTURE_AT(screenFrame(window()), IDB_GAME_OVER, 20, 78);

    // Half a second after the end is handled, the board opens by itself.
    int32_t pausedMeanwhile = -1;
    std::thread closer = answerWhenShown(L"#32770", L"Kubrel SE", [&](HWND board) {
        pausedMeanwhile = game.paused;
        if (board)
            SendMessageW(board, WM_COMMAND, CMD_CONTINUE, 0);
    });
    MSG msg;
    ASSERT_TRUE(eventually(
        [&] { return PeekMessageW(&msg, window(), MSG_AFTER_GAME_OVER, MSG_AFTER_GAME_OVER, PM_REMOVE) != 0; }));
    const DWORD handled = GetTickCount();
    DispatchMessageW(&msg);
    closer.join();
    EXPECT_GE(GetTickCount() - handled, 450u);
    EXPECT_EQ(pausedMeanwhile, 1);
    EXPECT_EQ(game.paused, 0);
}

TEST_F(MainWindowInput, StartRestartPauseAndResume)
{
    EXPECT_EQ(softkeyLabel(0), L"Start:201");
    EXPECT_EQ(softkeyLabel(1), L"Menu:202");

    // Pausing the title only sets the flag; Start then only takes it away.
    command(CMD_PAUSE);
    EXPECT_EQ(game.paused, 1);
    EXPECT_PICTURE_AT(printFrame(window()), IDB_INSTRUCTIONS, 3, 6);
    ASSERT_EQ(pressSoftkey(shell.menuBar, 0), 1);
    EXPECT_EQ(game.paused, 0);
    EXPECT_EQ(game.level, 0);
    EXPECT_EQ(softkeyLabel(0), L"Restart:201") << "relabelled on its first use, even a resume";

    key(VK_F1);  // the left softkey key
    EXPECT_EQ(game.level, 1);
    key(VK_DOWN);
    ASSERT_EQ(game.score, 10);

    key(VK_F9);
    EXPECT_PICTURE_AT(screenFrame(window()), IDB_PAUSED, 20, 78);
    const std::vector<uint8_t> pausedBoard = board();
    command(CMD_START);
    EXPECT_EQ(game.paused, 0);
    EXPECT_EQ(game.score, 10) << "Start while paused resumes the same game";
    EXPECT_EQ(board(), pausedBoard);

    command(CMD_START);
    EXPECT_EQ(game.score, 0) << "Start in a game begins a new one";
    EXPECT_EQ(game.level, 1);
    EXPECT_EQ(FIELD_CELLS - std::count(game.board, game.board + FIELD_CELLS, 0), 4) << "only the new piece";
    EXPECT_EQ(softkeyLabel(0), L"Restart:201");
}

TEST_F(MainWindowInput, TheFirstStartLeavesTheLeftKeyBlankWhereItsNewTextIsMissing)
{
    shell.instance = GetModuleHandleW(L"ntdll.dll");  // resources without that text
    {
        // Whatever an earlier call left on the stack must not become the label.
        volatile wchar_t scribble[8192];
        for (auto& c : scribble)
            c = L'x';
    }
    command(CMD_START);
    shell.instance = GetModuleHandleW(nullptr);
    EXPECT_EQ(game.level, 1) << "the game started all the same";
    EXPECT_EQ(wintest::textOf(shell.menuBar), "\tMenu");
}

TEST_F(MainWindowInput, TheWindowIsTheHandsetScreenAndTakesTheKeysWhenActivated)
{
    const std::vector<LONG> frame = wintest::rectOf(window(), true);
    EXPECT_EQ((std::vector<LONG>{frame[2] - frame[0], frame[3] - frame[1]}),
              (std::vector<LONG>{FRAME_WIDTH, FRAME_HEIGHT}));

    // The game's activation handler leaves the window's default handling
    // out; the keys must come to the game all the same.
    command(CMD_START);
    SetFocus(nullptr);
    SendMessageW(window(), WM_ACTIVATE, WA_CLICKACTIVE, 0);
    ASSERT_EQ(GetFocus(), window());
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_F9, 1);
    pump();
    EXPECT_EQ(game.paused, 1);
}

class RunningPacer : public MainWindowInput {
protected:
    RunningPacer() { createInSetUp = false; }
};

TEST_F(RunningPacer, ClosingTheWindowStopsThePacerAndEndsTheLoopWithZero)
{
    setPacerTimeScale(20);  // a step every few milliseconds
    createMainWindow();
    startGameWith(4);
    MSG msg;
    EXPECT_TRUE(eventually([&] {
        if (PeekMessageW(&msg, window(), MSG_GRAVITY_STEP, MSG_GRAVITY_STEP, PM_REMOVE))
            DispatchMessageW(&msg);
        return game.pieceRow < SPAWN_ROW;
    })) << "the pacer drove the piece";
    ASSERT_EQ(gravityPacerRunning(), 1);
    SendMessageW(window(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window()));
    EXPECT_EQ(gravityPacerRunning(), 0);
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, MSG_GRAVITY_STEP, MSG_GRAVITY_STEP, PM_REMOVE))
        << "no step is left for a window that is gone";
}

TEST_F(MainWindowInput, TheMenuSoftkeyDropsDownTheCheckedMenuAndSendsTheChoice)
{
    // Paused with sound on, choosing "2. Sound Off"; then playing with
    // sound off, choosing "1. Sound On". Checked: Pause, Sound On, Sound Off.
    const struct {
        int32_t paused;
        const char* checked;
        wchar_t choice;
        int32_t soundAfter;
    } rounds[] = {{1, "110", L'2', 0}, {0, "001", L'1', 1}};
    for (const auto& round : rounds) {
        SCOPED_TRACE(testing::Message() << "choice " << char(round.choice));
        game.paused = round.paused;
        std::string checked;
        std::thread chooser = answerWhenShown(L"#32768", nullptr, [&](HWND menuWindow) {
            HMENU shown = reinterpret_cast<HMENU>(SendMessageW(menuWindow, 0x01E1 /* MN_GETHMENU */, 0, 0));
            for (UINT id : {CMD_PAUSE, CMD_SOUND_ON, CMD_SOUND_OFF})
                checked += GetMenuState(shown, id, MF_BYCOMMAND) & MF_CHECKED ? '1' : '0';
            PostMessageW(shell.mainWindow, WM_CHAR, round.choice, 0);
        });
        key(VK_F2);
        chooser.join();
        pump();
        EXPECT_EQ(checked, round.checked);
        EXPECT_EQ(game.soundOn, round.soundAfter) << "the chosen item reached the window";
    }
}

TEST_F(MainWindowInput, DialogsCoverTheFramePauseThePlayAndPutThePauseBack)
{
    const std::vector<LONG> frame = wintest::rectOf(window(), true);
    startGameWith(1);
    const Picture boardPicture = loadPicture(IDB_HISCORE_BOARD);
    for (int32_t pausedBefore : {0, 1}) {
        SCOPED_TRACE(testing::Message() << "paused before: " << pausedBefore);
        game.paused = pausedBefore;
        int32_t pausedDuring = -1;
        std::vector<LONG> where;
        Frame shown;
        std::thread closer = answerWhenShown(L"#32770", L"Kubrel SE", [&](HWND board) {
            pausedDuring = game.paused;
            where = wintest::rectOf(board, true);
            shown = printFrame(board);
            SendMessageW(board, WM_COMMAND, CMD_START, 0);  // not a closing command
            SendMessageW(board, WM_KEYDOWN, VK_F1, 0);      // its "Continue" softkey
        });
        command(CMD_HISCORE);
        closer.join();
        EXPECT_EQ(pausedDuring, 1);
        EXPECT_EQ(game.paused, pausedBefore);
        EXPECT_EQ(where, frame) << "the dialog covers the frame";
        ASSERT_FALSE(shown.rgb.empty());
        // The board picture with the place labels, the scores drawn over it.
        expectBox(shown, 3, 6, boardPicture, 0, 0, 45, boardPicture.height, __LINE__);
        EXPECT_DIGITS_AT(shown, "0", 70, 46);
    }

    game.paused = 0;
    bool aboutShown = false;
    std::thread closer = answerWhenShown(L"#32770", L"About KubrelSE", [&](HWND about) {
        aboutShown = about != nullptr;
        SendMessageW(about, WM_CLOSE, 0, 0);
    });
    command(CMD_ABOUT);
    closer.join();
    EXPECT_TRUE(aboutShown);
    EXPECT_EQ(game.paused, 0);
}

TEST_F(MainWindowInput, QuitAnsweredNoLeavesTheGameRunningWhileGravityGoesOn)
{
    startGameWith(4);
    const int16_t rowBefore = game.pieceRow;
    std::thread answer = answerWhenShown(L"#32770", L"KubrelSE", [&](HWND question) {
        // The question's own loop handles the step meanwhile.
        PostMessageW(shell.mainWindow, MSG_GRAVITY_STEP, 0, 0);
        eventually([&] { return game.pieceRow != rowBefore; });
        SendMessageW(question, WM_COMMAND, IDNO, 0);
    });
    command(CMD_QUIT);
    answer.join();
    EXPECT_TRUE(IsWindow(window()));
    EXPECT_EQ(game.pieceRow, rowBefore - 1) << "the piece fell while the question was up";
    EXPECT_EQ(game.paused, 0);

    answer =
        answerWhenShown(L"#32770", L"KubrelSE", [&](HWND question) { SendMessageW(question, WM_COMMAND, IDYES, 0); });
    command(CMD_QUIT);
    answer.join();
    EXPECT_FALSE(IsWindow(window()));
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
}

TEST_F(RunningPacer, AtLevelElevenKeysAndPaintsStillGetThrough)
{
    // No delay at all between steps: the queue must still reach the keys
    // behind them, and the window must still be painted.
    setPacerTimeScale(1000);
    createMainWindow();
    startGameWith(4);
    game.level = 11;
    MSG msg;
    const int16_t startRow = game.pieceRow;
    ASSERT_TRUE(eventually([&] {
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        return game.pieceRow < startRow - 2;
    })) << "the pacer drives the piece";
    PostMessageW(window(), WM_KEYDOWN, VK_F9, 0);
    ASSERT_TRUE(eventually([&] {
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        return game.paused == 1;
    })) << "the pause key was reached";
    EXPECT_EQ(game.gameOver, 0);
    RECT stale;
    EXPECT_FALSE(GetUpdateRect(window(), &stale, FALSE)) << "nothing is left unpainted";
    EXPECT_PICTURE_AT(screenFrame(window()), IDB_PAUSED, 20, 78);
}

}  // namespace
