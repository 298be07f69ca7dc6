#include "class_factory.h"

#include "capture_filter.h"
#include "dll_module.h"

#include <new>

namespace {

class FilterFactory final : public IClassFactory {
public:
    explicit FilterFactory(const CaptureFilterEntry& entry) : entry_(entry) { ModuleObjectCreated(); }
    ~FilterFactory() { ModuleObjectDestroyed(); }

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
            *out = static_cast<IClassFactory*>(this);
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

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        std::unique_ptr<CaptureSource> source = entry_.create_source();
        if (!source) return E_FAIL;
        return CCaptureFilter::Create(*entry_.clsid, std::move(source), riid, out);
    }
    STDMETHODIMP LockServer(BOOL lock) override {
        ModuleLock(lock != FALSE);
        return S_OK;
    }

private:
    LONG refs_ = 1;
    const CaptureFilterEntry& entry_;
};

}  // namespace

IClassFactory* CreateFilterFactory(const CaptureFilterEntry& entry) {
    return new (std::nothrow) FilterFactory(entry);
}
