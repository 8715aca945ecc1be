// Starting the tool by hand-run tools on a copy of a controller image, offscreen, with the
// safety screen answered as soon as it is shown.
#pragma once

#include <QApplication>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <string>

#include "app/ConfExtAx.h"
#include "app/frmSplash.h"

namespace morvane::tools {

// The build folder holds Morvan.ini and texts/ beside the program.
inline StartOptions DemoOptions(const std::filesystem::path& image,
                                const std::filesystem::path& scratch) {
    StartOptions options;
    options.sIniFile = (std::filesystem::path(MORVANE_BUILD_DIR) / "Morvan.ini").string();
    options.sControllerDir = image.string();
    options.sMadaDir = (image / "R1" / "Mada").string() + "/";
    options.sLockFile = (scratch / "morvane.lock").string();
    return options;
}

// Calls onShown with the safety screen once it is the modal window; onShown must close it.
inline void WhenSafetyScreenShown(std::function<void(frmSplash&)> onShown) {
    auto* pTimer = new QTimer(qApp);
    pTimer->setInterval(0);
    QObject::connect(pTimer, &QTimer::timeout, [pTimer, onShown] {
        if (auto* pSplash = qobject_cast<frmSplash*>(QApplication::activeModalWidget())) {
            pTimer->stop();
            pTimer->deleteLater();
            onShown(*pSplash);
        }
    });
    pTimer->start();
}

// A fresh copy of the image below the scratch folder.
inline std::filesystem::path CopyImage(const std::filesystem::path& image,
                                       const std::filesystem::path& scratch) {
    const std::filesystem::path copy = scratch / "image";
    std::filesystem::remove_all(copy);
    std::filesystem::copy(image, copy, std::filesystem::copy_options::recursive);
    std::filesystem::create_directories(copy / "R1" / "Mada");
    return copy;
}

} // namespace morvane::tools
