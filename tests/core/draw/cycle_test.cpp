#include "core/draw/cycle.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace glyphloom {
namespace cycle_test {

TEST(Cycle, WrappedIndexFoldsAnyIntoThePool) {
    const struct {
        int index;
        std::size_t count;
        std::size_t wrapped;
    } cases[] = {{0, 3, 0}, {2, 3, 2}, {3, 3, 0}, {7, 3, 1}, {-1, 3, 2}, {-7, 3, 2}, {5, 1, 0}};
    for (const auto& c : cases) EXPECT_EQ(wrappedIndex(c.index, c.count), c.wrapped) << c.index << " of " << c.count;
}

// The indices a cycle shows over successive stamps, starting from `start`.
std::vector<int> run(CyclePosition start, std::size_t pool, CycleMotion motion, int stamps) {
    std::vector<int> seen;
    for (int i = 0; i < stamps; ++i) {
        seen.push_back(start.index);
        start = advancedCycle(start, pool, motion);
    }
    return seen;
}

TEST(Cycle, MovesEveryStepStampsForwardsOrBackRoundOrStopping) {
    const struct {
        const char* what;
        CyclePosition start;
        std::size_t pool;
        CycleMotion motion;
        std::vector<int> seen;
    } cases[] = {
        {"forward, round", {0, 0}, 3, {1, true, true}, {0, 1, 2, 0, 1}},
        {"every second stamp", {0, 0}, 3, {2, true, true}, {0, 0, 1, 1, 2, 2, 0}},
        {"step below one", {0, 0}, 2, {0, true, true}, {0, 1, 0}},
        {"forward, stopping", {1, 0}, 3, {1, true, false}, {1, 2, 2, 2}},
        {"back, round", {1, 0}, 3, {1, false, true}, {1, 0, 2, 1}},
        {"back, stopping", {1, 0}, 3, {1, false, false}, {1, 0, 0}},
        {"count carried over", {0, 2}, 3, {3, true, true}, {0, 1, 1, 1, 2}},
        {"index out of the pool", {-1, 0}, 3, {1, true, true}, {-1, 0, 1}},
        {"empty pool", {4, 1}, 0, {1, true, true}, {4, 4, 4}},
    };
    for (const auto& c : cases) EXPECT_EQ(run(c.start, c.pool, c.motion, static_cast<int>(c.seen.size())), c.seen) << c.what;
    EXPECT_EQ(advancedCycle({4, 1}, 0, {}), (CyclePosition{4, 1})) << "an empty pool counts nothing";
}

}  // namespace cycle_test
}  // namespace glyphloom
