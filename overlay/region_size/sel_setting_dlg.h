// SelSettingDlg: the modal region size dialog ("sel_setting.xml"). It opens with
// the size of g_rcSnapwick, keeps width and height in the chosen ratio while the
// user types, and hands back the ratio and the size; it never writes the region.
// UI thread only.
//
//   SelSettingDlg dlg;
//   dlg.SetAspect(mode);
//   dlg.Create(owner, L"SelSettingDialog", kSelSettingStyle, kSelSettingExStyle);
//   if (dlg.ShowDialog(owner, IsWindowVisible(owner)) == 1) { dlg.GetAspect(); dlg.GetSize(); }
#pragma once

#include "overlay/layouts/sel_setting_names.h"

#include "ui/duilib.h"

constexpr DWORD kSelSettingStyle = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER | WS_SYSMENU;
constexpr DWORD kSelSettingExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;

class SelSettingDlg : public DuiLib::WindowImplBase {
public:
    SelSettingDlg() = default;

    void SetAspect(int mode) { m_aspect = mode; }
    // The mode the owner gave, or after OK the mode chosen.
    int GetAspect() const { return m_aspect; }
    // After OK: the sizes taken (a side below 150 is the region's own).
    SIZE GetSize() const { return {m_resultWidth, m_resultHeight}; }
    // Parks the window, centres it on owner when asked, brings it to the top and
    // runs it modally: 1 after OK, 0 after closing or cancelling.
    UINT ShowDialog(HWND owner, bool center);

    // The mode of the option selected now.
    int WorkingAspect() const { return m_workingAspect; }

protected:
    LPCTSTR GetWindowClassName() const override { return L"SelSettingWnd"; }
    DuiLib::CDuiString GetSkinFile() override { return sel_setting_names::kLayout; }
    UINT GetClassStyle() const override { return CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_SAVEBITS; }
    void InitWindow() override;
    void Notify(DuiLib::TNotifyUI& msg) override;
    void OnClick(DuiLib::TNotifyUI& msg) override;
    void OnSelectChanged(DuiLib::TNotifyUI& msg) override;

private:
    void OnTextChanged(const DuiLib::TNotifyUI& msg);
    int WidthText() const;
    int HeightText() const;
    void SetNumber(DuiLib::CEditUI* edit, int value);
    void Confirm();

    HWND m_owner = nullptr;
    DuiLib::CEditUI* m_pWidth = nullptr;  // owned by the layout
    DuiLib::CEditUI* m_pHeight = nullptr;
    DuiLib::COptionUI* m_pNoScale = nullptr;
    DuiLib::COptionUI* m_pFourThree = nullptr;
    DuiLib::COptionUI* m_pSixteenNine = nullptr;
    int m_aspect = 0;         // AspectMode given by the owner; the chosen one after OK
    int m_workingAspect = 0;  // AspectMode of the option selected now
    int m_resultWidth = 0;
    int m_resultHeight = 0;
};
