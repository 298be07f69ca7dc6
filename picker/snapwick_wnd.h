// CSnapwickWnd: the area picker's one window ("Snapwick.xml"). It covers the
// whole desktop with a frozen image of it, dims everything but the selection,
// follows the window under the cursor until the left button goes down, then
// draws a rubber band; on release it sends the selection to the recorder and
// ends the program, on the right button or Alt+Esc it sends a cancel. The object
// deletes itself with its window. UI thread only.
#pragma once

#include <vector>

#include "common/monitor_list.h"
#include "picker/snapwick_geometry.h"
#include "ui/duilib.h"

class CCanvasContainerUI;
class CMagnifierUI;

constexpr wchar_t kSnapwickWindowClass[] = L"UISnapwickFrame";
constexpr DWORD kDesktopMaskColor = 0x88000000;

class CSnapwickWnd : public DuiLib::WindowImplBase {
public:
    // Lists the monitors; the desktop rectangle is their union.
    CSnapwickWnd();

    const RECT& DesktopRect() const { return m_desktop; }
    const SelInsets& Insets() const { return m_insets; }
    // The selection as the reply would carry it.
    RECT ReplyArea() const { return ReplyRect(m_insets, m_desktop); }
    bool IsMagnifierBelow() const { return m_magnifierBelow; }
    const RECT& MagnifierRect() const { return m_magnifierRect; }

protected:
    LPCTSTR GetWindowClassName() const override { return kSnapwickWindowClass; }
    DuiLib::CDuiString GetSkinFile() override { return L"Snapwick.xml"; }
    UINT GetClassStyle() const override { return CS_SAVEBITS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW; }
    DuiLib::CControlUI* CreateControl(LPCTSTR pstrClass) override;
    void InitWindow() override;
    void Notify(DuiLib::TNotifyUI&) override {}
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    void OnFinalMessage(HWND hWnd) override;

private:
    SIZE DesktopSize() const;
    void CaptureDesktop();
    void CreateMask();
    void CreateSizeLabelImage();
    void OnButtonDown(POINT pt);
    void OnDrag(POINT pt);
    void OnHover();
    void FollowCursor();
    void UpdateMaskHole(const SelInsets& insets);
    void PlaceMagnifier(POINT p);
    void UpdateSizeLabel();
    // Sends the selection (or a cancel) and ends the program.
    void Finish(bool picked);

    DuiLib::CControlUI* m_pMask = nullptr;  // controls of the layout
    DuiLib::CControlUI* m_pImage = nullptr;
    DuiLib::CControlUI* m_pMaskBorder = nullptr;
    CMagnifierUI* m_pMagnifier = nullptr;
    DuiLib::CLabelUI* m_pSizeLabel = nullptr;
    DuiLib::CLabelUI* m_pLensLabel = nullptr;
    CCanvasContainerUI* m_pCanvasContainer = nullptr;
    DuiLib::CControlUI* m_pCrossLine = nullptr;
    bool m_magnifierBelow = true;
    bool m_finished = false;        // the reply went out
    RECT m_desktop = {0, 0, 0, 0};  // screen pixels, the union of the monitors
    SelInsets m_insets;
    POINT m_dragStart = {0, 0};  // client pixels
    RECT m_magnifierRect = {0, 0, 0, 0};
    std::vector<MonitorInfo> m_monitors;
};
