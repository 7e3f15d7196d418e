// A window test's hands on the keyboard: the messages queued for the test's
// thread handled, keys typed as the keyboard types them, an item chosen
// from a window's menu, and the check that the keys are with a window.
// Header-only; GoogleTest programs for Windows only.
#ifndef KUBRELSE_WINDOW_INPUT_H
#define KUBRELSE_WINDOW_INPUT_H

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <thread>

#include "program_under_test.h"

namespace wintest {

// Handles what is queued for this thread, WM_QUIT excepted.
inline void pump()
{
    for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);)
        if (msg.message != WM_QUIT)
            DispatchMessageW(&msg);
}

// Types virtualKey, down and up, and handles what it queued until
// arrived() holds: false when it never does.
inline bool typedKeyArrives(WORD virtualKey, const std::function<bool()>& arrived)
{
    INPUT typed[2] = {};
    typed[0].type = typed[1].type = INPUT_KEYBOARD;
    typed[0].ki.wVk = typed[1].ki.wVk = virtualKey;
    typed[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, typed, sizeof(INPUT));
    return eventually([&] { return pump(), arrived(); });
}

// open() drops down a menu of window's; the item whose mnemonic is item is
// chosen as soon as the menu shows, and what the choice queued is handled.
inline void chooseFromMenu(HWND window, wchar_t item, const std::function<void()>& open)
{
    std::thread chooser = answerWhenShown(L"#32768", nullptr, [=](HWND) { PostMessageW(window, WM_CHAR, item, 0); });
    open();
    chooser.join();
    pump();
}

// Once what is queued is handled, window is active and has the focus.
inline void expectKeysWith(HWND window)
{
    pump();
    EXPECT_EQ(GetActiveWindow(), window) << "active";
    EXPECT_EQ(GetFocus(), window) << "focus";
}

}  // namespace wintest

#endif
