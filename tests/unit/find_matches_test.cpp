#include "browse/FindMatches.h"

#include <gtest/gtest.h>

namespace zemora {
namespace {

TEST(FindMatches, StepsWrapAroundAtBothEndsAndANewSearchStandsOnItsFirstMatch)
{
    struct Case {
        unsigned current, matches;
        bool backwards;
        unsigned expected;
    };
    const Case cases[] = {
        {0, 3, false, 1},
        {0, 3, true, 3}, // a search that has just begun
        {1, 3, false, 2},
        {2, 3, false, 3},
        {3, 3, false, 1},
        {3, 3, true, 2},
        {2, 3, true, 1},
        {1, 3, true, 3},
        {1, 1, false, 1},
        {1, 1, true, 1},
        // The page lost matches since: start over.
        {5, 3, false, 1},
        {0, 0, false, 0},
        {2, 0, true, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(steppedMatch(c.current, c.matches, c.backwards), c.expected)
            << c.current << " of " << c.matches << (c.backwards ? " back" : " on");
}

} // namespace
} // namespace zemora
