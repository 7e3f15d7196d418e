// What the game leaves in the registry, and the string ring.
#include "shell_fixture.h"

#include <sddl.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "../../resources/resource_ids.h"
#include "key_click.h"
#include "lifecycle.h"
#include "main_window.h"
#include "settings.h"
#include "tile_table.h"

namespace {

class Settings : public ShellTest {
protected:
    Settings() { createInSetUp = false; }
};

// Counts the WM_SETTINGCHANGE broadcasts that reach the game's window.
int settingChanges = 0;
LRESULT CALLBACK countSettingChanges(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    settingChanges += code == HC_ACTION && call->message == WM_SETTINGCHANGE && call->hwnd == shell.mainWindow;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(Settings, FourStringsHoldTogetherAndTheFifthOverwritesTheFirst)
{
    shell.instance = GetModuleHandleW(nullptr);
    const wchar_t* first = loadResString(IDS_MAIN_SECTION);
    ASSERT_NE(first, nullptr);
    const wchar_t* second = loadResString(IDS_HISCORE_BASE);
    const wchar_t* third = loadResString(IDS_HISCORE_BASE + 4);
    EXPECT_STREQ(first, L"MainSection");
    EXPECT_STREQ(second, L"HiScore1");
    EXPECT_STREQ(third, L"HiScore5");
    EXPECT_EQ(loadResString(9999), nullptr) << "a missing string still moves the ring";
    EXPECT_STREQ(first, L"MainSection");
    EXPECT_EQ(loadResString(IDS_QUIT_QUESTION), first);
    EXPECT_STREQ(first, L"Do you want to quit this game ?");
}

// The pieces' masks come from the game's TILE resources; a tile that is
// missing, or too short to be a mask (698, this program's own), is none,
// and the mask is left as it was.
TEST_F(Settings, TilesAreReadFromTheResourcesAndOneMissingOrShortIsNoneWithTheMaskUntouched)
{
    shell.instance = GetModuleHandleW(nullptr);
    installEngineHost();
    uint8_t mask[TILE_BYTES];
    ASSERT_EQ(loadTileResource(TILE_RESOURCE_BASE + TILE_COUNT, mask), 1);
    EXPECT_EQ(std::vector<uint8_t>(mask, mask + TILE_BYTES),
              std::vector<uint8_t>(tileTable[TILE_COUNT - 1], tileTable[TILE_COUNT]));
    for (const uint16_t id : {TILE_RESOURCE_BASE, TILE_RESOURCE_BASE + TILE_COUNT + 1, 698}) {
        std::memset(mask, 0xA5, sizeof mask);
        EXPECT_EQ(loadTileResource(id, mask), 0) << "resource " << id;
        EXPECT_EQ(std::count(mask, mask + TILE_BYTES, 0xA5), TILE_BYTES) << "resource " << id << ": the mask changed";
    }
}

TEST_F(Settings, ScoresOfOtherTypesReadAsNumbersOnlyWhenTheyFitFourBytes)
{
    const BYTE two[] = {0x34, 0x12};
    const BYTE four[] = {0x10, 0x27, 0, 0};
    const BYTE eight[] = {1, 2, 3, 4, 5, 6, 7, 8};
    const DWORD negative = 0xFFFFFFF6;
    setRawValue(SECTION_PATH, L"HiScore1", REG_BINARY, two, sizeof two);
    setRawValue(SECTION_PATH, L"HiScore2", REG_SZ, four, sizeof four);
    setRawValue(SECTION_PATH, L"HiScore3", REG_BINARY, eight, sizeof eight);
    setRawValue(SECTION_PATH, L"HiScore4", REG_DWORD, &negative, sizeof negative);
    createMainWindow();
    EXPECT_EQ(game.highScores[0], 0x1234);
    EXPECT_EQ(game.highScores[1], 10000);
    EXPECT_EQ(game.highScores[2], 0) << "too long: the default";
    EXPECT_EQ(game.highScores[3], -10);
    EXPECT_EQ(game.highScores[4], 0) << "missing: the default";
}

// Gives the key-click setting's key the access rules of sddl.
void setKeyClickRules(const wchar_t* sddl)
{
    PSECURITY_DESCRIPTOR rules = nullptr;
    HKEY key;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &rules, nullptr));
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, KEY_CLICK_PATH, 0, WRITE_DAC, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, rules), ERROR_SUCCESS);
    RegCloseKey(key);
    LocalFree(rules);
}

// The handset's key clicks before the game starts: a sound, or no "Script"
// value at all.
class KeyClicks : public Settings, public testing::WithParamInterface<const wchar_t*> {};
INSTANTIATE_TEST_SUITE_P(Settings, KeyClicks, testing::Values(L"click.wav", nullptr));

TEST_P(KeyClicks, AreRecordedAndSilencedTogetherOrNotAtAllAndGivenBackOnEachDeactivation)
{
    const std::wstring handset = GetParam() ? GetParam() : L"<none>";
    const std::wstring record = GetParam() ? L"text:" + handset : L"none";
    if (GetParam())
        writeScript(GetParam());
    settingChanges = 0;
    const std::unique_ptr<HHOOK__, BOOL(WINAPI*)(HHOOK)> counter(
        SetWindowsHookExW(WH_CALLWNDPROC, countSettingChanges, nullptr, GetCurrentThreadId()), UnhookWindowsHookEx);
    createMainWindow();  // shown and activated while it is created
    EXPECT_EQ(script(), L"");
    EXPECT_EQ(keyClickRecord(), record);
    saveKeyClick();  // the start-up's own save comes too late and changes nothing
    const int afterStart = settingChanges;
    EXPECT_GE(afterStart, 1);

    SendMessageW(window(), WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(script(), handset) << "given back, and no value left behind when there was none";
    EXPECT_EQ(keyClickRecord(), L"<no record>");
    EXPECT_EQ(settingChanges, afterStart + 1);
    SendMessageW(window(), WM_ACTIVATE, WA_CLICKACTIVE, 0);
    EXPECT_EQ(script(), L"");
    EXPECT_EQ(keyClickRecord(), record);
    EXPECT_EQ(settingChanges, afterStart + 2);
    DWORD size = 0;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, KEY_CLICK_PATH, KEY_CLICK_VALUE, RRF_RT_REG_SZ, nullptr, nullptr, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(size, 2u) << "the empty text, terminator only";
    // Made read-only while silenced, the setting cannot be given back: the
    // record stays, and the next start gives it back from there.
    setKeyClickRules(L"D:(D;;0x0006;;;WD)(A;;GA;;;WD)");  // no values set, no keys made
    restoreKeyClick();
    EXPECT_EQ(script(), L"");
    EXPECT_EQ(keyClickRecord(), record);
    setKeyClickRules(L"D:(A;;GA;;;WD)");
    forgetKeyClick();
    saveKeyClick();
    EXPECT_EQ(script(), handset);
    EXPECT_EQ(keyClickRecord(), L"<no record>");

    // A game key that takes no record: without one, no silence. Read-only,
    // it refuses the record and the clearing of the other kind alike; a link
    // key holds only the value naming its target, so it refuses the record
    // while there is nothing of ours to clear.
    const HKEY writable = shell.appKey;
    HKEY readOnly, link;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, GAME_KEY_PATH, 0, KEY_READ, &readOnly), ERROR_SUCCESS);
    const DWORD linkOptions = REG_OPTION_VOLATILE | REG_OPTION_CREATE_LINK;
    const LONG made =
        RegCreateKeyExW(writable, L"Link", 0, nullptr, linkOptions, KEY_ALL_ACCESS, nullptr, &link, nullptr);
    ASSERT_EQ(made, ERROR_SUCCESS);
    for (const HKEY unwritable : {readOnly, link}) {
        shell.appKey = unwritable;
        SendMessageW(window(), WM_ACTIVATE, WA_CLICKACTIVE, 0);
        EXPECT_EQ(script(), handset) << (unwritable == link ? "a link" : "read-only");
        SendMessageW(window(), WM_ACTIVATE, WA_INACTIVE, 0);
        EXPECT_EQ(script(), handset);
    }
    EXPECT_EQ(keyClickRecord(), L"<no record>");
    RegDeleteKeyW(link, L"");
    RegCloseKey(link);
    RegCloseKey(readOnly);
    shell.appKey = writable;
}

// A record left behind and what the next start makes of it. One over the
// game's own empty text is given back (the killed game's test in
// lifecycle_test.cpp); these are the ones it must not take as they stand.
struct Leftover {
    const wchar_t* script;      // null: no "Script" value
    const wchar_t* recordText;  // null: none
    bool recordNone;
    const wchar_t* recordWhileRunning;
    const wchar_t* scriptAfter;  // once the game has lost the focus
};
void PrintTo(const Leftover& l, std::ostream* out)
{
    *out << testing::PrintToString(std::wstring(l.script ? l.script : L"<none>")) << " with a record";
}
class LeftoverRecord : public Settings, public testing::WithParamInterface<Leftover> {};
INSTANTIATE_TEST_SUITE_P(Settings, LeftoverRecord,
                         // set anew after the record was left: the handset's own, not the record's
                         testing::Values(Leftover{L"new.wav", L"old.wav", false, L"text:new.wav", L"new.wav"},
                                         Leftover{nullptr, L"old.wav", false, L"none", L"<none>"},
                                         // a record that says both cannot be trusted: nothing is touched
                                         Leftover{L"", L"old.wav", true, L"text:old.wav none", L""}));

TEST_P(LeftoverRecord, IsTheHandsetsSettingOnlyOverTheGamesOwnSilence)
{
    const Leftover& l = GetParam();
    if (l.script)
        writeScript(l.script);
    if (l.recordText)
        setRawValue(GAME_KEY_PATH, KEY_CLICK_RECORD_TEXT, REG_SZ, l.recordText, DWORD(wcslen(l.recordText) + 1) * 2);
    const DWORD one = 1;
    if (l.recordNone)
        setRawValue(GAME_KEY_PATH, KEY_CLICK_RECORD_NONE, REG_DWORD, &one, sizeof one);
    createMainWindow();
    EXPECT_EQ(script(), L"");
    EXPECT_EQ(keyClickRecord(), l.recordWhileRunning);
    SendMessageW(window(), WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(script(), l.scriptAfter);
}

TEST_F(Settings, ScriptTextIsNeverReadPastItsRoom)
{
    // 300 characters without a terminator: more than the game can hold, so
    // it leaves the setting alone rather than lose it.
    const std::wstring longText(300, L'x');
    setRawValue(KEY_CLICK_PATH, KEY_CLICK_VALUE, REG_SZ, longText.data(), DWORD(longText.size() * 2));
    wchar_t dest[KEY_CLICK_ROOM];
    wmemset(dest, L'#', KEY_CLICK_ROOM);
    EXPECT_EQ(readStringValue(KEY_CLICK_PATH, KEY_CLICK_VALUE, dest, KEY_CLICK_ROOM), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_MORE_DATA));
    EXPECT_EQ(dest[0], L'#') << "untouched on failure";
    createMainWindow();
    EXPECT_EQ(script(), longText) << "not silenced, so not lost";
    SendMessageW(window(), WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(script(), longText);

    // Exactly the room without a terminator: read whole, terminated by us.
    const std::wstring full(KEY_CLICK_ROOM - 1, L'y');
    setRawValue(KEY_CLICK_PATH, KEY_CLICK_VALUE, REG_SZ, full.data(), DWORD(full.size() * 2));
    ASSERT_EQ(readStringValue(KEY_CLICK_PATH, KEY_CLICK_VALUE, dest, KEY_CLICK_ROOM), 1);
    EXPECT_EQ(std::wstring(dest), full);
    wchar_t small[8];
    ASSERT_EQ(readStringValue(KEY_CLICK_PATH, KEY_CLICK_VALUE, small, 8), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_MORE_DATA));
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
    EXPECT_EQ(script(), L"click.wav") << "key clicks untouched";
    EXPECT_EQ(storedScores(), L"<no key>") << "no score written";
}

}  // namespace
