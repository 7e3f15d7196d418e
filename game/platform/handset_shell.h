// The handset's shell services the game calls: softkey bars built from the
// menu-bar resources, full-screen dialogs over the 176 x 180 frame, and the
// announcement of a changed setting, with the handset library's names,
// records and meaning. This is all the game's own code knows of the
// handset's shell; on a desktop the desktop handset layer (game/shell/desktop/)
// provides the same calls.
#ifndef KUBRELSE_PLATFORM_HANDSET_SHELL_H
#define KUBRELSE_PLATFORM_HANDSET_SHELL_H

#include <windows.h>
#include <commctrl.h>

struct SHMENUBARINFO {
    DWORD cbSize;
    HWND hwndParent;
    DWORD dwFlags;
    UINT nToolBarId;
    HINSTANCE hInstRes;
    int nBmpId;
    int cBmpImages;
    HWND hwndMB;
    COLORREF clrBk;
};

constexpr DWORD SHIDIM_FLAGS = 0x0001;
constexpr DWORD SHIDIF_SIZEDLGFULLSCREEN = 0x0004;

struct SHINITDLGINFO {
    DWORD dwMask;
    HWND hDlg;
    DWORD dwFlags;
};

// The handset's shell library exports these as the platform's functions:
// C names, the platform's calling convention.
extern "C" {

// Builds the softkey bar of menu-bar resource nToolBarId below the parent's
// frame and returns it in hwndMB. The parent's client area becomes the
// 176 x 180 frame; F1 and F2 on the parent press the left and right softkey.
// The bar answers TB_SETBUTTONINFO (TBIF_TEXT, TBIF_COMMAND). FALSE when the
// resource is missing or malformed or the bar cannot be made.
BOOL WINAPI SHCreateMenuBar(SHMENUBARINFO* info);

// With SHIDIF_SIZEDLGFULLSCREEN: the dialog loses its frame and covers the
// 176 x 180 frame of the main window. FALSE for a bad record or window.
BOOL WINAPI SHInitDialog(SHINITDLGINFO* info);

}  // extern "C"

// Announces a changed setting to the handset's shell and every other
// top-level window: WM_SETTINGCHANGE to HWND_BROADCAST. The game's own, in
// two forms: on the handset it is posted (handset/settings_announcement.cpp).
// Desktop Windows refuses to post a message that may carry a text pointer,
// so the desktop layer sends it, giving up on any window that does not
// answer within 200 ms: a hung program cannot hold the game.
void announceSettingChange();

#endif
