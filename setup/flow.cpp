// The launcher's run: configuration, backdrop, welcome dialog, Application
// Manager, README.
#include "flow.h"

#include "appmgr.h"
#include "backdrop.h"
#include "config.h"
#include "dlls.h"
#include "flow_parts.h"
#include "resources/resource_ids.h"
#include "text.h"

namespace {

// The welcome picture at the screen's scale, when it is not 100 %.
HBITMAP scaledPicture;

// Asks whether to abort the installation: 1 for Yes.
int confirmAbort(HWND dialog)
{
    char question[TEXT_ROOM];
    fillPattern(question, sizeof question, loadResString(IDS_ABORT_QUESTION), setupConfig.productName);
    return MessageBoxA(dialog, question, setupConfig.caption, MB_YESNO | MB_ICONEXCLAMATION) == IDYES ? 1 : 0;
}

LRESULT onWelcomeCreate(HWND window)
{
    char own[TEXT_ROOM];
    if (GetWindowTextA(window, own, sizeof own) <= 0) {
        own[0] = '\0';
    }
    char caption[TEXT_ROOM] = "";
    if (appendText(caption, sizeof caption, setupConfig.title) && appendText(caption, sizeof caption, " ")) {
        appendText(caption, sizeof caption, own);
    }
    SetWindowTextA(window, caption);

    RECT r;
    if (GetWindowRect(window, &r)) {
        int x = (launcher.screenWidth - (r.right - r.left)) / 2;
        int y = (launcher.screenHeight - (r.bottom - r.top)) / 2;
        SetWindowPos(window, HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    }
    return 0;
}

// The dialog's own lettering grows with the screen's DPI; the picture is
// stretched to match, so the dialog looks as it does at 100 %.
void scaleWelcomePicture(HWND window)
{
    HBITMAP own = reinterpret_cast<HBITMAP>(SendDlgItemMessageA(window, IDC_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP size;
    if (own == nullptr || dpiScaled(USER_DEFAULT_SCREEN_DPI) == USER_DEFAULT_SCREEN_DPI ||
        GetObjectA(own, sizeof size, &size) != sizeof size) {
        return;
    }
    scaledPicture = static_cast<HBITMAP>(LoadImageA(launcher.instance,
                                                    MAKEINTRESOURCEA(IDB_WELCOME_PICTURE),
                                                    IMAGE_BITMAP,
                                                    dpiScaled(size.bmWidth),
                                                    dpiScaled(size.bmHeight),
                                                    LR_DEFAULTCOLOR));
    if (scaledPicture != nullptr) {
        SendDlgItemMessageA(window, IDC_PICTURE, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(scaledPicture));
    }
}

void onFillTitle(HWND window)
{
    scaleWelcomePicture(window);
    char pattern[TEXT_ROOM];
    if (GetDlgItemTextA(window, IDC_INSTALL_LINE, pattern, sizeof pattern) == 0) {
        return;
    }
    char line[TEXT_ROOM];
    fillPattern(line, sizeof line, pattern, setupConfig.title);
    SetDlgItemTextA(window, IDC_INSTALL_LINE, line);
}

LRESULT onWelcomeCommand(HWND window, WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDC_NEXT:
        launcher.welcomeResult = 1;
        SendMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    case IDC_CANCEL:
        if (confirmAbort(window)) {
            launcher.welcomeResult = 0;
            SendMessageA(window, WM_CLOSE, 0, 0);
        }
        return 0;
    default:
        return DefWindowProcA(window, WM_COMMAND, wParam, lParam);
    }
}

// The README beside the launcher, opened in the program registered for it.
void openReadme()
{
    static char readme[PATH_ROOM];
    readme[0] = '\0';
    if (appendText(readme, sizeof readme, setupConfig.appDir) && appendText(readme, sizeof readme, "\\README.TXT") &&
        fileExists(readme)) {
        openWithShell(readme, SW_SHOWMAXIMIZED);
    }
}

}  // namespace

LRESULT CALLBACK welcomeClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return onWelcomeCreate(window);
    case WM_DESTROY:
        if (scaledPicture != nullptr) {
            SendDlgItemMessageA(window, IDC_PICTURE, STM_SETIMAGE, IMAGE_BITMAP, 0);
            DeleteObject(scaledPicture);
            scaledPicture = nullptr;
        }
        PostQuitMessage(0);
        return 0;
    case WM_COMMAND:
        return onWelcomeCommand(window, wParam, lParam);
    case MSG_FILL_TITLE:
        onFillTitle(window);
        return DefWindowProcA(window, message, wParam, lParam);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

int16_t runWelcomeDialog(const char* className, WNDPROC classProc, int templateId)
{
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = classProc;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = launcher.instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_MENU + 1));
    wc.lpszClassName = className;
    RegisterClassA(&wc);

    HWND dialog =
        CreateDialogParamA(launcher.instance, MAKEINTRESOURCEA(templateId), launcher.backdropWindow, nullptr, 0);
    // No dialog means no window that could ever end the loop below: that is
    // the same as Cancel.
    if (dialog == nullptr) {
        return 0;
    }
    SendMessageA(dialog, MSG_FILL_TITLE, 0, 0);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return launcher.welcomeResult;
}

int launcherMain(HINSTANCE instance)
{
    launcher.instance = instance;
    launcher.screenWidth = static_cast<int16_t>(GetSystemMetrics(SM_CXSCREEN));
    launcher.screenHeight = static_cast<int16_t>(GetSystemMetrics(SM_CYSCREEN));
    launcher.screenDpi = primaryMonitorDpi();

    if (!readSetupConfig()) {
        const char* text = loadResString(IDS_READ_ERROR);
        MessageBoxA(nullptr, text != nullptr ? text : "", "SETUP.EXE", MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }
    if (!createBackdrop()) {
        return 0;
    }
    if (!runWelcomeDialog("SETUP_BEGIN", welcomeClassProc, IDD_WELCOME)) {
        DestroyWindow(launcher.backdropWindow);
        return 0;
    }
    if (!findAppManager()) {
        const char* text = loadResString(IDS_NO_APP_MANAGER);
        MessageBoxA(
            launcher.backdropWindow, text != nullptr ? text : "", setupConfig.caption, MB_OK | MB_ICONEXCLAMATION);
        DestroyWindow(launcher.backdropWindow);
        return 0;
    }
    DestroyWindow(launcher.backdropWindow);

    const char* installFile = pickInstallFile();
    if (installFile != nullptr) {
        startAppManager(launcher.appManagerPath, installFile);
    }
    openReadme();
    return 0;
}
