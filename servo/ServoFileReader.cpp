#include "servo/ServoFileReader.h"

#include <iterator>
#include <list>
#include <map>
#include <string>
#include <unordered_set>
#include <vector>

#include "common/FileIo.h"
#include "common/TextFunctions.h"
#include "common/UiPort.h"
#include "config/LanguageText.h"
#include "grids/ChangeLists.h"
#include "madata/CharacterOps.h"
#include "madata/MadaStore.h"
#include "servo/ServoFileModel.h"

namespace morvane {

namespace {

// The blank-free, upper-case form the parameter lines are matched in. Tabs count as blanks,
// so that a line aligned with tabs is not lost.
std::string MatchForm(std::string_view sLine) {
    return UCase(RemoveBlanks(TabsToBlanks(sLine)));
}

bool HasLetterOrDigit(std::string_view sUpper) {
    for (char c : sUpper) {
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) {
            return true;
        }
    }
    return false;
}

double ParameterNumber(std::string_view sName) {
    return sName.size() > 2 ? Val(sName.substr(2)) : 0.0;
}

// Puts every further parameter before the first parameter with a higher number. That one is
// always a running maximum of the list, so only the running maxima need to be searched.
KeyedCollection MergeFurtherParameters(const KeyedCollection& calcList,
                                       const std::vector<std::string>& further) {
    std::list<std::string> names;
    std::map<double, std::list<std::string>::iterator> maxima;
    for (const auto& entry : calcList) {
        names.push_back(entry.sItem);
        if (IsCommentKey(entry.sItem)) {
            continue;
        }
        const double d = ParameterNumber(entry.sItem);
        if (maxima.empty() || d > maxima.rbegin()->first) {
            maxima.emplace(d, std::prev(names.end()));
        }
    }
    for (const std::string& sName : further) {
        const double d = ParameterNumber(sName);
        const auto next = maxima.upper_bound(d);
        const auto pos = names.insert(next == maxima.end() ? names.end() : next->second, sName);
        const bool bAbovePrevious = next == maxima.begin() || std::prev(next)->first < d;
        if (bAbovePrevious) {
            maxima.emplace_hint(next, d, pos);
        }
    }
    KeyedCollection viewList;
    for (std::string& sName : names) {
        viewList.Add(std::move(sName));
    }
    return viewList;
}

} // namespace

void ReadServoFile(std::string_view sPath) {
    if (!FileExists(sPath)) {
        MsgBox(T("FileNotFound") + ": " + std::string(sPath));
        Ui().EnableMainControls(true);
    }
    g_colServoFileLines = ReadFileLines(sPath).value_or(KeyedCollection());

    std::vector<std::string> forms;
    forms.reserve(static_cast<std::size_t>(g_colServoFileLines.Count()));
    for (const auto& line : g_colServoFileLines) {
        forms.push_back(MatchForm(line.sItem));
    }

    std::unordered_set<std::string> listed;
    for (const auto& entry : g_colSFCalcList) {
        const std::string sName = RemoveBlanks(entry.sItem);
        listed.insert(UCase(sName));
        if (IsCommentKey(sName)) {
            continue;
        }
        const std::string sStart = UCase(sName) + ",0=";
        for (const std::string& sForm : forms) {
            if (sForm.starts_with(sStart)) {
                g_colSFValues.RemoveIfPresent(sName);
                g_colSFValues.Add(GetLineValueOrBlank(sForm), sName);
                break;
            }
        }
        if (EqualsNoCase(sName, "PI1079") && !KeyExists(g_colSFValues, "PI1079")) {
            g_colSFValues.Add("1", "PI1079");
        }
    }

    std::vector<std::string> commentKeys;
    std::vector<std::string> further;
    std::unordered_set<std::string> noted;
    for (int i = 1; i <= g_colServoFileLines.Count(); ++i) {
        const std::string& sForm = forms[static_cast<std::size_t>(i - 1)];
        if (sForm.starts_with(';') && HasLetterOrDigit(sForm)) {
            const std::string sKey = "CLine" + std::to_string(commentKeys.size() + 1);
            const std::string sText = Trim(CollapseBlanks(
                TabsToBlanks(RemoveSemicolons(RemoveStars(g_colServoFileLines.Item(i))))));
            g_colSFValues.RemoveIfPresent(sKey);
            g_colSFValues.Add("\"" + sText + "\"", sKey);
            commentKeys.push_back(sKey);
        } else if (IsParameterKey(sForm)) {
            const std::string sName = "PI" + GetTextBetween(sForm, "PI", ",0=");
            if (listed.count(sName) == 0 && noted.insert(sName).second) {
                g_colSFValues.RemoveIfPresent(sName);
                g_colSFValues.Add(GetLineValueOrBlank(sForm), sName);
                further.push_back(sName);
            }
        }
    }

    KeyedCollection calcList;
    for (const std::string& sKey : commentKeys) {
        calcList.Add(sKey);
    }
    for (const auto& entry : g_colSFCalcList) {
        if (!IsCommentKey(entry.sItem)) {
            calcList.Add(entry.sItem);
        }
    }
    g_colSFCalcList = std::move(calcList);
    g_colSFViewList = MergeFurtherParameters(g_colSFCalcList, further);
}

} // namespace morvane
