// The layer's window tests: the stand-in program opened afresh for each
// test over a fresh zoom setting, and what the tests look at.
#ifndef KUBRELSE_SHELL_DESKTOP_TESTS_LAYER_FIXTURE_H
#define KUBRELSE_SHELL_DESKTOP_TESTS_LAYER_FIXTURE_H

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "desktop.h"
#include "program_under_test.h"
#include "screen_pixels.h"
#include "stand_in.h"
#include "window_input.h"

using wintest::answerWhenShown;
using wintest::Pixels;
using wintest::pixelsNotInBlocks;
using wintest::pump;

// The zoom this screen opens at, as the session that runs the suite states
// it; 0 where it states none.
int expectedZoom();

// The stand-in's frame picture; as the screen shows its frame at zoom.
Pixels framePicture();
Pixels shownFrame(HWND window, int zoom);
// got shows want pixel for pixel; a failure names the first other pixel.
void expectSamePicture(const Pixels& got, const Pixels& want, int line);

void storeZoom(const wchar_t* path, DWORD type, const void* data, DWORD size);
// The REG_DWORD "DesktopZoom" under path; -1 where there is none.
long keptZoom(const wchar_t* path);

class LayerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the stand-in; SetUp does unless a test prepares the registry
    // first (openInSetUp false). Without a zoom of its own a test sees the
    // handset's size, zoom 1.
    void open();
    bool openInSetUp = true;
    void reopen();

    static HWND frame() { return standIn.frame; }
    static void key(WPARAM virtualKey) { SendMessageW(frame(), WM_KEYDOWN, virtualKey, 0); }
    // The key with Ctrl held, as the keyboard state says.
    static void ctrlKey(WPARAM virtualKey);
    static void chooseZoom(int zoom) { SendMessageW(frame(), WM_SYSCOMMAND, SC_ZOOM_BASE + SC_ZOOM_STEP * zoom, 0); }
    // The largest zoom the system menu offers.
    static int largestZoom();
    static std::vector<LONG> clientSize();
};

#endif
