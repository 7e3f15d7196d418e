#include "engine_fixture.h"
#include "tile_table.h"

#include <string>

namespace {

using PieceCatalogue = EngineTest;

TEST_F(PieceCatalogue, TurnTableAndTheTypesOwnTileForEverythingElse)
{
    const int16_t turned[8][4] = {{0, 0, 0, 0},
                                  {1, 8, 0, 0},
                                  {2, 9, 0, 0},
                                  {3, 0, 0, 0},
                                  {4, 10, 0, 0},
                                  {5, 11, 15, 18},
                                  {6, 12, 16, 19},
                                  {7, 13, 17, 20}};
    for (int16_t type = 1; type <= 7; ++type) {
        SCOPED_TRACE(testing::Message() << "type " << type);
        for (int16_t r = 0; r < turnSteps(type); ++r) {
            EXPECT_EQ(tileFor(type, r), turned[type][r]) << "rotation " << r;
            EXPECT_NE(tileFor(type, r), 14) << "no turn shows tile 14";
        }
        EXPECT_EQ(tileFor(type, turnSteps(type)), type) << "one step past the last";
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
