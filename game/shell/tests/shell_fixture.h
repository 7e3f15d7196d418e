// A real main window per test, created through the program's own start-up
// code, with a fresh GameState and ShellState, a fresh registry and a sound
// player that records instead of playing; and what the tests look at: the
// pixels, the registry and the game's modal windows.
#ifndef KUBRELSE_SHELL_TESTS_SHELL_FIXTURE_H
#define KUBRELSE_SHELL_TESTS_SHELL_FIXTURE_H

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "../../engine/tests/board_pictures.h"
#include "engine.h"
#include "program_under_test.h"
#include "resource_reader.h"
#include "screen_pixels.h"
#include "shell_state.h"
#include "window_input.h"

struct SoundRequest {
    int id;  // 500..503, or -1 for data that is none of the game's sounds
    UINT flags;
    bool operator==(const SoundRequest& o) const { return id == o.id && flags == o.flags; }
};
inline void PrintTo(const SoundRequest& r, std::ostream* out) { *out << r.id << " flags " << r.flags; }

extern std::vector<SoundRequest> soundRequests;  // since the test began

// Pixels as 0x00RRGGBB, top row first: a painted 176 x 180 frame or a
// resource bitmap as it is drawn.
using Picture = resource_reader::Pixels;
using Frame = Picture;

inline Picture loadPicture(int bitmapId) { return resource_reader::pixelsOf(bitmapId); }
Frame printFrame(HWND window);  // what its procedure draws for WM_PRINTCLIENT
// What the screen shows in its client area: the frame, or at a zoom the
// frame's zoom times as large area.
Frame screenFrame(HWND window, int zoom = 1);
Frame renderedFrame(void (*render)(HDC));

// The w x h box of frame at (x, y) shows that of picture at (px, py),
// clipped to the frame; a failure names the first differing pixel.
void expectBox(const Frame& frame, int x, int y, const Picture& picture, int px, int py, int w, int h, int line);
// The whole bitmap id with its top-left corner at (x, y).
void expectPictureAt(const Frame& frame, int bitmapId, int x, int y, int line);
// The digit bitmaps of digits, 9 pixels apart, the first at (x, y).
void expectDigitsAt(const Frame& frame, const char* digits, int x, int y, int line);
#define EXPECT_PICTURE_AT(frame, id, x, y)    expectPictureAt(frame, id, x, y, __LINE__)
#define EXPECT_DIGITS_AT(frame, digits, x, y) expectDigitsAt(frame, digits, x, y, __LINE__)

// How many drawing objects the process holds, give or take a constant.
unsigned drawingObjectsInUse();

const wchar_t COMPANY_KEY_PATH[] = L"Software\\Nolvo Systems Inc.";
const wchar_t GAME_KEY_PATH[] = L"Software\\Nolvo Systems Inc.\\KubrelSE";
const wchar_t SECTION_PATH[] = L"Software\\Nolvo Systems Inc.\\KubrelSE\\MainSection";

void clearGameRegistry();  // the game's key and the key-click value
void setRawValue(const wchar_t* path, const wchar_t* name, DWORD type, const void* data, DWORD size);
std::wstring script();  // the key-click "Script" text, or "<none>"
// The game's record of the handset's key clicks: "text:<text>", "none"
// (there was no "Script" value) or "<no record>"; both at once show as both.
std::wstring keyClickRecord();
void writeScript(const wchar_t* text);
// The values of MainSection in their order, "HiScore1=900 HiScore2=0 ...";
// a value that is not a REG_DWORD shows as "name:type"; "<no key>".
std::wstring storedScores();

using wintest::answerWhenShown;
using wintest::eventually;
using wintest::pump;
using wintest::waitForWindow;

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the main window as start-up does; the fixture calls it unless
    // a test wants to prepare the registry first (createInSetUp false).
    void createMainWindow();
    bool createInSetUp = true;

    static HWND window() { return shell.mainWindow; }
    void key(WPARAM virtualKey) { SendMessageW(window(), WM_KEYDOWN, virtualKey, 0); }
    void command(UINT id) { SendMessageW(window(), WM_COMMAND, id, 0); }

    // Starts a game whose first piece is type.
    void startGameWith(int16_t type);
};

#endif
