// first-frame OUT.bmp COMMAND...: starts the game by COMMAND at zoom 2 and
// writes its window's first frame, the whole client area (the handset's
// screen at zoom 2), to OUT.bmp; then closes it. Prints how long the frame
// took to come after the start. Built for the x64 desktop build and for
// Wine on ARM, so the handset image's first frame can be compared with the
// desktop program's.
#include "window_reading.h"

using namespace handset_test;

extern "C" void firstFrameMain()
{
    LPWSTR out = pastArgument(GetCommandLineW());
    static wchar_t path[MAX_PATH];
    copyArgument(out, path, MAX_PATH);
    LPWSTR command = pastArgument(out);
    chooseZoom(2);
    Started game;
    const DWORD started = GetTickCount();
    if (!path[0] || !*command || !game.start(command)) {
        print("first-frame: usage: first-frame OUT.bmp COMMAND...; or COMMAND did not start\n");
        ExitProcess(2);
    }
    HWND window = game.waitForWindow(GAME_CLASS);
    if (!window) {
        print("first-frame: no game window came\n");
        ExitProcess(1);
    }
    Picture frame = firstFrame(window);
    const DWORD took = GetTickCount() - started;
    const bool written = writeBmp(path, frame);
    PostMessageW(window, WM_CLOSE, 0, 0);
    const DWORD code = game.finish();
    char line[160];
    wsprintfA(line, "first-frame: %d x %d, %lu ms from the start; written; the game ended with %lu\n", frame.width,
              frame.height, took, code);
    print(line);
    ExitProcess(written && code == 0 ? 0 : 1);
}
