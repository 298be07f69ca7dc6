// The list files and the row texts, without windows.
#include <gtest/gtest.h>

#include "app/lists/list_file.h"
#include "app/lists/list_paths.h"
#include "app/lists/media_duration.h"
#include "common/text_convert.h"
#include "tests/support/test_support.h"

using namespace testing_support;

TEST(ListFile, ReadsWholeLinesSkippingEmptyAndUndecodableOnes) {
    TempDir dir;
    const std::wstring longName = std::wstring(140, L'长') + L".mp4";
    std::string bytes =
        "a.mp4\r\n\r\n" + WideToChs(longName) + "\r\n" + WideToChs(L"录屏 一.mp4") + "\n\xFF\xFF.mp4\r\nlast.mp4";
    ASSERT_TRUE(WriteFileBytes(dir.File(L"videolist.txt"), bytes));
    std::vector<std::wstring> want = {L"a.mp4", longName, L"录屏 一.mp4", L"last.mp4"};
    EXPECT_EQ(ReadListFile(dir.File(L"videolist.txt")), want)
        << "a long line ends nothing; LF alone and no end are fine";
    EXPECT_TRUE(ReadListFile(dir.File(L"missing.txt")).empty());
}

TEST(ListFile, RewriteAndAppendWriteCodePage936WithCrLf) {
    TempDir dir;
    const std::wstring list = dir.File(L"capture_pic_list.txt");
    ASSERT_TRUE(WriteFileBytes(list, "old.png\r\nolder.png\r\n"));
    ASSERT_TRUE(RewriteListFile(list, {L"a.png", L"截图.png"}));
    EXPECT_EQ(ReadFileBytes(list), "a.png\r\n" + WideToChs(L"截图.png") + "\r\n");
    ASSERT_TRUE(AppendListFile(list, L"新.png"));
    EXPECT_EQ(ReadFileBytes(list), "a.png\r\n" + WideToChs(L"截图.png") + "\r\n" + WideToChs(L"新.png") + "\r\n");
    EXPECT_FALSE(FileExists(list + L".new")) << "nothing is left beside it";
    EXPECT_FALSE(RewriteListFile(dir.File(L"no\\such\\folder.txt"), {L"a.png"}));
}

TEST(RowTexts, Durations) {
    EXPECT_EQ(FormatDuration(0), L"00:00:00");
    EXPECT_EQ(FormatDuration(3 * 3600 + 25 * 60 + 7), L"03:25:07");
    EXPECT_EQ(FormatDuration(100 * 3600 + 61), L"100:01:01") << "hours are not wrapped";
}

TEST(ListPaths, JoinNameAndPlainNames) {
    EXPECT_EQ(JoinPath(L"D:\\录屏", L"a.mp4"), L"D:\\录屏\\a.mp4");
    EXPECT_EQ(JoinPath(L"D:\\录屏\\", L"a.mp4"), L"D:\\录屏\\a.mp4");
    EXPECT_EQ(JoinPath(L"D:\\录屏", L"E:\\b.mp4"), L"E:\\b.mp4") << "an absolute line is used unchanged";
    EXPECT_EQ(FileNameOf(L"D:\\x\\y.png"), L"y.png");
    EXPECT_EQ(FileNameOf(L"D:/x/y.png"), L"y.png");
    EXPECT_EQ(FileNameOf(L"y.png"), L"y.png");
    EXPECT_TRUE(IsPlainFileName(L"假期 录像"));
    EXPECT_TRUE(FitsListFile(L"假期 录像.mp4"));
    EXPECT_FALSE(FitsListFile(L"snow \u2603.mp4")) << "not in code page 936";
    for (const wchar_t* bad : {L"", L"..", L"..\\up", L"sub/dir", L"a:b", L"what?", L"a\tb"})
        EXPECT_FALSE(IsPlainFileName(bad)) << WideToUtf8(bad);
}
