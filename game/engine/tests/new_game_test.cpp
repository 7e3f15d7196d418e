#include "engine_fixture.h"

namespace {

using NewGame = EngineTest;

TEST_F(NewGame, RestartKeepsTheFallingTypeTheTableAndTheRecordFlag)
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
    const int afterThat = std::rand();
    seedRandom(31);
    newGame();

    EXPECT_EQ(game.level, 1);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(game.pieceType, 6);
    EXPECT_EQ(game.nextType, expectedNext);
    EXPECT_EQ(std::rand(), afterThat) << "a new game draws exactly one number, in its spawn";
    EXPECT_EQ(game.highScores[0], 777);
    EXPECT_EQ(game.newRecord, 1) << "kept until the next game over";
    EXPECT_EQ(game.board[0], 0) << "the well was emptied";
    EXPECT_PIECE_CONSISTENT();
}

TEST_F(NewGame, AfterAGameOverTheTypeThatDidNotFitBegins)
{
    std::vector<std::string> rows(12, "..........");
    rows.push_back("..7777777.");
    setRows(rows);
    game.pieceType = 2;
    spawnPiece();
    ASSERT_EQ(game.gameOver, 1);
    newGame();
    EXPECT_EQ(game.gameOver, 0);
    EXPECT_EQ(game.pieceType, 2);
    EXPECT_PIECE_CONSISTENT();
}

}  // namespace
