#include "servo/ServoFileModel.h"

#include "common/TextFunctions.h"
#include "common/UiPort.h"
#include "config/IniFile.h"
#include "grids/ChangeLists.h"
#include "madata/CharacterOps.h"
#include "madata/ControlType.h"

namespace morvane {

KeyedCollection g_colSFNeededList;
KeyedCollection g_colSFCalcList;
KeyedCollection g_colSFViewList;
KeyedCollection g_colServoFileLines;
std::string g_sServoFileName;
std::string g_sServoMode;
bool g_bServoListsRead = false;

bool InitServoFileData() {
    g_colSFNeededList = KeyedCollection();
    g_colSFCalcList = KeyedCollection();
    g_colSFNeededVals = KeyedCollection();
    g_colSFValues = KeyedCollection();
    g_colSFChanges = KeyedCollection();
    g_colServoFileLines = KeyedCollection();
    g_colSFViewList = KeyedCollection();
    g_sServoFileName.clear();

    g_colSFNeededList = ReadIniSection("SF_Needed_Par");
    g_colSFCalcList = ReadIniSection("SF_Calc_Par");
    for (const auto& entry : g_colSFNeededList) {
        GetVarDefinition(entry.sItem);
    }
    for (const auto& entry : g_colSFCalcList) {
        GetVarDefinition(RemoveBlanks(entry.sItem));
    }
    GetVarDefinition("CommentLine");

    Ui().HideProgress();
    Ui().SetBusyPointer(false);
    g_bServoListsRead = true;
    return true;
}

bool IsCommentKey(std::string_view sName) {
    return Like(sName, "CLine*");
}

bool IsParameterKey(std::string_view sName) {
    return Like(UCase(sName), "PI#*");
}

std::string BaseNameOfPath(std::string_view sPath) {
    const std::size_t slash = sPath.find_last_of('/');
    const std::string_view sName =
        slash == std::string_view::npos ? sPath : sPath.substr(slash + 1);
    const std::size_t dot = sName.find_last_of('.');
    return std::string(dot == std::string_view::npos ? sName : sName.substr(0, dot));
}

} // namespace morvane
