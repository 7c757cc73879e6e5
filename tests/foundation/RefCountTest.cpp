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

class Derived : public Tracked {
public:
    using Tracked::Tracked;
};

unsigned long CountOf(GxRefBase* object) {
    object->AddReference();
    return object->ReleaseReference();
}

TEST(RefCount, LastReleaseDeletesExactlyOnce) {
    std::atomic<int> deaths{0};
    auto* raw = new Tracked(deaths);
    EXPECT_EQ(raw->AddReference(), 1u);
    EXPECT_EQ(raw->ReleaseReference(), 0u);
    EXPECT_EQ(deaths, 1);

    {
        GxSmartRef<Tracked> first(new Tracked(deaths));
        EXPECT_EQ(CountOf(first), 1u);
        {
            GxSmartRef<Tracked> second(first);
            EXPECT_EQ(CountOf(first), 2u);
        }
        EXPECT_EQ(CountOf(first), 1u);
        EXPECT_EQ(deaths, 1);
    }
    EXPECT_EQ(deaths, 2);
}

TEST(RefCount, AssignmentKeepsTheHeldObjectAlive) {
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
    EXPECT_TRUE(ref.IsNull());
    EXPECT_TRUE(!ref);
    EXPECT_EQ(CountOf(other), 1u);
}

TEST(RefCount, CopiesStartAtZeroWhateverTheSource) {
    std::atomic<int> deaths{0};
    GxSmartRef<Tracked> a(new Tracked(deaths));
    GxSmartRef<Tracked> b(a);
    GxSmartRef<Tracked> copy(new Tracked(*a));
    EXPECT_EQ(CountOf(copy), 1u);
    EXPECT_EQ(CountOf(a), 2u);
}

TEST(RefCount, HolderOfBaseTakesDerivedAndMoveHandsOver) {
    std::atomic<int> deaths{0};
    GxSmartRef<Derived> derived(new Derived(deaths));
    GxSmartRef<GxRefBase> base(derived);
    EXPECT_EQ(CountOf(base), 2u);

    GxSmartRef<GxRefBase> moved(std::move(base));
    EXPECT_TRUE(base.IsNull());
    EXPECT_EQ(CountOf(moved), 2u);

    derived = static_cast<Derived*>(nullptr);
    EXPECT_EQ(deaths, 0);
    moved = GxSmartRef<GxRefBase>();
    EXPECT_EQ(deaths, 1);
}

TEST(RefCount, ObjectsNeverHeldAreNotDeleted) {
    std::atomic<int> deaths{0};
    {
        Tracked onStack(deaths);
        EXPECT_EQ(deaths, 0);
    }
    EXPECT_EQ(deaths, 1);
}

// Many threads copy and drop holders of one object; it must die once, after the last.
TEST(RefCount, ConcurrentCopiesDestroyOnce) {
    constexpr int kThreads = 8;
    constexpr int kRounds = 20000;
    for (int trial = 0; trial < 5; ++trial) {
        std::atomic<int> deaths{0};
        std::vector<std::thread> threads;
        {
            GxSmartRef<Tracked> shared(new Tracked(deaths));
            for (int t = 0; t < kThreads; ++t) {
                GxSmartRef<Tracked> mine(shared);
                threads.emplace_back([mine]() mutable {
                    for (int i = 0; i < kRounds; ++i) {
                        GxSmartRef<Tracked> a(mine);
                        GxSmartRef<Tracked> b;
                        b = a;
                        a = static_cast<Tracked*>(nullptr);
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
