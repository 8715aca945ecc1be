#include <vector>

#include <gtest/gtest.h>

#include "madata/VariableKeys.h"

namespace morvane::test {
namespace {

KeyedCollection List(std::initializer_list<const char*> entries) {
    KeyedCollection list;
    for (const char* s : entries) {
        list.Add(s);
    }
    return list;
}

std::vector<std::string> Items(const KeyedCollection& col) {
    std::vector<std::string> items;
    for (const auto& entry : col) {
        items.push_back(entry.sItem);
    }
    return items;
}

TEST(VariableKeysTest, IndexedNamesPerAxisAndJerkLimits) {
    const KeyedCollection list = List({" $axis_type ; type", "$JERK_MA"});
    EXPECT_EQ(Items(ExpandIndexedNames(list, 7, 12)),
              (std::vector<std::string>{"$AXIS_TYPE[7]", "$AXIS_TYPE[8]", "$AXIS_TYPE[9]",
                                        "$AXIS_TYPE[10]", "$AXIS_TYPE[11]", "$AXIS_TYPE[12]",
                                        "$JERK_MA.AX.E1", "$JERK_MA.AX.E2", "$JERK_MA.AX.E3",
                                        "$JERK_MA.AX.E4", "$JERK_MA.AX.E5", "$JERK_MA.AX.E6"}));
    EXPECT_EQ(Items(ExpandIndexedNames(list, 1, 1)),
              (std::vector<std::string>{"$AXIS_TYPE", "$JERK_MA"}));
    EXPECT_EQ(Items(ExpandIndexedNames(List({"$RAT_MOT_AX"}), 1, 2)),
              (std::vector<std::string>{"$RAT_MOT_AX[1]", "$RAT_MOT_AX[2]"}));
}

TEST(VariableKeysTest, KinematicNamesPerSystem) {
    const KeyedCollection list = List({"$EX_KIN", "$et#_name", "$ET#_TA2A1", "$TOOL"});
    std::vector<std::string> expected = {"$EX_KIN"};
    for (int i = 1; i <= 6; ++i) {
        expected.push_back("$ET" + std::to_string(i) + "_NAME[]");
    }
    for (int i = 1; i <= 6; ++i) {
        expected.push_back("$ET" + std::to_string(i) + "_TA2A1");
    }
    EXPECT_EQ(Items(ExpandKinematicNames(list, 1, 6)), expected);
}

} // namespace
} // namespace morvane::test
