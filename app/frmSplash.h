// The small modal window of the tool: the safety notice every start must acknowledge, and the
// version screen of the info menu with the program, INI and version-database versions.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace morvane {

// The safety screen is up: the main window ignores its keys, menus and pendant events.
extern bool g_bSafetyActive;

class frmSplash : public QDialog {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* pMainWindow);

    // Both are modal and return when the window has been closed.
    void Show_Version();
    void Show_Safety();

    QFrame* Frm_Version = nullptr;
    QFrame* Frm_Safety = nullptr;
    QLabel* lblCompanyProduct = nullptr;
    QLabel* lblProductName = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* Lbl_IniVersion = nullptr;
    QLabel* Lbl_MdbVersion = nullptr;
    QLabel* lblCopyright = nullptr;
    QLabel* Lbl_Safety = nullptr;
    QPlainTextEdit* Txt_Safety = nullptr;
    QPushButton* Cmd_Cont = nullptr;
    QPushButton* Cmd_Exit = nullptr;

protected:
    void mousePressEvent(QMouseEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void Cmd_Cont_Click();
    void Cmd_Exit_Click();
    void CentreOverMainWindow(int nWidthTwips, int nHeightTwips);

    QWidget* m_pMainWindow;
};

} // namespace morvane
