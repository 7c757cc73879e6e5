#include <geoframe/math/gxMatStack.h>

#include <gtest/gtest.h>

// Every member compiles, also for a matrix type without a default constructor.
template class gxMatStack<gxMatrix4>;
struct ScratchOnly {
    enum InitState { INIT_NONE };
    explicit ScratchOnly(InitState) {}
};
template class gxMatStack<ScratchOnly>;

namespace {

TEST(MatStack, DepthIsClampedAndNeverOverOrUnderflows) {
    EXPECT_EQ(gxMatStack<gxMatrix4>().getMaxDepth(), 32);
    for (auto [asked, got] : {std::pair{1, 1}, {-7, 1}, {128, 128}, {129, 128}, {5, 5}}) {
        gxMatStack<gxMatrix4> s(asked);
        ASSERT_EQ(s.getMaxDepth(), got);
        EXPECT_FALSE(s.pop());
        for (int i = 1; i < got; ++i)
            EXPECT_TRUE(s.push());
        EXPECT_FALSE(s.push());
        EXPECT_EQ(s.getCurDepth(), got - 1);
    }
}

TEST(MatStack, PushSavesPopRestoresAndCopiesOwnTheirMatrices) {
    gxMatStack<gxMatrix4> s(4), copy;
    ASSERT_TRUE(s.push() && *s == gxMatrix4());
    s->postTrans(1, 2, 3);
    const gxMatrix4 moved = *s;
    copy = s; // has matrices of its own
    copy->makeScale(5, 5, 5);
    EXPECT_TRUE(*s == moved && copy.getMaxDepth() == 4 && copy.getCurDepth() == 1);
    ASSERT_TRUE(s.pop());
    EXPECT_TRUE(*s == gxMatrix4() && s.getCurDepth() == 0);
    s->postScale(2, 2, 2);
    const gxMatrix4 bottom = *s;
    s.push(), s.push(), s->makeIdent(), s.reset();
    EXPECT_TRUE(*s == bottom && s.getCurDepth() == 0);
}

} // namespace
