// Renaming a listed file in place: the box "rename_edit" floats over the row's
// name, and the typed name replaces the part before the extension.
#include "app/lists/file_lists.h"

#include "app/lists/list_paths.h"
#include "common/file_paths.h"
#include "common/logger.h"
#include "common/text_convert.h"
#include "shell/custom_messages.h"

using namespace DuiLib;

namespace {

// Over the name column: the box's text then lines up with the row's.
constexpr int kBoxLeft = 33;
constexpr int kBoxWidth = 180;
constexpr int kBoxHeight = 32;

// "name.ext" -> "name" and "ext"; a name without a dot has no extension.
void SplitName(const std::wstring& name, std::wstring* base, std::wstring* extension) {
    size_t dot = name.rfind(L'.');
    *base = dot == std::wstring::npos ? name : name.substr(0, dot);
    *extension = dot == std::wstring::npos ? L"" : name.substr(dot + 1);
}

// The record moves to its new name, keeping its duration and size.
template <class Map>
void MoveRecord(Map& map, const std::wstring& from, const std::wstring& to, const std::wstring& newPath) {
    auto node = map.extract(from);
    if (node.empty()) return;
    node.key() = to;
    node.mapped().name = to;
    node.mapped().path = newPath;
    map.insert(std::move(node));
}

CControlUI* FindRow(CListUI* list, const std::wstring& name) {
    for (int i = 0; list && i < list->GetCount(); ++i)
        if (list->GetItemAt(i)->GetName().Str() == name) return list->GetItemAt(i);
    return nullptr;
}

}  // namespace

void CFileLists::StartRename() {
    CRichEditUI* box = m_pRenameEdit;
    CListUI* list = ListInUse();
    if (!box || !list) return;
    const int index = list->GetCurSel();
    CControlUI* row = list->GetItemAt(index);
    if (!row) return;
    list->EnsureVisible(index);
    m_pm->UpdateLayout();
    // The row is remembered by its name: a row added meanwhile (a split, a
    // screenshot) moves the indexes but not the name.
    m_rename = PendingRename{true, PicturesInUse(), row->GetName().Str()};
    std::wstring base, extension;
    SplitName(m_rename.name, &base, &extension);
    box->SetUserData(m_rename.name.c_str());
    box->SetText(base.c_str());
    const RECT rowRect = row->GetPos();
    const RECT parentRect = box->GetParent() ? box->GetParent()->GetPos() : RECT{0, 0, 0, 0};
    box->SetFixedXY(
        SIZE{rowRect.left - parentRect.left + kBoxLeft, rowRect.top - parentRect.top + (kRowHeight - kBoxHeight) / 2});
    box->SetFixedWidth(kBoxWidth);
    box->SetFixedHeight(kBoxHeight);
    box->SetVisible(true);
    ::PostMessageW(m_mainWnd, WM_LIST_RENAME, 0, 0);
}

void CFileLists::FocusRenameBox() {
    CRichEditUI* box = m_pRenameEdit;
    if (!box || !box->IsVisible()) return;
    box->SetFocus();
    box->SetSelAll();
}

void CFileLists::CommitRename() {
    CRichEditUI* box = m_pRenameEdit;
    if (!m_rename.active || !box) return;
    const PendingRename rename = m_rename;
    m_rename = PendingRename{};  // hiding the box sends killfocus: that must not commit again
    std::wstring base, extension;
    SplitName(rename.name, &base, &extension);
    std::wstring typed = box->GetText().Str();
    if (typed.empty()) typed = base;
    if (typed != base && FindRow(FindList(rename.pictures), rename.name)) {
        const std::wstring newName = extension.empty() ? typed : typed + L"." + extension;
        RenameRecord(rename.pictures, rename.name, newName);
    }
    EndRenameBox();
}

void CFileLists::CancelRename() {
    m_rename = PendingRename{};
    EndRenameBox();
}

void CFileLists::EndRenameBox() {
    CRichEditUI* box = m_pRenameEdit;
    if (!box) return;
    box->SetSelNone();
    box->SetVisible(false);
}

// The file first; the row, the record and the list file only when it moved.
bool CFileLists::RenameRecord(bool pictures, const std::wstring& from, const std::wstring& to) {
    const std::wstring oldPath = PathOf(pictures, from);
    const std::wstring newPath = JoinPath(FolderOf(oldPath), to);
    if (!IsPlainFileName(to) || !FitsListFile(to) || !MoveFileW(oldPath.c_str(), newPath.c_str())) {
        LogBoth("CFileLists::CommitRename", "[from]%s [to]%s [error]%lu error", WideToUtf8(from).c_str(),
                WideToUtf8(to).c_str(), GetLastError());
        return false;
    }
    auto* row = static_cast<CListTextElementUI*>(FindRow(FindList(pictures), from));
    if (row) {
        row->SetText(1, to.c_str());
        row->SetName(to.c_str());
    }
    if (pictures)
        MoveRecord(m_mapPic, from, to, newPath);
    else
        MoveRecord(m_mapVideo, from, to, newPath);
    SaveListFile(pictures);
    return true;
}

bool CFileLists::OnRowNotify(TNotifyUI* msg) {
    CRichEditUI* box = m_pRenameEdit;
    if (msg->sType == DUI_MSGTYPE_ITEMCLICK && box && box->IsVisible()) CommitRename();
    return true;
}

bool CFileLists::OnRenameBoxNotify(TNotifyUI* msg) {
    if (msg->sType == DUI_MSGTYPE_RETURN || msg->sType == DUI_MSGTYPE_KILLFOCUS) CommitRename();
    return true;
}
