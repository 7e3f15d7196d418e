// One move of a random player, made the way the window makes it: 0 left,
// 1 right, 2 a turn, 3 one row down, anything else a drop, and what a player
// that looks ahead weighs. The random-play test, the engine benchmark and
// the handset's replay play with them.
#ifndef KUBRELSE_ENGINE_TESTS_RANDOM_MOVE_H
#define KUBRELSE_ENGINE_TESTS_RANDOM_MOVE_H

#include "engine.h"

inline void playMove(int choice)
{
    switch (choice) {
    case 0:
        movePiece(MOVE_LEFT);
        break;
    case 1:
        movePiece(MOVE_RIGHT);
        break;
    case 2:
        turnPiece();
        break;
    case 3:
        movePiece(MOVE_DOWN);
        break;
    default:
        dropPiece();
        break;
    }
}

// How many rows of the board are full: what a player looking ahead weighs.
inline int fullRows()
{
    int n = 0;
    for (int row = 0; row < FIELD_ROWS; ++row) {
        int filled = 0;
        for (int column = 0; column < FIELD_COLUMNS; ++column)
            filled += game.board[row * FIELD_COLUMNS + column] != 0;
        n += filled == FIELD_COLUMNS;
    }
    return n;
}

#endif
