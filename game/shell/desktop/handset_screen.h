// The handset's screen, which the layer shows at the zoom: what the frame
// window's client area is at zoom 1. Plain C++, no windows.h.
#ifndef KUBRELSE_SHELL_DESKTOP_HANDSET_SCREEN_H
#define KUBRELSE_SHELL_DESKTOP_HANDSET_SCREEN_H

constexpr int SCREEN_WIDTH = 176;
constexpr int SCREEN_HEIGHT = 180;

#endif
