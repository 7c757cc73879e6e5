#include <geoframe/foundation/GxRefBase.h>
#include <geoframe/foundation/GxSmartRef.h>
#include <geoframe/foundation/gxDoubleTrait.h>

#include "Text.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

namespace {

TEST(DoubleTrait, EqualIsInclusiveAbsoluteAndFalseForNaN) {
    // a, b, tolerance, expected; absolute, not relative; a negative tolerance: empty.
    const double nan = NAN, up = std::nextafter(1.0, 2.0);
    const double cases[][4] = {{1, 1.5, 0.5, 1}, {1.5, 1, 0.5, 1},         {1, 1, 0, 1},
                               {1, up, 0, 0},    {1e20, 1e20 + 1e5, 1, 0}, {1, 1, -0.5, 0},
                               {1, 1, nan, 0},   {1, nan, 1e300, 0},       {nan, nan, 1e300, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(gxDoubleTrait::equal(c[0], c[1], c[2]), c[3] == 1) << c[0] << " " << c[1];
}

/// Counts the destructions of every Tracked object.
struct Tracked : GxRefBase {
    Tracked() = default;
    Tracked(const Tracked&) : GxRefBase() {}
    ~Tracked() override { ++deaths; }
    static inline std::atomic<int> deaths{0};
};

unsigned long CountOf(GxRefBase* object) {
    object->AddReference();
    return object->ReleaseReference();
}

TEST(RefCount, HoldersCountTakeBeforeTheyReleaseAndTheLastOneDeletes) {
    Tracked::deaths = 0;
    auto* raw = new Tracked;
    const unsigned long added = raw->AddReference(), released = raw->ReleaseReference();
    EXPECT_EQ(Values(added, released, Tracked::deaths.load()), "1 0 1") << "counts, then deaths";
    {
        GxSmartRef<Tracked> ref(new Tracked);
        const GxSmartRef<Tracked>& alias = ref;
        ref = alias; // the object already held, by its only holder, stays alive
        ref = ref.Get();
        GxSmartRef<Tracked> other(ref), copy(new Tracked(*ref)); // a copy starts from zero
        EXPECT_EQ(Values(Tracked::deaths.load(), CountOf(ref), CountOf(copy)), "1 2 1");
        ref = copy;
        EXPECT_EQ(Values(CountOf(other), CountOf(copy)), "1 2");
        ref = static_cast<Tracked*>(nullptr);
        EXPECT_EQ(Values(!ref, ref.IsNull(), CountOf(copy)), "true true 1");
        // Base-class holders take derived objects; a move hands the reference over.
        GxSmartRef<GxRefBase> base(other), moved(std::move(base));
        EXPECT_EQ(Values(base.IsNull(), CountOf(moved)), "true 2");
        other = static_cast<Tracked*>(nullptr);
        moved = GxSmartRef<GxRefBase>();
        EXPECT_EQ(Tracked::deaths, 2);
    }
    EXPECT_EQ(Tracked::deaths, 3);
}

// Many threads copy and drop holders of one object; it must die once, after the last.
TEST(RefCount, ConcurrentCopiesDestroyOnce) {
    for (int trial = 0; trial < 5; ++trial) {
        Tracked::deaths = 0;
        std::vector<std::thread> threads;
        {
            const GxSmartRef<Tracked> shared(new Tracked);
            for (int t = 0; t < 8; ++t)
                threads.emplace_back([mine = shared] {
                    for (int i = 0; i < 20000; ++i)
                        GxSmartRef<Tracked>{mine} = mine;
                });
        }
        for (auto& t : threads)
            t.join();
        EXPECT_EQ(Tracked::deaths, 1);
    }
}

} // namespace
