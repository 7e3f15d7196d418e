#include "pacer.h"

#include "engine_host.h"
#include "game_state.h"
#include "landing.h"
#include "pacer_thread.h"

namespace {

constexpr int32_t IDLE_POLL_MS = 1000;

// Written by the thread that starts and stops the pacer only.
int running = 0;
int32_t timeScale = 1000;

// The window thread writes these fields; the pacer only ever reads them, one
// aligned value at a time, and acts on them one delay late at worst.
template <typename T>
T readShared(const T& field)
{
    return __atomic_load_n(&field, __ATOMIC_RELAXED);
}

// 1 from the post of a step until the window thread has taken it.
int stepPending = 0;
// 1 while the pacer waits for that: only then does taking a step raise the
// step signal, a call into the platform the window thread is spared at
// every other step (the pacer is mostly asleep through the level's delay).
int waitingForStep = 0;

void gravityPacer()
{
    for (;;) {
        // The state is read before the sleep: a step whose delay began in a
        // running game is still posted, and the window thread drops it.
        const int post = pacerShouldPost();
        if (!pacerWaitForStop(int64_t{pacerDelay()} * readShared(timeScale)))
            return;
        if (!post)
            continue;
        // The mark that the pacer waits is set before the flag is looked at
        // again, and the window thread clears the flag before it looks at the
        // mark (both in one total order): either the pacer sees the step
        // taken, or the window thread sees the pacer waiting and raises the
        // signal. A step signal left over from an earlier step only makes
        // this look at the flag once more.
        __atomic_store_n(&waitingForStep, 1, __ATOMIC_SEQ_CST);
        while (__atomic_load_n(&stepPending, __ATOMIC_SEQ_CST))
            if (!pacerWaitForStep())
                return;
        __atomic_store_n(&waitingForStep, 0, __ATOMIC_SEQ_CST);
        __atomic_store_n(&stepPending, 1, __ATOMIC_RELEASE);
        if (!postGravityStep())
            __atomic_store_n(&stepPending, 0, __ATOMIC_RELEASE);
    }
}

}  // namespace

int pacerShouldPost() { return readShared(game.level) != 0 && !readShared(game.gameOver) && !readShared(game.paused); }

int32_t pacerDelay()
{
    if (!pacerShouldPost())
        return IDLE_POLL_MS;
    int16_t level = readShared(game.level);
    if (level > MAX_LEVEL)
        level = MAX_LEVEL;
    return level >= 1 ? levelDelay[level - 1] : IDLE_POLL_MS;
}

int startGravityPacer()
{
    if (running)
        return 1;
    __atomic_store_n(&stepPending, 0, __ATOMIC_RELEASE);
    __atomic_store_n(&waitingForStep, 0, __ATOMIC_RELEASE);
    running = pacerThreadStart(gravityPacer);
    return running;
}

void stopGravityPacer()
{
    if (!running)
        return;
    pacerThreadStop();
    running = 0;
}

int gravityPacerRunning() { return running; }

void gravityStepTaken()
{
    __atomic_store_n(&stepPending, 0, __ATOMIC_SEQ_CST);
    if (__atomic_load_n(&waitingForStep, __ATOMIC_SEQ_CST))
        pacerSignalStep();
}

void setPacerTimeScale(int32_t microsecondsPerMillisecond)
{
    __atomic_store_n(&timeScale, microsecondsPerMillisecond > 0 ? microsecondsPerMillisecond : 1, __ATOMIC_RELAXED);
}
