// kubrelse.exe as a player meets it: its own process, driven from this one.
#include "shell_fixture.h"

#include <algorithm>

#include "../../resources/resource_ids.h"
#include "settings.h"

namespace {

// kubrelse.exe started beside this program; ended by force if a test
// leaves it running.
struct Running {
    PROCESS_INFORMATION process = {};
    bool started = false;

    Running()
    {
        wchar_t here[MAX_PATH];
        const std::wstring path(here, GetModuleFileNameW(nullptr, here, MAX_PATH));
        const std::wstring game = path.substr(0, path.find_last_of(L'\\')) + L"\\..\\kubrelse.exe";
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        started = CreateProcessW(game.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &process) != 0;
    }
    ~Running()
    {
        if (!started)
            return;
        if (running())
            TerminateProcess(process.hProcess, 99);
        WaitForSingleObject(process.hProcess, 5000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    bool running() const { return WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT; }
    // The exit code, or 0xFFFFFFFF when it has not ended in time.
    DWORD exitCode() const
    {
        DWORD code = 0xFFFFFFFF;
        if (WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0)
            GetExitCodeProcess(process.hProcess, &code);
        return code;
    }
    // A visible window of this process, or null.
    HWND window(const wchar_t* className = MAIN_CLASS_NAME, const wchar_t* caption = MAIN_TITLE) const
    {
        HWND found = waitForWindow(className, caption);
        DWORD owner = 0;
        GetWindowThreadProcessId(found, &owner);
        return owner == process.dwProcessId ? found : nullptr;
    }
};

std::wstring softkeyText(HWND mainWindow)
{
    HWND bar = FindWindowW(L"KubrelSE softkey bar", nullptr);
    wchar_t text[80] = L"<no bar>";
    if (bar && GetWindow(bar, GW_OWNER) == mainWindow)
        GetWindowTextW(bar, text, 80);
    return text;
}

void key(HWND window, WPARAM virtualKey)
{
    PostMessageW(window, WM_KEYDOWN, virtualKey, 1);
}

class GameProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        clearGameRegistry();
        writeScript(L"tick.wav");
    }
};

TEST_F(GameProcess, APlayedRunQuitsByItsMenuWithExitCodeZeroAndLeavesItsSettings)
{
    Running game;
    ASSERT_TRUE(game.started);
    HWND window = game.window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(softkeyText(window), L"Start\tMenu");
    EXPECT_TRUE(eventually([] { return script() == L""; })) << "silenced while it runs";
    HKEY gameKey;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Nolvo Systems Inc.\\KubrelSE", 0, KEY_READ, &gameKey),
              ERROR_SUCCESS)
        << "the key exists from the start";
    RegCloseKey(gameKey);

    key(window, VK_F1);  // left softkey: Start
    for (WPARAM k : {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, VK_DOWN})
        key(window, k);
    EXPECT_TRUE(eventually([&] { return softkeyText(window) == L"Restart\tMenu"; }));

    // Menu, then "6. Quit", then No: nothing changes.
    key(window, VK_F2);
    ASSERT_NE(waitForWindow(L"#32768", nullptr), nullptr) << "the Menu softkey opened no menu";
    PostMessageW(window, WM_CHAR, '6', 1);
    HWND question = game.window(L"#32770", L"KubrelSE");
    ASSERT_NE(question, nullptr) << "the quit question did not come";
    SendMessageW(question, WM_COMMAND, IDNO, 0);
    EXPECT_TRUE(eventually([&] { return !IsWindow(question); }));
    EXPECT_TRUE(game.running());
    EXPECT_TRUE(IsWindow(window));

    PostMessageW(window, WM_COMMAND, CMD_QUIT, 0);
    question = game.window(L"#32770", L"KubrelSE");
    ASSERT_NE(question, nullptr) << "the quit question did not come";
    SendMessageW(question, WM_COMMAND, IDYES, 0);
    EXPECT_EQ(game.exitCode(), 0u);

    EXPECT_EQ(script(), L"tick.wav") << "key clicks given back";
    EXPECT_EQ(storedScores(), L"HiScore1=0 HiScore2=0 HiScore3=0 HiScore4=0 HiScore5=0")
        << "no game ended, no score entered";
}

TEST_F(GameProcess, ASecondStartBringsTheFirstForwardAndTouchesNothing)
{
    Running first;
    ASSERT_TRUE(first.started);
    HWND window = first.window();
    ASSERT_NE(window, nullptr);
    // Once the first copy waits in its message loop, in front, it has
    // silenced the key clicks; from here on only the second copy could
    // change them.
    WaitForInputIdle(first.process.hProcess, 5000);
    ASSERT_TRUE(eventually([&] { return GetForegroundWindow() == window && script() == L""; }));
    writeScript(L"marker");
    {
        Running second;
        ASSERT_TRUE(second.started);
        EXPECT_EQ(second.exitCode(), 0u);
    }
    EXPECT_TRUE(first.running());
    EXPECT_TRUE(eventually([&] { return GetForegroundWindow() == window; }));
    EXPECT_EQ(script(), L"marker") << "the second copy left the key clicks alone";
    EXPECT_EQ(storedScores(), L"<no key>") << "the second copy wrote no scores (it ran no shutdown)";

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.exitCode(), 0u);
}

// Deletes the capture files in folder; the size of the biggest.
ULONGLONG takeCaptures(const std::wstring& folder)
{
    ULONGLONG biggest = 0;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\played.wav*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do {
        biggest = std::max(biggest, (ULONGLONG(found.nFileSizeHigh) << 32) | found.nFileSizeLow);
        DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return biggest;
}

TEST_F(GameProcess, ALandingSoundReachesTheAudioDevice)
{
    // ALSA writes everything played on its default device into WAVE files
    // in this folder (one per opening of the device); see CMakeLists.txt.
    wchar_t folder[MAX_PATH] = L"";
    if (!GetEnvironmentVariableW(L"KUBRELSE_SOUND_CAPTURE", folder, MAX_PATH))
        GTEST_SKIP() << "KUBRELSE_SOUND_CAPTURE is not set: no capture device";
    const std::wstring dosFolder = std::wstring(L"Z:") + folder;
    takeCaptures(dosFolder);

    Running game;
    ASSERT_TRUE(game.started);
    HWND window = game.window();
    ASSERT_NE(window, nullptr);
    key(window, VK_F1);
    key(window, VK_DOWN);  // lands the piece: the landing sound, played to its end
    Sleep(1500);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(game.exitCode(), 0u);
    // 0.12 s of 8 kHz 16-bit sound is about 1900 bytes of samples.
    EXPECT_GT(takeCaptures(dosFolder), 1000u) << "the capture holds no sound";
}

}  // namespace
