// The frame window on the screen it runs on, whatever its size and its
// scaling: the zoom it opens at, every frame pixel a block of real pixels,
// the softkey bar directly below, another monitor, and the keys with the
// frame window after every dialog and menu. The suite runs on several
// screens (KUBRELSE_EXPECTED_ZOOM names the zoom each opens at).
#include "layer_fixture.h"

#include <algorithm>

namespace {

class DesktopWindow : public LayerTest {
protected:
    DesktopWindow() { openInSetUp = false; }
    void SetUp() override
    {
        LayerTest::SetUp();
        RegDeleteKeyValueW(HKEY_CURRENT_USER, ZOOM_KEY, ZOOM_VALUE);  // a first start
        open();
    }

    // The window shows the frame at zoom in real pixels, every frame pixel a
    // uniform block, with the softkey bar directly below it.
    static void expectFrameAt(int zoom, const char* when)
    {
        SCOPED_TRACE(when);
        ASSERT_EQ(desktopZoom(), zoom);
        const std::vector<LONG> client = wintest::rectOf(frame(), true);
        EXPECT_EQ(client[2] - client[0], STAND_IN_WIDTH * zoom) << "client width";
        EXPECT_EQ(client[3] - client[1], STAND_IN_HEIGHT * zoom) << "client height";
        EXPECT_EQ(wintest::rectOf(standIn.bar),
                  (std::vector<LONG>{client[0], client[3], client[2], client[3] + SOFTKEY_BAR_HEIGHT * zoom}))
            << "the bar directly below the frame, as wide as it";
        UpdateWindow(frame());
        EXPECT_EQ(pixelsNotInBlocks(shownFrame(frame(), zoom), framePicture(), zoom), 0);
    }

    // The work area of the frame window's monitor, as the system gives it.
    static RECT workArea()
    {
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(frame(), MONITOR_DEFAULTTONEAREST), &monitor);
        return monitor.rcWork;
    }
    // The whole window on the screen, its bar too: left, top, right, bottom.
    static std::vector<LONG> wholeWindow()
    {
        std::vector<LONG> window = wintest::rectOf(frame());
        window[3] = std::max(window[3], wintest::rectOf(standIn.bar)[3]);
        return window;
    }

    // 1 when the whole window lies within percent of its work area.
    static bool fitsWorkArea(int percent)
    {
        const RECT area = workArea();
        const std::vector<LONG> window = wholeWindow();
        return (window[2] - window[0]) * 100 <= (area.right - area.left) * percent &&
               (window[3] - window[1]) * 100 <= (area.bottom - area.top) * percent;
    }

    // The frame window has the keys: a key typed now reaches it.
    static void expectKeysWithTheFrame(const char* after)
    {
        SCOPED_TRACE(after);
        wintest::expectKeysWith(frame());
        standIn.keys.clear();
        EXPECT_TRUE(wintest::typedKeyArrives(VK_LEFT, [] { return standIn.keys == std::vector<WPARAM>{VK_LEFT}; }))
            << standIn.keys.size() << " keys reached the frame window";
    }

    // Opens a dialog, checks it covers the frame, in blocks where it is a
    // picture, and closes it by its Continue softkey, F1.
    static void openAndContinue(int id, const wchar_t* caption)
    {
        const int zoom = desktopZoom();
        const std::vector<LONG> covered = wintest::rectOf(frame(), true);
        std::vector<LONG> where;
        int wrong = -1;
        std::thread closer = answerWhenShown(L"#32770", caption, [&](HWND dialog) {
            where = wintest::rectOf(dialog, true);
            if (id == STAND_IN_PICTURE)
                wintest::eventually([&] {
                    const Pixels printed = wintest::printedClient(dialog, STAND_IN_WIDTH, STAND_IN_HEIGHT);
                    return (wrong = pixelsNotInBlocks(shownFrame(dialog, zoom), printed, zoom)) == 0;
                });
            PostMessageW(dialog, WM_KEYDOWN, VK_F1, 0);
        });
        showDialog(id);
        closer.join();
        EXPECT_EQ(where, covered) << "the dialog covers the frame";
        if (id == STAND_IN_PICTURE) {
            EXPECT_EQ(wrong, 0) << "frame pixels not shown as blocks";
        }
    }
};

TEST_F(DesktopWindow, OpensAtTheLargestZoomWhoseWindowFitsEightyPercentOfTheScreenInRealPixels)
{
    const int first = desktopZoom();
    if (expectedZoom()) {
        EXPECT_EQ(first, expectedZoom()) << "on this screen";
    }
    EXPECT_TRUE(fitsWorkArea(80)) << "at zoom " << first;
    // Centred on the work area: the margins left and right, and above and
    // below, differ by a pixel at most.
    const RECT area = workArea();
    const std::vector<LONG> at = wholeWindow();
    const std::vector<LONG> margins = {at[0] - area.left, area.right - at[2], at[1] - area.top, area.bottom - at[3]};
    EXPECT_GE(*std::min_element(margins.begin(), margins.end()), 0) << "margins " << testing::PrintToString(margins);
    EXPECT_LE(std::abs(margins[0] - margins[1]), 1) << "margins left and right";
    EXPECT_LE(std::abs(margins[2] - margins[3]), 1) << "margins above and below";
    expectFrameAt(first, "at the first start");
    repaintPixel(100, 50, 0x123456);
    expectFrameAt(first, "after a pixel changed");
    if (first < largestZoom()) {
        chooseZoom(first + 1);
        EXPECT_FALSE(fitsWorkArea(80)) << "zoom " << first + 1 << " fits as well";
    }
}

TEST_F(DesktopWindow, AtAChangedZoomTheKeysStayWithTheFrameWindowAfterEveryDialogAndMenu)
{
    const int first = desktopZoom();
    ASSERT_GT(first, 1) << "the test screen takes zoom 2";
    ctrlKey(VK_OEM_MINUS);
    expectFrameAt(first - 1, "after Ctrl+Minus");
    expectKeysWithTheFrame("at the start");

    wintest::chooseFromMenu(frame(), L'2', [] { key(VK_F2); });  // "2. Two"
    EXPECT_EQ(standIn.commands, std::vector<UINT>{STAND_IN_TWO}) << "the Menu softkey's menu";
    expectKeysWithTheFrame("after the menu");
    openAndContinue(STAND_IN_PICTURE, L"Stand-in picture");
    expectKeysWithTheFrame("after the picture");
    openAndContinue(STAND_IN_CONTROLS, L"Stand-in controls");
    expectKeysWithTheFrame("after the dialog of controls");
    expectFrameAt(first - 1, "at the end");
}

TEST_F(DesktopWindow, AMoveToAnotherMonitorChoosesTheZoomForItAndKeepsTheWindowWithinItsWorkArea)
{
    const int first = desktopZoom();
    const UINT dpi = GetDpiForWindow(frame());
    const RECT area = workArea();
    const auto moveTo = [&](LONG x, LONG y) {
        RECT suggested = {x, y, x + 300, y + 300};
        SendMessageW(frame(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    };

    moveTo(area.left + 10, area.top + 20);
    EXPECT_EQ(wintest::rectOf(frame())[0], area.left + 10) << "where the system suggests";
    EXPECT_EQ(wintest::rectOf(frame())[1], area.top + 20);
    expectFrameAt(first, "without a chosen zoom: the first start's");

    chooseZoom(1);
    moveTo(area.right - 5, area.bottom - 5);
    expectFrameAt(1, "the zoom the player chose");
    EXPECT_LE(wintest::rectOf(frame())[2], area.right) << "kept within the work area";
    EXPECT_LE(wintest::rectOf(standIn.bar)[3], area.bottom) << "the bar too";
}

}  // namespace
