#include "shell_fixture.h"

#include <cstring>

#include "../../resources/resource_ids.h"
#include "main_window.h"
#include "settings.h"
#include "sound.h"

std::vector<SoundRequest> soundRequests;

namespace {

int soundIdOf(const void* image)
{
    for (int id = 500; id <= 503; ++id) {
        HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), L"SOUND");
        HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
        if (loaded && LockResource(loaded) == image)
            return id;
    }
    return -1;
}

BOOL WINAPI recordSound(LPCWSTR sound, UINT flags)
{
    soundRequests.push_back({soundIdOf(sound), flags});
    return TRUE;
}

// Lets draw paint into a 176 x 180 memory frame and reads the pixels back.
template <typename Draw>
Frame capture(Draw draw)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = FRAME_WIDTH;
    info.bmiHeader.biHeight = -FRAME_HEIGHT;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ kept = SelectObject(memory, dib);
    draw(memory);
    GdiFlush();
    Frame frame;
    const auto* p = static_cast<const uint32_t*>(bits);
    frame.pixels.assign(p, p + FRAME_WIDTH * FRAME_HEIGHT);
    for (uint32_t& px : frame.pixels)
        px &= 0xFFFFFF;
    SelectObject(memory, kept);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return frame;
}

}  // namespace

Picture loadPicture(int bitmapId)
{
    Picture picture;
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap)
        return picture;
    BITMAP header;
    GetObjectW(bitmap, sizeof header, &header);
    picture.width = header.bmWidth;
    picture.height = header.bmHeight;
    picture.pixels.resize(static_cast<size_t>(picture.width * picture.height));
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(picture.height), picture.pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    for (uint32_t& px : picture.pixels)
        px &= 0xFFFFFF;
    DeleteObject(bitmap);
    return picture;
}

Frame printFrame(HWND window)
{
    return capture([window](HDC memory) {
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    });
}

Frame screenFrame(HWND window)
{
    return capture([window](HDC memory) {
        HDC screen = GetDC(window);
        BitBlt(memory, 0, 0, FRAME_WIDTH, FRAME_HEIGHT, screen, 0, 0, SRCCOPY);
        ReleaseDC(window, screen);
    });
}

Frame renderedFrame(void (*render)(HDC, const RECT&))
{
    return capture([render](HDC memory) {
        const RECT client = {0, 0, FRAME_WIDTH, FRAME_HEIGHT};
        render(memory, client);
    });
}

void clearGameRegistry()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, GAME_KEY_PATH);
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, KEY_CLICK_PATH, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueW(key, KEY_CLICK_VALUE);
        RegCloseKey(key);
    }
}

bool readScript(std::wstring* text)
{
    wchar_t buffer[512] = {};
    DWORD size = sizeof buffer - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, KEY_CLICK_PATH, KEY_CLICK_VALUE, RRF_RT_ANY, nullptr, buffer, &size) !=
        ERROR_SUCCESS)
        return false;
    *text = buffer;
    return true;
}

void writeScript(const wchar_t* text)
{
    ASSERT_EQ(writeStringValue(KEY_CLICK_PATH, KEY_CLICK_VALUE, text), ERROR_SUCCESS);
}

void ShellTest::SetUp()
{
    resetGameState();
    resetShellState();
    soundRequests.clear();
    setSoundPlayer(recordSound);
    // Gravity comes only from the steps a test sends itself.
    setPacerTimeScale(1000000);
    clearGameRegistry();
    static ATOM registered = registerMainClass(GetModuleHandleW(nullptr));
    ASSERT_NE(registered, 0);
    if (createInSetUp)
        createMainWindow();
}

void ShellTest::createMainWindow()
{
    ASSERT_EQ(initInstance(GetModuleHandleW(nullptr), SW_SHOWNORMAL), 1);
    pump();
}

void ShellTest::TearDown()
{
    if (shell.mainWindow && IsWindow(shell.mainWindow))
        DestroyWindow(shell.mainWindow);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    if (shell.appKey)
        RegCloseKey(shell.appKey);
    setSoundPlayer(nullptr);
    setPacerTimeScale(1000);
    resetShellState();
}

void ShellTest::pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void ShellTest::startGameWith(int16_t type)
{
    command(CMD_START);
    game.pieceType = type;
    newGame();
    InvalidateRect(window(), nullptr, FALSE);
    UpdateWindow(window());
    soundRequests.clear();
}

void ShellTest::setRows(const std::vector<std::string>& rowsFromBottom)
{
    std::memset(game.board, 0, sizeof game.board);
    for (size_t row = 0; row < rowsFromBottom.size(); ++row)
        for (size_t column = 0; column < FIELD_COLUMNS; ++column) {
            const char c = rowsFromBottom[row][column];
            game.board[row * FIELD_COLUMNS + column] = static_cast<uint8_t>(c == '.' ? 0 : c - '0');
        }
    std::memcpy(game.settledBoard, game.board, sizeof game.board);
}

void expectPictureAt(const Frame& frame, int bitmapId, int x, int y, int line)
{
    SCOPED_TRACE(testing::Message() << "bitmap " << bitmapId << " at (" << x << ", " << y << "), checked from line "
                                    << line);
    const Picture picture = loadPicture(bitmapId);
    ASSERT_GT(picture.width, 0) << "bitmap missing from the resources";
    for (int py = 0; py < picture.height; ++py)
        for (int px = 0; px < picture.width; ++px) {
            const int fx = x + px;
            const int fy = y + py;
            if (fx < 0 || fy < 0 || fx >= FRAME_WIDTH || fy >= FRAME_HEIGHT)
                continue;
            if (frame.at(fx, fy) != picture.at(px, py)) {
                ADD_FAILURE() << "pixel (" << fx << ", " << fy << "): got " << std::hex << frame.at(fx, fy)
                              << ", expected " << picture.at(px, py);
                return;
            }
        }
}
