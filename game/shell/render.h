// The 176 x 180 frame: composed off screen from resource bitmaps at every
// paint and copied to the window in one piece. The bitmaps and the
// off-screen frame are loaded once and kept until releasePictures().
#ifndef KUBRELSE_SHELL_RENDER_H
#define KUBRELSE_SHELL_RENDER_H

#include <windows.h>

#include <cstdint>

#include "geometry.h"
#include "pixel_context.h"

// Loads every picture and makes the off-screen frame, so the first paint
// is as quick as the others; whatever fails is tried again when first drawn.
void keepPictures();
// Releases every kept picture and the frame; the next paint loads afresh.
void releasePictures();

// WM_PAINT of the main window.
void paintMainWindow(HWND window);
// The whole 176 x 180 frame into a caller's context at (0, 0), whatever the
// size of the window (WM_PRINTCLIENT).
void renderMainFrame(HDC target);

// The high-score board: WM_PAINT of its dialog, and into a caller's context.
void paintHiScoreBoard(HWND dialog);
void renderHiScoreBoard(HDC target);

// Drawing helpers; they draw into the frame being composed, so they only
// work during one of the paints above.
void drawBitmapCentred(uint16_t bitmapId, const Rect& area);
// The value in digit bitmaps, centred. Values below 0 show as 0 and values
// above 32767 as 32767: five digits fill the score box exactly.
void drawNumber(int32_t value, const Rect& area);
void drawDigit(int digit, int x, int y);

#endif
