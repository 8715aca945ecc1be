// Renders every tab of the main window, the safety screen and the version screen of the demo
// controller into PNG files: morvane_screenshots OUTPUT_DIR [IMAGE_DIR].
#include <QApplication>
#include <QPushButton>
#include <cstdio>
#include <filesystem>

#include "app/Startup.h"
#include "bench/gui/DemoSession.h"
#include "common/ScriptedUi.h"
#include "config/LanguageText.h"
#include "controller/ControllerConnection.h"
#include "grids/qt/ParamGrid.h"

namespace {

bool Save(QWidget& widget, const std::filesystem::path& file) {
    const bool bSaved = widget.grab().save(QString::fromStdString(file.string()));
    std::printf("%s %s\n", bSaved ? "wrote" : "FAILED", file.string().c_str());
    return bSaved;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: morvane_screenshots OUTPUT_DIR [IMAGE_DIR]\n");
        return 2;
    }
    QApplication app(argc, argv);
    const std::filesystem::path out = std::filesystem::absolute(argv[1]);
    std::filesystem::create_directories(out);
    const std::filesystem::path image =
        argc > 2 ? std::filesystem::path(argv[2])
                 : std::filesystem::path(MORVANE_SOURCE_DIR) / "data" / "demo-controller";
    const std::filesystem::path scratch =
        std::filesystem::temp_directory_path() / "morvane-screenshots";
    std::filesystem::create_directories(scratch);
    const std::filesystem::path copy = morvane::tools::CopyImage(image, scratch);

    morvane::LoadLanguageTexts(std::string(MORVANE_BUILD_DIR) + "/texts/", "en");
    morvane::SetControllerImage(copy.string());
    morvane::ScriptedUi ui;
    morvane::ConfExtAx window(morvane::tools::DemoOptions(copy, scratch));
    bool bOk = true;
    morvane::tools::WhenSafetyScreenShown([&](morvane::frmSplash& splash) {
        bOk = Save(splash, out / "safety.png") && bOk;
        splash.Cmd_Cont->click();
    });
    morvane::Main(window);
    window.activateWindow();
    QApplication::processEvents();

    static constexpr const char* kTabFiles[] = {
        "tab0-general.png", "tab1-main-axes.png", "tab2-external-axes.png",
        "tab3-external-kinematics.png", "tab4-servo-file.png"};
    for (int i = 0; i < 5; ++i) {
        window.mnusubwindow_Click(i);
        QApplication::processEvents();
        if (auto* pGrid = qobject_cast<morvane::ParamGrid*>(QApplication::focusWidget())) {
            pGrid->SetCurrent(pGrid->Row() + 1, pGrid->Col() + 1);
        }
        QApplication::processEvents();
        bOk = Save(window, out / kTabFiles[i]) && bOk;
    }
    morvane::frmSplash version(&window);
    QTimer::singleShot(0, [&] {
        bOk = Save(version, out / "version.png") && bOk;
        version.close();
    });
    version.Show_Version();
    morvane::DisconnectController();
    return bOk ? 0 : 1;
}
