#include <geoframe/foundation/GxRefBase.h>
#include <geoframe/foundation/GxSmartRef.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

/// Counts its own destructions.
class Tracked : public GxRefBase {
public:
    explicit Tracked(std::atomic<int>& deaths) : m_deaths(deaths) {}
    Tracked(const Tracked& other) : GxRefBase(), m_deaths(other.m_deaths) {}
    ~Tracked() override { ++m_deaths; }

private:
    std::atomic<int>& m_deaths;
};

unsigned long CountOf(GxRefBase* object) {
    object->AddReference();
    return object->ReleaseReference();
}

TEST(RefCount, HoldersCountAndTheLastOneDeletes) {
    std::atomic<int> deaths{0};
    auto* raw = new Tracked(deaths);
    EXPECT_EQ(raw->AddReference(), 1u);
    EXPECT_EQ(raw->ReleaseReference(), 0u);
    EXPECT_EQ(deaths, 1);

    {
        GxSmartRef<Tracked> first(new Tracked(deaths));
        GxSmartRef<Tracked> second(first);
        EXPECT_EQ(CountOf(first), 2u);
        // A copy made by the copy constructor starts again from zero.
        GxSmartRef<Tracked> copy(new Tracked(*first));
        EXPECT_EQ(CountOf(copy), 1u);
    }
    EXPECT_EQ(deaths, 3);
}

TEST(RefCount, AssignmentTakesBeforeItReleases) {
    std::atomic<int> deaths{0};
    GxSmartRef<Tracked> ref(new Tracked(deaths));
    Tracked* raw = ref;
    GxSmartRef<Tracked>& alias = ref;
    ref = alias;
    ref = raw;
    EXPECT_EQ(deaths, 0);
    EXPECT_EQ(CountOf(ref), 1u);

    GxSmartRef<Tracked> other(new Tracked(deaths));
    ref = other;
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(CountOf(other), 2u);

    ref = static_cast<Tracked*>(nullptr);
    EXPECT_TRUE(!ref);
    EXPECT_EQ(CountOf(other), 1u);

    // Base-class holders take derived objects; a move hands the reference over.
    GxSmartRef<GxRefBase> base(other);
    GxSmartRef<GxRefBase> moved(std::move(base));
    EXPECT_TRUE(base.IsNull());
    EXPECT_EQ(CountOf(moved), 2u);
    other = static_cast<Tracked*>(nullptr);
    moved = GxSmartRef<GxRefBase>();
    EXPECT_EQ(deaths, 2);
}

// Many threads copy and drop holders of one object; it must die once, after the last.
TEST(RefCount, ConcurrentCopiesDestroyOnce) {
    for (int trial = 0; trial < 5; ++trial) {
        std::atomic<int> deaths{0};
        std::vector<std::thread> threads;
        {
            GxSmartRef<Tracked> shared(new Tracked(deaths));
            for (int t = 0; t < 8; ++t) {
                threads.emplace_back([mine = shared]() mutable {
                    for (int i = 0; i < 20000; ++i) {
                        GxSmartRef<Tracked> a(mine);
                        GxSmartRef<Tracked> b;
                        b = a;
                    }
                    mine = static_cast<Tracked*>(nullptr);
                });
            }
        }
        for (auto& t : threads)
            t.join();
        EXPECT_EQ(deaths, 1);
    }
}

} // namespace
