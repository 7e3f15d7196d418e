#include "shell_fixture.h"

#include "../../resources/resource_ids.h"
#include "desktop.h"
#include "handset_screen.h"
#include "key_click.h"
#include "lifecycle.h"
#include "main_window.h"
#include "settings.h"
#include "sound.h"

std::vector<SoundRequest> soundRequests;

namespace {

BOOL WINAPI recordSound(LPCWSTR sound, UINT flags)
{
    int id = 500;
    for (; id <= 503; ++id) {
        HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), L"SOUND");
        HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
        if (loaded && LockResource(loaded) == sound)
            break;
    }
    soundRequests.push_back({id <= 503 ? id : -1, flags});
    return TRUE;
}

}  // namespace

Frame printFrame(HWND window) { return wintest::printedClient(window, FRAME_WIDTH, FRAME_HEIGHT); }

Frame screenFrame(HWND window, int zoom)
{
    return wintest::screenPixels(window, FRAME_WIDTH * zoom, FRAME_HEIGHT * zoom);
}

Frame renderedFrame(void (*render)(HDC)) { return wintest::capture(FRAME_WIDTH, FRAME_HEIGHT, render); }

void expectBox(const Frame& frame, int x, int y, const Picture& picture, int px, int py, int w, int h, int line)
{
    SCOPED_TRACE(testing::Message() << "box at (" << x << ", " << y << "), checked from line " << line);
    for (int dy = 0; dy < h; ++dy)
        for (int dx = 0; dx < w; ++dx) {
            const int fx = x + dx;
            const int fy = y + dy;
            if (fx < 0 || fy < 0 || fx >= FRAME_WIDTH || fy >= FRAME_HEIGHT)
                continue;
            if (frame.at(fx, fy) != picture.at(px + dx, py + dy)) {
                ADD_FAILURE() << "pixel (" << fx << ", " << fy << "): got " << std::hex << frame.at(fx, fy)
                              << ", expected " << picture.at(px + dx, py + dy);
                return;
            }
        }
}

void expectPictureAt(const Frame& frame, int bitmapId, int x, int y, int line)
{
    SCOPED_TRACE(testing::Message() << "bitmap " << bitmapId);
    const Picture picture = loadPicture(bitmapId);
    ASSERT_GT(picture.width, 0) << "bitmap missing from the resources, checked from line " << line;
    expectBox(frame, x, y, picture, 0, 0, picture.width, picture.height, line);
}

void expectDigitsAt(const Frame& frame, const char* digits, int x, int y, int line)
{
    SCOPED_TRACE(testing::Message() << "digits " << digits);
    for (int i = 0; digits[i]; ++i)
        expectPictureAt(frame, IDB_DIGIT_BASE + digits[i] - '0', x + 9 * i, y, line);
}

// How many drawing objects the process holds. Where the system does not
// count them (Wine's GetGuiResources answers 0), each slot of the handle
// table is asked: a handle whose upper word is 0 names its slot whatever
// object holds it now, so GetObjectType answers for exactly the slots in
// use. Counting by slots also holds when the table's free entries are many
// and scattered, which a count made by handing out new objects does not.
unsigned drawingObjectsInUse()
{
    const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted)
        return counted;
    unsigned inUse = 0;
    for (uintptr_t slot = 1; slot <= 0xFFFF; ++slot)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot)))
            ++inUse;
    return inUse;
}

void clearGameRegistry()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, COMPANY_KEY_PATH);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, KEY_CLICK_PATH, KEY_CLICK_VALUE);
}

void setRawValue(const wchar_t* path, const wchar_t* name, DWORD type, const void* data, DWORD size)
{
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, path, name, type, data, size), ERROR_SUCCESS);
}

std::wstring script()
{
    wchar_t text[512] = L"<none>";
    DWORD size = sizeof text - sizeof(wchar_t);
    RegGetValueW(HKEY_CURRENT_USER, KEY_CLICK_PATH, KEY_CLICK_VALUE, RRF_RT_REG_SZ, nullptr, text, &size);
    return text;
}

std::wstring keyClickRecord()
{
    wchar_t text[512] = L"";
    DWORD size = sizeof text - sizeof(wchar_t);
    const bool hasText =
        RegGetValueW(HKEY_CURRENT_USER, GAME_KEY_PATH, KEY_CLICK_RECORD_TEXT, RRF_RT_REG_SZ, nullptr, text, &size) ==
        ERROR_SUCCESS;
    const bool hasNone =
        RegGetValueW(HKEY_CURRENT_USER, GAME_KEY_PATH, KEY_CLICK_RECORD_NONE, RRF_RT_ANY, nullptr, nullptr, nullptr) ==
        ERROR_SUCCESS;
    if (!hasText && !hasNone)
        return L"<no record>";
    return (hasText ? L"text:" + std::wstring(text) : L"") + (hasText && hasNone ? L" " : L"") +
           (hasNone ? L"none" : L"");
}

void writeScript(const wchar_t* text) { ASSERT_EQ(writeStringValue(KEY_CLICK_PATH, KEY_CLICK_VALUE, text), 1); }

std::wstring storedScores()
{
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, SECTION_PATH, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return L"<no key>";
    std::wstring all;
    wchar_t name[32];
    DWORD nameLength = 32;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    for (DWORD i = 0;
         RegEnumValueW(key, i, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
         ERROR_NO_MORE_ITEMS;
         ++i, nameLength = 32, size = sizeof value) {
        all += (all.empty() ? L"" : L" ") + std::wstring(name);
        all += type == REG_DWORD && size == 4 ? L"=" + std::to_wstring(value) : L":" + std::to_wstring(type);
    }
    RegCloseKey(key);
    return all;
}

static_assert(SCREEN_WIDTH == FRAME_WIDTH && SCREEN_HEIGHT == FRAME_HEIGHT,
              "the desktop layer shows the handset's screen, which the game's frame fills");

void ShellTest::SetUp()
{
    resetGameState();
    resetShellState();
    forgetKeyClick();
    soundRequests.clear();
    setSoundPlayer(recordSound);
    // Gravity comes only from the steps a test sends itself.
    setPacerTimeScale(1000000);
    clearGameRegistry();
    // The handset's own size unless a test asks for a zoom.
    const DWORD zoomOne = 1;
    setRawValue(ZOOM_KEY, ZOOM_VALUE, REG_DWORD, &zoomOne, sizeof zoomOne);
    static ATOM registered = registerMainClass(GetModuleHandleW(nullptr));
    ASSERT_NE(registered, 0);
    if (createInSetUp)
        createMainWindow();
}

void ShellTest::createMainWindow()
{
    ASSERT_EQ(startGame(GetModuleHandleW(nullptr), SW_SHOWNORMAL), 1);
    pump();
}

void ShellTest::TearDown()
{
    if (IsWindow(shell.mainWindow))
        DestroyWindow(shell.mainWindow);
    for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) {
    }
    if (shell.appKey)
        RegCloseKey(shell.appKey);
    setSoundPlayer(nullptr);
    setPacerTimeScale(1000);
    resetShellState();
    forgetKeyClick();
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
