// Renaming a row in place through the real rename box: typed Chinese names,
// a row added while the box is open, empty, unchanged and unsafe names.
#include <gtest/gtest.h>

#include "shell/custom_messages.h"
#include "tests/app/lists/lists_fixture.h"

using namespace DuiLib;
using namespace testing_support;
using namespace ui_test;

namespace {

class RenameFixture : public ListsFixture {
protected:
    void SetUp() override {
        ListsFixture::SetUp();
        for (const wchar_t* name : {L"20210106_101010.mp4", L"20210107_101010.mp4"}) AddRecordingFile(name);
        WriteList(L"videolist.txt", {L"20210106_101010.mp4", L"20210107_101010.mp4"});
        lists->LoadVideoList();
        window->onMessage = [this](UINT msg, WPARAM, LPARAM, bool& handled) -> LRESULT {
            handled = msg == WM_LIST_RENAME;
            if (handled) lists->FocusRenameBox();  // what the main window does with it
            return 0;
        };
    }

    // Selects the row, opens the box over it and types over its text.
    void StartTyping(int row, const std::wstring& typed) {
        videos()->SelectItem(row);
        lists->StartRename();
        Pump(20);
        TypeText(window->GetHWND(), typed);
    }
};

}  // namespace

TEST_F(RenameFixture, TypedNameKeepsTheExtensionAndReachesDiskRowRecordAndListFile) {
    videos()->SelectItem(0);
    lists->StartRename();
    EXPECT_TRUE(box()->IsVisible());
    EXPECT_EQ(box()->GetText(), CDuiString(L"20210106_101010")) << "the name without its extension";
    Pump(20);
    EXPECT_TRUE(box()->IsFocused()) << "WM_LIST_RENAME gives the box the focus";
    window->Pm().UpdateLayout();
    RECT rowRect = videos()->GetItemAt(0)->GetPos(), boxRect = box()->GetPos();
    EXPECT_LT(boxRect.top, rowRect.bottom);
    EXPECT_GT(boxRect.bottom, rowRect.top) << "the box lies over the row";

    TypeText(window->GetHWND(), L"假期 录像");
    PressKey(window->GetHWND(), VK_RETURN);
    EXPECT_FALSE(box()->IsVisible());
    EXPECT_TRUE(FileExists(folder.File(L"假期 录像.mp4")));
    EXPECT_FALSE(FileExists(folder.File(L"20210106_101010.mp4")));
    EXPECT_EQ(Cell(videos(), 0, 1), L"假期 录像.mp4");
    EXPECT_EQ(videos()->GetItemAt(0)->GetName(), CDuiString(L"假期 录像.mp4"));
    ASSERT_EQ(lists->Videos().count(L"假期 录像.mp4"), 1u);
    const VideoRow& record = lists->Videos().at(L"假期 录像.mp4");
    EXPECT_EQ(record.path, folder.File(L"假期 录像.mp4"));
    EXPECT_EQ(record.duration, L"00:00:02");
    EXPECT_EQ(lists->Videos().count(L"20210106_101010.mp4"), 0u);
    EXPECT_EQ(ReadFileBytes(folder.File(L"videolist.txt")), ListBytes({L"20210107_101010.mp4", L"假期 录像.mp4"}));

    window->Pm().SetFocus(videos());  // leaving the box afterwards commits nothing more
    EXPECT_TRUE(FileExists(folder.File(L"假期 录像.mp4")));
}

TEST_F(RenameFixture, ARowAddedWhileTheBoxIsOpenDoesNotMoveTheRename) {
    StartTyping(1, L"holiday");
    lists->AddRecordingToList(AddRecordingFile(L"20210108_090000.mp4"));  // a split finished meanwhile
    window->Pm().SetFocus(nullptr);                                       // the box loses the focus: that commits
    EXPECT_TRUE(FileExists(folder.File(L"holiday.mp4")));
    EXPECT_FALSE(FileExists(folder.File(L"20210107_101010.mp4")));
    EXPECT_TRUE(FileExists(folder.File(L"20210106_101010.mp4"))) << "the neighbour keeps its name";
    EXPECT_TRUE(FileExists(folder.File(L"20210108_090000.mp4")));
    EXPECT_EQ(RowNames(videos()),
              (std::vector<std::wstring>{L"20210108_090000.mp4", L"20210106_101010.mp4", L"holiday.mp4"}));
}

TEST_F(RenameFixture, ClickingAnotherRowCommitsAndScrollingCancels) {
    StartTyping(0, L"clicked");
    ClickAt(window->GetHWND(), window->Center(L"20210107_101010.mp4"));
    EXPECT_FALSE(box()->IsVisible());
    EXPECT_TRUE(FileExists(folder.File(L"clicked.mp4")));

    StartTyping(1, L"scrolled");
    lists->CancelRename();
    EXPECT_FALSE(box()->IsVisible());
    EXPECT_TRUE(FileExists(folder.File(L"20210107_101010.mp4")));
    window->Pm().SetFocus(nullptr);
    EXPECT_FALSE(FileExists(folder.File(L"scrolled.mp4"))) << "a cancelled rename stays cancelled";
}

TEST_F(RenameFixture, EmptyUnchangedOrUnsafeNamesRenameNothing) {
    const std::string listBefore = ReadFileBytes(folder.File(L"videolist.txt"));
    AddPlainFile(L"taken.mp4", 10);
    struct {
        const char* what;
        const wchar_t* typed;
    } cases[] = {{"empty", L""},
                 {"unchanged", L"20210106_101010"},
                 {"into the parent folder", L"..\\up"},
                 {"into a sub-folder", L"sub/x"},
                 {"a name already taken", L"taken"},
                 {"a name the list file cannot hold", L"snow \u2603"}};
    CreateDirectoryW(folder.File(L"sub").c_str(), nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        videos()->SelectItem(0);
        lists->StartRename();
        box()->SetText(c.typed);
        lists->CommitRename();
        EXPECT_FALSE(box()->IsVisible());
        EXPECT_TRUE(FileExists(folder.File(L"20210106_101010.mp4")));
        EXPECT_EQ(RowNames(videos()), (std::vector<std::wstring>{L"20210106_101010.mp4", L"20210107_101010.mp4"}));
        EXPECT_EQ(ReadFileBytes(folder.File(L"videolist.txt")), listBefore);
    }
    EXPECT_FALSE(FileExists(folder.path() + L"..\\up.mp4"));
    EXPECT_FALSE(FileExists(folder.File(L"sub\\x.mp4")));
    EXPECT_EQ(ReadFileBytes(folder.File(L"taken.mp4")), std::string(10, 'x')) << "never overwritten";
}
