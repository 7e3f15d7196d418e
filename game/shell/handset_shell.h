// The handset's shell services the game calls: softkey bars built from the
// menu-bar resources, full-screen dialogs over the 176 x 180 frame, and the
// announcement of a changed setting, with the handset library's names,
// records and meaning. This is all the game's own code knows of the
// handset's shell; on a desktop the desktop handset layer (desktop/)
// provides the same calls.
#ifndef KUBRELSE_SHELL_HANDSET_SHELL_H
#define KUBRELSE_SHELL_HANDSET_SHELL_H

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

// Builds the softkey bar of menu-bar resource nToolBarId below the parent's
// frame and returns it in hwndMB. The parent's client area becomes the
// 176 x 180 frame; F1 and F2 on the parent press the left and right softkey.
// The bar answers TB_SETBUTTONINFO (TBIF_TEXT, TBIF_COMMAND). FALSE when the
// resource is missing or malformed or the bar cannot be made.
BOOL SHCreateMenuBar(SHMENUBARINFO* info);

// With SHIDIF_SIZEDLGFULLSCREEN: the dialog loses its frame and covers the
// 176 x 180 frame of the main window. FALSE for a bad record or window.
BOOL SHInitDialog(SHINITDLGINFO* info);

// Announces a changed setting to the handset's shell and every other
// top-level window: WM_SETTINGCHANGE to HWND_BROADCAST.
void announceSettingChange();

#endif
