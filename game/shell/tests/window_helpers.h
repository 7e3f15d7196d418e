// Watching for the game's modal windows from a second thread while the test
// thread runs their loops, as a player would see and answer them.
#ifndef KUBRELSE_SHELL_TESTS_WINDOW_HELPERS_H
#define KUBRELSE_SHELL_TESTS_WINDOW_HELPERS_H

#include <windows.h>

#include <functional>
#include <thread>

// Waits up to timeoutMs for a visible window of class and caption on any
// thread; null when none came.
HWND waitForWindow(const wchar_t* className, const wchar_t* caption, DWORD timeoutMs);

// Runs answer(window) on a second thread as soon as a window of class and
// caption shows up; join() the result after the modal call has returned.
std::thread answerWhenShown(const wchar_t* className, const wchar_t* caption,
                            std::function<void(HWND)> answer);

#endif
