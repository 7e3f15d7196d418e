// kubrelse.exe as a player meets it: its own process, driven from this one.
#include "shell_fixture.h"

#include <algorithm>
#include <filesystem>

#include "handed_out.h"

namespace {

// kubrelse.exe started beside this program.
struct Game : wintest::ProgramUnderTest {
    Game() : wintest::ProgramUnderTest(wintest::testFolder() + "\\..\\kubrelse.exe") {}
    HWND mainWindow() const { return waitForWindow(MAIN_CLASS_NAME); }
    HWND question() const { return waitForWindow(L"#32770"); }
};

std::string softkeyText(HWND mainWindow)
{
    HWND bar = FindWindowW(L"KubrelSE softkey bar", nullptr);
    return bar && GetWindow(bar, GW_OWNER) == mainWindow ? wintest::textOf(bar) : "<no bar>";
}

void key(HWND window, WPARAM virtualKey) { PostMessageW(window, WM_KEYDOWN, virtualKey, 1); }

class GameProcess : public ::testing::Test {
protected:
    void SetUp() override { clearGameRegistry(); }
};

// The handset's key clicks before the first start: a sound, or no "Script"
// value at all.
class GameRuns : public GameProcess, public testing::WithParamInterface<const wchar_t*> {};
INSTANTIATE_TEST_SUITE_P(GameProcess, GameRuns, testing::Values(L"Default.wav", nullptr));

TEST_P(GameRuns, AKilledRunAndASecondCopyLoseNoKeyClicksAndAPlayedRunQuitsByItsMenuWithZero)
{
    const std::wstring handset = GetParam() ? GetParam() : L"<none>";
    const std::wstring record = GetParam() ? L"text:" + handset : L"none";
    std::wstring scores = L"HiScore1=0 HiScore2=0 HiScore3=0 HiScore4=0 HiScore5=0";  // written at the first exit
    if (GetParam()) {
        writeScript(GetParam());
        for (int place = 0; place < HIGH_SCORE_COUNT; ++place) {  // a table of earlier games stays as it is
            const DWORD score = 500 - 100 * DWORD(place);
            setRawValue(SECTION_PATH, (L"HiScore" + std::to_wstring(place + 1)).c_str(), REG_DWORD, &score, 4);
        }
        scores = storedScores();
    }
    {
        Game first;
        HWND window = first.mainWindow();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(wintest::eventually([&] { return GetForegroundWindow() == window && script() == L""; }));
        EXPECT_EQ(keyClickRecord(), record) << "kept while silenced";

        // A second copy brings the first to the front, minimised or not,
        // and ends at once.
        PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        ASSERT_TRUE(wintest::eventually([&] { return IsIconic(window); }));
        Game second;
        EXPECT_EQ(second.finish(), 0u);
        EXPECT_TRUE(first.running());
        // Back in front, the game has silenced the key clicks again.
        EXPECT_TRUE(wintest::eventually([&] {
            return GetForegroundWindow() == window && !IsIconic(window) && script() == L"" &&
                   keyClickRecord() == record;
        }));

        first.kill();
        EXPECT_EQ(first.finish(), 99u);
    }
    EXPECT_EQ(script(), L"") << "ended outright, the game gave nothing back";

    Game next;
    HWND window = next.mainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(softkeyText(window), "Start\tMenu");
    EXPECT_TRUE(wintest::eventually([] { return script() == L""; })) << "silenced again";
    EXPECT_EQ(keyClickRecord(), record) << "the handset's setting, not our silence";
    key(window, VK_F1);  // left softkey: Start
    for (WPARAM k : {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, VK_DOWN})
        key(window, k);
    EXPECT_TRUE(wintest::eventually([&] { return softkeyText(window) == "Restart\tMenu"; }));
    // Menu, then "6. Quit", then Yes.
    key(window, VK_F2);
    ASSERT_NE(waitForWindow(L"#32768", nullptr), nullptr) << "the Menu softkey opened no menu";
    PostMessageW(window, WM_CHAR, '6', 1);
    HWND question = next.question();
    ASSERT_NE(question, nullptr) << "the quit question did not come";
    SendMessageW(question, WM_COMMAND, IDYES, 0);
    EXPECT_EQ(next.finish(), 0u);
    EXPECT_EQ(script(), handset) << "key clicks given back";
    EXPECT_EQ(keyClickRecord(), L"<no record>");
    EXPECT_EQ(storedScores(), scores) << "no game ended, no score entered";
}

TEST_F(GameProcess, OpensZoomedToFitAndItsCloseButtonEndsItWithTheScoresWrittenAndTheKeyClicksGivenBack)
{
    writeScript(L"click.wav");
    Game game;
    HWND window = game.mainWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(wintest::eventually([] { return script() == L""; }));
    const std::vector<LONG> client = wintest::rectOf(window, true);
    const LONG zoom = (client[2] - client[0]) / FRAME_WIDTH;
    EXPECT_GT(zoom, 1) << "a first start on this screen is zoomed";
    EXPECT_EQ((std::vector<LONG>{client[2] - client[0], client[3] - client[1]}),
              (std::vector<LONG>{FRAME_WIDTH * zoom, FRAME_HEIGHT * zoom}));
    key(window, VK_F1);
    key(window, VK_DOWN);
    EXPECT_TRUE(wintest::eventually([&] { return softkeyText(window) == "Restart\tMenu"; }));

    // A click on the close button at the right end of the caption.
    RECT frame;
    GetWindowRect(window, &frame);
    const int edge = GetSystemMetrics(SM_CXFRAME) + GetSystemMetrics(SM_CXPADDEDBORDER);
    const POINT button = {frame.right - edge - GetSystemMetrics(SM_CXSIZE) / 2,
                          frame.top + edge + GetSystemMetrics(SM_CYSIZE) / 2};
    ASSERT_EQ(SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(button.x, button.y)), HTCLOSE);
    SetCursorPos(button.x, button.y);
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, click, sizeof(INPUT));
    EXPECT_EQ(game.finish(), 0u);
    EXPECT_EQ(script(), L"click.wav") << "key clicks given back";
    EXPECT_EQ(keyClickRecord(), L"<no record>");
    EXPECT_EQ(storedScores(), L"HiScore1=0 HiScore2=0 HiScore3=0 HiScore4=0 HiScore5=0") << "written at the end";
}

// Every DLL a played run loads, as Wine's loader traces them (+loaddll).
const std::vector<std::string> LOADED_BY_A_GAME = {
    "advapi32.dll", "combase.dll",   "gdi32.dll",   "imm32.dll",   "kernel32.dll", "kernelbase.dll",
    "mmdevapi.dll", "msacm32.dll",   "msvcrt.dll",  "ole32.dll",   "oleaut32.dll", "rpcrt4.dll",
    "sechost.dll",  "ucrtbase.dll",  "user32.dll",  "uxtheme.dll", "version.dll",  "win32u.dll",
    "winealsa.drv", "winepulse.drv", "winex11.drv", "winmm.dll",   "zlib1.dll"};

TEST_F(GameProcess, TakesNoDllFromItsOwnFolderOrTheCurrentOneAndStillPlaysAndQuits)
{
    const std::filesystem::path scratch =
        std::filesystem::temp_directory_path() / ("ks-" + std::to_string(GetCurrentProcessId()) + "-dlls");
    const std::string own = (scratch / "game").string(), current = (scratch / "current").string();
    std::filesystem::create_directories(own);
    std::filesystem::create_directories(current);
    ASSERT_TRUE(
        CopyFileA((wintest::testFolder() + "\\..\\kubrelse.exe").c_str(), (own + "\\kubrelse.exe").c_str(), FALSE));
    ASSERT_TRUE(wintest::plantDlls({own, current}, LOADED_BY_A_GAME));
    wintest::ProgramUnderTest game;
    ASSERT_TRUE(game.start(own + "\\kubrelse.exe", current));
    HWND window = game.waitForWindow(MAIN_CLASS_NAME);
    ASSERT_NE(window, nullptr);
    key(window, VK_F1);
    key(window, VK_DOWN);  // the piece lands: the landing sound is the first call into WINMM
    EXPECT_TRUE(wintest::eventually([&] { return softkeyText(window) == "Restart\tMenu"; }));
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(game.finish(), 0u);
    EXPECT_EQ(wintest::loadedPlants(own, LOADED_BY_A_GAME), std::vector<std::string>()) << "beside kubrelse.exe";
    EXPECT_EQ(wintest::loadedPlants(current, LOADED_BY_A_GAME), std::vector<std::string>()) << "in its current folder";
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
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

    Game game;
    HWND window = game.mainWindow();
    ASSERT_NE(window, nullptr);
    key(window, VK_F1);
    key(window, VK_DOWN);                  // lands the piece: the landing sound, played to its end
    PostMessageW(window, WM_CLOSE, 0, 0);  // handled after the sound
    EXPECT_EQ(game.finish(), 0u);
    // 0.12 s of 8 kHz 16-bit sound is about 1900 bytes of samples.
    EXPECT_GT(takeCaptures(dosFolder), 1000u) << "the capture holds no sound";
}

}  // namespace
