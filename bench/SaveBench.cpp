// Saving 500 pending changes into a 1 MB machine-data file: the lines rewritten, the backup and
// the local copy written, the text downloaded into the simulated controller.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "common/ScriptedUi.h"
#include "config/IniFile.h"
#include "config/Paths.h"
#include "controller/ControllerConnection.h"
#include "grids/ChangeLists.h"
#include "log/CLSLog.h"
#include "madata/MadaReader.h"
#include "madata/MadaStore.h"
#include "save/MadaSave.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;

constexpr int kVariables = 84; // six axes each: 504 keys
constexpr int kChanges = 500;
constexpr std::size_t kFileSize = 1 << 20;

void WriteFile(const fs::path& path, const std::string& sBytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << sBytes;
}

// The listed variables spread evenly through a file filled up with variables nobody lists.
std::string BigMachineDat() {
    std::string s = "&ACCESS RV\r\nDEFDAT  $MACHINE PUBLIC\r\n";
    const std::size_t nPerKey = kFileSize / (kVariables * 6);
    for (int v = 0; v < kVariables; ++v) {
        for (int i = 1; i <= 6; ++i) {
            const std::size_t nStart = s.size();
            const std::string sName = std::to_string(v) + "[" + std::to_string(i) + "]";
            s += "$PAR_" + sName + "=1000 ;listed parameter\r\n";
            for (int k = 0; s.size() - nStart < nPerKey; ++k) {
                s += "$FILL_" + std::to_string(k) + "_" + sName + "=12345.678 ;not listed\r\n";
            }
        }
    }
    return s + "ENDDAT\r\n";
}

class BenchController {
public:
    BenchController()
        : m_root(fs::temp_directory_path() / ("morvane-bench-" + std::to_string(::getpid()))) {
        fs::remove_all(m_root);
        sMachineDat = BigMachineDat();
        WriteFile(m_root / "image" / "R1" / "$MACHINE.DAT", sMachineDat);
        WriteFile(m_root / "image" / "controller.ini",
                  "[Variables]\r\n$MODE_OP=#T1\r\n$PRO_STATE=#P_FREE\r\n"
                  "$PRO_I_O[]=\"/R1/SPS()\"\r\n");
        std::string sIni = "[MainAxesVar]\r\n";
        for (int v = 0; v < kVariables; ++v) {
            sIni += std::to_string(v + 1) + "=$PAR_" + std::to_string(v) + "\r\n";
        }
        WriteFile(m_root / "Morvan.ini", sIni);
        fs::create_directories(m_root / "Mada");
        g_sIniFile = (m_root / "Morvan.ini").string();
        g_sMadaPath = (m_root / "Mada").string() + "/";
        g_sLogFile = (m_root / "Morvan.log").string();
        SetControllerImage((m_root / "image").string());
        bConnected = ConnectController();
        g_sMachineDat = sMachineDat;
        ReadMainAxesVar();
    }
    ~BenchController() {
        DisconnectController();
        std::error_code ec;
        fs::remove_all(m_root, ec);
    }
    BenchController(const BenchController&) = delete;
    BenchController& operator=(const BenchController&) = delete;

    std::string sMachineDat;
    bool bConnected = false;

private:
    fs::path m_root;
};

void BM_Save500ChangesInto1MB(benchmark::State& state) {
    ScriptedUi ui;
    BenchController controller;
    if (!controller.bConnected) {
        state.SkipWithError("the simulated controller cannot be reached");
        return;
    }
    std::vector<std::string> keys;
    for (int n = 1; n <= kChanges; ++n) {
        keys.push_back(g_colMadaValues.KeyAt(n));
    }
    int nRun = 0;
    for (auto _ : state) {
        state.PauseTiming();
        g_sMachineDat = controller.sMachineDat;
        std::string sValue = std::to_string(2000 + nRun++);
        for (const std::string& sKey : keys) {
            PutMadaChange(sKey, sValue);
        }
        ui.Answer(MsgAnswer::Yes);
        ui.Answer(MsgAnswer::OK);
        state.ResumeTiming();
        if (!SaveMachineData(false)) {
            state.SkipWithError("the save did not complete");
            return;
        }
    }
}

BENCHMARK(BM_Save500ChangesInto1MB)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace morvane
