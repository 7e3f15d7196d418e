// What follows a landing: points, full rows, levels, the next piece.
#ifndef KUBRELSE_ENGINE_LANDING_H
#define KUBRELSE_ENGINE_LANDING_H

#include <cstdint>

#include "game_state.h"

// Gravity delay in ms of levels 1..11, at index level - 1.
extern const int16_t levelDelay[MAX_LEVEL];
// Score that raises levels 1..10 at a row removal, at index level - 1.
extern const int16_t levelThreshold[MAX_LEVEL - 1];

// Adds points to the score; the sum stops at 32767 instead of wrapping.
void addScore(int points);

void landPiece();
int clearFullRows();

#endif
