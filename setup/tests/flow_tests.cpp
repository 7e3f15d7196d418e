// setup.exe from end to end: it runs as its own process in a scratch folder,
// with a recorder registered as the Application Manager and as the viewer of
// .txt files; the test drives the dialog and the message boxes as a user would.
#include <gtest/gtest.h>

#include <string.h>
#include <string>
#include <vector>

#include "launcher.h"
#include "resources/resource_ids.h"
#include "test_support.h"

namespace {

const char TEXT_CLASS[] = "KubrelSE.TestText";
const DWORD WAIT_MS = 20000;
const int MESSAGE_TEXT_ID = 0xFFFF;  // the text of a message box

struct Search {
    DWORD pid;
    const char *className;  // null: collect every visible window, front to back
    std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND window, LPARAM context)
{
    Search *s = reinterpret_cast<Search *>(context);
    DWORD pid = 0;
    char name[64] = "";
    GetWindowThreadProcessId(window, &pid);
    GetClassNameA(window, name, sizeof name);
    if (pid == s->pid && IsWindowVisible(window) && (s->className == NULL || strcmp(name, s->className) == 0)) {
        s->found.push_back(window);
    }
    return TRUE;
}

std::string textOf(HWND window, int item = 0)
{
    char text[1024] = "";
    if (item != 0) {
        GetDlgItemTextA(window, item, text, sizeof text);
    } else {
        GetWindowTextA(window, text, sizeof text);
    }
    return text;
}

void setDefaultValue(HKEY root, const std::string &subKey, const std::string *value)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(root, subKey.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL));
    if (value != NULL) {
        RegSetValueExA(key, NULL, 0, REG_SZ, reinterpret_cast<const BYTE *>(value->c_str()),
                       static_cast<DWORD>(value->size() + 1));
    }
    RegCloseKey(key);
}

class LauncherFlowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A launcher folder far longer than 80 bytes, with blanks, as is the Application Manager's.
        launcherDir = scratch / ("Setup Disk " + std::string(100, 'd'));
        managerDir = scratch / "Sync Tools";
        viewerDir = scratch / "viewer";
        std::string built = ownFolder();
        for (const std::string &dir : {launcherDir, managerDir, viewerDir}) {
            ASSERT_TRUE(CreateDirectoryA(dir.c_str(), NULL));
        }
        ASSERT_TRUE(CopyFileA((built + "\\..\\setup.exe").c_str(), (launcherDir + "\\SETUP.EXE").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA((built + "\\setup_recorder.exe").c_str(), (managerDir + "\\CEAPPMGR.EXE").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA((built + "\\setup_recorder.exe").c_str(), (viewerDir + "\\viewer.exe").c_str(), FALSE));
        ASSERT_TRUE(writeTextFile(launcherDir + "\\README.TXT", "Read me.\r\n"));

        // The .txt open verb goes to the viewer recorder; what was there before comes back afterwards.
        HKEY key;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, ".txt", 0, KEY_READ, &key) == ERROR_SUCCESS) {
            DWORD size = sizeof savedTextClass - 1;
            hadTextClass = RegQueryValueExA(key, NULL, NULL, NULL, reinterpret_cast<BYTE *>(savedTextClass), &size) ==
                           ERROR_SUCCESS;
            savedTextClass[hadTextClass ? size : 0] = '\0';
            RegCloseKey(key);
        }
        std::string textClass = TEXT_CLASS, command = "\"" + viewerDir + "\\viewer.exe\" \"%1\"";
        setDefaultValue(HKEY_CLASSES_ROOT, ".txt", &textClass);
        setDefaultValue(HKEY_CLASSES_ROOT, textClass + "\\shell\\open\\command", &command);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, APP_MANAGER_KEY);
    }

    void TearDown() override
    {
        if (process.hProcess != NULL) {
            TerminateProcess(process.hProcess, 1);  // only when a test failed half-way
            finish();
        }
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, APP_MANAGER_KEY);
        RegDeleteTreeA(HKEY_CLASSES_ROOT, TEXT_CLASS);
        if (hadTextClass) {
            std::string saved = savedTextClass;
            setDefaultValue(HKEY_CLASSES_ROOT, ".txt", &saved);
        } else {
            RegDeleteKeyA(HKEY_CLASSES_ROOT, ".txt");
        }
    }

    void registerAppManager(bool withPath = true)
    {
        std::string path = managerDir + "\\CEAPPMGR.EXE";
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, APP_MANAGER_KEY);
        setDefaultValue(HKEY_LOCAL_MACHINE, APP_MANAGER_KEY, withPath ? &path : NULL);
    }
    void writeFile(const std::string &name, const std::string &text = "x")
    {
        ASSERT_TRUE(writeTextFile(launcherDir + "\\" + name, text));
    }

    void start()
    {
        std::string exe = launcherDir + "\\SETUP.EXE", commandLine = "\"" + exe + "\"";
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

    std::vector<HWND> windows(const char *className)
    {
        Search s = {process.dwProcessId, className, {}};
        EnumWindows(collect, reinterpret_cast<LPARAM>(&s));
        return s.found;
    }
    HWND waitFor(const char *className)
    {
        for (DWORD waited = 0; waited < WAIT_MS; waited += 20) {
            std::vector<HWND> found = windows(className);
            if (!found.empty()) {
                // The launcher has finished what it does before it waits for input.
                EXPECT_EQ(0u, WaitForInputIdle(process.hProcess, WAIT_MS));
                return found[0];
            }
            if (WaitForSingleObject(process.hProcess, 20) == WAIT_OBJECT_0) {
                break;
            }
        }
        ADD_FAILURE() << "no " << className << " window of setup.exe";
        return NULL;
    }
    static void press(HWND window, int command) { PostMessageA(window, WM_COMMAND, command, 0); }

    void runThroughNext()
    {
        start();
        HWND dialog = waitFor("SETUP_BEGIN");
        ASSERT_NE(nullptr, dialog);
        press(dialog, IDC_NEXT);
        EXPECT_EQ(0u, finish());
    }

    // The lines "show state|command line" a recorder wrote, taken away; waits
    // for one line, or a short while when none is expected.
    static std::vector<std::string> taken(const std::string &dir, bool expected)
    {
        std::string log = dir + "\\record.log", text;
        for (DWORD waited = 0; waited < (expected ? WAIT_MS : 1500) && (text = readTextFile(log)).empty(); waited += 50) {
            Sleep(50);
        }
        DeleteFileA(log.c_str());
        std::vector<std::string> lines;
        for (size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
            lines.push_back(text.substr(at, end - at));
        }
        return lines;
    }
    void expectStarted(const std::string &installFile)
    {
        std::vector<std::string> got = taken(managerDir, true);
        ASSERT_EQ(1u, got.size()) << "Application Manager starts";
        std::string program = managerDir + "\\CEAPPMGR.EXE", file = " \"" + launcherDir + "\\" + installFile + "\"";
        // Wine puts quotes round a program path with a blank once it has
        // found the program; the launcher hands it over unquoted.
        if (got[0] != "1|\"" + program + "\"" + file) {
            EXPECT_EQ("1|" + program + file, got[0]);  // SW_SHOWNORMAL
        }
    }
    void expectReadme(bool opened)
    {
        std::vector<std::string> got = taken(viewerDir, opened);
        ASSERT_EQ(opened ? 1u : 0u, got.size()) << "README openings";
        if (opened) {
            EXPECT_EQ("3|\"" + viewerDir + "\\viewer.exe\" \"" + launcherDir + "\\README.TXT\"", got[0]);  // maximised
        }
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
    writeFile("SETUP.INF", "[Main]\r\nARM=arm.ini\r\nMIPS=mips.ini\r\nSH3=sh3.ini\r\n");
    const char *files[] = {"arm.ini", "mips.ini", "sh3.ini"};
    for (const char *file : files) {
        writeFile(file);
    }
    for (const char *file : files) {
        SCOPED_TRACE(file);
        runThroughNext();
        expectStarted(file);
        expectReadme(true);
        DeleteFileA((launcherDir + "\\" + file).c_str());
    }
}

TEST_F(LauncherFlowTest, WithoutAFileOrAPathNothingStartsButTheReadmeOpens)
{
    registerAppManager();
    // ARM is empty (it would name the launcher's folder), MIPS names no file, SH3 is absent.
    writeFile("SETUP.INF", "[Main]\r\nARM=\r\nMIPS=missing.ini\r\n");
    runThroughNext();
    expectReadme(true);
    EXPECT_TRUE(taken(managerDir, false).empty());

    // A key without a default value: the command line is only the quoted file, which starts nothing.
    registerAppManager(false);
    writeFile("SETUP.INF", "[Main]\r\nARM=arm.ini\r\n");
    writeFile("arm.ini");
    runThroughNext();
    expectReadme(true);
    EXPECT_TRUE(taken(managerDir, false).empty());
}

TEST_F(LauncherFlowTest, CancelAnsweredNoKeepsTheDialogAndYesEndsTheLauncher)
{
    registerAppManager();
    writeFile("SETUP.INF", "[Main]\r\nProductName=Zed\r\nARM=arm.ini\r\n[Startup]\r\nTitle=Foo\r\n");
    writeFile("arm.ini");
    start();
    HWND dialog = waitFor("SETUP_BEGIN");
    ASSERT_NE(nullptr, dialog);
    press(dialog, IDC_CANCEL);
    HWND box = waitFor("#32770");
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("Foo  Setup Program", textOf(box));
    EXPECT_EQ("Do you really want to abort the Zed installation !", textOf(box, MESSAGE_TEXT_ID));
    EXPECT_TRUE(GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO));
    EXPECT_EQ(dialog, GetWindow(box, GW_OWNER));
    press(box, IDNO);
    for (int i = 0; i < 250 && IsWindow(box); ++i) {
        Sleep(20);
    }
    EXPECT_FALSE(IsWindow(box));
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(process.hProcess, 300));

    press(dialog, IDC_CANCEL);
    box = waitFor("#32770");
    ASSERT_NE(nullptr, box);
    press(box, IDYES);
    EXPECT_EQ(0u, finish());
    EXPECT_TRUE(taken(managerDir, false).empty());
    expectReadme(false);
}

TEST_F(LauncherFlowTest, UnregisteredAppManagerIsReportedAndNothingOpens)
{
    writeFile("SETUP.INF", "[Main]\r\nARM=arm.ini\r\n[Startup]\r\nTitle=Foo\r\n");
    writeFile("arm.ini");
    start();
    HWND dialog = waitFor("SETUP_BEGIN");
    ASSERT_NE(nullptr, dialog);
    HWND backdrop = GetWindow(dialog, GW_OWNER);
    press(dialog, IDC_NEXT);
    HWND box = waitFor("#32770");
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("Foo  Setup Program", textOf(box));
    EXPECT_EQ("Please install ActiveSync 3.0 (or above) before running this setup program !",
              textOf(box, MESSAGE_TEXT_ID));
    EXPECT_TRUE(GetDlgItem(box, IDOK) && !GetDlgItem(box, IDNO));
    EXPECT_EQ(backdrop, GetWindow(box, GW_OWNER));
    press(box, IDOK);
    EXPECT_EQ(0u, finish());
    EXPECT_TRUE(taken(managerDir, false).empty());
    expectReadme(false);
}

TEST_F(LauncherFlowTest, MissingSetupInfIsReportedBeforeAnyWindow)
{
    registerAppManager();
    start();
    HWND box = waitFor("#32770");
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("SETUP.EXE", textOf(box));
    EXPECT_EQ("SETUP.INF reading error !\nPlease check the installation procedures in README.TXT !",
              textOf(box, MESSAGE_TEXT_ID));
    EXPECT_EQ(nullptr, GetWindow(box, GW_OWNER));
    EXPECT_EQ(1u, windows(NULL).size()) << "only the message box";
    press(box, IDOK);
    EXPECT_EQ(0u, finish());
    expectReadme(false);
}

TEST_F(LauncherFlowTest, DialogShowsTheTitleAndStandsCentredInFrontOfTheBackdrop)
{
    // The size the template gives, from the same template made in this process.
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.lpszClassName = "SETUP_BEGIN";
    RegisterClassA(&wc);
    HWND probe = CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_WELCOME), NULL, NULL, 0);
    ASSERT_NE(nullptr, probe);
    RECT own;
    GetWindowRect(probe, &own);
    DestroyWindow(probe);
    const int width = own.right - own.left, height = own.bottom - own.top;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);

    struct {
        const char *title, *caption, *installLine;
    } cases[] = {
        {"100% Fun %s", "100% Fun %s Setup", "This program will install 100% Fun %s into your Pocket PC."},
        {"", " Setup", "This program will install  into your Pocket PC."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.title);
        writeFile("SETUP.INF", std::string("[Startup]\r\nTitle=") + c.title + "\r\n");
        start();
        HWND dialog = waitFor("SETUP_BEGIN");
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ(c.caption, textOf(dialog));
        EXPECT_EQ(c.installLine, textOf(dialog, IDC_INSTALL_LINE));

        RECT r, b;
        GetWindowRect(dialog, &r);
        EXPECT_EQ(width, r.right - r.left);
        EXPECT_EQ(height, r.bottom - r.top);
        EXPECT_EQ((screenWidth - width) / 2, r.left);
        EXPECT_EQ((screenHeight - height) / 2, r.top);
        HWND backdrop = GetWindow(dialog, GW_OWNER);
        GetWindowRect(backdrop, &b);
        EXPECT_TRUE(b.left == 0 && b.top == 0 && b.right == screenWidth && b.bottom == screenHeight);
        std::vector<HWND> order = windows(NULL);  // front to back
        ASSERT_EQ(2u, order.size());
        EXPECT_EQ(dialog, order[0]);
        EXPECT_EQ(backdrop, order[1]);

        press(dialog, IDC_CANCEL);
        HWND box = waitFor("#32770");
        ASSERT_NE(nullptr, box);
        press(box, IDYES);
        EXPECT_EQ(0u, finish());
    }
}

} // namespace
