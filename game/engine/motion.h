// Starting a game; spawning, moving, turning and the fit test of the
// falling piece.
#ifndef KUBRELSE_ENGINE_MOTION_H
#define KUBRELSE_ENGINE_MOTION_H

#include <cstdint>

constexpr int16_t MOVE_LEFT = 1;
constexpr int16_t MOVE_RIGHT = 2;
constexpr int16_t MOVE_DOWN = 3;

constexpr int16_t SPAWN_COLUMN = 3;
constexpr int16_t SPAWN_ROW = 13;

// The game before its first start: an empty well, the frame's rectangles
// laid out, the random types seeded with seed and the first piece chosen.
void prepareGame(uint32_t seed);

// Starts a game on an empty well with the piece in pieceType.
void newGame();

int pieceFits(int16_t col, int16_t row);
void spawnPiece();
int movePiece(int16_t direction);
int turnPiece();

// The down key: moves the piece down until it has landed. Always ends, after
// at most one move per row of the well, and always leaves landed set.
void dropPiece();

#endif
