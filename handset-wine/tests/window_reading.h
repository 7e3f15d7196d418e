// The handset tests' side of the game under Wine: a program started and
// its window waited for, keys sent as the window gets them, the window's
// pixels read back, and output. Plain Win32 and no C or C++ library, so the
// same code builds for Wine on ARM (clang, no runtime) and for the x64
// desktop build (MinGW-w64). Header-only.
#ifndef KUBRELSE_HANDSET_WINE_WINDOW_READING_H
#define KUBRELSE_HANDSET_WINE_WINDOW_READING_H

#include <windows.h>

#include "../start/command_line.h"

namespace handset_test {

// The game's window class.
constexpr wchar_t GAME_CLASS[] = L"KubrelSE for Smartphone 2002";
// Long enough for an emulated processor on a loaded machine; a working
// program never comes near it.
constexpr DWORD WAIT_MS = 60000;

inline void print(const char* text)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, lstrlenA(text), &written, nullptr);
}

// Polls done() every 20 ms until it holds (true) or timeoutMs have passed
// (false).
template <typename Done>
bool eventually(Done done, DWORD timeoutMs = WAIT_MS)
{
    for (const DWORD start = GetTickCount(); !done(); Sleep(20))
        if (GetTickCount() - start > timeoutMs)
            return done();
    return true;
}

// 0xRRGGBB pixels of a rectangle of a window, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    DWORD* rgb = nullptr;

    DWORD at(int x, int y) const { return rgb[y * width + x]; }
};

// What the screen shows of width x height at (x, y) of window's client area.
inline Picture capture(HWND window, int x, int y, int width, int height)
{
    Picture picture{width, height, nullptr};
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP dib = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ kept = SelectObject(memory, dib);
    HDC screen = GetDC(window);
    BitBlt(memory, 0, 0, width, height, screen, x, y, SRCCOPY);
    ReleaseDC(window, screen);
    GdiFlush();
    picture.rgb = static_cast<DWORD*>(HeapAlloc(GetProcessHeap(), 0, sizeof(DWORD) * width * height));
    for (int i = 0; bits && i < width * height; ++i)
        picture.rgb[i] = static_cast<const DWORD*>(bits)[i] & 0xFFFFFF;
    SelectObject(memory, kept);
    DeleteObject(dib);
    DeleteDC(memory);
    return picture;
}

inline void release(Picture& picture)
{
    if (picture.rgb)
        HeapFree(GetProcessHeap(), 0, picture.rgb);
    picture.rgb = nullptr;
}

inline bool samePixels(const Picture& a, const Picture& b)
{
    if (a.width != b.width || a.height != b.height)
        return false;
    for (int i = 0; i < a.width * a.height; ++i)
        if (a.rgb[i] != b.rgb[i])
            return false;
    return true;
}

inline Picture clientPicture(HWND window)
{
    RECT client = {};
    GetClientRect(window, &client);
    return capture(window, 0, 0, client.right, client.bottom);
}

// Writes picture as a 24-bit BMP file.
inline bool writeBmp(const wchar_t* path, const Picture& picture)
{
    const DWORD rowBytes = (picture.width * 3 + 3) & ~3u;
    const DWORD pixelBytes = rowBytes * picture.height;
    const DWORD headers = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    BITMAPFILEHEADER file = {0x4D42, headers + pixelBytes, 0, 0, headers};
    BITMAPINFOHEADER info = {sizeof info, picture.width, picture.height, 1, 24, BI_RGB, pixelBytes, 0, 0, 0, 0};
    auto* rows = static_cast<BYTE*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, pixelBytes));
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            BYTE* p = rows + (picture.height - 1 - y) * rowBytes + x * 3;
            const DWORD c = picture.at(x, y);
            p[0] = static_cast<BYTE>(c);
            p[1] = static_cast<BYTE>(c >> 8);
            p[2] = static_cast<BYTE>(c >> 16);
        }
    HANDLE out = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    bool ok = out != INVALID_HANDLE_VALUE && WriteFile(out, &file, sizeof file, &written, nullptr) &&
              WriteFile(out, &info, sizeof info, &written, nullptr) &&
              WriteFile(out, rows, pixelBytes, &written, nullptr);
    if (out != INVALID_HANDLE_VALUE)
        CloseHandle(out);
    HeapFree(GetProcessHeap(), 0, rows);
    return ok;
}

// The desktop layer's zoom, chosen as a player chooses it, so every build
// shows the frame at the same zoom whatever its window frame measures.
inline void chooseZoom(DWORD zoom)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Nolvo Systems Inc.\\Desktop Handset Layer", 0, nullptr, 0,
                        KEY_WRITE, nullptr, &key, nullptr) == ERROR_SUCCESS) {
        RegSetValueExW(key, L"DesktopZoom", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zoom), sizeof zoom);
        RegCloseKey(key);
    }
}

// A program started with commandLine.
struct Started {
    PROCESS_INFORMATION process = {};

    bool start(wchar_t* commandLine)
    {
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        return CreateProcessW(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &process) != 0;
    }
    bool running() const { return WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT; }
    // A visible top-level window of className of the program; null when none
    // came or the program ended.
    HWND window(const wchar_t* className) const
    {
        for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
            DWORD owner = 0;
            wchar_t name[64] = L"";
            GetWindowThreadProcessId(w, &owner);
            GetClassNameW(w, name, 64);
            if (owner == process.dwProcessId && IsWindowVisible(w) && !lstrcmpW(name, className))
                return w;
        }
        return nullptr;
    }
    HWND waitForWindow(const wchar_t* className) const
    {
        HWND found = nullptr;
        eventually([&] { return (found = window(className)) != nullptr || !running(); });
        if (found)
            WaitForInputIdle(process.hProcess, WAIT_MS);
        return found;
    }
    // Its exit code once it has ended; 0xFFFFFFFF when it did not end in
    // time (it is ended then).
    DWORD finish()
    {
        DWORD code = 0xFFFFFFFF;
        if (WaitForSingleObject(process.hProcess, WAIT_MS) == WAIT_OBJECT_0)
            GetExitCodeProcess(process.hProcess, &code);
        else
            TerminateProcess(process.hProcess, 99);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return code;
    }
};

// The frame's first stable picture: the client area once it shows
// something and stays the same over two reads.
inline Picture firstFrame(HWND window)
{
    Picture last = {};
    Picture now = {};
    eventually([&] {
        release(last);
        last = now;
        now = clientPicture(window);
        bool blank = true;
        for (int i = 1; i < now.width * now.height && blank; ++i)
            blank = now.rgb[i] == now.rgb[0];
        return !blank && last.rgb && samePixels(last, now);
    });
    release(last);
    return now;
}

}  // namespace handset_test

#endif
