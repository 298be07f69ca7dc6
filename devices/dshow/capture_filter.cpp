#include "devices/dshow/capture_filter.h"

#include "devices/dshow/dll_module.h"
#include "devices/dshow/enumerators.h"

#include <cwchar>
#include <new>

HRESULT CCaptureFilter::Create(const CLSID& clsid, std::unique_ptr<CaptureSource> source, REFIID riid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!source) return E_OUTOFMEMORY;
    auto* filter = new (std::nothrow) CCaptureFilter(clsid, std::move(source));
    if (!filter) return E_OUTOFMEMORY;
    HRESULT hr = filter->QueryInterface(riid, out);
    filter->Release();
    return hr;
}

CCaptureFilter::CCaptureFilter(const CLSID& clsid, std::unique_ptr<CaptureSource> source)
    : clsid_(clsid), pin_(*this, lock_, std::move(source)) {
    ModuleObjectCreated();
}

CCaptureFilter::~CCaptureFilter() { ModuleObjectDestroyed(); }

bool CCaptureFilter::IsStopped() {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    return state_ == State_Stopped;
}

ComPtr<IReferenceClock> CCaptureFilter::Clock() {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    return clock_;
}

// ---- IUnknown ----

STDMETHODIMP CCaptureFilter::QueryInterface(REFIID riid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPersist) || IsEqualIID(riid, IID_IMediaFilter) ||
        IsEqualIID(riid, IID_IBaseFilter))
        *out = static_cast<IBaseFilter*>(this);
    else if (IsEqualIID(riid, IID_IAMFilterMiscFlags))
        *out = static_cast<IAMFilterMiscFlags*>(this);
    else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CCaptureFilter::AddRef() { return ULONG(InterlockedIncrement(&refs_)); }

STDMETHODIMP_(ULONG) CCaptureFilter::Release() {
    LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return ULONG(left);
}

STDMETHODIMP CCaptureFilter::GetClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = clsid_;
    return S_OK;
}

// ---- IMediaFilter ----

STDMETHODIMP CCaptureFilter::Stop() {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    pin_.Deactivate();
    state_ = State_Stopped;
    return S_OK;
}

STDMETHODIMP CCaptureFilter::Pause() {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    if (state_ == State_Stopped) {
        HRESULT hr = pin_.Activate();
        if (FAILED(hr)) return hr;
    } else if (state_ == State_Running) {
        pin_.PauseStream();
    }
    state_ = State_Paused;
    return S_OK;
}

STDMETHODIMP CCaptureFilter::Run(REFERENCE_TIME start) {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    if (state_ == State_Stopped) {
        HRESULT hr = pin_.Activate();
        if (FAILED(hr)) return hr;
    }
    pin_.RunStream(start);
    state_ = State_Running;
    return S_OK;
}

STDMETHODIMP CCaptureFilter::GetState(DWORD, FILTER_STATE* state) {
    if (!state) return E_POINTER;
    std::lock_guard<std::recursive_mutex> hold(lock_);
    *state = state_;
    // A live source delivers nothing while paused, so a paused graph cannot cue.
    return state_ == State_Paused ? VFW_S_CANT_CUE : S_OK;
}

STDMETHODIMP CCaptureFilter::SetSyncSource(IReferenceClock* clock) {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    clock_ = clock;
    pin_.SetClock(clock);
    return S_OK;
}

STDMETHODIMP CCaptureFilter::GetSyncSource(IReferenceClock** clock) {
    if (!clock) return E_POINTER;
    std::lock_guard<std::recursive_mutex> hold(lock_);
    *clock = clock_.Get();
    if (*clock) (*clock)->AddRef();
    return S_OK;
}

// ---- IBaseFilter ----

STDMETHODIMP CCaptureFilter::EnumPins(IEnumPins** pins) {
    if (!pins) return E_POINTER;
    *pins = CreatePinEnum({static_cast<IPin*>(&pin_)});
    return *pins ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CCaptureFilter::FindPin(LPCWSTR id, IPin** pin) {
    if (!id || !pin) return E_POINTER;
    if (wcscmp(id, CCapturePin::kName) != 0) {
        *pin = nullptr;
        return VFW_E_NOT_FOUND;
    }
    *pin = &pin_;
    pin_.AddRef();
    return S_OK;
}

STDMETHODIMP CCaptureFilter::QueryFilterInfo(FILTER_INFO* info) {
    if (!info) return E_POINTER;
    std::lock_guard<std::recursive_mutex> hold(lock_);
    wcsncpy(info->achName, name_.c_str(), MAX_FILTER_NAME - 1);
    info->achName[MAX_FILTER_NAME - 1] = L'\0';
    info->pGraph = graph_;
    if (graph_) graph_->AddRef();
    return S_OK;
}

STDMETHODIMP CCaptureFilter::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    graph_ = graph;
    name_ = name ? name : L"";
    return S_OK;
}

STDMETHODIMP CCaptureFilter::QueryVendorInfo(LPWSTR*) { return E_NOTIMPL; }

STDMETHODIMP_(ULONG) CCaptureFilter::GetMiscFlags() { return AM_FILTER_MISC_FLAGS_IS_SOURCE; }
