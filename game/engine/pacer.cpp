#include "pacer.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "engine_host.h"
#include "game_state.h"
#include "landing.h"

namespace {

constexpr int32_t IDLE_POLL_MS = 1000;

std::mutex pacerLock;
std::condition_variable pacerWake;
std::thread pacerThread;
bool stopRequested = false;
bool stepPending = false;
std::atomic<int32_t> timeScale{1000};

// The window thread writes these fields; the pacer only ever reads them, one
// aligned value at a time, and acts on them one delay late at worst.
template <typename T>
T readShared(const T& field)
{
    return __atomic_load_n(&field, __ATOMIC_RELAXED);
}

// Sleeps until the delay has passed or a stop is asked for; false on a stop.
bool sleepFor(std::unique_lock<std::mutex>& lock, int32_t milliseconds)
{
    if (milliseconds <= 0) {
        lock.unlock();
        std::this_thread::yield();
        lock.lock();
        return !stopRequested;
    }
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::microseconds(int64_t{milliseconds} * timeScale.load());
    return !pacerWake.wait_until(lock, deadline, [] { return stopRequested; });
}

void gravityPacer(void*)
{
    std::unique_lock<std::mutex> lock(pacerLock);
    for (;;) {
        // The state is read before the sleep: a step whose delay began in a
        // running game is still posted, and the window thread drops it.
        const int post = pacerShouldPost();
        if (!sleepFor(lock, pacerDelay()))
            return;
        if (!post)
            continue;

        pacerWake.wait(lock, [] { return stopRequested || !stepPending; });
        if (stopRequested)
            return;
        stepPending = true;
        lock.unlock();
        const int posted = postGravityStep();
        lock.lock();
        if (!posted)
            stepPending = false;
    }
}

}  // namespace

int pacerShouldPost()
{
    return readShared(game.level) != 0 && !readShared(game.gameOver) && !readShared(game.paused);
}

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
    std::lock_guard<std::mutex> guard(pacerLock);
    if (pacerThread.joinable())
        return 1;
    stopRequested = false;
    stepPending = false;
    try {
        pacerThread = std::thread(gravityPacer, nullptr);
    } catch (...) {
        return 0;
    }
    return 1;
}

void stopGravityPacer()
{
    {
        std::lock_guard<std::mutex> guard(pacerLock);
        if (!pacerThread.joinable())
            return;
        stopRequested = true;
    }
    pacerWake.notify_all();
    pacerThread.join();
    std::lock_guard<std::mutex> guard(pacerLock);
    stopRequested = false;
    stepPending = false;
}

int gravityPacerRunning()
{
    std::lock_guard<std::mutex> guard(pacerLock);
    return pacerThread.joinable() ? 1 : 0;
}

void gravityStepTaken()
{
    {
        std::lock_guard<std::mutex> guard(pacerLock);
        stepPending = false;
    }
    pacerWake.notify_all();
}

void setPacerTimeScale(int32_t microsecondsPerMillisecond)
{
    timeScale.store(microsecondsPerMillisecond > 0 ? microsecondsPerMillisecond : 1);
}
