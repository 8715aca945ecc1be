#include <filesystem>
#include <gtest/gtest.h>

#include "common/CodePage.h"
#include "common/FileIo.h"
#include "tests/support/TestSupport.h"

using namespace morvane;
using namespace morvane::test;

TEST(CodePage, RoundTripsEveryDefinedByte) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
    EXPECT_EQ(Cp1252ToUtf8("\x80\xB0\xE4"), "\u20AC\u00B0\u00E4");
    EXPECT_EQ(Utf8ToCp1252("\u4E2D\xFF"), "??") << "unmappable and malformed input";
}

class FileIoTest : public UiTest {
protected:
    TempDir dir;
};

TEST_F(FileIoTest, WholeFileWriteAddsALineEndAndKeepsBytes) {
    const std::string sPath = FromPath(dir.Path() / "a.dat");
    ASSERT_TRUE(WriteWholeFile(sPath, "X=1\r\n;\xB0"));
    EXPECT_EQ(ReadBytes(sPath), "X=1\r\n;\xB0\r\n");
    std::string sText;
    ASSERT_TRUE(ReadWholeFile(sPath, sText));
    EXPECT_EQ(sText, "X=1\r\n;\xB0\r\n");
}

TEST_F(FileIoTest, UnreadablePathsReadAsFailureWithNoText) {
    std::string sText = "stale";
    EXPECT_FALSE(ReadWholeFile(FromPath(dir.Path() / "missing.dat"), sText));
    EXPECT_EQ(sText, "");
    sText = "stale";
    EXPECT_FALSE(ReadWholeFile(FromPath(dir.Path()), sText)) << "a folder is no file";
    EXPECT_EQ(sText, "");
}

TEST_F(FileIoTest, FailedWriteShowsTheReason) {
    const std::string sPath = FromPath(dir.Path() / "missing" / "a.dat");
    ui.Answer(MsgAnswer::OK);
    EXPECT_FALSE(WriteWholeFile(sPath, "new"));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].icon, MsgIcon::Error);
    EXPECT_NE(ui.boxes[0].sText.find("a.dat"), std::string::npos);
    EXPECT_FALSE(FileExists(sPath));
}

TEST_F(FileIoTest, ReadOnlyFileIsNotReplaced) {
    const auto p = dir.Write("b.dat", "old");
    std::filesystem::permissions(p, std::filesystem::perms::owner_read);
    EXPECT_TRUE(IsReadOnly(FromPath(p)));
    EXPECT_FALSE(ReplaceFileAtomically(FromPath(p), "new"));
    EXPECT_EQ(ReadBytes(p), "old");
}

TEST_F(FileIoTest, LinesSplitAtCrLfAndLf) {
    const auto p = dir.Write("c.txt", "a\r\nb\nc");
    auto lines = ReadFileLines(FromPath(p));
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->Count(), 3);
    EXPECT_EQ(lines->Item(2), "b");
    EXPECT_EQ(lines->Item(3), "c");
    EXPECT_FALSE(ReadFileLines(FromPath(dir.Write("empty.txt", ""))));
    EXPECT_FALSE(ReadFileLines(FromPath(dir.Path() / "missing.txt")));
}
