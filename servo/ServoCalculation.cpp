#include "servo/ServoCalculation.h"

#include <string>

#include "common/RunTimeError.h"
#include "common/TextFunctions.h"
#include "common/UiPort.h"
#include "config/IniFile.h"
#include "config/LanguageText.h"
#include "grids/ChangeLists.h"
#include "log/CLSLog.h"
#include "madata/CharacterOps.h"
#include "servo/ServoFileModel.h"

namespace morvane {

namespace {

constexpr double kLoopGain = 2000.0;
constexpr double kIntegralLimit = 600.0;
constexpr double kIntegralBase = 400.0;
constexpr double kIntegralDivisor = 3.0;
constexpr double kEmfFactor = 6.702;

double EnteredNumber(std::string_view sName) {
    return Val(CommaToPoint(GetSFNeededVal(sName)));
}

std::string Rounded(double d) {
    return CommaToPoint(FormatNumber(d, "###########"));
}

void CantCreate(std::string_view sReason) {
    MsgBox(Paragraphs(sReason, T("CantCreateServofile")), MsgButtons::OK, MsgIcon::Error);
}

// The drive factor, or 0 after its message when it is missing, not a number or 0. A comma
// counts as decimal point, as in the grids.
double DriveFactor(const std::string& sDriveType, std::string_view sKey) {
    const std::string sText = ReadIniValue(sDriveType, sKey);
    const double d = Val(CommaToPoint(sText));
    if (Trim(sText).empty() || !IsNumeric(CommaToPoint(sText)) || d == 0) {
        CantCreate(T("NoVRQParameterfound") + ": " + sDriveType + ", " + std::string(sKey));
        return 0;
    }
    return d;
}

std::string Entry(std::string_view sName) {
    return RemoveQuotes(g_colSFNeededVals.Item(sName));
}

void FileResults(double a, double b, double r, double l, double e, double vp, double ki) {
    const std::string sGain = Rounded(l * kLoopGain * vp);
    PutSFChange("PI1069", sGain);
    PutSFChange("PI1071", sGain);
    double x2 = (l * kLoopGain * ki) / (l / r);
    if (x2 > kIntegralLimit) {
        x2 = kIntegralBase + x2 / kIntegralDivisor;
    }
    const std::string sIntegral = Rounded(x2);
    PutSFChange("PI1070", sIntegral);
    PutSFChange("PI1072", sIntegral);
    PutSFChange("PI1073", Rounded(e * kEmfFactor / a));
    PutSFChange("PI1079", Rounded(a / b));
    PutSFChange("PI1092", "18");
    PutSFChange("PI1018", "0");
    g_sServoFileName = Entry("SERVOFILE_NAME");
    const std::string sQuote = "\"";
    PutSFChange("CLine1", sQuote + "MOTOR-TYPE: " + Entry("MOTOR_TYPE") + sQuote);
    PutSFChange("CLine2", sQuote + "VRQ-TYPE: " + Entry("VRQ_TYPE") + sQuote);
    PutSFChange("CLine3",
                sQuote + "NAME, DATE: " + Entry("USER_NAME") + ", " + TodayText() + sQuote);
}

} // namespace

bool CalcServoParameters() {
    for (const auto& entry : g_colSFNeededList) {
        if (!KeyExists(g_colSFNeededVals, entry.sItem) ||
            g_colSFNeededVals.Item(entry.sItem).empty()) {
            MsgBox(T("MissingParForServofile"), MsgButtons::OK, MsgIcon::Information);
            return false;
        }
    }
    const double a = EnteredNumber("PPZ_MOTOR");
    const double b = EnteredNumber("PPZ_RESOLVER");
    const double r = EnteredNumber("RVERK");
    const double l = EnteredNumber("LVERK");
    const double e = EnteredNumber("BACK_EMF");
    if (!KeyExists(g_colSFNeededVals, "VRQ_TYPE")) {
        CantCreate(T("NoVRQParameterfound"));
        return false;
    }
    const std::string sDriveType = Trim(UCase(g_colSFNeededVals.Item("VRQ_TYPE")));
    const double vp = DriveFactor(sDriveType, "VRQNormVP");
    if (vp == 0) {
        return false;
    }
    const double ki = DriveFactor(sDriveType, "VRQNormKi");
    if (ki == 0) {
        return false;
    }
    if (!(a > 0 && b > 0 && a >= b)) {
        CantCreate(T("PPZNotCorrect"));
        return false;
    }
    const std::string sRatio = NumberToText(a / b);
    if (sRatio.find_first_of(".,") != std::string::npos) {
        CantCreate(T("PPZIsFloat"));
        return false;
    }
    if (!(r > 0 && l > 0 && e > 0)) {
        CantCreate(T("ValuesNotOK"));
        return false;
    }
    try {
        FileResults(a, b, r, l, e, vp, ki);
    } catch (const RunTimeError&) {
        MsgBox(T("ErrCreatingServofile"), MsgButtons::OK, MsgIcon::Error);
        return false;
    }
    return true;
}

} // namespace morvane
