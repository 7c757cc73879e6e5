#include <geoframe/foundation/gxDoubleTrait.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(DoubleTrait, EqualIsInclusiveAbsoluteAndFalseForNaN) {
    EXPECT_TRUE(gxDoubleTrait::equal(1.0, 1.5, 0.5));
    EXPECT_TRUE(gxDoubleTrait::equal(1.5, 1.0, 0.5));
    EXPECT_TRUE(gxDoubleTrait::equal(1.0, 1.0, 0.0));
    EXPECT_FALSE(gxDoubleTrait::equal(1.0, std::nextafter(1.0, 2.0), 0.0));
    // Absolute, not relative: large numbers get no extra room.
    EXPECT_FALSE(gxDoubleTrait::equal(1e20, 1e20 + 1e5, 1.0));

    for (double tol : {0.0, 1.0, 1e300}) {
        EXPECT_FALSE(gxDoubleTrait::equal(1.0, kNaN, tol));
        EXPECT_FALSE(gxDoubleTrait::equal(kNaN, 1.0, tol));
        EXPECT_FALSE(gxDoubleTrait::equal(kNaN, kNaN, tol));
    }
    EXPECT_FALSE(gxDoubleTrait::equal(1.0, 1.0, kNaN));
    EXPECT_FALSE(gxDoubleTrait::equal(1.0, 1.0, -0.5));
}

TEST(DoubleTrait, AngleConversionsUseStoredPi) {
    EXPECT_EQ(gxDoubleTrait::d2r(180.0), gxDoubleTrait::piRadVal);
    EXPECT_EQ(gxDoubleTrait::r2d(gxDoubleTrait::piRadVal), 180.0);
    // The quotient is formed first, which is not always the same as x * pi / 180.
    for (double x : {1.0, 33.3, -77.7, 1e-9}) {
        EXPECT_EQ(gxDoubleTrait::d2r(x), (3.141592653589793 / 180.0) * x);
        EXPECT_EQ(gxDoubleTrait::r2d(x), (180.0 / 3.141592653589793) * x);
    }
    EXPECT_EQ(gxDoubleTrait::atan2(1.0, 0.0), gxDoubleTrait::piRadVal / 2);
    EXPECT_TRUE(std::isnan(gxDoubleTrait::asin(2.0)));
}

TEST(DoubleTrait, ConstantsAreTheDoubleLimits) {
    EXPECT_EQ(gxDoubleTrait::maxVal, std::numeric_limits<double>::max());
    EXPECT_EQ(gxDoubleTrait::fuzzVal, std::numeric_limits<double>::epsilon());
    EXPECT_EQ(gxDoubleTrait::piRadVal, std::acos(-1.0));
}

} // namespace
