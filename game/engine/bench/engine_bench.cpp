// Nanoseconds per engine operation. Run: build/native/game/engine/bench/engine_bench
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

#include "../replay/random_move.h"
#include "engine.h"

namespace {

void freshGame(int16_t type)
{
    resetGameState();
    initLayout();
    seedRandom(1);
    game.pieceType = type;
    newGame();
}

void BM_Spawn(benchmark::State& state)
{
    freshGame(5);
    for (auto _ : state) {
        std::memset(game.board, 0, sizeof game.board);
        spawnPiece();
        benchmark::DoNotOptimize(game.board);
    }
}
BENCHMARK(BM_Spawn);

void BM_MoveLeftRight(benchmark::State& state)
{
    freshGame(5);
    int16_t direction = MOVE_LEFT;
    for (auto _ : state) {
        if (!movePiece(direction))
            direction = direction == MOVE_LEFT ? MOVE_RIGHT : MOVE_LEFT;
    }
}
BENCHMARK(BM_MoveLeftRight);

void BM_Turn(benchmark::State& state)
{
    freshGame(7);
    movePiece(MOVE_DOWN);
    for (auto _ : state)
        benchmark::DoNotOptimize(turnPiece());
}
BENCHMARK(BM_Turn);

// Each iteration restores a prepared state (a vertical bar resting in the
// one gap of four nearly full rows; about 400 bytes copied) and lands it.
void BM_LandFourRows(benchmark::State& state)
{
    freshGame(4);
    std::memset(game.board, 0, sizeof game.board);
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < FIELD_COLUMNS; ++column)
            if (column != 4)
                game.board[row * FIELD_COLUMNS + column] = 1;
    game.pieceType = 4;
    spawnPiece();
    turnPiece();
    movePiece(MOVE_LEFT);
    dropPiece();
    const GameState prepared = game;
    for (auto _ : state) {
        game = prepared;
        landPiece();
        benchmark::DoNotOptimize(game.score);
    }
}
BENCHMARK(BM_LandFourRows);

// One whole game, seeded, played by random moves until it ends.
void BM_WholeGame(benchmark::State& state)
{
    std::mt19937 dice(7);
    int64_t steps = 0;
    for (auto _ : state) {
        freshGame(static_cast<int16_t>(1 + dice() % 7));
        while (!game.gameOver) {
            playMove(static_cast<int>(dice() % 5));
            ++steps;
            if (game.landed) {
                landPiece();
                game.landed = 0;
                game.linesCleared = 0;
            }
        }
    }
    state.counters["steps/game"] = benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_WholeGame);

}  // namespace

BENCHMARK_MAIN();
