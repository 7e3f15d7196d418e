// Shared set-up for the engine tests: a fresh GameState and layout per test,
// a seeded piece sequence, and a host that records what the engine asks of
// the platform.
#ifndef KUBRELSE_ENGINE_TESTS_ENGINE_FIXTURE_H
#define KUBRELSE_ENGINE_TESTS_ENGINE_FIXTURE_H

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "board_pictures.h"
#include "engine.h"

struct RecordedRepaint {
    bool whole;
    Rect area;
};

// What the engine asked for since the test began. The host functions are
// plain functions, so the record is process-wide and reset per test.
struct HostRecord {
    std::vector<RecordedRepaint> repaints;
    int missingTile = 0;  // a tile id the host pretends not to have, 0 = none
    bool emptyMasks = false;
};
extern HostRecord hostRecord;

void recordRepaint(const Rect* area);
int recordingTileSource(uint16_t resourceId, uint8_t mask[16]);

inline bool operator==(const Rect& a, const Rect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline std::ostream& operator<<(std::ostream& os, const Rect& r)
{
    return os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts a game with a chosen first piece.
    static void startGameWith(int16_t type);

    // Checks the invariants that hold between operations outside a game over.
    static void expectPieceConsistent(int line);
};

#define EXPECT_PIECE_CONSISTENT() expectPieceConsistent(__LINE__)

#endif
