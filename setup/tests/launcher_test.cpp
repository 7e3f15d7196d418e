// Reading SETUP.INF, the launcher's bounded texts and finding the
// Application Manager.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "appmgr_parts.h"
#include "config.h"
#include "config_parts.h"
#include "flow_parts.h"
#include "resources/resource_ids.h"
#include "test_support.h"
#include "text.h"

namespace {

class SetupConfigTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::memset(&setupConfig, 0, sizeof setupConfig);
        launcher.instance = GetModuleHandleA(nullptr);
    }
    void readInf(const std::string& text)
    {
        ASSERT_TRUE(writeTextFile(folder / "SETUP.INF", text));
        ASSERT_EQ(1, readSetupConfigIn(folder.path.c_str()));
    }
    ScratchFolder folder{"config"};
};

TEST_F(SetupConfigTest, MissingFileFailsAndAnEmptyOneGivesDefaults)
{
    EXPECT_EQ(0, readSetupConfigIn(folder.path.c_str()));
    readInf("");
    EXPECT_STREQ("Nolvo", setupConfig.productName);
    EXPECT_STREQ("  Setup Program", setupConfig.caption);
}

TEST_F(SetupConfigTest, SectionAndKeyNamesMatchWithoutRegardToCase)
{
    readInf("[main]\r\nproductname=Zed\r\narm=a.ini\r\nMips=m.ini\r\nsh3=\r\n[STARTUP]\r\ntitle=Foo\r\n");
    EXPECT_STREQ("Zed", setupConfig.productName);
    EXPECT_STREQ("Foo  Setup Program", setupConfig.caption);
    EXPECT_EQ(folder / "a.ini", setupConfig.armIni);
    EXPECT_EQ(folder / "m.ini", setupConfig.mipsIni);
    EXPECT_STREQ("", setupConfig.sh3Ini);  // an empty value would name the launcher's own folder
}

TEST_F(SetupConfigTest, LongValuesAreCutToTheirRoom)
{
    std::string product(80, 'P'), arm(100, 'a'), title(300, 't');
    readInf("[Main]\r\nProductName=" + product + "\r\nARM=" + arm + "\r\n[Startup]\r\nTitle=" + title + "\r\n");
    EXPECT_EQ(product.substr(0, 71), setupConfig.productName);
    EXPECT_EQ(folder / arm.substr(0, 79), setupConfig.armIni);
    EXPECT_EQ(title.substr(0, 255), setupConfig.title);
    EXPECT_EQ(title.substr(0, 255), setupConfig.caption);

    // 240 characters of title, a blank and " Setup Program" just fit; one more is cut at the room.
    readInf("[Startup]\r\nTitle=" + title.substr(0, 240) + "\r\n");
    EXPECT_EQ(title.substr(0, 240) + "  Setup Program", setupConfig.caption);
    readInf("[Startup]\r\nTitle=" + title.substr(0, 241) + "\r\n");
    EXPECT_EQ(title.substr(0, 241) + "  Setup Progra", setupConfig.caption);
}

TEST_F(SetupConfigTest, FolderOfTheModulePathAndALauncherInADriveRoot)
{
    char out[PATH_ROOM];
    struct {
        const char *path, *folder;
    } cases[] = {{"C:\\SETUP.EXE", "C:"}, {"\\SETUP.EXE", "\\SETUP.EXE"}};
    for (const auto& c : cases) {
        ASSERT_EQ(1, folderOfPath(c.path, out, sizeof out));
        EXPECT_STREQ(c.folder, out) << c.path;
    }
    // A path that does not fit yields no folder, and no installation file, rather than a wrong one.
    EXPECT_EQ(0, folderOfPath("C:\\Folder\\SETUP.EXE", out, 16));
    EXPECT_STREQ("", out);
    EXPECT_EQ(0, joinCpuPath(out, 16, "C:\\Folder", "arm.ini"));
    EXPECT_STREQ("", out);

    ASSERT_TRUE(writeTextFile("C:\\SETUP.INF", "[Main]\r\nARM=arm.ini\r\n"));
    int read = readSetupConfigIn("C:");
    DeleteFileA("C:\\SETUP.INF");
    ASSERT_EQ(1, read);
    EXPECT_STREQ("C:\\arm.ini", setupConfig.armIni);
}

TEST_F(SetupConfigTest, WelcomeDialogThatCannotBeCreatedCountsAsCancel)
{
    // The template asks for the class "SETUP_BEGIN": with another class
    // registered the dialog cannot be made, and no loop may wait for it.
    EXPECT_EQ(0, runWelcomeDialog("NOT_THE_TEMPLATE_CLASS", welcomeClassProc, IDD_WELCOME));
    EXPECT_EQ(0, runWelcomeDialog("SETUP_BEGIN", welcomeClassProc, 9999));
}

// The dialog's lettering grows with the screen's DPI; its picture must too.
TEST(WelcomeDialog, ItsPictureGrowsWithTheScreensDpi)
{
    launcher.instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = welcomeClassProc;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = launcher.instance;
    wc.lpszClassName = "SETUP_BEGIN";
    RegisterClassA(&wc);
    for (int16_t dpi : {96, 144, 192}) {
        launcher.screenDpi = dpi;
        HWND dialog = CreateDialogParamA(launcher.instance, MAKEINTRESOURCEA(IDD_WELCOME), nullptr, nullptr, 0);
        SendMessageA(dialog, MSG_FILL_TITLE, 0, 0);
        BITMAP shown = {};
        GetObjectA(reinterpret_cast<HGDIOBJ>(SendDlgItemMessageA(dialog, IDC_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0)),
                   sizeof shown,
                   &shown);
        EXPECT_EQ((std::vector<LONG>{118 * dpi / 96, 234 * dpi / 96}),
                  (std::vector<LONG>{shown.bmWidth, shown.bmHeight}));
        DestroyWindow(dialog);
    }
    launcher.screenDpi = 0;
}

TEST(LauncherText, FillsThePatternCutAtItsRoom)
{
    char line[TEXT_ROOM];
    std::memset(line, '#', sizeof line);
    std::string title(255, 'T');
    EXPECT_EQ(0, fillPattern(line, sizeof line - 10, "install %s into", title.c_str()));
    EXPECT_EQ("install " + std::string(237, 'T'), line);
    EXPECT_EQ('#', line[sizeof line - 10]);  // nothing written past the room
    EXPECT_EQ(1, fillPattern(line, sizeof line, "100%% %s", "sure"));
    EXPECT_STREQ("100% sure", line);
}

TEST(AppManagerLookup, AsksForReadRightsOnlyAndTheOtherViewOnWow64)
{
    REGSAM list[2] = {0, 0};
    ASSERT_EQ(1, appManagerAccessList(0, list));
    EXPECT_EQ(static_cast<REGSAM>(KEY_READ), list[0]);
    ASSERT_EQ(2, appManagerAccessList(1, list));
    EXPECT_EQ(static_cast<REGSAM>(KEY_READ), list[0]);  // the process's own view first
    EXPECT_EQ(static_cast<REGSAM>(KEY_READ | KEY_WOW64_64KEY), list[1]);
}

// A 64-bit Windows keeps a 32-bit view of HKLM\Software beside its own: so
// does a 64-bit program's, and a 32-bit program's under WoW64.
bool windowsHasTwoRegistryViews()
{
    BOOL wow64 = FALSE;
    return sizeof(void*) == 8 || (IsWow64Process(GetCurrentProcess(), &wow64) && wow64);
}

TEST(AppManagerLookup, FindsAKeyInTheViewWhereItIsAndNeverReadsAValueCut)
{
    std::string subKey = "Software\\KubrelSE tests appmgr " + std::to_string(GetCurrentProcessId());
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(HKEY_LOCAL_MACHINE,
                              subKey.c_str(),
                              0,
                              nullptr,
                              0,
                              KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                              nullptr,
                              &key,
                              nullptr));
    // Stored without its terminator, as a careless installer may leave it.
    const char path[] = "C:\\Sync\\CEAPPMGR.EXE";
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path), sizeof path - 1);
    char out[PATH_ROOM];
    REGSAM views[2] = {KEY_READ | KEY_WOW64_32KEY, KEY_READ | KEY_WOW64_64KEY};
    if (windowsHasTwoRegistryViews()) {
        // Written to the 64-bit view only: the 32-bit view's look misses it,
        // the second look finds it.
        EXPECT_EQ(0, findAppManagerUnder(HKEY_LOCAL_MACHINE, subKey.c_str(), views, 1, out, sizeof out));
        EXPECT_STREQ("", out);
        EXPECT_EQ(1, findAppManagerUnder(HKEY_LOCAL_MACHINE, subKey.c_str(), views, 2, out, sizeof out));
        EXPECT_STREQ(path, out);
    } else {
        // 32-bit Windows has one registry and ignores the view flags: the
        // first look finds the key, the only look the launcher makes there.
        EXPECT_EQ(1, findAppManagerUnder(HKEY_LOCAL_MACHINE, subKey.c_str(), views, 1, out, sizeof out));
        EXPECT_STREQ(path, out);
    }

    // A path with variables is taken expanded; a value that is no text is no path.
    const char expandable[] = "%SystemRoot%\\CEAPPMGR.EXE";
    RegSetValueExA(key, nullptr, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(expandable), sizeof expandable);
    char expected[MAX_PATH];
    ExpandEnvironmentStringsA(expandable, expected, sizeof expected);
    EXPECT_EQ(1, readDefaultValue(key, out, 128));
    EXPECT_STREQ(expected, out);
    EXPECT_EQ(nullptr, std::strchr(out, '%'));
    // Short as stored, too long once expanded: no path either.
    SetEnvironmentVariableA("KUBRELSE_LONG", std::string(200, 'p').c_str());
    const char longer[] = "C:\\%KUBRELSE_LONG%.EXE";
    RegSetValueExA(key, nullptr, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(longer), sizeof longer);
    EXPECT_EQ(0, readDefaultValue(key, out, 128));
    EXPECT_STREQ("", out);
    RegSetValueExA(key, nullptr, 0, REG_BINARY, reinterpret_cast<const BYTE*>(path), sizeof path);
    EXPECT_EQ(0, readDefaultValue(key, out, 128));
    EXPECT_STREQ("", out);

    std::string longPath = "C:\\" + std::string(300, 'p');
    RegSetValueExA(key,
                   nullptr,
                   0,
                   REG_SZ,
                   reinterpret_cast<const BYTE*>(longPath.c_str()),
                   static_cast<DWORD>(longPath.size() + 1));
    std::memset(out, 'x', 128);
    EXPECT_EQ(0, readDefaultValue(key, out, 128));
    EXPECT_STREQ("", out);
    RegCloseKey(key);
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), KEY_WOW64_64KEY, 0);
}

TEST(AppManagerCommandLine, NamesTheProgramWithoutTheQuotesOfAQuotedPath)
{
    char out[32];
    ASSERT_EQ(1, programOfPath("\"C:\\Sync Tool\\a.exe\"", out, sizeof out));
    EXPECT_STREQ("C:\\Sync Tool\\a.exe", out);
    ASSERT_EQ(1, programOfPath("C:\\Sync Tool\\a.exe", out, sizeof out));
    EXPECT_STREQ("C:\\Sync Tool\\a.exe", out);
    EXPECT_EQ(0, programOfPath("\"\"", out, sizeof out));
    EXPECT_EQ(0, programOfPath("C:\\abc.exe", out, 10));  // 10 characters need 11 bytes
    EXPECT_STREQ("", out);
}

TEST(AppManagerCommandLine, IsFormedWholeOrNotAtAll)
{
    char out[32];
    // 10 + 1 + 1 + 10 + 1 characters and the terminator fill 24 bytes exactly.
    ASSERT_EQ(1, buildCommandLine(out, 24, "C:\\app.exe", "C:\\arm.ini"));
    EXPECT_STREQ("C:\\app.exe \"C:\\arm.ini\"", out);
    std::memset(out, '#', sizeof out);
    EXPECT_EQ(0, buildCommandLine(out, 23, "C:\\app.exe", "C:\\arm.ini"));
    EXPECT_STREQ("", out);
    EXPECT_EQ('#', out[22]);
}

}  // namespace
