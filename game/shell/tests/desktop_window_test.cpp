// The game's window on the screen it runs on, whatever its size and its
// scaling: the zoom it opens at, every frame pixel a block of real pixels,
// the softkey bar in place, the dialogs over the frame, and the keys with
// the game after every dialog, message box and menu. The suite runs on
// several screens (KUBRELSE_EXPECTED_ZOOM names the zoom each opens at).
#include "shell_fixture.h"

#include <cstdlib>

#include "../../resources/resource_ids.h"
#include "desktop.h"

namespace {

// The zoom this screen opens the game at, as the session that runs the
// suite states it; 0 where it states none.
int expectedZoom()
{
    const char* zoom = std::getenv("KUBRELSE_EXPECTED_ZOOM");
    return zoom ? std::atoi(zoom) : 0;
}

// How many frame pixels the screen does not show as a uniform z x z block of
// the printed pixel.
int pixelsNotInBlocks(const Picture& screen, const Frame& printed, int z)
{
    int wrong = 0;
    for (int y = 0; y < FRAME_HEIGHT; ++y)
        for (int x = 0; x < FRAME_WIDTH; ++x) {
            bool uniform = true;
            for (int dy = 0; dy < z && uniform; ++dy)
                for (int dx = 0; dx < z && uniform; ++dx)
                    uniform = screen.at(x * z + dx, y * z + dy) == printed.at(x, y);
            wrong += uniform ? 0 : 1;
        }
    return wrong;
}

class DesktopWindow : public ShellTest {
protected:
    DesktopWindow() { createInSetUp = false; }
    void SetUp() override
    {
        ShellTest::SetUp();
        RegDeleteKeyValueW(HKEY_CURRENT_USER, ZOOM_KEY, ZOOM_VALUE);  // a first start
        createMainWindow();
    }

    // The window shows the frame at zoom in real pixels, every frame pixel a
    // uniform block, with the softkey bar directly below it.
    void expectFrameAt(int zoom, const char* when)
    {
        SCOPED_TRACE(when);
        ASSERT_EQ(desktopZoom(), zoom);
        const std::vector<LONG> client = wintest::rectOf(window(), true);
        EXPECT_EQ(client[2] - client[0], FRAME_WIDTH * zoom) << "client width";
        EXPECT_EQ(client[3] - client[1], FRAME_HEIGHT * zoom) << "client height";
        EXPECT_EQ(wintest::rectOf(shell.menuBar),
                  (std::vector<LONG>{client[0], client[3], client[2], client[3] + SOFTKEY_BAR_HEIGHT * zoom}))
            << "the bar directly below the frame, as wide as it";
        UpdateWindow(window());
        EXPECT_EQ(pixelsNotInBlocks(screenFrame(window(), zoom), printFrame(window()), zoom), 0);
    }

    // The window has the keys, and a key typed now moves the piece.
    void expectKeysWithTheGame(const char* after)
    {
        SCOPED_TRACE(after);
        pump();
        EXPECT_EQ(GetActiveWindow(), window()) << "active";
        EXPECT_EQ(GetFocus(), window()) << "focus";
        const int16_t column = game.pieceCol;
        for (WORD step : {WORD(VK_LEFT), WORD(VK_RIGHT)}) {
            INPUT typed[2] = {};
            typed[0].type = typed[1].type = INPUT_KEYBOARD;
            typed[0].ki.wVk = typed[1].ki.wVk = step;
            typed[1].ki.dwFlags = KEYEVENTF_KEYUP;
            SendInput(2, typed, sizeof(INPUT));
            const int16_t want = step == VK_LEFT ? column - 1 : column;
            EXPECT_TRUE(eventually([&] { return pump(), game.pieceCol == want; }))
                << "the piece is at column " << game.pieceCol << ", expected " << want;
        }
    }

    // Opens a full-screen dialog by command, checks it covers the frame in
    // blocks (a picture) or at all (controls), and closes it by its Continue
    // softkey, F1.
    void openAndContinue(UINT id, const wchar_t* caption, bool picture)
    {
        const int zoom = desktopZoom();
        const std::vector<LONG> frame = wintest::rectOf(window(), true);
        std::vector<LONG> where;
        int wrong = -1;
        std::thread closer = answerWhenShown(L"#32770", caption, [&](HWND dialog) {
            where = wintest::rectOf(dialog, true);
            if (picture)
                eventually([&] {
                    return (wrong = pixelsNotInBlocks(screenFrame(dialog, zoom), printFrame(dialog), zoom)) == 0;
                });
            PostMessageW(dialog, WM_KEYDOWN, VK_F1, 0);
        });
        command(id);
        closer.join();
        EXPECT_EQ(where, frame) << "the dialog covers the frame";
        if (picture) {
            EXPECT_EQ(wrong, 0) << "frame pixels not shown as blocks";
        }
    }
};

TEST_F(DesktopWindow, OpensAtTheLargestZoomThatFitsInRealPixelsWithTheBarDirectlyBelow)
{
    EXPECT_EQ(desktopZoom(), zoomThatFits(window(), 80));
    if (expectedZoom()) {
        EXPECT_EQ(desktopZoom(), expectedZoom()) << "on this screen";
    }
    expectFrameAt(desktopZoom(), "at the first start");
    startGameWith(4);
    key(VK_RIGHT);
    expectFrameAt(desktopZoom(), "after a move");
}

TEST_F(DesktopWindow, AtAChangedZoomTheKeysStayWithTheGameAfterEveryDialogMessageBoxAndMenu)
{
    const int first = desktopZoom();
    ASSERT_GT(first, 1) << "the test screen takes zoom 2";
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    key(VK_OEM_MINUS);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    expectFrameAt(first - 1, "after Ctrl+Minus");

    startGameWith(1);
    expectKeysWithTheGame("after the start");
    std::thread chooser = answerWhenShown(L"#32768", nullptr, [](HWND) {
        PostMessageW(shell.mainWindow, WM_CHAR, L'2', 0);  // "2. Sound Off"
    });
    key(VK_F2);
    chooser.join();
    pump();
    EXPECT_EQ(game.soundOn, 0) << "the Menu softkey's menu";
    expectKeysWithTheGame("after the menu");
    openAndContinue(CMD_HISCORE, L"Kubrel SE", true);
    expectKeysWithTheGame("after the high-score board");
    openAndContinue(CMD_ABOUT, L"About KubrelSE", false);
    expectKeysWithTheGame("after the about box");

    std::thread answer =
        answerWhenShown(L"#32770", L"KubrelSE", [](HWND box) { PostMessageW(box, WM_COMMAND, IDNO, 0); });
    command(CMD_QUIT);
    answer.join();
    ASSERT_TRUE(IsWindow(window()));
    expectKeysWithTheGame("after the quit question, answered no");
    expectFrameAt(first - 1, "at the end");
}

TEST_F(DesktopWindow, AMoveToAnotherMonitorChoosesTheZoomForItAndKeepsTheWindowWithinItsWorkArea)
{
    const int first = desktopZoom();
    const UINT dpi = GetDpiForWindow(window());
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window(), MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& area = monitor.rcWork;
    const auto moveTo = [&](LONG x, LONG y) {
        RECT suggested = {x, y, x + 300, y + 300};
        SendMessageW(window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    };

    moveTo(area.left + 10, area.top + 20);
    EXPECT_EQ(wintest::rectOf(window())[0], area.left + 10) << "where the system suggests";
    EXPECT_EQ(wintest::rectOf(window())[1], area.top + 20);
    expectFrameAt(first, "without a chosen zoom: the first start's");

    SendMessageW(window(), WM_SYSCOMMAND, SC_ZOOM_BASE + SC_ZOOM_STEP, 0);
    moveTo(area.right - 5, area.bottom - 5);
    expectFrameAt(1, "the zoom the player chose");
    const std::vector<LONG> placed = wintest::rectOf(window());
    EXPECT_LE(placed[2], area.right) << "kept within the work area";
    EXPECT_LE(wintest::rectOf(shell.menuBar)[3], area.bottom) << "the bar too";
}

}  // namespace
