// The game's resources as the game finds them: by number, in its own module.
#include <windows.h>
#include <mmreg.h>
#include <msacm.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <tuple>

#include "geometry.h"
#include "resource_ids.h"
#include "resource_reader.h"
#include "tile_table.h"

using namespace resource_reader;

namespace {

int brightness(uint32_t c) { return int(((c >> 16) & 255) * 299 + ((c >> 8) & 255) * 587 + (c & 255) * 114) / 1000; }

// Hue in degrees, 0..359, and the distance between two hues.
int hue(uint32_t c) {
    double r = ((c >> 16) & 255) / 255.0, g = ((c >> 8) & 255) / 255.0, b = (c & 255) / 255.0;
    double mx = std::max({r, g, b}), mn = std::min({r, g, b}), d = mx - mn;
    if (d <= 0) return 0;
    double h = mx == r ? std::fmod((g - b) / d, 6.0) : mx == g ? (b - r) / d + 2 : (r - g) / d + 4;
    return (int(std::lround(h * 60)) + 360) % 360;
}
int hueDistance(int a, int b) { return std::min(std::abs(a - b) % 360, 360 - std::abs(a - b) % 360); }

// Pixels of the rectangle (right and bottom exclusive) that are not black and
// at least this bright; with 0, every pixel that is not black.
int inkIn(const StoredBitmap& bmp, Rect r, int minBrightness = 100) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += bmp.colour(x, y) != 0 && brightness(bmp.colour(x, y)) >= minBrightness;
    return n;
}

std::string tagAt(const std::vector<uint8_t>& b, size_t at) { return std::string(&b[at], &b[at] + 4); }

// 16-bit mono PCM at 8000 samples/s from GSM 6.10 data, through the
// platform's own audio codec.
std::vector<int16_t> decodeWithAcm(const uint8_t* format, std::vector<uint8_t> data) {
    alignas(8) uint8_t source[20];
    std::memcpy(source, format, sizeof source);
    WAVEFORMATEX pcm{WAVE_FORMAT_PCM, 1, 8000, 16000, 2, 16, 0};
    HACMSTREAM stream = nullptr;
    if (acmStreamOpen(&stream, nullptr, reinterpret_cast<WAVEFORMATEX*>(source), &pcm, nullptr, 0, 0,
                      ACM_STREAMOPENF_NONREALTIME) != MMSYSERR_NOERROR) {
        ADD_FAILURE() << "no codec converts this GSM 6.10 format";
        return {};
    }
    std::vector<int16_t> out(data.size() / 65 * 320 + 320);  // a block more than expected, to see any excess
    // size, status, user data, then source and destination: buffer, length, length used, user data
    ACMSTREAMHEADER header{sizeof header, 0, 0, data.data(), DWORD(data.size()), 0, 0,
                           reinterpret_cast<BYTE*>(out.data()), DWORD(out.size() * 2), 0, 0, {}};
    EXPECT_EQ(acmStreamPrepareHeader(stream, &header, 0), MMSYSERR_NOERROR);
    EXPECT_EQ(acmStreamConvert(stream, &header,
                               ACM_STREAMCONVERTF_BLOCKALIGN | ACM_STREAMCONVERTF_START | ACM_STREAMCONVERTF_END),
              MMSYSERR_NOERROR);
    acmStreamUnprepareHeader(stream, &header, 0);
    acmStreamClose(stream, 0);
    out.resize(header.cbDstLengthUsed / 2);
    return out;
}

using ByLanguage = std::map<WORD, std::vector<std::wstring>>;  // "type:id" of every resource
BOOL CALLBACK onLanguage(HMODULE, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR found) {
    (*reinterpret_cast<ByLanguage*>(found))[language].push_back(
        (IS_INTRESOURCE(type) ? std::to_wstring(uintptr_t(type)) : type) + L":" + std::to_wstring(uintptr_t(name)));
    return TRUE;
}
BOOL CALLBACK onName(HMODULE m, LPCWSTR type, LPWSTR name, LONG_PTR found) {
    return EnumResourceLanguagesW(m, type, name, onLanguage, found);
}
BOOL CALLBACK onType(HMODULE m, LPWSTR type, LONG_PTR found) { return EnumResourceNamesW(m, type, onName, found); }

// A menu's entries: "text=command", "text>" for a pop-up, "-" for a separator.
std::vector<std::wstring> entriesOf(HMENU menu) {
    std::vector<std::wstring> entries;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, UINT(i), text, 64, MF_BYPOSITION);
        entries.push_back(GetMenuState(menu, UINT(i), MF_BYPOSITION) & MF_SEPARATOR ? L"-"
                          : GetSubMenu(menu, i) ? text + std::wstring(L">")
                                                : text + (L"=" + std::to_wstring(GetMenuItemID(menu, i))));
    }
    return entries;
}

INT_PTR CALLBACK plainDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

}  // namespace

TEST(GameBitmaps, EveryPictureIsStoredAt8BitsWithItsOwnPaletteAndSize) {
    // id, width, height, bytes
    std::vector<std::tuple<int, int, int, size_t>> expected = {
        {400, 176, 180, 32744}, {401, 36, 24, 1928},    {402, 36, 24, 1928}, {403, 24, 24, 1640},
        {404, 48, 12, 1640},    {405, 36, 24, 1928},    {406, 36, 24, 1928}, {407, 36, 24, 1928},
        {415, 85, 22, 3000},    {426, 119, 167, 21104}, {428, 85, 22, 3000}, {429, 119, 167, 21104}};
    for (int type = 1; type <= 7; ++type) expected.push_back({IDB_CELL_BASE + type, 12, 12, 1208});
    for (int digit = 0; digit <= 9; ++digit) expected.push_back({IDB_DIGIT_BASE + digit, 9, 12, 1208});
    for (auto [id, width, height, bytes] : expected) {
        SCOPED_TRACE("bitmap " + std::to_string(id));
        HBITMAP loaded = LoadBitmapW(self(), MAKEINTRESOURCEW(id));
        BITMAP info{};
        EXPECT_EQ(GetObjectW(loaded, sizeof info, &info), int(sizeof info)) << "LoadBitmapW failed";
        DeleteObject(loaded);
        std::vector<uint8_t> raw = bytesOf(MAKEINTRESOURCEW(2), id);
        StoredBitmap bmp = parseBitmap(raw);
        ASSERT_TRUE(bmp.valid);
        EXPECT_EQ(raw.size(), bytes);
        EXPECT_EQ(bmp.expectedSize(), raw.size()) << "nothing but header, palette and rows";
        // header size, width, height (positive: rows bottom-up), planes, bits, compression, palette
        EXPECT_EQ(std::make_tuple(bmp.headerSize, bmp.width, bmp.height, bmp.planes, bmp.bitCount, bmp.compression,
                                  bmp.paletteEntries),
                  std::make_tuple(40u, width, height, uint16_t(1), uint16_t(8), 0u, size_t(256)));
    }
}

TEST(GameBitmaps, CellsAreBevelledInSevenColoursAndPreviewsAreTheSpawnShapesMadeOfThem) {
    initLayout();
    const Rect& next = screenLayout.nextRect;
    const int expectedHue[7] = {0, 30, 55, 125, 188, 315, 262};  // red, orange, yellow, green, cyan, magenta, violet
    for (int type = 1; type <= 7; ++type) {
        SCOPED_TRACE("piece type " + std::to_string(type));
        StoredBitmap cell = storedBitmap(IDB_CELL_BASE + type), preview = storedBitmap(IDB_PREVIEW_BASE + type);
        ASSERT_TRUE(cell.valid && preview.valid);
        int middle = brightness(cell.colour(6, 6));
        EXPECT_LE(hueDistance(hue(cell.colour(6, 6)), expectedHue[type - 1]), 18) << "hue " << hue(cell.colour(6, 6));
        EXPECT_GT(brightness(cell.colour(6, 0)), middle) << "top edge";
        EXPECT_GT(brightness(cell.colour(0, 6)), middle) << "left edge";
        EXPECT_LT(brightness(cell.colour(6, 11)), middle) << "bottom edge";
        EXPECT_LT(brightness(cell.colour(11, 6)), middle) << "right edge";

        // The preview is the type's spawn tile cut to its bounding box, a cell
        // picture on every occupied square and black elsewhere.
        const uint8_t* mask = tileTable[type - 1];
        int top = 4, left = 4, bottom = -1, right = -1;
        for (int i = 0; i < 16; ++i)
            if (mask[i]) top = std::min(top, i / 4), bottom = std::max(bottom, i / 4),
                         left = std::min(left, i % 4), right = std::max(right, i % 4);
        ASSERT_EQ(preview.width, (right - left + 1) * 12);
        ASSERT_EQ(preview.height, (bottom - top + 1) * 12);
        int wrong = 0;
        for (int y = 0; y < preview.height; ++y)
            for (int x = 0; x < preview.width; ++x)
                wrong += preview.colour(x, y) !=
                         (mask[(top + y / 12) * 4 + left + x / 12] ? cell.colour(x % 12, y % 12) : 0u);
        EXPECT_EQ(wrong, 0) << "pixels that are neither the cell picture nor black off the shape";

        // Centred on nextRect as the paint does, it stays on the NEXT box.
        int x = next.left + (next.right - next.left - preview.width) / 2;
        int y = next.top + (next.bottom - next.top - preview.height) / 2;
        EXPECT_TRUE(x >= 126 && x + preview.width <= 174 && y >= 138 && y + preview.height <= 174)
            << "lands at (" << x << ", " << y << ") outside the black box";
    }
}

TEST(GameBitmaps, DigitsAreYellowOnBlackAndEasyToTellApart) {
    std::vector<StoredBitmap> digits;
    for (int d = 0; d <= 9; ++d) {
        SCOPED_TRACE("digit " + std::to_string(d));
        digits.push_back(storedBitmap(IDB_DIGIT_BASE + d));
        const StoredBitmap& bmp = digits.back();
        ASSERT_TRUE(bmp.valid);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 9; ++x)
                EXPECT_TRUE(bmp.colour(x, y) == 0 || hueDistance(hue(bmp.colour(x, y)), 50) <= 15)
                    << "ink at (" << x << ", " << y << ") is not yellow";
        EXPECT_GE(inkIn(bmp, {0, 0, 9, 12}, 0), 14);
        EXPECT_EQ(inkIn(bmp, {0, 0, 9, 1}, 0), 0) << "top rim";
        EXPECT_EQ(inkIn(bmp, {0, 0, 1, 12}, 0) + inkIn(bmp, {8, 0, 9, 12}, 0), 0) << "gaps to the neighbours";
    }
    for (int a = 0; a <= 9; ++a)
        for (int b = a + 1; b <= 9; ++b) {
            int differ = 0;
            for (int y = 0; y < 12; ++y)
                for (int x = 0; x < 9; ++x) differ += (digits[a].colour(x, y) == 0) != (digits[b].colour(x, y) == 0);
            EXPECT_GE(differ, 8) << "digits " << a << " and " << b << " look alike";
        }
}

TEST(GameBitmaps, BackgroundHasLabelledBlackBoxesUnderItsNumbersAndAStarryWell) {
    initLayout();
    StoredBitmap bg = storedBitmap(IDB_BACKGROUND);
    ASSERT_TRUE(bg.valid);
    // label, the layout rectangle drawn into the box, the black box x 126..173 from top to bottom inclusive
    const std::tuple<const char*, Rect, int, int> panels[] = {{"SCORE", screenLayout.scoreRect, 23, 37},
                                                             {"LEVEL", screenLayout.levelRect, 79, 93},
                                                             {"NEXT", screenLayout.nextRect, 138, 173}};
    for (auto [label, inside, top, bottom] : panels) {
        SCOPED_TRACE(label);
        EXPECT_EQ(inkIn(bg, {126, top, 174, bottom + 1}, 0), 0) << "box is not black";
        EXPECT_TRUE(inside.left >= 126 && inside.right <= 174 && inside.top >= top && inside.bottom <= bottom + 1)
            << "layout rectangle sticks out of the box";
        EXPECT_GE(inkIn(bg, {126, top - 12, 174, top - 1}), 15) << "no label above the box";
    }
    // The well is dark, so the cells stand out, but not empty: stars.
    const Rect& well = screenLayout.playfieldRect;
    int stars = inkIn(bg, well, 60);
    EXPECT_GT(stars, 20);
    EXPECT_LT(stars, (well.right - well.left) * (well.bottom - well.top) / 50);
}

TEST(GameBitmaps, HighScoreBoardLeavesTheScoreRowsFreeBesideThePlaceLabels) {
    StoredBitmap board = storedBitmap(IDB_HISCORE_BOARD);
    ASSERT_TRUE(board.valid);
    // The board is drawn at the well's corner (3, 6); place i's score goes
    // into the frame rectangle (50, 46 + 25i)-(100, 58 + 25i).
    for (int place = 0; place < 5; ++place) {
        SCOPED_TRACE("place " + std::to_string(place + 1));
        int top = 46 + 25 * place - 6, bottom = 58 + 25 * place - 6;
        EXPECT_EQ(inkIn(board, {50 - 3, top, 100 - 3, bottom}, 0), 0) << "score row is not black";
        EXPECT_GE(inkIn(board, {4, top, 44, bottom}), 12) << "no place label";
    }
    EXPECT_GE(inkIn(board, {4, 4, 115, 30}), 80) << "no heading";
}

TEST(GameIcon, GroupOf300HoldsThreeImages) {
    EXPECT_NE(LoadIconW(self(), MAKEINTRESOURCEW(IDI_GAME)), nullptr);
    std::vector<uint8_t> group = bytesOf(MAKEINTRESOURCEW(14), IDI_GAME);
    ASSERT_EQ(group.size(), 6u + 3 * 14);
    EXPECT_EQ(u16(group, 2), 1u) << "type: icon";
    using Image = std::tuple<unsigned, unsigned, unsigned, unsigned, size_t>;  // width, height, colours, bits, bytes
    const Image images[3] = {{32, 32, 16, 4, 744}, {16, 16, 16, 4, 296}, {32, 32, 0, 8, 2216}};
    ASSERT_EQ(u16(group, 4), 3u);
    for (unsigned i = 0; i < 3; ++i) {
        SCOPED_TRACE("icon image " + std::to_string(i + 1));
        auto [width, height, colours, bits, bytes] = images[i];
        size_t at = 6 + i * 14;
        EXPECT_EQ(Image(group[at], group[at + 1], group[at + 2], u16(group, at + 6), u32(group, at + 8)), images[i]);
        EXPECT_EQ(u16(group, at + 12), i + 1) << "image id";
        std::vector<uint8_t> image = bytesOf(MAKEINTRESOURCEW(3), int(i + 1));
        EXPECT_EQ(Image(u32(image, 4), u32(image, 8), colours, u16(image, 14), image.size()),
                  Image(width, 2 * height, colours, bits, bytes)) << "the image's own header counts image and mask";
    }
}

TEST(Languages, TheIconIsStoredIn1028AndEverythingElseIn1033) {
    ByLanguage found;
    EnumResourceTypesW(self(), onType, reinterpret_cast<LONG_PTR>(&found));
    EXPECT_EQ(found[1028], (std::vector<std::wstring>{L"3:1", L"3:2", L"3:3", L"14:300"}));
    EXPECT_EQ(found[1033].size(), 62u) << "29 bitmaps, 4 sounds, 20 masks, 2 bars, 2 menus, 2 dialogs, 3 string blocks";
    EXPECT_EQ(found.size(), 2u) << "no third language";
}

TEST(PieceMasks, EveryTileResourceHoldsTheEngineMask) {
    for (int tile = 1; tile <= TILE_COUNT; ++tile) {
        SCOPED_TRACE("tile " + std::to_string(tile));
        std::vector<uint8_t> mask = bytesOf(L"TILE", IDT_TILE_BASE + tile);
        EXPECT_EQ(mask, std::vector<uint8_t>(tileTable[tile - 1], tileTable[tile - 1] + TILE_BYTES));
    }
}

TEST(Sounds, EachIsAWaveImageWithExactlyItsChunksAndAudibleTones) {
    using Chunks = std::vector<std::pair<std::string, uint32_t>>;
    auto gsmChunks = [](uint32_t data) {
        return Chunks{{"fmt ", 20}, {"fact", 4}, {"data", data}, {"LIST", 18}, {"DISP", 6}};
    };
    const std::vector<uint16_t> gsm = {49, 1, 8000, 0, 1625, 0, 65, 0, 2, 320};  // 65-byte blocks of 320 samples
    struct Expected {
        int id;
        size_t bytes;
        Chunks chunks;
        std::vector<uint16_t> format;  // the fmt chunk as 16-bit words
        double minRms, maxCrossings;   // level in the stored sample units; share of sign changes
    };
    const Expected sounds[] = {{IDS_SOUND_LANDED, 296, gsmChunks(195), gsm, 800, .35},
                               {IDS_SOUND_TURNED, 750, gsmChunks(650), gsm, 800, .35},
                               {IDS_SOUND_ROWS, 1336, gsmChunks(1235), gsm, 800, .35},
                               {IDS_SOUND_GAME_OVER, 14392, {{"fmt ", 16}, {"data", 14348}},
                                {1, 1, 11025, 0, 11025, 0, 1, 8}, 12, .2}};
    for (const Expected& s : sounds) {
        SCOPED_TRACE("sound " + std::to_string(s.id));
        std::vector<uint8_t> wave = bytesOf(L"sound", s.id);  // the game asks for the type in lower case
        ASSERT_EQ(wave.size(), s.bytes);
        EXPECT_EQ(tagAt(wave, 0) + tagAt(wave, 8), "RIFFWAVE");
        EXPECT_EQ(u32(wave, 4), wave.size() - 8);
        Chunks found;
        std::vector<size_t> body;  // where each chunk's data starts
        size_t at = 12;
        for (; at + 8 <= wave.size(); at += 8 + found.back().second + (found.back().second & 1)) {
            found.push_back({tagAt(wave, at), u32(wave, at + 4)});
            body.push_back(at + 8);
        }
        EXPECT_EQ(at, wave.size()) << "chunks do not end with the image";
        ASSERT_EQ(found, s.chunks);
        std::vector<uint16_t> format(s.format.size());
        std::memcpy(format.data(), &wave[body[0]], format.size() * 2);
        EXPECT_EQ(format, s.format);

        std::vector<double> samples;
        if (s.format[0] == WAVE_FORMAT_PCM) {
            samples.assign(&wave[body[1]], &wave[body[1]] + found[1].second);
            for (double& v : samples) v -= 128;
        } else {
            EXPECT_EQ(u32(wave, body[1]), found[2].second / 65 * 320) << "fact: samples";
            EXPECT_EQ(0, std::memcmp(&wave[body[3]], "INFOIGNR\x06\0\0\0Other\0", 18));
            std::vector<int16_t> pcm =
                decodeWithAcm(&wave[body[0]], {&wave[body[2]], &wave[body[2]] + found[2].second});
            EXPECT_EQ(pcm.size(), found[2].second / 65 * 320);
            samples.assign(pcm.begin(), pcm.end());
        }
        ASSERT_GT(samples.size(), 1u);
        double energy = 0;
        int crossings = 0;
        for (size_t i = 0; i < samples.size(); ++i)
            energy += samples[i] * samples[i], crossings += i && (samples[i - 1] < 0) != (samples[i] < 0);
        EXPECT_GT(std::sqrt(energy / double(samples.size())), s.minRms) << "close to silence";
        // Neighbouring samples change sign about half the time in white noise, far less in tones.
        EXPECT_LT(double(crossings) / double(samples.size() - 1), s.maxCrossings) << "sounds like noise";
    }
}

TEST(Menus, SoftkeyBarsAreTheListedWordsAndMenusHaveTheirTextsAndCommands) {
    const std::pair<int, std::vector<uint16_t>> bars[] = {
        {IDM_MAIN_BAR,
         {100, 2, 0xFFFE, 201, 0x0004, 0x0010, 40010, 0, 0xFFFF, 0xFFFE, 202, 0x0004, 0x0018, 40011, 0, 1}},
        {IDM_DIALOG_BAR, {101, 1, 0xFFFE, 205, 0x0004, 0x0010, 40012, 0, 0xFFFF}}};
    for (const auto& bar : bars) {
        std::vector<uint8_t> raw = bytesOf(MAKEINTRESOURCEW(10) /* RT_RCDATA */, bar.first);
        std::vector<uint16_t> words(raw.size() / 2 + raw.size() % 2);
        std::memcpy(words.data(), raw.data(), raw.size());
        EXPECT_EQ(words, bar.second) << "menu bar " << bar.first;
    }

    HMENU main = LoadMenuW(self(), MAKEINTRESOURCEW(IDM_MAIN_BAR));
    HMENU dialog = LoadMenuW(self(), MAKEINTRESOURCEW(IDM_DIALOG_BAR));
    ASSERT_TRUE(main && dialog);
    EXPECT_EQ(entriesOf(main), (std::vector<std::wstring>{L"Start=201", L"Menu>"}));
    EXPECT_EQ(entriesOf(GetSubMenu(main, 1)),
              (std::vector<std::wstring>{L"&1. Sound On=40018", L"&2. Sound Off=40019", L"&3. Pause\t(#)=40020", L"-",
                                         L"&4. HiScore...=40021", L"&5. About...=203", L"&6. Quit=204"}));
    EXPECT_EQ(entriesOf(dialog), std::vector<std::wstring>{L"OK=205"});
    DestroyMenu(main);
    DestroyMenu(dialog);
}

TEST(Dialogs, TemplatesHaveTheirStylesFontsAndControlsAndTheAboutBoxShowsTheIcon) {
    auto header = [](const DialogTemplate& d) {
        return std::make_tuple(d.style, d.exStyle, d.x, d.y, d.cx, d.cy, d.menu, d.className, d.caption, d.pointSize, d.face);
    };
    auto control = [](const DialogItem& c) {
        return std::make_tuple(c.style, c.exStyle, c.x, c.y, c.cx, c.cy, c.id, c.classOrdinal, c.className,
                               c.textOrdinal, c.text);
    };
    DialogTemplate board = parseDialog(bytesOf(MAKEINTRESOURCEW(5), IDD_HISCORE));
    DialogTemplate about = parseDialog(bytesOf(MAKEINTRESOURCEW(5), IDD_ABOUT));
    ASSERT_TRUE(board.valid && about.valid);
    // valid, style, extended style, x, y, cx, cy, menu, class, caption, face, point size
    const DialogTemplate expectedBoard{true, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0, 0, 0,
                                       103, 98, L"", L"", L"Kubrel SE", L"System", 10, {}};
    const DialogTemplate expectedAbout{true, WS_VISIBLE | DS_SETFONT, 0, 0, 0, 114, 108, L"", L"", L"", L"Tahoma", 9,
                                       {}};
    EXPECT_EQ(header(board), header(expectedBoard));
    EXPECT_TRUE(board.items.empty());
    EXPECT_EQ(header(about), header(expectedAbout));
    ASSERT_EQ(about.items.size(), 3u);
    // style, extended style, x, y, cx, cy, id, class (0x82: static), class name, icon number, text
    const DWORD text = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT;
    const DWORD icon = WS_CHILD | WS_VISIBLE | SS_ICON;
    const DialogItem items[3] = {{text, 0, 32, 8, 73, 20, 0xFFFF, 0x82, L"", 0, L"KubrelSE - Smartphone Edition", 0},
                                 {text, 0, 4, 32, 61, 8, 0xFFFF, 0x82, L"", 0, L"Version 1.2", 0},
                                 {icon, 0, 4, 6, 20, 20, 0xFFFF, 0x82, L"", IDI_GAME, L"", 0}};
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(control(about.items[i]), control(items[i])) << "about box control " << i;

    HRSRC found = FindResourceW(self(), MAKEINTRESOURCEW(IDD_ABOUT), MAKEINTRESOURCEW(5));
    auto data = static_cast<LPCDLGTEMPLATEW>(LockResource(LoadResource(self(), found)));
    HWND box = CreateDialogIndirectParamW(self(), data, nullptr, plainDialogProc, 0);
    ASSERT_NE(box, nullptr);
    HWND iconControl = nullptr;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if ((GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) iconControl = c;
    ASSERT_NE(iconControl, nullptr);
    EXPECT_NE(SendMessageW(iconControl, STM_GETICON, 0, 0), 0) << "icon 300 was not found for the control";
    DestroyWindow(box);
}

TEST(Strings, EveryGameTextLoadsAsWritten) {
    const std::pair<int, std::wstring> texts[] = {
        {10003, L"About KubrelSE"}, {10005, L"Restart"},   {10008, L"MainSection"},
        {10012, L"KubrelSE"},       {10013, L"Do you want to quit this game ?"},
        {10014, L"HiScore1"},       {10015, L"HiScore2"},  {10016, L"HiScore3"},
        {10017, L"HiScore4"},       {10018, L"HiScore5"},  {40010, L"Start"},
        {40011, L"Menu"},           {40012, L"Continue"}};
    for (const auto& t : texts) {
        wchar_t buffer[128] = {};
        int length = LoadStringW(self(), UINT(t.first), buffer, 128);
        EXPECT_EQ(std::make_pair(length, std::wstring(buffer)), std::make_pair(int(t.second.size()), t.second))
            << "string " << t.first;
    }
}
