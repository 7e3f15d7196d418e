// The pacer's thread and its two signals, from the platform. The pacer loop
// itself (pacer.cpp) is the same everywhere; the native build runs it on the
// C++ library's thread, the Windows build on the platform's own thread and
// events (both in game/platform/pacer), so the game links no thread runtime
// of the C++ library.
//
// Only the thread that starts the pacer calls start and stop; the pacer
// thread calls the two waits; any thread may raise the step signal.
#ifndef KUBRELSE_ENGINE_PACER_THREAD_H
#define KUBRELSE_ENGINE_PACER_THREAD_H

#include <cstdint>

// Makes both signals lowered and starts body on a new thread. 1 when it
// runs; 0 (nothing left behind) when it could not be started.
int pacerThreadStart(void (*body)());

// Raises the stop signal, waits until body has returned and releases the
// thread and the signals.
void pacerThreadStop();

// Waits up to microseconds for the stop signal; 0 gives up the processor
// once. 1 when the time passed, 0 when stop was raised (before or during).
int pacerWaitForStop(int64_t microseconds);

// Waits for the step signal or the stop signal, lowering the step signal it
// consumed. 1 for a step signal, 0 when stop was raised.
int pacerWaitForStep();

// Raises the step signal; it stays raised until one wait consumes it.
void pacerSignalStep();

#endif
