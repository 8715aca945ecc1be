// The log file: one header per start of the tool and one line per change written to the
// controller. Logging never stops the tool: every failure loses the line silently.
#pragma once

#include <string>
#include <string_view>

namespace morvane {

// Path of the log file (Windows-1252 text), from the INI; "" = the default in the user's state
// folder, filled in on first use.
extern std::string g_sLogFile;

class CLSLog {
public:
    // Once at start-up: cuts an oversized log, then writes the start header.
    void LogFile();
    // Appends the trimmed message as one line, after date and time when bWithTime is true.
    void Log(std::string_view sMeldung, bool bWithTime);

private:
    void LimitLogFileSize();
    void EnsureLogFile();
};

// Today's date as the log writes it: "dd.mm.yyyy", local time.
std::string TodayText();

// The one log of the program, created on first use.
CLSLog& g_oLog();

} // namespace morvane
