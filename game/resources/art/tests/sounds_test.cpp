// The effects as synthesised, and what is left of them after the GSM codec.
#include <gtest/gtest.h>

#include "sound_measures.h"
#include "sounds.h"

TEST(Effects, EachIsLoudAndFadesOutAndTheGsmOnesFollowTheSourceAfterTheCodec)
{
    struct Effect {
        const char* name;
        Samples samples;
        size_t gsmBlocks;  // 0: stored as 8-bit PCM
    };
    const Effect effects[] = {{"landed", landedSound(), 3},
                              {"turned", turnedSound(), 10},
                              {"rows", rowsSound(), 19},
                              {"game over", gameOverSound(), 0}};
    for (const Effect& e : effects) {
        SCOPED_TRACE(e.name);
        EXPECT_GT(rms(e.samples), 2000.0);
        EXPECT_LT(rms(e.samples, e.samples.size() - 16), 200.0) << "the sound should end without a click";
        if (!e.gsmBlocks)
            continue;
        ASSERT_EQ(e.samples.size(), e.gsmBlocks * GSM_BLOCK_SAMPLES);
        Bytes data = gsmEncode(e.samples);
        ASSERT_EQ(data.size(), e.gsmBlocks * GSM_BLOCK_BYTES);
        Samples decoded;
        ASSERT_TRUE(gsmDecode(data, decoded));
        ASSERT_EQ(decoded.size(), e.samples.size());
        double ratio = rms(decoded) / rms(e.samples), c = correlation(e.samples, decoded);
        EXPECT_TRUE(ratio > 0.5 && ratio < 1.5) << "decoded audio is " << ratio << " times as loud as the source";
        EXPECT_GT(c, 0.6) << "decoded audio does not follow the source (correlation " << c << ")";
    }
}
