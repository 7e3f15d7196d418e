// Reading SETUP.INF and building the launcher's texts from it.
#include <gtest/gtest.h>

#include <string.h>
#include <string>

#include "launcher.h"
#include "resources/resource_ids.h"
#include "test_support.h"

namespace {

class SetupConfigTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        memset(&setupConfig, 0, sizeof setupConfig);
        memset(&launcher, 0, sizeof launcher);
        launcher.instance = GetModuleHandleA(NULL);
    }
    void readInf(const std::string &text)
    {
        ASSERT_TRUE(writeTextFile(folder / "SETUP.INF", text));
        ASSERT_EQ(1, readSetupConfigIn(folder.path().c_str()));
    }
    ScratchFolder folder{"config"};
};

TEST_F(SetupConfigTest, EmptyFileGivesDefaultsAndNoInstallationFiles)
{
    readInf("");
    EXPECT_EQ(folder.path(), setupConfig.appDir);
    EXPECT_STREQ("Nolvo", setupConfig.productName);
    EXPECT_STREQ("", setupConfig.title);
    EXPECT_STREQ("  Setup Program", setupConfig.caption);
    // An absent value must not name the launcher's own folder.
    EXPECT_STREQ("", setupConfig.armIni);
    EXPECT_STREQ("", setupConfig.mipsIni);
    EXPECT_STREQ("", setupConfig.sh3Ini);
}

TEST_F(SetupConfigTest, SectionAndKeyNamesMatchWithoutRegardToCase)
{
    readInf("[main]\r\nproductname=Zed\r\narm=a.ini\r\nMips=m.ini\r\nsh3=\r\n[STARTUP]\r\ntitle=Foo\r\n");
    EXPECT_STREQ("Zed", setupConfig.productName);
    EXPECT_STREQ("Foo  Setup Program", setupConfig.caption);
    EXPECT_EQ(folder / "a.ini", setupConfig.armIni);
    EXPECT_EQ(folder / "m.ini", setupConfig.mipsIni);
    EXPECT_STREQ("", setupConfig.sh3Ini);
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

TEST_F(SetupConfigTest, MissingFileFailsAfterTakingTheFolder)
{
    EXPECT_EQ(0, readSetupConfigIn(folder.path().c_str()));
    EXPECT_EQ(folder.path(), setupConfig.appDir);
}

TEST_F(SetupConfigTest, FolderOfTheModulePath)
{
    char out[PATH_ROOM];
    struct {
        const char *path, *folder;
    } cases[] = {{"C:\\Setup\\SETUP.EXE", "C:\\Setup"}, {"C:\\SETUP.EXE", "C:"}, {"\\SETUP.EXE", "\\SETUP.EXE"}};
    for (const auto &c : cases) {
        ASSERT_EQ(1, folderOfPath(c.path, out, sizeof out));
        EXPECT_STREQ(c.folder, out) << c.path;
    }
    std::string deep = "C:\\" + std::string(120, 'd') + "\\" + std::string(200, 'e');
    ASSERT_EQ(1, folderOfPath((deep + "\\SETUP.EXE").c_str(), out, sizeof out));
    EXPECT_EQ(deep, out);
    // A path that does not fit yields no folder rather than a wrong one.
    EXPECT_EQ(0, folderOfPath("C:\\Folder\\SETUP.EXE", out, 16));
    EXPECT_STREQ("", out);
}

TEST_F(SetupConfigTest, LauncherInADriveRootReadsTheRootFile)
{
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

TEST(LauncherText, CutsAtTheRoomAndSaysSo)
{
    char out[8] = "abc";
    EXPECT_EQ(1, appendText(out, sizeof out, "de"));
    EXPECT_EQ(0, appendText(out, sizeof out, "fghij"));
    EXPECT_STREQ("abcdefg", out);

    char line[TEXT_ROOM];
    memset(line, '#', sizeof line);
    std::string title(255, 'T');
    EXPECT_EQ(0, fillPattern(line, sizeof line - 10, "install %s into", title.c_str()));
    EXPECT_EQ("install " + std::string(237, 'T'), line);
    EXPECT_EQ('#', line[sizeof line - 10]);  // nothing written past the room
    EXPECT_EQ(1, fillPattern(line, sizeof line, "50%% of %s", "100%s"));
    EXPECT_STREQ("50% of 100%s", line);
}

} // namespace
