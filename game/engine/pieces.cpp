#include "pieces.h"

#include <cstdlib>
#include <cstring>

#include "engine_host.h"
#include "game_state.h"
#include "tile_table.h"

namespace {

// Tile of each type (row) at each turn step (column); 0 where the type has
// no such step.
constexpr int16_t turnTable[PIECE_TYPES][4] = {
    {1, 8, 0, 0},
    {2, 9, 0, 0},
    {3, 0, 0, 0},
    {4, 10, 0, 0},
    {5, 11, 15, 18},
    {6, 12, 16, 19},
    {7, 13, 17, 20},
};

constexpr int16_t stepsOfType[PIECE_TYPES] = {2, 2, 1, 2, 4, 4, 4};

bool knownType(int16_t type) { return type >= 1 && type <= PIECE_TYPES; }

}  // namespace

int16_t turnSteps(int16_t type) { return knownType(type) ? stepsOfType[type - 1] : 1; }

int16_t tileFor(int16_t type, int16_t rotation)
{
    if (!knownType(type) || rotation <= 0 || rotation >= stepsOfType[type - 1])
        return type;
    return turnTable[type - 1][rotation];
}

void seedRandom(uint32_t seed) { std::srand(seed); }

int16_t randomType() { return static_cast<int16_t>(std::rand() % PIECE_TYPES + 1); }

void loadTileMask(int16_t tile)
{
    // Load into a scratch mask first, so a source that fails half-way still
    // leaves pieceMask as it was.
    uint8_t mask[TILE_BYTES];
    std::memcpy(mask, game.pieceMask, sizeof mask);
    const uint16_t resourceId = static_cast<uint16_t>(tile + TILE_RESOURCE_BASE);
    if (loadTileResource(resourceId, mask))
        std::memcpy(game.pieceMask, mask, sizeof mask);
}
