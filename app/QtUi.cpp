#include "app/QtUi.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>

#include "app/ConfExtAx.h"
#include "app/QtText.h"

namespace morvane {

namespace {

QMessageBox::StandardButton ToQtButton(MsgAnswer answer) {
    switch (answer) {
    case MsgAnswer::OK:
        return QMessageBox::Ok;
    case MsgAnswer::Yes:
        return QMessageBox::Yes;
    case MsgAnswer::No:
        return QMessageBox::No;
    case MsgAnswer::Cancel:
        return QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon ToQtIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::None:
        return QMessageBox::NoIcon;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Error:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QString QtFileFilter(const std::string& sFilter) {
    const QStringList parts = ToQt(sFilter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString sDesc = parts[i];
        filters << (sDesc.contains('(') ? sDesc : sDesc + " (" + parts[i + 1] + ")");
    }
    return filters.join(";;");
}

MsgAnswer QtUi::MsgBox(const std::string& sText, MsgButtons buttons, MsgIcon icon,
                       MsgAnswer defaultButton) {
    QMessageBox box(ToQtIcon(icon), "Morvane", ToQt(sText), QMessageBox::NoButton, m_pWindow);
    switch (buttons) {
    case MsgButtons::OK:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    box.setDefaultButton(ToQtButton(defaultButton));
    const int nResult = box.exec();
    switch (nResult) {
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    case QMessageBox::Ok:
        return MsgAnswer::OK;
    default:
        // Escape on a box without Cancel: the box's own way out.
        return buttons == MsgButtons::OK ? MsgAnswer::OK : MsgAnswer::No;
    }
}

std::string QtUi::FileDialog(const FileDialogRequest& request) {
    const QString sFilter = QtFileFilter(request.sFilter);
    QString sPath;
    if (request.bSave) {
        sPath = QFileDialog::getSaveFileName(m_pWindow, ToQt(request.sTitle),
                                             ToQt(request.sFolder + request.sFileName), sFilter);
    } else {
        sPath = QFileDialog::getOpenFileName(m_pWindow, ToQt(request.sTitle), ToQt(request.sFolder),
                                             sFilter);
    }
    return FromQt(sPath);
}

void QtUi::ShowProgress(double dMin, double dMax, double dValue) {
    if (m_pWindow) {
        m_pWindow->ShowProgress(dMin, dMax, dValue);
    }
}

void QtUi::HideProgress() {
    if (m_pWindow) {
        m_pWindow->HideProgress();
    }
}

void QtUi::SetBusyPointer(bool bBusy) {
    if (bBusy == m_bBusy) {
        return;
    }
    m_bBusy = bBusy;
    if (bBusy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void QtUi::EnableMainControls(bool bEnable) {
    if (m_pWindow) {
        m_pWindow->EnableMainControls(bEnable);
    }
}

void QtUi::FocusMainWindow() {
    if (m_pWindow) {
        m_pWindow->activateWindow();
        m_pWindow->SetFocusToActiveGrid();
    }
}

void QtUi::EndProgram() {
    // At once: no further handler runs and no window is torn down.
    std::fflush(nullptr);
    std::_Exit(0);
}

} // namespace morvane
