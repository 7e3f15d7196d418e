// Looking up the Application Manager in the registry and forming its command line.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>
#include <string>

#include "launcher.h"

namespace {

// A registry key of this test's own, removed afterwards.
class AppManagerKeyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char name[96];
        snprintf(name, sizeof name, "Software\\KubrelSE tests\\appmgr-%lu", GetCurrentProcessId());
        subKey = name;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, subKey.c_str(), 0, NULL, 0, KEY_ALL_ACCESS,
                                                 NULL, &key, NULL));
    }
    void TearDown() override
    {
        RegCloseKey(key);
        RegDeleteKeyA(HKEY_CURRENT_USER, subKey.c_str());
    }
    void setDefault(const void *data, DWORD size, DWORD type = REG_SZ)
    {
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, NULL, 0, type, static_cast<const BYTE *>(data), size));
    }
    std::string lookUp(int *found)
    {
        REGSAM access = KEY_READ;
        char out[PATH_ROOM];
        memset(out, 'x', sizeof out);
        *found = findAppManagerUnder(HKEY_CURRENT_USER, subKey.c_str(), &access, 1, out, sizeof out);
        return out;
    }

    std::string subKey;
    HKEY key = NULL;
};

TEST_F(AppManagerKeyTest, ValueStoredWithoutTerminatorIsReadWhole)
{
    const char path[] = "C:\\Program Files\\Sync\\CEAPPMGR.EXE";
    setDefault(path, static_cast<DWORD>(strlen(path)));
    int found = 0;
    EXPECT_EQ(path, lookUp(&found));
    EXPECT_EQ(1, found);
}

TEST_F(AppManagerKeyTest, KeyWithoutDefaultValueIsFoundWithAnEmptyPath)
{
    int found = 0;
    EXPECT_EQ("", lookUp(&found));
    EXPECT_EQ(1, found);
}

TEST_F(AppManagerKeyTest, ValueLongerThanItsRoomIsNeverUsedCut)
{
    std::string longPath = "C:\\" + std::string(300, 'p') + "\\CEAPPMGR.EXE";
    setDefault(longPath.c_str(), static_cast<DWORD>(longPath.size() + 1));
    char small[128];
    memset(small, 'x', sizeof small);
    EXPECT_EQ(0, readDefaultValue(key, small, sizeof small));
    EXPECT_STREQ("", small);

    // With room for it, the same value comes through whole.
    int found = 0;
    EXPECT_EQ(longPath, lookUp(&found));
}

TEST_F(AppManagerKeyTest, MissingKeyGivesNotFoundAndAnEmptyPath)
{
    RegCloseKey(key);
    key = NULL;
    RegDeleteKeyA(HKEY_CURRENT_USER, subKey.c_str());
    int found = 1;
    EXPECT_EQ("", lookUp(&found));
    EXPECT_EQ(0, found);
}

TEST(AppManagerAccess, AsksForReadRightsOnly)
{
    const REGSAM writeRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | WRITE_DAC | WRITE_OWNER | DELETE;
    for (int wow64 = 0; wow64 <= 1; ++wow64) {
        SCOPED_TRACE(wow64 ? "32-bit process on 64-bit Windows" : "native process");
        REGSAM list[2] = {0, 0};
        int count = appManagerAccessList(wow64, list);
        ASSERT_EQ(wow64 ? 2 : 1, count);
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(0u, list[i] & writeRights) << "mask " << std::hex << list[i];
            EXPECT_EQ(static_cast<REGSAM>(KEY_READ), list[i] & KEY_READ);
        }
        if (wow64) {
            EXPECT_EQ(0u, list[0] & (KEY_WOW64_64KEY | KEY_WOW64_32KEY));  // the process's own view first
            EXPECT_EQ(static_cast<REGSAM>(KEY_WOW64_64KEY), list[1] & KEY_WOW64_64KEY);
        }
    }
}

TEST(AppManagerAccess, RegistrationOnlyInTheOtherViewIsFoundByTheNextMask)
{
    // A key made only in the 64-bit view of HKLM\Software is not seen through
    // the 32-bit view; the lookup must go on to the next access mask.
    char subKey[96];
    snprintf(subKey, sizeof subKey, "Software\\KubrelSE tests appmgr %lu", GetCurrentProcessId());
    HKEY made;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, subKey, 0, NULL, 0,
                                             KEY_ALL_ACCESS | KEY_WOW64_64KEY, NULL, &made, NULL));
    const char path[] = "C:\\Sync\\CEAPPMGR.EXE";
    RegSetValueExA(made, NULL, 0, REG_SZ, reinterpret_cast<const BYTE *>(path), sizeof path);
    RegCloseKey(made);

    char out[PATH_ROOM];
    REGSAM onlyOther = KEY_READ | KEY_WOW64_32KEY;
    int aloneFound = findAppManagerUnder(HKEY_LOCAL_MACHINE, subKey, &onlyOther, 1, out, sizeof out);
    REGSAM both[2] = {KEY_READ | KEY_WOW64_32KEY, KEY_READ | KEY_WOW64_64KEY};
    int bothFound = findAppManagerUnder(HKEY_LOCAL_MACHINE, subKey, both, 2, out, sizeof out);
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, subKey, KEY_WOW64_64KEY, 0);

    EXPECT_EQ(0, aloneFound);
    EXPECT_EQ(1, bothFound);
    EXPECT_STREQ(path, out);
}

TEST(AppManagerCommandLine, IsPathUnquotedBlankAndQuotedFile)
{
    char out[PATH_ROOM];
    ASSERT_EQ(1, buildCommandLine(out, sizeof out, "C:\\Program Files\\Sync\\CEAPPMGR.EXE", "C:\\Setup\\arm.ini"));
    EXPECT_STREQ("C:\\Program Files\\Sync\\CEAPPMGR.EXE \"C:\\Setup\\arm.ini\"", out);
    ASSERT_EQ(1, buildCommandLine(out, sizeof out, "", "C:\\Setup\\arm.ini"));
    EXPECT_STREQ(" \"C:\\Setup\\arm.ini\"", out);
}

TEST(AppManagerCommandLine, ThatCannotBeFormedWholeIsNotFormedAtAll)
{
    char out[24];
    memset(out, '#', sizeof out);
    // 10 + 1 + 1 + 10 + 1 = 23 characters and the terminator: exactly the room.
    ASSERT_EQ(1, buildCommandLine(out, sizeof out, "C:\\app.exe", "C:\\arm.ini"));
    EXPECT_STREQ("C:\\app.exe \"C:\\arm.ini\"", out);
    memset(out, '#', sizeof out);
    EXPECT_EQ(0, buildCommandLine(out, sizeof out - 1, "C:\\app.exe", "C:\\arm.ini"));
    EXPECT_STREQ("", out);
    EXPECT_EQ('#', out[sizeof out - 1]);
    std::string huge(PATH_ROOM, 'h');
    char big[PATH_ROOM];
    EXPECT_EQ(0, buildCommandLine(big, sizeof big, "C:\\app.exe", huge.c_str()));
}

} // namespace
