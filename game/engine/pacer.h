// The gravity pacer: a second thread that paces the falling piece by posting
// one gravity step per level delay while a game runs.
//
// Only one step is ever outstanding: after posting, the pacer waits until the
// window thread reports with gravityStepTaken() that it has received the
// step, so a slow window thread (or level 11, whose delay is 0) never piles
// steps up in the queue.
#ifndef KUBRELSE_ENGINE_PACER_H
#define KUBRELSE_ENGINE_PACER_H

#include <cstdint>

// Starts the pacer thread unless it already runs. 1 when it runs afterwards.
int startGravityPacer();

// Stops the pacer at any point of its loop, also in the middle of a sleep.
// When this returns the thread has ended and will post nothing more.
void stopGravityPacer();

// 1 while the pacer thread runs.
int gravityPacerRunning();

// The window thread calls this as soon as a gravity step reaches it, whether
// it acts on the step or not.
void gravityStepTaken();

// Sleeps last this many microseconds per millisecond of delay (1000 by
// default). Tests shorten the delays with it; the program never calls it.
void setPacerTimeScale(int32_t microsecondsPerMillisecond);

// The pacer's delay before the next step for the current state, in ms:
// the level's delay while a game runs, else the idle poll of 1000 ms.
int32_t pacerDelay();

// 1 when the current state lets the pacer post (a game running).
int pacerShouldPost();

#endif
