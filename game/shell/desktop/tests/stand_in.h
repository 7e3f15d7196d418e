// A small handset program of the tests' own, standing where a real one
// would: it calls the handset's shell as the handset's programs do and knows
// nothing of the desktop. Its frame window prints a known picture and has a
// softkey bar of "Start" and a "Menu" drop-down; its two dialogs cover the
// frame, one a picture its procedure paints whole, one of controls, each
// with a "Continue" softkey. It records the commands and keys it is given.
#ifndef KUBRELSE_SHELL_DESKTOP_TESTS_STAND_IN_H
#define KUBRELSE_SHELL_DESKTOP_TESTS_STAND_IN_H

#include <windows.h>

#include <cstdint>
#include <vector>

#include "stand_in_ids.h"

constexpr int STAND_IN_WIDTH = 176;  // the handset's screen
constexpr int STAND_IN_HEIGHT = 180;

struct StandIn {
    HWND frame;  // null while it is not open
    HWND bar;
    std::vector<UINT> commands;                          // WM_COMMAND ids the frame window got
    std::vector<WPARAM> keys;                            // WM_KEYDOWN keys the frame window got
    uint32_t picture[STAND_IN_WIDTH * STAND_IN_HEIGHT];  // what the frame prints, 0xRRGGBB
};
extern StandIn standIn;

// The colours of the frame's picture and of the picture dialog: no two
// pixels beside each other alike.
uint32_t framePixel(int x, int y);
uint32_t dialogPixel(int x, int y);

// Opens the frame window with its bar as a handset program starts; null
// when the window or its bar could not be made.
HWND openStandIn();
void closeStandIn();

// Gives the frame window another softkey bar, of resource id: the bar, or
// null when the call failed.
HWND giveBar(UINT id);

// Paints pixel (x, y) of the frame in colour, invalidating that one pixel
// as a handset program invalidates what it changed.
void repaintPixel(int x, int y, uint32_t colour);

// Shows dialog STAND_IN_PICTURE or STAND_IN_CONTROLS modally, as the
// handset's programs do, and returns when it has been closed.
void showDialog(int id);

#endif
