#include <gtest/gtest.h>

#include "tests/app/lists/lists_fixture.h"

#include "common/record_globals.h"
#include "common/text_convert.h"

using namespace DuiLib;
using namespace testing_support;

namespace {

// One recording for the whole program: recording takes a while, copying does not.
const std::wstring& RecordingTemplate() {
    static TempDir store;
    static std::wstring path;
    if (path.empty()) {
        RecordingOwner owner;
        WriterSetup setup{store.File(L"template.mp4")};
        const int32_t mode = g_userSelMode;
        g_userSelMode = kSelModeRegion;
        if (RecordFile(setup, &owner, 2.5) >= 0 && !owner.finished.empty()) path = owner.finished.back();
        g_userSelMode = mode;
    }
    return path;
}

}  // namespace

void ListsFixture::SetUp() {
    RecordingTemplate();  // before the current folder moves: its own list line goes elsewhere
    settings = std::make_unique<TestSettings>(folder.path());
    window = std::make_unique<ui_test::TestWindow>(L"main.xml", L"ListsTestMain");
    window->makeControl = [](LPCTSTR) -> CControlUI* { return new CControlUI; };  // the sliders
    ASSERT_TRUE(window->Open(0, 0));
    window->ResizeClient(858, 760);
    window->Pm().UpdateLayout();
    lists = std::make_unique<CFileLists>(&window->Pm(), window->GetHWND(), [this] { return folder.path(); });
}

void ListsFixture::TearDown() {
    lists.reset();
    window.reset();
    settings.reset();
}

std::wstring ListsFixture::AddRecordingFile(const std::wstring& name) {
    const std::wstring path = folder.File(name);
    EXPECT_FALSE(RecordingTemplate().empty()) << "the writer made no recording";
    EXPECT_TRUE(CopyFileW(RecordingTemplate().c_str(), path.c_str(), FALSE));
    return path;
}

std::wstring ListsFixture::AddPlainFile(const std::wstring& name, size_t bytes) {
    const std::wstring path = folder.File(name);
    EXPECT_TRUE(WriteFileBytes(path, std::string(bytes, 'x')));
    return path;
}

std::string ListsFixture::ListBytes(const std::vector<std::wstring>& names) {
    std::string bytes;
    for (const std::wstring& name : names) bytes += WideToChs(name) + "\r\n";
    return bytes;
}

void ListsFixture::WriteList(const wchar_t* file, const std::vector<std::wstring>& lines) {
    ASSERT_TRUE(WriteFileBytes(folder.File(file), ListBytes(lines)));
}

std::vector<std::wstring> ListsFixture::RowNames(CListUI* list) const {
    std::vector<std::wstring> names;
    for (int i = 0; i < list->GetCount(); ++i) names.push_back(list->GetItemAt(i)->GetName().Str());
    return names;
}

std::vector<int> ListsFixture::SelectedRows(CListUI* list) const {
    std::vector<int> rows;
    for (int i = list->GetNextSelItem(-1); i != -1; i = list->GetNextSelItem(i)) rows.push_back(i);
    return rows;
}

std::wstring ListsFixture::Cell(CListUI* list, int row, int column) const {
    auto* element = static_cast<CListTextElementUI*>(list->GetItemAt(row));
    return element ? element->GetText(column) : L"<no row>";
}

// As the main window switches its tabs.
void ListsFixture::ShowPictures(bool show) {
    window->Find<COptionUI>(show ? L"opt_pic_info" : L"opt_video_info")->Selected(true);
    videos()->SetVisible(!show);
    pictures()->SetVisible(show);
    window->Pm().UpdateLayout();
}
