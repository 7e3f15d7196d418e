#include "engine_fixture.h"

namespace {

using NewGame = EngineTest;

TEST_F(NewGame, StartUpStateIsTheTitle)
{
    resetGameState();
    EXPECT_EQ(game.level, 0);
    EXPECT_EQ(game.nextType, 0);
    EXPECT_EQ(game.soundOn, 1);
    EXPECT_EQ(game.firstStart, 1);
    for (uint8_t cell : game.board)
        EXPECT_EQ(cell, 0);
    seedRandom(99);
    for (int k = 0; k < 1000; ++k) {
        const int16_t type = randomType();
        ASSERT_GE(type, 1);
        ASSERT_LE(type, 7);
    }
}

TEST_F(NewGame, AllSevenTypesComeWithEqualChance)
{
    int counts[8] = {};
    for (int k = 0; k < 70000; ++k)
        ++counts[randomType()];
    for (int type = 1; type <= 7; ++type)
        EXPECT_NEAR(counts[type], 10000, 600) << "type " << type;
}

TEST_F(NewGame, RestartInMidGameKeepsTheFallingTypeAndTheTable)
{
    startGameWith(5);
    ASSERT_EQ(movePiece(MOVE_DOWN), 1);
    game.score = 1230;
    game.level = 3;
    game.highScores[0] = 777;
    game.newRecord = 1;
    game.board[0] = 2;
    game.pieceType = 6;  // the piece falling at the moment of the restart

    seedRandom(31);
    const int16_t expectedNext = randomType();
    seedRandom(31);
    newGame();

    EXPECT_EQ(game.level, 1);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(game.gameOver, 0);
    EXPECT_EQ(game.pieceType, 6);
    EXPECT_EQ(game.nextType, expectedNext) << "only the spawn draws";
    EXPECT_EQ(game.highScores[0], 777);
    EXPECT_EQ(game.newRecord, 1) << "kept until the next game over";
    EXPECT_EQ(game.board[0], 0) << "the well was emptied";
    EXPECT_PIECE_CONSISTENT();
}

TEST_F(NewGame, AfterAGameOverTheTypeThatDidNotFitBegins)
{
    setRows({"..........", "..........", "..........", "..........", "..........",
             "..........", "..........", "..........", "..........", "..........",
             "..........", "..........", "..7777777."});
    game.pieceType = 2;
    spawnPiece();
    ASSERT_EQ(game.gameOver, 1);
    newGame();
    EXPECT_EQ(game.gameOver, 0);
    EXPECT_EQ(game.pieceType, 2);
    EXPECT_PIECE_CONSISTENT();
}

}  // namespace
