// The pieces of the shell without a window: the command line, the single-instance lock, the
// pendant's key codes and the file filters of the file dialog.
#include <QString>
#include <Qt>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "app/Pendant.h"
#include "app/QtUi.h"
#include "app/SingleInstance.h"
#include "app/StartOptions.h"
#include "tests/support/TestSupport.h"

namespace morvane {
namespace {

TEST(StartOptionsTest, ReadsEveryOption) {
    StartOptions options;
    std::string sError;
    ASSERT_TRUE(ParseStartOptions(
        {"--controller", "img", "--ini", "a.ini", "--mada", "m/", "--lang", "de", "--windowed"},
        options, sError));
    EXPECT_EQ(options.sControllerDir, "img");
    EXPECT_EQ(options.sIniFile, "a.ini");
    EXPECT_EQ(options.sMadaDir, "m/");
    EXPECT_EQ(options.sLanguage, "de");
    EXPECT_TRUE(options.bWindowed);
}

TEST(StartOptionsTest, RefusesUnknownOptionsAndMissingValues) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--colour"}, std::vector<std::string>{"--controller"},
          std::vector<std::string>{"--ini", ""}}) {
        StartOptions options;
        std::string sError;
        EXPECT_FALSE(ParseStartOptions(args, options, sError)) << args[0];
        EXPECT_FALSE(sError.empty());
    }
}

TEST(SingleInstanceTest, ASecondHolderIsRefusedUntilTheFirstLetsGo) {
    test::TempDir temp;
    const std::string sLock = (temp.Path() / "sub" / "morvane.lock").string();
    ASSERT_TRUE(AcquireSingleInstance(sLock));
    EXPECT_TRUE(AcquireSingleInstance(sLock)); // the same process again
    const int fd = ::open(sLock.c_str(), O_RDWR);
    ASSERT_GE(fd, 0);
    EXPECT_NE(::flock(fd, LOCK_EX | LOCK_NB), 0); // another instance would be refused
    ReleaseSingleInstance();
    EXPECT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    EXPECT_FALSE(AcquireSingleInstance(sLock));
    ::close(fd);
}

TEST(PendantTest, FunctionKeysTwoToTwentyTwoGiveTheirCodes) {
    EXPECT_EQ(PendantKeyCode(Qt::Key_F2), 113);
    EXPECT_EQ(PendantKeyCode(Qt::Key_F8), 119);
    EXPECT_EQ(PendantKeyCode(Qt::Key_F22), 133);
    EXPECT_EQ(PendantKeyCode(Qt::Key_F1), 0);
    EXPECT_EQ(PendantKeyCode(Qt::Key_F23), 0);
    EXPECT_EQ(PendantKeyCode(Qt::Key_A), 0);
}

TEST(FileFilterTest, PairsBecomeQtFilters) {
    EXPECT_EQ(QtFileFilter("Servo-File (*.servo)|*.servo|All|*.*"),
              QString("Servo-File (*.servo);;All (*.*)"));
    EXPECT_EQ(QtFileFilter(""), QString());
}

} // namespace
} // namespace morvane
