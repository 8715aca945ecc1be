// The servo tests' fixture: its own INI file and language table in a temporary folder, the
// machine-data folder below it, the log there too, and a fresh servo-file data model.
#pragma once

#include <filesystem>
#include <string>

#include "tests/support/TestSupport.h"

namespace morvane::test {

// INI lists and definitions the servo tests share; a test may replace them with UseIni.
extern const char* const kServoIni;

class ServoTest : public UiTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the INI text, points g_sIniFile at it and runs InitServoFileData again. An INI
    // without needed parameters gets a list of one.
    void UseIni(const std::string& sIni);
    // A servo file in the machine-data folder, returned as program path text.
    std::string WriteServoFile(const std::string& sName, const std::string& sBytes) const;
    std::string MadaFile(const std::string& sName) const;
    // A box text as the fixture's language table renders it: "<Key>".
    static std::string Text(const std::string& sKey) { return "<" + sKey + ">"; }

    TempDir dir;
    std::filesystem::path mada;
};

} // namespace morvane::test
