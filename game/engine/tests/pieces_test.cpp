#include "engine_fixture.h"
#include "tile_table.h"

namespace {

int squaresOf(const uint8_t* mask)
{
    int n = 0;
    for (int k = 0; k < 16; ++k)
        n += mask[k] ? 1 : 0;
    return n;
}

using PieceCatalogue = EngineTest;

TEST_F(PieceCatalogue, RotationZeroAndUnlistedPairsGiveTheTypesOwnTile)
{
    for (int16_t type = 1; type <= 7; ++type) {
        EXPECT_EQ(tileFor(type, 0), type);
        EXPECT_EQ(tileFor(type, turnSteps(type)), type) << "type " << type << " one step past its last";
        EXPECT_EQ(tileFor(type, -1), type);
    }
    for (int16_t r = 0; r < 8; ++r)
        EXPECT_EQ(tileFor(3, r), 3) << "rotation " << r;
}

TEST_F(PieceCatalogue, TurnTableSelectsTheListedTiles)
{
    const int16_t expected[8][4] = {{0, 0, 0, 0},   {1, 8, 0, 0},   {2, 9, 0, 0},   {3, 0, 0, 0},
                                    {4, 10, 0, 0},  {5, 11, 15, 18}, {6, 12, 16, 19}, {7, 13, 17, 20}};
    for (int16_t type = 1; type <= 7; ++type)
        for (int16_t r = 0; r < turnSteps(type); ++r)
            EXPECT_EQ(tileFor(type, r), expected[type][r]) << "type " << type << " rotation " << r;
}

TEST_F(PieceCatalogue, NoReachableTurnUsesTile14)
{
    for (int16_t type = 1; type <= 7; ++type)
        for (int16_t r = 0; r < turnSteps(type); ++r)
            EXPECT_NE(tileFor(type, r), 14);
    EXPECT_EQ(0, std::memcmp(tileTable[13], tileTable[0], TILE_BYTES)) << "tile 14 is a copy of tile 1";
}

TEST_F(PieceCatalogue, EveryMaskHoldsFourSquaresOfZeroOrOne)
{
    for (int tile = 1; tile <= TILE_COUNT; ++tile) {
        SCOPED_TRACE(testing::Message() << "tile " << tile);
        EXPECT_EQ(squaresOf(tileTable[tile - 1]), 4);
        for (int k = 0; k < 16; ++k)
            EXPECT_LE(tileTable[tile - 1][k], 1);
    }
}

TEST_F(PieceCatalogue, OccupiedColumnsAllowBoxesFromMinusTwoToSeven)
{
    int leftmost = 4, rightmost = -1;
    for (int tile = 1; tile <= TILE_COUNT; ++tile)
        for (int k = 0; k < 16; ++k)
            if (tileTable[tile - 1][k]) {
                leftmost = std::min(leftmost, k % 4);
                rightmost = std::max(rightmost, k % 4);
            }
    EXPECT_EQ(leftmost, 0);
    EXPECT_EQ(rightmost, 3);
    // Only the flat bar reaches column 0 of its box.
    for (int tile = 1; tile <= TILE_COUNT; ++tile) {
        bool usesColumn0 = false;
        for (int i = 0; i < 4; ++i)
            usesColumn0 = usesColumn0 || tileTable[tile - 1][i * 4] != 0;
        EXPECT_EQ(usesColumn0, tile == 4) << "tile " << tile;
    }
}

TEST_F(PieceCatalogue, FourStepTypesTurnAQuarterCounterClockwise)
{
    // Type 7: the odd square above, left of, below and right of the bar.
    auto at = [](int tile, int i, int j) { return tileTable[tile - 1][i * 4 + j] != 0; };
    EXPECT_TRUE(at(7, 0, 2) && at(7, 1, 1) && at(7, 1, 2) && at(7, 1, 3));
    EXPECT_TRUE(at(13, 1, 1) && at(13, 0, 2) && at(13, 1, 2) && at(13, 2, 2));
    EXPECT_TRUE(at(17, 2, 2) && at(17, 1, 1) && at(17, 1, 2) && at(17, 1, 3));
    EXPECT_TRUE(at(20, 1, 3) && at(20, 0, 2) && at(20, 1, 2) && at(20, 2, 2));
}

TEST_F(PieceCatalogue, LoadTileMaskCopiesTheResourceOfTilePlus599)
{
    for (int16_t tile = 1; tile <= TILE_COUNT; ++tile) {
        loadTileMask(tile);
        EXPECT_EQ(0, std::memcmp(game.pieceMask, tileTable[tile - 1], 16)) << "tile " << tile;
    }
}

TEST_F(PieceCatalogue, MissingTileLeavesTheMaskAsItWas)
{
    loadTileMask(4);
    hostRecord.missingTile = 605;
    loadTileMask(6);
    EXPECT_EQ(0, std::memcmp(game.pieceMask, tileTable[3], 16));

    // Ids outside 600..619 are missing from the built-in source too.
    setEngineHost(nullptr);
    for (int16_t tile : {0, 21, -599, 32767}) {
        loadTileMask(tile);
        EXPECT_EQ(0, std::memcmp(game.pieceMask, tileTable[3], 16)) << "tile " << tile;
    }
    uint8_t scratch[16] = {9};
    EXPECT_EQ(builtInTileSource(599, scratch), 0);
    EXPECT_EQ(builtInTileSource(620, scratch), 0);
    EXPECT_EQ(scratch[0], 9);
}

}  // namespace
