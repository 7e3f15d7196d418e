// setup.exe from end to end: it runs as its own process in a scratch folder,
// with a recorder registered as the Application Manager and as the viewer of
// .txt files; the test drives the dialog and the message boxes as a user would.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "appmgr.h"
#include "handed_out.h"
#include "program_under_test.h"
#include "resources/resource_ids.h"
#include "test_support.h"

namespace {

using wintest::eventually;
using wintest::rectOf;
using wintest::textOf;

const char TEXT_CLASS[] = "KubrelSE.TestText";
const int MESSAGE_TEXT_ID = 0xFFFF;  // the text of a message box

class LauncherFlowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A launcher folder far longer than 80 bytes, with blanks, as is the Application Manager's.
        launcherDir = scratch / ("Setup Disk " + std::string(100, 'd'));
        managerDir = scratch / "Sync Tools";
        viewerDir = scratch / "viewer";
        const std::string built = wintest::testFolder();
        for (const std::string& dir : {launcherDir, managerDir, viewerDir}) {
            ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
        }
        ASSERT_TRUE(CopyFileA((built + "\\..\\setup.exe").c_str(), (launcherDir + "\\SETUP.EXE").c_str(), FALSE));
        std::string recorder = built + "\\setup_recorder.exe";
        ASSERT_TRUE(CopyFileA(recorder.c_str(), (managerDir + "\\CEAPPMGR.EXE").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(recorder.c_str(), (viewerDir + "\\viewer.exe").c_str(), FALSE));
        writeFile("README.TXT", "Read me.\r\n");

        // The .txt open verb goes to the viewer recorder; the prefix's own class comes back afterwards.
        LONG size = sizeof savedTextClass;
        hadTextClass = RegQueryValueA(HKEY_CLASSES_ROOT, ".txt", savedTextClass, &size) == ERROR_SUCCESS;
        std::string verb = std::string(TEXT_CLASS) + "\\shell\\open\\command";
        std::string command = "\"" + viewerDir + "\\viewer.exe\" \"%1\"";
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueA(HKEY_CLASSES_ROOT, ".txt", REG_SZ, TEXT_CLASS, 0));
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueA(HKEY_CLASSES_ROOT, verb.c_str(), REG_SZ, command.c_str(), 0));
        registerAppManager(NOT_REGISTERED);
    }

    void TearDown() override
    {
        setup.kill();  // only when a test failed half-way
        setup.finish();
        registerAppManager(NOT_REGISTERED);
        RegDeleteTreeA(HKEY_CLASSES_ROOT, TEXT_CLASS);
        if (hadTextClass) {
            RegSetValueA(HKEY_CLASSES_ROOT, ".txt", REG_SZ, savedTextClass, 0);
        } else {
            RegDeleteKeyA(HKEY_CLASSES_ROOT, ".txt");
        }
    }

    enum Registration {
        NOT_REGISTERED,
        REGISTERED_WITHOUT_PATH,
        REGISTERED_EMPTY,
        REGISTERED_AS_NUMBER,
        REGISTERED_WITH_PATH
    };
    // The Application Manager's key: absent, without a default value, with an
    // empty one or one that is not text, or naming the recorder.
    void registerAppManager(Registration how)
    {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, APP_MANAGER_KEY);
        HKEY key;
        if (how == NOT_REGISTERED) {
            return;
        }
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_LOCAL_MACHINE, APP_MANAGER_KEY, &key));
        const std::string path = how == REGISTERED_WITH_PATH ? managerDir + "\\CEAPPMGR.EXE" : "";
        const DWORD number = 42;
        LONG stored = ERROR_SUCCESS;
        if (how == REGISTERED_AS_NUMBER) {
            stored = RegSetValueExA(key, nullptr, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
        } else if (how != REGISTERED_WITHOUT_PATH) {
            stored = RegSetValueExA(key,
                                    nullptr,
                                    0,
                                    REG_SZ,
                                    reinterpret_cast<const BYTE*>(path.c_str()),
                                    static_cast<DWORD>(path.size() + 1));
        }
        RegCloseKey(key);
        ASSERT_EQ(ERROR_SUCCESS, stored);
    }
    void writeFile(const std::string& name, const std::string& text = "x")
    {
        ASSERT_TRUE(writeTextFile(launcherDir + "\\" + name, text));
    }

    void start(const std::string& currentFolder = "")
    {
        ASSERT_TRUE(setup.start(launcherDir + "\\SETUP.EXE", currentFolder));
    }
    HWND waitFor(const wchar_t* className)
    {
        HWND found = setup.waitForWindow(className);
        EXPECT_NE(nullptr, found) << "no such window of setup.exe";
        return found;
    }
    static void press(HWND window, int command) { PostMessageA(window, WM_COMMAND, command, 0); }

    // Waits for setup.exe's message box, checks it and presses one of its buttons.
    HWND answer(const std::string& caption, const std::string& text, HWND owner, int button)
    {
        HWND box = waitFor(L"#32770");
        EXPECT_EQ(caption, textOf(box));
        EXPECT_EQ(text, textOf(box, MESSAGE_TEXT_ID));
        EXPECT_EQ(owner, GetWindow(box, GW_OWNER));
        // Yes and No, or OK alone.
        EXPECT_TRUE(GetDlgItem(box, button) && (GetDlgItem(box, IDNO) != nullptr) == (button != IDOK));
        press(box, button);
        return box;
    }

    // What a recorder wrote ("show state|command line" lines), taken away;
    // waits for a line, or a short while when none is expected. The log is
    // moved aside first: that succeeds only once the recorder has closed it,
    // so no line of this run is read half-written or left for the next.
    static std::string taken(const std::string& dir, bool expected)
    {
        std::string log = dir + "\\record.log", aside = log + ".taken";
        eventually([&] { return !readTextFile(log).empty(); }, expected ? wintest::WAIT_MS : 1500);
        eventually([&] {
            return MoveFileExA(log.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING) ||
                   GetLastError() == ERROR_FILE_NOT_FOUND;
        });
        std::string text = readTextFile(aside);
        DeleteFileA(aside.c_str());
        return text;
    }
    // The Application Manager started once, shown normally, with the installation
    // file (null: not started); the README opened once maximised, or not at all.
    void expectStarts(const char* installFile, bool readme)
    {
        std::string program = managerDir + "\\CEAPPMGR.EXE", started = taken(managerDir, installFile != nullptr);
        std::string file = " \"" + launcherDir + "\\" + (installFile ? installFile : "") + "\"\r\n";
        EXPECT_EQ(installFile ? "1|" + program + file : "", started) << "Application Manager starts";
        std::string viewer = "3|\"" + viewerDir + "\\viewer.exe\" \"" + launcherDir + "\\README.TXT\"\r\n";
        EXPECT_EQ(readme ? viewer : "", taken(viewerDir, readme)) << "README openings";
    }

    ScratchFolder scratch{"flow"};
    std::string launcherDir, managerDir, viewerDir;
    wintest::ProgramUnderTest setup;
    char savedTextClass[256] = "";
    bool hadTextClass = false;
};

TEST_F(LauncherFlowTest, NextHandsOverTheFirstFileThereIsAndOpensTheReadme)
{
    const char* all = "[Main]\r\nARM=arm.ini\r\nMIPS=mips.ini\r\nSH3=sh3.ini\r\n";
    struct {
        const char* inf;
        Registration registration;
        const char* started;  // removed after its run
    } runs[] = {
        {all, REGISTERED_WITH_PATH, "arm.ini"},
        {all, REGISTERED_WITH_PATH, "mips.ini"},
        {all, REGISTERED_WITH_PATH, "sh3.ini"},
        // ARM is empty (it would name the launcher's folder), MIPS names no file, SH3 is absent.
        {"[Main]\r\nARM=\r\nMIPS=missing.ini\r\n", REGISTERED_WITH_PATH, nullptr},
    };
    writeFile("arm.ini");
    writeFile("mips.ini");
    writeFile("sh3.ini");
    for (const auto& run : runs) {
        SCOPED_TRACE(testing::Message() << "run " << &run - runs);
        registerAppManager(run.registration);
        writeFile("SETUP.INF", run.inf);
        start();
        HWND dialog = waitFor(L"SETUP_BEGIN");
        ASSERT_NE(nullptr, dialog);
        press(dialog, IDC_NEXT);
        EXPECT_EQ(0u, setup.finish());
        expectStarts(run.started, true);
        if (run.started != nullptr) {
            DeleteFileA((launcherDir + "\\" + run.started).c_str());
        }
    }
}

TEST_F(LauncherFlowTest, OnTheLaidOutDiskNextHandsOverTheArmInstallationFile)
{
    // The disk as it is handed out, laid out beside this program by the ctest fixture handset.disk.
    const std::string disk = wintest::testFolder() + "\\disk\\";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((disk + "*").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, search) << "no laid-out disk";
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") {
            EXPECT_TRUE(CopyFileA((disk + name).c_str(), (launcherDir + "\\" + name).c_str(), FALSE)) << name;
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    registerAppManager(REGISTERED_WITH_PATH);
    start();
    HWND dialog = waitFor(L"SETUP_BEGIN");
    ASSERT_NE(nullptr, dialog);
    press(dialog, IDC_NEXT);
    EXPECT_EQ(0u, setup.finish());
    expectStarts("KubrelSE.ARM.ini", true);
}

// Every DLL a whole run loads, as Wine's loader traces them (+loaddll).
const std::vector<std::string> LOADED_BY_A_RUN = {
    "advapi32.dll", "combase.dll", "gdi32.dll",   "imm32.dll",  "kernel32.dll", "kernelbase.dll", "msvcrt.dll",
    "ole32.dll",    "rpcrt4.dll",  "sechost.dll", "shcore.dll", "shell32.dll",  "shlwapi.dll",    "ucrtbase.dll",
    "user32.dll",   "uxtheme.dll", "version.dll", "win32u.dll", "winex11.drv",  "zlib1.dll"};

TEST_F(LauncherFlowTest, NoDllIsTakenFromItsOwnFolderOrTheCurrentOneAndTheRunStillCompletes)
{
    const std::string current = scratch / "current";
    ASSERT_TRUE(CreateDirectoryA(current.c_str(), nullptr));
    ASSERT_TRUE(wintest::plantDlls({launcherDir, current}, LOADED_BY_A_RUN));
    registerAppManager(REGISTERED_WITH_PATH);
    writeFile("arm.ini");
    writeFile("SETUP.INF", "[Main]\r\nARM=arm.ini\r\n");
    start(current);
    HWND dialog = waitFor(L"SETUP_BEGIN");
    ASSERT_NE(nullptr, dialog);
    press(dialog, IDC_NEXT);
    EXPECT_EQ(0u, setup.finish());
    expectStarts("arm.ini", true);
    EXPECT_EQ(std::vector<std::string>(), wintest::loadedPlants(launcherDir, LOADED_BY_A_RUN)) << "beside setup.exe";
    EXPECT_EQ(std::vector<std::string>(), wintest::loadedPlants(current, LOADED_BY_A_RUN)) << "in its current folder";
}

TEST_F(LauncherFlowTest, AProgramPlantedOnAPrefixOfTheManagersPathNeverRuns)
{
    // The Application Manager lies in "...\\Sync Tools"; "...\\Sync.exe" is
    // what a search of the unquoted path word by word would find first.
    const std::string planted = scratch / "Sync.exe";
    ASSERT_TRUE(CopyFileA((wintest::testFolder() + "\\setup_recorder.exe").c_str(), planted.c_str(), FALSE));
    registerAppManager(REGISTERED_WITH_PATH);
    writeFile("arm.ini");
    writeFile("SETUP.INF", "[Main]\r\nARM=arm.ini\r\n");
    start();
    HWND dialog = waitFor(L"SETUP_BEGIN");
    ASSERT_NE(nullptr, dialog);
    press(dialog, IDC_NEXT);
    EXPECT_EQ(0u, setup.finish());
    expectStarts("arm.ini", true);
    EXPECT_EQ("", taken(scratch.path, false)) << "the planted program ran";
}

TEST_F(LauncherFlowTest, ARegistrationWithoutAUsablePathIsReportedAsNone)
{
    writeFile("arm.ini");
    writeFile("SETUP.INF", "[Main]\r\nARM=arm.ini\r\n");
    for (Registration how : {REGISTERED_WITHOUT_PATH, REGISTERED_EMPTY, REGISTERED_AS_NUMBER}) {
        SCOPED_TRACE(testing::Message() << "registration " << how);
        registerAppManager(how);
        start();
        HWND dialog = waitFor(L"SETUP_BEGIN");
        ASSERT_NE(nullptr, dialog);
        HWND backdrop = GetWindow(dialog, GW_OWNER);
        press(dialog, IDC_NEXT);
        answer("  Setup Program",  // no title: a blank, then " Setup Program"
               "Please install ActiveSync 3.0 (or above) before running this setup program !",
               backdrop,
               IDOK);
        EXPECT_EQ(0u, setup.finish());
        expectStarts(nullptr, false);
    }
}

// Under Wine the windows are either left to a window manager or placed by
// Wine itself (the test prefix's choice, for speed); the launcher must come
// up either way. Wine reads the choice per program from AppDefaults.
TEST_F(LauncherFlowTest, TheDialogComesUpWithManagedAndUnmanagedWindows)
{
    const char* const key = "Software\\Wine\\AppDefaults\\SETUP.EXE\\X11 Driver";
    writeFile("SETUP.INF", "[Main]\r\nProductName=Zed\r\n");
    for (const char* managed : {"Y", "N"}) {
        SCOPED_TRACE(testing::Message() << "Managed=" << managed);
        ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueA(HKEY_CURRENT_USER, key, "Managed", REG_SZ, managed, 2));
        const DWORD started = GetTickCount();
        start();
        HWND dialog = waitFor(L"SETUP_BEGIN");
        ASSERT_NE(nullptr, dialog);
        std::printf("welcome dialog up %lu ms after the start (Managed=%s)\n", GetTickCount() - started, managed);
        press(dialog, IDC_CANCEL);
        answer("  Setup Program", "Do you really want to abort the Zed installation !", dialog, IDYES);
        EXPECT_EQ(0u, setup.finish());
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\SETUP.EXE");
}

TEST_F(LauncherFlowTest, MissingSetupInfIsReportedBeforeAnyWindow)
{
    registerAppManager(REGISTERED_WITH_PATH);
    start();
    waitFor(L"#32770");
    EXPECT_EQ(1u, setup.windows().size()) << "only the message box";
    answer("SETUP.EXE",
           "SETUP.INF reading error !\nPlease check the installation procedures in README.TXT !",
           nullptr,
           IDOK);
    EXPECT_EQ(0u, setup.finish());
    expectStarts(nullptr, false);
}

TEST_F(LauncherFlowTest, DialogShowsTheTitleCentredInFrontOfTheBackdropAndEndsOnlyWhenTold)
{
    const LONG screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    writeFile("arm.ini");
    struct {
        const char *title, *caption, *installLine;
        Registration registration;  // registered: Cancel answered Yes ends the run, else Next does with a report
    } cases[] = {
        {"100% Fun %s",
         "100% Fun %s Setup",
         "This program will install 100% Fun %s into your Pocket PC.",
         REGISTERED_WITH_PATH},
        {"", " Setup", "This program will install  into your Pocket PC.", NOT_REGISTERED},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        registerAppManager(c.registration);
        writeFile("SETUP.INF",
                  std::string("[Main]\r\nProductName=Zed\r\nARM=arm.ini\r\n[Startup]\r\nTitle=") + c.title);
        start();
        HWND dialog = waitFor(L"SETUP_BEGIN");
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ(c.caption, textOf(dialog));
        EXPECT_EQ(c.installLine, textOf(dialog, IDC_INSTALL_LINE));
        HWND backdrop = GetWindow(dialog, GW_OWNER);
        const std::vector<LONG> r = rectOf(dialog);
        EXPECT_EQ((std::vector<LONG>{(screenWidth - (r[2] - r[0])) / 2, (screenHeight - (r[3] - r[1])) / 2}),
                  (std::vector<LONG>{r[0], r[1]}))
            << "centred";
        EXPECT_EQ((std::vector<LONG>{0, 0, screenWidth, screenHeight}), rectOf(backdrop));
        EXPECT_EQ((std::vector<HWND>{dialog, backdrop}), setup.windows()) << "front to back";

        // Cancel, here by its key Esc, answered No leaves the dialog up and the launcher running.
        const std::string caption = std::string(c.title) + "  Setup Program";
        const std::string question = "Do you really want to abort the Zed installation !";
        PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
        HWND box = answer(caption, question, dialog, IDNO);
        EXPECT_TRUE(eventually([&] { return !IsWindow(box); }));
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_TRUE(setup.running());

        if (c.registration == REGISTERED_WITH_PATH) {
            press(dialog, IDC_CANCEL);
            answer(caption, question, dialog, IDYES);
        } else {
            press(dialog, IDC_NEXT);
            answer(caption,
                   "Please install ActiveSync 3.0 (or above) before running this setup program !",
                   backdrop,
                   IDOK);
        }
        EXPECT_EQ(0u, setup.finish());
        expectStarts(nullptr, false);
    }
}

}  // namespace
