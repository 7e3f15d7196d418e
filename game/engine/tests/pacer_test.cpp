#include "engine_fixture.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// The pacer's view of the main window: counts posts and, when asked to,
// takes each step at once the way a quick window thread would.
struct StepRecorder {
    std::mutex lock;
    std::vector<Clock::time_point> times;
    std::atomic<bool> takeAtOnce{true};
};
StepRecorder steps;

int recordStep()
{
    {
        std::lock_guard<std::mutex> guard(steps.lock);
        steps.times.push_back(Clock::now());
    }
    if (steps.takeAtOnce)
        gravityStepTaken();
    return 1;
}

class GravityPacer : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        {
            std::lock_guard<std::mutex> guard(steps.lock);
            steps.times.clear();
        }
        steps.takeAtOnce = true;
        static const EngineHost host = {recordRepaint, recordStep, recordingTileSource};
        setEngineHost(&host);
    }

    static size_t postCount()
    {
        std::lock_guard<std::mutex> guard(steps.lock);
        return steps.times.size();
    }

    // Gaps between posts, in scaled milliseconds (scale = microseconds per ms).
    static std::vector<double> gaps(int32_t scale)
    {
        std::lock_guard<std::mutex> guard(steps.lock);
        std::vector<double> result;
        for (size_t k = 1; k < steps.times.size(); ++k)
            result.push_back(std::chrono::duration<double, std::micro>(steps.times[k] - steps.times[k - 1]).count() /
                             scale);
        return result;
    }

    static void playing(int16_t level)
    {
        game.level = level;
        game.gameOver = 0;
        game.paused = 0;
    }

    static void waitForPosts(size_t n, milliseconds limit)
    {
        const auto end = Clock::now() + limit;
        while (postCount() < n && Clock::now() < end)
            std::this_thread::sleep_for(milliseconds(1));
    }
};

TEST_F(GravityPacer, DelayFollowsTheLevelAndIdlesOutsideAGame)
{
    EXPECT_EQ(pacerDelay(), 1000) << "title";
    playing(1);
    EXPECT_EQ(pacerDelay(), 1000);
    playing(5);
    EXPECT_EQ(pacerDelay(), 150);
    playing(6);
    EXPECT_EQ(pacerDelay(), 800);
    playing(11);
    EXPECT_EQ(pacerDelay(), 0);
    EXPECT_EQ(pacerShouldPost(), 1);
    game.paused = 1;
    EXPECT_EQ(pacerShouldPost(), 0);
    EXPECT_EQ(pacerDelay(), 1000);
    game.paused = 0;
    game.gameOver = 1;
    EXPECT_EQ(pacerShouldPost(), 0);
}

TEST_F(GravityPacer, PostsNothingInTitlePauseOrGameOver)
{
    setPacerTimeScale(20);  // idle poll 20 ms
    ASSERT_EQ(startGravityPacer(), 1);
    EXPECT_EQ(startGravityPacer(), 1) << "a second start keeps the one thread";
    std::this_thread::sleep_for(milliseconds(300));
    EXPECT_EQ(postCount(), 0u) << "title";

    playing(1);
    game.paused = 1;
    std::this_thread::sleep_for(milliseconds(300));
    EXPECT_EQ(postCount(), 0u) << "paused";

    game.paused = 0;
    game.gameOver = 1;
    std::this_thread::sleep_for(milliseconds(300));
    EXPECT_EQ(postCount(), 0u) << "game over";
    stopGravityPacer();
}

TEST_F(GravityPacer, AtMostOneStepIsInFlightWhenAPauseBegins)
{
    setPacerTimeScale(100);  // level 1: 100 ms
    playing(1);
    ASSERT_EQ(startGravityPacer(), 1);
    waitForPosts(1, milliseconds(2000));
    ASSERT_EQ(postCount(), 1u);
    game.paused = 1;
    std::this_thread::sleep_for(milliseconds(600));
    EXPECT_LE(postCount(), 2u);
    stopGravityPacer();
}

TEST_F(GravityPacer, FasterLevelsPostMoreOftenAndNeverEarly)
{
    const int32_t scale = 100;  // level 5: 15 ms, level 6: 80 ms
    setPacerTimeScale(scale);
    playing(5);
    ASSERT_EQ(startGravityPacer(), 1);
    waitForPosts(12, milliseconds(5000));
    stopGravityPacer();
    const std::vector<double> fast = gaps(scale);

    {
        std::lock_guard<std::mutex> guard(steps.lock);
        steps.times.clear();
    }
    playing(6);
    ASSERT_EQ(startGravityPacer(), 1);
    waitForPosts(6, milliseconds(5000));
    stopGravityPacer();
    const std::vector<double> slow = gaps(scale);

    ASSERT_GE(fast.size(), 10u);
    ASSERT_GE(slow.size(), 4u);
    // A step may come late on a busy machine, never early.
    EXPECT_GE(*std::min_element(fast.begin(), fast.end()), 150 * 0.95);
    EXPECT_GE(*std::min_element(slow.begin(), slow.end()), 800 * 0.95);
    std::vector<double> f = fast, s = slow;
    std::nth_element(f.begin(), f.begin() + static_cast<long>(f.size() / 2), f.end());
    std::nth_element(s.begin(), s.begin() + static_cast<long>(s.size() / 2), s.end());
    EXPECT_GT(s[s.size() / 2] / f[f.size() / 2], 2.5) << "level 6 (800 ms) is slower than level 5 (150 ms)";
}

TEST_F(GravityPacer, LevelElevenNeverQueuesMoreThanOneStep)
{
    steps.takeAtOnce = false;  // a window thread that is busy
    playing(11);
    ASSERT_EQ(startGravityPacer(), 1);
    waitForPosts(1, milliseconds(3000));
    std::this_thread::sleep_for(milliseconds(200));
    EXPECT_EQ(postCount(), 1u) << "nothing more until the step is taken";

    gravityStepTaken();
    waitForPosts(2, milliseconds(3000));
    std::this_thread::sleep_for(milliseconds(100));
    EXPECT_EQ(postCount(), 2u);

    // Taken at once, level 11 steps follow one another quickly.
    steps.takeAtOnce = true;
    gravityStepTaken();
    waitForPosts(200, milliseconds(3000));
    EXPECT_GE(postCount(), 200u);
    stopGravityPacer();
}

TEST_F(GravityPacer, StopEndsTheThreadInTheMiddleOfASleep)
{
    // Real delays: level 1 sleeps a whole second, the idle poll as well.
    for (int16_t level : {int16_t{0}, int16_t{1}}) {
        SCOPED_TRACE(testing::Message() << "level " << level);
        playing(level);
        ASSERT_EQ(startGravityPacer(), 1);
        ASSERT_EQ(gravityPacerRunning(), 1);
        std::this_thread::sleep_for(milliseconds(50));
        const auto before = Clock::now();
        stopGravityPacer();
        const auto took = Clock::now() - before;
        EXPECT_EQ(gravityPacerRunning(), 0);
        EXPECT_LT(took, milliseconds(500)) << "the stop did not wait for the sleep to end";
        const size_t posted = postCount();
        std::this_thread::sleep_for(milliseconds(1100));
        EXPECT_EQ(postCount(), posted) << "nothing is posted once stop has returned";
    }
}

TEST_F(GravityPacer, StopWhileAStepIsUnanswered)
{
    steps.takeAtOnce = false;
    playing(11);
    ASSERT_EQ(startGravityPacer(), 1);
    waitForPosts(1, milliseconds(3000));
    stopGravityPacer();  // the pacer waits for the window; the stop must still end it
    EXPECT_EQ(gravityPacerRunning(), 0);
    ASSERT_EQ(startGravityPacer(), 1) << "a stopped pacer can be started again";
    waitForPosts(2, milliseconds(3000));
    EXPECT_EQ(postCount(), 2u) << "the restarted pacer does not wait for the old step";
    stopGravityPacer();
}

}  // namespace
