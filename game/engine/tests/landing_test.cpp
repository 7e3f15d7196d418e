#include "engine_fixture.h"

namespace {

class Landing : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        startGameWith(1);
    }

    // Drops an upright bar into a column of the well, lands it, and clears
    // the landing flags as the window does once the landing is shown.
    static void landBarInColumn(int column)
    {
        game.pieceType = 4;
        spawnPiece();
        EXPECT_EQ(turnPiece(), 1);
        while (game.pieceCol + 2 > column && movePiece(MOVE_LEFT)) {
        }
        while (game.pieceCol + 2 < column && movePiece(MOVE_RIGHT)) {
        }
        dropPiece();
        landPiece();
        game.landed = 0;
        game.linesCleared = 0;
    }
};

TEST_F(Landing, RowPointsGrowWithEachFurtherRowAndTheRowsGo)
{
    const std::string gap = "1111.11111";
    const int points[] = {10, 10 + 100, 10 + 250, 10 + 450, 10 + 700};
    for (int full = 0; full <= 4; ++full) {
        SCOPED_TRACE(testing::Message() << full << " full rows");
        startGameWith(1);
        setRows(std::vector<std::string>(static_cast<size_t>(full), gap));
        landBarInColumn(4);
        EXPECT_EQ(game.score, points[full]);
        for (int row = 0; row < FIELD_ROWS - 4; ++row)
            EXPECT_EQ(boardRows()[static_cast<size_t>(row)], row < 4 - full ? "....4....." : "..........")
                << "row " << row;
    }
}

TEST_F(Landing, SeparateFullRowsGoAndTheRowsBetweenComeDown)
{
    // A bar dropped into column 4 fills rows 2 and 4; row 3 keeps a hole.
    std::vector<std::string> rows = {
        "22.2222222", "3.33333333", "1111.11111", "1111..1111", "1111.11111", "6666.66..6", ".7.7.7.7.7"};
    rows.resize(13, "..........");
    rows.push_back("........11");
    setRows(rows);
    game.pieceType = 4;
    spawnPiece();
    ASSERT_EQ(turnPiece(), 1);
    ASSERT_EQ(movePiece(MOVE_LEFT), 1);
    dropPiece();
    ASSERT_EQ(game.pieceRow, 5) << "the bar rests on row 1";
    hostRecord.repaints.clear();
    landPiece();

    EXPECT_EQ(game.score, 10 + 100 + 150);
    EXPECT_EQ(game.linesCleared, 1);
    const std::vector<std::string> after = boardRows();
    EXPECT_EQ(after[1], rows[1]);
    EXPECT_EQ(after[2], "11114.1111") << "row 3 came down to row 2";
    EXPECT_EQ(after[3], "6666466..6") << "rows 5 to 13 came down by two";
    EXPECT_EQ(after[4], rows[6]);
    EXPECT_EQ(after[11], "........11");
    ASSERT_GE(hostRecord.repaints.size(), 3u);
    EXPECT_TRUE(hostRecord.repaints[0].whole) << "a removal repaints the whole window first";
    EXPECT_EQ(hostRecord.repaints[1].area, screenLayout.scoreRect);
    EXPECT_EQ(hostRecord.repaints[2].area, screenLayout.levelRect);
}

TEST_F(Landing, LevelRisesOnlyAtARemovalByOneAtMostAndStopsAtEleven)
{
    // 10 points carry the score past 1000, but no row went: no rise yet,
    // only the numbers are repainted.
    setRows({"..........", "1111.11111"});
    game.score = 995;
    game.pieceType = 3;
    spawnPiece();
    dropPiece();
    hostRecord.repaints.clear();
    landPiece();
    game.landed = 0;
    EXPECT_EQ(game.score, 1005);
    EXPECT_EQ(game.level, 1);
    EXPECT_EQ(game.linesCleared, 0);
    ASSERT_GE(hostRecord.repaints.size(), 2u);
    EXPECT_EQ(hostRecord.repaints[0].area, screenLayout.scoreRect);
    EXPECT_EQ(hostRecord.repaints[1].area, screenLayout.levelRect);

    struct Step {
        int16_t score, level;    // before the landing, which removes one row
        int16_t after, reached;  // score and level after it
    };
    const Step steps[] = {
        {1005, 1, 1115, 2},  // the next removal raises it
        {6390, 6, 6500, 7},  // 5800 and 6400 both passed: one level only
        {100, 1, 210, 1},
        {5000, 1, 5110, 2},  // far behind: one level per removal
        {5110, 2, 5220, 3},
        {8690, 10, 8800, 11},
        {8800, 11, 8910, 11},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << "score " << s.score << " at level " << s.level);
        setRows({"1111.11111"});
        game.score = s.score;
        game.level = s.level;
        landBarInColumn(4);
        EXPECT_EQ(game.score, s.after);
        EXPECT_EQ(game.level, s.reached);
    }
}

TEST_F(Landing, ScoreStopsAt32767InsteadOfWrapping)
{
    game.score = 32760;
    setRows({});
    landBarInColumn(4);
    EXPECT_EQ(game.score, 32767);

    setRows(std::vector<std::string>(4, "1111.11111"));
    game.score = 32500;
    game.level = 10;
    landBarInColumn(4);
    EXPECT_EQ(game.score, 32767);
    EXPECT_EQ(game.level, 11);
}

TEST_F(Landing, NoRoomForTheNextPieceEndsTheGameOnce)
{
    const int32_t table[] = {100, 60, 20, 10, 5};
    std::memcpy(game.highScores, table, sizeof table);
    std::vector<std::string> rows(11, "..........");
    rows.push_back("....11....");
    setRows(rows);
    game.score = 40;
    game.pieceType = 3;
    spawnPiece();  // the square stands in rows 12..13, columns 4..5
    game.nextType = 6;
    ASSERT_EQ(movePiece(MOVE_DOWN), 0);
    landPiece();

    EXPECT_EQ(game.gameOver, 1);
    EXPECT_EQ(game.pieceType, 6) << "the type that did not fit";
    EXPECT_EQ(game.score, 50);
    const int32_t entered[] = {100, 60, 50, 20, 10};
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(game.highScores[k], entered[k]) << "entry " << k << ": entered once";
    EXPECT_EQ(boardRows()[13], "....63....");
    EXPECT_EQ(boardRows()[12], "....666...") << "the piece that did not fit is still drawn";
}

}  // namespace
