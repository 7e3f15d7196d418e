// The one record of the game.
#ifndef KUBRELSE_ENGINE_GAME_STATE_H
#define KUBRELSE_ENGINE_GAME_STATE_H

#include <cstdint>

#include "geometry.h"

constexpr int HIGH_SCORE_COUNT = 5;
constexpr int PIECE_TYPES = 7;
constexpr int16_t MAX_LEVEL = 11;
constexpr int16_t MAX_SCORE = 32767;

struct GameState {
    uint8_t board[FIELD_CELLS];         // settled squares plus the falling piece
    uint8_t settledBoard[FIELD_CELLS];  // settled squares only, taken at each spawn
    int16_t pieceType;                  // 1..7
    int16_t nextType;                   // 0 before the first spawn, then 1..7
    int16_t pieceCol;                   // left column of the 4 x 4 box, -2..7
    int16_t pieceRow;                   // top row of the box, 0..13
    int16_t rotation;                   // turn step 0..3
    uint8_t pieceMask[16];              // mask of the tile loaded last
    Rect pieceRect;                     // screen area of the piece's box
    int16_t score;
    int16_t level;  // 0 = no game yet, 1..11
    int32_t gameOver;
    int32_t paused;
    int32_t landed;
    int32_t linesCleared;
    int32_t newRecord;
    int32_t soundOn;
    int32_t firstStart;
    int32_t highScores[HIGH_SCORE_COUNT];  // best first
};

extern GameState game;

// Puts the record into its start-of-program state: everything 0 except
// soundOn and firstStart, which start at 1.
void resetGameState();

#endif
