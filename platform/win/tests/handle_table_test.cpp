// The handle table: live counts, its consistency under random use, and its slot limit, past which
// it refuses new entries instead of handing out a handle that names slot 0 again.

#include "platform/win/handle_table.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <set>
#include <vector>

namespace {

TEST(HandleTable, RandomUseKeepsCountsAndInvariants) {
    for (std::uint32_t tag : {0u, 4321u}) {
        SCOPED_TRACE(tag);
        pm::HandleTable<int> table(tag);
        std::vector<std::uintptr_t> live;
        std::vector<std::uintptr_t> stale;
        std::mt19937 random(7);
        for (int step = 0; step < 3000; ++step) {
            if (live.empty() || random() % 3 != 0) {
                const std::uintptr_t h = table.add(std::make_unique<int>(step));
                ASSERT_NE(h, 0u);
                live.push_back(h);
            } else {
                const std::size_t i = random() % live.size();
                ASSERT_NE(table.remove(live[i]), nullptr);
                stale.push_back(live[i]);
                live.erase(live.begin() + static_cast<std::ptrdiff_t>(i));
            }
            ASSERT_EQ(table.liveCount(), live.size());
            ASSERT_TRUE(table.checkInvariants()) << "after step " << step;
        }
        for (std::uintptr_t h : stale)
            EXPECT_EQ(table.get(h), nullptr) << "a freed handle stays stale though its slot is reused";
        EXPECT_EQ(std::set<std::uintptr_t>(live.begin(), live.end()).size(), live.size());
    }
}

TEST(HandleTable, TaggedTableRefusesPastItsSlotLimit) {
    pm::HandleTable<char> table(99);
    const std::size_t limit = table.slotLimit();
    ASSERT_EQ(limit, (std::size_t(1) << 20) - 1);
    const std::uintptr_t first = table.add(std::make_unique<char>('a'));
    for (std::size_t i = 1; i < limit; ++i)
        ASSERT_NE(table.add(std::make_unique<char>('b')), 0u);
    EXPECT_EQ(table.liveCount(), limit);
    EXPECT_EQ(table.add(std::make_unique<char>('c')), 0u) << "no handle that aliases slot 0";
    EXPECT_EQ(*table.get(first), 'a');
    EXPECT_EQ(table.liveCount(), limit);
    EXPECT_TRUE(table.checkInvariants());

    ASSERT_NE(table.remove(first), nullptr);
    const std::uintptr_t again = table.add(std::make_unique<char>('d'));
    ASSERT_NE(again, 0u) << "a freed slot is used again";
    EXPECT_NE(again, first);
    EXPECT_EQ(table.get(first), nullptr);
    EXPECT_EQ(*table.get(again), 'd');
}

} // namespace
