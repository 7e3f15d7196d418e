#include "high_scores.h"

#include "game_state.h"

void enterHighScore()
{
    game.newRecord = 0;
    const int32_t s = game.score;
    int32_t* table = game.highScores;
    if (s < table[HIGH_SCORE_COUNT - 1])
        return;

    // The first entry the score beats; a tie goes in below its equals.
    int place = 0;
    while (place < HIGH_SCORE_COUNT && s <= table[place])
        ++place;
    if (place == HIGH_SCORE_COUNT)
        return;

    game.newRecord = 1;
    for (int i = HIGH_SCORE_COUNT - 1; i > place; --i)
        table[i] = table[i - 1];
    table[place] = s;
}
