#include "motion.h"

#include <cstring>

#include "engine_host.h"
#include "game_state.h"
#include "geometry.h"
#include "high_scores.h"
#include "pieces.h"

namespace {

bool insideWell(int row, int column) { return row >= 0 && row < FIELD_ROWS && column >= 0 && column < FIELD_COLUMNS; }

// Writes value into every cell of board under an occupied cell of pieceMask
// with the box at (pieceCol, pieceRow); cells outside the well are skipped.
void placePiece(uint8_t value)
{
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            if (!game.pieceMask[i * 4 + j])
                continue;
            const int row = game.pieceRow - i;
            const int column = game.pieceCol + j;
            if (insideWell(row, column))
                game.board[row * FIELD_COLUMNS + column] = value;
        }
    }
}

void stampPiece() { placePiece(static_cast<uint8_t>(game.pieceType)); }
void erasePiece() { placePiece(0); }

}  // namespace

int pieceFits(int16_t col, int16_t row)
{
    loadTileMask(tileFor(game.pieceType, game.rotation));

    // A box wholly below the floor or beside the walls can hold no square.
    // For a proper mask the cell tests below already refuse it; this also
    // stops a piece whose mask holds no square from sinking for ever.
    if (row < 0 || col < -3 || col >= FIELD_COLUMNS)
        return 0;

    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            if (game.pieceMask[i * 4 + j] && !insideWell(row - i, col + j))
                return 0;
        }
    }
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            if (game.pieceMask[i * 4 + j] && game.settledBoard[(row - i) * FIELD_COLUMNS + col + j])
                return 0;
        }
    }
    return 1;
}

void spawnPiece()
{
    std::memcpy(game.settledBoard, game.board, sizeof game.board);
    game.pieceCol = SPAWN_COLUMN;
    game.pieceRow = SPAWN_ROW;
    game.rotation = 0;

    if (!pieceFits(SPAWN_COLUMN, SPAWN_ROW)) {
        game.gameOver = 1;
        enterHighScore();
    }

    loadTileMask(game.pieceType);
    stampPiece();  // also over settled squares when it did not fit
    game.nextType = randomType();

    const Rect* cells = screenLayout.cellRects;
    game.pieceRect.left = cells[SPAWN_ROW * FIELD_COLUMNS + SPAWN_COLUMN].left;
    game.pieceRect.top = cells[SPAWN_ROW * FIELD_COLUMNS + SPAWN_COLUMN].top;
    game.pieceRect.right = cells[SPAWN_ROW * FIELD_COLUMNS + SPAWN_COLUMN + 3].right;
    game.pieceRect.bottom = cells[(SPAWN_ROW - 3) * FIELD_COLUMNS + SPAWN_COLUMN].bottom;

    requestRepaint(&game.pieceRect);
    requestRepaint(&screenLayout.nextRect);
}

void prepareGame(uint32_t seed)
{
    std::memset(game.board, 0, sizeof game.board);
    initLayout();
    seedRandom(seed);
    game.pieceType = randomType();
}

void newGame()
{
    game.level = 1;
    game.score = 0;
    game.gameOver = 0;
    std::memset(game.board, 0, sizeof game.board);
    spawnPiece();
}

int movePiece(int16_t direction)
{
    int16_t dc = 0;
    int16_t dr = 0;
    if (direction == MOVE_LEFT)
        dc = -1;
    else if (direction == MOVE_RIGHT)
        dc = 1;
    else if (direction == MOVE_DOWN)
        dr = -1;

    if (!pieceFits(static_cast<int16_t>(game.pieceCol + dc), static_cast<int16_t>(game.pieceRow + dr))) {
        if (direction == MOVE_DOWN)
            game.landed = 1;
        return 0;
    }

    erasePiece();
    requestRepaint(&game.pieceRect);
    game.pieceCol = static_cast<int16_t>(game.pieceCol + dc);
    game.pieceRow = static_cast<int16_t>(game.pieceRow + dr);
    stampPiece();

    game.pieceRect.left += CELL_SIZE * dc;
    game.pieceRect.right += CELL_SIZE * dc;
    game.pieceRect.top -= CELL_SIZE * dr;
    game.pieceRect.bottom -= CELL_SIZE * dr;
    requestRepaint(&game.pieceRect);
    return 1;
}

int turnPiece()
{
    const int16_t oldTile = tileFor(game.pieceType, game.rotation);
    const int16_t oldRotation = game.rotation;

    int16_t rotation = static_cast<int16_t>(game.rotation + 1);
    if (rotation >= turnSteps(game.pieceType))
        rotation = 0;
    game.rotation = rotation;
    const int16_t newTile = tileFor(game.pieceType, game.rotation);

    if (!pieceFits(game.pieceCol, game.pieceRow)) {
        game.rotation = oldRotation;
        return 0;
    }

    loadTileMask(oldTile);
    erasePiece();
    loadTileMask(newTile);
    stampPiece();
    requestRepaint(&game.pieceRect);
    return 1;
}

void dropPiece()
{
    // From the top row a piece can fall at most FIELD_ROWS - 1 rows before
    // a move is refused; one more try than that is always enough.
    for (int tries = 0; tries <= FIELD_ROWS && !game.landed; ++tries)
        movePiece(MOVE_DOWN);
    game.landed = 1;
}
