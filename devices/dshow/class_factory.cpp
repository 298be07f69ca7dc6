#include "devices/dshow/class_factory.h"

#include "devices/dshow/capture_filter.h"
#include "devices/dshow/com_object.h"

#include <new>

namespace {

class FilterFactory final : public CComObject<IClassFactory> {
public:
    explicit FilterFactory(const CaptureFilterEntry& entry) : entry_(entry) {}

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
    const CaptureFilterEntry& entry_;
};

}  // namespace

IClassFactory* CreateFilterFactory(const CaptureFilterEntry& entry) { return new (std::nothrow) FilterFactory(entry); }
