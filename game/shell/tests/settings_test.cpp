// What the game leaves in the registry, and the string ring.
#include "shell_fixture.h"

#include "../../resources/resource_ids.h"
#include "lifecycle.h"
#include "main_window.h"
#include "settings.h"

namespace {

class Settings : public ShellTest {
protected:
    Settings() { createInSetUp = false; }
};

void setRawValue(const wchar_t* name, DWORD type, const void* data, DWORD size)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, SECTION_PATH, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(key);
}

// Counts WM_SETTINGCHANGE broadcasts reaching a top-level window of ours.
struct BroadcastCounter {
    HWND window = nullptr;
    static int count;
    static LRESULT CALLBACK proc(HWND w, UINT m, WPARAM wp, LPARAM lp)
    {
        if (m == WM_SETTINGCHANGE)
            ++count;
        return DefWindowProcW(w, m, wp, lp);
    }
    BroadcastCounter()
    {
        WNDCLASSW cls = {};
        cls.lpfnWndProc = proc;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.lpszClassName = L"broadcast counter";
        RegisterClassW(&cls);
        window = CreateWindowExW(0, cls.lpszClassName, L"", WS_POPUP | WS_CAPTION, 0, 0, 1, 1, nullptr, nullptr,
                                 cls.hInstance, nullptr);
        count = 0;
    }
    ~BroadcastCounter() { DestroyWindow(window); }
    int heard()
    {
        MSG msg;
        while (PeekMessageW(&msg, window, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        return count;
    }
};
int BroadcastCounter::count = 0;

TEST_F(Settings, TheRingStartsAtSlotOneAndTheFifthStringOverwritesTheFirst)
{
    shell.instance = GetModuleHandleW(nullptr);
    const wchar_t* first = loadResString(IDS_MAIN_SECTION);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, shell.stringRing[1]);
    EXPECT_STREQ(first, L"MainSection");
    EXPECT_EQ(loadResString(IDS_HISCORE_BASE), shell.stringRing[2]);
    EXPECT_EQ(loadResString(IDS_HISCORE_BASE + 4), shell.stringRing[3]);
    EXPECT_STREQ(shell.stringRing[3], L"HiScore5");
    EXPECT_EQ(loadResString(9999), nullptr) << "a missing string still moves the ring";
    EXPECT_STREQ(first, L"MainSection");
    EXPECT_EQ(loadResString(IDS_QUIT_QUESTION), first);
    EXPECT_STREQ(first, L"Do you want to quit this game ?");
}

TEST_F(Settings, AFirstRunCreatesTheKeyAndItsExitWritesFiveDwordsInOrder)
{
    createMainWindow();
    HKEY key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Nolvo Systems Inc.\\KubrelSE", 0, KEY_READ, &key),
              ERROR_SUCCESS)
        << "the key exists from the start";
    RegCloseKey(key);
    for (int i = 0; i < HIGH_SCORE_COUNT; ++i)
        EXPECT_EQ(game.highScores[i], 0);

    game.highScores[0] = 900;
    game.highScores[4] = 7;
    writeHighScores();
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, SECTION_PATH, 0, KEY_READ, &key), ERROR_SUCCESS);
    const DWORD expected[] = {900, 0, 0, 0, 7};
    for (DWORD i = 0;; ++i) {
        wchar_t name[32];
        DWORD nameLength = 32;
        DWORD type = 0;
        DWORD value = 0;
        DWORD size = sizeof value;
        const LONG r = RegEnumValueW(key, i, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
        if (r == ERROR_NO_MORE_ITEMS) {
            EXPECT_EQ(i, 5u);
            break;
        }
        ASSERT_EQ(r, ERROR_SUCCESS);
        ASSERT_LT(i, 5u);
        EXPECT_EQ(std::wstring(name), L"HiScore" + std::to_wstring(i + 1)) << "written in order";
        EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
        EXPECT_EQ(size, 4u);
        EXPECT_EQ(value, expected[i]);
    }
    RegCloseKey(key);
}

TEST_F(Settings, ScoresOfOtherTypesReadAsNumbersOnlyWhenTheyFitFourBytes)
{
    const BYTE two[] = {0x34, 0x12};
    const BYTE four[] = {0x10, 0x27, 0, 0};
    const BYTE eight[] = {1, 2, 3, 4, 5, 6, 7, 8};
    const DWORD negative = 0xFFFFFFF6;
    setRawValue(L"HiScore1", REG_BINARY, two, sizeof two);
    setRawValue(L"HiScore2", REG_SZ, four, sizeof four);
    setRawValue(L"HiScore3", REG_BINARY, eight, sizeof eight);
    setRawValue(L"HiScore4", REG_DWORD, &negative, sizeof negative);
    createMainWindow();
    EXPECT_EQ(game.highScores[0], 0x1234);
    EXPECT_EQ(game.highScores[1], 10000);
    EXPECT_EQ(game.highScores[2], 0) << "too long: the default";
    EXPECT_EQ(game.highScores[3], -10);
    EXPECT_EQ(game.highScores[4], 0) << "missing: the default";
}

TEST_F(Settings, KeyClicksAreSavedBeforeTheFirstSilenceAndGivenBackOnEachDeactivation)
{
    writeScript(L"click.wav");
    BroadcastCounter counter;
    createMainWindow();  // shown and activated while it is created
    std::wstring text;
    ASSERT_TRUE(readScript(&text));
    EXPECT_EQ(text, L"");
    EXPECT_STREQ(shell.savedKeyClick, L"click.wav") << "saved before it was silenced";
    saveKeyClick();  // the start-up's own save comes too late and changes nothing
    EXPECT_STREQ(shell.savedKeyClick, L"click.wav");
    const int afterStart = counter.heard();
    EXPECT_GE(afterStart, 1);

    SendMessageW(window(), WM_ACTIVATE, WA_INACTIVE, 0);
    ASSERT_TRUE(readScript(&text));
    EXPECT_EQ(text, L"click.wav");
    EXPECT_EQ(counter.heard(), afterStart + 1);

    SendMessageW(window(), WM_ACTIVATE, WA_CLICKACTIVE, 0);
    ASSERT_TRUE(readScript(&text));
    EXPECT_EQ(text, L"");
    EXPECT_EQ(counter.heard(), afterStart + 2);
    DWORD size = 0;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, KEY_CLICK_PATH, KEY_CLICK_VALUE, RRF_RT_REG_SZ, nullptr, nullptr, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(size, 2u) << "the empty text, terminator only";

    restoreKeyClick();
    ASSERT_TRUE(readScript(&text));
    EXPECT_EQ(text, L"click.wav");
}

TEST_F(Settings, WithoutAScriptValueGivingBackRemovesTheOneTheGameWrote)
{
    createMainWindow();
    std::wstring text;
    ASSERT_TRUE(readScript(&text));
    EXPECT_EQ(text, L"");
    SendMessageW(window(), WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_FALSE(readScript(&text)) << "no value left behind";
    SendMessageW(window(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_TRUE(readScript(&text));
    restoreKeyClick();
    EXPECT_FALSE(readScript(&text));
}

TEST_F(Settings, ScriptTextIsNeverReadPastItsRoom)
{
    // 300 characters without a terminator: more than the game can hold, so
    // it leaves the setting alone rather than lose it.
    std::wstring longText(300, L'x');
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, KEY_CLICK_PATH, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, KEY_CLICK_VALUE, 0, REG_SZ, reinterpret_cast<const BYTE*>(longText.data()),
                             static_cast<DWORD>(longText.size() * 2)),
              ERROR_SUCCESS);

    wchar_t dest[KEY_CLICK_ROOM];
    wmemset(dest, L'#', KEY_CLICK_ROOM);
    EXPECT_NE(readStringValue(KEY_CLICK_PATH, KEY_CLICK_VALUE, dest, KEY_CLICK_ROOM), ERROR_SUCCESS);
    EXPECT_EQ(dest[0], L'#') << "untouched on failure";
    createMainWindow();
    std::wstring text;
    ASSERT_TRUE(readScript(&text));
    EXPECT_EQ(text, longText) << "not silenced, so not lost";
    SendMessageW(window(), WM_ACTIVATE, WA_INACTIVE, 0);
    ASSERT_TRUE(readScript(&text));
    EXPECT_EQ(text, longText);

    // Exactly the room without a terminator: read whole, terminated by us.
    const std::wstring full(KEY_CLICK_ROOM - 1, L'y');
    ASSERT_EQ(RegSetValueExW(key, KEY_CLICK_VALUE, 0, REG_SZ, reinterpret_cast<const BYTE*>(full.data()),
                             static_cast<DWORD>(full.size() * 2)),
              ERROR_SUCCESS);
    RegCloseKey(key);
    ASSERT_EQ(readStringValue(KEY_CLICK_PATH, KEY_CLICK_VALUE, dest, KEY_CLICK_ROOM), ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(dest), full);
    wchar_t small[8];
    ASSERT_EQ(readStringValue(KEY_CLICK_PATH, KEY_CLICK_VALUE, small, 8), ERROR_MORE_DATA);
}

TEST_F(Settings, AStartThatCannotMakeItsWindowEndsWithZeroAndWritesNothing)
{
    writeScript(L"click.wav");
    HINSTANCE instance = GetModuleHandleW(nullptr);
    ASSERT_TRUE(UnregisterClassW(MAIN_CLASS_NAME, instance));
    // A previous instance skips the class registration, so nothing can be
    // created from the missing class.
    const int exitCode = runGame(instance, instance, SW_SHOWNORMAL);
    EXPECT_NE(registerMainClass(instance), 0);
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(shell.mainWindow, nullptr);
    std::wstring text;
    ASSERT_TRUE(readScript(&text));
    EXPECT_EQ(text, L"click.wav") << "key clicks untouched";
    HKEY section;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, SECTION_PATH, 0, KEY_READ, &section), ERROR_SUCCESS)
        << "no score written";
}

}  // namespace
