// Start-up and tab switching of the window, offscreen, on the demo controller: the time from
// process start to the general tab built and the safety screen shown (a child process per
// run, median of ten), and one tab switch (google benchmark).
#include <QApplication>
#include <QPushButton>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

#include "app/Startup.h"
#include "bench/gui/DemoSession.h"
#include "common/ScriptedUi.h"
#include "config/LanguageText.h"
#include "controller/ControllerConnection.h"

extern char** environ;

namespace {

const std::filesystem::path kScratch = std::filesystem::temp_directory_path() / "morvane-bench";

// Starts the tool; bStopAtSafety ends the process as soon as the safety screen is shown.
void StartTool(morvane::ConfExtAx& window, bool bStopAtSafety) {
    morvane::LoadLanguageTexts(std::string(MORVANE_BUILD_DIR) + "/texts/", "en");
    morvane::SetControllerImage((kScratch / "image").string());
    morvane::tools::WhenSafetyScreenShown([bStopAtSafety](morvane::frmSplash& splash) {
        if (bStopAtSafety) {
            std::_Exit(0);
        }
        splash.Cmd_Cont->click();
    });
    morvane::Main(window);
}

double StartupMilliseconds(const char* sSelf) {
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    char sArg[] = "--startup-child";
    char* args[] = {const_cast<char*>(sSelf), sArg, nullptr};
    if (posix_spawn(&pid, sSelf, nullptr, nullptr, args, environ) != 0) {
        return -1;
    }
    int nStatus = 0;
    waitpid(pid, &nStatus, 0);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(nStatus) || WEXITSTATUS(nStatus) != 0) {
        return -1;
    }
    return std::chrono::duration<double, std::milli>(end - start).count();
}

morvane::ConfExtAx* g_pWindow = nullptr;

void BM_TabSwitch(benchmark::State& state) {
    int nTab = 0;
    for (auto _ : state) {
        nTab = (nTab + 1) % 5;
        g_pWindow->mnusubwindow_Click(nTab);
    }
}
BENCHMARK(BM_TabSwitch)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("XDG_STATE_HOME", kScratch.c_str(), 1);
    setenv("XDG_CACHE_HOME", kScratch.c_str(), 1);
    if (argc > 1 && std::strcmp(argv[1], "--startup-child") == 0) {
        QApplication app(argc, argv);
        morvane::ScriptedUi ui;
        morvane::ConfExtAx window(morvane::tools::DemoOptions(kScratch / "image", kScratch));
        StartTool(window, true);
        return 1; // the safety screen was never shown
    }
    std::filesystem::create_directories(kScratch);
    morvane::tools::CopyImage(
        std::filesystem::path(MORVANE_SOURCE_DIR) / "data" / "demo-controller", kScratch);
    std::vector<double> runs;
    for (int i = 0; i < 10; ++i) {
        runs.push_back(StartupMilliseconds("/proc/self/exe"));
    }
    std::sort(runs.begin(), runs.end());
    if (runs.front() < 0) {
        std::fprintf(stderr, "start-up failed\n");
        return 1;
    }
    std::printf("start-up to safety screen: median %.1f ms (min %.1f, max %.1f, 10 runs)\n",
                runs[runs.size() / 2], runs.front(), runs.back());

    QApplication app(argc, argv);
    morvane::ScriptedUi ui;
    morvane::ConfExtAx window(morvane::tools::DemoOptions(kScratch / "image", kScratch));
    StartTool(window, false);
    g_pWindow = &window;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    morvane::DisconnectController();
    return 0;
}
