#include "engine_fixture.h"

namespace {

using PieceMotion = EngineTest;

void moveTimes(int16_t direction, int times)
{
    for (int k = 0; k < times; ++k)
        movePiece(direction);
}

TEST_F(PieceMotion, SpawnPlacesThePieceAtTheTopAndDrawsOnePreview)
{
    game.pieceType = 5;
    seedRandom(7);
    const int16_t expectedNext = randomType();
    const int afterThat = std::rand();
    seedRandom(7);

    spawnPiece();

    EXPECT_EQ(game.gameOver, 0);
    EXPECT_EQ(game.nextType, expectedNext);
    EXPECT_EQ(std::rand(), afterThat) << "a spawn draws exactly one random number";
    EXPECT_EQ(game.pieceRect, (Rect{39, 6, 87, 54}));
    EXPECT_EQ(boardRows()[13], "......5...");
    EXPECT_EQ(boardRows()[12], "....555...");
    ASSERT_EQ(hostRecord.repaints.size(), 2u);
    EXPECT_EQ(hostRecord.repaints[0].area, game.pieceRect);
    EXPECT_EQ(hostRecord.repaints[1].area, screenLayout.nextRect);
    EXPECT_PIECE_CONSISTENT();
}

TEST_F(PieceMotion, MovesShiftThePieceAndRepaintItsOldAndNewBox)
{
    startGameWith(2);
    hostRecord.repaints.clear();
    ASSERT_EQ(movePiece(MOVE_DOWN), 1);
    ASSERT_EQ(hostRecord.repaints.size(), 2u);
    EXPECT_EQ(hostRecord.repaints[0].area, (Rect{39, 6, 87, 54}));
    EXPECT_EQ(hostRecord.repaints[1].area, (Rect{39, 18, 87, 66}));
    ASSERT_EQ(movePiece(MOVE_LEFT), 1);
    EXPECT_EQ(game.pieceRect, (Rect{27, 18, 75, 66}));
    EXPECT_PIECE_CONSISTENT();
}

TEST_F(PieceMotion, WallsRefuseSidewaysMovesAndTheBarStandsFromMinusTwoToSeven)
{
    startGameWith(4);
    ASSERT_EQ(movePiece(MOVE_DOWN), 1);
    moveTimes(MOVE_LEFT, 3);
    const std::vector<std::string> before = boardRows();
    hostRecord.repaints.clear();
    EXPECT_EQ(movePiece(MOVE_LEFT), 0);
    EXPECT_EQ(game.pieceCol, 0);
    EXPECT_EQ(game.landed, 0) << "only a refused downward move lands";
    EXPECT_EQ(boardRows(), before);
    EXPECT_TRUE(hostRecord.repaints.empty()) << "a refused move asks for no repaint";

    ASSERT_EQ(turnPiece(), 1);  // upright, in column 2 of its box
    moveTimes(MOVE_LEFT, 10);
    EXPECT_EQ(game.pieceCol, -2);
    EXPECT_EQ(game.pieceRect.left, 3 - 24) << "the box reaches past the well";
    EXPECT_PIECE_CONSISTENT();
    moveTimes(MOVE_RIGHT, 20);
    EXPECT_EQ(game.pieceCol, 7);
    EXPECT_EQ(game.landed, 0);
    EXPECT_PIECE_CONSISTENT();
}

TEST_F(PieceMotion, FloorAndSettledSquaresStopTheFallAndSetLanded)
{
    setRows({"..........", "....7....."});
    game.pieceType = 3;
    spawnPiece();
    int moves = 0;
    while (movePiece(MOVE_DOWN))
        ++moves;
    EXPECT_EQ(moves, 10);
    EXPECT_EQ(game.landed, 1);
    EXPECT_EQ(boardRows()[2], "....33....") << "the square rests on the settled square";
    EXPECT_PIECE_CONSISTENT();

    game.landed = 0;
    setRows({});
    game.pieceType = 4;
    spawnPiece();
    dropPiece();
    EXPECT_EQ(game.landed, 1);
    EXPECT_EQ(boardRows()[0], "...4444...") << "the flat bar lies in the top row of its box";
}

TEST_F(PieceMotion, TurnsCycleInPlaceAndRefusedTurnsKeepTheOldShape)
{
    startGameWith(7);
    moveTimes(MOVE_DOWN, 2);
    const Rect box = game.pieceRect;
    for (int16_t step = 1; step <= 4; ++step) {
        hostRecord.repaints.clear();
        ASSERT_EQ(turnPiece(), 1);
        EXPECT_EQ(game.rotation, step % 4);
        ASSERT_EQ(hostRecord.repaints.size(), 1u);
        EXPECT_EQ(hostRecord.repaints[0].area, box);
        EXPECT_PIECE_CONSISTENT();
    }

    startGameWith(3);
    const std::vector<std::string> square = boardRows();
    EXPECT_EQ(turnPiece(), 1) << "the square always turns";
    EXPECT_EQ(boardRows(), square);

    // The flat bar on the floor cannot stand up: it would reach rows -1..-3.
    startGameWith(4);
    dropPiece();
    game.landed = 0;
    const std::vector<std::string> flat = boardRows();
    EXPECT_EQ(turnPiece(), 0);
    EXPECT_EQ(game.rotation, 0);
    EXPECT_EQ(boardRows(), flat);
    EXPECT_EQ(movePiece(MOVE_LEFT), 1) << "moves go on with the old shape";
    EXPECT_EQ(boardRows()[0], "..4444....");

    // A settled square in the way of the upright shape refuses the turn too.
    std::vector<std::string> rows(10, "..........");
    rows.push_back(".....1....");
    setRows(rows);
    game.pieceType = 4;
    spawnPiece();
    EXPECT_EQ(turnPiece(), 0);
    EXPECT_PIECE_CONSISTENT();
}

TEST_F(PieceMotion, AFullTopEndsTheGameButStillStampsThePiece)
{
    std::vector<std::string> rows(10, "1111111111");
    for (const char* row : {"1.1.1.1.1.", ".1.1.1.1.1", "1.1.1.1.1.", ".1.1.1.1.1"})
        rows.push_back(row);
    setRows(rows);
    game.score = 120;
    game.pieceType = 6;
    spawnPiece();
    EXPECT_EQ(game.gameOver, 1);
    EXPECT_EQ(game.highScores[0], 120) << "the table was updated";
    EXPECT_GE(game.nextType, 1) << "a new preview is still drawn";
    EXPECT_EQ(boardRows()[13], ".1.161.1.1");
    EXPECT_EQ(boardRows()[12], "1.1.666.1.") << "the piece overwrites the settled squares";
}

TEST_F(PieceMotion, DropEndsEvenWithAMaskWithoutSquares)
{
    startGameWith(1);
    hostRecord.emptyMasks = true;
    dropPiece();
    EXPECT_EQ(game.landed, 1);
    EXPECT_EQ(game.pieceRow, 0) << "the box never sinks below the floor";
    moveTimes(MOVE_LEFT, 100);
    EXPECT_EQ(game.pieceCol, -3);
}

}  // namespace
