#ifndef KUBRELSE_ENGINE_HIGH_SCORES_H
#define KUBRELSE_ENGINE_HIGH_SCORES_H

// Enters the score of the game that just ended into game.highScores and sets
// game.newRecord when it went in.
void enterHighScore();

#endif
