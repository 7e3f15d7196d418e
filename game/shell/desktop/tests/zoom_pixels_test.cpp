// The frame's pixels zoomed into blocks, on plain buffers.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "handset_screen.h"
#include "zoom_pixels.h"

namespace {

constexpr uint32_t UNTOUCHED = 0xDEADBEEF;

class ZoomPixels : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::mt19937 random(20261208);
        frame.resize(SCREEN_WIDTH * SCREEN_HEIGHT);
        for (uint32_t& pixel : frame)
            pixel = random() & 0xFFFFFF;
        shown.assign(frame.size(), 0);
    }
    void zoomAt(int z)
    {
        zoom = z;
        zoomed.assign(frame.size() * z * z, UNTOUCHED);
    }
    ZoomBuffers buffers() { return ZoomBuffers{frame.data(), shown.data(), zoomed.data(), zoom}; }
    uint32_t zoomedAt(int x, int y) const { return zoomed[size_t(y) * SCREEN_WIDTH * zoom + x]; }

    // Every screen pixel of frame pixel (x, y)'s block holds want.
    void expectBlock(int x, int y, uint32_t want)
    {
        for (int dy = 0; dy < zoom; ++dy)
            for (int dx = 0; dx < zoom; ++dx) {
                const uint32_t got = zoomedAt(x * zoom + dx, y * zoom + dy);
                if (got != want) {
                    SCOPED_TRACE(testing::Message() << "block of (" << x << ", " << y << ") at +" << dx << "+" << dy);
                    EXPECT_EQ(got, want);
                    return;
                }
            }
    }

    std::vector<uint32_t> frame, shown, zoomed;
    int zoom = 1;
};

TEST_F(ZoomPixels, EveryFramePixelBecomesAUniformBlockAtEveryZoom)
{
    for (int z : {1, 2, 3, 7, 8}) {
        SCOPED_TRACE(testing::Message() << "zoom " << z);
        shown.assign(frame.size(), 0);
        zoomAt(z);
        EXPECT_EQ(zoomFramePart(buffers(), 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT), SCREEN_WIDTH * SCREEN_HEIGHT);
        for (int y = 0; y < SCREEN_HEIGHT; ++y)
            for (int x = 0; x < SCREEN_WIDTH; ++x)
                expectBlock(x, y, frame[size_t(y) * SCREEN_WIDTH + x]);
        EXPECT_EQ(shown, frame) << "what is shown is recorded";
    }
}

TEST_F(ZoomPixels, OnlyTheRunFromTheFirstToTheLastChangedPixelOfARowIsWritten)
{
    zoomAt(3);
    shown = frame;
    frame[5 * SCREEN_WIDTH + 10] ^= 1;
    frame[5 * SCREEN_WIDTH + 20] ^= 1;
    frame[9 * SCREEN_WIDTH + 175] ^= 1;
    EXPECT_EQ(zoomFramePart(buffers(), 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT), 11 + 1);
    for (int x = 10; x <= 20; ++x)
        expectBlock(x, 5, frame[5 * SCREEN_WIDTH + x]);
    expectBlock(175, 9, frame[9 * SCREEN_WIDTH + 175]);
    expectBlock(9, 5, UNTOUCHED);
    expectBlock(21, 5, UNTOUCHED);
    expectBlock(174, 9, UNTOUCHED);
    expectBlock(0, 0, UNTOUCHED);
    EXPECT_EQ(zoomFramePart(buffers(), 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT), 0) << "nothing left to bring up to date";
}

TEST_F(ZoomPixels, APartIsClippedToTheFrameAndOnlyItIsWritten)
{
    zoomAt(2);
    EXPECT_EQ(zoomFramePart(buffers(), 170, 175, 500, 900), 6 * 5);
    expectBlock(175, 179, frame[179 * SCREEN_WIDTH + 175]);
    expectBlock(169, 179, UNTOUCHED);
    expectBlock(175, 174, UNTOUCHED);
    EXPECT_EQ(zoomFramePart(buffers(), -40, -40, 1, 1), 1);
    expectBlock(0, 0, frame[0]);
    EXPECT_EQ(zoomFramePart(buffers(), 50, 50, 40, 60), 0) << "an empty part";
    EXPECT_EQ(zoomFramePart(ZoomBuffers{frame.data(), shown.data(), nullptr, 2}, 0, 0, 9, 9), 0);
}

}  // namespace
