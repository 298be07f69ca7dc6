// The process-wide side of the paint manager: the program instance, where the
// skin comes from, and the message loop.
#include "ui/core/paint_manager.h"

#include "ui/core/paint_manager_internal.h"
#include "ui/render/image_decoder.h"
#include "ui/resources/resource_manager.h"
#include "ui/resources/skin_source.h"

namespace DuiLib {

HINSTANCE CPaintManagerUI::GetInstance() {
    HINSTANCE instance = CSkinSource::Get().Instance();
    return instance ? instance : GetModuleHandleW(nullptr);
}

CDuiString CPaintManagerUI::GetInstancePath() { return CDuiString(ModuleFolder(GetInstance())); }

CDuiString CPaintManagerUI::GetCurrentPath() {
    wchar_t path[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, path);
    return CDuiString(path);
}

HINSTANCE CPaintManagerUI::GetResourceDll() {
    HINSTANCE module = CSkinSource::Get().ResourceDll();
    return module ? module : GetModuleHandleW(nullptr);
}

CDuiString CPaintManagerUI::GetResourcePath() { return CDuiString(CSkinSource::Get().ResourcePath()); }

int CPaintManagerUI::GetResourceType() { return CSkinSource::Get().ResourceType(); }

void CPaintManagerUI::SetInstance(HINSTANCE hInst) { CSkinSource::Get().SetInstance(hInst); }

void CPaintManagerUI::SetCurrentPath(LPCTSTR pStrPath) {
    if (pStrPath) SetCurrentDirectoryW(pStrPath);
}

void CPaintManagerUI::SetResourceDll(HINSTANCE hInst) { CSkinSource::Get().SetResourceDll(hInst); }

void CPaintManagerUI::SetResourcePath(LPCTSTR pStrPath) {
    CSkinSource::Get().SetResourcePath(pStrPath ? pStrPath : L"");
}

void CPaintManagerUI::SetResourceType(int nType) { CSkinSource::Get().SetResourceType(nType); }

bool CPaintManagerUI::SetResourceZip(LPVOID pVoid, unsigned int len, LPCSTR password) {
    return CSkinSource::Get().SetZip(pVoid, len, password);
}

bool CPaintManagerUI::SetResourceZip(LPCTSTR pstrZip, LPCSTR password) {
    return CSkinSource::Get().SetZipFile(pstrZip ? pstrZip : L"", password);
}

namespace {

struct SlowMessageWatch {
    double thresholdMs = 0;
    CPaintManagerUI::SlowMessageNotice notice;
};

SlowMessageWatch& Watch() {
    static SlowMessageWatch watch;
    return watch;
}

double NowMs() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / ticksPerMs;
}

}  // namespace

void CPaintManagerUI::SetSlowMessageNotice(double thresholdMs, SlowMessageNotice notice) {
    Watch() = SlowMessageWatch{thresholdMs, std::move(notice)};
}

void CPaintManagerUI::MessageLoop() {
    MSG msg = {};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        const bool watched = static_cast<bool>(Watch().notice);
        const double start = watched ? NowMs() : 0;
        if (!TranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (!watched || !Watch().notice) continue;
        const double ms = NowMs() - start;
        if (ms >= Watch().thresholdMs) Watch().notice(msg, ms);
    }
}

bool CPaintManagerUI::TranslateMessage(const LPMSG pMsg) {
    if (!pMsg || !pMsg->hwnd) return false;
    bool input = (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) ||
                 (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST);
    if (!input) return false;
    // The manager of the message's window, or of the nearest window above it.
    for (HWND hwnd = pMsg->hwnd; hwnd; hwnd = GetParent(hwnd)) {
        for (CPaintManagerUI* manager : LiveManagers()) {
            if (manager->GetPaintWindow() != hwnd) continue;
            LRESULT lRes = 0;
            return manager->PreMessageHandler(pMsg->message, pMsg->wParam, pMsg->lParam, lRes);
        }
    }
    return false;
}

void CPaintManagerUI::Term() {
    CResourceManager::GetInstance()->Release();
    ShutdownGdiplus();
}

}  // namespace DuiLib
