#include "engine_fixture.h"

#include <algorithm>
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
        const auto end = Clock::now() + milliseconds(20000);
        while (posts() < n && Clock::now() < end)
            std::this_thread::sleep_for(milliseconds(1));
    }

    // Runs the pacer at one level until it has posted `count` steps; gives
    // the shortest gap between posts in ms at `scale`.
    static double shortestGap(int16_t level, size_t count, int32_t scale)
    {
        stepTimes.clear();
        game.level = level;
        EXPECT_EQ(startGravityPacer(), 1);
        waitForPosts(count);
        stopGravityPacer();
        double shortest = stepTimes.size() < 2 ? 0 : 1e9;
        for (size_t k = 1; k < stepTimes.size(); ++k) {
            const std::chrono::duration<double, std::micro> gap = stepTimes[k] - stepTimes[k - 1];
            shortest = std::min(shortest, gap.count() / scale);
        }
        return shortest;
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

TEST_F(GravityPacer, SleepsTheLevelsDelayInPlayAndTheIdlePollOtherwiseAndPostsNeverEarly)
{
    // Levels 1 to 11, then two past the last that keep its delay.
    const int delays[] = {1000, 750, 500, 250, 150, 800, 600, 400, 200, 100, 0, 0, 0};
    for (int16_t level = 1; level <= 13; ++level) {
        game.level = level;
        EXPECT_EQ(pacerShouldPost(), 1) << "level " << level;
        EXPECT_EQ(pacerDelay(), delays[level - 1]) << "level " << level;
    }
    for (auto state : {&game.paused, &game.gameOver}) {
        *state = 1;
        EXPECT_EQ(pacerShouldPost(), 0);
        EXPECT_EQ(pacerDelay(), 1000);
        *state = 0;
    }
    game.level = 0;  // the title
    EXPECT_EQ(pacerShouldPost(), 0);
    EXPECT_EQ(pacerDelay(), 1000);

    setPacerTimeScale(250);  // level 6: 200 ms
    EXPECT_GE(shortestGap(6, 4, 250), 800 * 0.9) << "steps may come late on a busy machine, never early";
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
    // The idle poll and level 1 both sleep a whole second, stretched here to
    // a minute: a stop that waited for the end of the sleep would take that.
    setPacerTimeScale(60000);
    for (int16_t level : {int16_t{0}, int16_t{1}}) {
        SCOPED_TRACE(testing::Message() << "level " << level);
        game.level = level;
        ASSERT_EQ(startGravityPacer(), 1);
        std::this_thread::sleep_for(milliseconds(50));  // into the sleep, most likely
        const auto before = Clock::now();
        stopGravityPacer();
        EXPECT_LT(Clock::now() - before, std::chrono::seconds(30)) << "the stop waited for the sleep to end";
        EXPECT_EQ(gravityPacerRunning(), 0);
        EXPECT_EQ(posts(), 0u);
    }
}

}  // namespace
