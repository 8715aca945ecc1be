#include "controller/sim/Journal.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>

namespace morvane::sim {

namespace {
std::string TimeStamp() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    std::tm tm{};
    localtime_r(&t, &tm);
    char buf[96];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d.%03d", tm.tm_year + 1900,
                  tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec,
                  static_cast<int>(ms));
    return buf;
}
} // namespace

void Journal::Append(std::string_view sAction, std::string_view sDetails) const {
    std::string sLine = TimeStamp() + " " + std::string(sAction);
    if (!sDetails.empty()) {
        sLine += " " + std::string(sDetails);
    }
    std::ofstream out(m_file, std::ios::binary | std::ios::app);
    out << sLine << "\n";
}

} // namespace morvane::sim
