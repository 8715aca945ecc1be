// The safety screen, which only its two buttons leave, and the version screen with its
// versions, closed by a click or a key.
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <sqlite3.h>

#include "app/VersionDatabase.h"
#include "config/IniFile.h"
#include "config/LanguageText.h"
#include "tests/app/WindowFixture.h"

namespace morvane::test {
namespace {

using SplashTest = WindowTest;

TEST_F(SplashTest, SafetyScreenIgnoresClicksAndKeys) {
    bool bStillUp = false;
    ASSERT_TRUE(StartAnswering([&](frmSplash& splash) {
        EXPECT_TRUE(g_bSafetyActive);
        EXPECT_EQ(splash.Txt_Safety->toPlainText(),
                  QString::fromStdString(T("SafetyText")).replace("\r\n", "\n"));
        splash.activateWindow();
        QApplication::processEvents();
        QTest::mouseClick(splash.Frm_Safety, Qt::LeftButton);
        QTest::mouseClick(&splash, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::keyClick(&splash, Qt::Key_A);
        QTest::keyClick(&splash, Qt::Key_Escape);
        splash.close();
        W().BtnCmd_Click(6); // the main window's keys do nothing meanwhile
        bStillUp = splash.isVisible();
        QTest::keyClick(&splash, Qt::Key_F21); // the pendant's next field: to Exit
        EXPECT_EQ(QApplication::focusWidget(), splash.Cmd_Exit);
        QTest::keyClick(&splash, Qt::Key_F22);
        EXPECT_EQ(QApplication::focusWidget(), splash.Cmd_Cont);
        QTest::keyClick(splash.Cmd_Cont, Qt::Key_Space);
    }));
    EXPECT_TRUE(bStillUp);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_FALSE(g_bSafetyActive);
}

TEST_F(SplashTest, ExitProgramOnTheSafetyScreenEndsWithoutQuestions) {
    EXPECT_FALSE(StartAnswering([](frmSplash& splash) { splash.Cmd_Exit->click(); }));
    EXPECT_EQ(ui.exitCalls, std::vector<bool>{false});
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(SplashTest, VersionScreenClosesOnAClick) {
    ASSERT_TRUE(Start());
    frmSplash splash(&W());
    bool bShown = false;
    WhenModalShown<frmSplash>([&](frmSplash& shown) {
        bShown = shown.isVisible();
        QTest::mouseClick(shown.lblProductName, Qt::LeftButton);
    });
    splash.Show_Version();
    EXPECT_TRUE(bShown);
    EXPECT_FALSE(splash.isVisible());
    EXPECT_EQ(splash.lblProductName->text().toStdString(), T("ToolDescription"));
    EXPECT_EQ(splash.size(), QSize(480, 276));
}

TEST_F(SplashTest, VersionDatabaseGivesItsHighestVersion) {
    ASSERT_TRUE(Start());
    const std::string sIni = ReadBytes(SourceDir() / "data" / "Morvan.ini");
    g_sIniFile = temp.Write("ini/Morvan.ini", sIni).string();
    EXPECT_EQ(GetMdbVersion(), ""); // no database beside this INI

    const std::string sDb = (temp.Path() / "ini" / "Versions.db").string();
    sqlite3* pDb = nullptr;
    ASSERT_EQ(sqlite3_open(sDb.c_str(), &pDb), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(pDb,
                           "CREATE TABLE VersionNumber (VersionNumber TEXT);"
                           "INSERT INTO VersionNumber VALUES ('2.3.0'), ('2.10.1'), ('2.4.0');",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(pDb);
    EXPECT_EQ(GetMdbVersion(), "2.4.0"); // sorted by the field, as text

    temp.Write("ini/Versions.db", "not a database");
    EXPECT_EQ(GetMdbVersion(), "");
}

} // namespace
} // namespace morvane::test
