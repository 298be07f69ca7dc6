// IUnknown for a COM object with one interface besides IUnknown, counted
// among the module's live objects (DllCanUnloadNow). Created with one reference.
#pragma once

#include "devices/dshow/dll_module.h"

#include <windows.h>
#include <unknwn.h>

template <class Interface>
class CComObject : public Interface {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, __uuidof(Interface))) {
            *out = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ULONG(InterlockedIncrement(&refs_)); }
    STDMETHODIMP_(ULONG) Release() override {
        LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return ULONG(left);
    }

protected:
    CComObject() { ModuleObjectCreated(); }
    virtual ~CComObject() { ModuleObjectDestroyed(); }

private:
    LONG refs_ = 1;
};
