// The game's resources as the game finds them: by number, in its own module.
#include <windows.h>
#include <mmreg.h>
#include <msacm.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "geometry.h"
#include "resource_ids.h"
#include "resource_reader.h"
#include "tile_table.h"

using namespace resource_reader;

namespace {

const WORD ENGLISH_US = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);             // 1033
const WORD CHINESE_TRADITIONAL = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL);  // 1028

const std::vector<WORD> onlyEnglish = {ENGLISH_US};

int brightness(uint32_t c) { return int(((c >> 16) & 255) * 299 + ((c >> 8) & 255) * 587 + (c & 255) * 114) / 1000; }

// Hue in degrees, 0..359.
int hue(uint32_t c) {
    double r = ((c >> 16) & 255) / 255.0, g = ((c >> 8) & 255) / 255.0, b = (c & 255) / 255.0;
    double mx = std::max({r, g, b}), mn = std::min({r, g, b}), d = mx - mn;
    if (d <= 0) return 0;
    double h = mx == r ? std::fmod((g - b) / d, 6.0) : mx == g ? (b - r) / d + 2 : (r - g) / d + 4;
    int deg = int(std::lround(h * 60));
    return (deg + 360) % 360;
}

int hueDistance(int a, int b) {
    int d = std::abs(a - b) % 360;
    return std::min(d, 360 - d);
}

struct ExpectedBitmap {
    int id, width, height;
    size_t bytes;
};

// The 4 x 4 mask's occupied bounding box.
struct Box {
    int top = 4, left = 4, bottom = -1, right = -1;
};
Box boxOf(const uint8_t* mask) {
    Box b;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (mask[r * 4 + c]) {
                b.top = std::min(b.top, r);
                b.bottom = std::max(b.bottom, r);
                b.left = std::min(b.left, c);
                b.right = std::max(b.right, c);
            }
    return b;
}

// Every pixel of the rectangle (right and bottom exclusive) in the stored
// picture is black; reports the first that is not.
void expectBlack(const StoredBitmap& bmp, int left, int top, int right, int bottom, const char* what) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (bmp.colour(x, y) != 0) {
                ADD_FAILURE() << what << ": pixel (" << x << ", " << y << ") is " << std::hex << bmp.colour(x, y)
                              << ", expected black";
                return;
            }
}

int inkIn(const StoredBitmap& bmp, int left, int top, int right, int bottom, int minBrightness = 100) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) n += brightness(bmp.colour(x, y)) >= minBrightness;
    return n;
}

}  // namespace

TEST(GameBitmaps, EveryPictureIsStoredAt8BitsWithItsOwnPaletteAndSize) {
    std::vector<ExpectedBitmap> expected = {{400, 176, 180, 32744}, {401, 36, 24, 1928}, {402, 36, 24, 1928},
                                     {403, 24, 24, 1640},    {404, 48, 12, 1640}, {405, 36, 24, 1928},
                                     {406, 36, 24, 1928},    {407, 36, 24, 1928}, {415, 85, 22, 3000},
                                     {426, 119, 167, 21104}, {428, 85, 22, 3000}, {429, 119, 167, 21104}};
    for (int type = 1; type <= 7; ++type) expected.push_back({IDB_CELL_BASE + type, 12, 12, 1208});
    for (int digit = 0; digit <= 9; ++digit) expected.push_back({IDB_DIGIT_BASE + digit, 9, 12, 1208});

    for (const ExpectedBitmap& s : expected) {
        SCOPED_TRACE("bitmap " + std::to_string(s.id));
        HBITMAP loaded = LoadBitmapW(self(), MAKEINTRESOURCEW(s.id));
        ASSERT_NE(loaded, nullptr);
        BITMAP info{};
        EXPECT_EQ(GetObjectW(loaded, sizeof info, &info), int(sizeof info));
        EXPECT_EQ(info.bmWidth, s.width);
        EXPECT_EQ(info.bmHeight, s.height);
        DeleteObject(loaded);

        std::vector<uint8_t> raw = bytesOf(MAKEINTRESOURCEW(2), s.id);
        EXPECT_EQ(raw.size(), s.bytes);
        StoredBitmap bmp = parseBitmap(raw);
        ASSERT_TRUE(bmp.valid);
        EXPECT_EQ(bmp.headerSize, 40u);
        EXPECT_EQ(bmp.width, s.width);
        EXPECT_EQ(bmp.height, s.height) << "rows are stored bottom-up";
        EXPECT_EQ(bmp.planes, 1);
        EXPECT_EQ(bmp.bitCount, 8);
        EXPECT_EQ(bmp.compression, 0u);
        EXPECT_EQ(bmp.paletteEntries, 256u);
        EXPECT_EQ(bmp.expectedSize(), raw.size());
        EXPECT_EQ(languagesOf(MAKEINTRESOURCEW(2), s.id), onlyEnglish);
    }
}

TEST(GameBitmaps, EachPreviewShowsItsTypeSpawnShapeMadeOfItsCellPicture) {
    for (int type = 1; type <= 7; ++type) {
        SCOPED_TRACE("piece type " + std::to_string(type));
        const uint8_t* mask = tileTable[type - 1];  // types spawn with their own tile
        Box box = boxOf(mask);
        StoredBitmap preview = storedBitmap(IDB_PREVIEW_BASE + type);
        StoredBitmap cell = storedBitmap(IDB_CELL_BASE + type);
        ASSERT_TRUE(preview.valid && cell.valid);
        ASSERT_EQ(preview.width, (box.right - box.left + 1) * 12);
        ASSERT_EQ(preview.height, (box.bottom - box.top + 1) * 12);
        for (int r = box.top; r <= box.bottom; ++r)
            for (int c = box.left; c <= box.right; ++c) {
                int ox = (c - box.left) * 12, oy = (r - box.top) * 12;
                if (!mask[r * 4 + c]) {
                    expectBlack(preview, ox, oy, ox + 12, oy + 12, "empty square of the shape");
                    continue;
                }
                for (int y = 0; y < 12; ++y)
                    for (int x = 0; x < 12; ++x)
                        ASSERT_EQ(preview.colour(ox + x, oy + y), cell.colour(x, y))
                            << "square (" << r << ", " << c << ") differs from cell " << IDB_CELL_BASE + type
                            << " at (" << x << ", " << y << ")";
            }
    }
}

TEST(GameBitmaps, CellsAreBevelledSquaresInSevenDistinctColours) {
    // red, orange, yellow, green, cyan, magenta, violet
    const int expectedHue[7] = {0, 30, 55, 125, 188, 315, 262};
    for (int type = 1; type <= 7; ++type) {
        SCOPED_TRACE("cell " + std::to_string(IDB_CELL_BASE + type));
        StoredBitmap cell = storedBitmap(IDB_CELL_BASE + type);
        ASSERT_TRUE(cell.valid);
        uint32_t face = cell.colour(6, 6);
        EXPECT_LE(hueDistance(hue(face), expectedHue[type - 1]), 18) << "hue " << hue(face);
        int top = brightness(cell.colour(6, 0)), left = brightness(cell.colour(0, 6));
        int bottom = brightness(cell.colour(6, 11)), right = brightness(cell.colour(11, 6));
        int middle = brightness(face);
        EXPECT_GT(top, middle);
        EXPECT_GT(left, middle);
        EXPECT_LT(bottom, middle);
        EXPECT_LT(right, middle);
    }
}

TEST(GameBitmaps, DigitsAreYellowOnBlackAndEasyToTellApart) {
    std::vector<StoredBitmap> digits;
    for (int d = 0; d <= 9; ++d) {
        SCOPED_TRACE("digit " + std::to_string(d));
        digits.push_back(storedBitmap(IDB_DIGIT_BASE + d));
        const StoredBitmap& bmp = digits.back();
        ASSERT_TRUE(bmp.valid);
        int ink = 0;
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 9; ++x) {
                uint32_t c = bmp.colour(x, y);
                if (c == 0) continue;
                ++ink;
                EXPECT_LE(hueDistance(hue(c), 50), 15) << "ink at (" << x << ", " << y << ") is not yellow";
            }
        EXPECT_GE(ink, 14);
        expectBlack(bmp, 0, 0, 9, 1, "top rim");
        expectBlack(bmp, 0, 0, 1, 12, "left gap to the neighbouring digit");
        expectBlack(bmp, 8, 0, 9, 12, "right gap to the neighbouring digit");
    }
    for (int a = 0; a <= 9; ++a)
        for (int b = a + 1; b <= 9; ++b) {
            int differ = 0;
            for (int y = 0; y < 12; ++y)
                for (int x = 0; x < 9; ++x) differ += (digits[a].colour(x, y) == 0) != (digits[b].colour(x, y) == 0);
            EXPECT_GE(differ, 8) << "digits " << a << " and " << b << " look alike";
        }
}

TEST(GameBitmaps, BackgroundHasBlackBoxesUnderItsNumbersAndPreviewWithLabelsAbove) {
    initLayout();
    StoredBitmap bg = storedBitmap(IDB_BACKGROUND);
    ASSERT_TRUE(bg.valid);
    struct Panel {
        const char* label;
        Rect inside;  // the layout rectangle drawn into it
        int top, bottom;  // the black box, y inclusive
    };
    const Panel panels[] = {{"SCORE", screenLayout.scoreRect, 23, 37},
                            {"LEVEL", screenLayout.levelRect, 79, 93},
                            {"NEXT", screenLayout.nextRect, 138, 173}};
    for (const Panel& p : panels) {
        SCOPED_TRACE(p.label);
        expectBlack(bg, 126, p.top, 174, p.bottom + 1, "box");
        EXPECT_GE(p.inside.left, 126);
        EXPECT_LE(p.inside.right, 174);
        EXPECT_GE(p.inside.top, p.top);
        EXPECT_LE(p.inside.bottom, p.bottom + 1);
        EXPECT_GE(inkIn(bg, 126, p.top - 12, 174, p.top - 1), 15) << "no label above the box";
    }
    // Every preview, centred on nextRect as the paint does, stays on the box.
    for (int type = 1; type <= 7; ++type) {
        StoredBitmap preview = storedBitmap(IDB_PREVIEW_BASE + type);
        const Rect& r = screenLayout.nextRect;
        int x = r.left + (r.right - r.left - preview.width) / 2;
        int y = r.top + (r.bottom - r.top - preview.height) / 2;
        EXPECT_TRUE(x >= 126 && x + preview.width <= 174 && y >= 138 && y + preview.height <= 174)
            << "preview " << type << " lands at (" << x << ", " << y << ") outside the black box";
    }
    // The well is dark, so the cells stand out, but not empty: stars.
    const Rect& well = screenLayout.playfieldRect;
    int stars = inkIn(bg, well.left, well.top, well.right, well.bottom, 60);
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
        expectBlack(board, 50 - 3, top, 100 - 3, bottom, "score row");
        EXPECT_GE(inkIn(board, 4, top, 44, bottom), 12) << "no place label";
    }
    EXPECT_GE(inkIn(board, 4, 4, 115, 30), 80) << "no heading";
}

TEST(GameIcon, GroupOf300HoldsThreeImagesStoredInLanguage1028) {
    EXPECT_NE(LoadIconW(self(), MAKEINTRESOURCEW(IDI_GAME)), nullptr);
    EXPECT_EQ(languagesOf(MAKEINTRESOURCEW(14), IDI_GAME), std::vector<WORD>{CHINESE_TRADITIONAL});
    std::vector<uint8_t> group = bytesOf(MAKEINTRESOURCEW(14), IDI_GAME);
    ASSERT_EQ(group.size(), 6u + 3 * 14);
    EXPECT_EQ(u16(group, 2), 1u);
    ASSERT_EQ(u16(group, 4), 3u);
    struct Image {
        int width, height, colours, bits;
        uint32_t bytes;
    };
    const Image expected[3] = {{32, 32, 16, 4, 744}, {16, 16, 16, 4, 296}, {32, 32, 0, 8, 2216}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE("icon image " + std::to_string(i + 1));
        size_t e = 6 + size_t(i) * 14;
        EXPECT_EQ(group[e], expected[i].width);
        EXPECT_EQ(group[e + 1], expected[i].height);
        EXPECT_EQ(group[e + 2], expected[i].colours);
        EXPECT_EQ(u16(group, e + 6), expected[i].bits);
        EXPECT_EQ(u32(group, e + 8), expected[i].bytes);
        int id = u16(group, e + 12);
        EXPECT_EQ(id, i + 1);
        std::vector<uint8_t> image = bytesOf(MAKEINTRESOURCEW(3), id);
        EXPECT_EQ(image.size(), expected[i].bytes);
        EXPECT_EQ(u32(image, 4), uint32_t(expected[i].width));
        EXPECT_EQ(u32(image, 8), uint32_t(expected[i].height * 2)) << "image and mask";
        EXPECT_EQ(u16(image, 14), expected[i].bits);
        EXPECT_EQ(languagesOf(MAKEINTRESOURCEW(3), id), std::vector<WORD>{CHINESE_TRADITIONAL});
    }
}

TEST(PieceMasks, EveryTileResourceHoldsTheEngineMask) {
    for (int tile = 1; tile <= TILE_COUNT; ++tile) {
        SCOPED_TRACE("tile " + std::to_string(tile));
        std::vector<uint8_t> mask = bytesOf(L"TILE", IDT_TILE_BASE + tile);
        ASSERT_EQ(mask.size(), size_t(TILE_BYTES));
        EXPECT_EQ(0, std::memcmp(mask.data(), tileTable[tile - 1], TILE_BYTES));
        EXPECT_EQ(languagesOf(L"TILE", IDT_TILE_BASE + tile), onlyEnglish);
    }
}

namespace {

struct Chunk {
    std::string tag;
    uint32_t size;
    size_t body;  // offset of the chunk's data
};

// The chunks of a RIFF WAVE image, in order; fails the test on a malformed one.
std::vector<Chunk> chunksOf(const std::vector<uint8_t>& wave) {
    std::vector<Chunk> chunks;
    EXPECT_GE(wave.size(), 12u);
    if (wave.size() < 12) return chunks;
    EXPECT_EQ(std::string(wave.begin(), wave.begin() + 4), "RIFF");
    EXPECT_EQ(u32(wave, 4), wave.size() - 8);
    EXPECT_EQ(std::string(wave.begin() + 8, wave.begin() + 12), "WAVE");
    size_t at = 12;
    while (at + 8 <= wave.size()) {
        Chunk c{std::string(wave.begin() + long(at), wave.begin() + long(at) + 4), u32(wave, at + 4), at + 8};
        chunks.push_back(c);
        at += 8 + c.size + (c.size & 1);
    }
    EXPECT_EQ(at, wave.size()) << "chunks do not end with the image";
    return chunks;
}

// 16-bit mono PCM at 8000 samples/s from GSM 6.10 data, through the
// platform's own audio codec.
std::vector<int16_t> decodeWithAcm(const uint8_t* format, std::vector<uint8_t> data) {
    alignas(8) uint8_t source[20];
    std::memcpy(source, format, sizeof source);
    WAVEFORMATEX pcm{};
    pcm.wFormatTag = WAVE_FORMAT_PCM;
    pcm.nChannels = 1;
    pcm.nSamplesPerSec = 8000;
    pcm.nAvgBytesPerSec = 16000;
    pcm.nBlockAlign = 2;
    pcm.wBitsPerSample = 16;
    HACMSTREAM stream = nullptr;
    MMRESULT opened = acmStreamOpen(&stream, nullptr, reinterpret_cast<WAVEFORMATEX*>(source), &pcm, nullptr, 0,
                                    0, ACM_STREAMOPENF_NONREALTIME);
    EXPECT_EQ(opened, MMSYSERR_NOERROR) << "no codec converts this GSM 6.10 format";
    if (opened != MMSYSERR_NOERROR) return {};
    DWORD outSize = 0;
    EXPECT_EQ(acmStreamSize(stream, DWORD(data.size()), &outSize, ACM_STREAMSIZEF_SOURCE), MMSYSERR_NOERROR);
    std::vector<uint8_t> out(outSize);
    ACMSTREAMHEADER header{};
    header.cbStruct = sizeof header;
    header.pbSrc = data.data();
    header.cbSrcLength = DWORD(data.size());
    header.pbDst = out.data();
    header.cbDstLength = DWORD(out.size());
    EXPECT_EQ(acmStreamPrepareHeader(stream, &header, 0), MMSYSERR_NOERROR);
    EXPECT_EQ(acmStreamConvert(stream, &header,
                               ACM_STREAMCONVERTF_BLOCKALIGN | ACM_STREAMCONVERTF_START | ACM_STREAMCONVERTF_END),
              MMSYSERR_NOERROR);
    acmStreamUnprepareHeader(stream, &header, 0);
    acmStreamClose(stream, 0);
    std::vector<int16_t> samples(header.cbDstLengthUsed / 2);
    std::memcpy(samples.data(), out.data(), samples.size() * 2);
    return samples;
}

double rms(const std::vector<double>& s) {
    double sum = 0;
    for (double v : s) sum += v * v;
    return s.empty() ? 0 : std::sqrt(sum / double(s.size()));
}

// Share of neighbouring samples that change sign: about 0.5 for white noise,
// far lower for tones.
double zeroCrossingRate(const std::vector<double>& s) {
    int crossings = 0;
    for (size_t i = 1; i < s.size(); ++i) crossings += (s[i - 1] < 0) != (s[i] < 0);
    return s.size() > 1 ? double(crossings) / double(s.size() - 1) : 0;
}

}  // namespace

TEST(Sounds, GsmEffectsAreWaveImagesWithExactlyTheirChunks) {
    struct ExpectedSound {
        int id;
        size_t bytes;
        uint32_t data;
    };
    const ExpectedSound sounds[] = {{IDS_SOUND_LANDED, 296, 195}, {IDS_SOUND_TURNED, 750, 650}, {IDS_SOUND_ROWS, 1336, 1235}};
    for (const ExpectedSound& s : sounds) {
        SCOPED_TRACE("sound " + std::to_string(s.id));
        // The game asks for the type in lower case.
        std::vector<uint8_t> wave = bytesOf(L"sound", s.id);
        ASSERT_EQ(wave.size(), s.bytes);
        EXPECT_EQ(languagesOf(L"SOUND", s.id), onlyEnglish);
        std::vector<Chunk> chunks = chunksOf(wave);
        ASSERT_EQ(chunks.size(), 5u);
        const char* tags[5] = {"fmt ", "fact", "data", "LIST", "DISP"};
        const uint32_t sizes[5] = {20, 4, s.data, 18, 6};
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(chunks[size_t(i)].tag, tags[i]);
            EXPECT_EQ(chunks[size_t(i)].size, sizes[i]) << tags[i];
        }
        size_t f = chunks[0].body;
        EXPECT_EQ(u16(wave, f), 49u) << "GSM 6.10";
        EXPECT_EQ(u16(wave, f + 2), 1u);
        EXPECT_EQ(u32(wave, f + 4), 8000u);
        EXPECT_EQ(u32(wave, f + 8), 1625u);
        EXPECT_EQ(u16(wave, f + 12), 65u);
        EXPECT_EQ(u16(wave, f + 14), 0u);
        EXPECT_EQ(u16(wave, f + 16), 2u);
        EXPECT_EQ(u16(wave, f + 18), 320u);
        EXPECT_EQ(u32(wave, chunks[1].body), s.data / 65 * 320) << "fact: samples";
        EXPECT_EQ(0, std::memcmp(&wave[chunks[3].body], "INFOIGNR\x06\0\0\0Other\0", 18));
    }
}

TEST(Sounds, GameOverIsAnEightBitPcmWaveImage) {
    std::vector<uint8_t> wave = bytesOf(L"sound", IDS_SOUND_GAME_OVER);
    ASSERT_EQ(wave.size(), 14392u);
    EXPECT_EQ(languagesOf(L"SOUND", IDS_SOUND_GAME_OVER), onlyEnglish);
    std::vector<Chunk> chunks = chunksOf(wave);
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_EQ(chunks[0].tag, "fmt ");
    EXPECT_EQ(chunks[0].size, 16u);
    EXPECT_EQ(chunks[1].tag, "data");
    EXPECT_EQ(chunks[1].size, 14348u);
    size_t f = chunks[0].body;
    EXPECT_EQ(u16(wave, f), 1u);
    EXPECT_EQ(u16(wave, f + 2), 1u);
    EXPECT_EQ(u32(wave, f + 4), 11025u);
    EXPECT_EQ(u32(wave, f + 8), 11025u);
    EXPECT_EQ(u16(wave, f + 12), 1u);
    EXPECT_EQ(u16(wave, f + 14), 8u);

    std::vector<double> samples;
    for (uint32_t i = 0; i < chunks[1].size; ++i) samples.push_back(wave[chunks[1].body + i] - 128.0);
    EXPECT_GT(rms(samples), 12.0) << "close to silence";
    EXPECT_LT(zeroCrossingRate(samples), 0.2) << "sounds like noise";
}

TEST(Sounds, ThePlatformCodecDecodesEveryGsmEffectToAudibleTones) {
    for (int id : {IDS_SOUND_LANDED, IDS_SOUND_TURNED, IDS_SOUND_ROWS}) {
        SCOPED_TRACE("sound " + std::to_string(id));
        std::vector<uint8_t> wave = bytesOf(L"sound", id);
        std::vector<Chunk> chunks = chunksOf(wave);
        ASSERT_EQ(chunks.size(), 5u);
        std::vector<uint8_t> data(wave.begin() + long(chunks[2].body),
                                  wave.begin() + long(chunks[2].body + chunks[2].size));
        std::vector<int16_t> pcm = decodeWithAcm(&wave[chunks[0].body], data);
        EXPECT_EQ(pcm.size(), data.size() / 65 * 320);
        std::vector<double> samples(pcm.begin(), pcm.end());
        EXPECT_GT(rms(samples), 800.0) << "close to silence";
        EXPECT_LT(zeroCrossingRate(samples), 0.35) << "sounds like noise";
    }
}

TEST(MenuBars, SoftkeyBarsAreTheListedWords) {
    struct Bar {
        int id;
        std::vector<uint16_t> words;
    };
    const Bar bars[] = {
        {IDM_MAIN_BAR, {100, 2, 0xFFFE, 201, 0x0004, 0x0010, 40010, 0, 0xFFFF, 0xFFFE, 202, 0x0004, 0x0018, 40011, 0, 1}},
        {IDM_DIALOG_BAR, {101, 1, 0xFFFE, 205, 0x0004, 0x0010, 40012, 0, 0xFFFF}},
    };
    for (const Bar& bar : bars) {
        SCOPED_TRACE("menu bar " + std::to_string(bar.id));
        std::vector<uint8_t> raw = bytesOf(MAKEINTRESOURCEW(10) /* RT_RCDATA */, bar.id);
        ASSERT_EQ(raw.size(), bar.words.size() * 2);
        for (size_t i = 0; i < bar.words.size(); ++i) EXPECT_EQ(u16(raw, i * 2), bar.words[i]) << "word " << i;
        EXPECT_EQ(languagesOf(MAKEINTRESOURCEW(10), bar.id), onlyEnglish);
    }
}

namespace {
std::wstring menuText(HMENU menu, UINT position) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
    return text;
}
}  // namespace

TEST(Menus, MainMenuHasStartAndTheMenuPopupAndTheDialogMenuHasOk) {
    HMENU main = LoadMenuW(self(), MAKEINTRESOURCEW(IDM_MAIN_BAR));
    ASSERT_NE(main, nullptr);
    ASSERT_EQ(GetMenuItemCount(main), 2);
    EXPECT_EQ(menuText(main, 0), L"Start");
    EXPECT_EQ(GetMenuItemID(main, 0), UINT(CMD_START));
    EXPECT_EQ(menuText(main, 1), L"Menu");
    HMENU popup = GetSubMenu(main, 1);
    ASSERT_NE(popup, nullptr);
    struct Entry {
        const wchar_t* text;
        UINT command;
    };
    const Entry entries[] = {{L"&1. Sound On", CMD_SOUND_ON}, {L"&2. Sound Off", CMD_SOUND_OFF},
                             {L"&3. Pause\t(#)", CMD_PAUSE},  {nullptr, 0},
                             {L"&4. HiScore...", CMD_HISCORE}, {L"&5. About...", CMD_ABOUT},
                             {L"&6. Quit", CMD_QUIT}};
    ASSERT_EQ(GetMenuItemCount(popup), 7);
    for (UINT i = 0; i < 7; ++i) {
        SCOPED_TRACE("pop-up entry " + std::to_string(i));
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID;
        ASSERT_TRUE(GetMenuItemInfoW(popup, i, TRUE, &info));
        if (!entries[i].text) {
            EXPECT_TRUE(info.fType & MFT_SEPARATOR);
            continue;
        }
        EXPECT_EQ(menuText(popup, i), entries[i].text);
        EXPECT_EQ(info.wID, entries[i].command);
    }
    DestroyMenu(main);

    HMENU dialog = LoadMenuW(self(), MAKEINTRESOURCEW(IDM_DIALOG_BAR));
    ASSERT_NE(dialog, nullptr);
    ASSERT_EQ(GetMenuItemCount(dialog), 1);
    EXPECT_EQ(menuText(dialog, 0), L"OK");
    EXPECT_EQ(GetMenuItemID(dialog, 0), UINT(CMD_CONTINUE));
    DestroyMenu(dialog);
    EXPECT_EQ(languagesOf(MAKEINTRESOURCEW(4), IDM_MAIN_BAR), onlyEnglish);
    EXPECT_EQ(languagesOf(MAKEINTRESOURCEW(4), IDM_DIALOG_BAR), onlyEnglish);
}

TEST(Dialogs, TemplatesHaveTheirStylesFontsAndControls) {
    DialogTemplate board = parseDialog(bytesOf(MAKEINTRESOURCEW(5), IDD_HISCORE));
    ASSERT_TRUE(board.valid);
    EXPECT_EQ(board.style, DWORD(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT));
    EXPECT_EQ(board.exStyle, 0u);
    EXPECT_EQ(board.x, 0);
    EXPECT_EQ(board.y, 0);
    EXPECT_EQ(board.cx, 103);
    EXPECT_EQ(board.cy, 98);
    EXPECT_EQ(board.caption, L"Kubrel SE");
    EXPECT_EQ(board.pointSize, 10);
    EXPECT_EQ(board.face, L"System");
    EXPECT_TRUE(board.items.empty());

    DialogTemplate about = parseDialog(bytesOf(MAKEINTRESOURCEW(5), IDD_ABOUT));
    ASSERT_TRUE(about.valid);
    EXPECT_EQ(about.style, DWORD(WS_VISIBLE | DS_SETFONT));
    EXPECT_EQ(about.cx, 114);
    EXPECT_EQ(about.cy, 108);
    EXPECT_EQ(about.caption, L"");
    EXPECT_EQ(about.pointSize, 9);
    EXPECT_EQ(about.face, L"Tahoma");
    ASSERT_EQ(about.items.size(), 3u);
    struct Item {
        const wchar_t* text;
        WORD icon;
        short x, y, cx, cy;
        DWORD style;
    };
    const Item items[3] = {
        {L"KubrelSE - Smartphone Edition", 0, 32, 8, 73, 20, WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT},
        {L"Version 1.2", 0, 4, 32, 61, 8, WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT},
        {L"", IDI_GAME, 4, 6, 20, 20, WS_CHILD | WS_VISIBLE | SS_ICON},
    };
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE("about box control " + std::to_string(i));
        const DialogItem& it = about.items[i];
        EXPECT_EQ(it.id, 0xFFFF);
        EXPECT_EQ(it.classOrdinal, 0x82) << "static";
        EXPECT_EQ(it.text, items[i].text);
        EXPECT_EQ(it.textOrdinal, items[i].icon);
        EXPECT_EQ(it.x, items[i].x);
        EXPECT_EQ(it.y, items[i].y);
        EXPECT_EQ(it.cx, items[i].cx);
        EXPECT_EQ(it.cy, items[i].cy);
        EXPECT_EQ(it.style, items[i].style);
        EXPECT_EQ(it.exStyle, 0u);
    }
    EXPECT_EQ(languagesOf(MAKEINTRESOURCEW(5), IDD_HISCORE), onlyEnglish);
    EXPECT_EQ(languagesOf(MAKEINTRESOURCEW(5), IDD_ABOUT), onlyEnglish);
}

namespace {
INT_PTR CALLBACK plainDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

BOOL CALLBACK findIconControl(HWND child, LPARAM param) {
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) *reinterpret_cast<HWND*>(param) = child;
    return TRUE;
}
}  // namespace

TEST(Dialogs, AboutBoxCreatedFromItsTemplateShowsTheGameIcon) {
    HRSRC found = FindResourceW(self(), MAKEINTRESOURCEW(IDD_ABOUT), MAKEINTRESOURCEW(5));
    ASSERT_NE(found, nullptr);
    const void* data = LockResource(LoadResource(self(), found));
    ASSERT_NE(data, nullptr);
    HWND box = CreateDialogIndirectParamW(self(), static_cast<LPCDLGTEMPLATEW>(data), nullptr, plainDialogProc, 0);
    ASSERT_NE(box, nullptr);
    HWND icon = nullptr;
    EnumChildWindows(box, findIconControl, reinterpret_cast<LPARAM>(&icon));
    ASSERT_NE(icon, nullptr);
    EXPECT_NE(SendMessageW(icon, STM_GETICON, 0, 0), 0) << "icon 300 was not found for the control";
    DestroyWindow(box);
}

TEST(Strings, EveryGameTextLoadsAsWritten) {
    struct Text {
        int id;
        const wchar_t* text;
    };
    std::vector<Text> texts = {{10003, L"About KubrelSE"}, {10005, L"Restart"},
                               {10008, L"MainSection"},    {10012, L"KubrelSE"},
                               {10013, L"Do you want to quit this game ?"},
                               {40010, L"Start"},          {40011, L"Menu"},
                               {40012, L"Continue"}};
    const wchar_t* names[5] = {L"HiScore1", L"HiScore2", L"HiScore3", L"HiScore4", L"HiScore5"};
    for (int place = 0; place < 5; ++place) texts.push_back({IDS_HISCORE_BASE + place, names[place]});
    for (const Text& t : texts) {
        SCOPED_TRACE("string " + std::to_string(t.id));
        wchar_t buffer[128] = {};
        int length = LoadStringW(self(), UINT(t.id), buffer, 128);
        EXPECT_EQ(length, int(wcslen(t.text)));
        EXPECT_EQ(std::wstring(buffer), t.text);
        EXPECT_EQ(languagesOf(MAKEINTRESOURCEW(6), t.id / 16 + 1), onlyEnglish);
    }
}
