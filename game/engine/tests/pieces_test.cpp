#include "engine_fixture.h"
#include "tile_table.h"

#include <algorithm>
#include <set>
#include <string>
#include <utility>

namespace {

using PieceCatalogue = EngineTest;

// The squares of a tile's mask as (row, column), moved to the box's top-left
// corner: the shape, wherever it sits in the box.
std::set<std::pair<int, int>> shapeCells(int16_t tile, int quarterTurns)
{
    std::set<std::pair<int, int>> cells;
    for (int k = 0; k < TILE_BYTES; ++k) {
        if (!tileTable[tile - 1][k])
            continue;
        int row = k / 4;
        int column = k % 4;
        for (int q = 0; q < quarterTurns; ++q) {  // a quarter turn anticlockwise
            const int was = row;
            row = 3 - column;
            column = was;
        }
        cells.insert({row, column});
    }
    int top = 4;
    int left = 4;
    for (const auto& cell : cells) {
        top = std::min(top, cell.first);
        left = std::min(left, cell.second);
    }
    std::set<std::pair<int, int>> moved;
    for (const auto& cell : cells)
        moved.insert({cell.first - top, cell.second - left});
    return moved;
}

// A turn shows the piece a quarter turn on: each step's tile is the last
// one's shape turned, and a type has as many steps as its shape has turns.
TEST_F(PieceCatalogue, EachTurnStepShowsTheShapeAQuarterTurnOnAndOtherStepsTheTypesOwnTile)
{
    for (int16_t type = 1; type <= 7; ++type) {
        SCOPED_TRACE(testing::Message() << "type " << type);
        const int16_t steps = turnSteps(type);
        EXPECT_EQ(tileFor(type, 0), type);
        int distinct = 1;
        while (distinct < 4 && shapeCells(type, distinct) != shapeCells(type, 0))
            ++distinct;
        EXPECT_EQ(steps, distinct) << "the steps before the shape repeats";
        for (int16_t r = 0; r < steps; ++r) {
            const int16_t next = tileFor(type, static_cast<int16_t>((r + 1) % steps));
            EXPECT_EQ(shapeCells(tileFor(type, r), 1), shapeCells(next, 0)) << "rotation " << r;
            EXPECT_NE(tileFor(type, r), 14) << "no turn shows tile 14";
        }
        EXPECT_EQ(tileFor(type, steps), type) << "one step past the last";
        EXPECT_EQ(tileFor(type, -1), type);
    }
}

// A mask as four rows of four, top row first: # a square, . an empty cell.
std::string shapeOf(const uint8_t* mask)
{
    std::string shape;
    for (int k = 0; k < TILE_BYTES; ++k)
        shape += std::string(k > 0 && k % 4 == 0 ? "/" : "") + (mask[k] == 1 ? "#" : mask[k] ? "?" : ".");
    return shape;
}

TEST_F(PieceCatalogue, MasksLoadFromTilePlus599AsDrawnAndAMissingTileKeepsTheOldMask)
{
    const char* const drawn[TILE_COUNT] = {
        "..##/.##./..../....", ".##./..##/..../....", ".##./.##./..../....", "####/..../..../....",
        "...#/.###/..../....", ".#../.###/..../....", "..#./.###/..../....", ".#../.##./..#./....",
        "..#./.##./.#../....", "..#./..#./..#./..#.", ".##./..#./..#./....", "..#./..#./.##./....",
        "..#./.##./..#./....", "..##/.##./..../....", ".###/.#../..../....", ".###/...#/..../....",
        "..../.###/..#./....", ".#../.#../.##./....", ".##./.#../.#../....", "..#./..##/..#./....",
    };
    for (int16_t tile = 1; tile <= TILE_COUNT; ++tile) {
        loadTileMask(tile);
        EXPECT_EQ(shapeOf(game.pieceMask), drawn[tile - 1]) << "tile " << tile;
    }
    loadTileMask(4);
    hostRecord.missingTile = 605;
    loadTileMask(6);
    EXPECT_EQ(shapeOf(game.pieceMask), drawn[3]);

    setEngineHost(nullptr);  // the built-in source knows 600..619 only
    for (int16_t tile : {0, 21, -599, 32767}) {
        loadTileMask(tile);
        EXPECT_EQ(shapeOf(game.pieceMask), drawn[3]) << "tile " << tile;
    }
}

TEST_F(PieceCatalogue, AllSevenTypesComeWithEqualChance)
{
    int counts[8] = {};
    for (int k = 0; k < 70000; ++k)
        ++counts[randomType()];
    EXPECT_EQ(counts[0], 0);
    for (int type = 1; type <= 7; ++type)
        EXPECT_NEAR(counts[type], 10000, 600) << "type " << type;
}

}  // namespace
