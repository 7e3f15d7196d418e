#include "landing.h"

#include <cstring>

#include "engine_host.h"
#include "geometry.h"
#include "motion.h"

const int16_t levelDelay[MAX_LEVEL] = {1000, 750, 500, 250, 150, 800, 600, 400, 200, 100, 0};
const int16_t levelThreshold[MAX_LEVEL - 1] = {1000, 2000, 3000, 4000, 5000, 5800, 6400, 7200, 8000, 8800};

void addScore(int points)
{
    const int sum = game.score + points;
    game.score = static_cast<int16_t>(sum > MAX_SCORE ? MAX_SCORE : sum);
}

namespace {

bool rowIsFull(int row)
{
    for (int column = 0; column < FIELD_COLUMNS; ++column)
        if (!game.board[row * FIELD_COLUMNS + column])
            return false;
    return true;
}

void repaintScoreAndLevel()
{
    requestRepaint(&screenLayout.scoreRect);
    requestRepaint(&screenLayout.levelRect);
}

}  // namespace

int clearFullRows()
{
    bool full[FIELD_ROWS];
    int found = 0;
    for (int row = 0; row < FIELD_ROWS; ++row) {
        full[row] = rowIsFull(row);
        if (full[row]) {
            addScore(100 + 50 * found);
            ++found;
        }
    }

    if (found == 0) {
        repaintScoreAndLevel();
        return 0;
    }

    // Close the gaps: every row that stays moves down past the full rows
    // beneath it, and the rows freed at the top are emptied.
    int kept = 0;
    for (int row = 0; row < FIELD_ROWS; ++row) {
        if (full[row])
            continue;
        if (kept != row)
            std::memcpy(&game.board[kept * FIELD_COLUMNS], &game.board[row * FIELD_COLUMNS], FIELD_COLUMNS);
        ++kept;
    }
    std::memset(&game.board[kept * FIELD_COLUMNS], 0, static_cast<size_t>(FIELD_ROWS - kept) * FIELD_COLUMNS);

    if (game.level >= 1 && game.level < MAX_LEVEL && game.score >= levelThreshold[game.level - 1])
        ++game.level;

    requestRepaint(nullptr);
    repaintScoreAndLevel();
    return found;
}

void landPiece()
{
    addScore(10);
    if (clearFullRows() > 0)
        game.linesCleared = 1;
    game.pieceType = game.nextType;
    spawnPiece();
}
