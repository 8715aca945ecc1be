// A small controller with a track and a turntable for the save and archive tests: its image
// folder, the INI lists, the machine data read as at start-up, and the local folders.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/ScriptedUi.h"
#include "tests/support/TestSupport.h"

namespace morvane::test {

// The scripted port, also keeping every value the progress bar showed.
class ProgressUi : public ScriptedUi {
public:
    void ShowProgress(double dMin, double dMax, double dValue) override;
    std::vector<double> progressValues;
};

// The machine data of the test controller, lines ended by CR LF.
std::string TestMachineDat();
// The lines of a text, without their line ends (CR LF or LF).
std::vector<std::string> SplitLines(const std::string& sText);
// sText with the whole line that starts with sLineStart replaced by sNewLine.
std::string WithLine(std::string sText, const std::string& sLineStart, const std::string& sNewLine);

class SaveTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the image, connects to it and reads the four sections as the start-up does.
    // sFaults is appended to the image's controller.ini; sModeOp is the mode it answers.
    void StartTool(const std::string& sFaults = "", const std::string& sModeOp = "#T1");
    // A pending change as an accepted edit files it.
    static void Change(const std::string& sKey, std::string sValue);

    std::string ControllerFile() const; // bytes of the image's R1/$MACHINE.DAT
    std::string LocalCopyPath() const;
    // The action and details of every journal line, time stamps left out.
    std::vector<std::string> Journal() const;
    std::vector<std::string> LogLines() const;
    // The log's lines from the last "Starting to save!" on, time stamp left out there.
    std::vector<std::string> SaveLog() const;
    std::vector<std::filesystem::path> Backups() const;

    ProgressUi ui;
    TempDir dir;
    std::filesystem::path image;
    std::filesystem::path mada;
};

} // namespace morvane::test
