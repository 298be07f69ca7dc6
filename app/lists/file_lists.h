// The lists of finished recordings ("listview", backed by "videolist.txt") and of
// screenshots ("listview_s", backed by "capture_pic_list.txt") in the main window:
// the records behind the rows, loading, adding, deleting, renaming in place and
// opening files and the output folder.
//
// The main window owns one CFileLists and hands it its paint manager, whose layout
// is built by then: the lists, the tab options and the rename box
// (main_lists_names.h) are found there once (one the layout lacks is skipped).
// The list in use is the screenshots' while their tab option is selected, else the
// recordings'.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/layouts/main_lists_names.h"
#include "ui/duilib.h"

struct VideoRow {
    std::wstring name;      // the file name, also the row's control name
    std::wstring path;      // where the file is
    std::wstring duration;  // "hh:mm:ss"
    std::wstring size;      // "45.6MB"
};

struct PicRow {
    std::wstring name;
    std::wstring path;
    std::wstring size;
};

class CFileLists {
public:
    static constexpr int kRowHeight = 46;

    // pm: the main window's; mainWnd gets WM_LIST_RENAME; outputFolder gives the
    // settings' output folder (asked at each use, so a changed setting counts).
    CFileLists(DuiLib::CPaintManagerUI* pm, HWND mainWnd, std::function<std::wstring()> outputFolder);

    // Start-up: each list rebuilt from its file, in name order. Lines naming files
    // that are gone (or recordings FFmpeg cannot read) are left out.
    void LoadVideoList();
    void LoadPicList();
    // A finished recording (its list line is the file writer's): a row at the top,
    // selected. Nothing when the file cannot be read as media.
    void AddRecordingToList(const std::wstring& path);
    // A new screenshot: a row at the top, selected, and a line in its list file.
    void AddScreenshot(const std::wstring& path);
    // The selected rows of the list in use leave it and its file; with deleteFiles
    // ("从磁盘删除") their files leave the disk too.
    void DeleteSelected(bool deleteFiles);

    // Rename in place: the box over the selected row; Enter, leaving the box or a
    // click on any row commits, a scroll cancels.
    void StartRename();
    void CommitRename();
    void CancelRename();
    // WM_LIST_RENAME: the box takes the focus with its text selected.
    void FocusRenameBox();

    // The selected file of the list in use, with its default program.
    void OpenSelected();
    void OpenOutputFolder();
    // A file of the list in use by its row name (the main window's double click).
    void OpenListFile(const std::wstring& name);

    DuiLib::CListUI* ListInUse() const;
    bool PicturesInUse() const;
    const std::map<std::wstring, VideoRow>& Videos() const { return m_mapVideo; }
    const std::map<std::wstring, PicRow>& Pictures() const { return m_mapPic; }

private:
    struct PendingRename {
        bool active = false;
        bool pictures = false;  // the list it started in
        std::wstring name;      // the row's name when it started
    };

    DuiLib::CListUI* FindList(bool pictures) const;
    struct Cell {
        int column;
        const std::wstring* text;
    };
    DuiLib::CListTextElementUI* InsertRow(DuiLib::CListUI* list, const std::wstring& name,
                                          const std::vector<Cell>& cells, int at);
    DuiLib::CListTextElementUI* AddVideoRow(DuiLib::CListUI* list, const VideoRow& record, int at);
    DuiLib::CListTextElementUI* AddPicRow(DuiLib::CListUI* list, const PicRow& record, int at);
    void PutAtTop(DuiLib::CListUI* list, DuiLib::CListTextElementUI* row);
    void RemoveRowNamed(DuiLib::CListUI* list, const std::wstring& name);
    std::wstring PathOf(bool pictures, const std::wstring& name) const;
    void DeleteRecord(bool pictures, const std::wstring& name, bool deleteFile);
    void DeleteAll(bool pictures, bool deleteFiles);
    void SaveListFile(bool pictures) const;
    bool RenameRecord(bool pictures, const std::wstring& from, const std::wstring& to);
    void EndRenameBox();
    bool OnRowNotify(DuiLib::TNotifyUI* msg);
    bool OnRenameBoxNotify(DuiLib::TNotifyUI* msg);

    DuiLib::CPaintManagerUI* m_pm;
    HWND m_mainWnd;
    std::function<std::wstring()> m_outputFolder;
    std::map<std::wstring, VideoRow> m_mapVideo;
    std::map<std::wstring, PicRow> m_mapPic;
    PendingRename m_rename;
    // Controls of the list area, found once; null when the layout lacks them.
    DuiLib::COptionUI* m_pOptVideoInfo = nullptr;
    DuiLib::COptionUI* m_pOptPicInfo = nullptr;
    DuiLib::CListUI* m_pListVideo = nullptr;
    DuiLib::CListUI* m_pListPic = nullptr;
    DuiLib::CRichEditUI* m_pRenameEdit = nullptr;  // its events reach OnRenameBoxNotify
};
