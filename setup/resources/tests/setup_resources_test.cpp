// The launcher's resources as the launcher finds them, through the 8-bit
// calls it uses.
#include <windows.h>

#include <gtest/gtest.h>

#include "handed_out.h"
#include "program_under_test.h"
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

// The welcome dialog created from the resources; the template names its
// class, which the launcher registers first, as here.
struct WelcomeDialog {
    HWND window = nullptr;
    WelcomeDialog()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefDlgProcA;
        wc.cbWndExtra = DLGWINDOWEXTRA;
        wc.hInstance = instance();
        wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
        wc.lpszClassName = "SETUP_BEGIN";
        if (RegisterClassA(&wc))
            window = CreateDialogParamA(instance(), MAKEINTRESOURCEA(IDD_WELCOME), nullptr, nullptr, 0);
    }
    WelcomeDialog(const WelcomeDialog&) = delete;
    ~WelcomeDialog()
    {
        if (window)
            DestroyWindow(window);
        UnregisterClassA("SETUP_BEGIN", instance());
    }
};

TEST(LauncherResources, WelcomeDialogCreatesWithItsIconAndPicture)
{
    WelcomeDialog dialog;
    ASSERT_NE(dialog.window, nullptr) << "error " << GetLastError();
    EXPECT_NE(SendDlgItemMessageA(dialog.window, IDC_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0), 0)
        << "bitmap 304 not attached";
    int icons = 0;
    for (HWND c = GetWindow(dialog.window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if ((GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && SendMessageA(c, STM_GETICON, 0, 0))
            ++icons;
    EXPECT_EQ(icons, 1) << "icon 200 not attached";
}

// setup.exe as built, read from its file.
TEST(LauncherProgram, CarriesItsManifestAndAVersionWithTheWelcomeDialogsCopyright)
{
    const std::string program = wintest::testFolder() + "\\..\\..\\setup.exe";
    resource_reader::ProgramFile file(program);
    ASSERT_NE(file.module, nullptr) << program;
    wintest::expectManifestOfAProgramWeHandOut(file.manifest());
    wintest::expectVersionOfAProgramWeHandOut(program, "KubrelSE setup launcher", "SETUP.EXE");

    // The legal notice's two lines in the dialog begin with the version's copyright.
    WelcomeDialog dialog;
    ASSERT_NE(dialog.window, nullptr);
    std::string notice;
    for (HWND c = GetWindow(dialog.window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        const std::string text = wintest::textOf(c);
        if (text.rfind("Copyright", 0) == 0)
            notice = text + " " + wintest::textOf(GetWindow(c, GW_HWNDNEXT));
    }
    EXPECT_EQ(notice.rfind(resource_reader::versionOf(program)["LegalCopyright"], 0), 0u) << notice;
}
