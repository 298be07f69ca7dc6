#include "common/logger.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <regex>
#include <thread>

#include "common/program_path.h"
#include "common/text_convert.h"
#include "tests/support/test_support.h"

using namespace testing_support;

namespace {

std::string TempLogPath(const TempDir& dir) { return WideToChs(dir.File(L"log.txt")); }

const std::regex kTimePrefix(R"(^\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}\.\d{3} )");

TEST(Logger, OpenWritesTimeStampedLinesAndRefusesASecondFile) {
    TempDir dir;
    CLogger log;
    ASSERT_TRUE(log.Open(TempLogPath(dir).c_str()));
    EXPECT_TRUE(log.IsOpen());
    EXPECT_FALSE(log.Open(WideToChs(dir.File(L"other.txt")).c_str()));
    EXPECT_EQ(log.Path(), TempLogPath(dir));
    EXPECT_EQ(log.Write("no newline"), 1);
    EXPECT_EQ(log.Write("with newline\n"), 1);
    log.Close();
    EXPECT_FALSE(log.IsOpen());
    EXPECT_FALSE(FileExists(dir.File(L"other.txt")));

    auto lines = SplitLines(ReadFileBytes(dir.File(L"log.txt")));
    ASSERT_EQ(lines.size(), 3u);  // the second text brings its own empty line
    EXPECT_TRUE(std::regex_search(lines[0], kTimePrefix)) << lines[0];
    EXPECT_EQ(lines[0].substr(24), "no newline");
    EXPECT_EQ(lines[1].substr(24), "with newline");
    EXPECT_EQ(lines[2], "");
}

// Lines written while no file is open are lost: neither kept for the next file nor
// written into the last one.
TEST(Logger, WritesWhileClosedAreLost) {
    TempDir dir;
    CLogger log;
    EXPECT_EQ(log.Write("before open"), 1);
    EXPECT_FALSE(log.IsOpen());
    ASSERT_TRUE(log.Open(TempLogPath(dir).c_str()));
    EXPECT_EQ(log.Write("while open"), 1);
    log.Close();
    EXPECT_EQ(log.Write("after close"), 1);
    auto lines = SplitLines(ReadFileBytes(dir.File(L"log.txt")));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].substr(24), "while open");
}

TEST(Logger, UnopenableFileFails) {
    CLogger log;
    EXPECT_FALSE(log.Open("Q:\\no\\such\\folder\\log.txt"));
    EXPECT_FALSE(log.IsOpen());
    EXPECT_EQ(log.Path(), "");
}

TEST(Logger, LinesFromManyThreadsStayWhole) {
    TempDir dir;
    CLogger log;
    ASSERT_TRUE(log.Open(TempLogPath(dir).c_str()));
    const std::string body(300, 'x');
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 200; ++i) log.Write((std::to_string(t) + body).c_str());
        });
    for (auto& th : threads) th.join();
    log.Close();
    auto lines = SplitLines(ReadFileBytes(dir.File(L"log.txt")));
    ASSERT_EQ(lines.size(), 1600u);
    for (const auto& line : lines) {
        ASSERT_TRUE(std::regex_search(line, kTimePrefix)) << line;
        ASSERT_EQ(line.size(), 24 + 1 + body.size()) << line;
    }
}

TEST(Logger, ConventionHelpersBoundLongTextAndNameTheCaller) {
    TempDir dir;
    ASSERT_TRUE(g_logger.Open(TempLogPath(dir).c_str()));
    LogFile("CTest::Method", "value %d", 42);
    LogBoth("CTest::Both", "%s", std::string(5000, 'y').c_str());  // longer than a line
    g_logger.Close();
    auto lines = SplitLines(ReadFileBytes(dir.File(L"log.txt")));
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0].substr(24), "[CTest::Method] value 42");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2].substr(24, 14), "[CTest::Both] ");
    EXPECT_LT(lines[2].size(), 1100u);
}

TEST(Logger, ProgramLogIsNamedByTheStartTimeAndBeginsWithItsFirstLine) {
    ASSERT_TRUE(OpenProgramLog());
    std::string path = g_logger.Path();
    g_logger.Close();
    std::wstring folder = GetProgramFolderW() + L"logger\\";
    std::wstring wide = ChsToWide(path);
    ASSERT_EQ(wide.substr(0, folder.size()), folder);
    std::wstring name = wide.substr(folder.size());
    EXPECT_TRUE(std::regex_match(WideToChs(name), std::regex(R"(log\d{14}\.txt)"))) << path;
    auto lines = SplitLines(ReadFileBytes(wide));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].substr(24), WideToChs(L"初始化日志"));
    DeleteFileW(wide.c_str());
}

}  // namespace
