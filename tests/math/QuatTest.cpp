#include <geoframe/math/gxQuat.h>

#include "Text.h"
#include "math/RandomMath.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace testmath;

TEST(Quat, AxisIsUsedAsGivenAndZeroRotationHasAnAxis) {
    gxQuat q;
    q.makeRot(90, 0, 0, 2); // length is the sum of squares
    EXPECT_EQ(q.norm(), q.length());
    EXPECT_NEAR(q.norm(), 2.5, 1e-15);
    // w = +-1, or a hair above 1 from rounding: angle 0 about z, never NaN.
    for (const gxQuat& z : {gxQuat(), gxQuat(0, 0, 0, -1), gxQuat(0, 0, 0, 1 + 2e-16),
                            gxQuat(1e-17, 0, 0, std::nextafter(1.0, 2.0))}) {
        double a = -1, x = -1, y = -1, zz = -1;
        EXPECT_TRUE(z.getRot(a, x, y, zz)) << z[3];
        EXPECT_EQ(Values(a, x, y, zz), "0 0 0 1") << z[3];
    }
}

TEST(Quat, AngleAxisRoundTripProductsComposeAndRotateLikeMatrices) {
    std::mt19937 rng(22);
    for (int n = 0; n < 200; ++n) {
        const double angle = Uniform(rng, -360, 360), w = Uniform(rng, 0.5, 3);
        const gxVec3 axis = UnitVec(rng), v = UnitVec(rng) * 3.0;
        const gxQuat q = UnitQuat(rng);
        gxQuat p, hamilton, alias = q, again;
        gxMatrix4 rot, mq, mpq;
        double a;
        gxVec3 back;
        p.makeRot(angle, axis), p.getRot(a, back), again.makeRot(a, back);
        rot.makeRot(angle, axis), mq.makeQuat(q), mpq.makeQuat(p * q), hamilton.mult(q, p);
        gxQuat c = p, inv = Scaled(p, 3.0); // inv: non-unit
        alias.mult(alias, p), inv.invert(); // an operand may be the result
        // Round trip, angle in [0, 360]; p * q, in place, aliased, undone; inverse; matrices.
        EXPECT_EQ(Values(again.equal(p, 1e-12), std::clamp(a, 0.0, 360.0) == a), "true true") << n;
        const bool times = (c *= q) == hamilton, by = (c /= q) == (p * q) / q;
        EXPECT_EQ(Values(p * q == hamilton, times, alias == hamilton, ((p * q) / q).equal(p, 1e-14),
                         by, (inv * Scaled(p, 3.0)).equal(gxQuat(), 1e-14),
                         mpq.equal(rot * mq, 1e-14)),
                  "true true true true true true true")
            << n;

        gxVec3 byP, byMat, byPq, stepwise; // rotating by p * q is p, then q
        byP.xformVec(v, p), byMat.xformVec(v, rot), byPq.xformVec(v, p * q);
        stepwise.xformVec(byP, q);
        EXPECT_EQ(Values(byP.equal(byMat, 1e-13), byPq.equal(stepwise, 1e-13)), "true true") << n;
        gxVec4 h(v[0] * w, v[1] * w, v[2] * w, w); // rotates its reduced point, keeps w
        h.xformVec(h, p);
        EXPECT_TRUE(h.equal(gxVec4(byP[0] * w, byP[1] * w, byP[2] * w, w), 1e-12));
    }
}

TEST(Quat, InterpolationTakesTheShortArcAndHitsTheEnds) {
    std::mt19937 rng(23);
    for (int n = 0; n < 200; ++n) {
        const gxQuat a = UnitQuat(rng), b = UnitQuat(rng);
        const double d = a.dot(b), whole = std::acos(std::fabs(d)), t = Uniform(rng, 0, 1);
        const gxQuat far = d < 0 ? Scaled(b, -1) : b; // the end actually reached
        gxQuat r0, r1, r = a;
        r0.slerp(0, a, b), r1.slerp(1, a, b), r.slerp(t, r, b); // the result may be an operand
        EXPECT_EQ(Values(r0.equal(a, 1e-14), r1.equal(far, 1e-14)), "true true") << n;
        if (std::fabs(d) < 0.99) { // constant angular speed along the arc
            EXPECT_NEAR(std::acos(std::min(1.0, r.dot(a))), t * whole, 1e-9);
            EXPECT_NEAR(std::acos(std::min(1.0, r.dot(far))), (1 - t) * whole, 1e-9);
        }
    }
    // With a . b above 0.99 slerp is the normalised lerp; lerp toward -a takes the
    // short arc and stays at a.
    gxQuat a, b, l, s, h;
    a.makeRot(10, 0, 0, 1), b.makeRot(12, 0, 0, 1);
    l.lerp(0.3, a, b), s.slerp(0.3, a, b), h.lerp(0.5, a, Scaled(a, -1));
    EXPECT_EQ(Values(l.equal(s, 1e-15), h.equal(a, 1e-15)), "true true");
}

TEST(Quat, LogExpAndSquadIdentities) {
    std::mt19937 rng(24);
    // -1, the identity, then unit and non-unit quaternions in turn.
    for (int n = 0; n < 100; ++n) {
        const gxQuat q =
            n > 1 ? Scaled(UnitQuat(rng), n % 2 ? 1 : 2.5) : gxQuat(0, 0, 0, n ? 1 : -1);
        gxQuat l = q, e;
        l.log(), e = l, e.exp();
        // Pure for unit ones.
        EXPECT_EQ(std::fabs(l[3]) < 1e-15, n % 2 == 1 || n == 0) << n;
        EXPECT_TRUE(e.equal(q, 1e-13)) << n;
    }
    // Squad reaches its keys, with a continuous tangent across key 2.
    gxQuat k[4], tan[4];
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
    EXPECT_EQ(Values(at(1, 0).equal(k[1], 1e-14), at(1, 1).equal(k[2], 1e-14)), "true true");
    const double h = 1e-6;
    const gxVec4 before = (at(1, 1) - at(1, 1 - h)) / h, after = (at(2, h) - at(2, 0)) / h;
    EXPECT_EQ(Values(at(1, 1).equal(at(2, 0), 1e-14), before.equal(after, 1e-5)), "true true");
}

} // namespace
