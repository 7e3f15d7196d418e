#include "engine_fixture.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// The pacer's view of the main window: records each post and, when asked
// to, takes the step at once the way a quick window thread would.
std::mutex stepLock;
std::vector<Clock::time_point> stepTimes;
std::atomic<bool> takeAtOnce{true};

int recordStep()
{
    std::lock_guard<std::mutex> guard(stepLock);
    stepTimes.push_back(Clock::now());
    if (takeAtOnce)
        gravityStepTaken();
    return 1;
}

class GravityPacer : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        stepTimes.clear();
        takeAtOnce = true;
        static const EngineHost host = {recordRepaint, recordStep, recordingTileSource};
        setEngineHost(&host);
    }

    static size_t posts()
    {
        std::lock_guard<std::mutex> guard(stepLock);
        return stepTimes.size();
    }

    static void waitForPosts(size_t n)
    {
        const auto end = Clock::now() + milliseconds(5000);
        while (posts() < n && Clock::now() < end)
            std::this_thread::sleep_for(milliseconds(1));
    }

    // Runs the pacer at one level until it has posted `count` steps; gives
    // the shortest and the mean gap between posts in ms at `scale`.
    static std::pair<double, double> gaps(int16_t level, size_t count, int32_t scale)
    {
        stepTimes.clear();
        game.level = level;
        EXPECT_EQ(startGravityPacer(), 1);
        waitForPosts(count);
        stopGravityPacer();
        if (stepTimes.size() < 2)
            return {0, 0};
        auto ms = [scale](Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count() / scale; };
        double shortest = 1e9;
        for (size_t k = 1; k < stepTimes.size(); ++k)
            shortest = std::min(shortest, ms(stepTimes[k] - stepTimes[k - 1]));
        return {shortest, ms(stepTimes.back() - stepTimes.front()) / static_cast<double>(stepTimes.size() - 1)};
    }
};

TEST_F(GravityPacer, PostsNothingInTitlePauseOrGameOverAndAtMostOneStepAfterAPause)
{
    setPacerTimeScale(20);  // idle poll 20 ms, level 1 20 ms
    ASSERT_EQ(startGravityPacer(), 1);
    EXPECT_EQ(startGravityPacer(), 1) << "a second start keeps the one thread";
    std::this_thread::sleep_for(milliseconds(300));
    game.paused = 1;  // before the level, so no moment looks like play
    game.level = 1;
    std::this_thread::sleep_for(milliseconds(300));
    game.gameOver = 1;
    game.paused = 0;
    std::this_thread::sleep_for(milliseconds(300));
    EXPECT_EQ(posts(), 0u) << "title, pause and game over post nothing";

    game.gameOver = 0;
    waitForPosts(1);
    game.paused = 1;
    const size_t atPause = posts();
    std::this_thread::sleep_for(milliseconds(300));
    EXPECT_LE(posts(), atPause + 1) << "only a step already on its way";
}

TEST_F(GravityPacer, FasterLevelsPostMoreOftenAndNeverEarly)
{
    setPacerTimeScale(100);  // level 5: 15 ms, level 6: 80 ms
    const auto fast = gaps(5, 11, 100);
    const auto slow = gaps(6, 5, 100);
    // Steps may come late on a busy machine, never early.
    EXPECT_GE(fast.first, 150 * 0.95);
    EXPECT_GE(slow.first, 800 * 0.95);
    EXPECT_GT(slow.second / fast.second, 2.5) << "level 6 (800 ms) is slower than level 5 (150 ms)";
}

TEST_F(GravityPacer, LevelElevenNeverQueuesMoreThanOneStep)
{
    takeAtOnce = false;  // a window thread that is busy
    game.level = 11;
    ASSERT_EQ(startGravityPacer(), 1);
    waitForPosts(1);
    std::this_thread::sleep_for(milliseconds(200));
    EXPECT_EQ(posts(), 1u) << "nothing more until the step is taken";
    gravityStepTaken();
    waitForPosts(2);
    std::this_thread::sleep_for(milliseconds(100));
    EXPECT_EQ(posts(), 2u);

    stopGravityPacer();  // stopped while it waits for the window
    EXPECT_EQ(gravityPacerRunning(), 0);
    takeAtOnce = true;
    ASSERT_EQ(startGravityPacer(), 1) << "a stopped pacer starts again, not waiting for the old step";
    waitForPosts(200);
    EXPECT_GE(posts(), 200u) << "taken at once, level 11 steps follow one another";
}

TEST_F(GravityPacer, StopEndsTheThreadInTheMiddleOfASleep)
{
    // Real delays: the idle poll and level 1 both sleep a whole second.
    for (int16_t level : {int16_t{0}, int16_t{1}}) {
        SCOPED_TRACE(testing::Message() << "level " << level);
        game.level = level;
        ASSERT_EQ(startGravityPacer(), 1);
        std::this_thread::sleep_for(milliseconds(50));
        const auto before = Clock::now();
        stopGravityPacer();
        EXPECT_LT(Clock::now() - before, milliseconds(500)) << "the stop did not wait for the sleep to end";
        EXPECT_EQ(gravityPacerRunning(), 0);
        const size_t posted = posts();
        std::this_thread::sleep_for(milliseconds(1100));
        EXPECT_EQ(posts(), posted) << "nothing is posted once stop has returned";
    }
}

}  // namespace
