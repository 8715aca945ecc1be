// The two interpreters of the simulated controller: the control level (submit interpreter,
// running the program $PRO_I_O[] names) and the robot level with its selected program, whose
// state is $PRO_STATE.
#pragma once

#include <string>
#include <string_view>

#include "controller/sim/Journal.h"
#include "controller/sim/Variables.h"

namespace morvane::sim {

class Interpreters {
public:
    Interpreters(VariableStore& vars, const Journal& journal, bool bControlRunning,
                 bool bRobotRunning)
        : m_vars(vars), m_journal(journal), m_bControlRunning(bControlRunning),
          m_bRobotRunning(bRobotRunning) {}

    // nLevel 0 = control level, 1 = robot level. False with sError for anything else.
    bool Stop(int nLevel, std::string& sError);
    // Cancels the selected program; a program the running robot level executes cannot be.
    bool Cancel(int nMode, std::string& sError);
    // The submit program starts the control level; any other existing program is selected at
    // robot level, which needs no program selected unless bImplicitCancel.
    bool Run(std::string_view sProgram, bool bImplicitCancel, bool bProgramExists,
             std::string& sError);
    // The submit program's path as $PRO_I_O[] names it: "/R1/SPS" for "\"/R1/SPS()\"".
    std::string SubmitProgram() const;

private:
    std::string ProgramState() const;

    VariableStore& m_vars;
    const Journal& m_journal;
    bool m_bControlRunning;
    bool m_bRobotRunning;
};

} // namespace morvane::sim
