#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/RunTimeError.h"
#include "grids/ChangeControl.h"
#include "grids/ChangeLists.h"
#include "grids/CurrentVariable.h"
#include "madata/MadaStore.h"

namespace morvane {
namespace {

struct KeyValue {
    std::string sKey;
    std::string sItem;
};

std::vector<KeyValue> Entries(const KeyedCollection& col) {
    std::vector<KeyValue> entries;
    for (const auto& entry : col) {
        entries.push_back({entry.sKey, entry.sItem});
    }
    return entries;
}

bool operator==(const KeyValue& a, const KeyValue& b) {
    return a.sKey == b.sKey && a.sItem == b.sItem;
}

void PrintTo(const KeyValue& kv, std::ostream* os) {
    *os << kv.sKey << " -> " << kv.sItem;
}

class ChangeListsTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset() {
        g_colMadaValues = KeyedCollection();
        g_colMadaChanges = KeyedCollection();
        g_colSFChanges = KeyedCollection();
        g_colSFNeededVals = KeyedCollection();
        g_colSFValues = KeyedCollection();
        g_sActiveSFGrid.clear();
    }

    // An accepted cell edit of a machine-data grid.
    static std::string EditMada(const std::string& sName, int nIndex, const std::string& sValue) {
        clsChangeControl edit;
        edit.ExAxData = true;
        edit.VariableName = sName;
        edit.VariableIndex = nIndex;
        edit.VariableValue = sValue;
        edit.AcceptChange();
        return edit.VariableValue;
    }

    static void EditServo(const std::string& sGrid, const std::string& sName, int nIndex,
                          const std::string& sValue) {
        g_sActiveSFGrid = sGrid;
        clsChangeControl edit;
        edit.ServoFileData = true;
        edit.VariableName = sName;
        edit.VariableIndex = nIndex;
        edit.VariableValue = sValue;
        edit.AcceptChange();
    }
};

struct MadaKeyCase {
    const char* pszName;
    int nIndex;
    const char* pszKey;
};

TEST_F(ChangeListsTest, EditIsFiledUnderTheKeyOfItsCell) {
    const MadaKeyCase cases[] = {
        {"$RAT_MOT_AX", 7, "$RAT_MOT_AX[7]"},
        {"MOTORTYPE", 8, "MOTORTYPE[8]"},
        {"$SERVOFILE", 2, "$SERVOFILE[2]"},
        {"$JERK_MA", 7, "$JERK_MA.AX.E1"},
        {"$JERK_MA", 9, "$JERK_MA.AX.E3"},
        {"$ET3_AX", 2, "$ET3_AX"},
        {"$ET2_NAME[]", 1, "$ET2_NAME[]"},
        {"$ET1_TA1BN", 4, "$ET1_TA1BN"},
        {"$EX_KIN", 3, "$EX_KIN"},
        {"$EX_AX_NUM", 0, "$EX_AX_NUM"},
        {"$NUM_AX", 0, "$NUM_AX"},
        {"$BRK_MODE", 5, "$BRK_MODE"},
        {"$offset_et", 7, "$offset_et[7]"}, // "ET" is looked for in upper case only
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        g_colMadaValues = KeyedCollection();
        g_colMadaChanges = KeyedCollection();
        g_colMadaValues.Add("OLD", c.pszKey);
        EditMada(c.pszName, c.nIndex, "new");
        EXPECT_EQ(Entries(g_colMadaChanges), (std::vector<KeyValue>{{c.pszKey, "NEW"}}));
    }
}

TEST_F(ChangeListsTest, EditingBackToTheFileValueWithdrawsTheChange) {
    g_colMadaValues.Add("{N 1,D 1}", "$RAT_MOT_AX[7]");
    g_colMadaValues.Add("3", "$AXIS_TYPE[8]");
    EditMada("$AXIS_TYPE", 8, "1");
    const auto before = Entries(g_colMadaChanges);

    EditMada("$RAT_MOT_AX", 7, "{N 2,D 1}");
    EXPECT_EQ(GetMadaValue("$RAT_MOT_AX[7]"), "{N 2,D 1}");
    EditMada("$RAT_MOT_AX", 7, "{N 1,D 1}");

    EXPECT_EQ(Entries(g_colMadaChanges), before);
    EXPECT_EQ(GetMadaValue("$RAT_MOT_AX[7]"), "{N 1,D 1}");
}

TEST_F(ChangeListsTest, ValuesAreRecordedAndComparedInUpperCase) {
    g_colMadaValues.Add("\"track\"", "$ET1_NAME[]");
    g_colMadaValues.Add("{n 1,d 1}", "$RAT_MOT_AX[7]");

    EXPECT_EQ(EditMada("$ET1_NAME[]", 1, "\"Belt\""), "\"BELT\"");
    EXPECT_EQ(EditMada("$RAT_MOT_AX", 7, "{N 1,d 1}"), "{N 1,D 1}");

    EXPECT_EQ(Entries(g_colMadaChanges), (std::vector<KeyValue>{{"$ET1_NAME[]", "\"BELT\""}}));
    EXPECT_EQ(GetMadaValue("$rat_mot_ax[7]"), "{N 1,D 1}");

    std::string sValue = "\"track\"";
    PutMadaChange("$ET1_NAME[]", sValue);
    EXPECT_EQ(sValue, "\"TRACK\"");
    EXPECT_TRUE(g_colMadaChanges.Empty());
}

TEST_F(ChangeListsTest, SecondEditOfAKeyLeavesOneEntryAtTheEnd) {
    g_colMadaValues.Add("1", "$AXIS_TYPE[7]");
    g_colMadaValues.Add("1", "$AXIS_TYPE[8]");
    EditMada("$AXIS_TYPE", 7, "2");
    EditMada("$AXIS_TYPE", 8, "3");
    EditMada("$AXIS_TYPE", 7, "4");

    EXPECT_EQ(Entries(g_colMadaChanges),
              (std::vector<KeyValue>{{"$AXIS_TYPE[8]", "3"}, {"$AXIS_TYPE[7]", "4"}}));
}

TEST_F(ChangeListsTest, KeyMissingFromTheValueMapRaisesAndRecordsNothing) {
    g_colMadaValues.Add("1", "$AXIS_TYPE[7]");
    std::string sValue = "2";
    EXPECT_THROW(PutMadaChange("$AXIS_TYPE[9]", sValue), RunTimeError);
    EXPECT_THROW(EditMada("$AXIS_TYPE", 9, "2"), RunTimeError);
    EXPECT_THROW(GetMadaValue("$AXIS_TYPE[9]"), RunTimeError);
    EXPECT_TRUE(g_colMadaChanges.Empty());
}

struct ServoCase {
    const char* pszFileValue; // nullptr: the servo file lacks the parameter
    const char* pszEntered;
    bool bRecorded;
};

TEST_F(ChangeListsTest, ServoChangeIsWithdrawnOnlyForTheExactFileText) {
    const ServoCase cases[] = {
        {"2000", "2000", false}, {"Motor A", "Motor A", false}, {"Motor A", "MOTOR A", true},
        {"2000", "2500", true},  {nullptr, "2000", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszEntered);
        g_colSFValues = KeyedCollection();
        g_colSFChanges = KeyedCollection();
        if (c.pszFileValue != nullptr) {
            g_colSFValues.Add(c.pszFileValue, "Kp_Speed");
        }
        g_colSFChanges.Add("1", "Kp_Speed");
        EditServo("SF_CALCDATAGRID", "Kp_Speed", 0, c.pszEntered);
        const std::vector<KeyValue> expected =
            c.bRecorded ? std::vector<KeyValue>{{"Kp_Speed", c.pszEntered}}
                        : std::vector<KeyValue>{};
        EXPECT_EQ(Entries(g_colSFChanges), expected);
        EXPECT_TRUE(g_colSFNeededVals.Empty());
    }
}

TEST_F(ChangeListsTest, CommentRowIsFiledUnderItsRow) {
    EditServo("SF_CALCDATAGRID", "CommentLine", 2, "; belt drive");
    EXPECT_EQ(Entries(g_colSFChanges), (std::vector<KeyValue>{{"CLine2", "; belt drive"}}));
}

TEST_F(ChangeListsTest, ComputationInputIsStoredEvenWhenUnchanged) {
    EditServo("SF_COMMDATAGRID", "Gear_Ratio", 0, "12.5");
    EditServo("SF_COMMDATAGRID", "Motor_Type", 0, "mg_10");
    EditServo("SF_COMMDATAGRID", "Gear_Ratio", 0, "12.5");

    EXPECT_EQ(Entries(g_colSFNeededVals),
              (std::vector<KeyValue>{{"Motor_Type", "mg_10"}, {"Gear_Ratio", "12.5"}}));
    EXPECT_TRUE(g_colSFChanges.Empty());
    EXPECT_EQ(GetSFNeededVal("Motor_Type"), "MG_10");
    EXPECT_EQ(GetSFNeededVal("Brake"), "");
}

struct SFValueCase {
    const char* pszKey;
    const char* pszValue;
    bool bChanged;
};

TEST_F(ChangeListsTest, ServoValueIsThePendingOneElseTheFileOne) {
    g_colSFValues.Add("motor a", "Motor");
    g_colSFValues.Add("100", "Speed");
    g_colSFChanges.Add("ramp", "Speed");
    const SFValueCase cases[] = {
        {"Speed", "RAMP", true},
        {"Motor", "MOTOR A", false},
        {"Brake", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszKey);
        bool bChanged = !c.bChanged;
        EXPECT_EQ(GetSFValue(c.pszKey, bChanged), c.pszValue);
        EXPECT_EQ(bChanged, c.bChanged);
    }
}

} // namespace
} // namespace morvane
