#include "window_helpers.h"

HWND waitForWindow(const wchar_t* className, const wchar_t* caption, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        HWND found = FindWindowW(className, caption);
        if (found && IsWindowVisible(found))
            return found;
        if (GetTickCount() - start > timeoutMs)
            return nullptr;
        Sleep(10);
    }
}

std::thread answerWhenShown(const wchar_t* className, const wchar_t* caption, std::function<void(HWND)> answer)
{
    return std::thread([=] {
        HWND found = waitForWindow(className, caption, 10000);
        answer(found);
    });
}
