// The launcher's resources as the launcher finds them, through the 8-bit
// calls it uses.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <tuple>

#include "resource_ids.h"
#include "resource_reader.h"

using namespace resource_reader;

namespace {
const std::vector<WORD> onlyEnglish = {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)};
HINSTANCE instance() { return GetModuleHandleA(nullptr); }
}  // namespace

TEST(LauncherStrings, EveryTextLoadsAsWritten) {
    struct Text {
        int id;
        const char* text;
    };
    const Text texts[] = {
        {IDS_READ_ERROR, "SETUP.INF reading error !\nPlease check the installation procedures in README.TXT !"},
        {IDS_SECTION_MAIN, "Main"},
        {IDS_ABORT_QUESTION, "Do you really want to abort the %s installation !"},
        {IDS_SETUP_PROGRAM, " Setup Program"},
        {IDS_KEY_PRODUCT, "ProductName"},
        {IDS_SECTION_STARTUP, "Startup"},
        {IDS_KEY_TITLE, "Title"},
        {IDS_KEY_MIPS, "MIPS"},
        {IDS_KEY_SH3, "SH3"},
        {IDS_KEY_ARM, "ARM"},
        {IDS_NO_APP_MANAGER, "Please install ActiveSync 3.0 (or above) before running this setup program !"},
    };
    for (const Text& t : texts) {
        SCOPED_TRACE("string " + std::to_string(t.id));
        char buffer[256] = {};
        int length = LoadStringA(instance(), UINT(t.id), buffer, sizeof buffer);
        EXPECT_EQ(length, int(std::strlen(t.text)));
        EXPECT_STREQ(buffer, t.text);
        EXPECT_EQ(languagesOf(MAKEINTRESOURCEW(6), t.id / 16 + 1), onlyEnglish);
    }
}

TEST(LauncherDialog, WelcomeTemplateHasItsFifteenControlsInOrder) {
    DialogTemplate d = parseDialog(bytesOf(MAKEINTRESOURCEW(5), IDD_WELCOME));
    ASSERT_TRUE(d.valid);
    // No system menu; 280 x 183 units; class, caption, font and no menu.
    EXPECT_EQ(std::make_tuple(d.style, d.exStyle, d.cx, d.cy),
              std::make_tuple(DWORD(WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_SETFONT), DWORD(0),
                              short(280), short(183)));
    EXPECT_EQ(std::make_tuple(d.className, d.caption, d.pointSize, d.face, d.menu),
              std::make_tuple(std::wstring(L"SETUP_BEGIN"), std::wstring(L"Setup"), WORD(8), std::wstring(L"Arial"),
                              std::wstring()));

    const DWORD child = WS_CHILD | WS_VISIBLE;
    const DWORD text = child | WS_GROUP | SS_LEFT;
    struct Control {
        WORD id;
        WORD kind;  // 0x80 button, 0x82 static
        short x, y, cx, cy;
        DWORD style, exStyle;
        const wchar_t* text;
        WORD picture;
    };
    const Control controls[15] = {
        {1, 0x80, 173, 162, 43, 14, child | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0, L"&Next >", 0},
        {2, 0x80, 225, 162, 43, 14, child | WS_TABSTOP | BS_PUSHBUTTON, 0, L"Cancel", 0},
        {1006, 0x82, 5, 155, 264, 1, child | SS_BLACKFRAME, WS_EX_STATICEDGE, L"", 0},
        {1023, 0x82, 123, 10, 145, 8, text, 0, L" Welcome to the Setup Program.", 0},
        {1024, 0x82, 124, 19, 145, 16, text, 0, L"This program will install %s into your Pocket PC.", 0},
        {0xFFFF, 0x82, 96, 76, 170, 8, text, 0, L"Click Cancel to quit Setup and then close any", 0},
        {0xFFFF, 0x82, 96, 10, 20, 20, child | SS_ICON, 0, L"", IDI_SETUP},
        {1022, 0x82, 6, 10, 80, 136, child | WS_DISABLED | SS_BITMAP, WS_EX_STATICEDGE, L"", IDB_WELCOME_PICTURE},
        {0xFFFF, 0x82, 96, 46, 172, 8, text, 0, L"It is strongly recommended that you exit all Windows ", 0},
        {0xFFFF, 0x82, 96, 56, 170, 8, text, 0, L"programs before running this Setup program.", 0},
        {0xFFFF, 0x82, 96, 86, 170, 8, text, 0, L"programs you have running.", 0},
        {0xFFFF, 0x82, 96, 102, 170, 8, text, 0, L"Click Next to continue with the Setup program.", 0},
        {0xFFFF, 0x82, 96, 125, 172, 8, text, 0, nullptr, 0},  // the legal notice: our own words
        {0xFFFF, 0x82, 96, 135, 170, 8, text, 0, nullptr, 0},
        {3, 0x80, 130, 162, 43, 14, child | WS_DISABLED | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0, L"< &Back", 0},
    };
    ASSERT_EQ(d.items.size(), 15u);
    for (size_t i = 0; i < 15; ++i) {
        SCOPED_TRACE("control " + std::to_string(i) + " (" + narrow(d.items[i].text) + ")");
        const DialogItem& it = d.items[i];
        const Control& want = controls[i];
        EXPECT_EQ(std::tie(it.id, it.classOrdinal, it.x, it.y, it.cx, it.cy, it.style, it.exStyle, it.textOrdinal),
                  std::tie(want.id, want.kind, want.x, want.y, want.cx, want.cy, want.style, want.exStyle,
                           want.picture));
        if (want.text)
            EXPECT_EQ(it.text, want.text);
        else
            EXPECT_GT(it.text.size(), 20u) << "the legal notice line is missing";
    }
    EXPECT_EQ(languagesOf(MAKEINTRESOURCEW(5), IDD_WELCOME), onlyEnglish);
}

TEST(LauncherDialog, WelcomeDialogCreatesWithItsIconAndPicture) {
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
    EXPECT_NE(SendDlgItemMessageA(dialog, IDC_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0), 0)
        << "bitmap 304 not attached";
    int icons = 0;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if ((GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && SendMessageA(c, STM_GETICON, 0, 0)) ++icons;
    EXPECT_EQ(icons, 1) << "icon 200 not attached";
    DestroyWindow(dialog);
    UnregisterClassA("SETUP_BEGIN", instance());
}

TEST(LauncherArt, IconAndPictureAreSixteenColourPicturesOfTheirSizes) {
    EXPECT_NE(LoadIconA(instance(), MAKEINTRESOURCEA(IDI_SETUP)), nullptr);
    std::vector<uint8_t> group = bytesOf(MAKEINTRESOURCEW(14), IDI_SETUP);
    ASSERT_EQ(group.size(), 6u + 14);
    EXPECT_EQ(u16(group, 4), 1u) << "one image";
    EXPECT_EQ(group[6], 32);
    EXPECT_EQ(group[7], 32);
    EXPECT_EQ(group[8], 16) << "colours";
    EXPECT_EQ(u16(group, 6 + 6), 4u) << "bits per pixel";
    std::vector<uint8_t> image = bytesOf(MAKEINTRESOURCEW(3), u16(group, 6 + 12));
    EXPECT_EQ(image.size(), 744u);
    EXPECT_EQ(u32(group, 6 + 8), 744u);
    EXPECT_EQ(languagesOf(MAKEINTRESOURCEW(14), IDI_SETUP), onlyEnglish);

    StoredBitmap bmp = storedBitmap(IDB_WELCOME_PICTURE);
    ASSERT_TRUE(bmp.valid);
    EXPECT_EQ(bmp.width, 118);
    EXPECT_EQ(bmp.bitCount, 4);
    EXPECT_EQ(bmp.paletteEntries, 16u);
    EXPECT_EQ(bmp.height, 234) << "bottom-up rows";
    EXPECT_EQ(bmp.expectedSize(), bmp.bytes.size());
    std::set<unsigned> used;
    for (int y = 0; y < bmp.height; ++y)
        for (int x = 0; x < bmp.width; ++x) used.insert(bmp.index(x, y));
    EXPECT_GE(used.size(), 8u) << "a picture, not a blank";
    EXPECT_EQ(languagesOf(MAKEINTRESOURCEW(2), IDB_WELCOME_PICTURE), onlyEnglish);
    EXPECT_EQ(FindResourceA(instance(), MAKEINTRESOURCEA(IDB_BACKDROP_PICTURE), MAKEINTRESOURCEA(2)), nullptr)
        << "the backdrop draws no picture: 307 is not shipped";
}
