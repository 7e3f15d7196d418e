// Thousands of seeded games played through the engine's own operations, the
// way the window drives them, with the state checked after every step.
#include "engine_fixture.h"

#include <random>

namespace {

int fullRows()
{
    int n = 0;
    for (int row = 0; row < FIELD_ROWS; ++row) {
        bool full = true;
        for (int column = 0; column < FIELD_COLUMNS; ++column)
            full = full && game.board[row * FIELD_COLUMNS + column] != 0;
        n += full ? 1 : 0;
    }
    return n;
}

int rowPoints(int rows)
{
    int points = 0;
    for (int k = 0; k < rows; ++k)
        points += 100 + 50 * k;
    return points;
}

class RandomPlay : public EngineTest {
protected:
    std::mt19937 dice{424242};

    void SetUp() override
    {
        EngineTest::SetUp();
        static const EngineHost quiet = {nullptr, nullptr, recordingTileSource};
        setEngineHost(&quiet);
    }

    static void turnAndShift(int turns, int column)
    {
        for (int k = 0; k < turns; ++k)
            turnPiece();
        while (game.pieceCol > column && movePiece(MOVE_LEFT)) {
        }
        while (game.pieceCol < column && movePiece(MOVE_RIGHT)) {
        }
    }

    // Half the time the player looks ahead: it tries every turn and column,
    // keeps the one that fills most rows (then the lowest), and goes there.
    void aimWell()
    {
        const GameState saved = game;
        int bestTurns = 0, bestColumn = game.pieceCol, bestRows = -1, bestRow = FIELD_ROWS;
        for (int turns = 0; turns < 4; ++turns)
            for (int column = -3; column < FIELD_COLUMNS; ++column) {
                game = saved;
                turnAndShift(turns, column);
                if (game.pieceCol != column)
                    continue;
                dropPiece();
                const int rows = fullRows();
                if (rows > bestRows || (rows == bestRows && game.pieceRow < bestRow)) {
                    bestRows = rows;
                    bestRow = game.pieceRow;
                    bestTurns = turns;
                    bestColumn = column;
                }
            }
        game = saved;
        turnAndShift(bestTurns, bestColumn);
    }

    int roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(dice); }

    // The landing as the window finishes it, checked against the rules.
    void land()
    {
        const int16_t scoreBefore = game.score;
        const int16_t levelBefore = game.level;
        const int16_t next = game.nextType;
        const int rows = fullRows();

        landPiece();

        const int expectedScore = std::min(32767, scoreBefore + 10 + rowPoints(rows));
        ASSERT_EQ(game.score, expectedScore) << rows << " rows from " << scoreBefore;
        ASSERT_EQ(game.linesCleared, rows > 0 ? 1 : 0);
        int16_t expectedLevel = levelBefore;
        if (rows > 0 && levelBefore <= 10 && game.score >= levelThreshold[levelBefore - 1])
            ++expectedLevel;
        ASSERT_EQ(game.level, expectedLevel);
        ASSERT_EQ(game.pieceType, next);
        // The spawn took the well after the removal as its settled squares:
        // the rows freed at the top are empty there.
        for (int row = FIELD_ROWS - rows; row < FIELD_ROWS; ++row)
            for (int column = 0; column < FIELD_COLUMNS; ++column)
                ASSERT_EQ(game.settledBoard[row * FIELD_COLUMNS + column], 0) << "row " << row;
        game.landed = 0;
        game.linesCleared = 0;
    }

    void playOneGame(int maxSteps, int& landings, int& clearedLandings)
    {
        startGameWith(static_cast<int16_t>(1 + roll(7)));
        const bool lookAhead = roll(2) == 0;
        if (roll(4) == 0) {  // some games start far into play
            game.score = static_cast<int16_t>(roll(32768));
            game.level = static_cast<int16_t>(1 + roll(11));
        }
        // Most games begin over rows that lack one square in a shared
        // column, so that drops there clear rows in every combination.
        const int garbageRows = roll(5);
        const int hole = roll(FIELD_COLUMNS);
        for (int row = 0; row < garbageRows; ++row)
            for (int column = 0; column < FIELD_COLUMNS; ++column) {
                const bool filled = column != hole;
                const uint8_t value = filled ? static_cast<uint8_t>(1 + roll(7)) : 0;
                game.board[row * FIELD_COLUMNS + column] = value;
                game.settledBoard[row * FIELD_COLUMNS + column] = value;
            }
        for (int step = 0; step < maxSteps && !game.gameOver; ++step) {
            const int16_t levelBefore = game.level;
            const int16_t scoreBefore = game.score;
            if (lookAhead && game.pieceRow == SPAWN_ROW)
                aimWell();
            switch (roll(6)) {
            case 0: movePiece(MOVE_LEFT); break;
            case 1: movePiece(MOVE_RIGHT); break;
            case 2: turnPiece(); break;
            case 3: movePiece(MOVE_DOWN); break;
            default: dropPiece(); break;
            }
            if (game.landed) {
                ++landings;
                clearedLandings += fullRows() > 0 ? 1 : 0;
                land();
                if (HasFatalFailure())
                    return;
            } else {
                ASSERT_EQ(game.score, scoreBefore) << "only landings score";
                ASSERT_EQ(game.level, levelBefore);
            }
            ASSERT_GE(game.score, 0);
            ASSERT_GE(game.level, 1);
            ASSERT_LE(game.level, 11);
            ASSERT_GE(game.nextType, 1);
            ASSERT_LE(game.nextType, 7);
            ASSERT_EQ(game.landed, 0);
            if (!game.gameOver) {
                EXPECT_PIECE_CONSISTENT();
                if (HasFatalFailure())
                    return;
            }
        }
    }
};

TEST_F(RandomPlay, ThousandsOfGamesKeepTheBoardScoreAndLevelRules)
{
    int landings = 0, clearedLandings = 0, gamesOver = 0;
    for (int g = 0; g < 2000; ++g) {
        SCOPED_TRACE(testing::Message() << "game " << g);
        playOneGame(2000, landings, clearedLandings);
        if (HasFatalFailure())
            return;
        gamesOver += game.gameOver ? 1 : 0;
        for (int cell = 0; cell < FIELD_CELLS; ++cell)
            ASSERT_LE(game.board[cell], 7);
    }
    EXPECT_EQ(gamesOver, 2000) << "every game ends";
    EXPECT_GT(clearedLandings, 2000) << "the games exercised row removal";
    EXPECT_GT(landings, 15000);
}

}  // namespace
