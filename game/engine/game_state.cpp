#include "game_state.h"

#include <cstdlib>
#include <cstring>

#include "motion.h"

GameState game = [] {
    GameState start{};
    start.soundOn = 1;
    start.firstStart = 1;
    return start;
}();

void resetGameState()
{
    std::memset(&game, 0, sizeof game);
    game.soundOn = 1;
    game.firstStart = 1;
}

void seedRandom(uint32_t seed)
{
    std::srand(seed);
}

int16_t randomType()
{
    return static_cast<int16_t>(std::rand() % PIECE_TYPES + 1);
}

void newGame()
{
    game.level = 1;
    game.score = 0;
    game.gameOver = 0;
    std::memset(game.board, 0, sizeof game.board);
    spawnPiece();
}
