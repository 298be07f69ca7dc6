#include "ui/core/paint_manager.h"

#include <algorithm>
#include <cstring>

#include "common/logger.h"
#include "ui/controls/control.h"
#include "ui/core/paint_manager_internal.h"
#include "ui/render/image_decoder.h"
#include "ui/render/render_engine.h"

namespace DuiLib {

std::vector<CPaintManagerUI*>& LiveManagers() {
    static thread_local std::vector<CPaintManagerUI*> managers;
    return managers;
}

CDispatchScope::CDispatchScope(CPaintManagerUI* manager) : m_manager(manager), m_alive(manager->m_alive) {
    ++m_manager->m_nDispatchDepth;
}

CDispatchScope::~CDispatchScope() {
    if (!*m_alive) return;
    if (--m_manager->m_nDispatchDepth == 0) m_manager->EndDispatch();
}

UINT LayeredPaintMessage() {
    static UINT id = RegisterWindowMessageW(L"DuiLib.LayeredPaint");
    return id;
}

namespace {

CControlUI* CALLBACK FindByPoint(CControlUI* control, LPVOID data) {
    return PtInRect(&control->GetPos(), *static_cast<POINT*>(data)) ? control : nullptr;
}

CControlUI* CALLBACK FindByName(CControlUI* control, LPVOID data) {
    return control->GetName() == static_cast<LPCTSTR>(data) ? control : nullptr;
}

}  // namespace

CPaintManagerUI::CPaintManagerUI() : m_alive(std::make_shared<bool>(true)) {}

CPaintManagerUI::~CPaintManagerUI() {
    RemoveAllTimers();
    HideToolTip();
    if (m_hwndTooltip) DestroyWindow(m_hwndTooltip);
    m_hwndTooltip = nullptr;
    for (CControlUI* control : m_delayedCleanup) delete control;
    m_delayedCleanup.clear();
    delete m_pRoot;
    m_pRoot = nullptr;
    RemoveAllImages();
    for (auto& font : m_fonts)
        if (font.second.hFont) DeleteObject(font.second.hFont);
    if (m_defaultFont.hFont) DeleteObject(m_defaultFont.hFont);
    FreeOffscreen();
    if (m_hDcPaint) ReleaseDC(m_hWndPaint, m_hDcPaint);
    auto& live = LiveManagers();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
    *m_alive = false;
}

void CPaintManagerUI::Init(HWND hWnd) {
    if (m_hWndPaint == hWnd) return;
    m_hWndPaint = hWnd;
    m_hDcPaint = GetDC(hWnd);
    EnsureGdiplus();
    auto& live = LiveManagers();
    if (std::find(live.begin(), live.end(), this) == live.end()) live.push_back(this);
    if (m_bLayered) ApplyLayeredStyle();
}

SIZE CPaintManagerUI::GetClientSize() const {
    RECT rc = {};
    if (m_hWndPaint) GetClientRect(m_hWndPaint, &rc);
    return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

void CPaintManagerUI::SetInitSize(int cx, int cy) {
    m_szInitWindowSize = {cx, cy};
    if (!m_pRoot && m_hWndPaint && cx > 0 && cy > 0)
        SetWindowPos(m_hWndPaint, nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}

void CPaintManagerUI::ApplyLayeredStyle() {
    if (!m_hWndPaint) return;
    LONG_PTR ex = GetWindowLongPtrW(m_hWndPaint, GWL_EXSTYLE);
    if (!(ex & WS_EX_LAYERED)) SetWindowLongPtrW(m_hWndPaint, GWL_EXSTYLE, ex | WS_EX_LAYERED);
}

void CPaintManagerUI::SetLayered(bool bLayered) {
    if (m_bLayered == bLayered) return;
    m_bLayered = bLayered;
    if (bLayered) ApplyLayeredStyle();
    Invalidate();
}

void CPaintManagerUI::SetLayeredOpacity(BYTE nOpacity) {
    m_nOpacity = nOpacity;
    if (!m_hWndPaint) return;
    if (m_bLayered) {
        Invalidate();
        return;
    }
    // A plain window fades with the system's constant alpha.
    LONG_PTR ex = GetWindowLongPtrW(m_hWndPaint, GWL_EXSTYLE);
    if (!(ex & WS_EX_LAYERED)) SetWindowLongPtrW(m_hWndPaint, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    SetLayeredWindowAttributes(m_hWndPaint, 0, nOpacity, LWA_ALPHA);
    m_bConstantAlpha = true;
}

void CPaintManagerUI::RequestLayeredPaint() {
    if (!m_hWndPaint || m_bLayeredPending || m_bOwnerPaintsLayered) return;
    m_bLayeredPending = true;
    PostMessageW(m_hWndPaint, LayeredPaintMessage(), 0, 0);
}

void CPaintManagerUI::Invalidate() {
    if (!m_hWndPaint) return;
    if (m_bLayered) {
        m_bLayeredAll = true;
        RequestLayeredPaint();
    } else {
        InvalidateRect(m_hWndPaint, nullptr, FALSE);
    }
}

void CPaintManagerUI::Invalidate(const RECT& rcItem) {
    if (!m_hWndPaint) return;
    if (m_bLayered) {
        AddLayeredDirty(rcItem);
        RequestLayeredPaint();
    } else {
        InvalidateRect(m_hWndPaint, &rcItem, FALSE);
    }
}

// Past a handful of rectangles their bounds are painted instead.
void CPaintManagerUI::AddLayeredDirty(const RECT& rc) {
    constexpr size_t kMaxDirty = 8;
    if (!m_bLayeredPartial) {
        m_bLayeredAll = true;
        return;
    }
    if (rc.right <= rc.left || rc.bottom <= rc.top) return;
    m_layeredDirty.push_back(rc);
    if (m_layeredDirty.size() <= kMaxDirty) return;
    RECT bounds = m_layeredDirty.front();
    for (const RECT& r : m_layeredDirty) UnionRect(&bounds, &bounds, &r);
    m_layeredDirty.assign(1, bounds);
}

bool CPaintManagerUI::EnsureOffscreen(int cx, int cy) {
    if (cx <= 0 || cy <= 0) return false;
    if (m_hbmpOffscreen && m_szOffscreen.cx == cx && m_szOffscreen.cy == cy) return true;
    FreeOffscreen();
    m_hbmpOffscreen = CreateDib32(cx, cy, &m_pOffscreenBits);
    if (!m_hbmpOffscreen) return false;
    m_hDcOffscreen = CreateCompatibleDC(m_hDcPaint);
    m_hOldOffscreen = SelectObject(m_hDcOffscreen, m_hbmpOffscreen);
    m_szOffscreen = {cx, cy};
    return true;
}

void CPaintManagerUI::FreeOffscreen() {
    if (m_hDcOffscreen) {
        SelectObject(m_hDcOffscreen, m_hOldOffscreen);
        DeleteDC(m_hDcOffscreen);
    }
    if (m_hbmpOffscreen) DeleteObject(m_hbmpOffscreen);
    m_hDcOffscreen = nullptr;
    m_hbmpOffscreen = nullptr;
    m_pOffscreenBits = nullptr;
    m_szOffscreen = {0, 0};
}

void CPaintManagerUI::LayoutRoot() {
    m_bUpdateNeeded = false;
    if (!m_pRoot || !m_hWndPaint) return;
    RECT rc = {};
    GetClientRect(m_hWndPaint, &rc);
    if (IsIconic(m_hWndPaint) || rc.right <= rc.left || rc.bottom <= rc.top) return;
    m_pRoot->SetPos(rc, false);
    if (m_bFirstLayout) {
        m_bFirstLayout = false;
        SendNotify(m_pRoot, DUI_MSGTYPE_WINDOWINIT);
    }
}

void CPaintManagerUI::UpdateLayout() {
    if (m_bUpdateNeeded || (m_pRoot && m_pRoot->IsUpdateNeeded())) LayoutRoot();
}

void CPaintManagerUI::PaintTree(HDC hDC, const RECT& rcPaint) {
    if (!m_pRoot) return;
    int saved = SaveDC(hDC);
    IntersectClipRect(hDC, rcPaint.left, rcPaint.top, rcPaint.right, rcPaint.bottom);
    m_pRoot->DoPaint(hDC, rcPaint);
    RestoreDC(hDC, saved);
}

void CPaintManagerUI::OnPaint() {
    UpdateLayout();
    if (m_bLayered) {
        RECT update = {};
        if (GetUpdateRect(m_hWndPaint, &update, FALSE)) AddLayeredDirty(update);
        ValidateRect(m_hWndPaint, nullptr);
        PaintLayered();
        return;
    }
    ++m_nPaintSerial;
    PAINTSTRUCT ps = {};
    HDC dc = BeginPaint(m_hWndPaint, &ps);
    SIZE size = GetClientSize();
    RECT rc = ps.rcPaint;
    if (EnsureOffscreen(size.cx, size.cy) && rc.right > rc.left && rc.bottom > rc.top) {
        CRenderEngine::DrawColor(m_hDcOffscreen, rc, 0xFFFFFFFF);
        PaintTree(m_hDcOffscreen, rc);
        GdiFlush();
        BitBlt(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, m_hDcOffscreen, rc.left, rc.top, SRCCOPY);
    }
    EndPaint(m_hWndPaint, &ps);
}

void CPaintManagerUI::PaintLayered() {
    if (!m_hWndPaint || !IsWindow(m_hWndPaint)) {
        m_bLayeredPending = false;
        return;
    }
    UpdateLayout();  // what the layout invalidates is painted now, not once more
    m_bLayeredPending = false;
    if (m_bOwnerPaintsLayered) return;  // the owner's bitmap stays on screen
    RECT window = {};
    GetWindowRect(m_hWndPaint, &window);
    SIZE size = GetClientSize();
    const bool kept = m_hbmpOffscreen && m_szOffscreen.cx == size.cx && m_szOffscreen.cy == size.cy;
    if (!EnsureOffscreen(size.cx, size.cy)) return;
    const bool all = !m_bLayeredPartial || m_bLayeredAll || !kept;
    m_bLayeredAll = false;
    ++m_nPaintSerial;
    RECT dirty = {0, 0, size.cx, size.cy};
    if (all) {
        m_layeredDirty.clear();
        memset(m_pOffscreenBits, 0, static_cast<size_t>(size.cx) * size.cy * 4);
        PaintTree(m_hDcOffscreen, dirty);
    } else if (!PaintLayeredDirty(size, &dirty)) {
        return;  // nothing changed
    }
    GdiFlush();
    POINT dst = {window.left, window.top};
    POINT src = {0, 0};
    BLENDFUNCTION bf = {AC_SRC_OVER, 0, m_nOpacity, AC_SRC_ALPHA};
    UPDATELAYEREDWINDOWINFO info = {sizeof(info)};
    info.pptDst = &dst;
    info.psize = &size;
    info.hdcSrc = m_hDcOffscreen;
    info.pptSrc = &src;
    info.pblend = &bf;
    info.dwFlags = ULW_ALPHA;
    info.prcDirty = all ? nullptr : &dirty;
    if (!UpdateLayeredWindowIndirect(m_hWndPaint, &info))
        LogBoth("CPaintManagerUI::PaintLayered", "UpdateLayeredWindow error %lu", GetLastError());
}

// Clears and paints each collected rectangle in the kept buffer; bounds gets
// what they cover together. false when none lies in the window.
bool CPaintManagerUI::PaintLayeredDirty(SIZE size, RECT* bounds) {
    std::vector<RECT> dirty;
    dirty.swap(m_layeredDirty);
    const RECT client = {0, 0, size.cx, size.cy};
    SetRectEmpty(bounds);
    for (const RECT& rc : dirty) {
        RECT clip = {};
        if (!IntersectRect(&clip, &rc, &client)) continue;
        const size_t rowBytes = static_cast<size_t>(clip.right - clip.left) * 4;
        for (LONG y = clip.top; y < clip.bottom; ++y)
            memset(m_pOffscreenBits + (static_cast<size_t>(y) * size.cx + clip.left) * 4, 0, rowBytes);
        PaintTree(m_hDcOffscreen, clip);
        UnionRect(bounds, bounds, &clip);
    }
    return !IsRectEmpty(bounds);
}

bool CPaintManagerUI::AttachDialog(CControlUI* pControl) {
    if (!pControl) return false;
    SetFocus(nullptr, false);
    m_pEventHover = m_pEventClick = nullptr;
    if (m_pRoot && m_pRoot != pControl) AddDelayedCleanup(m_pRoot);
    m_pRoot = pControl;
    m_bUpdateNeeded = true;
    m_bFirstLayout = true;
    return InitControls(pControl);
}

bool CPaintManagerUI::InitControls(CControlUI* pControl, CControlUI* pParent) {
    if (!pControl) return false;
    pControl->SetManager(this, pParent ? pParent : pControl->GetParent(), true);
    NeedUpdate();
    Invalidate();
    return true;
}

void CPaintManagerUI::ReapObjects(CControlUI* pControl) {
    if (!pControl) return;
    if (pControl == m_pEventClick) m_pEventClick = nullptr;
    if (pControl == m_pEventHover) m_pEventHover = nullptr;
    if (pControl == m_pFocus) m_pFocus = nullptr;
    if (pControl == m_pTooltipControl) HideToolTip();
    if (pControl == m_pRoot) m_pRoot = nullptr;
    KillTimer(pControl);
    for (auto& group : m_optionGroups) {
        auto& members = group.second;
        members.erase(std::remove(members.begin(), members.end(), pControl), members.end());
    }
}

void CPaintManagerUI::AddDelayedCleanup(CControlUI* pControl) {
    if (!pControl) return;
    if (std::find(m_delayedCleanup.begin(), m_delayedCleanup.end(), pControl) != m_delayedCleanup.end()) return;
    m_delayedCleanup.push_back(pControl);
    if (m_nDispatchDepth == 0) EndDispatch();
}

void CPaintManagerUI::EndDispatch() {
    while (!m_delayedCleanup.empty()) {
        std::vector<CControlUI*> pending;
        pending.swap(m_delayedCleanup);
        for (CControlUI* control : pending) delete control;
    }
}

CControlUI* CPaintManagerUI::FindControl(POINT pt) const {
    if (!m_pRoot) return nullptr;
    return m_pRoot->FindControl(FindByPoint, &pt, UIFIND_VISIBLE | UIFIND_HITTEST | UIFIND_TOP_FIRST);
}

CControlUI* CPaintManagerUI::FindControl(LPCTSTR pstrName) const { return FindSubControlByName(m_pRoot, pstrName); }

CControlUI* CPaintManagerUI::FindSubControlByPoint(CControlUI* pParent, POINT pt) const {
    if (!pParent) pParent = m_pRoot;
    if (!pParent) return nullptr;
    return pParent->FindControl(FindByPoint, &pt, UIFIND_VISIBLE | UIFIND_HITTEST | UIFIND_TOP_FIRST);
}

CControlUI* CPaintManagerUI::FindSubControlByName(CControlUI* pParent, LPCTSTR pstrName) const {
    if (!pParent) pParent = m_pRoot;
    if (!pParent || !pstrName || !*pstrName) return nullptr;
    return pParent->FindControl(FindByName, const_cast<LPTSTR>(pstrName), UIFIND_ALL);
}

CControlUI* CPaintManagerUI::FindSubControlByClass(CControlUI* pParent, LPCTSTR pstrClass, int iIndex) {
    if (!pParent) pParent = m_pRoot;
    if (!pParent || !pstrClass) return nullptr;
    struct Search {
        LPCTSTR cls;
        int index;
    } search = {pstrClass, iIndex};
    return pParent->FindControl(
        [](CControlUI* control, LPVOID data) -> CControlUI* {
            auto* s = static_cast<Search*>(data);
            if (_wcsicmp(control->GetClass(), s->cls) != 0) return nullptr;
            return s->index-- == 0 ? control : nullptr;
        },
        &search, UIFIND_ALL);
}

bool CPaintManagerUI::AddNotifier(INotifyUI* pNotifier) {
    if (!pNotifier || std::find(m_notifiers.begin(), m_notifiers.end(), pNotifier) != m_notifiers.end()) return false;
    m_notifiers.push_back(pNotifier);
    return true;
}

bool CPaintManagerUI::RemoveNotifier(INotifyUI* pNotifier) {
    auto it = std::find(m_notifiers.begin(), m_notifiers.end(), pNotifier);
    if (it == m_notifiers.end()) return false;
    m_notifiers.erase(it);
    return true;
}

void CPaintManagerUI::SendNotify(CControlUI* pControl, LPCTSTR pstrMessage, WPARAM wParam, LPARAM lParam, bool bAsync) {
    TNotifyUI msg;
    msg.pSender = pControl;
    msg.sType = pstrMessage;
    msg.wParam = wParam;
    msg.lParam = lParam;
    SendNotify(msg, bAsync);
}

void CPaintManagerUI::SendNotify(TNotifyUI& Msg, bool) {
    Msg.ptMouse = m_ptLastMousePos;
    Msg.dwTimestamp = GetTickCount();
    CDispatchScope scope(this);
    if (Msg.pSender && Msg.pSender->OnNotify) Msg.pSender->OnNotify(&Msg);
    if (!scope.Alive()) return;
    ForwardNotify(Msg);
}

void CPaintManagerUI::ForwardNotify(TNotifyUI& Msg) {
    CDispatchScope scope(this);
    std::vector<INotifyUI*> notifiers = m_notifiers;  // a handler may add or remove notifiers
    for (INotifyUI* notifier : notifiers) {
        if (!scope.Alive()) return;
        if (std::find(m_notifiers.begin(), m_notifiers.end(), notifier) == m_notifiers.end()) continue;
        notifier->Notify(Msg);
    }
}

bool CPaintManagerUI::AddPreMessageFilter(IMessageFilterUI* pFilter) {
    if (!pFilter ||
        std::find(m_preMessageFilters.begin(), m_preMessageFilters.end(), pFilter) != m_preMessageFilters.end())
        return false;
    m_preMessageFilters.push_back(pFilter);
    return true;
}

bool CPaintManagerUI::RemovePreMessageFilter(IMessageFilterUI* pFilter) {
    auto it = std::find(m_preMessageFilters.begin(), m_preMessageFilters.end(), pFilter);
    if (it == m_preMessageFilters.end()) return false;
    m_preMessageFilters.erase(it);
    return true;
}

bool CPaintManagerUI::AddMessageFilter(IMessageFilterUI* pFilter) {
    if (!pFilter || std::find(m_messageFilters.begin(), m_messageFilters.end(), pFilter) != m_messageFilters.end())
        return false;
    m_messageFilters.push_back(pFilter);
    return true;
}

bool CPaintManagerUI::RemoveMessageFilter(IMessageFilterUI* pFilter) {
    auto it = std::find(m_messageFilters.begin(), m_messageFilters.end(), pFilter);
    if (it == m_messageFilters.end()) return false;
    m_messageFilters.erase(it);
    return true;
}

bool CPaintManagerUI::PreMessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes) {
    std::vector<IMessageFilterUI*> filters = m_preMessageFilters;
    auto alive = m_alive;
    for (IMessageFilterUI* filter : filters) {
        if (!*alive) return true;
        bool handled = false;
        LRESULT r = filter->MessageHandler(uMsg, wParam, lParam, handled);
        if (handled) {
            lRes = r;
            return true;
        }
    }
    return false;
}

}  // namespace DuiLib
