// The piece catalogue: which tile each type shows at each turn step, and
// the random choice of a type.
#ifndef KUBRELSE_ENGINE_PIECES_H
#define KUBRELSE_ENGINE_PIECES_H

#include <cstdint>

// Number of turn steps of a type (1, 2 or 4); 1 for anything unknown.
int16_t turnSteps(int16_t type);

// Tile 1..20 for a type and turn step; pairs outside the turn table give the
// type's own tile.
int16_t tileFor(int16_t type, int16_t rotation);

// Seeds the piece sequence (the program passes its tick count).
void seedRandom(uint32_t seed);

// A piece type 1..7, each with equal chance.
int16_t randomType();

// Loads the mask of a tile into game.pieceMask. A tile that cannot be found
// leaves pieceMask as it was.
void loadTileMask(int16_t tile);

#endif
