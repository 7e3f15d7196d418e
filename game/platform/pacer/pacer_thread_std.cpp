// The pacer's thread and signals on the C++ library (native builds).
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "pacer_thread.h"

namespace {

std::mutex signalLock;
std::condition_variable signalled;
std::thread pacerThread;
bool stopRaised = false;
bool stepRaised = false;

}  // namespace

int pacerThreadStart(void (*body)())
{
    {
        std::lock_guard<std::mutex> guard(signalLock);
        stopRaised = false;
        stepRaised = false;
    }
    try {
        pacerThread = std::thread(body);
    } catch (...) {
        return 0;
    }
    return 1;
}

void pacerThreadStop()
{
    {
        std::lock_guard<std::mutex> guard(signalLock);
        stopRaised = true;
    }
    signalled.notify_all();
    if (pacerThread.joinable())
        pacerThread.join();
}

int pacerWaitForStop(int64_t microseconds)
{
    std::unique_lock<std::mutex> lock(signalLock);
    if (microseconds <= 0) {
        lock.unlock();
        std::this_thread::yield();
        lock.lock();
        return stopRaised ? 0 : 1;
    }
    return signalled.wait_for(lock, std::chrono::microseconds(microseconds), [] { return stopRaised; }) ? 0 : 1;
}

int pacerWaitForStep()
{
    std::unique_lock<std::mutex> lock(signalLock);
    signalled.wait(lock, [] { return stopRaised || stepRaised; });
    if (stopRaised)
        return 0;
    stepRaised = false;
    return 1;
}

void pacerSignalStep()
{
    {
        std::lock_guard<std::mutex> guard(signalLock);
        stepRaised = true;
    }
    signalled.notify_all();
}
