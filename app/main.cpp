// Entry point of the service tool: options, language texts, the Qt side of the Ui port and
// the start sequence, then the event loop.
#include <QApplication>
#include <QDir>
#include <cstdio>
#include <string>
#include <vector>

#include "app/ConfExtAx.h"
#include "app/ProgramExit.h"
#include "app/QtText.h"
#include "app/QtUi.h"
#include "app/StartOptions.h"
#include "app/Startup.h"
#include "config/LanguageText.h"
#include "controller/ControllerConnection.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    std::vector<std::string> args;
    for (int i = 1; i < arguments.size(); ++i) {
        args.push_back(morvane::FromQt(arguments[i]));
    }
    morvane::StartOptions options;
    std::string sError;
    if (!morvane::ParseStartOptions(args, options, sError)) {
        std::fprintf(stderr,
                     "morvane: %s\nusage: morvane [--controller DIR] [--ini FILE] [--mada DIR] "
                     "[--lang CODE] [--windowed]\n",
                     sError.c_str());
        return 2;
    }
    const std::string sProgramDir = morvane::FromQt(QApplication::applicationDirPath());
    if (options.sIniFile.empty()) {
        options.sIniFile = sProgramDir + "/Morvan.ini";
    }
    morvane::LoadLanguageTexts(sProgramDir + "/texts/", morvane::ChooseLanguage(options.sLanguage));
    if (!options.sControllerDir.empty()) {
        morvane::SetControllerImage(options.sControllerDir);
    }

    morvane::QtUi ui;
    morvane::SetUi(&ui);
    morvane::InstallExitProgram();
    morvane::ConfExtAx window(options);
    ui.SetMainWindow(&window);
    morvane::Main(window);
    return QApplication::exec();
}
