// The backdrop: gradient bands, product name, and the dissolving picture.
#include <gtest/gtest.h>

#include <string.h>
#include <set>
#include <utility>
#include <vector>

#include "launcher.h"

namespace {

const COLORREF MAGENTA = RGB(255, 0, 255);
const int PICTURE_ID = 307;

// The colour band a row of a screen of the given height belongs to.
int bandOfRow(int row, int height)
{
    int band = 0;
    while (band < 254 && bandTop(band + 1, height) <= row) {
        ++band;
    }
    return band;
}

TEST(BackdropBands, EightHundredBySixHundredScreen)
{
    EXPECT_EQ(0, bandTop(0, 600));
    EXPECT_EQ(2, bandTop(1, 600));  // first band: rows 0 and 1
    EXPECT_EQ(597, bandTop(254, 600));
    EXPECT_EQ(600, bandTop(255, 600));  // last band: rows 597 to 599
}

TEST(BackdropBands, CoverEveryRowOfEveryHeightOnce)
{
    for (int height = 1; height <= 32767; ++height) {
        ASSERT_EQ(0, bandTop(0, height));
        ASSERT_EQ(height, bandTop(255, height)) << "height " << height;
        for (int band = 0; band < 255; ++band) {
            ASSERT_LE(bandTop(band, height), bandTop(band + 1, height)) << "height " << height << " band " << band;
        }
    }
}

TEST(BackdropBands, ShortScreenSkipsBands)
{
    const int height = 100;
    int empty = 0;
    int biggestStep = 0;
    int lastVisible = -1;
    for (int band = 0; band < 255; ++band) {
        if (bandTop(band, height) == bandTop(band + 1, height)) {
            ++empty;
            continue;
        }
        if (lastVisible >= 0 && band - lastVisible > biggestStep) {
            biggestStep = band - lastVisible;
        }
        lastVisible = band;
    }
    EXPECT_EQ(155, empty);
    EXPECT_GT(biggestStep, 1);
}

struct Visit {
    int x, y;
};

void record(void *context, int x, int y)
{
    static_cast<std::vector<Visit> *>(context)->push_back({x, y});
}

int passOf(const Visit &v)
{
    return dissolveOrder[(v.y % 8) * 8 + (v.x % 8)];
}

TEST(BackdropDissolve, VisitsEveryPixelOnceInPassOrder)
{
    const std::pair<int, int> sizes[] = {{21, 13}, {8, 8}, {1, 1}, {118, 50}, {0, 5}};
    for (auto size : sizes) {
        SCOPED_TRACE(testing::Message() << size.first << " x " << size.second);
        std::vector<Visit> visits;
        sweepPicture(size.first, size.second, 1, record, &visits);
        ASSERT_EQ(static_cast<size_t>(size.first * size.second), visits.size());
        std::set<std::pair<int, int>> seen;
        for (size_t i = 0; i < visits.size(); ++i) {
            const Visit &v = visits[i];
            ASSERT_TRUE(v.x >= 0 && v.x < size.first && v.y >= 0 && v.y < size.second);
            ASSERT_TRUE(seen.insert({v.x, v.y}).second) << "pixel " << v.x << "," << v.y << " twice";
            if (i > 0) {
                const Visit &u = visits[i - 1];
                // Passes come in order; inside a pass, top to bottom and left to right.
                ASSERT_TRUE(passOf(u) < passOf(v) ||
                            (passOf(u) == passOf(v) && (u.y < v.y || (u.y == v.y && u.x < v.x))))
                    << "visit " << i;
            }
        }
    }
    // On one 8 x 8 cell every pass draws exactly one pixel.
    std::vector<Visit> cell;
    sweepPicture(8, 8, 1, record, &cell);
    for (int pass = 0; pass < 64; ++pass) {
        EXPECT_EQ(pass, passOf(cell[pass]));
    }
}

TEST(BackdropDissolve, WithoutTheFlagIsOneSweepRowByRow)
{
    std::vector<Visit> visits;
    sweepPicture(5, 3, 0, record, &visits);
    ASSERT_EQ(15u, visits.size());
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(i % 5, visits[i].x);
        EXPECT_EQ(i / 5, visits[i].y);
    }
}

// ---- The window itself -------------------------------------------------------------

class BackdropWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        memset(&setupConfig, 0, sizeof setupConfig);
        memset(&launcher, 0, sizeof launcher);
        launcher.instance = GetModuleHandleA(NULL);
        strcpy(setupConfig.productName, "Nolvo");
        dissolvePending = 1;
    }
    void TearDown() override
    {
        if (dc != NULL) {
            ReleaseDC(launcher.backdropWindow, dc);
        }
        if (launcher.backdropWindow != NULL) {
            DestroyWindow(launcher.backdropWindow);
        }
    }
    void open(int width, int height)
    {
        launcher.screenWidth = static_cast<int16_t>(width);
        launcher.screenHeight = static_cast<int16_t>(height);
        ASSERT_EQ(1, createBackdrop());
        ASSERT_NE(nullptr, launcher.backdropWindow);
        dc = GetDC(launcher.backdropWindow);
        ASSERT_NE(nullptr, dc);
    }
    COLORREF at(int x, int y) const { return GetPixel(dc, x, y); }
    static COLORREF bandColour(int row, int height) { return RGB(0, 0, 255 - bandOfRow(row, height)); }

    // Expects the gradient, untouched, in column x from row top to row bottom - 1.
    void expectGradientColumn(int x, int top, int bottom, int height)
    {
        for (int y = top; y < bottom; ++y) {
            COLORREF got = at(x, y);
            ASSERT_EQ(bandColour(y, height), got) << "at " << x << "," << y << ": got blue " << int(GetBValue(got))
                                                   << " red " << int(GetRValue(got)) << ", expected blue "
                                                   << 255 - bandOfRow(y, height);
        }
    }

    // Expects the test picture at its corner, with the gradient where it is magenta.
    void expectPicture(int height)
    {
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP picture = LoadBitmapA(launcher.instance, MAKEINTRESOURCEA(PICTURE_ID));
        ASSERT_NE(nullptr, picture);
        HGDIOBJ old = SelectObject(memory, picture);
        BITMAP info;
        GetObjectA(picture, sizeof info, &info);
        int transparent = 0;
        for (int y = 0; y < info.bmHeight; ++y) {
            for (int x = 0; x < info.bmWidth; ++x) {
                COLORREF source = GetPixel(memory, x, y);
                COLORREF expected = source == MAGENTA ? bandColour(height - 60 + y, height) : source;
                transparent += source == MAGENTA;
                COLORREF got = at(20 + x, height - 60 + y);
                EXPECT_EQ(expected, got) << "picture pixel " << x << "," << y;
            }
        }
        EXPECT_GT(transparent, 0);
        SelectObject(memory, old);
        DeleteObject(picture);
        DeleteDC(memory);
    }

    HDC dc = NULL;
};

TEST_F(BackdropWindowTest, CoversTheScreenTopmostAndIsPaintedOnReturn)
{
    open(800, 600);
    RECT r;
    GetWindowRect(launcher.backdropWindow, &r);
    EXPECT_EQ(0, r.left);
    EXPECT_EQ(0, r.top);
    EXPECT_EQ(800, r.right);
    EXPECT_EQ(600, r.bottom);
    EXPECT_TRUE(GetWindowLongA(launcher.backdropWindow, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetUpdateRect(launcher.backdropWindow, NULL, FALSE));
    EXPECT_EQ(0, dissolvePending);
}

TEST_F(BackdropWindowTest, GradientRowsOnAnEightHundredBySixHundredScreen)
{
    open(800, 600);
    RECT client;
    GetClientRect(launcher.backdropWindow, &client);
    expectGradientColumn(700, 0, client.bottom, 600);
    EXPECT_EQ(RGB(0, 0, 255), at(700, 1));
    EXPECT_EQ(RGB(0, 0, 254), at(700, 2));
}

TEST_F(BackdropWindowTest, GradientRowsOnAScreenUnder255RowsHigh)
{
    open(640, 100);
    RECT client;
    GetClientRect(launcher.backdropWindow, &client);
    expectGradientColumn(700 - 100, 0, client.bottom, 100);
    // Neighbouring rows differ by more than one step of blue.
    EXPECT_GT(GetBValue(at(600, 0)) - GetBValue(at(600, 1)), 1);
}

TEST_F(BackdropWindowTest, ProductNameAndShadowAreCutAtColumn600)
{
    strcpy(setupConfig.productName, "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    open(800, 600);
    int white = 0, black = 0, whiteNearCut = 0;
    for (int y = 15; y < 60; ++y) {
        for (int x = 25; x < 600; ++x) {
            COLORREF c = at(x, y);
            white += c == RGB(255, 255, 255);
            black += c == RGB(0, 0, 0);
            whiteNearCut += x >= 560 && c == RGB(255, 255, 255);
        }
    }
    EXPECT_GT(white, 100);
    EXPECT_GT(black, 100);
    EXPECT_GT(whiteNearCut, 0);  // the name runs up to the cut...
    for (int x = 600; x < 640; ++x) {
        SCOPED_TRACE(x);
        expectGradientColumn(x, 0, 80, 600);  // ...and not past it
    }
}

TEST_F(BackdropWindowTest, PictureIsDrawnWithMagentaLeftTransparent)
{
    open(800, 600);
    expectPicture(600);
    expectGradientColumn(20 + 21, 540, 560, 600);  // nothing beside the picture
}

TEST_F(BackdropWindowTest, LaterPaintsDrawThePictureAgainWithoutDissolving)
{
    open(800, 600);
    ASSERT_EQ(0, dissolvePending);
    RECT area = {20, 540, 600, 590};
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ASSERT_EQ(RGB(0, 0, 0), at(25, 545));
    InvalidateRect(launcher.backdropWindow, &area, FALSE);
    UpdateWindow(launcher.backdropWindow);
    expectPicture(600);
    EXPECT_EQ(0, dissolvePending);
}

TEST_F(BackdropWindowTest, FirstPaintAwayFromThePictureStillEndsTheDissolve)
{
    open(800, 600);
    dissolvePending = 1;
    RECT top = {0, 0, 800, 100};
    InvalidateRect(launcher.backdropWindow, &top, FALSE);
    UpdateWindow(launcher.backdropWindow);
    EXPECT_EQ(0, dissolvePending);
}

} // namespace
