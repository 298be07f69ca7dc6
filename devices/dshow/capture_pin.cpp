#include "devices/dshow/capture_pin.h"

#include "devices/dshow/capture_filter.h"
#include "devices/dshow/enumerators.h"
#include "devices/dshow/media_type.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

CCapturePin::CCapturePin(CCaptureFilter& filter, std::recursive_mutex& lock, std::unique_ptr<CaptureSource> source)
    : filter_(filter), lock_(lock), source_(std::move(source)) {}

CCapturePin::~CCapturePin() {
    Deactivate();
    ClearMediaType(type_);
}

// ---- state changes ----

HRESULT CCapturePin::Activate() {
    if (active_ || !connected_) return S_OK;  // an unconnected pin has nothing to stream to
    HRESULT hr = allocator_->Commit();
    if (FAILED(hr)) return hr;
    stream_.SetClock(filter_.Clock().Get());
    if (!stream_.Start(*source_, allocator_.Get(), input_.Get())) {
        allocator_->Decommit();
        return E_FAIL;
    }
    active_ = true;
    return S_OK;
}

void CCapturePin::Deactivate() {
    if (!active_) return;
    stream_.RequestStop();
    allocator_->Decommit();  // frees a thread that waits for a buffer
    stream_.Join();
    active_ = false;
}

void CCapturePin::RunStream(REFERENCE_TIME start) {
    if (active_) stream_.Run(start);
}

void CCapturePin::PauseStream() {
    if (active_) stream_.Pause();
}

void CCapturePin::SetClock(IReferenceClock* clock) { stream_.SetClock(clock); }

// ---- IUnknown ----

STDMETHODIMP CCapturePin::QueryInterface(REFIID riid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPin))
        *out = static_cast<IPin*>(this);
    else if (IsEqualIID(riid, IID_IKsPropertySet))
        *out = static_cast<IKsPropertySet*>(this);
    else if (IsEqualIID(riid, IID_IAMStreamConfig))
        *out = static_cast<IAMStreamConfig*>(this);
    else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CCapturePin::AddRef() { return filter_.AddRef(); }
STDMETHODIMP_(ULONG) CCapturePin::Release() { return filter_.Release(); }

// ---- IPin: connection ----

STDMETHODIMP CCapturePin::Connect(IPin* receiver, const AM_MEDIA_TYPE* type) {
    if (!receiver) return E_POINTER;
    std::lock_guard<std::recursive_mutex> hold(lock_);
    if (connected_) return VFW_E_ALREADY_CONNECTED;
    if (!filter_.IsStopped()) return VFW_E_NOT_STOPPED;

    // A fully given type is tried as it is; otherwise our own type, if it fits.
    if (type && !IsEqualGUID(type->formattype, GUID_NULL) && type->cbFormat) {
        if (source_->CheckFormat(*type) != S_OK) return VFW_E_TYPE_NOT_ACCEPTED;
        return TryConnection(receiver, *type);
    }
    AM_MEDIA_TYPE ours{};
    if (!source_->GetFormat(ours)) return E_OUTOFMEMORY;
    HRESULT hr = VFW_E_NO_ACCEPTABLE_TYPES;
    if (!type || MatchesPartialType(ours, *type)) hr = TryConnection(receiver, ours);
    ClearMediaType(ours);
    return hr;
}

HRESULT CCapturePin::TryConnection(IPin* receiver, const AM_MEDIA_TYPE& type) {
    // Held before asking, since the receiver may ask about the connection meanwhile.
    connected_ = receiver;
    if (!CopyMediaType(type_, type)) {
        DropConnection();
        return E_OUTOFMEMORY;
    }
    HRESULT hr = receiver->ReceiveConnection(this, &type);
    if (FAILED(hr)) {
        DropConnection();
        return hr;
    }
    ComPtr<IMemInputPin> input;
    hr = receiver->QueryInterface(IID_IMemInputPin, reinterpret_cast<void**>(input.GetAddressOf()));
    if (SUCCEEDED(hr)) hr = DecideAllocator(input.Get());
    if (FAILED(hr)) {
        receiver->Disconnect();
        DropConnection();
        return hr;
    }
    input_ = input;
    source_->SetFormat(type);
    return S_OK;
}

HRESULT CCapturePin::DecideAllocator(IMemInputPin* input) {
    ALLOCATOR_PROPERTIES want = source_->BufferNeeds();
    ALLOCATOR_PROPERTIES asked{};
    if (SUCCEEDED(input->GetAllocatorRequirements(&asked))) {
        want.cBuffers = std::max(want.cBuffers, asked.cBuffers);
        want.cbAlign = std::max(want.cbAlign, asked.cbAlign);
        want.cbPrefix = std::max(want.cbPrefix, asked.cbPrefix);
    }
    ComPtr<IMemAllocator> allocator;
    if (SUCCEEDED(input->GetAllocator(&allocator)) && SUCCEEDED(UseAllocator(allocator.Get(), input, want)))
        return S_OK;
    // The usual case for a grabbing sink: it offers none, so the source brings its own.
    allocator.Reset();
    HRESULT hr = CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                                  reinterpret_cast<void**>(allocator.GetAddressOf()));
    if (FAILED(hr)) return hr;
    return UseAllocator(allocator.Get(), input, want);
}

HRESULT CCapturePin::UseAllocator(IMemAllocator* allocator, IMemInputPin* input, const ALLOCATOR_PROPERTIES& want) {
    ALLOCATOR_PROPERTIES wanted = want;
    ALLOCATOR_PROPERTIES actual{};
    HRESULT hr = allocator->SetProperties(&wanted, &actual);
    if (FAILED(hr)) return hr;
    if (actual.cbBuffer < want.cbBuffer || actual.cBuffers < 1) return E_FAIL;
    hr = input->NotifyAllocator(allocator, FALSE);
    if (FAILED(hr)) return hr;
    allocator_ = allocator;
    return S_OK;
}

void CCapturePin::DropConnection() {
    connected_.Reset();
    input_.Reset();
    allocator_.Reset();
    ClearMediaType(type_);
}

STDMETHODIMP CCapturePin::ReceiveConnection(IPin*, const AM_MEDIA_TYPE*) {
    return E_UNEXPECTED;  // an output pin connects, it is not connected to
}

STDMETHODIMP CCapturePin::Disconnect() {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    if (!filter_.IsStopped()) return VFW_E_NOT_STOPPED;
    if (!connected_) return S_FALSE;
    DropConnection();
    return S_OK;
}

STDMETHODIMP CCapturePin::ConnectedTo(IPin** pin) {
    if (!pin) return E_POINTER;
    std::lock_guard<std::recursive_mutex> hold(lock_);
    *pin = connected_.Get();
    if (!*pin) return VFW_E_NOT_CONNECTED;
    (*pin)->AddRef();
    return S_OK;
}

STDMETHODIMP CCapturePin::ConnectionMediaType(AM_MEDIA_TYPE* type) {
    if (!type) return E_POINTER;
    std::lock_guard<std::recursive_mutex> hold(lock_);
    if (!connected_) {
        memset(type, 0, sizeof *type);
        return VFW_E_NOT_CONNECTED;
    }
    return CopyMediaType(*type, type_) ? S_OK : E_OUTOFMEMORY;
}

// ---- IPin: description ----

STDMETHODIMP CCapturePin::QueryPinInfo(PIN_INFO* info) {
    if (!info) return E_POINTER;
    info->pFilter = filter_.AsBaseFilter();
    info->pFilter->AddRef();
    info->dir = PINDIR_OUTPUT;
    wcsncpy(info->achName, kName, MAX_PIN_NAME - 1);
    info->achName[MAX_PIN_NAME - 1] = L'\0';
    return S_OK;
}

STDMETHODIMP CCapturePin::QueryDirection(PIN_DIRECTION* direction) {
    if (!direction) return E_POINTER;
    *direction = PINDIR_OUTPUT;
    return S_OK;
}

STDMETHODIMP CCapturePin::QueryId(LPWSTR* id) {
    if (!id) return E_POINTER;
    size_t bytes = (wcslen(kName) + 1) * sizeof(wchar_t);
    *id = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
    if (!*id) return E_OUTOFMEMORY;
    memcpy(*id, kName, bytes);
    return S_OK;
}

STDMETHODIMP CCapturePin::QueryAccept(const AM_MEDIA_TYPE* type) {
    if (!type) return E_POINTER;
    std::lock_guard<std::recursive_mutex> hold(lock_);
    return source_->CheckFormat(*type) == S_OK ? S_OK : S_FALSE;
}

STDMETHODIMP CCapturePin::EnumMediaTypes(IEnumMediaTypes** types) {
    if (!types) return E_POINTER;
    std::lock_guard<std::recursive_mutex> hold(lock_);
    AM_MEDIA_TYPE ours{};
    if (!source_->GetFormat(ours)) return E_OUTOFMEMORY;
    *types = CreateMediaTypeEnum({&ours});
    ClearMediaType(ours);
    return *types ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CCapturePin::QueryInternalConnections(IPin**, ULONG*) { return E_NOTIMPL; }
STDMETHODIMP CCapturePin::EndOfStream() { return E_UNEXPECTED; }
STDMETHODIMP CCapturePin::BeginFlush() { return E_UNEXPECTED; }
STDMETHODIMP CCapturePin::EndFlush() { return E_UNEXPECTED; }
STDMETHODIMP CCapturePin::NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) { return S_OK; }

// ---- IKsPropertySet ----

STDMETHODIMP CCapturePin::Set(REFGUID, DWORD, LPVOID, DWORD, LPVOID, DWORD) { return E_NOTIMPL; }

STDMETHODIMP CCapturePin::Get(REFGUID set, DWORD id, LPVOID, DWORD, LPVOID data, DWORD data_size, DWORD* returned) {
    if (!IsEqualGUID(set, AMPROPSETID_Pin)) return E_PROP_SET_UNSUPPORTED;
    if (id != AMPROPERTY_PIN_CATEGORY) return E_PROP_ID_UNSUPPORTED;
    if (!data && !returned) return E_POINTER;
    if (returned) *returned = sizeof(GUID);
    if (!data) return S_OK;  // the caller asked for the size only
    if (data_size < sizeof(GUID)) return E_UNEXPECTED;
    *static_cast<GUID*>(data) = PIN_CATEGORY_CAPTURE;
    return S_OK;
}

STDMETHODIMP CCapturePin::QuerySupported(REFGUID set, DWORD id, DWORD* support) {
    if (!IsEqualGUID(set, AMPROPSETID_Pin)) return E_PROP_SET_UNSUPPORTED;
    if (id != AMPROPERTY_PIN_CATEGORY) return E_PROP_ID_UNSUPPORTED;
    if (support) *support = KSPROPERTY_SUPPORT_GET;
    return S_OK;
}

// ---- IAMStreamConfig ----

STDMETHODIMP CCapturePin::SetFormat(AM_MEDIA_TYPE* type) {
    if (!type) return E_POINTER;
    std::lock_guard<std::recursive_mutex> hold(lock_);
    if (!filter_.IsStopped()) return VFW_E_NOT_STOPPED;
    if (source_->CheckFormat(*type) != S_OK) return VFW_E_INVALIDMEDIATYPE;
    if (connected_) return SameMediaType(*type, type_) ? S_OK : VFW_E_ALREADY_CONNECTED;
    source_->SetFormat(*type);
    return S_OK;
}

STDMETHODIMP CCapturePin::GetFormat(AM_MEDIA_TYPE** type) {
    if (!type) return E_POINTER;
    std::lock_guard<std::recursive_mutex> hold(lock_);
    if (connected_) {
        *type = CreateMediaTypeCopy(type_);
    } else {
        AM_MEDIA_TYPE ours{};
        *type = source_->GetFormat(ours) ? CreateMediaTypeCopy(ours) : nullptr;
        ClearMediaType(ours);
    }
    return *type ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CCapturePin::GetNumberOfCapabilities(int* count, int* size) {
    if (!count || !size) return E_POINTER;
    *count = 1;
    *size = source_->CapsSize();
    return S_OK;
}

STDMETHODIMP CCapturePin::GetStreamCaps(int index, AM_MEDIA_TYPE** type, BYTE* caps) {
    if (!type || !caps) return E_POINTER;
    if (index < 0) return E_INVALIDARG;
    if (index > 0) return S_FALSE;
    std::lock_guard<std::recursive_mutex> hold(lock_);
    AM_MEDIA_TYPE ours{};
    *type = source_->GetFormat(ours) ? CreateMediaTypeCopy(ours) : nullptr;
    ClearMediaType(ours);
    if (!*type) return E_OUTOFMEMORY;
    source_->GetCaps(caps);
    return S_OK;
}
