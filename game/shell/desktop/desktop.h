// What the desktop handset layer offers beyond the handset's own calls
// (handset_shell.h): the zooms of the desktop window, and a look at the
// softkeys for tests and tools. The game's own code never includes this.
//
// On a desktop the handset's screen is shown at a whole-number zoom z in
// real pixels, whatever the display scaling: every frame pixel is a z x z
// block, the softkey bar lies directly below the frame, z times as tall and
// as wide as the frame, and the full-screen dialogs cover the frame. The
// zoom is the largest whose whole window fits 80 % of the work area of the
// window's own monitor, unless the player chose one: the frame window's
// system menu item "Zoom Nx" (WM_SYSCOMMAND, SC_ZOOM_BASE + N * SC_ZOOM_STEP,
// N from 1 up to the largest whose window fits the work area, MAX_ZOOM at
// most), Ctrl+Plus and Ctrl+Minus, and the border, which resizes in whole
// zoom steps. A chosen zoom is kept in the layer's own key (ZOOM_KEY under
// HKEY_CURRENT_USER) as the REG_DWORD "DesktopZoom", and is shown as long as
// it fits the monitor; on another monitor or display size the zoom is chosen
// again.
#ifndef KUBRELSE_SHELL_DESKTOP_DESKTOP_H
#define KUBRELSE_SHELL_DESKTOP_DESKTOP_H

#include <windows.h>

constexpr int SOFTKEY_BAR_HEIGHT = 26;  // at zoom 1

constexpr int MAX_ZOOM = 16;
constexpr UINT SC_ZOOM_BASE = 0x1000;
constexpr UINT SC_ZOOM_STEP = 0x10;  // the system keeps the low four bits
extern const wchar_t ZOOM_KEY[];     // "Software\\Nolvo Systems Inc.\\Desktop Handset Layer"
extern const wchar_t ZOOM_VALUE[];   // "DesktopZoom"

// The zoom the frame window is shown at (1 without one).
int desktopZoom();

// The label and command of softkey 0 (left) or 1 (right) of a bar. 1 when
// the bar has that softkey.
int softkeyInfo(HWND bar, int index, wchar_t* label, int room, UINT* command);

// Presses softkey 0 or 1 as a click or F1/F2 would. 1 when it exists.
int pressSoftkey(HWND bar, int index);

#endif
