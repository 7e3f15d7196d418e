#include "engine_fixture.h"

namespace {

using HighScoreTable = EngineTest;

TEST_F(HighScoreTable, ScoresGoInBelowTheirEqualsAndOnlyWhenTheyBeatAnEntry)
{
    struct Case {
        std::vector<int32_t> table;
        int16_t score;
        std::vector<int32_t> after;
        int32_t record;
    };
    const Case cases[] = {
        {{0, 0, 0, 0, 0}, 10, {10, 0, 0, 0, 0}, 1},
        {{500, 400, 300, 200, 100}, 300, {500, 400, 300, 300, 200}, 1},
        {{500, 400, 300, 200, 100}, 600, {600, 500, 400, 300, 200}, 1},
        {{500, 400, 300, 200, 100}, 101, {500, 400, 300, 200, 101}, 1},
        {{500, 400, 300, 200, 100}, 100, {500, 400, 300, 200, 100}, 0},
        {{500, 400, 300, 200, 100}, 50, {500, 400, 300, 200, 100}, 0},
        {{0, 0, 0, 0, 0}, 0, {0, 0, 0, 0, 0}, 0},
        {{0, 0, 0, 0, 0}, -32766, {0, 0, 0, 0, 0}, 0},
        // values stored by hand may lie outside what play can reach
        {{100000, 40000, -5, -6, -70000}, 32767, {100000, 40000, 32767, -5, -6}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "score " << c.score << " into " << testing::PrintToString(c.table));
        game.newRecord = 1;  // a record of an earlier game must not carry over
        std::copy(c.table.begin(), c.table.end(), game.highScores);
        game.score = c.score;
        enterHighScore();
        EXPECT_EQ(std::vector<int32_t>(game.highScores, game.highScores + HIGH_SCORE_COUNT), c.after);
        EXPECT_EQ(game.newRecord, c.record);
    }
}

}  // namespace
