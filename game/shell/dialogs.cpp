#include "dialogs.h"

#include "../resources/resource_ids.h"
#include "handset_shell.h"
#include "locked_resource.h"
#include "render.h"
#include "settings.h"
#include "shell_state.h"
#include "softkeys.h"

namespace {

constexpr int CAPTION_ROOM = 40;

// Full screen over the frame, with the one "Continue" softkey.
BOOL initFullScreenDialog(HWND dialog)
{
    SHINITDLGINFO screen = {};
    screen.dwMask = SHIDIM_FLAGS;
    screen.hDlg = dialog;
    screen.dwFlags = SHIDIF_SIZEDLGFULLSCREEN;
    return SHInitDialog(&screen) && createSoftkeyBar(dialog, IDM_DIALOG_BAR);
}

// What both dialogs do alike; 1 when message was one of those.
int commonMessage(HWND dialog, UINT message, WPARAM wParam, INT_PTR* result)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) != CMD_CONTINUE) {
            *result = FALSE;
            return 1;
        }
        EndDialog(dialog, 0);
        *result = TRUE;
        return 1;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        *result = TRUE;
        return 1;
    case WM_ACTIVATE:
        *result = TRUE;
        return 1;
    default:
        return 0;
    }
}

}  // namespace

INT_PTR CALLBACK HiScoreDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    INT_PTR result = FALSE;
    switch (message) {
    case WM_INITDIALOG:
        return initFullScreenDialog(dialog) ? TRUE : FALSE;
    case WM_PAINT:
        paintHiScoreBoard(dialog);
        return TRUE;
    case WM_PRINTCLIENT:
        renderHiScoreBoard(reinterpret_cast<HDC>(wParam));
        return TRUE;
    default:
        return commonMessage(dialog, message, wParam, &result) ? result : FALSE;
    }
}

INT_PTR CALLBACK AboutDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    INT_PTR result = FALSE;
    if (message == WM_INITDIALOG) {
        if (!initFullScreenDialog(dialog))
            return FALSE;
        wchar_t caption[CAPTION_ROOM];
        if (LoadStringW(shell.instance, IDS_ABOUT_CAPTION, caption, CAPTION_ROOM) > 0)
            SetWindowTextW(dialog, caption);
        return TRUE;
    }
    return commonMessage(dialog, message, wParam, &result) ? result : FALSE;
}

void runDialog(UINT templateId, DLGPROC procedure)
{
    const auto* dialogTemplate =
        static_cast<const DLGTEMPLATE*>(lockedResource(shell.instance, templateId, RT_DIALOG, nullptr));
    if (!dialogTemplate)
        return;
    DialogBoxIndirectParamW(shell.instance, dialogTemplate, nullptr, procedure, 0);
}

void confirmQuit(HWND window)
{
    const wchar_t* caption = loadResString(IDS_QUIT_CAPTION);
    const wchar_t* question = loadResString(IDS_QUIT_QUESTION);
    if (MessageBoxW(window, question, caption, MB_YESNO | MB_ICONQUESTION) == IDYES)
        SendMessageW(window, WM_CLOSE, 0, 0);
}
