#include "engine_fixture.h"
#include "tile_table.h"

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

    EXPECT_EQ(game.pieceCol, 3);
    EXPECT_EQ(game.pieceRow, 13);
    EXPECT_EQ(game.rotation, 0);
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

TEST_F(PieceMotion, MovesShiftThePieceAndItsScreenBox)
{
    startGameWith(2);
    hostRecord.repaints.clear();

    ASSERT_EQ(movePiece(MOVE_DOWN), 1);
    EXPECT_EQ(game.pieceRect, (Rect{39, 18, 87, 66}));
    ASSERT_EQ(hostRecord.repaints.size(), 2u) << "old place, then new place";
    EXPECT_EQ(hostRecord.repaints[0].area, (Rect{39, 6, 87, 54}));
    EXPECT_EQ(hostRecord.repaints[1].area, (Rect{39, 18, 87, 66}));
    EXPECT_PIECE_CONSISTENT();

    ASSERT_EQ(movePiece(MOVE_LEFT), 1);
    EXPECT_EQ(game.pieceRect, (Rect{27, 18, 75, 66}));
    ASSERT_EQ(movePiece(MOVE_RIGHT), 1);
    ASSERT_EQ(movePiece(MOVE_RIGHT), 1);
    EXPECT_EQ(game.pieceCol, 4);
    EXPECT_EQ(game.pieceRow, 12);
    EXPECT_PIECE_CONSISTENT();
}

TEST_F(PieceMotion, WallsRefuseSidewaysMovesWithoutLanding)
{
    startGameWith(4);
    ASSERT_EQ(movePiece(MOVE_DOWN), 1);
    moveTimes(MOVE_LEFT, 3);
    EXPECT_EQ(game.pieceCol, 0);
    const std::vector<std::string> before = boardRows();
    hostRecord.repaints.clear();

    EXPECT_EQ(movePiece(MOVE_LEFT), 0);
    EXPECT_EQ(game.pieceCol, 0);
    EXPECT_EQ(game.landed, 0);
    EXPECT_EQ(boardRows(), before);
    EXPECT_TRUE(hostRecord.repaints.empty()) << "a refused move asks for no repaint";

    moveTimes(MOVE_RIGHT, 6);
    EXPECT_EQ(game.pieceCol, 6);
    EXPECT_EQ(movePiece(MOVE_RIGHT), 0);
    EXPECT_EQ(game.landed, 0);
    EXPECT_PIECE_CONSISTENT();
}

TEST_F(PieceMotion, VerticalBarStandsFromColumnMinusTwoToSeven)
{
    startGameWith(4);
    ASSERT_EQ(movePiece(MOVE_DOWN), 1);
    ASSERT_EQ(turnPiece(), 1);
    moveTimes(MOVE_LEFT, 10);
    EXPECT_EQ(game.pieceCol, -2);
    EXPECT_EQ(boardRows()[12][0], '4');
    EXPECT_PIECE_CONSISTENT();
    EXPECT_GT(game.pieceRect.right, game.pieceRect.left);
    EXPECT_EQ(game.pieceRect.left, 3 - 24) << "the box reaches past the well";

    moveTimes(MOVE_RIGHT, 20);
    EXPECT_EQ(game.pieceCol, 7);
    EXPECT_EQ(boardRows()[12][9], '4');
    EXPECT_PIECE_CONSISTENT();
}

TEST_F(PieceMotion, FloorAndSettledSquaresStopTheFallAndSetLanded)
{
    setRows({"..........", "...77....."});
    startGameWith(3);  // newGame empties the well
    EXPECT_EQ(boardRows()[1], "..........");

    setRows({"..........", "....7....."});
    game.pieceType = 3;
    spawnPiece();
    int moves = 0;
    while (movePiece(MOVE_DOWN))
        ++moves;
    EXPECT_EQ(game.landed, 1);
    EXPECT_EQ(game.pieceRow, 3) << "the square rests on the settled square in row 1";
    EXPECT_EQ(moves, 10);
    EXPECT_EQ(boardRows()[2], "....33....");
    EXPECT_EQ(boardRows()[3], "....33....");
    EXPECT_PIECE_CONSISTENT();

    game.landed = 0;
    setRows({});
    game.pieceType = 4;
    spawnPiece();
    while (movePiece(MOVE_DOWN)) {
    }
    EXPECT_EQ(game.landed, 1);
    EXPECT_EQ(game.pieceRow, 0) << "the flat bar lies in the top row of its box";
    EXPECT_EQ(boardRows()[0], "...4444...");
}

TEST_F(PieceMotion, TurnsStayInTheBoxAndCycleThroughTheSteps)
{
    startGameWith(7);
    moveTimes(MOVE_DOWN, 2);
    const Rect box = game.pieceRect;
    for (int16_t step = 1; step <= 4; ++step) {
        hostRecord.repaints.clear();
        ASSERT_EQ(turnPiece(), 1);
        EXPECT_EQ(game.rotation, step % 4);
        EXPECT_EQ(game.pieceRect, box);
        ASSERT_EQ(hostRecord.repaints.size(), 1u);
        EXPECT_EQ(hostRecord.repaints[0].area, box);
        EXPECT_PIECE_CONSISTENT();
    }
}

TEST_F(PieceMotion, TheSquareAlwaysTurnsAndNothingChanges)
{
    startGameWith(3);
    const std::vector<std::string> before = boardRows();
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(turnPiece(), 1);
        EXPECT_EQ(game.rotation, 0);
        EXPECT_EQ(boardRows(), before);
    }
}

TEST_F(PieceMotion, RefusedTurnsKeepTheOldShape)
{
    // The flat bar on the floor cannot stand up: it would reach rows -1..-3.
    setRows({});
    startGameWith(4);
    while (movePiece(MOVE_DOWN)) {
    }
    game.landed = 0;
    const std::vector<std::string> before = boardRows();
    EXPECT_EQ(turnPiece(), 0);
    EXPECT_EQ(game.rotation, 0);
    EXPECT_EQ(boardRows(), before);
    EXPECT_EQ(movePiece(MOVE_LEFT), 1) << "moves go on with the old shape";
    EXPECT_EQ(boardRows()[0], "..4444....");
    EXPECT_PIECE_CONSISTENT();

    // A settled square in the way of the turned shape refuses the turn too.
    setRows({"..........", "..........", "..........", "..........",
              "..........", "..........", "..........", "..........",
              "..........", "..........", ".....1...."});
    game.pieceType = 4;
    spawnPiece();
    EXPECT_EQ(turnPiece(), 0);
    EXPECT_EQ(game.rotation, 0);
    EXPECT_PIECE_CONSISTENT();
}

TEST_F(PieceMotion, AFullTopEndsTheGameButStillStampsThePiece)
{
    setRows({"1111111111", "1111111111", "1111111111", "1111111111", "1111111111",
              "1111111111", "1111111111", "1111111111", "1111111111", "1111111111",
              "1.1.1.1.1.", ".1.1.1.1.1", "1.1.1.1.1.", ".1.1.1.1.1"});
    game.score = 120;
    game.pieceType = 6;
    game.nextType = 0;
    spawnPiece();
    EXPECT_EQ(game.gameOver, 1);
    EXPECT_EQ(game.highScores[0], 120) << "the table was updated";
    EXPECT_EQ(game.newRecord, 1);
    EXPECT_EQ(game.pieceType, 6);
    EXPECT_GE(game.nextType, 1) << "a new preview is still drawn";
    EXPECT_EQ(boardRows()[13], ".1.161.1.1");
    EXPECT_EQ(boardRows()[12], "1.1.666.1.") << "the piece overwrites the settled squares";
}

TEST_F(PieceMotion, SpawnOnAnEmptyWellAlwaysFits)
{
    for (int16_t type = 1; type <= 7; ++type) {
        setRows({});
        game.pieceType = type;
        spawnPiece();
        EXPECT_EQ(game.gameOver, 0) << "type " << type;
        EXPECT_PIECE_CONSISTENT();
    }
}

TEST_F(PieceMotion, DropEndsEvenWithAMaskWithoutSquares)
{
    startGameWith(1);
    hostRecord.emptyMasks = true;
    dropPiece();
    EXPECT_EQ(game.landed, 1);
    EXPECT_GE(game.pieceRow, 0) << "the box never sinks below the floor";

    // Gravity steps on such a piece stop at the floor as well.
    game.landed = 0;
    for (int k = 0; k < 100; ++k)
        movePiece(MOVE_DOWN);
    EXPECT_EQ(game.landed, 1);
    EXPECT_EQ(game.pieceRow, 0);
    for (int k = 0; k < 100; ++k)
        movePiece(MOVE_LEFT);
    EXPECT_EQ(game.pieceCol, -3);
}

TEST_F(PieceMotion, DropLandsAtTheRestingPlace)
{
    setRows({"1111.11111"});
    game.pieceType = 4;
    spawnPiece();
    ASSERT_EQ(turnPiece(), 1);  // vertical, column 2 of the box
    ASSERT_EQ(movePiece(MOVE_LEFT), 1);  // column 4 of the well
    dropPiece();
    EXPECT_EQ(game.landed, 1);
    EXPECT_EQ(game.pieceRow, 3);
    EXPECT_EQ(boardRows()[0], "1111411111");
    EXPECT_PIECE_CONSISTENT();
}

}  // namespace
