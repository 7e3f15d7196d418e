#include "engine_fixture.h"

namespace {

class Landing : public EngineTest {
protected:
    // Puts a vertical bar (type 4 turned) over column `column` of the well
    // with its lowest square on the floor, as a drop would leave it, and
    // lands it.
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
        game.landed = 0;  // as the window does once the landing is shown
        game.linesCleared = 0;
    }

    void SetUp() override
    {
        EngineTest::SetUp();
        startGameWith(1);
        game.nextType = 4;
    }
};

TEST_F(Landing, LandingWithoutFullRowsScoresTenAndRepaintsTheNumbers)
{
    setRows({"..........", "1111.11111"});
    game.score = 995;
    hostRecord.repaints.clear();
    game.pieceType = 3;
    spawnPiece();
    dropPiece();
    hostRecord.repaints.clear();
    game.nextType = 2;
    landPiece();
    game.landed = 0;

    EXPECT_EQ(game.score, 1005);
    EXPECT_EQ(game.level, 1) << "no row went, so the threshold is not looked at";
    EXPECT_EQ(game.linesCleared, 0);
    EXPECT_EQ(game.pieceType, 2) << "the previewed piece falls next";
    ASSERT_GE(hostRecord.repaints.size(), 2u);
    EXPECT_EQ(hostRecord.repaints[0].area, screenLayout.scoreRect);
    EXPECT_EQ(hostRecord.repaints[1].area, screenLayout.levelRect);

    // The next removal raises the level.
    setRows({"1111.11111"});
    landBarInColumn(4);
    EXPECT_EQ(game.level, 2);
}

TEST_F(Landing, RowPointsGrowWithEachFurtherRow)
{
    struct Case {
        std::vector<std::string> rows;
        int points;
    };
    const Case cases[] = {
        {{"1111.11111"}, 10 + 100},
        {{"1111.11111", "1111.11111"}, 10 + 100 + 150},
        {{"1111.11111", "1111.11111", "1111.11111"}, 10 + 450},
        {{"1111.11111", "1111.11111", "1111.11111", "1111.11111"}, 10 + 700},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rows.size() << " full rows");
        startGameWith(1);
        setRows(c.rows);
        landBarInColumn(4);
        EXPECT_EQ(game.score, c.points);
        for (int row = 0; row < FIELD_ROWS - 4; ++row)
            EXPECT_EQ(boardRows()[static_cast<size_t>(row)], row < 4 - static_cast<int>(c.rows.size()) ? "....4....." : "..........")
                << "row " << row;
    }
}

TEST_F(Landing, SeparateFullRowsGoAndTheRowsBetweenComeDown)
{
    // A bar dropped into column 4 fills rows 2 and 4; row 3 keeps a hole.
    setRows({"22.2222222", "3.33333333", "1111.11111", "1111..1111", "1111.11111",
             "6666.66..6", ".7.7.7.7.7", "..........", "..........", "..........",
             "..........", "..........", "..........", "........11"});
    const std::vector<std::string> before = boardRows();
    game.pieceType = 4;
    spawnPiece();
    ASSERT_EQ(turnPiece(), 1);
    ASSERT_EQ(movePiece(MOVE_LEFT), 1);
    dropPiece();
    ASSERT_EQ(game.pieceRow, 5) << "the bar rests on row 1";
    const int16_t scoreBefore = game.score;
    hostRecord.repaints.clear();
    landPiece();

    EXPECT_EQ(game.score, scoreBefore + 10 + 100 + 150);
    EXPECT_EQ(game.linesCleared, 1);
    const std::vector<std::string> after = boardRows();
    EXPECT_EQ(after[0], before[0]);
    EXPECT_EQ(after[1], before[1]);
    EXPECT_EQ(after[2], "11114.1111") << "row 3 came down to row 2";
    EXPECT_EQ(after[3], "6666466..6") << "rows 5 to 13 came down by two";
    EXPECT_EQ(after[4], before[6]);
    EXPECT_EQ(after[11], "........11");
    EXPECT_EQ(after[12].substr(0, 3), "...") << "rows 12 and 13 hold only the new piece";
    EXPECT_EQ(after[13].substr(7), "...");
    ASSERT_GE(hostRecord.repaints.size(), 3u);
    EXPECT_TRUE(hostRecord.repaints[0].whole) << "a removal repaints the whole window first";
    EXPECT_EQ(hostRecord.repaints[1].area, screenLayout.scoreRect);
    EXPECT_EQ(hostRecord.repaints[2].area, screenLayout.levelRect);
}

TEST_F(Landing, LevelRisesByOneAtMostPerLandingAndStopsAtEleven)
{
    setRows({"1111.11111"});
    game.score = 6390;  // past 5800; 6400 is passed by this landing as well
    game.level = 6;
    landBarInColumn(4);
    EXPECT_EQ(game.score, 6500);
    EXPECT_EQ(game.level, 7);

    setRows({"1111.11111"});
    game.score = 100;
    game.level = 1;
    landBarInColumn(4);
    EXPECT_EQ(game.level, 1) << "210 reaches no threshold";

    setRows({"1111.11111"});
    game.score = 5000;
    game.level = 1;  // lagging far behind
    landBarInColumn(4);
    EXPECT_EQ(game.level, 2);
    setRows({"1111.11111"});
    landBarInColumn(4);
    EXPECT_EQ(game.level, 3);

    setRows({"1111.11111"});
    game.score = 8690;
    game.level = 10;
    landBarInColumn(4);
    EXPECT_EQ(game.score, 8800);
    EXPECT_EQ(game.level, 11);
    setRows({"1111.11111"});
    landBarInColumn(4);
    EXPECT_EQ(game.level, 11);
}

TEST_F(Landing, ScoreStopsAtTheLargestStoredValueInsteadOfWrapping)
{
    game.score = 32760;
    setRows({});
    game.pieceType = 3;
    spawnPiece();
    dropPiece();
    landPiece();
    game.landed = 0;
    EXPECT_EQ(game.score, 32767);

    setRows({"1111.11111", "1111.11111", "1111.11111", "1111.11111"});
    game.score = 32500;
    game.level = 10;
    landBarInColumn(4);
    EXPECT_EQ(game.score, 32767);
    EXPECT_EQ(game.level, 11);

    addScore(700);
    EXPECT_EQ(game.score, 32767);
}

TEST_F(Landing, TheLevelTablesAreAsPublished)
{
    const int16_t delays[] = {1000, 750, 500, 250, 150, 800, 600, 400, 200, 100, 0};
    const int16_t thresholds[] = {1000, 2000, 3000, 4000, 5000, 5800, 6400, 7200, 8000, 8800};
    for (int k = 0; k < 11; ++k)
        EXPECT_EQ(levelDelay[k], delays[k]) << "level " << k + 1;
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(levelThreshold[k], thresholds[k]) << "level " << k + 1;
}

TEST_F(Landing, NoRoomForTheNextPieceEndsTheGameOnce)
{
    const int32_t table[] = {100, 60, 20, 10, 5};
    std::memcpy(game.highScores, table, sizeof table);
    setRows({"..........", "..........", "..........", "..........", "..........",
             "..........", "..........", "..........", "..........", "..........",
             "..........", "....11...."});
    game.score = 40;
    game.pieceType = 3;
    spawnPiece();  // the square stands in rows 12..13, columns 4..5
    game.nextType = 6;
    ASSERT_EQ(movePiece(MOVE_DOWN), 0);
    ASSERT_EQ(game.landed, 1);
    landPiece();

    EXPECT_EQ(game.gameOver, 1);
    EXPECT_EQ(game.pieceType, 6) << "the type that did not fit";
    EXPECT_GE(game.nextType, 1) << "a fresh preview is drawn";
    EXPECT_EQ(game.score, 50);
    const int32_t entered[] = {100, 60, 50, 20, 10};
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(game.highScores[k], entered[k]) << "entry " << k;
    EXPECT_EQ(game.newRecord, 1);
    EXPECT_EQ(boardRows()[13], "....63....");
    EXPECT_EQ(boardRows()[12], "....666...") << "the piece that did not fit is still drawn";
}

}  // namespace
