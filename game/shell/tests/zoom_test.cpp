// The game as a desktop window: the zoom, where it comes from and how it is
// changed, and what the screen shows at a zoom.
#include "shell_fixture.h"

#include "../../resources/resource_ids.h"
#include "desktop.h"

namespace {

UINT zoomItem(int zoom) { return SC_ZOOM_BASE + SC_ZOOM_STEP * zoom; }

// got shows want pixel for pixel; a failure names the first other pixel.
void expectSamePicture(const Picture& got, const Picture& want, int line)
{
    ASSERT_EQ(got.width, want.width) << "checked from line " << line;
    ASSERT_EQ(got.height, want.height) << "checked from line " << line;
    for (size_t i = 0; i < want.rgb.size(); ++i)
        if (got.rgb[i] != want.rgb[i]) {
            ADD_FAILURE() << "pixel (" << i % want.width << ", " << i / want.width << "): got " << std::hex
                          << got.rgb[i] << ", expected " << want.rgb[i] << ", checked from line " << std::dec << line;
            return;
        }
}

class Zoom : public ShellTest {
protected:
    Zoom() { createInSetUp = false; }

    // A REG_SZ value holds the text whose four bytes read as zoom 3.
    void storeZoom(DWORD type, DWORD value)
    {
        const wchar_t text[] = {3, 0};
        setRawValue(ZOOM_KEY, ZOOM_VALUE, type, type == REG_SZ ? static_cast<const void*>(text) : &value, 4);
    }
    void chooseZoom(int zoom) { SendMessageW(window(), WM_SYSCOMMAND, zoomItem(zoom), 0); }
    std::vector<LONG> clientSize() const
    {
        const std::vector<LONG> r = wintest::rectOf(window(), true);
        return {r[2] - r[0], r[3] - r[1]};
    }
    static std::vector<LONG> frameAt(int zoom) { return {FRAME_WIDTH * zoom, FRAME_HEIGHT * zoom}; }
    // The largest zoom the system menu offers.
    int largestZoom() const
    {
        int largest = 0;
        while (GetMenuState(GetSystemMenu(window(), FALSE), zoomItem(largest + 1), MF_BYCOMMAND) != UINT(-1))
            ++largest;
        return largest;
    }
    void restart()
    {
        DestroyWindow(window());
        pump();
        RegCloseKey(shell.appKey);
        createMainWindow();
    }
};

TEST_F(Zoom, AtZoomThreeTheScreenShowsThePrintedFrameInBlocksAfterStartAMoveAndPartOfAPixel)
{
    storeZoom(REG_DWORD, 3);
    createMainWindow();
    ASSERT_EQ(desktopZoom(), 3);
    EXPECT_EQ(clientSize(), frameAt(3));
    expectSamePicture(screenFrame(window(), 3), zoomedBy(printFrame(window()), 3), __LINE__);
    startGameWith(4);
    key(VK_LEFT);  // the engine invalidates the piece's boxes, in frame pixels
    EXPECT_EQ(printFrame(window()).width, FRAME_WIDTH);
    expectSamePicture(screenFrame(window(), 3), zoomedBy(printFrame(window()), 3), __LINE__);

    // A screen rectangle within one frame pixel brings that whole frame
    // pixel up to date, and nothing else.
    const Frame before = printFrame(window());
    Picture expected = screenFrame(window(), 3);
    game.score = 7;
    const Frame after = printFrame(window());
    size_t changed = 0;
    while (changed < after.rgb.size() && after.rgb[changed] == before.rgb[changed])
        ++changed;
    ASSERT_LT(changed, after.rgb.size());
    const int x = int(changed % FRAME_WIDTH), y = int(changed / FRAME_WIDTH);
    ASSERT_GE(3 * x, FRAME_WIDTH) << "a changed pixel whose sliver is no frame pixel";
    const RECT sliver = {3 * x + 1, 3 * y + 1, 3 * x + 2, 3 * y + 2};
    InvalidateRect(window(), &sliver, FALSE);
    UpdateWindow(window());
    for (int dy = 0; dy < 3; ++dy)
        for (int dx = 0; dx < 3; ++dx)
            expected.rgb[size_t((3 * y + dy) * expected.width + 3 * x + dx)] = after.at(x, y);
    expectSamePicture(screenFrame(window(), 3), expected, __LINE__);
}

// Where the about box's controls lie in its client area, how tall their
// letters are and how wide the icon is.
struct AboutLayout {
    std::vector<std::vector<LONG>> controls;
    LONG letters = 0;
    LONG icon = 0;
    HFONT font = nullptr;
    HICON iconHandle = nullptr;
};

AboutLayout openAbout()
{
    AboutLayout layout;
    std::thread closer = answerWhenShown(L"#32770", L"About KubrelSE", [&](HWND about) {
        for (HWND c = GetWindow(about, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            RECT r;
            GetWindowRect(c, &r);
            MapWindowPoints(nullptr, about, reinterpret_cast<POINT*>(&r), 2);
            layout.controls.push_back({r.left, r.top, r.right, r.bottom});
            LOGFONTW font = {};
            HFONT lettered = reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0));
            if (lettered && GetObjectW(lettered, sizeof font, &font)) {
                layout.letters = std::abs(font.lfHeight);
                layout.font = lettered;
            }
            ICONINFO icon = {};
            BITMAP mask = {};
            HICON shown = reinterpret_cast<HICON>(SendMessageW(c, STM_GETICON, 0, 0));
            if (shown && GetIconInfo(shown, &icon) && GetObjectW(icon.hbmMask, sizeof mask, &mask)) {
                layout.icon = mask.bmWidth;
                layout.iconHandle = shown;
            }
            DeleteObject(icon.hbmColor);
            DeleteObject(icon.hbmMask);
        }
        SendMessageW(about, WM_COMMAND, CMD_CONTINUE, 0);
    });
    SendMessageW(shell.mainWindow, WM_COMMAND, CMD_ABOUT, 0);
    closer.join();
    return layout;
}

TEST_F(Zoom, TheBoardAndTheAboutBoxCoverTheZoomedFrameTheBoardInBlocksTheAboutBoxLetteredLarger)
{
    createMainWindow();
    const AboutLayout small = openAbout();
    ASSERT_EQ(small.controls.size(), 3u);
    ASSERT_GT(small.letters * small.icon, 0);
    chooseZoom(3);
    ASSERT_EQ(desktopZoom(), 3);
    startGameWith(1);

    const std::vector<LONG> frame = wintest::rectOf(window(), true);
    std::vector<LONG> where;
    Picture shown, printed;
    std::thread closer = answerWhenShown(L"#32770", L"Kubrel SE", [&](HWND board) {
        where = wintest::rectOf(board, true);
        printed = zoomedBy(printFrame(board), 3);
        eventually([&] { return (shown = screenFrame(board, 3)).rgb == printed.rgb; });
        SendMessageW(board, WM_CLOSE, 0, 0);
    });
    command(CMD_HISCORE);
    closer.join();
    EXPECT_EQ(where, frame) << "the board covers the zoomed frame";
    expectSamePicture(shown, printed, __LINE__);

    const AboutLayout large = openAbout();
    ASSERT_EQ(large.controls.size(), small.controls.size());
    for (size_t i = 0; i < small.controls.size(); ++i) {
        const std::vector<LONG>& r = small.controls[i];
        EXPECT_EQ(large.controls[i], (std::vector<LONG>{3 * r[0], 3 * r[1], 3 * r[2], 3 * r[3]})) << "control " << i;
        EXPECT_TRUE(large.controls[i][2] <= frame[2] - frame[0] && large.controls[i][3] <= frame[3] - frame[1]);
    }
    EXPECT_EQ(large.letters, 3 * small.letters) << "the text is drawn larger, not stretched";
    EXPECT_EQ(large.icon, 3 * small.icon);
    ICONINFO gone = {};
    ASSERT_NE(large.font, small.font);
    EXPECT_EQ(GetObjectType(large.font), 0u) << "the larger letters went with the box";
    EXPECT_FALSE(GetIconInfo(large.iconHandle, &gone)) << "and so did the larger icon";
}

TEST_F(Zoom, TheZoomedSoftkeyBarLiesBelowTheFrameAndItsRightHalfOpensTheMenu)
{
    storeZoom(REG_DWORD, 3);
    createMainWindow();
    const std::vector<LONG> frame = wintest::rectOf(window(), true);
    EXPECT_EQ(wintest::rectOf(shell.menuBar), (std::vector<LONG>{frame[0], frame[3], frame[2], frame[3] + 78}));
    SendMessageW(shell.menuBar, WM_LBUTTONUP, 0, MAKELPARAM(200, 40));  // the right half of an unzoomed bar
    EXPECT_EQ(game.level, 1) << "the left softkey, Start";
    std::thread chooser = answerWhenShown(
        L"#32768", nullptr, [](HWND) { PostMessageW(shell.mainWindow, WM_CHAR, L'2', 0); });  // "2. Sound Off"
    SendMessageW(shell.menuBar, WM_LBUTTONUP, 0, MAKELPARAM(400, 40));
    chooser.join();
    pump();
    EXPECT_EQ(game.soundOn, 0) << "the Menu softkey's menu";
}

TEST_F(Zoom, TheSystemMenuCtrlPlusMinusAndTheBorderChangeTheZoomAndTheClientSize)
{
    createMainWindow();
    EXPECT_EQ(GetWindowLongPtrW(window(), GWL_STYLE) & (WS_SYSMENU | WS_MINIMIZEBOX), WS_SYSMENU | WS_MINIMIZEBOX);
    HMENU menu = GetSystemMenu(window(), FALSE);
    ASSERT_GE(largestZoom(), 3) << "the test screen takes zoom 3";
    wchar_t text[32] = L"";
    GetMenuStringW(menu, zoomItem(3), text, 32, MF_BYCOMMAND);
    EXPECT_STREQ(text, L"Zoom 3x");
    const auto checked = [&] {
        std::string marks;
        for (int zoom = 1; zoom <= 3; ++zoom)
            marks += GetMenuState(menu, zoomItem(zoom), MF_BYCOMMAND) & MF_CHECKED ? 'x' : '.';
        return marks;
    };
    EXPECT_EQ(checked(), "x..");
    chooseZoom(3);
    EXPECT_EQ(checked(), "..x");
    EXPECT_EQ(clientSize(), frameAt(3));

    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    const std::pair<WPARAM, int> steps[] = {
        {VK_OEM_MINUS, 2}, {VK_SUBTRACT, 1}, {VK_OEM_MINUS, 1}, {VK_OEM_PLUS, 2}, {VK_ADD, 3}};
    for (const auto& step : steps) {
        key(step.first);
        EXPECT_EQ(desktopZoom(), step.second);
        EXPECT_EQ(clientSize(), frameAt(step.second));
        UpdateWindow(window());
        expectSamePicture(screenFrame(window(), step.second), zoomedBy(printFrame(window()), step.second), __LINE__);
    }
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    key(VK_SUBTRACT);
    EXPECT_EQ(desktopZoom(), 3) << "without Ctrl the keys are the game's";

    // Dragging the left border a little past zoom 2 gives zoom 2, the right
    // edge staying where it was.
    RECT drag;
    GetWindowRect(window(), &drag);
    const RECT before = drag;
    drag.left = drag.right - (before.right - before.left - FRAME_WIDTH * 3) - FRAME_WIDTH * 2 - 30;
    SendMessageW(window(), WM_SIZING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&drag));
    EXPECT_EQ(drag.right, before.right);
    EXPECT_EQ(drag.right - drag.left, before.right - before.left - FRAME_WIDTH);
    SetWindowPos(window(), nullptr, drag.left, drag.top, drag.right - drag.left, drag.bottom - drag.top, SWP_NOZORDER);
    EXPECT_EQ(desktopZoom(), 2);
    EXPECT_EQ(clientSize(), frameAt(2));
}

TEST_F(Zoom, AChosenZoomIsKeptAndAStoredOneThatCannotBeUsedGivesTheFirstStartsChoice)
{
    createMainWindow();
    const int first = zoomThatFits(window(), 80);
    const int chosen = first == 3 ? 2 : 3;  // one the first start would not take
    chooseZoom(chosen);
    restart();
    EXPECT_EQ(desktopZoom(), chosen) << "kept for the next start";
    storeZoom(REG_DWORD, MAX_ZOOM);
    restart();
    EXPECT_EQ(desktopZoom(), largestZoom()) << "lowered until it fits the screen";
    ASSERT_LT(largestZoom(), MAX_ZOOM);

    const struct {
        DWORD type, value;
    } unusable[] = {{REG_DWORD, 0}, {REG_DWORD, 99}, {REG_SZ, 0}};
    for (const auto& stored : unusable) {
        storeZoom(stored.type, stored.value);
        restart();
        EXPECT_EQ(desktopZoom(), first) << "stored type " << stored.type << " value " << stored.value;
    }
    RegDeleteKeyValueW(HKEY_CURRENT_USER, ZOOM_KEY, ZOOM_VALUE);
    restart();
    EXPECT_EQ(desktopZoom(), first);
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, ZOOM_KEY, ZOOM_VALUE, RRF_RT_ANY, nullptr, nullptr, nullptr),
              ERROR_FILE_NOT_FOUND)
        << "the first start's choice is not kept: a larger screen may come";
}

// A zoom kept where the layer kept it before it had a key of its own is
// shown and moved to the layer's key.
TEST_F(Zoom, AZoomKeptInTheEarlierPlaceIsShownAndMovedToTheLayersKey)
{
    RegDeleteKeyValueW(HKEY_CURRENT_USER, ZOOM_KEY, ZOOM_VALUE);
    const DWORD one = 1;  // the first start takes a larger one
    setRawValue(GAME_KEY_PATH, ZOOM_VALUE, REG_DWORD, &one, sizeof one);
    createMainWindow();
    ASSERT_GT(zoomThatFits(window(), 80), 1);
    EXPECT_EQ(desktopZoom(), 1);
    DWORD kept = 0;
    DWORD size = sizeof kept;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, ZOOM_KEY, ZOOM_VALUE, RRF_RT_REG_DWORD, nullptr, &kept, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(kept, 1u);
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, GAME_KEY_PATH, ZOOM_VALUE, RRF_RT_ANY, nullptr, nullptr, nullptr),
              ERROR_FILE_NOT_FOUND);
}

}  // namespace
