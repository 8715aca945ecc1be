#include "controller/sim/ControllerIni.h"

#include <charconv>

#include "common/TextFunctions.h"

namespace morvane::sim {

namespace {

bool ParseInt(std::string_view s, int& n) {
    if (s.empty()) {
        return false;
    }
    const char* first = s.data();
    if (*first == '+') {
        ++first;
    }
    auto [ptr, ec] = std::from_chars(first, s.data() + s.size(), n);
    return ec == std::errc() && ptr == s.data() + s.size();
}

bool ParseYesNo(std::string_view s, bool& b) {
    const std::string u = UCase(s);
    if (u == "YES" || u == "TRUE" || u == "1" || u == "RUNNING") {
        b = true;
        return true;
    }
    if (u == "NO" || u == "FALSE" || u == "0" || u == "STOPPED") {
        b = false;
        return true;
    }
    return false;
}

TextArray SplitList(std::string_view s) {
    TextArray items;
    std::size_t from = 0;
    while (true) {
        const std::size_t comma = s.find(',', from);
        items.push_back(Trim(s.substr(from, comma - from)));
        if (comma == std::string_view::npos) {
            return items;
        }
        from = comma + 1;
    }
}

// A field name or value that means nothing leaves the record as it was.
void SetRecordField(MessageRecord& r, std::string_view sKey, std::string_view sValue) {
    const std::string k = UCase(sKey);
    std::int32_t* pNumber = nullptr;
    if (k == "NLOWTIMESTAMP") {
        pNumber = &r.nLowTimeStamp;
    } else if (k == "NHIGHTIMESTAMP") {
        pNumber = &r.nHighTimeStamp;
    } else if (k == "NBIASTIMESTAMP") {
        pNumber = &r.nBiasTimeStamp;
    } else if (k == "EMESSAGETYPE") {
        pNumber = &r.eMessageType;
    } else if (k == "NMESSAGE") {
        pNumber = &r.nMessage;
    } else if (k == "NMESSAGEHANDLE") {
        pNumber = &r.nMessageHandle;
    }
    if (pNumber) {
        if (int n = 0; ParseInt(sValue, n)) {
            *pNumber = n;
        }
        return;
    }
    if (k == "BSTRDBMODULE") {
        r.bstrDBModule = sValue;
    } else if (k == "BSTRCAUSE") {
        r.bstrCause = sValue;
    } else if (k == "BSTRDBMESSAGE") {
        r.bstrDBMessage = sValue;
    } else if (k == "BDBCAUSE") {
        ParseYesNo(sValue, r.bDBCause);
    } else if (k == "VARPARAMS") {
        r.varParams = sValue.empty() ? TextArray{} : SplitList(sValue);
    } else if (k == "VARDBPARAMS") {
        r.varDBParams = sValue.empty() ? TextArray{} : SplitList(sValue);
    }
}

// "[Fault SyncSelect.3]" names the object and the method number.
bool ParseFaultHeader(std::string_view sSection, FaultSpec& fault) {
    if (UCase(sSection.substr(0, 6)) != "FAULT ") {
        return false;
    }
    const std::string sTarget = Trim(sSection.substr(6));
    const std::size_t dot = sTarget.rfind('.');
    if (dot == std::string::npos || dot == 0) {
        return false;
    }
    fault.sObject = sTarget.substr(0, dot);
    return ParseInt(std::string_view(sTarget).substr(dot + 1), fault.nMethod) && fault.nMethod > 0;
}

enum class Section { None, Variables, Interpreters, Server, Fault, Unknown };

} // namespace

ControllerSettings ReadControllerIni(std::string_view sText) {
    ControllerSettings settings;
    Section section = Section::None;
    std::size_t from = 0;
    while (from < sText.size()) {
        std::size_t lf = sText.find('\n', from);
        if (lf == std::string_view::npos) {
            lf = sText.size();
        }
        std::string sLine = Trim(sText.substr(from, lf - from));
        from = lf + 1;
        if (!sLine.empty() && sLine.back() == '\r') {
            sLine = Trim(std::string_view(sLine).substr(0, sLine.size() - 1));
        }
        if (sLine.empty() || sLine[0] == ';' || sLine[0] == '#') {
            continue;
        }
        if (sLine.front() == '[') {
            section = Section::Unknown;
            if (sLine.back() != ']') {
                continue;
            }
            const std::string sName = Trim(std::string_view(sLine).substr(1, sLine.size() - 2));
            const std::string u = UCase(sName);
            FaultSpec fault;
            if (u == "VARIABLES") {
                section = Section::Variables;
            } else if (u == "INTERPRETERS") {
                section = Section::Interpreters;
            } else if (u == "SERVER") {
                section = Section::Server;
            } else if (ParseFaultHeader(sName, fault)) {
                section = Section::Fault;
                settings.faults.push_back(fault);
            }
            continue;
        }
        const std::size_t eq = sLine.find('=');
        if (eq == std::string::npos || eq == 0) {
            continue;
        }
        const std::string sKey = Trim(std::string_view(sLine).substr(0, eq));
        const std::string sValue = Trim(std::string_view(sLine).substr(eq + 1));
        const std::string uKey = UCase(sKey);
        switch (section) {
        case Section::Variables:
            settings.variables.emplace_back(sKey, sValue);
            break;
        case Section::Interpreters:
            if (uKey == "CONTROLLEVEL") {
                ParseYesNo(sValue, settings.bControlLevelRunning);
            } else if (uKey == "ROBOTLEVEL") {
                ParseYesNo(sValue, settings.bRobotLevelRunning);
            }
            break;
        case Section::Server:
            if (uKey == "REACHABLE") {
                ParseYesNo(sValue, settings.bReachable);
            }
            break;
        case Section::Fault: {
            FaultSpec& fault = settings.faults.back();
            if (uKey == "CALLS") {
                int n = 0;
                if (UCase(sValue) == "ALWAYS") {
                    fault.nCalls = -1;
                } else if (ParseInt(sValue, n) && n >= 0) {
                    fault.nCalls = n;
                }
            } else {
                SetRecordField(fault.record, sKey, sValue);
            }
            break;
        }
        case Section::None:
        case Section::Unknown:
            break;
        }
    }
    return settings;
}

} // namespace morvane::sim
