// Time to read all four INI variable lists out of the machine data: the shipped demo file and
// a generated 1 MB file with 300 listed variables spread through it.
#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

#include "common/CodePage.h"
#include "common/FileIo.h"
#include "common/TextFunctions.h"
#include "config/IniFile.h"
#include "madata/MadaReader.h"
#include "madata/MadaStore.h"
#include "madata/VariableKeys.h"

namespace morvane {
namespace {

void ReadAllSections(benchmark::State& state, const std::string& sIni, const std::string& sDat) {
    g_sIniFile = sIni;
    for (auto _ : state) {
        g_sMachineDat = sDat;
        g_colMadaValues = {};
        g_bMainDataRead = g_bMainAxesRead = g_bExtAxesRead = g_bExtKinRead = false;
        const bool bRead =
            ReadMainData() && ReadMainAxesVar() && ReadExtAxesVar() && ReadExtKinVar();
        benchmark::DoNotOptimize(bRead);
    }
    state.counters["keys"] = g_colMadaValues.Count();
    state.counters["bytes"] = static_cast<double>(sDat.size());
}

// One line per key of the INI lists, in the form the controller writes, for when the demo
// image holds no machine data.
std::string MachineDatForIni() {
    std::string sDat = "&ACCESS RV\r\nDEFDAT  $MACHINE PUBLIC\r\n";
    for (const char* sSection : {"MainData", "MainAxesVar", "ExtAxesVar"}) {
        const int nFirst = std::string_view(sSection) == "ExtAxesVar" ? 7 : 1;
        const int nLast = std::string_view(sSection) == "MainData" ? 1 : nFirst + 5;
        for (const auto& key : ExpandIndexedNames(ReadIniSection(sSection), nFirst, nLast)) {
            sDat += key.sItem + "=1 ;value\r\n";
        }
    }
    for (const auto& key : ExpandKinematicNames(ReadIniSection("ExtKinVar"), 1, 6)) {
        sDat += key.sItem + "={X 0.0,Y 0.0,Z 0.0,A 0.0,B 0.0,C 0.0}\r\n";
    }
    return sDat + "ENDDAT\r\n";
}

void BM_ReadDemoMachineData(benchmark::State& state) {
    const std::filesystem::path source = MORVANE_SOURCE_DIR;
    const std::string sIni = FromPath(source / "data" / "Morvan.ini");
    std::string sDat;
    g_sIniFile = sIni;
    if (!ReadWholeFile(FromPath(source / "data" / "demo-controller" / "R1" / "$MACHINE.DAT"),
                       sDat) ||
        sDat.empty()) {
        state.SetLabel("generated stand-in");
        sDat = MachineDatForIni();
    }
    ReadAllSections(state, sIni, sDat);
}
BENCHMARK(BM_ReadDemoMachineData)->Unit(benchmark::kMicrosecond);

// 300 INI entries, 75 per list; about 1400 value-map keys.
void BM_ReadOneMegabyteMachineData(benchmark::State& state) {
    constexpr int kPerList = 75;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "morvane-bench-read-source";
    std::filesystem::create_directories(folder);
    std::string sIni;
    std::string sLines;
    for (const char* sSection : {"MainData", "MainAxesVar", "ExtAxesVar", "ExtKinVar"}) {
        sIni += std::string("[") + sSection + "]\r\n";
        for (int i = 1; i <= kPerList; ++i) {
            const std::string sName = std::string(sSection) == "ExtKinVar"
                                          ? "$ET#_V" + std::to_string(i)
                                          : "$" + UCase(sSection) + "_V" + std::to_string(i);
            sIni += std::to_string(i) + "=" + sName + "\r\n";
        }
    }
    const std::string sIniPath = FromPath(folder / "Morvan.ini");
    ReplaceFileAtomically(sIniPath, sIni);
    g_sIniFile = sIniPath;
    KeyedCollection keys;
    for (const char* sSection : {"MainData", "MainAxesVar", "ExtAxesVar"}) {
        const int nFirst = std::string_view(sSection) == "ExtAxesVar" ? 7 : 1;
        const int nLast = std::string_view(sSection) == "MainData" ? 1 : nFirst + 5;
        for (const auto& key : ExpandIndexedNames(ReadIniSection(sSection), nFirst, nLast)) {
            keys.Add(key.sItem);
        }
    }
    for (const auto& key : ExpandKinematicNames(ReadIniSection("ExtKinVar"), 1, 6)) {
        keys.Add(key.sItem);
    }
    // Filler between the listed variables: unlisted variables and comments that mention
    // listed names, so that the search has false matches to pass over.
    const std::size_t nTarget = 1024 * 1024;
    const std::size_t nPerKey = nTarget / static_cast<std::size_t>(keys.Count());
    std::string sDat = "&ACCESS RV\r\nDEFDAT  $MACHINE PUBLIC\r\n";
    int nFiller = 0;
    for (const auto& key : keys) {
        const std::size_t nUntil = sDat.size() + nPerKey;
        while (sDat.size() < nUntil) {
            sDat += "REAL $OTHER_" + std::to_string(++nFiller) + "=0.5 ;see " + key.sItem +
                    "= \xE4\xF6\xFC\r\n";
        }
        sDat += "INT " + key.sItem + "=1 ;value\r\n";
    }
    sDat += "ENDDAT\r\n";
    ReadAllSections(state, sIniPath, sDat);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ReadOneMegabyteMachineData)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace morvane
