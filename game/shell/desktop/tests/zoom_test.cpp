// The zoom: what the screen shows at one, the dialogs and the bar at one,
// how the player changes it, and where it is kept.
#include "layer_fixture.h"

namespace {

std::vector<LONG> frameAt(int zoom) { return {STAND_IN_WIDTH * zoom, STAND_IN_HEIGHT * zoom}; }

class Zoom : public LayerTest {
protected:
    Zoom() { openInSetUp = false; }
    void openAt(DWORD zoom)
    {
        storeZoom(ZOOM_KEY, REG_DWORD, &zoom, sizeof zoom);
        open();
    }
};

TEST_F(Zoom, AtZoomThreeEveryFramePixelIsABlockAndARepaintShowsExactlyThePixelsItNames)
{
    openAt(3);
    ASSERT_EQ(desktopZoom(), 3);
    EXPECT_EQ(clientSize(), frameAt(3));
    expectSamePicture(shownFrame(frame(), 3), wintest::zoomedBy(framePicture(), 3), __LINE__);

    // A pixel invalidated in frame pixels, as the program does.
    repaintPixel(120, 30, 0xABCDEF);
    UpdateWindow(frame());
    Pixels expected = wintest::zoomedBy(framePicture(), 3);
    expectSamePicture(shownFrame(frame(), 3), expected, __LINE__);

    // A screen rectangle within one frame pixel, as the desktop uncovers
    // it, brings that whole frame pixel up to date and no other.
    const int x = 150, y = 100;  // 3 x beyond the frame: no frame pixel's own rectangle
    standIn.picture[y * STAND_IN_WIDTH + x] = 0x00FF00;
    standIn.picture[10 * STAND_IN_WIDTH + 10] = 0xFF0000;  // changed, never named
    const RECT sliver = {3 * x + 1, 3 * y + 1, 3 * x + 2, 3 * y + 2};
    InvalidateRect(frame(), &sliver, FALSE);
    UpdateWindow(frame());
    for (int dy = 0; dy < 3; ++dy)
        for (int dx = 0; dx < 3; ++dx)
            expected.rgb[size_t((3 * y + dy) * expected.width + 3 * x + dx)] = 0x00FF00;
    expectSamePicture(shownFrame(frame(), 3), expected, __LINE__);
}

// Where the controls of the dialog of controls lie in its client area, how
// tall their letters are and how wide the icon is.
struct ControlsLayout {
    std::vector<std::vector<LONG>> controls;
    LONG letters = 0;
    LONG icon = 0;
    HFONT font = nullptr;
    HICON iconHandle = nullptr;
};

ControlsLayout openControls()
{
    ControlsLayout layout;
    std::thread closer = answerWhenShown(L"#32770", L"Stand-in controls", [&](HWND dialog) {
        for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            RECT r;
            GetWindowRect(c, &r);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
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
        SendMessageW(dialog, WM_COMMAND, STAND_IN_CONTINUE, 0);
    });
    showDialog(STAND_IN_CONTROLS);
    closer.join();
    return layout;
}

TEST_F(Zoom, ThePictureAndTheDialogOfControlsCoverTheZoomedFrameThePictureInBlocksTheControlsLetteredLarger)
{
    openAt(1);
    const ControlsLayout small = openControls();
    ASSERT_EQ(small.controls.size(), 3u);
    ASSERT_GT(small.letters * small.icon, 0);
    chooseZoom(3);
    ASSERT_EQ(desktopZoom(), 3);

    const std::vector<LONG> covered = wintest::rectOf(frame(), true);
    std::vector<LONG> where;
    Pixels shown;
    Pixels drawn{STAND_IN_WIDTH, STAND_IN_HEIGHT, {}};
    for (int y = 0; y < STAND_IN_HEIGHT; ++y)
        for (int x = 0; x < STAND_IN_WIDTH; ++x)
            drawn.rgb.push_back(dialogPixel(x, y));
    const Pixels expected = wintest::zoomedBy(drawn, 3);
    std::thread closer = answerWhenShown(L"#32770", L"Stand-in picture", [&](HWND picture) {
        where = wintest::rectOf(picture, true);
        wintest::eventually([&] { return (shown = shownFrame(picture, 3)).rgb == expected.rgb; });
        SendMessageW(picture, WM_CLOSE, 0, 0);
    });
    showDialog(STAND_IN_PICTURE);
    closer.join();
    EXPECT_EQ(where, covered) << "the picture covers the zoomed frame";
    expectSamePicture(shown, expected, __LINE__);

    const ControlsLayout large = openControls();
    ASSERT_EQ(large.controls.size(), small.controls.size());
    for (size_t i = 0; i < small.controls.size(); ++i) {
        const std::vector<LONG>& r = small.controls[i];
        EXPECT_EQ(large.controls[i], (std::vector<LONG>{3 * r[0], 3 * r[1], 3 * r[2], 3 * r[3]})) << "control " << i;
    }
    EXPECT_EQ(large.letters, 3 * small.letters) << "the text is drawn larger, not stretched";
    EXPECT_EQ(large.icon, 3 * small.icon);
    ICONINFO gone = {};
    ASSERT_NE(large.font, small.font);
    EXPECT_EQ(GetObjectType(large.font), 0u) << "the larger letters went with the dialog";
    EXPECT_FALSE(GetIconInfo(large.iconHandle, &gone)) << "and so did the larger icon";
}

TEST_F(Zoom, TheZoomedSoftkeyBarLiesBelowTheFrameItsLeftHalfSendsItsCommandItsRightHalfOpensTheMenu)
{
    openAt(3);
    const std::vector<LONG> client = wintest::rectOf(frame(), true);
    EXPECT_EQ(wintest::rectOf(standIn.bar), (std::vector<LONG>{client[0], client[3], client[2], client[3] + 78}));
    SendMessageW(standIn.bar, WM_LBUTTONUP, 0, MAKELPARAM(200, 40));  // the right half of an unzoomed bar
    EXPECT_EQ(standIn.commands, std::vector<UINT>{STAND_IN_START}) << "the left softkey";
    wintest::chooseFromMenu(frame(), L'1', [] {  // "1. One"
        SendMessageW(standIn.bar, WM_LBUTTONUP, 0, MAKELPARAM(400, 40));
    });
    EXPECT_EQ(standIn.commands, (std::vector<UINT>{STAND_IN_START, STAND_IN_ONE})) << "the Menu softkey's menu";
}

TEST_F(Zoom, TheSystemMenuCtrlPlusMinusAndTheBorderChangeTheZoomAndTheClientSize)
{
    openAt(1);
    EXPECT_EQ(GetWindowLongPtrW(frame(), GWL_STYLE) & (WS_SYSMENU | WS_MINIMIZEBOX), WS_SYSMENU | WS_MINIMIZEBOX);
    HMENU menu = GetSystemMenu(frame(), FALSE);
    ASSERT_GE(largestZoom(), 3) << "the test screen takes zoom 3";
    wchar_t text[32] = L"";
    GetMenuStringW(menu, SC_ZOOM_BASE + SC_ZOOM_STEP * 3, text, 32, MF_BYCOMMAND);
    EXPECT_STREQ(text, L"Zoom 3x");
    const auto checked = [&] {
        std::string marks;
        for (int zoom = 1; zoom <= 3; ++zoom)
            marks += GetMenuState(menu, SC_ZOOM_BASE + SC_ZOOM_STEP * zoom, MF_BYCOMMAND) & MF_CHECKED ? 'x' : '.';
        return marks;
    };
    EXPECT_EQ(checked(), "x..");
    chooseZoom(3);
    EXPECT_EQ(checked(), "..x");
    EXPECT_EQ(clientSize(), frameAt(3));

    const std::pair<WPARAM, int> steps[] = {
        {VK_OEM_MINUS, 2}, {VK_SUBTRACT, 1}, {VK_OEM_MINUS, 1}, {VK_OEM_PLUS, 2}, {VK_ADD, 3}};
    for (const auto& step : steps) {
        ctrlKey(step.first);
        EXPECT_EQ(desktopZoom(), step.second);
        EXPECT_EQ(clientSize(), frameAt(step.second));
        UpdateWindow(frame());
        expectSamePicture(shownFrame(frame(), step.second), wintest::zoomedBy(framePicture(), step.second), __LINE__);
    }
    EXPECT_TRUE(standIn.keys.empty()) << "Ctrl+Plus and Ctrl+Minus are the layer's";
    key(VK_SUBTRACT);
    EXPECT_EQ(desktopZoom(), 3);
    EXPECT_EQ(standIn.keys, std::vector<WPARAM>{VK_SUBTRACT}) << "without Ctrl the keys are the program's";

    // Dragging the left border a little past zoom 2 gives zoom 2, the right
    // edge staying where it was.
    RECT drag;
    GetWindowRect(frame(), &drag);
    const RECT before = drag;
    drag.left = drag.right - (before.right - before.left - STAND_IN_WIDTH * 3) - STAND_IN_WIDTH * 2 - 30;
    SendMessageW(frame(), WM_SIZING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&drag));
    EXPECT_EQ(drag.right, before.right);
    EXPECT_EQ(drag.right - drag.left, before.right - before.left - STAND_IN_WIDTH);
    SetWindowPos(frame(), nullptr, drag.left, drag.top, drag.right - drag.left, drag.bottom - drag.top, SWP_NOZORDER);
    EXPECT_EQ(desktopZoom(), 2);
    EXPECT_EQ(clientSize(), frameAt(2));
}

TEST_F(Zoom, AChosenZoomIsKeptAndAStoredOneThatCannotBeUsedGivesTheFirstStartsChoice)
{
    RegDeleteKeyValueW(HKEY_CURRENT_USER, ZOOM_KEY, ZOOM_VALUE);
    open();
    const int first = desktopZoom();
    const int chosen = first == 3 ? 2 : 3;  // one the first start would not take
    chooseZoom(chosen);
    reopen();
    EXPECT_EQ(desktopZoom(), chosen) << "kept for the next start";
    const DWORD largest = MAX_ZOOM;
    storeZoom(ZOOM_KEY, REG_DWORD, &largest, sizeof largest);
    reopen();
    EXPECT_EQ(desktopZoom(), largestZoom()) << "lowered until it fits the screen";
    ASSERT_LT(largestZoom(), MAX_ZOOM);

    // A REG_SZ whose four bytes read as zoom 3, and zooms out of range.
    const wchar_t three[] = {3, 0};
    const DWORD zero = 0, tooLarge = 99;
    const struct {
        DWORD type;
        const void* data;
    } unusable[] = {{REG_DWORD, &zero}, {REG_DWORD, &tooLarge}, {REG_SZ, three}};
    for (const auto& stored : unusable) {
        storeZoom(ZOOM_KEY, stored.type, stored.data, 4);
        reopen();
        EXPECT_EQ(desktopZoom(), first) << "stored type " << stored.type;
    }
    RegDeleteKeyValueW(HKEY_CURRENT_USER, ZOOM_KEY, ZOOM_VALUE);
    reopen();
    EXPECT_EQ(desktopZoom(), first);
    EXPECT_EQ(keptZoom(ZOOM_KEY), -1) << "the first start's choice is not kept: a larger screen may come";
}

}  // namespace
