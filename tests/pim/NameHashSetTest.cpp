// The hash set behind the Maildir counts, checked against std::set through
// long runs of inserts and erases with few table slots (so that probe runs
// wrap around the table's end and erasing must move entries back).

#include <cstdint>
#include <gtest/gtest.h>
#include <random>
#include <set>

#include "platform/pim/NameHashSet.h"

TEST(NameHashSet, AgreesWithASetThroughInsertsAndErases) {
    zorun::NameHashSet set;
    std::set<std::uint64_t> reference;
    std::mt19937_64 random(7);
    for (int round = 0; round < 200000; ++round) {
        // Hashes from a small range, crowded into few home slots: long runs.
        const std::uint64_t hash = 1 + (random() % 300) * 64 + random() % 3;
        if (random() % 3 == 0) {
            EXPECT_EQ(set.Erase(hash), reference.erase(hash) == 1) << round;
        } else {
            EXPECT_EQ(set.Insert(hash), reference.insert(hash).second) << round;
        }
        ASSERT_EQ(set.Size(), reference.size()) << round;
    }
    for (const std::uint64_t hash : reference)
        EXPECT_FALSE(set.Insert(hash)) << "every kept hash is still found";
    set.Clear();
    EXPECT_EQ(set.Size(), 0u);
    EXPECT_FALSE(set.Erase(1));
    EXPECT_TRUE(set.Insert(1));
}

TEST(NameHashSet, NamesHashApart) {
    // Names of one delivery differ in a digit or a flag only.
    std::set<std::uint64_t> hashes;
    for (int i = 0; i < 100000; ++i)
        hashes.insert(zorun::NameHashSet::Hash("1700000000.M" + std::to_string(i) + "P1.host:2,S"));
    EXPECT_EQ(hashes.size(), 100000u);
    EXPECT_NE(zorun::NameHashSet::Hash("1.host:2,"), zorun::NameHashSet::Hash("1.host:2,S"));
    EXPECT_NE(zorun::NameHashSet::Hash(""), 0u);
}
