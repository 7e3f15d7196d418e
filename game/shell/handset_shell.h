// The handset's shell services, for desktop Windows and Wine, which lack
// them: softkey bars built from the menu-bar resources, full-screen dialogs
// over the 176 x 180 frame, and the announcement of a changed setting. The
// calls and records have the handset library's names and meaning, so the
// rest of the program is written against the handset; this file is the only
// one that knows it runs on a desktop.
//
// On the desktop the layer also shows the handset's screen at a whole-number
// zoom: the frame window (the first parent given a softkey bar that is not
// a dialog) gets a system menu with a close and a minimise button and the
// zooms, Ctrl+Plus and Ctrl+Minus step the zoom, and its border resizes in
// whole zoom steps. At a zoom above 1 the layer paints each window it hosts
// whose client area is a picture (no controls): it asks the window for the
// 176 x 180 frame with WM_PRINTCLIENT and shows every frame pixel as a
// z x z block. An update rectangle there counts both as frame pixels (the
// game's own invalidations) and as screen pixels (the desktop's). A hosted
// dialog with controls has them placed, sized and lettered z times as large.
// The softkey bars are z times as tall. A zoom the user chose is kept in the
// game's key as the REG_DWORD "DesktopZoom".
#ifndef KUBRELSE_SHELL_HANDSET_SHELL_H
#define KUBRELSE_SHELL_HANDSET_SHELL_H

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "geometry.h"  // FRAME_WIDTH x FRAME_HEIGHT: the handset's screen

constexpr int SOFTKEY_BAR_HEIGHT = 26;

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

// For tests and tools: the label and command of softkey 0 (left) or 1
// (right). 1 when the bar has that softkey.
int softkeyInfo(HWND bar, int index, wchar_t* label, int room, UINT* command);

// Presses softkey 0 or 1 as a click or F1/F2 would. 1 when it exists.
int pressSoftkey(HWND bar, int index);

// The zooms: the frame window's system menu item "Zoom Nx" sends
// WM_SYSCOMMAND with SC_ZOOM_BASE + N * SC_ZOOM_STEP (from 1 up to the
// largest zoom whose window fits the primary work area, MAX_ZOOM at most).
constexpr int MAX_ZOOM = 16;
constexpr UINT SC_ZOOM_BASE = 0x1000;
constexpr UINT SC_ZOOM_STEP = 0x10;  // the system keeps the low four bits
extern const wchar_t ZOOM_VALUE[];   // "DesktopZoom"

// For tests and tools: the zoom the frame window is shown at (1 without one).
int desktopZoom();

#endif
