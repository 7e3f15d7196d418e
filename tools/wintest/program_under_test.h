// The end-to-end tests' side of a program of ours: started as a process of
// its own, its windows found and read, and waits that poll for a condition
// with a generous deadline instead of sleeping. Header-only; Windows test
// programs only.
#ifndef KUBRELSE_PROGRAM_UNDER_TEST_H
#define KUBRELSE_PROGRAM_UNDER_TEST_H

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace wintest {

// Long enough for a loaded machine; a working program never comes near it.
constexpr DWORD WAIT_MS = 20000;

// Polls done() until it holds (true) or timeoutMs have passed (false).
inline bool eventually(const std::function<bool()>& done, DWORD timeoutMs = WAIT_MS)
{
    for (const DWORD start = GetTickCount(); !done(); Sleep(10))
        if (GetTickCount() - start > timeoutMs)
            return done();
    return true;
}

// A visible window of class and caption (null for any) of any thread or
// process; null if none came.
inline HWND waitForWindow(const wchar_t* className, const wchar_t* caption)
{
    HWND found = nullptr;
    const bool shown = eventually([&] { return (found = FindWindowW(className, caption)) && IsWindowVisible(found); });
    return shown ? found : nullptr;
}

// Runs answer(window) on a second thread as soon as a window of class and
// caption shows up; join() the result after the modal call has returned.
inline std::thread answerWhenShown(const wchar_t* className, const wchar_t* caption, std::function<void(HWND)> answer)
{
    return std::thread([=] { answer(waitForWindow(className, caption)); });
}

// The folder this test program runs from.
inline std::string testFolder()
{
    char path[MAX_PATH * 4];
    const std::string self(path, GetModuleFileNameA(nullptr, path, sizeof path));
    return self.substr(0, self.find_last_of('\\'));
}

// The text of a window, or of one of its items, whichever process it belongs to.
inline std::string textOf(HWND window, int item = 0)
{
    char text[1024] = "";
    SendMessageA(item ? GetDlgItem(window, item) : window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// Where a window lies on the screen, {left, top, right, bottom}: the whole
// window, or its client area.
inline std::vector<LONG> rectOf(HWND window, bool client = false)
{
    RECT r = {};
    if (!client)
        GetWindowRect(window, &r);
    else if (GetClientRect(window, &r))
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
}

// One run of a program; ended by force if a test leaves it running.
struct ProgramUnderTest {
    PROCESS_INFORMATION process = {};

    ProgramUnderTest() = default;
    explicit ProgramUnderTest(const std::string& exe) { start(exe); }
    ProgramUnderTest(const ProgramUnderTest&) = delete;
    ~ProgramUnderTest()
    {
        kill();
        finish();
    }

    // Started in currentFolder when one is given, else in this program's.
    bool start(const std::string& exe, const std::string& currentFolder = "")
    {
        std::string commandLine = "\"" + exe + "\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        const char* folder = currentFolder.empty() ? nullptr : currentFolder.c_str();
        return CreateProcessA(
                   exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder, &startup, &process) != 0;
    }
    bool running() const { return process.hProcess && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT; }
    // Ends it outright, as a task manager does.
    void kill()
    {
        if (running())
            TerminateProcess(process.hProcess, 99);
    }
    // Waits for its end and lets go of it: the exit code, or 0xFFFFFFFF when
    // it did not end in time (it is ended then) or never started.
    DWORD finish()
    {
        DWORD code = 0xFFFFFFFF;
        if (!process.hProcess)
            return code;
        if (WaitForSingleObject(process.hProcess, WAIT_MS) == WAIT_OBJECT_0)
            GetExitCodeProcess(process.hProcess, &code);
        else
            TerminateProcess(process.hProcess, 99);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        process = PROCESS_INFORMATION();
        return code;
    }

    // Its visible top-level windows, front to back; of one class when given.
    std::vector<HWND> windows(const wchar_t* className = nullptr) const
    {
        std::vector<HWND> found;
        for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
            DWORD owner = 0;
            wchar_t name[64] = L"";
            GetWindowThreadProcessId(window, &owner);
            GetClassNameW(window, name, 64);
            if (owner == process.dwProcessId && IsWindowVisible(window) && (!className || !lstrcmpW(name, className)))
                found.push_back(window);
        }
        return found;
    }
    // The first such window once there is one and the program waits for
    // input; null when none came or the program ended.
    HWND waitForWindow(const wchar_t* className) const
    {
        std::vector<HWND> found;
        eventually([&] { return !(found = windows(className)).empty() || !running(); });
        if (found.empty())
            return nullptr;
        WaitForInputIdle(process.hProcess, WAIT_MS);
        return found[0];
    }
};

}  // namespace wintest

#endif
