// Shared test fixtures: a scripted Ui port checked after every test, temporary folders, and
// paths into the source tree's data.
#pragma once

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "common/ScriptedUi.h"

namespace morvane::test {

// The source tree's folder, for shipped data such as data/Morvan.ini.
std::filesystem::path SourceDir();

// A fresh folder below the system's temporary folder, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return m_path; }
    // Writes bytes to a file below the folder (creating sub-folders) and returns its path.
    std::filesystem::path Write(const std::string& sRelative, const std::string& sBytes) const;

private:
    std::filesystem::path m_path;
};

std::string ReadBytes(const std::filesystem::path& path);

// A test with a scripted Ui port; fails when a box came that nobody scripted or a scripted
// answer was left over.
class UiTest : public ::testing::Test {
protected:
    void TearDown() override;
    ScriptedUi ui;
};

} // namespace morvane::test
