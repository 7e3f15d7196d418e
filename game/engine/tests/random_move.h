// One move of a random player, made the way the window makes it: 0 left,
// 1 right, 2 a turn, 3 one row down, anything else a drop. The random-play
// test and the engine benchmark both play with it.
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

#endif
