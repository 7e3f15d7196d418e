#include "engine_fixture.h"

#include <cstdlib>

#include "tile_table.h"

HostRecord hostRecord;

void recordRepaint(const Rect* area)
{
    hostRecord.repaints.push_back(area ? RecordedRepaint{false, *area} : RecordedRepaint{true, Rect{}});
}

int recordingTileSource(uint16_t resourceId, uint8_t mask[16])
{
    if (resourceId == hostRecord.missingTile)
        return 0;
    if (hostRecord.emptyMasks) {
        std::memset(mask, 0, 16);
        return 1;
    }
    return builtInTileSource(resourceId, mask);
}

void EngineTest::SetUp()
{
    hostRecord = HostRecord{};
    static const EngineHost host = {recordRepaint, nullptr, recordingTileSource};
    setEngineHost(&host);
    resetGameState();
    initLayout();
    seedRandom(20261206);
    game.pieceType = randomType();
}

void EngineTest::TearDown()
{
    stopGravityPacer();
    setPacerTimeScale(1000);
    setEngineHost(nullptr);
}

void EngineTest::startGameWith(int16_t type)
{
    game.pieceType = type;
    newGame();
}

void EngineTest::expectPieceConsistent(int line)
{
    SCOPED_TRACE(testing::Message() << "checked from line " << line);
    uint8_t expected[FIELD_CELLS];
    std::memcpy(expected, game.settledBoard, sizeof expected);
    const uint8_t* mask = tileTable[tileFor(game.pieceType, game.rotation) - 1];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            if (!mask[i * 4 + j])
                continue;
            const int row = game.pieceRow - i;
            const int column = game.pieceCol + j;
            ASSERT_TRUE(row >= 0 && row < FIELD_ROWS && column >= 0 && column < FIELD_COLUMNS)
                << "square (" << row << ", " << column << ") outside the well";
            ASSERT_EQ(game.settledBoard[row * FIELD_COLUMNS + column], 0)
                << "square (" << row << ", " << column << ") overlaps a settled square";
            expected[row * FIELD_COLUMNS + column] = static_cast<uint8_t>(game.pieceType);
        }
    for (int cell = 0; cell < FIELD_CELLS; ++cell)
        ASSERT_EQ(game.board[cell], expected[cell]) << "board differs from settled squares plus the piece at row "
                                                    << cell / FIELD_COLUMNS << ", column " << cell % FIELD_COLUMNS;
    const Rect box = game.pieceRect;
    const Rect top = screenLayout.cellRects[0];
    EXPECT_EQ(box.left, top.left + CELL_SIZE * game.pieceCol) << "pieceRect left";
    EXPECT_EQ(box.top, 162 - CELL_SIZE * game.pieceRow) << "pieceRect top";
    EXPECT_EQ(box.right - box.left, 4 * CELL_SIZE);
    EXPECT_EQ(box.bottom - box.top, 4 * CELL_SIZE);
}
