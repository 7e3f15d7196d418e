#include "engine_fixture.h"

namespace {

class HighScoreTable : public EngineTest {
protected:
    void enter(std::initializer_list<int32_t> table, int16_t score)
    {
        size_t k = 0;
        for (int32_t entry : table)
            game.highScores[k++] = entry;
        game.score = score;
        enterHighScore();
    }

    void expectTable(std::initializer_list<int32_t> expected, int32_t record, int line)
    {
        SCOPED_TRACE(testing::Message() << "checked from line " << line);
        std::vector<int32_t> got(game.highScores, game.highScores + HIGH_SCORE_COUNT);
        EXPECT_EQ(got, std::vector<int32_t>(expected));
        EXPECT_EQ(game.newRecord, record);
    }
};

TEST_F(HighScoreTable, ScoresGoInBelowTheirEqualsAndPushTheLastOut)
{
    enter({0, 0, 0, 0, 0}, 10);
    expectTable({10, 0, 0, 0, 0}, 1, __LINE__);

    enter({500, 400, 300, 200, 100}, 300);
    expectTable({500, 400, 300, 300, 200}, 1, __LINE__);

    enter({500, 400, 300, 200, 100}, 600);
    expectTable({600, 500, 400, 300, 200}, 1, __LINE__);

    enter({500, 400, 300, 200, 100}, 101);
    expectTable({500, 400, 300, 200, 101}, 1, __LINE__);
}

TEST_F(HighScoreTable, ScoresNotAboveTheLastEntryStayOut)
{
    enter({500, 400, 300, 200, 100}, 100);
    expectTable({500, 400, 300, 200, 100}, 0, __LINE__);

    enter({500, 400, 300, 200, 100}, 50);
    expectTable({500, 400, 300, 200, 100}, 0, __LINE__);

    enter({0, 0, 0, 0, 0}, 0);
    expectTable({0, 0, 0, 0, 0}, 0, __LINE__);

    enter({0, 0, 0, 0, 0}, -32766);
    expectTable({0, 0, 0, 0, 0}, 0, __LINE__);
}

TEST_F(HighScoreTable, NewRecordIsClearedAtEveryGameOver)
{
    enter({0, 0, 0, 0, 0}, 900);
    ASSERT_EQ(game.newRecord, 1);
    enter({900, 0, 0, 0, 0}, 0);
    EXPECT_EQ(game.newRecord, 0) << "an earlier record must not open the board again";
}

TEST_F(HighScoreTable, StoredValuesBeyondTheScoreRangeKeepTheirPlace)
{
    // Values stored by hand may lie outside what play can reach.
    enter({100000, 40000, -5, -6, -70000}, 32767);
    expectTable({100000, 40000, 32767, -5, -6}, 1, __LINE__);
}

}  // namespace
