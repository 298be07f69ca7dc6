// Snapwick.exe's start and end.
#include "picker/snapwick_main.h"

#include <objbase.h>

#include "picker/snapwick_wnd.h"
#include "ui/duilib.h"

using namespace DuiLib;

bool SnapwickSetupSkin() {
    CPaintManagerUI::SetResourceType(UILIB_ZIPRESOURCE);
    CPaintManagerUI::SetResourcePath(CPaintManagerUI::GetInstancePath() + L"Skin\\Snapwick\\");
    HINSTANCE module = CPaintManagerUI::GetResourceDll();
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(kSnapwickSkinResourceId), L"ZIP");
    if (!found) return false;
    bool ready = false;
    HGLOBAL loaded = LoadResource(module, found);
    const DWORD size = loaded ? SizeofResource(module, found) : 0;
    if (size > 0) {
        ready = CPaintManagerUI::SetResourceZip(LockResource(loaded), size) &&
                CResourceManager::GetInstance()->LoadResource(L"res.xml");
    }
    if (loaded) FreeResource(loaded);
    return ready;
}

int SnapwickWinMain(HINSTANCE instance) {
    if (FAILED(CoInitialize(nullptr))) return 0;
    CPaintManagerUI::SetInstance(instance);
    SnapwickSetupSkin();
    auto* picker = new CSnapwickWnd;  // deletes itself with its window
    if (picker->Create(nullptr, L"", WS_POPUP | WS_VISIBLE, 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                       CW_USEDEFAULT)) {
        ::ShowWindow(picker->GetHWND(), SW_SHOW);
        SetForegroundWindow(picker->GetHWND());
        CPaintManagerUI::MessageLoop();
    } else {
        delete picker;
    }
    CResourceManager::GetInstance()->Release();
    CPaintManagerUI::Term();
    CoUninitialize();
    return 0;
}
