#include <geoframe/math/gxQuat.h>

#include "math/RandomMath.h"

#include <gtest/gtest.h>

namespace {

using namespace testmath;

gxQuat Scaled(const gxQuat& q, double f) {
    return gxQuat(q[0] * f, q[1] * f, q[2] * f, q[3] * f);
}

TEST(Quat, AngleAxisRoundTripAndZeroRotation) {
    gxQuat q;
    q.makeRot(90, 0, 0, 2); // the axis is used as given
    EXPECT_NEAR(q.norm(), 1 + 3 * 0.5, 1e-15);
    EXPECT_TRUE(gxQuat(1, 2, 3, 4).length() == 30 && gxQuat() == gxQuat(0, 0, 0, 1));
    std::mt19937 rng(21);
    for (int n = 0; n < 200; ++n) {
        const double angle = Uniform(rng, 1e-3, 359.999);
        const gxVec3 axis = UnitVec(rng);
        double a;
        gxVec3 back;
        q.makeRot(angle, axis);
        EXPECT_TRUE(q.getRot(a, back) && std::fabs(a - angle) < 1e-9 && back.equal(axis, 1e-9));
    }
    // w = +-1, or a hair above 1 from rounding: angle 0 about z, never NaN.
    for (const gxQuat& z : {gxQuat(0, 0, 0, 1), gxQuat(0, 0, 0, -1), gxQuat(0, 0, 0, 1 + 2e-16),
                            gxQuat(1e-17, 0, 0, std::nextafter(1.0, 2.0))}) {
        double a = -1, x = -1, y = -1, zz = -1;
        z.getRot(a, x, y, zz);
        EXPECT_TRUE(a == 0 && x == 0 && y == 0 && zz == 1);
    }
}

TEST(Quat, ProductOrderInverseAndDivision) {
    std::mt19937 rng(22);
    for (int n = 0; n < 100; ++n) {
        const gxQuat p = UnitQuat(rng), q = UnitQuat(rng);
        gxQuat hamilton, c = p, alias = q, inv = Scaled(p, 3.0); // inv: non-unit
        hamilton.mult(q, p);
        alias.mult(alias, p); // an operand may be the result
        inv.invert();
        EXPECT_TRUE(p * q == hamilton && (c *= q) == hamilton && alias == hamilton);
        EXPECT_TRUE(((p * q) / q).equal(p, 1e-14) && (c /= q) == (p * q) / q);
        EXPECT_TRUE((inv * Scaled(p, 3.0)).equal(gxQuat(), 1e-14));
    }
    gxQuat a, b, i(0, 0, 0, 2);
    a.makeRot(90, 1, 0, 0);
    b.makeRot(90, 0, 1, 0);
    i.invert();
    EXPECT_TRUE(!(a * b).equal(b * a, 0.1) && i == gxQuat(0, 0, 0, 0.5));
}

TEST(Quat, InterpolationTakesTheShortArcAndHitsTheEnds) {
    std::mt19937 rng(23);
    for (int n = 0; n < 200; ++n) {
        const gxQuat a = UnitQuat(rng), b = UnitQuat(rng);
        const double d = a.dot(b), whole = std::acos(std::fabs(d)), t = Uniform(rng, 0, 1);
        const gxQuat far = d < 0 ? Scaled(b, -1) : b; // the end actually reached
        gxQuat r0, r1, r = a;
        r0.slerp(0, a, b);
        r1.slerp(1, a, b);
        r.slerp(t, r, b); // the result may be an operand
        EXPECT_TRUE(r0.equal(a, 1e-14) && r1.equal(far, 1e-14));
        EXPECT_NEAR(gxVec4(r).length(), 1.0, 1e-15);
        if (std::fabs(d) < 0.99) { // constant angular speed along the arc
            EXPECT_NEAR(std::acos(std::min(1.0, r.dot(a))), t * whole, 1e-9);
            EXPECT_NEAR(std::acos(std::min(1.0, r.dot(far))), (1 - t) * whole, 1e-9);
        }
    }
    gxQuat a, b, l, s;
    a.makeRot(10, 0, 0, 1);
    b.makeRot(12, 0, 0, 1); // a . b above 0.99: slerp is the normalised lerp
    l.lerp(0.3, a, b);
    s.slerp(0.3, a, b);
    EXPECT_TRUE(l.equal(s, 1e-15));
    l.lerp(0.5, a, Scaled(a, -1));
    EXPECT_TRUE(l.equal(a, 1e-15));
}

TEST(Quat, LogExpAndSquadIdentities) {
    std::mt19937 rng(24);
    for (int n = 0; n < 200; ++n) {
        const gxQuat q = UnitQuat(rng);
        gxQuat l = q, s = Scaled(q, 2.5);
        l.log();
        EXPECT_NEAR(l[3], 0.0, 1e-15);
        l.exp();
        s.log();
        s.exp();
        EXPECT_TRUE(l.equal(q, 1e-14) && s.equal(Scaled(q, 2.5), 1e-13));
    }
    gxQuat minusOne(0, 0, 0, -1);
    minusOne.log();
    minusOne.exp();
    EXPECT_TRUE(minusOne.equal(gxQuat(0, 0, 0, -1), 1e-15));

    // Keys about one axis at equal steps: each tangent is its key.
    gxQuat k[4], tan[4];
    for (int i = 0; i < 3; ++i)
        k[i].makeRot(40.0 * i, 0, 0, 1);
    tan[1].meanTangent(k[0], k[1], k[2]);
    EXPECT_TRUE(tan[1].equal(k[1], 1e-14));
    // Random keys: squad reaches them, with a continuous tangent across key 2.
    for (int i = 0; i < 4; ++i) { // consecutive keys on one side of the sphere
        k[i] = UnitQuat(rng);
        tan[i] = k[i] = i && k[i - 1].dot(k[i]) < 0 ? Scaled(k[i], -1) : k[i];
    }
    for (int i = 1; i < 3; ++i)
        tan[i].meanTangent(k[i - 1], k[i], k[i + 1]);
    auto at = [&](int seg, double t) {
        gxQuat r;
        r.squad(t, k[seg], k[seg + 1], tan[seg], tan[seg + 1]);
        return r;
    };
    EXPECT_TRUE(at(1, 0).equal(k[1], 1e-14) && at(1, 1).equal(k[2], 1e-14));
    const double h = 1e-6;
    const gxVec4 before = (at(1, 1) - at(1, 1 - h)) / h, after = (at(2, h) - at(2, 0)) / h;
    EXPECT_TRUE(at(1, 1).equal(at(2, 0), 1e-14) && before.equal(after, 1e-5));
}

} // namespace
