#include "madata/MadaReader.h"

#include <cmath>
#include <string>

#include "common/RunTimeError.h"
#include "common/TextFunctions.h"
#include "common/UiPort.h"
#include "config/IniFile.h"
#include "config/LanguageText.h"
#include "controller/ControllerConnection.h"
#include "madata/MadaStore.h"
#include "madata/ValueSyntax.h"
#include "madata/VariableKeys.h"

namespace morvane {

namespace {

// The axis number between "[" and "]" of an item; 0 when there is none or it is no whole
// number.
int ItemIndex(std::string_view sItem) {
    const std::size_t nOpen = sItem.find('[');
    const std::size_t nClose = sItem.find(']', nOpen);
    if (nOpen == std::string_view::npos || nClose == std::string_view::npos) {
        return 0;
    }
    const std::string_view sNumber = sItem.substr(nOpen + 1, nClose - nOpen - 1);
    if (!IsNumeric(sNumber)) {
        return 0;
    }
    const double d = Val(sNumber);
    return d == std::floor(d) && std::fabs(d) < 1e6 ? static_cast<int>(d) : 0;
}

std::string FoundValue(const std::string& sKey) {
    return GetLineValue(GetLineFromKey(g_sMachineDat, sKey));
}

void ReadItem(const std::string& sItem) {
    const int n = ItemIndex(sItem);
    const std::string sBase = sItem.substr(0, sItem.find('['));
    const bool bExternal = n >= 7 && n <= 12;
    std::string sValue;
    if (sItem.starts_with("$SERVOFILE")) {
        sValue = FoundValue("SERVOFILE" + std::to_string(n) + "[]=");
    } else if (sItem.starts_with("$CURR_COM_EX") || sItem.starts_with("$INC_EXTAX")) {
        if (!bExternal) {
            return;
        }
        sValue = FoundValue(sBase + "[" + std::to_string(n - 6) + "]=");
    } else if (sItem.starts_with("$ASYNC_T1_FAST") || sItem.starts_with("$EX_AX_ASYNC") ||
               sItem.starts_with("$ASYNC_EX_AX_DECOUPLE")) {
        if (!bExternal) {
            return;
        }
        sValue = std::to_string(Get_Bin_Bit(FoundValue(sBase + "="), n - 6));
    } else if (sItem.starts_with("MOTORTYPE")) {
        sValue = "NONE";
    } else if (sItem.starts_with("$JERK_MA.AX.E")) {
        sValue = GetJerkComponent(GetLineFromKey(g_sMachineDat, "$JERK_MA"),
                                  std::string_view(sItem).substr(sItem.size() - 2));
    } else {
        sValue = FoundValue(sItem + "=");
    }
    g_colMadaValues.Add(sValue, sItem);
}

bool ReadSectionOnce(std::string_view sSection, bool& bRead) {
    if (!bRead) {
        bRead = ReadSourceFile(sSection);
    }
    Ui().HideProgress();
    Ui().SetBusyPointer(false);
    return bRead;
}

} // namespace

bool ReadSourceFile(std::string_view sSection) {
    const bool bMainData = EqualsNoCase(sSection, "MainData");
    const bool bMainAxes = EqualsNoCase(sSection, "MainAxesVar");
    const bool bExtAxes = EqualsNoCase(sSection, "ExtAxesVar");
    const bool bExtKin = EqualsNoCase(sSection, "ExtKinVar");
    if (!bMainData && !bMainAxes && !bExtAxes && !bExtKin) {
        return false;
    }
    KeyedCollection list = ReadIniSection(sSection);
    KeyedCollection items;
    if (bMainData) {
        items = ExpandIndexedNames(list, 1, 1);
        g_colMainDataList = std::move(list);
    } else if (bExtAxes) {
        items = ExpandIndexedNames(list, 7, 12);
        g_colExtAxesList = std::move(list);
    } else if (bMainAxes) {
        items = ExpandIndexedNames(list, 1, 6);
        g_colMainAxesList = std::move(list);
    } else {
        items = ExpandKinematicNames(list, 1, 6);
        g_colExtKinList = items;
    }

    if (g_sMachineDat.empty()) {
        LoadControllerFile("$MACHINE.DAT", g_sMachineDat);
    }
    if (g_sMachineDat.empty()) {
        MsgBox(T("CanNotReadMachineDat"), MsgButtons::OK, MsgIcon::None);
        ExitProgram(true);
    }

    const double dMin = 0.0001;
    const double dMax = items.Count() + 1.005;
    double dValue = dMin + 1;
    Ui().ShowProgress(dMin, dMax, dValue);
    try {
        for (const auto& item : items) {
            ReadItem(item.sItem);
            dValue += 1;
            Ui().ShowProgress(dMin, dMax, dValue);
        }
    } catch (const RunTimeError&) {
        MsgBox(T("CanNotReadMachineDat"), MsgButtons::OK, MsgIcon::Error);
    }
    Ui().HideProgress();
    return true;
}

bool ReadMainData() {
    return ReadSectionOnce("MainData", g_bMainDataRead);
}
bool ReadMainAxesVar() {
    return ReadSectionOnce("MainAxesVar", g_bMainAxesRead);
}
bool ReadExtAxesVar() {
    return ReadSectionOnce("ExtAxesVar", g_bExtAxesRead);
}
bool ReadExtKinVar() {
    return ReadSectionOnce("ExtKinVar", g_bExtKinRead);
}

} // namespace morvane
