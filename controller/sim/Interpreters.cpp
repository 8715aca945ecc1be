#include "controller/sim/Interpreters.h"

#include "common/TextFunctions.h"

namespace morvane::sim {

std::string Interpreters::ProgramState() const {
    return m_vars.Read("$PRO_STATE").value_or("#P_FREE");
}

std::string Interpreters::SubmitProgram() const {
    std::string s = m_vars.Read("$PRO_I_O[]").value_or("");
    if (const std::size_t paren = s.find('('); paren != std::string::npos) {
        s.erase(paren);
    }
    return Trim(Replace(s, "\"", ""));
}

bool Interpreters::Stop(int nLevel, std::string& sError) {
    if (nLevel == 0) {
        m_bControlRunning = false;
        m_journal.Append("STOP", "control level");
        return true;
    }
    if (nLevel == 1) {
        m_bRobotRunning = false;
        if (ProgramState() == "#P_ACTIVE") {
            m_vars.Write("$PRO_STATE", "#P_STOP");
        }
        m_journal.Append("STOP", "robot level");
        return true;
    }
    sError = "no interpreter level " + std::to_string(nLevel);
    return false;
}

bool Interpreters::Cancel(int nMode, std::string& sError) {
    if (nMode != 0 && nMode != 1) {
        sError = "invalid cancel mode " + std::to_string(nMode);
        return false;
    }
    if (m_bRobotRunning && ProgramState() == "#P_ACTIVE") {
        sError = "the selected program is running";
        return false;
    }
    m_vars.Write("$PRO_STATE", "#P_FREE");
    m_journal.Append("CANCEL", "mode " + std::to_string(nMode));
    return true;
}

bool Interpreters::Run(std::string_view sProgram, bool bImplicitCancel, bool bProgramExists,
                       std::string& sError) {
    const std::string sSubmit = SubmitProgram();
    if (!sSubmit.empty() && EqualsNoCase(sProgram, sSubmit)) {
        m_bControlRunning = true;
        m_journal.Append("RUN", "control level " + sSubmit);
        return true;
    }
    if (!bProgramExists) {
        sError = "program not found: " + std::string(sProgram);
        return false;
    }
    if (ProgramState() != "#P_FREE" && !bImplicitCancel) {
        sError = "a program is selected";
        return false;
    }
    m_vars.Write("$PRO_STATE", "#P_RESET");
    m_journal.Append("SELECT", sProgram);
    return true;
}

} // namespace morvane::sim
