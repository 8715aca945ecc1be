#include <gtest/gtest.h>

#include "common/KeyedCollection.h"
#include "common/RunTimeError.h"

using namespace morvane;

TEST(KeyedCollection, KeepsOrderAndFindsKeysWithoutCase) {
    KeyedCollection col;
    col.Add("a");
    col.Add("b", "$Num_Ax");
    col.Add("c", "KEY2");
    ASSERT_EQ(col.Count(), 3);
    EXPECT_EQ(col.Item(1), "a");
    EXPECT_EQ(col.Item(3), "c");
    EXPECT_EQ(col.Item("$NUM_AX"), "b");
    EXPECT_EQ(col.Item("key2"), "c");
    EXPECT_TRUE(KeyExists(col, "$num_ax"));
    EXPECT_FALSE(KeyExists(col, "a"));
}

TEST(KeyedCollection, MissingKeysAndBadIndexesRaise) {
    KeyedCollection col;
    col.Add("x", "K");
    EXPECT_THROW(col.Item("L"), RunTimeError);
    EXPECT_THROW(col.Item(0), RunTimeError);
    EXPECT_THROW(col.Item(2), RunTimeError);
    EXPECT_THROW(col.Add("y", "k"), RunTimeError);
    EXPECT_EQ(col.Count(), 1) << "a refused duplicate must not be added";
    EXPECT_THROW(col.Remove("L"), RunTimeError);
}

TEST(KeyedCollection, RemovalKeepsTheOtherKeysReachable) {
    KeyedCollection col;
    col.Add("1", "A");
    col.Add("2", "B");
    col.Add("3", "C");
    col.Remove("A");
    EXPECT_EQ(col.Item("B"), "2");
    EXPECT_EQ(col.Item("C"), "3");
    EXPECT_EQ(col.Item(1), "2");
    col.Remove(2);
    EXPECT_FALSE(col.Contains("C"));
    col.RemoveIfPresent("C");
    col.Add("4", "C");
    EXPECT_EQ(col.Item(2), "4");
}
