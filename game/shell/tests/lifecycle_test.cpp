// kubrelse.exe as a player meets it: its own process, driven from this one.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "../../resources/resource_ids.h"
#include "shell_state.h"
#include "window_helpers.h"

namespace {

const wchar_t SCRIPT_KEY[] = L"ControlPanel\\Sounds\\Keypress";
const wchar_t SECTION_KEY[] = L"Software\\Nolvo Systems Inc.\\KubrelSE\\MainSection";

std::wstring gamePath()
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring here(path, length);
    return here.substr(0, here.find_last_of(L'\\')) + L"\\..\\kubrelse.exe";
}

struct Running {
    PROCESS_INFORMATION process = {};
    bool started = false;

    Running()
    {
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        std::wstring path = gamePath();
        started = CreateProcessW(path.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &process) != 0;
    }
    ~Running()
    {
        if (!started)
            return;
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process.hProcess, 99);
            WaitForSingleObject(process.hProcess, 5000);
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    bool running() const { return WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT; }
    // The exit code, or 0xFFFFFFFF when it has not ended in time.
    DWORD exitCode(DWORD timeoutMs) const
    {
        if (WaitForSingleObject(process.hProcess, timeoutMs) != WAIT_OBJECT_0)
            return 0xFFFFFFFF;
        DWORD code = 0xFFFFFFFF;
        GetExitCodeProcess(process.hProcess, &code);
        return code;
    }
    HWND mainWindow(DWORD timeoutMs = 10000) const
    {
        HWND found = waitForWindow(MAIN_CLASS_NAME, MAIN_TITLE, timeoutMs);
        DWORD owner = 0;
        if (found)
            GetWindowThreadProcessId(found, &owner);
        return owner == process.dwProcessId ? found : nullptr;
    }
};

struct BarSearch {
    HWND owner;
    HWND bar;
};

BOOL CALLBACK findBar(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<BarSearch*>(data);
    wchar_t name[64];
    if (GetClassNameW(window, name, 64) && std::wstring(name) == L"KubrelSE softkey bar" &&
        GetWindow(window, GW_OWNER) == search->owner) {
        search->bar = window;
        return FALSE;
    }
    return TRUE;
}

std::wstring softkeyText(HWND mainWindow)
{
    BarSearch search = {mainWindow, nullptr};
    EnumWindows(findBar, reinterpret_cast<LPARAM>(&search));
    wchar_t text[80] = L"";
    if (search.bar)
        GetWindowTextW(search.bar, text, 80);
    return text;
}

void setScript(const wchar_t* text)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, SCRIPT_KEY, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, L"Script", 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

std::wstring script()
{
    wchar_t text[300] = L"<none>";
    DWORD size = sizeof text;
    RegGetValueW(HKEY_CURRENT_USER, SCRIPT_KEY, L"Script", RRF_RT_REG_SZ, nullptr, text, &size);
    return text;
}

void key(HWND window, WPARAM virtualKey)
{
    PostMessageW(window, WM_KEYDOWN, virtualKey, 1);
}

// Answers the quit question of process with button.
void answerQuestion(const Running& game, WPARAM button, int line)
{
    SCOPED_TRACE(testing::Message() << "answered from line " << line);
    HWND question = waitForWindow(L"#32770", L"KubrelSE", 10000);
    ASSERT_NE(question, nullptr) << "the quit question did not come";
    DWORD owner = 0;
    GetWindowThreadProcessId(question, &owner);
    ASSERT_EQ(owner, game.process.dwProcessId);
    SendMessageW(question, WM_COMMAND, button, 0);
}

class GameProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Nolvo Systems Inc.");
        setScript(L"tick.wav");
    }
};

TEST_F(GameProcess, APlayedRunQuitsByItsMenuWithExitCodeZeroAndLeavesItsSettings)
{
    Running game;
    ASSERT_TRUE(game.started);
    HWND window = game.mainWindow();
    ASSERT_NE(window, nullptr);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 176);
    EXPECT_EQ(client.bottom, 180);
    EXPECT_EQ(softkeyText(window), L"Start\tMenu");
    EXPECT_EQ(script(), L"") << "silenced while it runs";

    key(window, VK_F1);  // left softkey: Start
    for (WPARAM k : {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, VK_DOWN})
        key(window, k);
    Sleep(300);
    EXPECT_EQ(softkeyText(window), L"Restart\tMenu");

    // Menu, then "6. Quit", then No: nothing changes.
    key(window, VK_F2);
    ASSERT_NE(waitForWindow(L"#32768", nullptr, 5000), nullptr) << "the Menu softkey opened no menu";
    PostMessageW(window, WM_CHAR, '6', 1);
    answerQuestion(game, IDNO, __LINE__);
    Sleep(200);
    EXPECT_TRUE(game.running());
    EXPECT_TRUE(IsWindow(window));

    PostMessageW(window, WM_COMMAND, CMD_QUIT, 0);
    answerQuestion(game, IDYES, __LINE__);
    EXPECT_EQ(game.exitCode(10000), 0u);

    EXPECT_EQ(script(), L"tick.wav") << "key clicks given back";
    HKEY section;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, SECTION_KEY, 0, KEY_READ, &section), ERROR_SUCCESS);
    for (int i = 1; i <= 5; ++i) {
        const std::wstring name = L"HiScore" + std::to_wstring(i);
        DWORD type = 0;
        DWORD value = 1;
        DWORD size = sizeof value;
        EXPECT_EQ(RegQueryValueExW(section, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size),
                  ERROR_SUCCESS)
            << name;
        EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD)) << name;
        EXPECT_EQ(value, 0u) << name << ": no game ended, no score entered";
    }
    RegCloseKey(section);
}

TEST_F(GameProcess, ASecondStartBringsTheFirstForwardAndTouchesNothing)
{
    Running first;
    ASSERT_TRUE(first.started);
    HWND window = first.mainWindow();
    ASSERT_NE(window, nullptr);
    // Once the first copy waits in its message loop, in front, it has
    // silenced the key clicks; from here on only the second copy could
    // change them.
    WaitForInputIdle(first.process.hProcess, 5000);
    for (int i = 0; i < 200 && (GetForegroundWindow() != window || script() != L""); ++i)
        Sleep(10);
    ASSERT_EQ(GetForegroundWindow(), window);
    ASSERT_EQ(script(), L"");
    setScript(L"marker");

    {
        Running second;
        ASSERT_TRUE(second.started);
        EXPECT_EQ(second.exitCode(10000), 0u);
    }
    EXPECT_TRUE(first.running());
    for (int i = 0; i < 100 && GetForegroundWindow() != window; ++i)
        Sleep(10);
    EXPECT_EQ(GetForegroundWindow(), window);
    EXPECT_EQ(script(), L"marker") << "the second copy left the key clicks alone";
    HKEY section;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, SECTION_KEY, 0, KEY_READ, &section), ERROR_SUCCESS)
        << "the second copy wrote no scores (it ran no shutdown)";

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.exitCode(10000), 0u);
}

TEST_F(GameProcess, ALandingSoundReachesTheAudioDevice)
{
    // ALSA writes everything played on its default device into WAVE files
    // in this folder (one per opening of the device); see CMakeLists.txt.
    wchar_t folder[MAX_PATH] = L"";
    if (!GetEnvironmentVariableW(L"KUBRELSE_SOUND_CAPTURE", folder, MAX_PATH))
        GTEST_SKIP() << "KUBRELSE_SOUND_CAPTURE is not set: no capture device";
    const std::wstring dosDir = std::wstring(L"Z:") + folder;
    WIN32_FIND_DATAW found;
    HANDLE old = FindFirstFileW((dosDir + L"\\played.wav*").c_str(), &found);
    if (old != INVALID_HANDLE_VALUE) {
        do
            DeleteFileW((dosDir + L"\\" + found.cFileName).c_str());
        while (FindNextFileW(old, &found));
        FindClose(old);
    }

    Running game;
    ASSERT_TRUE(game.started);
    HWND window = game.mainWindow();
    ASSERT_NE(window, nullptr);
    key(window, VK_F1);
    key(window, VK_DOWN);  // lands the piece: the landing sound, played to its end
    Sleep(1500);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(game.exitCode(10000), 0u);

    HANDLE search = FindFirstFileW((dosDir + L"\\played.wav*").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE) << "nothing was played";
    ULONGLONG biggest = 0;
    do {
        const ULONGLONG size = (static_cast<ULONGLONG>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        if (size > biggest)
            biggest = size;
        DeleteFileW((dosDir + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
    // 0.12 s of 8 kHz 16-bit sound is about 1900 bytes of samples.
    EXPECT_GT(biggest, 1000u) << "the capture holds no sound";
}

}  // namespace
