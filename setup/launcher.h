// setup.exe: the desktop launcher. Reads SETUP.INF beside itself, covers the
// screen with the backdrop, asks in the welcome dialog whether to go on and
// hands the installation file to the Application Manager.
//
// Everything here is plain procedural code over two process-wide records.
// Functions whose names do not come from the launcher's flow are the small
// pure pieces the flow is made of; they are declared here so the tests can
// reach them.
#ifndef SETUP_LAUNCHER_H
#define SETUP_LAUNCHER_H

#include <windows.h>
#include <stddef.h>
#include <stdint.h>

// Room for any path Windows hands out, extended-length paths included
// (32767 characters and the terminator).
enum { PATH_ROOM = 32768 };
// Room of the short texts: captions, lines of the dialog, loaded strings.
enum { TEXT_ROOM = 256 };

enum {
    PRODUCT_ROOM = 72,    // "ProductName": 71 characters kept
    CPU_VALUE_ROOM = 80,  // "ARM", "MIPS", "SH3": 79 characters kept
    TITLE_ROOM = 256      // "Title": 255 characters kept
};

// The private message that fills the install line once the dialog's
// controls exist.
#define MSG_FILL_TITLE (WM_USER + 100)

struct SetupConfig {
    char appDir[PATH_ROOM];  // own folder, no trailing backslash
    char productName[PRODUCT_ROOM];
    char title[TITLE_ROOM];
    char caption[TEXT_ROOM];  // title, a blank, " Setup Program"
    char armIni[PATH_ROOM];   // empty when the value is empty or the path does not fit
    char mipsIni[PATH_ROOM];
    char sh3Ini[PATH_ROOM];
};

struct LauncherState {
    HINSTANCE instance;
    int16_t screenWidth;
    int16_t screenHeight;
    int16_t screenDpi;  // the primary monitor's, taken once; 96 is 100 %
    HWND backdropWindow;
    char appManagerPath[PATH_ROOM];  // as the registry gives it; empty when not found
    int16_t welcomeResult;           // 1 after Next
};

extern SetupConfig setupConfig;
extern LauncherState launcher;

// ---- Texts (text.cpp) ------------------------------------------------------------
// Appends as much of src to the zero-terminated dst as fits in room bytes,
// never splitting a double-byte character. Returns 1 when all of src fitted.
int appendText(char* dst, size_t room, const char* src);
// Copies pattern into out, putting arg in place of "%s" and "%" in place of
// "%%"; arg is taken as it stands, never as a format. Cut cleanly to room.
// Returns 1 when the whole text fitted.
int fillPattern(char* out, size_t room, const char* pattern, const char* arg);
// Ring of four 256-byte buffers; null when the string table has no such string.
const char* loadResString(UINT id);

// ---- Configuration (config.cpp) ---------------------------------------------------
int fileExists(const char* path);
// The folder of a module path: everything before its last backslash, the first
// character never taken as the backslash. Returns 0 (out empty) when it does
// not fit into room.
int folderOfPath(const char* modulePath, char* out, size_t room);
// dir, a backslash, value; empty when the value is empty (it would name the
// folder itself) or when the whole path does not fit. Returns 1 for a path.
int joinCpuPath(char* out, size_t room, const char* dir, const char* value);
// title, a blank, then the " Setup Program" text.
void composeCaption(char* out, size_t room, const char* title, const char* setupProgram);
// Reads SETUP.INF from the given folder into setupConfig (appDir included).
int readSetupConfigIn(const char* dir);
int readSetupConfig(void);

// ---- Application Manager (appmgr.cpp) -------------------------------------------
#define APP_MANAGER_KEY "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\CEAPPMGR.EXE"
// The access masks tried, in order, when opening the Application Manager's key:
// read rights only, and for a 32-bit process on 64-bit Windows also the
// 64-bit registry view. Returns how many were written (1 or 2).
int appManagerAccessList(int wow64Process, REGSAM* list);
// Reads the default value of an open key into out, always terminated; a
// REG_EXPAND_SZ value is expanded. Returns 1 for a usable path: a whole,
// non-empty text. Anything else (no value, an empty one, one that is not
// text or does not fit) leaves out empty and returns 0.
int readDefaultValue(HKEY key, char* out, DWORD room);
// Opens root\subKey with each access mask in turn; 1 when one of them opened
// and held a usable path. A key without one counts as no registration.
int findAppManagerUnder(HKEY root, const char* subKey, const REGSAM* access, int count, char* out, DWORD room);
int findAppManager(void);
// The command line: path unquoted, a blank, the file in double quotes.
// Returns 0 (out empty) when it cannot be formed whole.
int buildCommandLine(char* out, size_t room, const char* program, const char* file);
// The program to start for a registered path: the path itself, or what stands
// between the quotes of a quoted one. Returns 0 (out empty) when empty or too long.
int programOfPath(const char* path, char* out, size_t room);
void startAppManager(const char* appManagerPath, const char* installFile);
// First of ARM, MIPS, SH3 whose file exists, or null.
const char* pickInstallFile(void);

// ---- Welcome dialog and entry (flow.cpp) -------------------------------------------
int16_t runWelcomeDialog(const char* className, WNDPROC classProc, int templateId);
LRESULT CALLBACK welcomeClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
int confirmAbort(HWND dialog);
int launcherMain(HINSTANCE instance);

// ---- The screen's scale (dlls.cpp) ---------------------------------------------------
// The primary monitor's DPI (dots per inch; 96 at 100 %): the program is
// DPI-aware, so it sees real pixels and sizes what it draws itself.
int16_t primaryMonitorDpi(void);
// A length in pixels at 96 DPI, at launcher.screenDpi.
int dpiScaled(int pixels);

// ---- DLLs (dlls.cpp; searched and loaded as win32_calls.h says) -------------------
// Opens a file in the program registered for its kind (the shell's "open"),
// through the shell library taken from the system folder.
void openWithShell(const char* path, int show);

// ---- Backdrop (backdrop.cpp) --------------------------------------------------------
extern const unsigned char dissolveOrder[64];
extern int dissolvePending;
// Top row of gradient band i (0..255) on a screen of the given height;
// band i covers bandTop(i) up to, not including, bandTop(i + 1).
int bandTop(int band, int height);
// Calls visit for every pixel of a w x h picture: in 64 passes following
// dissolveOrder when dissolve is set, otherwise in one sweep row by row.
typedef void (*PixelVisit)(void* context, int x, int y);
void sweepPicture(int width, int height, int dissolve, PixelVisit visit, void* context);
void drawBitmapDissolve(HDC target, int bitmapId, int x, int y, int dissolve);
int createBackdrop(void);
LRESULT CALLBACK backdropProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
