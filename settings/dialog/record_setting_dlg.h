// RecordSettingDlg: the modal settings dialog ("setting.xml"): the navigation
// column that follows the page's scroll, the settings page (SettingOpt), the
// hotkey rows, the folder browser, restore and OK. UI thread only.
//
//   RecordSettingDlg dlg;
//   dlg.Create(owner, L"RecordConfigDialog", kRecordSettingStyle, kRecordSettingExStyle);
//   dlg.ShowDialog(owner, page, IsWindowVisible(owner) != FALSE);
#pragma once

#include <map>
#include <string>

#include "settings/dialog/setting_opt.h"
#include "settings/hotkeys/hotkey_label.h"
#include "settings/hotkeys/hotkey_setting.h"
#include "settings/layouts/setting_names.h"
#include "ui/duilib.h"

constexpr DWORD kRecordSettingStyle =
    WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER | WS_SYSMENU;
constexpr DWORD kRecordSettingExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
constexpr int kSettingPages = 11;      // navigation indexes 1 to 11 (9 has no entry)
constexpr int kHotkeySettingPage = 7;  // "shortcutkeys"

// Centres dialog over reference (the desktop when it is missing or hidden),
// kept inside the nearest monitor.
void CenterOverWindow(HWND reference, HWND dialog);
// Where CenterOverWindow puts a w x h dialog centred on around, inside monitor.
POINT CenteredInside(const RECT& around, const RECT& monitor, int w, int h);

class RecordSettingDlg : public DuiLib::WindowImplBase {
public:
    RecordSettingDlg() = default;

    // Parks the window, centres it (over owner when center), shows page (0 and
    // 1: the top) and runs it modally.
    UINT ShowDialog(HWND owner, int page, bool center);
    std::wstring GetOutputPath() const { return m_outputPath; }

    // Scrolls the page so that the section of index starts under the top edge.
    void SelectPage(int index);
    // The navigation index the scroll position y falls in.
    int PageAtScroll(int y) const;
    SettingOpt* Page() const { return m_pPage; }
    DuiLib::HotkeyLabel* CurrentRow() const { return m_pCurrentRow; }
    // OK: page, hotkeys, notice; true when the dialog stays open (also when two
    // hotkey rows have one key: then nothing is applied).
    bool OnOK();

    DuiLib::CControlUI* CreateControl(LPCTSTR pstrClass) override;

protected:
    LPCTSTR GetWindowClassName() const override { return L"RecordSettingWnd"; }
    DuiLib::CDuiString GetSkinFile() override { return setting_names::kLayout; }
    UINT GetClassStyle() const override { return CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_SAVEBITS; }
    void InitWindow() override;
    void Notify(DuiLib::TNotifyUI& msg) override;
    void OnClick(DuiLib::TNotifyUI& msg) override;
    LRESULT OnNcHitTest(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    LRESULT ResponseDefaultKeyEvent(WPARAM) override { return 0; }
    void CenterForModal() override;

private:
    void InitControls();
    void ComputeBoundaries();
    bool SyncNavToScroll(DuiLib::TNotifyUI* msg);
    void ChooseFolder();
    void OpenFolder();
    void RestoreAllDefaults();

    // The hotkey rows (setting_hotkey_rows.cpp).
    void InitHotkeyRows();
    void RefillHotkeyRows(const std::vector<HotkeyEntry>& entries);
    void SetRowKeys(DuiLib::HotkeyLabel* row, uint8_t modifiers, const std::wstring& key);
    void ShowRowKeys(uint8_t modifiers, const std::wstring& key);
    void SelectRow(DuiLib::HotkeyLabel* row);
    bool OnModifierNotify(DuiLib::TNotifyUI* msg);
    bool OnKeyComboNotify(DuiLib::TNotifyUI* msg);
    void RefreshRowText();
    void EnableModifiers(bool enable);
    bool ApplyHotkeys();
    bool ShowHotkeyConflictTip();
    // One key on two rows: a notice, and true (OK is refused).
    bool RefuseOneKeyOnTwoRows();
    void ShowOneKeyOnTwoRows(const std::wstring& text);

    DuiLib::CVerticalLayoutUI* m_pRoot = nullptr;  // all owned by the layout
    DuiLib::CVerticalLayoutUI* m_pOptionContainer = nullptr;
    DuiLib::CVerticalLayoutUI* m_pPageContainer = nullptr;
    SettingOpt* m_pPage = nullptr;
    DuiLib::COptionUI* m_pNavOptions[kSettingPages + 1] = {};  // by index, [0] unused
    DuiLib::CContainerUI* m_pSections[kSettingPages + 1] = {};
    DuiLib::HotkeyLabel* m_pHotkeyRows[kHotkeySlots] = {};  // by hotkey slot
    DuiLib::CCheckBoxUI* m_pChkCtrl = nullptr;
    DuiLib::CCheckBoxUI* m_pChkShift = nullptr;
    DuiLib::CCheckBoxUI* m_pChkAlt = nullptr;
    DuiLib::CComboUI* m_pComKey = nullptr;
    DuiLib::HotkeyLabel* m_pCurrentRow = nullptr;
    DuiLib::CButtonUI* m_pClose = nullptr;
    DuiLib::CButtonUI* m_pBtnOk = nullptr;
    HWND m_owner = nullptr;
    int m_boundaries[kSettingPages + 1] = {};  // [k]: where section k ends in the scroll
    int m_initialPage = 0;
    std::map<std::wstring, int> m_keyIndex;  // key text to its item in "com_key"
    std::wstring m_outputPath;
    bool m_initialPageShown = false;
    bool m_centerOverOwner = false;  // ShowDialog's centre flag
};
