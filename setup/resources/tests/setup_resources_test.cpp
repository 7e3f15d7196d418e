// The launcher's resources as the launcher finds them, through the 8-bit
// calls it uses.
#include <windows.h>

#include <gtest/gtest.h>

#include "handed_out.h"
#include "resource_ids.h"
#include "resource_reader.h"

namespace {
HINSTANCE instance() { return GetModuleHandleA(nullptr); }
}  // namespace

TEST(LauncherResources, EverythingIsStoredInUsEnglish)
{
    resource_reader::ByLanguage found = resource_reader::resourcesByLanguage();
    EXPECT_EQ(found.size(), 1u) << "one language";
    EXPECT_FALSE(found[MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)].empty());
}

TEST(LauncherResources, WelcomeDialogCreatesWithItsIconAndPicture)
{
    // The template names its class; the launcher registers it first, as here.
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefDlgProcA;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = instance();
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    wc.lpszClassName = "SETUP_BEGIN";
    ASSERT_NE(RegisterClassA(&wc), 0);
    HWND dialog = CreateDialogParamA(instance(), MAKEINTRESOURCEA(IDD_WELCOME), nullptr, nullptr, 0);
    ASSERT_NE(dialog, nullptr) << "error " << GetLastError();
    EXPECT_NE(SendDlgItemMessageA(dialog, IDC_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0), 0) << "bitmap 304 not attached";
    int icons = 0;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if ((GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && SendMessageA(c, STM_GETICON, 0, 0))
            ++icons;
    EXPECT_EQ(icons, 1) << "icon 200 not attached";
    DestroyWindow(dialog);
    UnregisterClassA("SETUP_BEGIN", instance());
}

TEST(LauncherProgram, CarriesItsManifestAndVersion)
{
    wintest::expectHandedOutProgram(
        wintest::testFolder() + "\\..\\..\\setup.exe", "KubrelSE setup launcher", "SETUP.EXE");
}
