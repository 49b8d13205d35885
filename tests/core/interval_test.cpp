#include <gtest/gtest.h>

#include <climits>

#include "host/types.h"

namespace {

constexpr TimeValue kTimes[] = {INT32_MIN, INT32_MIN + 1, -1, 0, 1, 160, INT32_MAX - 1, INT32_MAX};

TEST(Interval, EmptyContainsNoTimeNotEvenTheMostNegative) {
    for (TimeValue t : kTimes)
        EXPECT_FALSE(EMPTY_INTERVAL.InInterval(t)) << t;
    EXPECT_TRUE(EMPTY_INTERVAL.Empty());
    EXPECT_TRUE(Interval().Empty());
}

TEST(Interval, WholeContainsEveryTime) {
    for (TimeValue t : kTimes)
        EXPECT_TRUE(WHOLE_INTERVAL.InInterval(t)) << t;
}

TEST(Interval, ClosedAtBothEnds) {
    const Interval span(-5, 10);
    EXPECT_FALSE(span.InInterval(-6));
    EXPECT_TRUE(span.InInterval(-5));
    EXPECT_TRUE(span.InInterval(10));
    EXPECT_FALSE(span.InInterval(11));
    const Interval instant(7, 7);
    EXPECT_TRUE(instant.InInterval(7));
    EXPECT_FALSE(instant.InInterval(6));
    EXPECT_FALSE(Interval(3, 2).InInterval(2));
    // A one-tick span at the most negative time is still a real span.
    EXPECT_TRUE(Interval(INT32_MIN, INT32_MIN + 1).InInterval(INT32_MIN));
}

struct Intersection {
    Interval a, b, expected;
};

TEST(Interval, Intersection) {
    const Intersection cases[] = {
        {WHOLE_INTERVAL, Interval(0, 10), Interval(0, 10)},
        {Interval(0, 10), Interval(5, 20), Interval(5, 10)},
        {Interval(0, 10), Interval(10, 20), Interval(10, 10)},
        {Interval(0, 10), Interval(11, 20), EMPTY_INTERVAL},
        {EMPTY_INTERVAL, WHOLE_INTERVAL, EMPTY_INTERVAL},
        {WHOLE_INTERVAL, EMPTY_INTERVAL, EMPTY_INTERVAL},
        {Interval(3, 2), Interval(0, 10), EMPTY_INTERVAL},
        {WHOLE_INTERVAL, WHOLE_INTERVAL, WHOLE_INTERVAL},
        {Interval(INT32_MIN, 0), Interval(INT32_MIN, INT32_MIN), EMPTY_INTERVAL},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.a & c.b, c.expected);
        EXPECT_EQ(c.b & c.a, c.expected);
        Interval narrowed = c.a;
        narrowed &= c.b;
        EXPECT_EQ(narrowed, c.expected);
    }
}

}  // namespace
