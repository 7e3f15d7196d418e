// One move of a random player, made the way the window makes it: 0 left,
// 1 right, 2 a turn, 3 one row down, anything else a drop, and what a player
// that looks ahead weighs. The random-play test, the engine benchmark and
// the handset's replay play with them.
#ifndef KUBRELSE_ENGINE_REPLAY_RANDOM_MOVE_H
#define KUBRELSE_ENGINE_REPLAY_RANDOM_MOVE_H

#include <cstring>

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

// Turns the falling piece, then moves it towards column as far as it goes.
inline void turnAndShift(int turns, int column)
{
    for (int k = 0; k < turns; ++k)
        turnPiece();
    while (game.pieceCol > column && movePiece(MOVE_LEFT)) {
    }
    while (game.pieceCol < column && movePiece(MOVE_RIGHT)) {
    }
}

// A player looking ahead: tries each number of turns below turnCount at each
// column from firstColumn up to endColumn (not with it), and finds where the
// drop fills most rows, or else lands lowest. The game is left as it was. The
// copies are made by memcpy: the handset's replay links no helper for
// copying a record.
inline void findBestDrop(int turnCount, int firstColumn, int endColumn, int& bestTurns, int& bestColumn)
{
    static GameState saved;
    std::memcpy(&saved, &game, sizeof game);
    int bestRows = -1, bestRow = FIELD_ROWS;
    for (int turns = 0; turns < turnCount; ++turns)
        for (int column = firstColumn; column < endColumn; ++column) {
            std::memcpy(&game, &saved, sizeof game);
            turnAndShift(turns, column);
            dropPiece();
            const int rows = fullRows();
            if (rows > bestRows || (rows == bestRows && game.pieceRow < bestRow)) {
                bestRows = rows;
                bestRow = game.pieceRow;
                bestTurns = turns;
                bestColumn = column;
            }
        }
    std::memcpy(&game, &saved, sizeof game);
}

#endif
