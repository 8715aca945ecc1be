// GUI tests: the main window started offscreen on a copy of the demo controller, with a
// scripted Ui port, a private lock file and private XDG folders.
#pragma once

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "app/ConfExtAx.h"
#include "app/frmSplash.h"
#include "tests/support/TestSupport.h"

namespace morvane::test {

// The one QApplication of the test process.
void EnsureQtApplication();

// Runs onShown with the next modal window of type W as soon as it is up (it must close it).
template <typename W> void WhenModalShown(std::function<void(W&)> onShown) {
    auto* pTimer = new QTimer(qApp);
    pTimer->setInterval(0);
    QObject::connect(pTimer, &QTimer::timeout, [pTimer, onShown] {
        if (auto* pModal = qobject_cast<W*>(QApplication::activeModalWidget())) {
            pTimer->stop();
            pTimer->deleteLater();
            onShown(*pModal);
        }
    });
    pTimer->start();
}

class WindowTest : public ::testing::Test {
public:
    // Text edits of the controller's $MACHINE.DAT and controller.ini before the start.
    void EditMachineDat(const std::string& sFind, const std::string& sReplace);
    void EditControllerIni(const std::string& sFind, const std::string& sReplace);
    // Form_Load up to the safety screen, continued there; false when the program ended.
    bool Start();
    // The window with the safety screen answered by onSafety instead of Continue.
    bool StartAnswering(std::function<void(frmSplash&)> onSafety);
    ConfExtAx& W() { return *m_pWindow; }

protected:
    void SetUp() override;
    void TearDown() override;

public:
    ScriptedUi ui;
    TempDir temp;
    StartOptions options;
    int nSafetyShown = 0;
    std::unique_ptr<ConfExtAx> m_pWindow;
};

} // namespace morvane::test
