#include "app/frmSplash.h"

#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/QtText.h"
#include "app/VersionDatabase.h"
#include "common/UiPort.h"
#include "config/IniFile.h"
#include "config/LanguageText.h"
#include "grids/qt/ParamGrid.h"

namespace morvane {

bool g_bSafetyActive = false;

namespace {

// The picture beside both screens: a plain gradient with the arm of a robot drawn over it.
QPixmap Sidepicture(QSize size) {
    QPixmap pixmap(size);
    QPainter painter(&pixmap);
    QLinearGradient gradient(0, 0, 0, size.height());
    gradient.setColorAt(0, QColor(30, 60, 110));
    gradient.setColorAt(1, QColor(120, 160, 210));
    painter.fillRect(pixmap.rect(), gradient);
    painter.setRenderHint(QPainter::Antialiasing);
    const double w = size.width();
    const double h = size.height();
    const QPointF base(w * 0.3, h * 0.85);
    const QPointF shoulder(w * 0.35, h * 0.6);
    const QPointF elbow(w * 0.7, h * 0.4);
    const QPointF hand(w * 0.55, h * 0.2);
    painter.setPen(QPen(QColor(255, 170, 0), w * 0.09, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(base, shoulder);
    painter.drawLine(shoulder, elbow);
    painter.drawLine(elbow, hand);
    painter.setBrush(QColor(60, 60, 60));
    painter.setPen(Qt::NoPen);
    painter.drawRect(QRectF(w * 0.12, h * 0.85, w * 0.36, h * 0.06));
    for (const QPointF& joint : {shoulder, elbow}) {
        painter.drawEllipse(joint, w * 0.06, w * 0.06);
    }
    return pixmap;
}

QLabel* Picture(QWidget* pParent, QRect rect) {
    auto* pLabel = new QLabel(pParent);
    pLabel->setGeometry(rect);
    pLabel->setPixmap(Sidepicture(rect.size()));
    return pLabel;
}

QLabel* TextLabel(QWidget* pParent, int nLeft, int nTop, const char* sFamily, double dPoints,
                  bool bBold) {
    auto* pLabel = new QLabel(pParent);
    pLabel->move(TwipsToPixels(nLeft), TwipsToPixels(nTop));
    QFont font(sFamily);
    font.setPointSizeF(dPoints);
    font.setBold(bBold);
    pLabel->setFont(font);
    return pLabel;
}

// A centred caption spans the text side of its frame, so that any text stays inside.
void Centre(QLabel* pLabel, QRect rect) {
    pLabel->setGeometry(rect);
    pLabel->setAlignment(Qt::AlignCenter);
    pLabel->setWordWrap(true);
}

} // namespace

frmSplash::frmSplash(QWidget* pMainWindow)
    : QDialog(pMainWindow, Qt::Dialog | Qt::FramelessWindowHint), m_pMainWindow(pMainWindow) {
    setObjectName("frmSplash");
    setModal(true);
    Frm_Version = new QFrame(this);
    Frm_Version->setObjectName("Frm_Version");
    Frm_Version->setGeometry(TwipsToPixels(0, 0, 7080, 4050));
    Frm_Version->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Frm_Version->installEventFilter(this);
    Picture(Frm_Version, TwipsToPixels(120, 120, 2655, 3915));
    lblCompanyProduct = TextLabel(Frm_Version, 3120, 480, "Arial", 15.75, true);
    lblCompanyProduct->setText("Morvane");
    lblProductName = TextLabel(Frm_Version, 4065, 1440, "Arial", 11.25, true);
    Centre(lblProductName, TwipsToPixels(2880, 1200, 4080, 660));
    lblVersion = TextLabel(Frm_Version, 4320, 1920, "Arial", 8.25, true);
    Centre(lblVersion, TwipsToPixels(2880, 1920, 4080, 255));
    Lbl_IniVersion = TextLabel(Frm_Version, 2880, 2520, "Arial", 8.25, false);
    Lbl_MdbVersion = TextLabel(Frm_Version, 2880, 2760, "Arial", 8.25, false);
    lblCopyright = TextLabel(Frm_Version, 4560, 3720, "Arial", 8.25, false);
    lblCopyright->setText("Machine-data service tool");
    lblCopyright->adjustSize();
    Frm_Version->hide();

    Frm_Safety = new QFrame(this);
    Frm_Safety->setObjectName("Frm_Safety");
    Frm_Safety->setGeometry(TwipsToPixels(0, 4300, 8000, 4770));
    Frm_Safety->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Picture(Frm_Safety, TwipsToPixels(120, 120, 2655, 4515));
    Lbl_Safety = TextLabel(Frm_Safety, 4800, 360, "Arial", 11.25, true);
    Centre(Lbl_Safety, TwipsToPixels(2880, 300, 4935, 360));
    Txt_Safety = new QPlainTextEdit(Frm_Safety);
    Txt_Safety->setObjectName("Txt_Safety");
    Txt_Safety->setGeometry(TwipsToPixels(2880, 720, 4935, 3375));
    Txt_Safety->setReadOnly(true);
    Txt_Safety->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Txt_Safety->setStyleSheet("QPlainTextEdit { background: rgb(255, 255, 128); }");
    Txt_Safety->setFocusPolicy(Qt::NoFocus);
    Cmd_Cont = new QPushButton(Frm_Safety);
    Cmd_Cont->setObjectName("Cmd_Cont");
    Cmd_Cont->setGeometry(TwipsToPixels(3000, 4200, 2055, 375));
    Cmd_Exit = new QPushButton(Frm_Safety);
    Cmd_Exit->setObjectName("Cmd_Exit");
    Cmd_Exit->setGeometry(TwipsToPixels(5520, 4200, 2055, 375));
    connect(Cmd_Cont, &QPushButton::clicked, this, &frmSplash::Cmd_Cont_Click);
    connect(Cmd_Exit, &QPushButton::clicked, this, &frmSplash::Cmd_Exit_Click);
    Frm_Safety->hide();
}

void frmSplash::CentreOverMainWindow(int nWidthTwips, int nHeightTwips) {
    resize(TwipsToPixels(nWidthTwips), TwipsToPixels(nHeightTwips));
    const QWidget* pMain = m_pMainWindow;
    const QPoint origin = pMain ? pMain->geometry().topLeft() : QPoint(0, 0);
    const QSize area = pMain ? pMain->size() : size();
    move(origin.x() + (area.width() - width()) / 2, origin.y() + (area.height() - height()) / 2);
}

void frmSplash::Show_Version() {
    CentreOverMainWindow(7200, 4150);
    lblProductName->setText(ToQt(T("ToolDescription")));
    lblVersion->setText(ToQt(T("Version") + " " + std::to_string(MORVANE_VERSION_MAJOR) + "." +
                             std::to_string(MORVANE_VERSION_MINOR) + "." +
                             std::to_string(MORVANE_VERSION_PATCH)));
    Lbl_IniVersion->setText(
        ToQt(T("Version") + " " + T("IniFile") + " " + ReadIniValue("General", "IniVersion")));
    Lbl_IniVersion->adjustSize();
    Lbl_MdbVersion->setText(ToQt(T("Version") + " " + T("MdbFile") + " " + GetMdbVersion()));
    Lbl_MdbVersion->adjustSize();
    lblCompanyProduct->adjustSize();
    Frm_Version->move(0, 0);
    Frm_Version->show();
    Frm_Safety->hide();
    exec();
}

void frmSplash::Show_Safety() {
    CentreOverMainWindow(8150, 4900);
    Lbl_Safety->setText(ToQt(T("Safety")));
    Txt_Safety->setPlainText(ToQt(T("SafetyText")));
    Cmd_Cont->setText(ToQt(T("Continue")));
    Cmd_Exit->setText(ToQt(T("ExitProgram")));
    Frm_Version->hide();
    Frm_Safety->move(0, 0);
    Frm_Safety->show();
    g_bSafetyActive = true;
    Cmd_Cont->setFocus();
    exec();
}

void frmSplash::Cmd_Cont_Click() {
    if (g_bSafetyActive) {
        g_bSafetyActive = false;
        done(QDialog::Accepted);
    }
}

void frmSplash::Cmd_Exit_Click() {
    if (g_bSafetyActive) {
        done(QDialog::Rejected);
        ExitProgram(false);
    }
}

void frmSplash::mousePressEvent(QMouseEvent*) {
    if (!g_bSafetyActive) {
        done(QDialog::Accepted);
    }
}

bool frmSplash::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pWatched == Frm_Version && pEvent->type() == QEvent::MouseButtonPress && !g_bSafetyActive) {
        done(QDialog::Accepted);
        return true;
    }
    return QDialog::eventFilter(pWatched, pEvent);
}

void frmSplash::keyPressEvent(QKeyEvent* pEvent) {
    // Only the two buttons leave the safety screen (a focused button takes Enter and Space
    // before they arrive here).
    if (!g_bSafetyActive && !pEvent->text().isEmpty()) {
        done(QDialog::Accepted);
        return;
    }
    pEvent->accept();
}

void frmSplash::closeEvent(QCloseEvent* pEvent) {
    if (g_bSafetyActive && isVisible()) {
        pEvent->ignore();
        return;
    }
    QDialog::closeEvent(pEvent);
}

} // namespace morvane
