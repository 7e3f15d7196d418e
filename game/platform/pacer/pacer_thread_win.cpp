// The pacer's thread and signals on the platform's own threads and events.
#include <windows.h>

#include "pacer_thread.h"

namespace {

HANDLE pacerThread;
HANDLE stopEvent;  // manual reset: once raised it stays raised
HANDLE stepEvent;  // auto reset: one wait consumes it
void (*pacerBody)();

DWORD WINAPI runPacerBody(LPVOID)
{
    pacerBody();
    return 0;
}

void closeHandle(HANDLE& handle)
{
    if (handle)
        CloseHandle(handle);
    handle = nullptr;
}

void releaseAll()
{
    closeHandle(pacerThread);
    closeHandle(stepEvent);
    closeHandle(stopEvent);
}

// Whole milliseconds, rounded up, below INFINITE.
DWORD timeoutOf(int64_t microseconds)
{
    const int64_t ms = (microseconds + 999) / 1000;
    return ms >= INFINITE ? INFINITE - 1 : static_cast<DWORD>(ms);
}

}  // namespace

int pacerThreadStart(void (*body)())
{
    stopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    stepEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    pacerBody = body;
    if (stopEvent && stepEvent)
        pacerThread = CreateThread(nullptr, 0, runPacerBody, nullptr, 0, nullptr);
    if (pacerThread)
        return 1;
    releaseAll();
    return 0;
}

void pacerThreadStop()
{
    if (stopEvent)
        SetEvent(stopEvent);
    if (pacerThread)
        WaitForSingleObject(pacerThread, INFINITE);
    releaseAll();
}

int pacerWaitForStop(int64_t microseconds)
{
    if (microseconds <= 0) {
        Sleep(0);
        return WaitForSingleObject(stopEvent, 0) == WAIT_OBJECT_0 ? 0 : 1;
    }
    return WaitForSingleObject(stopEvent, timeoutOf(microseconds)) == WAIT_TIMEOUT ? 1 : 0;
}

int pacerWaitForStep()
{
    const HANDLE signals[2] = {stopEvent, stepEvent};
    return WaitForMultipleObjects(2, signals, FALSE, INFINITE) == WAIT_OBJECT_0 + 1 ? 1 : 0;
}

void pacerSignalStep()
{
    if (stepEvent)
        SetEvent(stepEvent);
}
