#include "engine_fixture.h"
#include "tile_table.h"

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

TEST_F(PieceCatalogue, EveryMaskHoldsFourSquaresWithinColumnsZeroToThree)
{
    for (int tile = 1; tile <= TILE_COUNT; ++tile) {
        SCOPED_TRACE(testing::Message() << "tile " << tile);
        int squares = 0;
        bool column0 = false;
        for (int k = 0; k < 16; ++k) {
            EXPECT_LE(tileTable[tile - 1][k], 1);
            squares += tileTable[tile - 1][k];
            column0 = column0 || (k % 4 == 0 && tileTable[tile - 1][k]);
        }
        EXPECT_EQ(squares, 4);
        EXPECT_EQ(column0, tile == 4) << "only the flat bar reaches column 0 of its box";
    }
}

TEST_F(PieceCatalogue, MasksLoadFromTilePlus599AndAMissingTileKeepsTheOldMask)
{
    for (int16_t tile = 1; tile <= TILE_COUNT; ++tile) {
        loadTileMask(tile);
        EXPECT_EQ(0, std::memcmp(game.pieceMask, tileTable[tile - 1], 16)) << "tile " << tile;
    }
    loadTileMask(4);
    hostRecord.missingTile = 605;
    loadTileMask(6);
    EXPECT_EQ(0, std::memcmp(game.pieceMask, tileTable[3], 16));

    setEngineHost(nullptr);  // the built-in source knows 600..619 only
    for (int16_t tile : {0, 21, -599, 32767}) {
        loadTileMask(tile);
        EXPECT_EQ(0, std::memcmp(game.pieceMask, tileTable[3], 16)) << "tile " << tile;
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
