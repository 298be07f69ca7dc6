// Loading, adding and deleting rows of the main window's real lists, with real
// recordings, real list files and real files on the disk.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/time_size_text.h"
#include "tests/app/lists/lists_fixture.h"

using namespace DuiLib;
using namespace testing_support;

namespace {

std::wstring SizeOf(const std::wstring& path) {
    uint64_t bytes = 0;
    GetFileSize64(path, bytes);
    return FormatFileSize(bytes, 1);
}

}  // namespace

TEST_F(ListsFixture, LoadingKeepsReadableFilesOnceInNameOrder) {
    const std::wstring longName = std::wstring(120, L'l') + L".mp4";
    const std::wstring b = AddRecordingFile(L"b.mp4");
    AddRecordingFile(L"a.mp4");
    AddRecordingFile(longName);
    AddRecordingFile(L"录屏 测试.mp4");
    AddPlainFile(L"not_media.mp4", 4000);
    WriteList(L"videolist.txt",
              {L"b.mp4", L"", L"a.mp4", longName, L"gone.mp4", L"a.mp4", L"not_media.mp4", L"录屏 测试.mp4"});
    lists->LoadVideoList();
    std::vector<std::wstring> want = {L"a.mp4", L"b.mp4", longName, L"录屏 测试.mp4"};
    EXPECT_EQ(RowNames(videos()), want) << "after a line of 120 characters the list goes on";
    EXPECT_EQ(Cell(videos(), 1, 1), L"b.mp4");
    EXPECT_EQ(Cell(videos(), 1, 3), L"00:00:02");
    EXPECT_EQ(Cell(videos(), 1, 5), SizeOf(b));
    EXPECT_EQ(videos()->GetItemAt(0)->GetFixedHeight(), CFileLists::kRowHeight);
    ASSERT_EQ(lists->Videos().count(L"b.mp4"), 1u);
    EXPECT_EQ(lists->Videos().at(L"b.mp4").path, b);
    EXPECT_EQ(lists->Videos().size(), 4u);

    AddPlainFile(L"x.png", 900);
    AddPlainFile(L"截图.png", 1536);
    WriteList(L"capture_pic_list.txt", {L"x.png", L"", L"y.png", L"x.png", L"截图.png"});
    lists->LoadPicList();
    EXPECT_EQ(RowNames(pictures()), (std::vector<std::wstring>{L"x.png", L"截图.png"}));
    EXPECT_EQ(Cell(pictures(), 0, 3), L"0KB");
    EXPECT_EQ(Cell(pictures(), 1, 1), L"截图.png");
    EXPECT_EQ(Cell(pictures(), 1, 3), L"1.5KB");

    lists->LoadPicList();
    EXPECT_EQ(pictures()->GetCount(), 2) << "loading again rebuilds, it does not add";
    DeleteFileW(folder.File(L"capture_pic_list.txt").c_str());
    lists->LoadPicList();
    EXPECT_EQ(pictures()->GetCount(), 0) << "no list file, no rows";
    EXPECT_TRUE(lists->Pictures().empty());
}

TEST_F(ListsFixture, AFinishedRecordingAndAScreenshotGoOnTopSelected) {
    AddRecordingFile(L"a.mp4");
    AddRecordingFile(L"b.mp4");
    WriteList(L"videolist.txt", {L"a.mp4", L"b.mp4"});
    lists->LoadVideoList();
    videos()->SelectItem(1);

    // A recording as the writer finishes it: the file and its list line.
    RecordingOwner owner;
    WriterSetup setup{folder.File(L"20250111_101005.mp4")};
    ASSERT_GE(RecordFile(setup, &owner, 1.5), 0);
    ASSERT_EQ(owner.finished.size(), 1u);
    lists->AddRecordingToList(owner.finished[0]);
    EXPECT_EQ(RowNames(videos()), (std::vector<std::wstring>{L"20250111_101005.mp4", L"a.mp4", L"b.mp4"}));
    EXPECT_EQ(SelectedRows(videos()), std::vector<int>{0});
    EXPECT_EQ(Cell(videos(), 0, 3), L"00:00:01");
    EXPECT_EQ(Cell(videos(), 0, 5), SizeOf(owner.finished[0]));
    EXPECT_EQ(ReadFileBytes(folder.File(L"videolist.txt")), ListBytes({L"a.mp4", L"b.mp4", L"20250111_101005.mp4"}))
        << "the writer's line; the list adds none of its own";

    AddPlainFile(L"broken.mp4", 2000);
    lists->AddRecordingToList(folder.File(L"broken.mp4"));
    EXPECT_EQ(videos()->GetCount(), 3) << "a file FFmpeg cannot read is not listed";

    const std::wstring shot = AddPlainFile(L"截图 1.png", 3789);
    lists->AddScreenshot(shot);
    EXPECT_EQ(RowNames(pictures()), std::vector<std::wstring>{L"截图 1.png"});
    EXPECT_EQ(SelectedRows(pictures()), std::vector<int>{0});
    EXPECT_EQ(Cell(pictures(), 0, 3), L"3.7KB");
    EXPECT_EQ(lists->Pictures().at(L"截图 1.png").path, shot);
    lists->AddScreenshot(AddPlainFile(L"b.png", 10));
    EXPECT_EQ(RowNames(pictures()), (std::vector<std::wstring>{L"b.png", L"截图 1.png"}));
    EXPECT_EQ(ReadFileBytes(folder.File(L"capture_pic_list.txt")), ListBytes({L"截图 1.png", L"b.png"}));
}

struct DeleteCase {
    const char* what;
    std::vector<int> select;
    bool fromDisk;
    std::vector<std::wstring> rowsLeft;
};

TEST_F(ListsFixture, DeletingRowsWithAndWithoutTheDisk) {
    const DeleteCase cases[] = {
        {"some, list only", {0, 2}, false, {L"b.mp4", L"录屏.mp4"}},
        {"some, from the disk", {1}, true, {L"a.mp4", L"c.mp4", L"录屏.mp4"}},
        {"all, list only", {0, 1, 2, 3}, false, {}},
        {"all, from the disk", {0, 1, 2, 3}, true, {}},
    };
    const std::vector<std::wstring> names = {L"a.mp4", L"b.mp4", L"c.mp4", L"录屏.mp4"};
    for (const DeleteCase& c : cases) {
        SCOPED_TRACE(c.what);
        for (const std::wstring& name : names) AddRecordingFile(name);
        WriteList(L"videolist.txt", names);
        lists->LoadVideoList();
        videos()->UnSelectAllItems();
        for (int row : c.select) videos()->SelectMultiItem(row);
        lists->DeleteSelected(c.fromDisk);
        EXPECT_EQ(RowNames(videos()), c.rowsLeft);
        EXPECT_EQ(videos()->GetSelectItemCount(), 0);
        EXPECT_EQ(lists->Videos().size(), c.rowsLeft.size());
        if (c.rowsLeft.empty())
            EXPECT_FALSE(FileExists(folder.File(L"videolist.txt"))) << "emptied, the list file goes";
        else
            EXPECT_EQ(ReadFileBytes(folder.File(L"videolist.txt")), ListBytes(c.rowsLeft));
        for (size_t i = 0; i < names.size(); ++i) {
            bool deleted = std::find(c.select.begin(), c.select.end(), static_cast<int>(i)) != c.select.end();
            EXPECT_EQ(FileExists(folder.File(names[i])), !(deleted && c.fromDisk)) << ui_test::Narrow(names[i]);
        }
    }
}

TEST_F(ListsFixture, DeletingScreenshotsLeavesTheRecordingsAlone) {
    AddRecordingFile(L"a.mp4");
    WriteList(L"videolist.txt", {L"a.mp4"});
    lists->LoadVideoList();
    lists->AddScreenshot(AddPlainFile(L"1.png", 2000));
    lists->AddScreenshot(AddPlainFile(L"2.png", 2000));
    ShowPictures(true);
    ASSERT_EQ(lists->ListInUse(), pictures());
    pictures()->SelectItem(1);  // "1.png": the later one is on top
    lists->DeleteSelected(true);
    EXPECT_EQ(RowNames(pictures()), std::vector<std::wstring>{L"2.png"});
    EXPECT_FALSE(FileExists(folder.File(L"1.png")));
    EXPECT_EQ(ReadFileBytes(folder.File(L"capture_pic_list.txt")), ListBytes({L"2.png"}));
    EXPECT_EQ(RowNames(videos()), std::vector<std::wstring>{L"a.mp4"});
    EXPECT_EQ(ReadFileBytes(folder.File(L"videolist.txt")), ListBytes({L"a.mp4"}));
}
