// Looking up the Application Manager in the registry and forming its command line.
#include <gtest/gtest.h>

#include <string.h>
#include <string>

#include "launcher.h"

namespace {

TEST(AppManagerLookup, AsksForReadRightsOnlyAndTheOtherViewOnWow64)
{
    const REGSAM writeRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | WRITE_DAC | WRITE_OWNER | DELETE;
    REGSAM list[2] = {0, 0};
    ASSERT_EQ(1, appManagerAccessList(0, list));
    EXPECT_EQ(static_cast<REGSAM>(KEY_READ), list[0]);
    ASSERT_EQ(2, appManagerAccessList(1, list));
    EXPECT_EQ(static_cast<REGSAM>(KEY_READ), list[0]);  // the process's own view first
    EXPECT_EQ(static_cast<REGSAM>(KEY_READ | KEY_WOW64_64KEY), list[1]);
    EXPECT_EQ(0u, (list[0] | list[1]) & writeRights);
}

TEST(AppManagerLookup, FindsAKeyOnlyInTheOtherViewThroughTheNextMask)
{
    std::string subKey = "Software\\KubrelSE tests appmgr " + std::to_string(GetCurrentProcessId());
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, NULL, 0,
                                             KEY_ALL_ACCESS | KEY_WOW64_64KEY, NULL, &key, NULL));
    // Stored without its terminator, as a careless installer may leave it.
    const char path[] = "C:\\Sync\\CEAPPMGR.EXE";
    RegSetValueExA(key, NULL, 0, REG_SZ, reinterpret_cast<const BYTE *>(path), sizeof path - 1);
    char out[PATH_ROOM];
    REGSAM other = KEY_READ | KEY_WOW64_32KEY, both[2] = {other, KEY_READ | KEY_WOW64_64KEY};
    int onlyOther = findAppManagerUnder(HKEY_LOCAL_MACHINE, subKey.c_str(), &other, 1, out, sizeof out);
    EXPECT_STREQ("", out);
    int withNext = findAppManagerUnder(HKEY_LOCAL_MACHINE, subKey.c_str(), both, 2, out, sizeof out);
    EXPECT_STREQ(path, out);

    // A value longer than its room is not used cut; no value at all reads as empty.
    std::string longPath = "C:\\" + std::string(300, 'p');
    RegSetValueExA(key, NULL, 0, REG_SZ, reinterpret_cast<const BYTE *>(longPath.c_str()),
                   static_cast<DWORD>(longPath.size() + 1));
    char small[128];
    memset(small, 'x', sizeof small);
    int longRead = readDefaultValue(key, small, sizeof small);
    EXPECT_STREQ("", small);
    RegDeleteValueA(key, NULL);
    int noneRead = readDefaultValue(key, out, sizeof out);
    EXPECT_STREQ("", out);
    RegCloseKey(key);
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), KEY_WOW64_64KEY, 0);

    EXPECT_EQ(0, onlyOther);
    EXPECT_EQ(1, withNext);
    EXPECT_EQ(0, longRead);
    EXPECT_EQ(0, noneRead);
}

TEST(AppManagerCommandLine, IsFormedWholeOrNotAtAll)
{
    char out[PATH_ROOM];
    ASSERT_EQ(1, buildCommandLine(out, sizeof out, "C:\\Program Files\\Sync\\CEAPPMGR.EXE", "C:\\Setup\\arm.ini"));
    EXPECT_STREQ("C:\\Program Files\\Sync\\CEAPPMGR.EXE \"C:\\Setup\\arm.ini\"", out);
    ASSERT_EQ(1, buildCommandLine(out, sizeof out, "", "C:\\arm.ini"));
    EXPECT_STREQ(" \"C:\\arm.ini\"", out);

    // 10 + 1 + 1 + 10 + 1 characters and the terminator fill 24 bytes exactly.
    ASSERT_EQ(1, buildCommandLine(out, 24, "C:\\app.exe", "C:\\arm.ini"));
    memset(out, '#', 30);
    EXPECT_EQ(0, buildCommandLine(out, 23, "C:\\app.exe", "C:\\arm.ini"));
    EXPECT_STREQ("", out);
    EXPECT_EQ('#', out[22]);
    std::string huge(PATH_ROOM, 'h');
    EXPECT_EQ(0, buildCommandLine(out, sizeof out, "C:\\app.exe", huge.c_str()));
}

} // namespace
