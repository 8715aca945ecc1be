// The journal of the simulated controller: one time-stamped line per interpreter command and
// per file written, copied or deleted, appended to the image's journal.log.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace morvane::sim {

class Journal {
public:
    explicit Journal(std::filesystem::path file) : m_file(std::move(file)) {}
    // Appends "YYYY-MM-DD HH:MM:SS.mmm ACTION details"; a journal that cannot be written does
    // not stop the controller.
    void Append(std::string_view sAction, std::string_view sDetails = {}) const;

private:
    std::filesystem::path m_file;
};

} // namespace morvane::sim
