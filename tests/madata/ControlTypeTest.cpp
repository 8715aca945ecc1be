#include <gtest/gtest.h>

#include "common/CodePage.h"
#include "config/IniFile.h"
#include "config/LanguageText.h"
#include "grids/ChangeLists.h"
#include "madata/ControlType.h"
#include "madata/MadaStore.h"
#include "tests/madata/MadaFixtures.h"
#include "tests/support/TestSupport.h"

namespace morvane::test {
namespace {

class ControlTypeTest : public UiTest {
protected:
    void SetUp() override { ResetMadaGlobals(); }
    static void SetValues(const char* sTrafo, const char* sReso = nullptr,
                          const char* sChannel = nullptr) {
        g_colMadaValues = {};
        g_colMadaValues.Add(sTrafo, "$TRAFONAME[]");
        if (sReso) {
            g_colMadaValues.Add(sReso, "$AXIS_RESO[1]");
        }
        if (sChannel) {
            g_colMadaValues.Add(sChannel, "$PMCHANNEL[1]");
        }
    }
};

struct TypeCase {
    const char* sTrafo;
    const char* sReso;
    const char* sChannel;
    const char* sType;
    bool bRobotModel;
};

TEST_F(ControlTypeTest, TypeFromTheTransformationName) {
    const TypeCase cases[] = {
        {"\"#BN7 57 X\"", nullptr, nullptr, "(V)BN 57", true},
        {"\"#linear 57 x\"", nullptr, nullptr, "(V)BN 57", false},
        {"\"#BN3 86T R\"", nullptr, nullptr, "(V)BN 86T", true},
        {"\"#ARM 86T R\"", nullptr, nullptr, "(V)BN 86T", false},
        {"\"#BN4 WJ22\"", nullptr, nullptr, "(V)BN 57", true},
        {"\"#BN4 57N X\"", nullptr, nullptr, "(V)BN 57", true},
        {"\"#BNX 40L X\"", nullptr, nullptr, "(V)BN 40L", true},
        {"\"#BNX 86L X\"", nullptr, nullptr, "(V)BN 86L", true},
        {"\"#BN 57N X\"", nullptr, nullptr, "", true},
        {"\"\"", "4096", "1", "(V)BN 40", true},
        {"\"\"", "4096", "2", "", true},
        {"\"\"", nullptr, nullptr, "", true},
        {"\"#ARM6 57S\"", "4096", "1", "(V)BN 40", true},
    };
    for (const TypeCase& c : cases) {
        SetValues(c.sTrafo, c.sReso, c.sChannel);
        g_bRobotModelTrafo = !c.bRobotModel;
        DetermineControlType();
        EXPECT_EQ(g_sControlType, c.sType) << c.sTrafo;
        EXPECT_EQ(g_bRobotModelTrafo, c.bRobotModel) << c.sTrafo;
    }
}

TEST_F(ControlTypeTest, PendingTransformationNameCounts) {
    SetValues("\"#ARM 86T R\"");
    std::string sNew = "\"#bn2 57 x\"";
    PutMadaChange("$TRAFONAME[]", sNew);
    DetermineControlType();
    EXPECT_EQ(g_sControlType, "(V)BN 57");
    EXPECT_TRUE(g_bRobotModelTrafo);
}

TEST_F(ControlTypeTest, MenusOffForTheType) {
    struct Case {
        const char* sType;
        bool bRobotModel;
        bool bMainAxes;
        bool bServoFile;
        bool bServoMenu;
    };
    const Case cases[] = {
        {"(V)BN 57", false, true, true, true},   {"(V)BN 86T", false, true, true, true},
        {"(V)BN 57", true, false, true, true},   {"(V)BN 86T", true, false, true, true},
        {"(V)BN 40", true, false, false, false}, {"(V)BN 40L", false, false, false, false},
    };
    for (const Case& c : cases) {
        ResetMadaGlobals();
        g_sControlType = c.sType;
        g_bRobotModelTrafo = c.bRobotModel;
        CheckControlType();
        EXPECT_EQ(g_abWindowMenuEnabled[1], c.bMainAxes) << c.sType << c.bRobotModel;
        EXPECT_EQ(g_abWindowMenuEnabled[4], c.bServoFile) << c.sType << c.bRobotModel;
        EXPECT_EQ(g_bServoMenuEnabled, c.bServoMenu) << c.sType << c.bRobotModel;
        EXPECT_TRUE(g_abWindowMenuEnabled[0] && g_abWindowMenuEnabled[2] &&
                    g_abWindowMenuEnabled[3]);
    }
    EXPECT_TRUE(ui.exitCalls.empty());
}

TEST_F(ControlTypeTest, UnsupportedTypeEndsTheProgram) {
    SetValues("\"#BNX 86L X\"");
    ui.Answer(MsgAnswer::OK);
    EXPECT_THROW(LoadControlType(), ProgramEnded);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].sText,
              T("NotSupportedControlType") + "\r\n(V)BN 86L\r\n\r\n" + T("TheToolWillBeClosed"));
    EXPECT_EQ(ui.boxes[0].icon, MsgIcon::Information);
    EXPECT_EQ(ui.boxes[0].buttons, MsgButtons::OK);
    EXPECT_EQ(ui.exitCalls, std::vector<bool>{false});
}

TEST_F(ControlTypeTest, UnknownTypeEndsTheProgramNamingTheTransformation) {
    struct Case {
        const char* sWhat;
        bool bWithTrafo;
        const char* sShown;
    };
    const Case cases[] = {{"odd name", true, "\"#ARM6 57S\""}, {"no name at all", false, ""}};
    for (const Case& c : cases) {
        ResetMadaGlobals();
        ui.boxes.clear();
        ui.exitCalls.clear();
        if (c.bWithTrafo) {
            g_colMadaValues.Add("\"#arm6 57s\"", "$TRAFONAME[]");
        }
        ui.Answer(MsgAnswer::OK);
        EXPECT_THROW(LoadControlType(), ProgramEnded) << c.sWhat;
        ASSERT_EQ(ui.boxes.size(), 1u) << c.sWhat;
        EXPECT_EQ(ui.boxes[0].sText, T("UnknownControlType") + "\r\n$TRAFONAME: " + c.sShown +
                                         "\r\n\r\n" + T("TheToolWillBeClosed"))
            << c.sWhat;
        EXPECT_EQ(ui.boxes[0].icon, MsgIcon::Information) << c.sWhat;
        EXPECT_EQ(ui.exitCalls, std::vector<bool>{false}) << c.sWhat;
        EXPECT_FALSE(KeyExists(g_colMadaValues, "ControlType")) << c.sWhat;
    }
}

TEST_F(ControlTypeTest, TypeIsFiledInTheValueMapOnce) {
    SetValues("\"#LINEAR 57 X\"");
    EXPECT_TRUE(LoadControlType());
    EXPECT_EQ(g_colMadaValues.Item("ControlType"), "(V)BN 57");
    EXPECT_TRUE(LoadControlType());
    EXPECT_EQ(g_colMadaValues.Count(), 2);
}

TEST_F(ControlTypeTest, DefinitionsFromTheTypeSectionWithFallBack) {
    TempDir dir;
    g_sIniFile = FromPath(dir.Write("Morvan.ini", JoinLines({
                                                      "[BN40_VarDef]",
                                                      "$NUM_AX=INT|0|6|6||",
                                                      "$AXIS_TYPE=INT|1|5|1||",
                                                      "[BN40L_VarDef]",
                                                      "$NUM_AX=INT|0|4|4||",
                                                      "[BN57_VarDef]",
                                                      "$NUM_AX=INT|0|8|6||",
                                                  })));
    struct Case {
        const char* sType;
        const char* sKey;
        const char* sDefinition; // nullptr = no entry
    };
    const Case cases[] = {
        {"(V)BN 57", "$NUM_AX", "INT|0|8|6||"},  {"(V)BN 57", "$AXIS_TYPE", "INT|1|5|1||"},
        {"(V)BN 86T", "$NUM_AX", "INT|0|8|6||"}, {"(V)BN 86T", "$AXIS_TYPE", "INT|1|5|1||"},
        {"(V)BN 40L", "$NUM_AX", "INT|0|4|4||"}, {"(V)BN 40L", "$AXIS_TYPE", "INT|1|5|1||"},
        {"(V)BN 40", "$NUM_AX", "INT|0|6|6||"},  {"(V)BN 57", "$UNKNOWN", nullptr},
        {"(V)BN 86L", "$NUM_AX", nullptr},       {"", "$NUM_AX", nullptr},
    };
    for (const Case& c : cases) {
        g_colVarDefs = {};
        g_sControlType = c.sType;
        GetVarDefinition(c.sKey);
        if (c.sDefinition) {
            ASSERT_TRUE(KeyExists(g_colVarDefs, c.sKey)) << c.sType << " " << c.sKey;
            EXPECT_EQ(g_colVarDefs.Item(c.sKey), c.sDefinition) << c.sType << " " << c.sKey;
        } else {
            EXPECT_EQ(g_colVarDefs.Count(), 0) << c.sType << " " << c.sKey;
        }
    }
    g_colVarDefs = {};
    g_sControlType = "(V)BN 57";
    GetVarDefinition("$NUM_AX");
    g_sControlType = "(V)BN 40";
    GetVarDefinition("$NUM_AX");
    EXPECT_EQ(g_colVarDefs.Item("$NUM_AX"), "INT|0|8|6||");
    EXPECT_EQ(g_colVarDefs.Count(), 1);
}

} // namespace
} // namespace morvane::test
