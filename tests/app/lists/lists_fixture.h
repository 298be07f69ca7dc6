// The main window's layout from the real skin with a CFileLists over it, an output
// folder of its own that is also the current folder (where the list files live),
// and real short recordings to list.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/lists/file_lists.h"
#include "tests/engine/writer_harness.h"
#include "tests/support/test_support.h"
#include "tests/ui/ui_test_support.h"

class ListsFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A real MP4 of 2.5 s in the output folder under that name (copied from one
    // recording made once per program).
    std::wstring AddRecordingFile(const std::wstring& name);
    // A file of that many bytes in the output folder.
    std::wstring AddPlainFile(const std::wstring& name, size_t bytes);
    // The list file's bytes as the names it should hold, "chs" code page, CR LF.
    static std::string ListBytes(const std::vector<std::wstring>& names);
    void WriteList(const wchar_t* file, const std::vector<std::wstring>& lines);

    std::vector<std::wstring> RowNames(DuiLib::CListUI* list) const;
    std::vector<int> SelectedRows(DuiLib::CListUI* list) const;
    std::wstring Cell(DuiLib::CListUI* list, int row, int column) const;
    void ShowPictures(bool pictures);

    DuiLib::CListUI* videos() { return window->Find<DuiLib::CListUI>(L"listview"); }
    DuiLib::CListUI* pictures() { return window->Find<DuiLib::CListUI>(L"listview_s"); }
    DuiLib::CRichEditUI* box() { return window->Find<DuiLib::CRichEditUI>(L"rename_edit"); }

    testing_support::TempDir folder;
    std::unique_ptr<TestSettings> settings;
    std::unique_ptr<ui_test::TestWindow> window;
    std::unique_ptr<CFileLists> lists;
};
