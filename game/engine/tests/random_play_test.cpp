// Thousands of seeded games played through the engine's own operations, the
// way the window drives them, with the state checked after every step.
#include "engine_fixture.h"
#include "../replay/random_move.h"

#include <random>

namespace {

class RandomPlay : public EngineTest {
protected:
    std::mt19937 dice{424242};

    int roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(dice); }

    void SetUp() override
    {
        EngineTest::SetUp();
        static const EngineHost quiet = {nullptr, nullptr, recordingTileSource};
        setEngineHost(&quiet);
    }

    // A player that looks ahead: tries every turn and column, and goes where
    // the drop fills most rows, or else lands lowest.
    static void aimWell()
    {
        int turns = 0, column = game.pieceCol;
        findBestDrop(4, -3, FIELD_COLUMNS, turns, column);
        turnAndShift(turns, column);
    }

    // The landing as the window finishes it, checked against the rules.
    static void land()
    {
        const int16_t score = game.score, level = game.level, next = game.nextType;
        const int rows = fullRows();
        landPiece();

        int points = 10;
        for (int k = 0; k < rows; ++k)
            points += 100 + 50 * k;
        ASSERT_EQ(game.score, std::min(32767, score + points)) << rows << " rows from " << score;
        ASSERT_EQ(game.linesCleared, rows > 0 ? 1 : 0);
        static const int16_t thresholds[10] = {1000, 2000, 3000, 4000, 5000, 5800, 6400, 7200, 8000, 8800};
        const bool rises = rows > 0 && level <= 10 && game.score >= thresholds[level - 1];
        ASSERT_EQ(game.level, level + (rises ? 1 : 0));
        ASSERT_EQ(game.pieceType, next);
        // The spawn took the well after the removal: its top rows are empty.
        for (int cell = (FIELD_ROWS - rows) * FIELD_COLUMNS; cell < FIELD_CELLS; ++cell)
            ASSERT_EQ(game.settledBoard[cell], 0) << "cell " << cell;
        game.landed = 0;
        game.linesCleared = 0;
    }

    void playOneGame(int& landings, int& clearing)
    {
        startGameWith(static_cast<int16_t>(1 + roll(7)));
        const bool lookAhead = roll(2) == 0;
        if (roll(4) == 0) {  // some games start far into play
            game.score = static_cast<int16_t>(roll(32768));
            game.level = static_cast<int16_t>(1 + roll(11));
        }
        for (int step = 0; step < 20000 && !game.gameOver; ++step) {
            const int16_t score = game.score, level = game.level;
            if (lookAhead && game.pieceRow == SPAWN_ROW)
                aimWell();
            playMove(roll(6));
            if (game.landed) {
                ++landings;
                clearing += fullRows() > 0;
                land();
            } else {
                ASSERT_EQ(game.score, score) << "only landings score";
                ASSERT_EQ(game.level, level);
            }
            ASSERT_TRUE(game.score >= 0 && game.level >= 1 && game.level <= 11);
            ASSERT_TRUE(game.nextType >= 1 && game.nextType <= 7);
            if (!game.gameOver)
                EXPECT_PIECE_CONSISTENT();
            if (HasFatalFailure())
                return;
        }
    }
};

TEST_F(RandomPlay, ThousandsOfGamesKeepTheBoardScoreAndLevelRules)
{
    int landings = 0, clearing = 0;
    for (int g = 0; g < 2000; ++g) {
        SCOPED_TRACE(testing::Message() << "game " << g);
        playOneGame(landings, clearing);
        if (HasFatalFailure())
            return;
        for (uint8_t cell : game.board)
            ASSERT_LE(cell, 7);
    }
    EXPECT_GT(clearing, 1000) << "the games exercised row removal";
    EXPECT_GT(landings, 15000);
}

}  // namespace
