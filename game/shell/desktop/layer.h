// The desktop handset layer's own records and the calls its files make of
// each other. Only the layer's files include this.
#ifndef KUBRELSE_SHELL_DESKTOP_LAYER_H
#define KUBRELSE_SHELL_DESKTOP_LAYER_H

#include <windows.h>

#include "desktop.h"
#include "handset_screen.h"
#include "handset_shell.h"
#include "win32_calls.h"  // procOf: calls of later Windows, looked up by name

constexpr int MAX_SOFTKEYS = 2;
constexpr int LABEL_ROOM = 32;
constexpr WORD NO_DROP_DOWN = 0xFFFF;
constexpr int MAX_HOSTS = 4;     // the frame window and the dialogs over it
constexpr int MAX_CONTROLS = 8;  // of one hosted dialog

struct Softkey {
    UINT command;
    WORD dropDown;  // pop-up index within the menu, NO_DROP_DOWN for none
    wchar_t label[LABEL_ROOM];
};

// What a softkey bar shows and does; kept in its parent's host record.
struct SoftkeyBar {
    HWND bar;  // the bar's window, null while there is none
    HWND parent;
    HINSTANCE instance;
    WORD menuId;
    int count;
    Softkey keys[MAX_SOFTKEYS];
};

// A control of a hosted dialog: where it lies on the handset's screen, in
// handset pixels, and for an icon the icon it came with and the larger one
// the layer made for it.
struct Control {
    HWND window;
    RECT place;
    HICON icon;
    HICON madeIcon;
};

// A window the layer stands in front of: the frame window, or a dialog with
// a softkey bar or shown full screen. The host table owns the records, the
// softkey bars' records inside them too; a slot is free while window is
// null. A table rather than a window property, so that finding the record
// costs no call to the window system on every message.
struct Host {
    HWND window;
    WNDPROC own;  // the window's own procedure
    SoftkeyBar softkeys;
    int fullScreen;  // a dialog made to cover the frame
    int picture;     // no controls: its client area is a frame the layer zooms
    int shownZoom;   // the zoom its controls have been given, 0 for none
    int controls;
    Control control[MAX_CONTROLS];
    HFONT font;      // the controls' own font
    HFONT madeFont;  // that font zoom times as large, made by the layer
};

// The layer's files, each calling only those listed below it:
// shell_calls.cpp (SHCreateMenuBar, SHInitDialog) hands each window to
// host.cpp, which stands in front of it, and to the bar, the dialog or the
// desktop window; host.cpp passes messages on to softkey_bar.cpp,
// dialog_host.cpp, zoomed_paint.cpp and desktop_window.cpp.
// softkey_bar.cpp and dialog_host.cpp call desktop_window.cpp alone, and
// zoomed_paint.cpp calls only zoom_pixels.cpp (the zoom over plain pixel
// buffers); desktop_window.cpp and zoom_pixels.cpp call none of the others.

// host.cpp: the table, and the procedure that stands in front of each host.
// The record of window, subclassing it on the first call so that the layer
// sees its messages first; null when the table is full.
Host* subclassHost(HWND window);
int isDialog(HWND window);

// softkey_bar.cpp: the bar window.
// Reads menu-bar resource id of instance into bar and makes the bar's
// window class ready: 1 when both are done.
int loadSoftkeys(HINSTANCE instance, UINT id, SoftkeyBar* bar);
// Makes the window of bar (kept in bar->bar): 1 when made.
int createBar(SoftkeyBar* bar);
void placeBar(HWND parent, HWND bar);

// dialog_host.cpp
void recordControls(Host* host);
void releaseControls(Host* host);
void placeDialog(Host* host);
// The dialog loses its frame and covers the frame window at the zoom.
void makeFullScreen(Host* host);

// desktop_window.cpp: the desktop window and its zoom (desktopZoom()).
// The frame window: the first parent given a softkey bar that is not a
// dialog; null while there is none.
HWND frameWindow();
void becomeDesktopWindow(HWND window);
// What the frame window alone does: the zooms of its system menu, sizing in
// zoom steps, another monitor or display. 1 when message was handled, with
// its result; *repaint is 1 when every host is to be painted anew (the zoom
// or the window's size was chosen again). own: the window's own procedure.
int frameMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC own, LRESULT* result, int* repaint);
// 1 when key, with Ctrl held, stepped the zoom (Ctrl+Plus, Ctrl+Minus);
// every host is then to be painted anew.
int zoomKey(WPARAM key);
// The size of window's window rectangle whose client area is the frame at
// zoom z, for the DPI of its monitor.
SIZE windowSizeAt(HWND window, int z);
// The DPI of window's monitor (the system's where the system cannot tell).
UINT dpiOf(HWND window);
void leaveDesktopWindow();

// zoomed_paint.cpp: the paint of a hosted picture at a zoom above 1.
void paintZoomed(const Host* host, int z);
void releaseZoomedPaint();

#endif
