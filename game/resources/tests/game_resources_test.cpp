// The game's resources as the game finds them, by number in its own module,
// against what its code computes and draws: the numbers it adds up, the
// boxes it draws the pictures into, the masks of the engine, the sounds as
// the platform plays them.
#include <windows.h>
#include <mmreg.h>
#include <msacm.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "geometry.h"
#include "handed_out.h"
#include "resource_ids.h"
#include "resource_reader.h"
#include "tile_table.h"

using namespace resource_reader;

namespace {

// Pixels of the w x h box at (x, y) of a picture that are not black.
int inkIn(const Pixels& p, int x, int y, int w, int h)
{
    int n = 0;
    for (int dy = 0; dy < h; ++dy)
        for (int dx = 0; dx < w; ++dx)
            n += p.at(x + dx, y + dy) != 0;
    return n;
}

// 16-bit mono PCM at 8000 samples/s from GSM 6.10 data, through the
// platform's own audio codec.
std::vector<int16_t> decodeWithAcm(const uint8_t* format, std::vector<uint8_t> data)
{
    alignas(8) uint8_t source[20];
    std::memcpy(source, format, sizeof source);
    WAVEFORMATEX pcm{WAVE_FORMAT_PCM, 1, 8000, 16000, 2, 16, 0};
    HACMSTREAM stream = nullptr;
    if (acmStreamOpen(&stream,
                      nullptr,
                      reinterpret_cast<WAVEFORMATEX*>(source),
                      &pcm,
                      nullptr,
                      0,
                      0,
                      ACM_STREAMOPENF_NONREALTIME) != MMSYSERR_NOERROR) {
        ADD_FAILURE() << "no codec converts this GSM 6.10 format";
        return {};
    }
    std::vector<int16_t> out(data.size() / 65 * 320 + 320);  // a block more than expected, to see any excess
    // size, status, user data, then source and destination: buffer, length, length used, user data
    ACMSTREAMHEADER header{sizeof header,
                           0,
                           0,
                           data.data(),
                           DWORD(data.size()),
                           0,
                           0,
                           reinterpret_cast<BYTE*>(out.data()),
                           DWORD(out.size() * 2),
                           0,
                           0,
                           {}};
    EXPECT_EQ(acmStreamPrepareHeader(stream, &header, 0), MMSYSERR_NOERROR);
    EXPECT_EQ(acmStreamConvert(
                  stream, &header, ACM_STREAMCONVERTF_BLOCKALIGN | ACM_STREAMCONVERTF_START | ACM_STREAMCONVERTF_END),
              MMSYSERR_NOERROR);
    acmStreamUnprepareHeader(stream, &header, 0);
    acmStreamClose(stream, 0);
    out.resize(header.cbDstLengthUsed / 2);
    return out;
}

INT_PTR CALLBACK plainDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

}  // namespace

TEST(ComputedIds, EveryNumberTheGameAddsUpIsThereAndTheMasksAreTheEngines)
{
    initLayout();
    const Rect& cell = screenLayout.cellRects[0];
    for (int type = 1; type <= 7; ++type) {
        SCOPED_TRACE("piece type " + std::to_string(type));
        EXPECT_GT(pixelsOf(IDB_PREVIEW_BASE + type).width, 0) << "preview";
        const Pixels square = pixelsOf(IDB_CELL_BASE + type);
        EXPECT_EQ(square.width, cell.right - cell.left) << "cell picture as wide as a cell";
        EXPECT_EQ(square.height, cell.bottom - cell.top);
    }
    for (int digit = 0; digit <= 9; ++digit) {
        const Pixels p = pixelsOf(IDB_DIGIT_BASE + digit);
        EXPECT_TRUE(p.width > 0 && p.width <= 9 && p.height == 12) << "digit " << digit << " fits its 9-pixel step";
    }
    for (int tile = 1; tile <= TILE_COUNT; ++tile)
        EXPECT_EQ(bytesOf(L"TILE", IDT_TILE_BASE + tile),
                  std::vector<uint8_t>(tileTable[tile - 1], tileTable[tile - 1] + TILE_BYTES))
            << "tile " << tile;
    for (int place = 0; place < 5; ++place) {
        wchar_t name[16] = L"";
        EXPECT_GT(LoadStringW(self(), UINT(IDS_HISCORE_BASE + place), name, 16), 0) << "score name " << place;
    }
}

TEST(Pictures, PreviewsAreTheSpawnShapesAndSitOnBlackInTheNextBox)
{
    initLayout();
    const Pixels background = pixelsOf(IDB_BACKGROUND);
    ASSERT_EQ(background.width, FRAME_WIDTH);
    const Rect& next = screenLayout.nextRect;
    for (int type = 1; type <= 7; ++type) {
        SCOPED_TRACE("piece type " + std::to_string(type));
        const Pixels square = pixelsOf(IDB_CELL_BASE + type), preview = pixelsOf(IDB_PREVIEW_BASE + type);
        // The type's spawn tile cut to its bounding box: the cell picture on
        // every occupied square, black elsewhere.
        const uint8_t* mask = tileTable[type - 1];
        int top = 4, left = 4, bottom = -1, right = -1;
        for (int i = 0; i < 16; ++i)
            if (mask[i])
                top = std::min(top, i / 4), bottom = std::max(bottom, i / 4), left = std::min(left, i % 4),
                right = std::max(right, i % 4);
        ASSERT_EQ(preview.width, (right - left + 1) * square.width);
        ASSERT_EQ(preview.height, (bottom - top + 1) * square.height);
        int wrong = 0;
        for (int y = 0; y < preview.height; ++y)
            for (int x = 0; x < preview.width; ++x)
                wrong += preview.at(x, y) != (mask[(top + y / square.height) * 4 + left + x / square.width]
                                                  ? square.at(x % square.width, y % square.height)
                                                  : 0u);
        EXPECT_EQ(wrong, 0) << "pixels that are neither the cell picture nor black off the shape";
        // Centred on the NEXT box as the paint does, it covers only black.
        const int x = next.left + (next.right - next.left - preview.width) / 2;
        const int y = next.top + (next.bottom - next.top - preview.height) / 2;
        EXPECT_EQ(inkIn(background, x, y, preview.width, preview.height), 0) << "lands at " << x << ", " << y;
    }
}

TEST(Pictures, NumbersAreDrawnOnBlackInTheFrameAndOnTheHighScoreBoard)
{
    initLayout();
    const Pixels background = pixelsOf(IDB_BACKGROUND);
    ASSERT_EQ(background.width, FRAME_WIDTH);
    for (const Rect& r : {screenLayout.scoreRect, screenLayout.levelRect})
        EXPECT_EQ(inkIn(background, r.left, r.top, r.right - r.left, r.bottom - r.top), 0)
            << "number box at " << r.left << ", " << r.top;
    // The board is drawn at the well's corner (3, 6); place i's score goes
    // into the frame rectangle (50, 46 + 25i)-(100, 58 + 25i).
    const Pixels board = pixelsOf(IDB_HISCORE_BOARD);
    ASSERT_GT(board.width, 0);
    for (int place = 0; place < 5; ++place)
        EXPECT_EQ(inkIn(board, 50 - 3, 46 + 25 * place - 6, 50, 12), 0) << "score row " << place + 1;
}

TEST(Sounds, EachDecodesToAnAudibleToneThroughThePlatformsCodec)
{
    for (int id = IDR_SOUND_LANDED; id <= IDR_SOUND_GAME_OVER; ++id) {
        SCOPED_TRACE("sound " + std::to_string(id));
        const std::vector<uint8_t> wave = bytesOf(L"sound", id);  // the game asks for the type in lower case
        ASSERT_GT(wave.size(), 12u);
        EXPECT_EQ(std::string(wave.begin(), wave.begin() + 4) + std::string(wave.begin() + 8, wave.begin() + 12),
                  "RIFFWAVE");
        EXPECT_EQ(u32(wave, 4), wave.size() - 8);
        size_t format = 0, data = 0, dataSize = 0, at = 12;
        for (; at + 8 <= wave.size(); at += 8 + u32(wave, at + 4) + (u32(wave, at + 4) & 1)) {
            const std::string tag(wave.begin() + long(at), wave.begin() + long(at) + 4);
            if (tag == "fmt ")
                format = at + 8;
            if (tag == "data")
                data = at + 8, dataSize = u32(wave, at + 4);
        }
        EXPECT_EQ(at, wave.size()) << "chunks do not end with the image";
        ASSERT_TRUE(format && data && data + dataSize <= wave.size());

        // Samples as shares of full scale.
        std::vector<double> samples;
        const int tag = wave[format] | wave[format + 1] << 8;
        if (tag == WAVE_FORMAT_PCM) {
            for (size_t i = 0; i < dataSize; ++i)
                samples.push_back((wave[data + i] - 128) / 128.0);
        } else {
            ASSERT_EQ(tag, WAVE_FORMAT_GSM610);
            const std::vector<int16_t> pcm = decodeWithAcm(&wave[format], {&wave[data], &wave[data] + dataSize});
            EXPECT_EQ(pcm.size(), dataSize / 65 * 320) << "every block decoded";
            for (int16_t v : pcm)
                samples.push_back(v / 32768.0);
        }
        ASSERT_GT(samples.size(), 1u);
        double energy = 0;
        int crossings = 0;
        for (size_t i = 0; i < samples.size(); ++i)
            energy += samples[i] * samples[i], crossings += i && (samples[i - 1] < 0) != (samples[i] < 0);
        EXPECT_GT(std::sqrt(energy / double(samples.size())), 0.02) << "close to silence";
        // Neighbouring samples change sign about half the time in white noise, far less in tones.
        EXPECT_LT(double(crossings) / double(samples.size() - 1), .35) << "sounds like noise";
    }
}

TEST(Languages, TheIconIsStoredIn1028AndEverythingElseIn1033)
{
    ByLanguage found = resourcesByLanguage();
    EXPECT_EQ(found[1028], (std::vector<std::wstring>{L"3:1", L"3:2", L"3:3", L"14:300"}));
    EXPECT_FALSE(found[1033].empty());
    EXPECT_EQ(found.size(), 2u) << "no third language";
}

// kubrelse.exe as built carries its manifest and version; the about box
// shows the version's first two numbers.
TEST(Dialogs, TheAboutBoxShowsTheGameIconAndTheVersionTheProgramCarries)
{
    const std::string program = wintest::testFolder() + "\\..\\..\\shell\\kubrelse.exe";
    wintest::expectHandedOutProgram(program, "KubrelSE falling-blocks game", "kubrelse.exe");
    const std::string version = versionOf(program)["(file)"];
    HRSRC found = FindResourceW(self(), MAKEINTRESOURCEW(IDD_ABOUT), MAKEINTRESOURCEW(5));
    auto data = static_cast<LPCDLGTEMPLATEW>(LockResource(LoadResource(self(), found)));
    HWND box = CreateDialogIndirectParamW(self(), data, nullptr, plainDialogProc, 0);
    ASSERT_NE(box, nullptr);
    int icons = 0, versionLines = 0;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        icons += (GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && SendMessageW(c, STM_GETICON, 0, 0);
        versionLines += wintest::textOf(c) == "Version " + version.substr(0, version.rfind(".0.0"));
    }
    EXPECT_EQ(icons, 1) << "icon 300 was not found for the control";
    EXPECT_EQ(versionLines, 1) << "no line of version " << version;
    DestroyWindow(box);
}
