// What the player sees: the composed frame, pixel by pixel.
#include "shell_fixture.h"

#include "../../resources/resource_ids.h"
#include "render.h"

namespace {

class Rendering : public ShellTest {};

// The table slot a new drawing object gets (the low word of its handle).
unsigned probeHandleSlot()
{
    HBITMAP probe = CreateBitmap(1, 1, 1, 1, nullptr);
    const unsigned slot = static_cast<unsigned>(reinterpret_cast<uintptr_t>(probe) & 0xFFFF);
    DeleteObject(probe);
    return slot;
}

bool sameOutside(const Frame& a, const Frame& b, const Rect& hole, int* badX, int* badY)
{
    for (int y = 0; y < FRAME_HEIGHT; ++y)
        for (int x = 0; x < FRAME_WIDTH; ++x) {
            const bool inside = x >= hole.left && x < hole.right && y >= hole.top && y < hole.bottom;
            if (!inside && a.at(x, y) != b.at(x, y)) {
                *badX = x;
                *badY = y;
                return false;
            }
        }
    return true;
}

TEST_F(Rendering, TitleShowsBackgroundZerosAndInstructionsWithoutPreview)
{
    const Frame frame = printFrame(window());
    EXPECT_PICTURE_AT(frame, IDB_INSTRUCTIONS, 3, 6);
    EXPECT_PICTURE_AT(frame, IDB_DIGIT_BASE + 0, 145, 24);  // score 0
    EXPECT_PICTURE_AT(frame, IDB_DIGIT_BASE + 0, 145, 80);  // level 0
    // No preview: the NEXT box is the background's own.
    const Picture background = loadPicture(IDB_BACKGROUND);
    ASSERT_EQ(background.width, FRAME_WIDTH);
    for (int y = 138; y < 173; ++y)
        for (int x = 126; x < 173; ++x)
            ASSERT_EQ(frame.at(x, y), background.at(x, y)) << "at (" << x << ", " << y << ")";
    // Outside the boxes and the well the background shows, from (0, 0).
    for (int y = 0; y < FRAME_HEIGHT; ++y)
        ASSERT_EQ(frame.at(175, y), background.at(175, y)) << "right edge, y " << y;
    for (int x = 0; x < FRAME_WIDTH; ++x)
        ASSERT_EQ(frame.at(x, 179), background.at(x, 179)) << "bottom edge, x " << x;
}

TEST_F(Rendering, CellsSitExactlyOnTheirCellsAndEmptyCellsShowTheBackground)
{
    startGameWith(3);
    setRows({"1.......27", ".........3", "4.5.6....."});
    for (int r = 3; r < FIELD_ROWS; ++r)
        for (int c = 0; c < FIELD_COLUMNS; ++c)
            game.board[r * 10 + c] = 0;
    game.board[13 * 10 + 9] = 7;  // top right corner of the well
    const Frame frame = printFrame(window());
    const Picture background = loadPicture(IDB_BACKGROUND);
    for (int cell = 0; cell < FIELD_CELLS; ++cell) {
        const Rect& r = screenLayout.cellRects[cell];
        const int value = game.board[cell];
        SCOPED_TRACE(testing::Message() << "cell " << cell << " value " << value);
        if (value) {
            EXPECT_PICTURE_AT(frame, IDB_CELL_BASE + value, r.left, r.top);
        } else {
            ASSERT_EQ(frame.at(r.left, r.top), background.at(r.left, r.top));
            ASSERT_EQ(frame.at(r.right - 1, r.bottom - 1), background.at(r.right - 1, r.bottom - 1));
        }
    }
    EXPECT_PICTURE_AT(frame, IDB_CELL_BASE + 1, 3, 162);
    EXPECT_PICTURE_AT(frame, IDB_CELL_BASE + 7, 111, 6);
}

TEST_F(Rendering, NumbersAreRightAlignedDigitsCentredInTheirBoxes)
{
    startGameWith(1);
    game.score = 10;
    game.level = 3;
    Frame frame = printFrame(window());
    EXPECT_PICTURE_AT(frame, IDB_DIGIT_BASE + 0, 149, 24);
    EXPECT_PICTURE_AT(frame, IDB_DIGIT_BASE + 1, 140, 24);
    EXPECT_PICTURE_AT(frame, IDB_DIGIT_BASE + 3, 145, 80);

    game.score = 32767;
    frame = printFrame(window());
    const int digits[] = {3, 2, 7, 6, 7};
    for (int i = 0; i < 5; ++i)
        EXPECT_PICTURE_AT(frame, IDB_DIGIT_BASE + digits[i], 127 + 9 * i, 24);
}

TEST_F(Rendering, OutOfRangeValuesShowOnlyDigitsClampedToTheBox)
{
    // drawNumber is handed high scores typed into the registry by hand: it
    // must never reach past the ten digit bitmaps.
    game.highScores[0] = -7;
    game.highScores[1] = 40000;
    game.highScores[2] = 70000;  // 4464 once cut to 16 bits: no wrapping either
    game.highScores[3] = 5;
    game.highScores[4] = 12345;
    const Frame frame = renderedFrame(renderHiScoreBoard);

    EXPECT_PICTURE_AT(frame, IDB_DIGIT_BASE + 0, 70, 46);  // negative: 0
    const int top[] = {3, 2, 7, 6, 7};
    for (int i = 0; i < 5; ++i) {
        EXPECT_PICTURE_AT(frame, IDB_DIGIT_BASE + top[i], 52 + 9 * i, 71);  // 40000: 32767
        EXPECT_PICTURE_AT(frame, IDB_DIGIT_BASE + top[i], 52 + 9 * i, 96);  // 70000: 32767
    }
    EXPECT_PICTURE_AT(frame, IDB_DIGIT_BASE + 5, 70, 121);
    for (int i = 0; i < 5; ++i)
        EXPECT_PICTURE_AT(frame, IDB_DIGIT_BASE + 1 + i, 52 + 9 * i, 146);
    EXPECT_PICTURE_AT(frame, IDB_DIGIT_BASE + 0, 145, 24);  // score of no game
}

TEST_F(Rendering, PreviewsAreCentredInTheNextBoxAndTheBarOverhangsByOnePixel)
{
    struct Case {
        int16_t type;
        int x;
        int y;
    };
    const Case cases[] = {{1, 131, 143}, {3, 137, 143}, {4, 126, 149}, {7, 131, 143}};
    startGameWith(1);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "next type " << c.type);
        game.nextType = c.type;
        EXPECT_PICTURE_AT(printFrame(window()), IDB_PREVIEW_BASE + c.type, c.x, c.y);
    }
}

TEST_F(Rendering, BannersFollowTitleThenGameOverThenPause)
{
    Frame frame;
    game.gameOver = 1;
    game.paused = 1;
    frame = printFrame(window());
    EXPECT_PICTURE_AT(frame, IDB_INSTRUCTIONS, 3, 6);  // level 0 wins over both

    startGameWith(2);
    setRows({"1234567123"});
    game.gameOver = 1;
    game.paused = 1;
    frame = printFrame(window());
    EXPECT_PICTURE_AT(frame, IDB_GAME_OVER, 20, 78);
    EXPECT_PICTURE_AT(frame, IDB_CELL_BASE + 4, 39, 162);  // settled cells stay drawn

    game.gameOver = 0;
    frame = printFrame(window());
    EXPECT_PICTURE_AT(frame, IDB_PAUSED, 20, 78);

    game.paused = 0;
    frame = printFrame(window());
    const Picture banner = loadPicture(IDB_PAUSED);
    int same = 0;
    for (int y = 0; y < banner.height; ++y)
        for (int x = 0; x < banner.width; ++x)
            same += frame.at(20 + x, 78 + y) == banner.at(x, y);
    EXPECT_LT(same, banner.width * banner.height / 2) << "no banner while playing";
}

TEST_F(Rendering, InvalidatingTheScoreBoxChangesOnlyItsPixelsOnScreen)
{
    startGameWith(1);
    UpdateWindow(window());
    const Frame before = screenFrame(window());
    EXPECT_PICTURE_AT(before, IDB_DIGIT_BASE + 0, 145, 24);

    // Change far more than the score, then ask for the score box only.
    setRows({"7777777777", "5555555555"});
    game.score = 12345;
    game.level = 9;
    game.nextType = 4;
    const Rect& box = screenLayout.scoreRect;
    const RECT r = {box.left, box.top, box.right, box.bottom};
    InvalidateRect(window(), &r, FALSE);
    UpdateWindow(window());
    const Frame after = screenFrame(window());

    int x = 0;
    int y = 0;
    EXPECT_TRUE(sameOutside(before, after, box, &x, &y)) << "pixel (" << x << ", " << y << ") changed";
    for (int i = 0; i < 5; ++i)
        EXPECT_PICTURE_AT(after, IDB_DIGIT_BASE + 1 + i, 127 + 9 * i, 24);
}

TEST_F(Rendering, ThousandsOfPaintsLeaveNoDrawingObjectsBehind)
{
    // Every paint creates and deletes two contexts and the off-screen frame
    // and loads each bitmap it draws; a full well loads 140 cell bitmaps.
    startGameWith(1);
    game.nextType = 4;
    game.score = 12345;
    UpdateWindow(window());
    const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const unsigned probeBefore = probeHandleSlot();
    for (int i = 0; i < 2000; ++i) {
        InvalidateRect(window(), nullptr, FALSE);
        UpdateWindow(window());
    }
    for (int i = 0; i < FIELD_CELLS; ++i)
        game.board[i] = static_cast<uint8_t>(1 + i % 7);
    game.paused = 1;
    const Frame first = screenFrame(window());
    for (int i = 0; i < 40; ++i) {
        InvalidateRect(window(), nullptr, FALSE);
        UpdateWindow(window());
    }
    const DWORD gdiAfter = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    EXPECT_LE(gdiAfter, gdiBefore + 2) << "GDI objects before " << gdiBefore << ", after " << gdiAfter;
    // Where the count is not kept, a leak still shows as a handle table
    // that keeps growing: a new object would land in a slot far beyond.
    const unsigned probeAfter = probeHandleSlot();
    EXPECT_LE(probeAfter, probeBefore + 50) << "handle slot before " << probeBefore << ", after " << probeAfter;
    // And the last paint is still complete.
    const Frame last = screenFrame(window());
    EXPECT_PICTURE_AT(last, IDB_PAUSED, 20, 78);
    EXPECT_PICTURE_AT(last, IDB_CELL_BASE + 1, 3, 162);
    EXPECT_PICTURE_AT(last, IDB_DIGIT_BASE + 5, 163, 24);
}

}  // namespace
