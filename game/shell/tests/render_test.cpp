// What the player sees: the composed frame, pixel by pixel.
#include "shell_fixture.h"

#include <array>

#include "../../resources/resource_ids.h"
#include "desktop.h"
#include "render.h"

namespace {

class Rendering : public ShellTest {};

TEST_F(Rendering, CellsSitExactlyOnTheirCellsAndEmptyCellsShowTheBackground)
{
    startGameWith(3);
    std::vector<std::string> rows(FIELD_ROWS, "..........");
    rows[0] = "1.......27";
    rows[1] = ".........3";
    rows[2] = "4.5.6.....";
    rows[13] = ".........7";  // top right corner of the well
    setRows(rows);
    const Frame frame = printFrame(window());
    const Picture background = loadPicture(IDB_BACKGROUND);
    for (int cell = 0; cell < FIELD_CELLS; ++cell) {
        const Rect& r = screenLayout.cellRects[cell];
        SCOPED_TRACE(testing::Message() << "cell " << cell);
        if (game.board[cell])
            EXPECT_PICTURE_AT(frame, IDB_CELL_BASE + game.board[cell], r.left, r.top);
        else
            expectBox(frame, r.left, r.top, background, r.left, r.top, r.right - r.left, r.bottom - r.top, __LINE__);
    }
    EXPECT_PICTURE_AT(frame, IDB_CELL_BASE + 1, 3, 162);
    EXPECT_PICTURE_AT(frame, IDB_CELL_BASE + 7, 111, 6);
}

TEST_F(Rendering, NumbersAreDigitsCentredInTheirBoxesAndOutOfRangeValuesShowOnlyDigits)
{
    startGameWith(1);
    game.score = 10;
    game.level = 3;
    Frame frame = printFrame(window());
    EXPECT_DIGITS_AT(frame, "10", 140, 24);
    EXPECT_DIGITS_AT(frame, "3", 145, 80);
    game.score = 32767;
    EXPECT_DIGITS_AT(printFrame(window()), "32767", 127, 24);

    // drawNumber is handed high scores typed into the registry by hand: it
    // must never reach past the ten digit bitmaps, nor wrap at 16 bits.
    const struct {
        int32_t stored;
        const char* shown;
        int x;
    } rows[] = {{-7, "0", 70}, {40000, "32767", 52}, {70000, "32767", 52}, {5, "5", 70}, {12345, "12345", 52}};
    for (int i = 0; i < HIGH_SCORE_COUNT; ++i)
        game.highScores[i] = rows[i].stored;
    game.score = 0;
    frame = renderedFrame(renderHiScoreBoard);
    for (int i = 0; i < HIGH_SCORE_COUNT; ++i)
        EXPECT_DIGITS_AT(frame, rows[i].shown, rows[i].x, 46 + 25 * i);
    EXPECT_DIGITS_AT(frame, "0", 145, 24);  // score of no game
}

TEST_F(Rendering, PreviewsAreCentredInTheNextBoxAndTheBarOverhangsByOnePixel)
{
    startGameWith(1);
    // Next type, and where its preview's top-left corner lies.
    for (const auto& c : {std::array<int16_t, 3>{1, 131, 143}, {3, 137, 143}, {4, 126, 149}, {7, 131, 143}}) {
        SCOPED_TRACE(testing::Message() << "next type " << c[0]);
        game.nextType = c[0];
        EXPECT_PICTURE_AT(printFrame(window()), IDB_PREVIEW_BASE + c[0], c[1], c[2]);
    }
}

TEST_F(Rendering, TheTitleWinsOverGameOverWhichWinsOverPause)
{
    game.gameOver = 1;
    game.paused = 1;
    Frame frame = printFrame(window());
    EXPECT_PICTURE_AT(frame, IDB_INSTRUCTIONS, 3, 6);  // level 0 wins over both
    EXPECT_DIGITS_AT(frame, "0", 145, 24);             // score
    EXPECT_DIGITS_AT(frame, "0", 145, 80);             // level
    // No preview: the NEXT box is the background's own; outside the boxes
    // and the well the background shows, from (0, 0).
    const Picture background = loadPicture(IDB_BACKGROUND);
    ASSERT_EQ(background.width, FRAME_WIDTH);
    expectBox(frame, 126, 138, background, 126, 138, 47, 35, __LINE__);
    expectBox(frame, 175, 0, background, 175, 0, 1, FRAME_HEIGHT, __LINE__);
    expectBox(frame, 0, 179, background, 0, 179, FRAME_WIDTH, 1, __LINE__);

    startGameWith(2);
    setRows({"1234567123"});
    game.gameOver = 1;
    game.paused = 1;
    frame = printFrame(window());
    EXPECT_PICTURE_AT(frame, IDB_GAME_OVER, 20, 78);
    EXPECT_PICTURE_AT(frame, IDB_CELL_BASE + 4, 39, 162);  // settled cells stay drawn

    game.gameOver = 0;
    EXPECT_PICTURE_AT(printFrame(window()), IDB_PAUSED, 20, 78);

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
    const Frame before = screenFrame(window());
    EXPECT_DIGITS_AT(before, "0", 145, 24);

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
    EXPECT_DIGITS_AT(after, "12345", 127, 24);
    // Outside the box: the four bands around it are as they were.
    expectBox(after, 0, 0, before, 0, 0, FRAME_WIDTH, box.top, __LINE__);
    expectBox(after, 0, box.bottom, before, 0, box.bottom, FRAME_WIDTH, FRAME_HEIGHT - box.bottom, __LINE__);
    expectBox(after, 0, box.top, before, 0, box.top, box.left, box.bottom - box.top, __LINE__);
    expectBox(
        after, box.right, box.top, before, box.right, box.top, FRAME_WIDTH - box.right, box.bottom - box.top, __LINE__);
}

TEST_F(Rendering, ThousandsOfPaintsLeaveNoDrawingObjectsBehind)
{
    // The pictures and the off-screen frame are made once per window, and
    // so is what the zoomed paint keeps; a paint makes nothing new, even
    // with a full well of 140 cells, nor does a change of zoom.
    startGameWith(1);
    game.nextType = 4;
    game.score = 12345;
    const auto zoomTo = [this](int zoom) {
        SendMessageW(window(), WM_SYSCOMMAND, SC_ZOOM_BASE + SC_ZOOM_STEP * zoom, 0);
    };
    zoomTo(3);
    UpdateWindow(window());
    const unsigned before = drawingObjectsInUse();
    for (int i = 0; i < 2040; ++i) {
        if (i % 40 == 0)
            zoomTo(i < 2000 ? 3 - i / 40 % 3 : 1);
        if (i == 2000) {
            for (int cell = 0; cell < FIELD_CELLS; ++cell)
                game.board[cell] = static_cast<uint8_t>(1 + cell % 7);
            game.paused = 1;
        }
        InvalidateRect(window(), nullptr, FALSE);
        UpdateWindow(window());
    }
    EXPECT_LE(drawingObjectsInUse(), before + 2);
    // And the last paint is still complete.
    const Frame last = screenFrame(window());
    EXPECT_PICTURE_AT(last, IDB_PAUSED, 20, 78);
    EXPECT_PICTURE_AT(last, IDB_CELL_BASE + 1, 3, 162);
    EXPECT_DIGITS_AT(last, "12345", 127, 24);
}

}  // namespace
