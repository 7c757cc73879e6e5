#include <geoframe/foundation/gxDoubleTrait.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(DoubleTrait, EqualIsInclusiveAbsoluteAndFalseForNaN) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(gxDoubleTrait::equal(1.0, 1.5, 0.5));
    EXPECT_TRUE(gxDoubleTrait::equal(1.5, 1.0, 0.5));
    EXPECT_TRUE(gxDoubleTrait::equal(1.0, 1.0, 0.0));
    EXPECT_FALSE(gxDoubleTrait::equal(1.0, std::nextafter(1.0, 2.0), 0.0));
    EXPECT_FALSE(gxDoubleTrait::equal(1e20, 1e20 + 1e5, 1.0)); // absolute, not relative
    EXPECT_FALSE(gxDoubleTrait::equal(1.0, 1.0, -0.5));        // empty interval
    for (double tol : {0.0, 1e300, nan}) {
        EXPECT_FALSE(gxDoubleTrait::equal(1.0, nan, tol));
        EXPECT_FALSE(gxDoubleTrait::equal(nan, nan, tol));
    }
    EXPECT_FALSE(gxDoubleTrait::equal(1.0, 1.0, nan));
}

TEST(DoubleTrait, AngleConversionsRoundTripHalfATurn) {
    EXPECT_EQ(gxDoubleTrait::d2r(180.0), gxDoubleTrait::piRadVal);
    EXPECT_EQ(gxDoubleTrait::r2d(gxDoubleTrait::piRadVal), 180.0);
    EXPECT_EQ(gxDoubleTrait::atan2(1.0, 0.0), gxDoubleTrait::piRadVal / 2); // y first
    EXPECT_EQ(gxDoubleTrait::fuzzVal, std::numeric_limits<double>::epsilon());
}

} // namespace
