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

    // Writes SETUP.INF into the scratch folder and reads it back.
    void readInf(const std::string &text)
    {
        ASSERT_TRUE(writeTextFile(folder / "SETUP.INF", text));
        ASSERT_EQ(1, readSetupConfigIn(folder.path().c_str()));
    }

    ScratchFolder folder{"config"};
};

void expectText(const char *got, const std::string &expected, const char *field)
{
    SCOPED_TRACE(field);
    EXPECT_EQ(expected, std::string(got)) << "length got " << strlen(got) << ", expected " << expected.size();
}

TEST_F(SetupConfigTest, EmptyFileGivesDefaultsAndNoInstallationFiles)
{
    readInf("");
    expectText(setupConfig.appDir, folder.path(), "appDir");
    expectText(setupConfig.productName, "Nolvo", "productName");
    expectText(setupConfig.title, "", "title");
    expectText(setupConfig.caption, "  Setup Program", "caption");
    // An absent value must not name the launcher's own folder.
    expectText(setupConfig.armIni, "", "armIni");
    expectText(setupConfig.mipsIni, "", "mipsIni");
    expectText(setupConfig.sh3Ini, "", "sh3Ini");
    EXPECT_EQ(nullptr, pickInstallFile());
}

TEST_F(SetupConfigTest, SectionAndKeyNamesMatchWithoutRegardToCase)
{
    readInf("[main]\r\nproductname=Zed\r\narm=a.ini\r\nMips=m.ini\r\nsh3=s.ini\r\n[STARTUP]\r\ntitle=Foo\r\n");
    expectText(setupConfig.productName, "Zed", "productName");
    expectText(setupConfig.title, "Foo", "title");
    expectText(setupConfig.caption, "Foo  Setup Program", "caption");
    expectText(setupConfig.armIni, folder / "a.ini", "armIni");
    expectText(setupConfig.mipsIni, folder / "m.ini", "mipsIni");
    expectText(setupConfig.sh3Ini, folder / "s.ini", "sh3Ini");
}

TEST_F(SetupConfigTest, LongValuesAreCutToTheirRoom)
{
    std::string product(80, 'P');
    std::string arm(100, 'a');
    std::string title(300, 't');
    readInf("[Main]\r\nProductName=" + product + "\r\nARM=" + arm + "\r\nSH3=" + arm +
            "\r\n[Startup]\r\nTitle=" + title + "\r\n");
    expectText(setupConfig.productName, product.substr(0, 71), "productName");
    expectText(setupConfig.armIni, folder / arm.substr(0, 79), "armIni");
    expectText(setupConfig.sh3Ini, folder / arm.substr(0, 79), "sh3Ini");
    expectText(setupConfig.title, title.substr(0, 255), "title");
    // The caption keeps as much of the title as fits, then nothing half-added.
    EXPECT_EQ(255u, strlen(setupConfig.caption));
    EXPECT_EQ(0, strncmp(setupConfig.caption, setupConfig.title, 255));
}

TEST_F(SetupConfigTest, CaptionOfALongTitleEndsCleanly)
{
    std::string title(240, 'x');
    readInf("[Startup]\r\nTitle=" + title + "\r\n");
    // 240 + a blank + " Setup Program" is 255: it just fits.
    expectText(setupConfig.caption, title + "  Setup Program", "caption");

    readInf("[Startup]\r\nTitle=" + title + "y\r\n");
    // One more character: the caption is cut at its room, never beyond it.
    expectText(setupConfig.caption, title + "y  Setup Progra", "caption");
}

TEST_F(SetupConfigTest, MissingFileFailsAfterTakingTheFolder)
{
    EXPECT_EQ(0, readSetupConfigIn(folder.path().c_str()));
    expectText(setupConfig.appDir, folder.path(), "appDir");
    expectText(setupConfig.productName, "", "productName");
}

TEST_F(SetupConfigTest, LauncherInADriveRootReadsTheRootFile)
{
    char folderOut[PATH_ROOM];
    ASSERT_EQ(1, folderOfPath("C:\\SETUP.EXE", folderOut, sizeof folderOut));
    expectText(folderOut, "C:", "folder");

    ASSERT_TRUE(writeTextFile("C:\\SETUP.INF", "[Main]\r\nARM=arm.ini\r\n"));
    int read = readSetupConfigIn(folderOut);
    DeleteFileA("C:\\SETUP.INF");
    ASSERT_EQ(1, read);
    expectText(setupConfig.armIni, "C:\\arm.ini", "armIni");
}

TEST_F(SetupConfigTest, FolderOfAModulePathIsNeverCut)
{
    char out[PATH_ROOM];
    ASSERT_EQ(1, folderOfPath("C:\\Setup\\SETUP.EXE", out, sizeof out));
    expectText(out, "C:\\Setup", "plain");
    // The first character is never taken as the separator.
    ASSERT_EQ(1, folderOfPath("\\SETUP.EXE", out, sizeof out));
    expectText(out, "\\SETUP.EXE", "leading backslash");

    std::string deep = "C:\\" + std::string(120, 'd') + "\\" + std::string(200, 'e');
    ASSERT_EQ(1, folderOfPath((deep + "\\SETUP.EXE").c_str(), out, sizeof out));
    expectText(out, deep, "deep");

    // A path that does not fit yields no folder rather than a wrong one.
    char small[16];
    EXPECT_EQ(0, folderOfPath("C:\\Folder\\SETUP.EXE", small, sizeof small));
    expectText(small, "", "small room");
}

TEST_F(SetupConfigTest, FolderLongerThanEightyBytesIsReadWhole)
{
    ScratchFolder deep{std::string(120, 'L')};
    ASSERT_GT(deep.path().size(), 120u);
    ASSERT_TRUE(writeTextFile(deep / "SETUP.INF", "[Main]\r\nARM=arm.ini\r\nProductName=Deep\r\n"));
    ASSERT_EQ(1, readSetupConfigIn(deep.path().c_str()));
    expectText(setupConfig.appDir, deep.path(), "appDir");
    expectText(setupConfig.productName, "Deep", "productName");
    expectText(setupConfig.armIni, deep / "arm.ini", "armIni");
}

TEST_F(SetupConfigTest, InstallFileIsTheFirstExistingOfArmMipsSh3)
{
    readInf("[Main]\r\nARM=a.ini\r\nMIPS=m.ini\r\nSH3=s.ini\r\n");
    struct Case {
        bool arm, mips, sh3;
        const char *expected;
    } cases[] = {
        {true, true, true, "a.ini"}, {false, true, true, "m.ini"}, {false, false, true, "s.ini"},
        {true, false, true, "a.ini"}, {false, false, false, nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "arm " << c.arm << " mips " << c.mips << " sh3 " << c.sh3);
        DeleteFileA((folder / "a.ini").c_str());
        DeleteFileA((folder / "m.ini").c_str());
        DeleteFileA((folder / "s.ini").c_str());
        if (c.arm) {
            ASSERT_TRUE(writeTextFile(folder / "a.ini", "x"));
        }
        if (c.mips) {
            ASSERT_TRUE(writeTextFile(folder / "m.ini", "x"));
        }
        if (c.sh3) {
            ASSERT_TRUE(writeTextFile(folder / "s.ini", "x"));
        }
        const char *got = pickInstallFile();
        if (c.expected == nullptr) {
            EXPECT_EQ(nullptr, got);
        } else {
            ASSERT_NE(nullptr, got);
            EXPECT_EQ(folder / c.expected, std::string(got));
        }
    }
}

TEST_F(SetupConfigTest, StringRingKeepsFourTextsValid)
{
    const char *a = loadResString(23);
    const char *b = loadResString(43);
    const char *c = loadResString(32);
    const char *d = loadResString(45);
    ASSERT_TRUE(a && b && c && d);
    EXPECT_STREQ("Main", a);
    EXPECT_STREQ("Startup", b);
    EXPECT_STREQ("ProductName", c);
    EXPECT_STREQ("Title", d);
    // The fifth call takes the first buffer again.
    EXPECT_EQ(a, loadResString(58));
    EXPECT_STREQ("MIPS", a);
    EXPECT_EQ(nullptr, loadResString(9999));
}

TEST_F(SetupConfigTest, WelcomeDialogThatCannotBeCreatedCountsAsCancel)
{
    // The template asks for the class "SETUP_BEGIN": with another class
    // registered the dialog cannot be made, and no loop may wait for it.
    EXPECT_EQ(0, runWelcomeDialog("NOT_THE_TEMPLATE_CLASS", welcomeClassProc, IDD_WELCOME));
    EXPECT_EQ(0, runWelcomeDialog("SETUP_BEGIN", welcomeClassProc, 9999));
}

// ---- Bounded texts -------------------------------------------------------------

TEST(LauncherText, AppendStopsAtTheRoomAndSaysSo)
{
    char out[8] = "abc";
    EXPECT_EQ(1, appendText(out, sizeof out, "de"));
    EXPECT_STREQ("abcde", out);
    EXPECT_EQ(0, appendText(out, sizeof out, "fghij"));
    EXPECT_STREQ("abcdefg", out);
    EXPECT_EQ(0, appendText(out, sizeof out, "z"));
    EXPECT_STREQ("abcdefg", out);
}

TEST(LauncherText, PatternTakesTheArgumentAsItStands)
{
    char out[TEXT_ROOM];
    const char *line = "This program will install %s into your Pocket PC.";
    EXPECT_EQ(1, fillPattern(out, sizeof out, line, "100% %s %d Fun"));
    EXPECT_STREQ("This program will install 100% %s %d Fun into your Pocket PC.", out);
    EXPECT_EQ(1, fillPattern(out, sizeof out, line, ""));
    EXPECT_STREQ("This program will install  into your Pocket PC.", out);
    EXPECT_EQ(1, fillPattern(out, sizeof out, "50%% of %s", "it"));
    EXPECT_STREQ("50% of it", out);
}

TEST(LauncherText, PatternWithALongArgumentIsCutToTheRoom)
{
    char out[TEXT_ROOM];
    memset(out, '#', sizeof out);
    std::string title(255, 'T');
    EXPECT_EQ(0, fillPattern(out, sizeof out - 10, "install %s into", title.c_str()));
    EXPECT_EQ(std::string("install ") + std::string(237, 'T'), std::string(out));
    EXPECT_EQ('#', out[sizeof out - 10]);  // nothing written past the room
}

} // namespace
