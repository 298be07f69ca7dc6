// skin_preview: shows one layout of a skin folder as a window, so the skin can be
// looked at (and screenshotted) without the program around it.
//
//   skin_preview.exe <skin folder> <layout> [options]
//
//   --timeout MS         close after MS milliseconds (default 5000)
//   --at X,Y             place the window's top-left corner there (default: centred)
//   --size W,H           resize the window after it was built
//   --page NAME=N        select page N of the tab layout NAME
//   --attr NAME:ATTR=V   set an attribute of a control, e.g. --attr btn_pause:visible=true
//   --rows NAME=N        add N sample rows to the list NAME (name, duration, size)
//   --menu               the layout is a pop-up menu; open it at --at (default 100,100)
//   --fill NAME=A|B|C    fill the menu's list layout NAME with options, as the main
//                        window fills its device menus (the first one selected)
//   --backdrop RRGGBB    cover the screen behind the window with that colour
//
// Custom controls of the skin are stood in for by the library's own: "SetSlider"
// by a slider that draws its fore image into "foreimagedest" (as the main window's
// slider does), "SelArea" by a plain control, "DragBtn" by a button and
// "CountdownUI" by a label.
#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "ui/duilib.h"

using namespace DuiLib;

namespace {

class PreviewSlider : public CSliderUI {
public:
    void SetAttribute(LPCTSTR name, LPCTSTR value) override {
        if (wcscmp(name, L"foreimagedest") == 0) {
            swscanf(value, L"%ld,%ld,%ld,%ld", &m_dest.left, &m_dest.top, &m_dest.right, &m_dest.bottom);
            return;
        }
        CSliderUI::SetAttribute(name, value);
    }
    void PaintForeImage(HDC hDC) override {
        if (GetForeImage()[0] == 0) return;
        int range = std::max(1, m_nMax - m_nMin);
        RECT rc = m_dest;
        rc.right = (std::clamp(m_nValue, m_nMin, m_nMax) - m_nMin) * GetWidth() / range;
        CDuiString modify;
        modify.Format(L"dest='%ld,%ld,%ld,%ld'", rc.left, rc.top, rc.right, rc.bottom);
        if (rc.right > rc.left) DrawImage(hDC, GetForeImage(), modify);
    }

private:
    RECT m_dest = {};
};

CControlUI* MakeCustomControl(LPCTSTR tag) {
    if (wcscmp(tag, L"SetSlider") == 0) return new PreviewSlider;
    if (wcscmp(tag, L"SelArea") == 0) return new CControlUI;
    if (wcscmp(tag, L"DragBtn") == 0) return new CButtonUI;
    if (wcscmp(tag, L"CountdownUI") == 0) return new CLabelUI;
    return nullptr;
}

class PreviewWnd : public WindowImplBase {
public:
    explicit PreviewWnd(std::wstring layout) : m_layout(std::move(layout)) {}

protected:
    LPCTSTR GetWindowClassName() const override { return L"VistrelSkinPreview"; }
    CDuiString GetSkinFile() override { return CDuiString(m_layout.c_str()); }
    CControlUI* CreateControl(LPCTSTR tag) override { return MakeCustomControl(tag); }
    void OnFinalMessage(HWND) override { PostQuitMessage(0); }

private:
    std::wstring m_layout;
};

// A window that only lends a menu its paint manager.
class MenuHost : public WindowImplBase {
protected:
    LPCTSTR GetWindowClassName() const override { return L"VistrelSkinPreviewHost"; }
    CDuiString GetSkinFile() override { return CDuiString(L"<Window size=\"8,8\"><VerticalLayout/></Window>"); }
};

std::vector<std::wstring> Split(const std::wstring& s, wchar_t sep) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (;;) {
        size_t at = s.find(sep, start);
        parts.push_back(s.substr(start, at - start));
        if (at == std::wstring::npos) break;
        start = at + 1;
    }
    return parts;
}

LRESULT CALLBACK BackdropProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// A plain window over the whole screen, below everything else, so that the
// shadows and transparent parts of the previewed window show against a colour.
void ShowBackdrop(HINSTANCE instance, COLORREF color) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = BackdropProc;
    wc.hInstance = instance;
    wc.hbrBackground = CreateSolidBrush(color);
    wc.lpszClassName = L"VistrelSkinPreviewBackdrop";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, wc.lpszClassName, L"", WS_POPUP, 0, 0,
                                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                instance, nullptr);
    SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

struct Options {
    std::wstring folder, layout;
    int timeout = 5000;
    bool hasAt = false, menu = false;
    long backdrop = -1;
    POINT at = {100, 100};
    SIZE size = {0, 0};
    std::vector<std::wstring> pages, attrs, rows, fills;
};

bool Parse(int argc, wchar_t** argv, Options& o) {
    if (argc < 3) return false;
    o.folder = argv[1];
    o.layout = argv[2];
    for (int i = 3; i < argc; ++i) {
        std::wstring a = argv[i];
        auto next = [&]() -> std::wstring { return i + 1 < argc ? argv[++i] : L""; };
        if (a == L"--timeout")
            o.timeout = _wtoi(next().c_str());
        else if (a == L"--at") {
            o.hasAt = swscanf(next().c_str(), L"%ld,%ld", &o.at.x, &o.at.y) == 2;
        } else if (a == L"--size")
            swscanf(next().c_str(), L"%ld,%ld", &o.size.cx, &o.size.cy);
        else if (a == L"--page")
            o.pages.push_back(next());
        else if (a == L"--attr")
            o.attrs.push_back(next());
        else if (a == L"--rows")
            o.rows.push_back(next());
        else if (a == L"--menu")
            o.menu = true;
        else if (a == L"--fill")
            o.fills.push_back(next());
        else if (a == L"--backdrop") {
            unsigned long rgb = wcstoul(next().c_str(), nullptr, 16);
            o.backdrop = static_cast<long>(RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
        } else
            return false;
    }
    return true;
}

template <class Find>
void ApplyOptions(const Options& o, Find find) {
    for (const std::wstring& p : o.pages) {
        auto kv = Split(p, L'=');
        auto* tab = kv.size() == 2 ? static_cast<CTabLayoutUI*>(find(kv[0].c_str())) : nullptr;
        if (tab && tab->GetInterface(L"TabLayout"))
            tab->SelectItem(_wtoi(kv[1].c_str()));
        else
            fwprintf(stderr, L"no tab layout for --page %ls\n", p.c_str());
    }
    for (const std::wstring& a : o.attrs) {
        size_t colon = a.find(L':'), eq = a.find(L'=');
        CControlUI* c = colon != std::wstring::npos && eq > colon ? find(a.substr(0, colon).c_str()) : nullptr;
        if (c)
            c->SetAttribute(a.substr(colon + 1, eq - colon - 1).c_str(), a.substr(eq + 1).c_str());
        else
            fwprintf(stderr, L"no control for --attr %ls\n", a.c_str());
    }
    for (const std::wstring& r : o.rows) {
        auto kv = Split(r, L'=');
        auto* list = kv.size() == 2 ? static_cast<CListUI*>(find(kv[0].c_str())) : nullptr;
        if (!list || !list->GetInterface(L"List")) {
            fwprintf(stderr, L"no list for --rows %ls\n", r.c_str());
            continue;
        }
        bool pictures = kv[0] == L"listview_s";
        int n = _wtoi(kv[1].c_str());
        for (int i = 0; i < n; ++i) {
            auto* row = new CListTextElementUI;
            row->SetFixedHeight(46);
            wchar_t name[64], duration[32], size[32];
            swprintf(name, 64, L"202501%02d_%02d%02d%02d.%ls", 10 + i, 9 + i, 10 + 3 * i, 5 * i,
                     pictures ? L"png" : L"mp4");
            swprintf(duration, 32, L"00:%02d:%02d", 2 + 3 * i, 11 * i % 60);
            swprintf(size, 32, L"%.1fMB", 4.2 + 13.7 * i);
            row->SetName(name);
            list->Add(row);
            row->SetText(1, name);
            if (pictures)
                row->SetText(3, L"1.5MB");
            else {
                row->SetText(3, duration);
                row->SetText(5, size);
            }
        }
    }
}

}  // namespace

// Opens the menu and fills it; a menu closes when it loses the activation, so
// the preview opens it again (see wWinMain) until the time is up.
CMenuWnd* g_menu = nullptr;

bool OpenMenu(const Options& o, CPaintManagerUI* host) {
    CMenuWnd* menu = CMenuWnd::CreateMenu(nullptr, o.layout.c_str(), o.at, host, nullptr,
                                          eMenuAlignment_Left | eMenuAlignment_Top, &g_menu);
    if (!menu) return false;
    ApplyOptions(o, [menu](LPCTSTR name) { return menu->FindControl(name); });
    for (const std::wstring& f : o.fills) {
        auto kv = Split(f, L'=');
        auto* box = kv.size() == 2 ? static_cast<CContainerUI*>(menu->FindControl(kv[0].c_str())) : nullptr;
        if (!box) {
            fwprintf(stderr, L"no list layout for --fill %ls\n", f.c_str());
            continue;
        }
        bool first = true;
        for (const std::wstring& entry : Split(kv[1], L'|')) {
            auto* option = new COptionUI;
            option->SetName(entry.c_str());
            option->SetText(entry.c_str());
            option->SetTextColor(0xFF666666);
            option->SetHotTextColor(0xFF4EA4FD);
            option->SetSelectedTextColor(0xFF4EA4FD);
            option->SetSelectedImage(L"file='common/gou.png' source='0,0,10,16' dest='6,4,16,20'");
            option->SetFixedHeight(25);
            option->SetAttribute(L"align", L"left");
            option->SetTextPadding({20, 0, 0, 0});
            option->SetGroup(L"preview");
            box->Add(option);
            if (first) option->Selected(true);
            first = false;
        }
        if (CControlUI* element = box->GetParent())
            element->SetFixedHeight(std::min(130, 26 * static_cast<int>(box->GetCount())));
    }
    menu->ResizeMenu();
    if (o.size.cx > 0 || o.size.cy > 0)
        menu->ResizeClient(o.size.cx > 0 ? o.size.cx : -1, o.size.cy > 0 ? o.size.cy : -1);
    return true;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    Options o;
    if (!Parse(argc, argv, o)) {
        fwprintf(stderr,
                 L"usage: skin_preview <skin folder> <layout> [--timeout MS] [--at X,Y] [--size W,H] "
                 L"[--page NAME=N] [--attr NAME:ATTR=VALUE] [--rows LIST=N] [--menu] [--fill LAYOUT=A|B] "
                 L"[--backdrop RRGGBB]\n");
        return 2;
    }
    CoInitialize(nullptr);
    CPaintManagerUI::SetInstance(instance);
    CPaintManagerUI::SetResourceType(UILIB_FILE);
    CPaintManagerUI::SetResourcePath(o.folder.c_str());
    CResourceManager::GetInstance()->LoadResource(L"res.xml");
    if (o.backdrop >= 0) ShowBackdrop(instance, static_cast<COLORREF>(o.backdrop));
    SetTimer(nullptr, 0, static_cast<UINT>(o.timeout), [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); });

    int status = 0;
    if (o.menu) {
        static MenuHost host;
        static const Options* options = &o;
        host.Create(nullptr, L"host", WS_POPUP, WS_EX_TOOLWINDOW, -100, -100, 8, 8);
        if (!OpenMenu(o, host.GetPaintManager())) {
            fwprintf(stderr, L"the menu %ls was not built\n", o.layout.c_str());
            status = 1;
        } else {
            SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR, DWORD) {
                if (!g_menu) OpenMenu(*options, host.GetPaintManager());
            });
            CPaintManagerUI::MessageLoop();
        }
    } else {
        auto* wnd = new PreviewWnd(o.layout);
        if (!wnd->Create(nullptr, L"Skin preview", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW)) {
            fwprintf(stderr, L"the layout %ls was not built\n", o.layout.c_str());
            delete wnd;
            status = 1;
        } else {
            ApplyOptions(o, [wnd](LPCTSTR name) { return wnd->FindControl(name); });
            if (o.size.cx > 0 || o.size.cy > 0)
                wnd->ResizeClient(o.size.cx > 0 ? o.size.cx : -1, o.size.cy > 0 ? o.size.cy : -1);
            if (o.hasAt)
                SetWindowPos(*wnd, nullptr, o.at.x, o.at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            else
                wnd->CenterWindow();
            wnd->ShowWindow(true, true);
            CPaintManagerUI::MessageLoop();
        }
    }
    CResourceManager::GetInstance()->Release();
    CoUninitialize();
    LocalFree(argv);
    return status;
}
