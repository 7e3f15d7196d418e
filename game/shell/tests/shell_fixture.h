// A real main window per test, created through the program's own start-up
// code, with a fresh GameState and ShellState, a fresh registry and a sound
// player that records instead of playing.
#ifndef KUBRELSE_SHELL_TESTS_SHELL_FIXTURE_H
#define KUBRELSE_SHELL_TESTS_SHELL_FIXTURE_H

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine.h"
#include "shell_state.h"

struct SoundRequest {
    int id;  // 500..503, or -1 for data that is none of the game's sounds
    UINT flags;
};

// Every request handed to the sound player since the test began.
extern std::vector<SoundRequest> soundRequests;

// 176 x 180 pixels, 0x00RRGGBB, top row first.
struct Frame {
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y * FRAME_WIDTH + x)]; }
};

// A resource bitmap as it is drawn: width, height, pixels as in Frame.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

Picture loadPicture(int bitmapId);

// What the window's procedure draws, through WM_PRINTCLIENT.
Frame printFrame(HWND window);
// What is on the screen in the window's client area.
Frame screenFrame(HWND window);
// What a frame renderer (renderMainFrame, renderHiScoreBoard) draws.
Frame renderedFrame(void (*render)(HDC, const RECT&));

const wchar_t GAME_KEY_PATH[] = L"Software\\Nolvo Systems Inc.";
const wchar_t SECTION_PATH[] = L"Software\\Nolvo Systems Inc.\\KubrelSE\\MainSection";

// Removes the game's registry key and the key-click value.
void clearGameRegistry();
// The "Script" value: 1 and its text when present.
bool readScript(std::wstring* text);
void writeScript(const wchar_t* text);

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the main window as start-up does; the fixture calls it unless
    // a test wants to prepare the registry first (createInSetUp false).
    void createMainWindow();
    bool createInSetUp = true;

    HWND window() const { return shell.mainWindow; }
    void key(WPARAM virtualKey) { SendMessageW(window(), WM_KEYDOWN, virtualKey, 0); }
    void command(UINT id) { SendMessageW(window(), WM_COMMAND, id, 0); }
    // Handles what is queued for this thread, WM_QUIT excepted.
    static void pump();

    // Starts a game whose first piece is type.
    void startGameWith(int16_t type);

    // Fills rows of both boards from pictures, bottom row first: '.' empty,
    // '1'..'7' a square of that type.
    static void setRows(const std::vector<std::string>& rowsFromBottom);
};

// Checks that the frame shows bitmap id with its top-left corner at (x, y),
// clipped to the frame; reports the first differing pixel.
void expectPictureAt(const Frame& frame, int bitmapId, int x, int y, int line);
#define EXPECT_PICTURE_AT(frame, id, x, y) expectPictureAt(frame, id, x, y, __LINE__)

#endif
