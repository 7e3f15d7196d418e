// setup.exe from end to end: it runs as its own process in a scratch folder,
// with a recorder registered as the Application Manager and as the viewer of
// .txt files; the test drives the dialog and the message boxes as a user would.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>

#include "launcher.h"
#include "resources/resource_ids.h"
#include "test_support.h"

namespace {

const char TEXT_PROG_ID[] = "KubrelSE.TestText";
const DWORD WAIT_MS = 20000;

struct Record {
    int show;
    std::string commandLine;
};

struct WindowSearch {
    DWORD pid;
    const char *className;
    HWND found;
    std::vector<HWND> *order;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM context)
{
    WindowSearch *s = reinterpret_cast<WindowSearch *>(context);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != s->pid) {
        return TRUE;
    }
    if (s->order != NULL) {
        if (IsWindowVisible(window)) {
            s->order->push_back(window);
        }
        return TRUE;
    }
    char name[64];
    if (IsWindowVisible(window) && GetClassNameA(window, name, sizeof name) > 0 && strcmp(name, s->className) == 0) {
        s->found = window;
        return FALSE;
    }
    return TRUE;
}

std::string windowText(HWND window)
{
    char text[1024];
    int n = GetWindowTextA(window, text, sizeof text);
    return std::string(text, n > 0 ? n : 0);
}

std::string itemText(HWND window, int id)
{
    char text[1024];
    UINT n = GetDlgItemTextA(window, id, text, sizeof text);
    return std::string(text, n);
}

class LauncherFlowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        launcherDir = scratch / "Setup Disk";
        managerDir = scratch / "Sync Tools";
        viewerDir = scratch / "viewer";
        for (const std::string &dir : {launcherDir, managerDir, viewerDir}) {
            ASSERT_TRUE(makeFolder(dir));
        }
        std::string built = ownFolder();
        ASSERT_TRUE(CopyFileA((built + "\\..\\setup.exe").c_str(), (launcherDir + "\\SETUP.EXE").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA((built + "\\setup_recorder.exe").c_str(), (managerDir + "\\CEAPPMGR.EXE").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA((built + "\\setup_recorder.exe").c_str(), (viewerDir + "\\viewer.exe").c_str(), FALSE));
        ASSERT_TRUE(writeTextFile(launcherDir + "\\README.TXT", "Read me.\r\n"));
        registerViewer();
        removeAppManager();
    }

    void TearDown() override
    {
        if (process.hProcess != NULL) {
            if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(process.hProcess, 1);
                WaitForSingleObject(process.hProcess, 5000);
            }
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
        removeAppManager();
        unregisterViewer();
    }

    // ---- Registry of the test prefix ---------------------------------------------

    void registerAppManager(const std::string *path)
    {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, APP_MANAGER_KEY, 0, NULL, 0, KEY_ALL_ACCESS,
                                                 NULL, &key, NULL));
        if (path != NULL) {
            RegSetValueExA(key, NULL, 0, REG_SZ, reinterpret_cast<const BYTE *>(path->c_str()),
                           static_cast<DWORD>(path->size() + 1));
        }
        RegCloseKey(key);
    }
    void registerAppManager() { std::string path = managerDir + "\\CEAPPMGR.EXE"; registerAppManager(&path); }
    static void removeAppManager() { RegDeleteKeyA(HKEY_LOCAL_MACHINE, APP_MANAGER_KEY); }

    void registerViewer()
    {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CLASSES_ROOT, ".txt", 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL));
        DWORD size = sizeof savedTextClass - 1;
        if (RegQueryValueExA(key, NULL, NULL, NULL, reinterpret_cast<BYTE *>(savedTextClass), &size) == ERROR_SUCCESS) {
            savedTextClass[size] = '\0';
            hadTextClass = true;
        }
        RegSetValueExA(key, NULL, 0, REG_SZ, reinterpret_cast<const BYTE *>(TEXT_PROG_ID), sizeof TEXT_PROG_ID);
        RegCloseKey(key);

        std::string command = "\"" + viewerDir + "\\viewer.exe\" \"%1\"";
        std::string sub = std::string(TEXT_PROG_ID) + "\\shell\\open\\command";
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CLASSES_ROOT, sub.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL,
                                                 &key, NULL));
        RegSetValueExA(key, NULL, 0, REG_SZ, reinterpret_cast<const BYTE *>(command.c_str()),
                       static_cast<DWORD>(command.size() + 1));
        RegCloseKey(key);
    }
    void unregisterViewer()
    {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, TEXT_PROG_ID);
        HKEY key;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, ".txt", 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
            if (hadTextClass) {
                RegSetValueExA(key, NULL, 0, REG_SZ, reinterpret_cast<const BYTE *>(savedTextClass),
                               static_cast<DWORD>(strlen(savedTextClass) + 1));
                RegCloseKey(key);
            } else {
                RegCloseKey(key);
                RegDeleteKeyA(HKEY_CLASSES_ROOT, ".txt");
            }
        }
    }

    // ---- The launcher's process -----------------------------------------------------

    void writeInf(const std::string &text) { ASSERT_TRUE(writeTextFile(launcherDir + "\\SETUP.INF", text)); }
    void touch(const std::string &name) { ASSERT_TRUE(writeTextFile(launcherDir + "\\" + name, "x")); }

    void start()
    {
        ASSERT_EQ(nullptr, process.hProcess);
        std::string exe = launcherDir + "\\SETUP.EXE";
        std::string commandLine = "\"" + exe + "\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        ASSERT_TRUE(CreateProcessA(exe.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process));
    }

    // Waits for the launcher to end; its exit code.
    DWORD finish()
    {
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, WAIT_MS)) << "setup.exe did not end";
        DWORD code = 999;
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        process = PROCESS_INFORMATION();
        return code;
    }

    HWND waitForWindow(const char *className)
    {
        for (DWORD waited = 0; waited < WAIT_MS; waited += 20) {
            WindowSearch s = {process.dwProcessId, className, NULL, NULL};
            EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&s));
            if (s.found != NULL) {
                return s.found;
            }
            if (WaitForSingleObject(process.hProcess, 20) == WAIT_OBJECT_0) {
                break;
            }
        }
        ADD_FAILURE() << "no visible " << className << " window of setup.exe";
        return NULL;
    }
    // The welcome dialog, once the launcher waits for input in its loop.
    HWND waitForDialog()
    {
        HWND dialog = waitForWindow("SETUP_BEGIN");
        if (dialog != NULL) {
            EXPECT_EQ(0u, WaitForInputIdle(process.hProcess, WAIT_MS));
        }
        return dialog;
    }
    HWND waitForMessageBox() { return waitForWindow("#32770"); }

    // The launcher's top-level windows, front to back.
    std::vector<HWND> windowsInZOrder()
    {
        std::vector<HWND> order;
        WindowSearch s = {process.dwProcessId, "", NULL, &order};
        EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&s));
        return order;
    }

    static void press(HWND window, int command) { PostMessageA(window, WM_COMMAND, command, 0); }

    // What a recorder wrote; waits for `expected` lines (0: a short while, to see that none come).
    static std::vector<Record> records(const std::string &dir, size_t expected)
    {
        std::vector<Record> result;
        DWORD limit = expected > 0 ? WAIT_MS : 1500;
        for (DWORD waited = 0; waited <= limit; waited += 50) {
            std::string text;
            result.clear();
            if (readTextFile(dir + "\\record.log", &text)) {
                size_t at = 0, end;
                while ((end = text.find("\r\n", at)) != std::string::npos) {
                    std::string line = text.substr(at, end - at);
                    size_t bar = line.find('|');
                    result.push_back({atoi(line.substr(0, bar).c_str()), line.substr(bar + 1)});
                    at = end + 2;
                }
            }
            if (expected > 0 && result.size() >= expected) {
                break;
            }
            Sleep(50);
        }
        return result;
    }

    void expectStarted(const std::string &installFile)
    {
        std::vector<Record> got = records(managerDir, 1);
        ASSERT_EQ(1u, got.size()) << "Application Manager starts";
        std::string program = managerDir + "\\CEAPPMGR.EXE";
        std::string file = " \"" + launcherDir + "\\" + installFile + "\"";
        // Wine puts quotes round a program path with a blank once it has
        // found the program; the launcher hands it over unquoted.
        if (got[0].commandLine != "\"" + program + "\"" + file) {
            EXPECT_EQ(program + file, got[0].commandLine);
        }
        EXPECT_EQ(SW_SHOWNORMAL, got[0].show);
        DeleteFileA((managerDir + "\\record.log").c_str());
    }
    void expectReadmeOpened()
    {
        std::vector<Record> got = records(viewerDir, 1);
        ASSERT_EQ(1u, got.size()) << "README openings";
        EXPECT_NE(std::string::npos, got[0].commandLine.find(launcherDir + "\\README.TXT")) << got[0].commandLine;
        EXPECT_EQ(SW_SHOWMAXIMIZED, got[0].show);
        DeleteFileA((viewerDir + "\\record.log").c_str());
    }
    void expectNothingStarted()
    {
        EXPECT_EQ(0u, records(managerDir, 0).size()) << "Application Manager starts";
        EXPECT_EQ(0u, records(viewerDir, 0).size()) << "README openings";
    }

    // Runs the launcher through Next.
    void runThroughNext()
    {
        start();
        HWND dialog = waitForDialog();
        ASSERT_NE(nullptr, dialog);
        press(dialog, IDC_NEXT);
        EXPECT_EQ(0u, finish());
    }

    ScratchFolder scratch{"flow"};
    std::string launcherDir, managerDir, viewerDir;
    PROCESS_INFORMATION process = {};
    char savedTextClass[256] = "";
    bool hadTextClass = false;
};

TEST_F(LauncherFlowTest, NextHandsOverArmBeforeMipsBeforeSh3)
{
    registerAppManager();
    writeInf("[Main]\r\nARM=arm.ini\r\nMIPS=mips.ini\r\nSH3=sh3.ini\r\n");
    touch("arm.ini");
    touch("mips.ini");
    touch("sh3.ini");
    const char *expected[] = {"arm.ini", "mips.ini", "sh3.ini"};
    for (const char *file : expected) {
        SCOPED_TRACE(file);
        runThroughNext();
        expectStarted(file);
        expectReadmeOpened();
        DeleteFileA((launcherDir + "\\" + file).c_str());
    }
}

TEST_F(LauncherFlowTest, NoInstallationFileStartsNothingButOpensTheReadme)
{
    registerAppManager();
    // ARM is empty (it would name the launcher's folder), MIPS names no file, SH3 is absent.
    writeInf("[Main]\r\nARM=\r\nMIPS=missing.ini\r\n");
    runThroughNext();
    expectReadmeOpened();
    EXPECT_EQ(0u, records(managerDir, 0).size());
}

TEST_F(LauncherFlowTest, CancelAnsweredNoKeepsTheDialog)
{
    registerAppManager();
    writeInf("[Main]\r\nProductName=Zed\r\nARM=arm.ini\r\n[Startup]\r\nTitle=Foo\r\n");
    touch("arm.ini");
    start();
    HWND dialog = waitForDialog();
    ASSERT_NE(nullptr, dialog);
    press(dialog, IDC_CANCEL);
    HWND box = waitForMessageBox();
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("Foo  Setup Program", windowText(box));
    EXPECT_EQ("Do you really want to abort the Zed installation !", itemText(box, 0xFFFF));
    EXPECT_NE(nullptr, GetDlgItem(box, IDYES));
    EXPECT_NE(nullptr, GetDlgItem(box, IDNO));
    EXPECT_EQ(dialog, GetWindow(box, GW_OWNER));
    press(box, IDNO);

    for (int i = 0; i < 100 && IsWindow(box); ++i) {
        Sleep(20);
    }
    EXPECT_FALSE(IsWindow(box));
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(process.hProcess, 300));

    // The dialog still works as before.
    press(dialog, IDC_NEXT);
    EXPECT_EQ(0u, finish());
    expectStarted("arm.ini");
    expectReadmeOpened();
}

TEST_F(LauncherFlowTest, CancelAnsweredYesEndsWithoutStartOrReadme)
{
    registerAppManager();
    writeInf("[Main]\r\nARM=arm.ini\r\n");
    touch("arm.ini");
    start();
    HWND dialog = waitForDialog();
    ASSERT_NE(nullptr, dialog);
    press(dialog, IDC_CANCEL);
    HWND box = waitForMessageBox();
    ASSERT_NE(nullptr, box);
    press(box, IDYES);
    EXPECT_EQ(0u, finish());
    expectNothingStarted();
}

TEST_F(LauncherFlowTest, UnregisteredAppManagerIsReportedAndNothingOpens)
{
    writeInf("[Main]\r\nARM=arm.ini\r\n[Startup]\r\nTitle=Foo\r\n");
    touch("arm.ini");
    start();
    HWND dialog = waitForDialog();
    ASSERT_NE(nullptr, dialog);
    HWND backdrop = waitForWindow("SetupMain");
    press(dialog, IDC_NEXT);
    HWND box = waitForMessageBox();
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("Foo  Setup Program", windowText(box));
    EXPECT_EQ("Please install ActiveSync 3.0 (or above) before running this setup program !", itemText(box, 0xFFFF));
    EXPECT_NE(nullptr, GetDlgItem(box, IDOK));
    EXPECT_EQ(nullptr, GetDlgItem(box, IDNO));
    EXPECT_EQ(backdrop, GetWindow(box, GW_OWNER));
    press(box, IDOK);
    EXPECT_EQ(0u, finish());
    expectNothingStarted();
}

TEST_F(LauncherFlowTest, MissingSetupInfIsReportedBeforeAnyWindow)
{
    registerAppManager();
    start();
    HWND box = waitForMessageBox();
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("SETUP.EXE", windowText(box));
    EXPECT_EQ("SETUP.INF reading error !\nPlease check the installation procedures in README.TXT !",
              itemText(box, 0xFFFF));
    EXPECT_EQ(nullptr, GetWindow(box, GW_OWNER));
    EXPECT_EQ(1u, windowsInZOrder().size()) << "only the message box";
    press(box, IDOK);
    EXPECT_EQ(0u, finish());
    expectNothingStarted();
}

TEST_F(LauncherFlowTest, KeyWithoutDefaultValueGoesOnAsAfterAStart)
{
    registerAppManager(nullptr);
    writeInf("[Main]\r\nARM=arm.ini\r\n");
    touch("arm.ini");
    runThroughNext();
    expectReadmeOpened();
    EXPECT_EQ(0u, records(managerDir, 0).size());
}

TEST_F(LauncherFlowTest, LauncherInADeepFolderUsesItsWholePath)
{
    registerAppManager();
    launcherDir = scratch / (std::string(60, 'x') + " with a long name " + std::string(60, 'y'));
    ASSERT_TRUE(makeFolder(launcherDir));
    ASSERT_GT(launcherDir.size(), 140u);
    ASSERT_TRUE(CopyFileA((ownFolder() + "\\..\\setup.exe").c_str(), (launcherDir + "\\SETUP.EXE").c_str(), FALSE));
    ASSERT_TRUE(writeTextFile(launcherDir + "\\README.TXT", "Read me.\r\n"));
    writeInf("[Main]\r\nARM=arm.ini\r\n");
    touch("arm.ini");
    runThroughNext();
    expectStarted("arm.ini");
    expectReadmeOpened();
}

// ---- The welcome dialog as shown ---------------------------------------------------------

// The size the dialog template gives, made in this process from the same template.
SIZE templateSize()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "SETUP_BEGIN";
    RegisterClassA(&wc);
    SIZE size = {0, 0};
    HWND probe = CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_WELCOME), NULL, NULL, 0);
    if (probe != NULL) {
        RECT r;
        GetWindowRect(probe, &r);
        size.cx = r.right - r.left;
        size.cy = r.bottom - r.top;
        DestroyWindow(probe);
    }
    return size;
}

TEST_F(LauncherFlowTest, DialogShowsTheTitleAndStandsCentredInFrontOfTheBackdrop)
{
    SIZE expectedSize = templateSize();
    ASSERT_GT(expectedSize.cx, 0);
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);

    struct Case {
        const char *title, *caption, *installLine;
    } cases[] = {
        {"100% Fun %s", "100% Fun %s Setup", "This program will install 100% Fun %s into your Pocket PC."},
        {"", " Setup", "This program will install  into your Pocket PC."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.title);
        writeInf(std::string("[Startup]\r\nTitle=") + c.title + "\r\n");
        start();
        HWND dialog = waitForDialog();
        ASSERT_NE(nullptr, dialog);
        HWND backdrop = waitForWindow("SetupMain");
        EXPECT_EQ(c.caption, windowText(dialog));
        EXPECT_EQ(c.installLine, itemText(dialog, IDC_INSTALL_LINE));

        RECT r;
        GetWindowRect(dialog, &r);
        EXPECT_EQ(expectedSize.cx, r.right - r.left);
        EXPECT_EQ(expectedSize.cy, r.bottom - r.top);
        EXPECT_EQ((screenWidth - (r.right - r.left)) / 2, r.left);
        EXPECT_EQ((screenHeight - (r.bottom - r.top)) / 2, r.top);

        RECT b;
        GetWindowRect(backdrop, &b);
        EXPECT_EQ(0, b.left);
        EXPECT_EQ(0, b.top);
        EXPECT_EQ(screenWidth, b.right);
        EXPECT_EQ(screenHeight, b.bottom);
        EXPECT_EQ(backdrop, GetWindow(dialog, GW_OWNER));
        std::vector<HWND> order = windowsInZOrder();
        size_t dialogAt = 0, backdropAt = 0;
        for (size_t i = 0; i < order.size(); ++i) {
            dialogAt = order[i] == dialog ? i : dialogAt;
            backdropAt = order[i] == backdrop ? i : backdropAt;
        }
        EXPECT_LT(dialogAt, backdropAt) << "the dialog stands in front of the backdrop";

        press(dialog, IDC_CANCEL);
        HWND box = waitForMessageBox();
        ASSERT_NE(nullptr, box);
        press(box, IDYES);
        EXPECT_EQ(0u, finish());
    }
}

} // namespace
