#include "game_state.h"

#include <cstring>

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
