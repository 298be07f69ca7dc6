#include "app/lists/file_lists.h"

#include <shellapi.h>

#include "app/lists/list_file.h"
#include "app/lists/list_paths.h"
#include "app/lists/media_duration.h"
#include "common/file_paths.h"
#include "common/logger.h"
#include "common/text_convert.h"
#include "common/time_size_text.h"

using namespace DuiLib;

namespace {

// Opened by bare name: start-up makes the program's folder the current one, and
// the file writer appends to "videolist.txt" there.
const wchar_t* const kVideoListFile = L"videolist.txt";
const wchar_t* const kPicListFile = L"capture_pic_list.txt";

const wchar_t* ListFileOf(bool pictures) { return pictures ? kPicListFile : kVideoListFile; }

std::wstring SizeTextOf(const std::wstring& path) {
    uint64_t bytes = 0;
    GetFileSize64(path, bytes);
    return FormatFileSize(bytes, 1);
}

template <class Map>
std::vector<std::wstring> KeysOf(const Map& map) {
    std::vector<std::wstring> keys;
    for (const auto& entry : map) keys.push_back(entry.first);
    return keys;
}

}  // namespace

CFileLists::CFileLists(CPaintManagerUI* pm, HWND mainWnd, std::function<std::wstring()> outputFolder)
    : m_pm(pm), m_mainWnd(mainWnd), m_outputFolder(std::move(outputFolder)) {
    using namespace main_lists_names;
    m_pOptVideoInfo = FindNamed<COptionUI>(*m_pm, kOptVideoInfo);
    m_pOptPicInfo = FindNamed<COptionUI>(*m_pm, kOptPicInfo);
    m_pListVideo = FindNamed<CListUI>(*m_pm, kListview);
    m_pListPic = FindNamed<CListUI>(*m_pm, kListviewS);
    m_pRenameEdit = FindNamed<CRichEditUI>(*m_pm, kRenameEdit);
    if (m_pRenameEdit) m_pRenameEdit->OnNotify += MakeDelegate(this, &CFileLists::OnRenameBoxNotify);
}

CListUI* CFileLists::FindList(bool pictures) const { return pictures ? m_pListPic : m_pListVideo; }

bool CFileLists::PicturesInUse() const { return m_pOptPicInfo && m_pOptPicInfo->IsSelected(); }

CListUI* CFileLists::ListInUse() const { return FindList(PicturesInUse()); }

// A row named by its file, with these column texts, at index at (-1: the end).
CListTextElementUI* CFileLists::InsertRow(CListUI* list, const std::wstring& name, const std::vector<Cell>& cells,
                                          int at) {
    auto* row = new CListTextElementUI;
    row->SetName(name.c_str());
    row->SetFixedHeight(kRowHeight);
    row->OnNotify += MakeDelegate(this, &CFileLists::OnRowNotify);
    at < 0 ? list->Add(row) : list->AddAt(row, at);
    for (const Cell& cell : cells) row->SetText(cell.column, cell.text->c_str());
    return row;
}

// Recordings: name, duration and size in columns 1, 3 and 5.
CListTextElementUI* CFileLists::AddVideoRow(CListUI* list, const VideoRow& record, int at) {
    return InsertRow(list, record.name, {{1, &record.name}, {3, &record.duration}, {5, &record.size}}, at);
}

// Screenshots: name and size in columns 1 and 3.
CListTextElementUI* CFileLists::AddPicRow(CListUI* list, const PicRow& record, int at) {
    return InsertRow(list, record.name, {{1, &record.name}, {3, &record.size}}, at);
}

// The new row becomes the only selected one, also in the list of the other tab
// (a hidden list refuses SelectItem for its rows).
void CFileLists::PutAtTop(CListUI* list, CListTextElementUI* row) {
    list->UnSelectAllItems();
    list->SelectMultiItem(list->GetItemIndex(row));
    list->EnsureVisible(0);
}

// A name listed again (a file written anew under a listed name) keeps one row.
void CFileLists::RemoveRowNamed(CListUI* list, const std::wstring& name) {
    for (int i = list->GetCount() - 1; i >= 0; --i)
        if (list->GetItemAt(i)->GetName().Str() == name) list->RemoveAt(i);
}

void CFileLists::LoadVideoList() {
    m_mapVideo.clear();
    CListUI* list = FindList(false);
    if (list) list->RemoveAll();
    const std::wstring folder = m_outputFolder();
    for (const std::wstring& line : ReadListFile(kVideoListFile)) {
        const std::wstring path = JoinPath(folder, line);
        std::wstring duration = ReadMediaDuration(path);
        if (duration.empty()) continue;
        m_mapVideo[line] = VideoRow{line, path, duration, SizeTextOf(path)};
    }
    if (!list) return;
    for (const auto& entry : m_mapVideo) AddVideoRow(list, entry.second, -1);
}

void CFileLists::LoadPicList() {
    m_mapPic.clear();
    CListUI* list = FindList(true);
    if (list) list->RemoveAll();
    const std::wstring folder = m_outputFolder();
    for (const std::wstring& line : ReadListFile(kPicListFile)) {
        const std::wstring path = JoinPath(folder, line);
        if (!FileExists(path)) continue;
        m_mapPic[line] = PicRow{line, path, SizeTextOf(path)};
    }
    if (!list) return;
    for (const auto& entry : m_mapPic) AddPicRow(list, entry.second, -1);
}

void CFileLists::AddRecordingToList(const std::wstring& path) {
    const std::wstring fullPath = JoinPath(m_outputFolder(), path);
    const std::wstring name = FileNameOf(fullPath);
    std::wstring duration = ReadMediaDuration(fullPath);
    if (duration.empty()) {
        LogBoth("CFileLists::AddRecordingToList", "[path]%s not readable as media error", WideToUtf8(fullPath).c_str());
        return;
    }
    const VideoRow record{name, fullPath, duration, SizeTextOf(fullPath)};
    m_mapVideo[name] = record;
    CListUI* list = FindList(false);
    if (!list) return;
    RemoveRowNamed(list, name);
    PutAtTop(list, AddVideoRow(list, record, 0));
}

void CFileLists::AddScreenshot(const std::wstring& path) {
    const std::wstring name = FileNameOf(path);
    const PicRow record{name, path, SizeTextOf(path)};
    m_mapPic[name] = record;
    if (CListUI* list = FindList(true)) {
        RemoveRowNamed(list, name);
        PutAtTop(list, AddPicRow(list, record, 0));
    }
    AppendListFile(kPicListFile, name);
}

// Where the listed file is: the path it was found at, so that a changed output
// folder never makes an operation hit another file of the same name.
std::wstring CFileLists::PathOf(bool pictures, const std::wstring& name) const {
    if (pictures) {
        auto it = m_mapPic.find(name);
        if (it != m_mapPic.end()) return it->second.path;
    } else {
        auto it = m_mapVideo.find(name);
        if (it != m_mapVideo.end()) return it->second.path;
    }
    return JoinPath(m_outputFolder(), name);
}

void CFileLists::DeleteRecord(bool pictures, const std::wstring& name, bool deleteFile) {
    if (deleteFile && !DeleteFileW(PathOf(pictures, name).c_str()))
        LogBoth("CFileLists::DeleteSelected", "[name]%s [error]%lu DeleteFileW error", WideToUtf8(name).c_str(),
                GetLastError());
    if (pictures)
        m_mapPic.erase(name);
    else
        m_mapVideo.erase(name);
}

void CFileLists::DeleteAll(bool pictures, bool deleteFiles) {
    std::vector<std::wstring> names = pictures ? KeysOf(m_mapPic) : KeysOf(m_mapVideo);
    for (const std::wstring& name : names) DeleteRecord(pictures, name, deleteFiles);
    DeleteFileW(ListFileOf(pictures));
}

void CFileLists::DeleteSelected(bool deleteFiles) {
    const bool pictures = PicturesInUse();
    CListUI* list = FindList(pictures);
    if (!list) return;
    if (list->GetSelectItemCount() == list->GetCount()) {
        DeleteAll(pictures, deleteFiles);
        list->RemoveAll();
        return;
    }
    std::vector<CControlUI*> rows;
    for (int i = list->GetNextSelItem(-1); i != -1; i = list->GetNextSelItem(i)) {
        CControlUI* row = list->GetItemAt(i);
        DeleteRecord(pictures, row->GetName().Str(), deleteFiles);
        rows.push_back(row);
    }
    if (rows.empty()) return;
    list->UnSelectAllItems();
    for (CControlUI* row : rows) list->Remove(row);
    SaveListFile(pictures);
}

void CFileLists::SaveListFile(bool pictures) const {
    RewriteListFile(ListFileOf(pictures), pictures ? KeysOf(m_mapPic) : KeysOf(m_mapVideo));
}

void CFileLists::OpenSelected() {
    if (!m_pOptVideoInfo || !m_pOptPicInfo) return;
    CListUI* list = ListInUse();
    CControlUI* row = list ? list->GetItemAt(list->GetCurSel()) : nullptr;
    if (row) OpenListFile(row->GetName().Str());
}

void CFileLists::OpenListFile(const std::wstring& name) {
    const std::wstring path = PathOf(PicturesInUse(), name);
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.lpFile = path.c_str();
    info.lpParameters = L"";
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&info))
        LogBoth("CFileLists::OpenSelected", "[path]%s [error]%lu ShellExecuteExW error", WideToUtf8(path).c_str(),
                GetLastError());
}

void CFileLists::OpenOutputFolder() {
    const std::wstring folder = m_outputFolder();
    auto result =
        reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32)
        LogBoth("CFileLists::OpenOutputFolder", "[folder]%s [result]%d ShellExecuteW error", WideToUtf8(folder).c_str(),
                static_cast<int>(result));
}
