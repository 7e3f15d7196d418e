// The writers' own checks: the GSM codec's padding, and the byte layouts of
// the files. The shipped resources themselves are checked from inside the
// Windows programs' test executables.
#include <gtest/gtest.h>

#include <cmath>

#include "file_formats.h"
#include "image.h"
#include "sound_measures.h"
#include "wave.h"

TEST(GsmSounds, AShortInputFillsAWholeLastBlockWithSilence)
{
    Samples tone(GSM_BLOCK_SAMPLES + 1);
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = int16_t(8000.0 * std::sin(double(i) * 0.3));
    Bytes data = gsmEncode(tone);
    ASSERT_EQ(data.size(), 2u * GSM_BLOCK_BYTES);
    Samples decoded;
    ASSERT_TRUE(gsmDecode(data, decoded));
    EXPECT_GT(rms(decoded, 0, GSM_BLOCK_SAMPLES), 1000.0);
    EXPECT_LT(rms(decoded, GSM_BLOCK_SAMPLES + 160), rms(decoded, 0, GSM_BLOCK_SAMPLES) / 10)
        << "the padding should decode near silence";
    EXPECT_FALSE(gsmDecode(Bytes(64), decoded)) << "data that is not whole blocks must be refused";
}

TEST(Bitmaps, FourBitRowsAreBottomUpHighNibbleFirstAndPaddedToWords)
{
    const Colour a = rgb(255, 0, 0), b = rgb(0, 0, 255);
    Image img(3, 2, 0);
    img.set(0, 0, a);  // top row: a, black, b
    img.set(2, 0, b);
    img.set(1, 1, b);  // bottom row: black, b, black
    IndexedImage indexed;
    std::string error;
    ASSERT_TRUE(indexToPalette(img, {0, a, b}, indexed, error)) << error;
    Bytes dib = dibImage(indexed, 4);
    ASSERT_EQ(dib.size(), 40u + 16 * 4 + 2 * 4);
    EXPECT_EQ(getU32(dib, 8), 2u) << "positive height: bottom-up";
    EXPECT_EQ(getU16(dib, 14), 4u);
    const uint8_t* rows = &dib[40 + 64];
    EXPECT_EQ(rows[0], 0x02) << "first stored row is the bottom one";
    EXPECT_EQ(rows[1], 0x00);
    EXPECT_EQ(rows[4], 0x10);
    EXPECT_EQ(rows[5], 0x20);
    EXPECT_EQ(rows[6] | rows[7] | rows[2] | rows[3], 0) << "padding is zero";
}

TEST(Bitmaps, TrueColourRowsAreBottomUpBlueGreenRedAndPaddedToWords)
{
    Image img(2, 2, 0);
    img.set(0, 0, rgb(1, 2, 3));  // top left
    img.set(1, 1, rgb(4, 5, 6));  // bottom right
    Bytes bmp = trueColourBmpFile(img);
    ASSERT_EQ(bmp.size(), 14u + 40 + 2 * 8);
    EXPECT_EQ(getU32(bmp, 2), bmp.size());
    EXPECT_EQ(getU32(bmp, 10), 54u) << "the rows follow the header: no colour table";
    EXPECT_EQ(getU16(bmp, 14 + 14), 24u);
    const Bytes bottom(bmp.begin() + 54, bmp.begin() + 62), top(bmp.begin() + 62, bmp.end());
    EXPECT_EQ(bottom, (Bytes{0, 0, 0, 6, 5, 4, 0, 0})) << "first stored row is the bottom one, padded to 8 bytes";
    EXPECT_EQ(top, (Bytes{3, 2, 1, 0, 0, 0, 0, 0}));
}

TEST(Bitmaps, PicturesWithTooManyColoursOrForeignColoursAreRefused)
{
    Image img(17, 1);
    for (int x = 0; x < 17; ++x)
        img.set(x, 0, rgb(x * 10 + 5, 0, 0));
    IndexedImage indexed;
    std::string error;
    EXPECT_FALSE(indexColours(img, 16, indexed, error));
    EXPECT_NE(error.find("colours"), std::string::npos) << error;
    EXPECT_FALSE(indexToPalette(img, {0, rgb(5, 0, 0)}, indexed, error));
}

TEST(Icons, TransparentPixelsSetTheMaskAndStoreBlack)
{
    Image img(16, 16, TRANSPARENT);
    img.fill(4, 4, 8, 8, rgb(255, 255, 0));
    IndexedImage indexed;
    std::string error;
    ASSERT_TRUE(indexColours(img, 16, indexed, error)) << error;
    Bytes icon = iconImage(indexed, 4);
    ASSERT_EQ(icon.size(), 296u);
    EXPECT_EQ(getU32(icon, 8), 32u) << "height counts the image and the mask";
    const uint8_t* xorRows = &icon[40 + 64];
    const uint8_t* andRows = xorRows + 16 * 8;
    EXPECT_EQ(xorRows[0], 0) << "a transparent pixel stores black";
    EXPECT_EQ(andRows[0], 0xFF) << "bottom row wholly transparent";
    EXPECT_EQ(andRows[4 * 4], 0xF0) << "row 4 from the bottom (4 bytes a row): x 4..11 opaque";
    EXPECT_EQ(andRows[4 * 4 + 1], 0x0F);

    Bytes ico = icoFile({{16, 16, 4, icon}, {16, 16, 4, icon}});
    EXPECT_EQ(getU16(ico, 4), 2u);
    EXPECT_EQ(getU32(ico, 6 + 8), 296u);
    EXPECT_EQ(getU32(ico, 6 + 16 + 12), 6u + 32 + 296) << "second image follows the first";
}
