#include "tests/madata/MadaFixtures.h"

#include "grids/ChangeLists.h"
#include "grids/CurrentVariable.h"
#include "madata/ControlType.h"
#include "madata/MadaStore.h"

namespace morvane::test {

std::string JoinLines(std::initializer_list<std::string_view> lines, std::string_view sEnd) {
    std::string s;
    for (std::string_view sLine : lines) {
        s += sLine;
        s += sEnd;
    }
    return s;
}

std::string SampleMachineDat(std::string_view sEnd) {
    return JoinLines(
        {"&ACCESS RV", "DEFDAT  $MACHINE PUBLIC",
         ";== general ==", "INT $NUM_AX=6 ;number of robot axes", "INT $EX_AX_NUM=2",
         "CHAR $TRAFONAME[32]", "$TRAFONAME[]=\"#ARM6 57 S\"", "BIN $BRK_MODE='B0101'",
         "$RAT_MOT_AX[1]={N -89,D 1}", "$AXIS_TYPE[7]=3 ;linear", "$CURR_COM_EX[1]=100",
         "$SERVOFILE7[]=\"MOTOR1\"", "BIN $EX_AX_ASYNC='B000101'",
         "DECL JERK_STRUC $JERK_MA={AX {E1 100.0,E2 200.0,E3 300.0,E4 400.0,E5 500.0,E6 "
         "600.0}}",
         "DECL EX_KIN $EX_KIN={ET1 #EASYS,ET2 #NONE,ET3 #NONE,ET4 #NONE,ET5 #NONE,ET6 #NONE}",
         "DECL ET_AX $ET1_AX={TR_A1 #E1,TR_A2 #NONE,TR_A3 #NONE}", "$ET1_NAME[]=\"TRACK\"",
         "FRAME $ET1_TA1BN={X 0.0,Y 0.0,Z 0.0,A 0.0,B 0.0,C 0.0}", "ENDDAT"},
        sEnd);
}

void ResetMadaGlobals() {
    g_sMachineDat.clear();
    g_colMadaValues = {};
    g_colMainDataList = {};
    g_colMainAxesList = {};
    g_colExtAxesList = {};
    g_colExtKinList = {};
    g_bMainDataRead = g_bMainAxesRead = g_bExtAxesRead = g_bExtKinRead = false;
    g_colMadaChanges = {};
    g_sControlType.clear();
    g_bRobotModelTrafo = true;
    g_bControlTypeRead = false;
    g_colVarDefs = {};
    for (bool& bEnabled : g_abWindowMenuEnabled) {
        bEnabled = true;
    }
    g_bServoMenuEnabled = true;
    g_nCurEtNr = 0;
    g_sCurVarName.clear();
}

} // namespace morvane::test
