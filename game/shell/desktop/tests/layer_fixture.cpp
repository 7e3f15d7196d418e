#include "layer_fixture.h"

#include <cstdlib>

int expectedZoom()
{
    const char* zoom = std::getenv("KUBRELSE_EXPECTED_ZOOM");
    return zoom ? std::atoi(zoom) : 0;
}

Pixels framePicture()
{
    Pixels picture{STAND_IN_WIDTH, STAND_IN_HEIGHT, {}};
    picture.rgb.assign(standIn.picture, standIn.picture + STAND_IN_WIDTH * STAND_IN_HEIGHT);
    return picture;
}

Pixels shownFrame(HWND window, int zoom)
{
    return wintest::screenPixels(window, STAND_IN_WIDTH * zoom, STAND_IN_HEIGHT * zoom);
}

void expectSamePicture(const Pixels& got, const Pixels& want, int line)
{
    ASSERT_EQ(got.width, want.width) << "checked from line " << line;
    ASSERT_EQ(got.height, want.height) << "checked from line " << line;
    for (size_t i = 0; i < want.rgb.size(); ++i)
        if (got.rgb[i] != want.rgb[i]) {
            ADD_FAILURE() << "pixel (" << i % want.width << ", " << i / want.width << "): got " << std::hex
                          << got.rgb[i] << ", expected " << want.rgb[i] << ", checked from line " << std::dec << line;
            return;
        }
}

void storeZoom(const wchar_t* path, DWORD type, const void* data, DWORD size)
{
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, path, ZOOM_VALUE, type, data, size), ERROR_SUCCESS);
}

long keptZoom(const wchar_t* path)
{
    DWORD kept = 0;
    DWORD size = sizeof kept;
    return RegGetValueW(HKEY_CURRENT_USER, path, ZOOM_VALUE, RRF_RT_REG_DWORD, nullptr, &kept, &size) == ERROR_SUCCESS
               ? long(kept)
               : -1;
}

void LayerTest::SetUp()
{
    const DWORD one = 1;
    storeZoom(ZOOM_KEY, REG_DWORD, &one, sizeof one);
    if (openInSetUp)
        open();
}

void LayerTest::open()
{
    ASSERT_NE(openStandIn(), nullptr);
    pump();
}

void LayerTest::reopen()
{
    closeStandIn();
    pump();
    open();
}

void LayerTest::TearDown()
{
    closeStandIn();
    pump();
}

void LayerTest::ctrlKey(WPARAM virtualKey)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    key(virtualKey);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
}

int LayerTest::largestZoom()
{
    int largest = 0;
    while (GetMenuState(GetSystemMenu(frame(), FALSE), SC_ZOOM_BASE + SC_ZOOM_STEP * (largest + 1), MF_BYCOMMAND) !=
           UINT(-1))
        ++largest;
    return largest;
}

std::vector<LONG> LayerTest::clientSize()
{
    const std::vector<LONG> r = wintest::rectOf(frame(), true);
    return {r[2] - r[0], r[3] - r[1]};
}
