// The backdrop: gradient bands, product name, and the dissolving picture.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

#include "backdrop.h"
#include "backdrop_parts.h"
#include "config.h"

namespace {

const COLORREF MAGENTA = RGB(255, 0, 255), WHITE = RGB(255, 255, 255), BLACK = RGB(0, 0, 0);

// The blue of row y of a screen h rows high. The row lies in the last band b
// whose top, b * h / 255 rounded down, is not below it: b = ceil(255 (y + 1) / h) - 1,
// so on a screen under 255 rows some bands have no row at all. Band b is blue 255 - b.
int blueOfRow(int y, int h) { return 256 - (255 * (y + 1) + h - 1) / h; }

TEST(BackdropDissolve, VisitsEveryPixelOnceInPassOrderOrWithoutDissolvingRowByRow)
{
    const std::pair<int, int> sizes[] = {{21, 13}, {8, 8}, {1, 1}, {0, 5}};
    for (int dissolve : {1, 0})
        for (auto size : sizes) {
            SCOPED_TRACE(testing::Message() << size.first << " x " << size.second << (dissolve ? "" : ", one sweep"));
            // When a pixel is drawn: its pass (one without dissolving), then its row, then its column.
            auto when = [dissolve](std::pair<int, int> p) {
                return std::make_tuple(
                    dissolve ? dissolveOrder[(p.second % 8) * 8 + p.first % 8] : 0, p.second, p.first);
            };
            std::vector<std::pair<int, int>> visits;
            sweepPicture(
                size.first,
                size.second,
                dissolve,
                [](void* context, int x, int y) {
                    static_cast<std::vector<std::pair<int, int>>*>(context)->push_back({x, y});
                },
                &visits);
            ASSERT_EQ(static_cast<size_t>(size.first * size.second), visits.size());
            for (size_t i = 0; i < visits.size(); ++i) {
                auto v = visits[i];
                ASSERT_TRUE(v.first >= 0 && v.first < size.first && v.second >= 0 && v.second < size.second);
                // Strictly later than the one before: no pixel twice, passes in order.
                ASSERT_TRUE(i == 0 || when(visits[i - 1]) < when(v)) << "visit " << i;
            }
        }
    // Each pass draws one pixel of every 8 x 8 cell.
    EXPECT_EQ(64u, std::set<int>(dissolveOrder, dissolveOrder + 64).size());
}

class BackdropWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        launcher.instance = GetModuleHandleA(nullptr);
        std::memset(setupConfig.productName, 'W', 70);
    }
    void TearDown() override
    {
        ReleaseDC(launcher.backdropWindow, dc);
        DestroyWindow(launcher.backdropWindow);
    }
    void open(int width, int height)
    {
        launcher.screenWidth = static_cast<int16_t>(width);
        launcher.screenHeight = static_cast<int16_t>(height);
        ASSERT_EQ(1, createBackdrop());
        dc = GetDC(launcher.backdropWindow);
        EXPECT_FALSE(GetUpdateRect(launcher.backdropWindow, nullptr, FALSE)) << "painted before createBackdrop returns";
        EXPECT_EQ(0, dissolvePending);
        RECT client;
        GetClientRect(launcher.backdropWindow, &client);
        rows = client.bottom;
    }
    void expectGradient(int x, int top, int bottom, int height)
    {
        for (int y = top; y < bottom; ++y) {
            ASSERT_EQ(RGB(0, 0, blueOfRow(y, height)), GetPixel(dc, x, y)) << "at " << x << "," << y;
        }
    }
    // The test picture (bitmap 307 of this program) at (20, height - 60), the gradient where it is magenta.
    void expectPicture(int height)
    {
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP picture = LoadBitmapA(launcher.instance, MAKEINTRESOURCEA(307));
        HGDIOBJ old = SelectObject(memory, picture);
        int transparent = 0;
        for (int y = 0; y < 13; ++y) {
            for (int x = 0; x < 21; ++x) {
                COLORREF source = GetPixel(memory, x, y);
                transparent += source == MAGENTA;
                COLORREF expected = source == MAGENTA ? RGB(0, 0, blueOfRow(height - 60 + y, height)) : source;
                ASSERT_EQ(expected, GetPixel(dc, 20 + x, height - 60 + y)) << "picture pixel " << x << "," << y;
            }
        }
        EXPECT_GT(transparent, 0);
        SelectObject(memory, old);
        DeleteObject(picture);
        DeleteDC(memory);
    }
    HDC dc = nullptr;
    int rows = 0;  // of the client area
};

// A window that posts itself a message for every one it gets: a stream that
// never runs dry, as a busy window system can make. It gives up after LIMIT.
struct MessageStream {
    static constexpr int LIMIT = 100000;
    static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message != WM_APP) {
            return DefWindowProcA(window, message, wParam, lParam);
        }
        if (++count < LIMIT) {
            PostMessageA(window, WM_APP, 0, 0);
        }
        return 0;
    }
    MessageStream()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "KubrelSE.TestStream";
        RegisterClassA(&wc);
        window = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        count = 0;
        PostMessageA(window, WM_APP, 0, 0);
    }
    ~MessageStream() { DestroyWindow(window); }
    HWND window;
    static int count;
};
int MessageStream::count = 0;

TEST_F(BackdropWindowTest, ReturnsWithItsFirstPaintDoneWhileMessagesKeepComing)
{
    MessageStream stream;
    ASSERT_NE(nullptr, stream.window);
    dissolvePending = 1;
    open(800, 600);  // the first paint is checked done here
    EXPECT_LT(MessageStream::count, static_cast<int>(MessageStream::LIMIT))
        << "createBackdrop returned only when the stream gave up";
    expectGradient(700, 0, rows, 600);
    expectPicture(600);
}

TEST_F(BackdropWindowTest, ShortScreenShowsOneRowPerBandLeft)
{
    open(800, 100);
    expectGradient(700, 0, rows, 100);
}

TEST_F(BackdropWindowTest, PaintsBandsNameCutAtColumn600AndThePictureOnEveryPaint)
{
    open(800, 600);
    expectGradient(700, 0, rows, 600);

    int white = 0, black = 0, whiteNearCut = 0;
    for (int y = 15; y < 60; ++y) {
        for (int x = 25; x < 600; ++x) {
            COLORREF c = GetPixel(dc, x, y);
            white += c == WHITE;
            black += c == BLACK;
            whiteNearCut += x >= 560 && c == WHITE;
        }
    }
    EXPECT_GT(white, 100);
    EXPECT_GT(black, 100);       // the shadow
    EXPECT_GT(whiteNearCut, 0);  // the name runs up to the cut...
    for (int x = 600; x < 620; ++x) {
        expectGradient(x, 0, 80, 600);  // ...and not past it
    }

    expectPicture(600);
    expectGradient(20 + 21, 540, 560, 600);  // nothing beside the picture
    RECT area = {20, 540, 600, 590};
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InvalidateRect(launcher.backdropWindow, &area, FALSE);
    UpdateWindow(launcher.backdropWindow);
    expectPicture(600);
}

// The program sees real pixels: at 200 % the name is lettered twice as tall.
TEST_F(BackdropWindowTest, TheNameIsSizedForTheScreensDpi)
{
    int height[2] = {};
    for (int i = 0; i < 2; ++i) {
        launcher.screenDpi = static_cast<int16_t>(96 * (i + 1));
        open(800, 600);
        int first = -1, last = -1;  // rows holding any of the white name
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 800 && last != y; x += 2)
                if (GetPixel(dc, x, y) == WHITE) {
                    first = first < 0 ? y : first;
                    last = y;
                }
        height[i] = last - first + 1;
        ReleaseDC(launcher.backdropWindow, dc);
        DestroyWindow(launcher.backdropWindow);
    }
    launcher.screenDpi = 0;
    EXPECT_GT(height[0], 15);
    EXPECT_NEAR(height[1], 2 * height[0], 4) << "at 96 DPI " << height[0] << " rows";
}

}  // namespace
