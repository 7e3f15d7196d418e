// The playfield as pictures in the tests: rows of ten characters, bottom row
// first, '.' for an empty cell and '1'..'7' for a square of that type.
#ifndef KUBRELSE_ENGINE_TESTS_BOARD_PICTURES_H
#define KUBRELSE_ENGINE_TESTS_BOARD_PICTURES_H

#include <cstring>
#include <string>
#include <vector>

#include "engine.h"

// Fills board and settledBoard with these rows; the rows above are empty.
inline void setRows(const std::vector<std::string>& rowsFromBottom)
{
    std::memset(game.board, 0, sizeof game.board);
    for (size_t row = 0; row < rowsFromBottom.size(); ++row)
        for (size_t column = 0; column < static_cast<size_t>(FIELD_COLUMNS); ++column) {
            const char c = rowsFromBottom[row][column];
            game.board[row * FIELD_COLUMNS + column] = static_cast<uint8_t>(c == '.' ? 0 : c - '0');
        }
    std::memcpy(game.settledBoard, game.board, sizeof game.board);
}

// All rows of board, for readable comparisons.
inline std::vector<std::string> boardRows()
{
    std::vector<std::string> rows;
    for (int row = 0; row < FIELD_ROWS; ++row) {
        std::string line;
        for (int column = 0; column < FIELD_COLUMNS; ++column) {
            const uint8_t v = game.board[row * FIELD_COLUMNS + column];
            line += v ? static_cast<char>('0' + v) : '.';
        }
        rows.push_back(line);
    }
    return rows;
}

#endif
