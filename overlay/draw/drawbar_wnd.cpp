#include "overlay/draw/drawbar_wnd.h"

#include <commdlg.h>

#include <iterator>

#include "common/record_globals.h"
#include "overlay/draw/draw_board_wnd.h"
#include "overlay/draw/draw_geometry.h"
#include "overlay/draw/draw_messages.h"

using namespace DuiLib;
namespace names = draw_toolbar_names;

namespace {

constexpr UINT kOpacityPeriodMs = 500;
constexpr int kPopupWidth = 32;
constexpr int kBarSizePopupHeight = 128;
constexpr int kPopupOffsetX = 20;
constexpr DWORD kPopupStyle = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER | WS_SYSMENU;
constexpr DWORD kPopupExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;

HWND g_colorDialog = nullptr;  // the open colour dialog, process-wide

COLORREF ToColorRef(DWORD argb) { return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF); }
DWORD FromColorRef(COLORREF c) {
    return 0xFF000000 | (static_cast<DWORD>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

// The dialog beside the colour button: its right edge on the button's left,
// centred on it; on the button's right when that would leave the screen.
void PlaceColorDialog(HWND dialog, const CHOOSECOLORW* cc) {
    auto* button = reinterpret_cast<CControlUI*>(cc->lCustData);
    if (!button) return;
    RECT rc = button->GetPos(), dlg = {};
    POINT tl = {rc.left, rc.top}, br = {rc.right, rc.bottom};
    ClientToScreen(cc->hwndOwner, &tl);
    ClientToScreen(cc->hwndOwner, &br);
    GetWindowRect(dialog, &dlg);
    const int w = dlg.right - dlg.left, h = dlg.bottom - dlg.top;
    int x = tl.x - w;
    if (x < 0) x = br.x;
    const int y = (tl.y + br.y) / 2 - h / 2;
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

UINT_PTR CALLBACK ColorDialogHook(HWND dialog, UINT msg, WPARAM, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        g_colorDialog = dialog;
        PlaceColorDialog(dialog, reinterpret_cast<const CHOOSECOLORW*>(lParam));
    } else if (msg == WM_DESTROY) {
        g_colorDialog = nullptr;
    }
    return 0;
}

bool ChooseSystemColor(HWND owner, HWND, COLORREF initial, COLORREF* chosen, CControlUI* button) {
    static COLORREF custom[16] = {};
    CHOOSECOLORW cc = {};
    cc.lStructSize = sizeof(CHOOSECOLORW);
    cc.hwndOwner = owner;
    cc.rgbResult = initial;
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT | CC_ENABLEHOOK;
    cc.lCustData = reinterpret_cast<LPARAM>(button);
    cc.lpfnHook = ColorDialogHook;
    const bool ok = ChooseColorW(&cc) != FALSE;
    g_colorDialog = nullptr;
    if (ok) *chosen = cc.rgbResult;
    return ok;
}

std::wstring ImageCell(const wchar_t* file, int row) {
    return std::wstring(L"file='") + file + L"' source='0," + std::to_wstring(row * 20) + L",20," +
           std::to_wstring(row * 20 + 20) + L"'";
}

template <class Popup>
void OpenPopup(std::unique_ptr<Popup>& slot, CDrawbarWnd* bar, HWND owner, POINT at, int height,
               const wchar_t* caption) {
    slot.reset();  // the old pop-up and its window go
    slot = std::make_unique<Popup>(bar);
    if (!slot->Create(owner, caption, kPopupStyle, kPopupExStyle, at.x, at.y, kPopupWidth, height)) {
        slot.reset();
        return;
    }
    slot->SetNotifyWindow(owner);
}

}  // namespace

const CDrawbarWnd::ClickEntry CDrawbarWnd::kClicks[] = {
    {&names::kBtnZhizhen, &CDrawbarWnd::OnPointer},     {&names::kBtnHuabi, &CDrawbarWnd::OnPen},
    {&names::kBtnBaiban, &CDrawbarWnd::OnWhiteBoard},   {&names::kBtnLine, &CDrawbarWnd::OnShape},
    {&names::kBtnArrow, &CDrawbarWnd::OnShape},         {&names::kBtnRectangle, &CDrawbarWnd::OnShape},
    {&names::kBtnEllipse, &CDrawbarWnd::OnShape},       {&names::kBtnFont, &CDrawbarWnd::OnText},
    {&names::kBtnThickness, &CDrawbarWnd::OnThickness}, {&names::kBtnFontsize, &CDrawbarWnd::OnFontSize},
    {&names::kBtnColor, &CDrawbarWnd::OnColor},         {&names::kBtnUndo, &CDrawbarWnd::OnUndo},
    {&names::kBtnClose, &CDrawbarWnd::OnClose},
};

CDrawbarWnd::CDrawbarWnd(CDrawBoardWnd* board, HWND notify) : m_hNotify(notify), m_pBoard(board) {
    m_colorPicker = [this](HWND owner, HWND button, COLORREF initial, COLORREF* chosen) {
        return ChooseSystemColor(owner, button, initial, chosen, m_pColor);
    };
}

CDrawbarWnd::~CDrawbarWnd() = default;

HWND CDrawbarWnd::ColorDialog() { return g_colorDialog; }

POINT CDrawbarWnd::GetWorkAreaSize() {
    MONITORINFO mi = {sizeof(mi)};
    GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &mi);
    return POINT{mi.rcWork.right, mi.rcWork.bottom};
}

void CDrawbarWnd::InitWindow() {
    m_pClose = FindNamed<CButtonUI>(m_PaintManager, names::kBtnClose);
    m_pThickness = FindNamed<CButtonUI>(m_PaintManager, names::kBtnThickness);
    m_pFontSize = FindNamed<CButtonUI>(m_PaintManager, names::kBtnFontsize);
    m_pColor = FindNamed<CButtonUI>(m_PaintManager, names::kBtnColor);
    m_pWhiteBoard = FindNamed<COptionUI>(m_PaintManager, names::kBtnBaiban);
    ::SetTimer(m_hWnd, kOpacityTimer, kOpacityPeriodMs, nullptr);
    m_workArea = GetWorkAreaSize();
    const POINT at = DrawbarPosition(g_rcSnapwick, m_workArea.x);
    m_nX = m_nXCopy = at.x;
    m_nY = at.y;
    MoveWindow(m_hWnd, m_nX, m_nY, m_nWidth, m_nHeight, TRUE);
}

void CDrawbarWnd::OnClick(TNotifyUI& msg) {
    const CDuiString name = msg.pSender->GetName();
    for (const ClickEntry& entry : kClicks) {
        if (name != entry.button->name) continue;
        (this->*entry.handler)(msg);
        return;
    }
}

void CDrawbarWnd::PostTool(int tool, bool on) {
    ::PostMessageW(m_hNotify, draw_messages::kBoardOp, static_cast<WPARAM>(tool), on ? 1 : 0);
}

void CDrawbarWnd::OnPointer(TNotifyUI&) {
    PostTool(kToolPointer);
    SetBoardClickThrough(true);
}

void CDrawbarWnd::OnPen(TNotifyUI&) {
    SetBoardClickThrough(false);
    PostTool(kToolPen);
    WidthButtonBack();
}

void CDrawbarWnd::OnShape(TNotifyUI& msg) {
    const CDuiString name = msg.pSender->GetName();
    const int tool = name == names::kBtnLine.name        ? kToolLine
                     : name == names::kBtnArrow.name     ? kToolArrow
                     : name == names::kBtnRectangle.name ? kToolRectangle
                                                         : kToolEllipse;
    SetBoardClickThrough(false);
    PostTool(tool);
    WidthButtonBack();
}

void CDrawbarWnd::OnText(TNotifyUI&) {
    SetBoardClickThrough(false);
    PostTool(kToolText);
    if (m_pThickness) m_pThickness->SetVisible(false);
    if (m_pFontSize) m_pFontSize->SetVisible(true);
}

// The click comes before the option toggles: the board gets the state after it.
void CDrawbarWnd::OnWhiteBoard(TNotifyUI& msg) {
    auto* option = static_cast<COptionUI*>(msg.pSender->GetInterface(kOptionInterface));
    const bool on = option ? !option->IsSelected() : false;
    PostTool(kToolWhiteBoard, on);
}

POINT CDrawbarWnd::PopupPoint(CControlUI* button, int height) const {
    const RECT rc = button->GetPos();
    POINT at = {rc.left + kPopupOffsetX, rc.bottom};
    ClientToScreen(m_hWnd, &at);
    MONITORINFO mi = {sizeof(mi)};
    GetMonitorInfoW(MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &mi);
    return DrawPopupPosition(at, height, mi.rcWork);
}

void CDrawbarWnd::OnThickness(TNotifyUI& msg) {
    PostTool(kToolPointer);
    OpenPopup(m_pBarSize, this, m_hWnd, PopupPoint(msg.pSender, DrawBarSize::kHeight), kBarSizePopupHeight,
              L"DrawBarSizeDialog");
}

void CDrawbarWnd::OnFontSize(TNotifyUI& msg) {
    PostTool(kToolPointer);
    OpenPopup(m_pTextSize, this, m_hWnd, PopupPoint(msg.pSender, DrawTextSize::kHeight), DrawTextSize::kHeight,
              L"DrawTextSizeDialog");
}

void CDrawbarWnd::OnColor(TNotifyUI&) {
    PostTool(kToolPointer);
    COLORREF chosen = 0;
    if (!m_colorPicker || !m_colorPicker(m_hWnd, m_hWnd, ToColorRef(m_dwColor), &chosen)) return;
    SetColor(FromColorRef(chosen));
}

void CDrawbarWnd::OnUndo(TNotifyUI&) {
    if (m_pBoard) m_pBoard->Undo();
}

void CDrawbarWnd::OnClose(TNotifyUI&) { CloseBoard(); }

void CDrawbarWnd::CloseBoard() {
    Close(1);
    ::PostMessageW(m_hNotify, draw_messages::kBoardShow, 0, 0);
}

void CDrawbarWnd::WidthButtonBack() {
    if (!m_pThickness || !m_pFontSize || !m_pFontSize->IsVisible()) return;
    m_pFontSize->SetVisible(false);
    m_pThickness->SetVisible(true);
}

void CDrawbarWnd::SetBoardClickThrough(bool through) {
    HWND board = FindWindowW(CDrawBoardWnd::kClassName, CDrawBoardWnd::kCaption);
    if (!IsWindow(board)) return;
    const LONG_PTR ex = GetWindowLongPtrW(board, GWL_EXSTYLE);
    const LONG_PTR want = through ? (ex | WS_EX_TRANSPARENT) : (ex & ~static_cast<LONG_PTR>(WS_EX_TRANSPARENT));
    if (want != ex) SetWindowLongPtrW(board, GWL_EXSTYLE, want);
}

void CDrawbarWnd::SetPenWidth(int width) {
    if (m_pBoard) m_pBoard->SetPenWidth(width);
    if (!m_pThickness) return;
    const wchar_t* file = width == 5    ? L"common/thickness_s.png"
                          : width == 15 ? L"common/thickness_b.png"
                                        : L"common/thickness.png";
    m_pThickness->SetNormalImage(ImageCell(file, 0).c_str());
    m_pThickness->SetHotImage(ImageCell(file, 1).c_str());
    m_pThickness->SetPushedImage(ImageCell(file, 2).c_str());
}

void CDrawbarWnd::SetTextSize(int size) {
    if (m_pBoard) m_pBoard->SetTextSize(size);
    if (m_pFontSize) m_pFontSize->SetText(std::to_wstring(size).c_str());
}

void CDrawbarWnd::SetColor(DWORD argb) {
    m_dwColor = argb;
    if (m_pBoard) m_pBoard->SetColor(argb);
    if (m_pColor) m_pColor->SetForeColor(argb);
}

bool CDrawbarWnd::IsCursorOutside() const {
    POINT pt = {};
    GetCursorPos(&pt);
    RECT rc = {};
    GetWindowRect(m_hWnd, &rc);
    return pt.x < rc.left || pt.x > rc.right || pt.y < rc.top || pt.y > rc.bottom;
}

bool CDrawbarWnd::IsPopupOrDialogVisible() const {
    auto visible = [](const WindowImplBase* w) { return w && w->GetHWND() && IsWindowVisible(w->GetHWND()); };
    return visible(m_pBarSize.get()) || visible(m_pTextSize.get()) || (g_colorDialog && IsWindowVisible(g_colorDialog));
}

void CDrawbarWnd::OnOpacityTimer() {
    if (IsCursorOutside()) {
        if (!IsPopupOrDialogVisible()) m_PaintManager.SetLayeredOpacity(kFadedOpacity);
        return;
    }
    if (m_PaintManager.GetLayeredOpacity() < 255) m_PaintManager.SetLayeredOpacity(255);
    HWND board = m_pBoard ? m_pBoard->GetHWND() : nullptr;
    if (board && GetForegroundWindow() == board) {
        SetForegroundWindow(GetDesktopWindow());
        ::SetFocus(m_hWnd);
    }
}

LRESULT CDrawbarWnd::HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM, bool& bHandled) {
    bHandled = false;
    if (uMsg == WM_MOUSEMOVE && !IsCursorOutside() && m_PaintManager.GetLayeredOpacity() < 255)
        m_PaintManager.SetLayeredOpacity(255);
    else if (uMsg == WM_TIMER && wParam == kOpacityTimer)
        OnOpacityTimer();
    return 0;
}

// Alt+F4 closes the toolbar and the board like the close button; it never ends
// the message loop, which runs the recording.
LRESULT CDrawbarWnd::OnSysCommand(UINT, WPARAM wParam, LPARAM, bool& bHandled) {
    bHandled = (wParam & 0xFFF0) == SC_CLOSE;
    if (bHandled) CloseBoard();
    return 0;
}

void CDrawbarWnd::OnFinalMessage(HWND hWnd) {
    WindowImplBase::OnFinalMessage(hWnd);
    m_pBarSize.reset();
    m_pTextSize.reset();
    if (m_gone) m_gone();
    delete this;
}
