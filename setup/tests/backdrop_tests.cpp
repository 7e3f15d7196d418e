// The backdrop: gradient bands, product name, and the dissolving picture.
#include <gtest/gtest.h>

#include <string.h>
#include <set>
#include <utility>
#include <vector>

#include "launcher.h"

namespace {

const COLORREF MAGENTA = RGB(255, 0, 255), WHITE = RGB(255, 255, 255), BLACK = RGB(0, 0, 0);

// The blue of the band a row of a screen of the given height belongs to.
int blueOfRow(int row, int height)
{
    int band = 0;
    while (band < 254 && bandTop(band + 1, height) <= row) {
        ++band;
    }
    return 255 - band;
}

TEST(BackdropBands, CoverEveryRowOnceAndSkipSomeOnShortScreens)
{
    EXPECT_EQ(2, bandTop(1, 600));  // 800 x 600: the first band is rows 0 and 1,
    EXPECT_EQ(597, bandTop(254, 600));  // the last rows 597 to 599
    for (int height = 1; height <= 32767; ++height) {
        ASSERT_EQ(0, bandTop(0, height));
        ASSERT_EQ(height, bandTop(255, height)) << "height " << height;
        for (int band = 0; band < 255; ++band) {
            ASSERT_LE(bandTop(band, height), bandTop(band + 1, height)) << "height " << height << " band " << band;
        }
    }
    int empty = 0;
    for (int band = 0; band < 255; ++band) {
        empty += bandTop(band, 100) == bandTop(band + 1, 100);
    }
    EXPECT_EQ(155, empty);
}

void record(void *context, int x, int y)
{
    static_cast<std::vector<std::pair<int, int>> *>(context)->push_back({x, y});
}

TEST(BackdropDissolve, VisitsEveryPixelOnceInPassOrder)
{
    auto passOf = [](std::pair<int, int> p) { return dissolveOrder[(p.second % 8) * 8 + p.first % 8]; };
    const std::pair<int, int> sizes[] = {{21, 13}, {8, 8}, {1, 1}, {0, 5}};
    for (auto size : sizes) {
        SCOPED_TRACE(testing::Message() << size.first << " x " << size.second);
        std::vector<std::pair<int, int>> visits;
        sweepPicture(size.first, size.second, 1, record, &visits);
        ASSERT_EQ(static_cast<size_t>(size.first * size.second), visits.size());
        std::set<std::pair<int, int>> seen(visits.begin(), visits.end());
        EXPECT_EQ(visits.size(), seen.size()) << "a pixel was drawn twice";
        for (size_t i = 1; i < visits.size(); ++i) {
            auto u = visits[i - 1], v = visits[i];
            // Passes come in order; inside a pass, top to bottom and left to right.
            ASSERT_TRUE(passOf(u) < passOf(v) || (passOf(u) == passOf(v) && std::make_pair(u.second, u.first) <
                                                                                  std::make_pair(v.second, v.first)));
        }
        if (size.first == 8 && size.second == 8) {
            for (int pass = 0; pass < 64; ++pass) {
                EXPECT_EQ(pass, passOf(visits[pass]));  // one pixel of a cell per pass
            }
        }
    }
    std::vector<std::pair<int, int>> sweep;
    sweepPicture(5, 3, 0, record, &sweep);
    ASSERT_EQ(15u, sweep.size());
    EXPECT_EQ(std::make_pair(4, 0), sweep[4]);
    EXPECT_EQ(std::make_pair(0, 1), sweep[5]);
}

class BackdropWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        memset(&setupConfig, 0, sizeof setupConfig);
        memset(&launcher, 0, sizeof launcher);
        launcher.instance = GetModuleHandleA(NULL);
        strcpy(setupConfig.productName, "Nolvo");
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
        EXPECT_FALSE(GetUpdateRect(launcher.backdropWindow, NULL, FALSE)) << "painted before createBackdrop returns";
        EXPECT_EQ(0, dissolvePending);
    }
    void expectGradient(int x, int top, int bottom, int height)
    {
        for (int y = top; y < bottom; ++y) {
            COLORREF got = GetPixel(dc, x, y);
            ASSERT_EQ(RGB(0, 0, blueOfRow(y, height)), got)
                << "at " << x << "," << y << ": got red " << int(GetRValue(got)) << " green " << int(GetGValue(got))
                << " blue " << int(GetBValue(got)) << ", expected blue " << blueOfRow(y, height);
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
    HDC dc = NULL;
};

TEST_F(BackdropWindowTest, GradientRowsOnTallAndShortScreens)
{
    const int heights[] = {600, 100};
    for (int height : heights) {
        SCOPED_TRACE(height);
        open(800, height);
        RECT client;
        GetClientRect(launcher.backdropWindow, &client);
        expectGradient(700, 0, client.bottom, height);
        TearDown();
    }
    dc = NULL;
    launcher.backdropWindow = NULL;
}

TEST_F(BackdropWindowTest, ProductNameAndShadowAreCutAtColumn600)
{
    memset(setupConfig.productName, 'W', 70);
    open(800, 600);
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
    EXPECT_GT(black, 100);
    EXPECT_GT(whiteNearCut, 0);  // the name runs up to the cut...
    for (int x = 600; x < 620; ++x) {
        expectGradient(x, 0, 80, 600);  // ...and not past it
    }
}

TEST_F(BackdropWindowTest, PictureLeavesMagentaTransparentAndComesBackOnLaterPaints)
{
    open(800, 600);
    expectPicture(600);
    expectGradient(20 + 21, 540, 560, 600);  // nothing beside the picture

    RECT area = {20, 540, 600, 590};
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InvalidateRect(launcher.backdropWindow, &area, FALSE);
    UpdateWindow(launcher.backdropWindow);
    expectPicture(600);
}

} // namespace
