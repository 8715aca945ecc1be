// A simulated controller image built per test in a temporary folder, selected as the
// program's controller, with its own templates folder and a reader for its journal.
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

#include "controller/ControllerConnection.h"
#include "tests/support/TestSupport.h"

namespace morvane::test {

inline const std::string kDefaultVariables = "[Variables]\n"
                                             "$MODE_OP=#T1\n"
                                             "$PRO_STATE=#P_FREE\n"
                                             "$PRO_I_O[]=\"/R1/SPS()\"\n";

inline std::string RegFile(const std::string& sValueLine) {
    return "Windows Registry Editor Version 5.00\r\n\r\n"
           "[HKEY_CURRENT_USER\\SOFTWARE\\TOVO Zirodir GmbH\\TOVO VSK\\OCX "
           "Control's\\UserMode]\r\n" +
           sValueLine + "\r\n";
}

class ControllerTest : public UiTest {
protected:
    void SetUp() override {
        const char* p = std::getenv("XDG_CACHE_HOME");
        m_bHadCache = p != nullptr;
        m_sOldCache = p ? p : "";
        setenv("XDG_CACHE_HOME", (root.Path() / "cache").c_str(), 1);
    }
    void TearDown() override {
        DisconnectController();
        SetControllerImage("");
        if (m_bHadCache) {
            setenv("XDG_CACHE_HOME", m_sOldCache.c_str(), 1);
        } else {
            unsetenv("XDG_CACHE_HOME");
        }
        UiTest::TearDown();
    }

    // Writes controller.ini (kDefaultVariables plus sExtra) and R1/$MACHINE.DAT, and selects
    // the image.
    void MakeImage(const std::string& sExtra = {}, const std::string& sMachineDat = "DEFDAT\r\n") {
        root.Write("image/controller.ini", kDefaultVariables + sExtra);
        root.Write("image/R1/$MACHINE.DAT", sMachineDat);
        Select();
    }
    void Select() { SetControllerImage(Image().string()); }
    std::filesystem::path Image() const { return root.Path() / "image"; }
    std::filesystem::path Cache() const { return root.Path() / "cache" / "morvane"; }

    // The journal's lines without their time stamps.
    std::vector<std::string> Journal() const {
        std::vector<std::string> lines;
        const std::string s = ReadBytes(Image() / "journal.log");
        std::size_t from = 0;
        while (from < s.size()) {
            const std::size_t lf = s.find('\n', from);
            const std::string sLine = s.substr(from, lf - from);
            lines.push_back(sLine.size() > 24 ? sLine.substr(24) : sLine);
            from = lf == std::string::npos ? s.size() : lf + 1;
        }
        return lines;
    }

    TempDir root;

private:
    bool m_bHadCache = false;
    std::string m_sOldCache;
};

} // namespace morvane::test
