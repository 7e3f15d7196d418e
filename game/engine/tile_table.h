// The twenty 4 x 4 piece masks: the one place they are written down.
// The engine's built-in tile source reads this table, and the resource
// generator writes the same bytes out as the "TILE" resources 600..619,
// so the program's resources and the engine can never disagree.
//
// Row-major, mask row 0 at the top of the box; within a row, byte j is
// column j from the left. 1 marks a square, 0 an empty cell.
#ifndef KUBRELSE_ENGINE_TILE_TABLE_H
#define KUBRELSE_ENGINE_TILE_TABLE_H

#include <cstdint>

constexpr int TILE_COUNT = 20;
constexpr int TILE_BYTES = 16;
constexpr int TILE_RESOURCE_BASE = 599;  // resource id = tile + 599

// clang-format off: four cells to a row of the mask
constexpr uint8_t tileTable[TILE_COUNT][TILE_BYTES] = {
    /*  1 */ {0, 0, 1, 1, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    /*  2 */ {0, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0},
    /*  3 */ {0, 1, 1, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    /*  4 */ {1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    /*  5 */ {0, 0, 0, 1, 0, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0},
    /*  6 */ {0, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0},
    /*  7 */ {0, 0, 1, 0, 0, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0},
    /*  8 */ {0, 1, 0, 0, 0, 1, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0},
    /*  9 */ {0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0},
    /* 10 */ {0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0},
    /* 11 */ {0, 1, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0},
    /* 12 */ {0, 0, 1, 0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 0, 0, 0},
    /* 13 */ {0, 0, 1, 0, 0, 1, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0},
    /* 14 */ {0, 0, 1, 1, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // same as 1; no turn uses it
    /* 15 */ {0, 1, 1, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    /* 16 */ {0, 1, 1, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0},
    /* 17 */ {0, 0, 0, 0, 0, 1, 1, 1, 0, 0, 1, 0, 0, 0, 0, 0},
    /* 18 */ {0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0},
    /* 19 */ {0, 1, 1, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0},
    /* 20 */ {0, 0, 1, 0, 0, 0, 1, 1, 0, 0, 1, 0, 0, 0, 0, 0},
};
// clang-format on

static_assert(TILE_RESOURCE_BASE + 1 == 600 && TILE_RESOURCE_BASE + TILE_COUNT == 619,
              "tile resources occupy ids 600..619");

#endif
