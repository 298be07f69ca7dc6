// The one output pin of a capture filter: category "capture", the formats of
// its CaptureSource (IAMStreamConfig), the connection and its allocator, and
// the streaming thread. Its lifetime is the filter's: references go to the filter.
#pragma once

#include "devices/dshow/capture_source.h"
#include "devices/dshow/stream_thread.h"

#include <memory>
#include <mutex>

class CCaptureFilter;

class CCapturePin final : public IPin, public IKsPropertySet, public IAMStreamConfig {
public:
    CCapturePin(CCaptureFilter& filter, std::recursive_mutex& lock, std::unique_ptr<CaptureSource> source);
    ~CCapturePin();
    CCapturePin(const CCapturePin&) = delete;
    CCapturePin& operator=(const CCapturePin&) = delete;

    // Filter state changes, under the filter's lock.
    HRESULT Activate();  // stopped -> paused: commit buffers, start the thread
    void Deactivate();   // -> stopped
    void RunStream(REFERENCE_TIME start);
    void PauseStream();
    void SetClock(IReferenceClock* clock);

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IPin
    STDMETHODIMP Connect(IPin* receiver, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP Disconnect() override;
    STDMETHODIMP ConnectedTo(IPin** pin) override;
    STDMETHODIMP ConnectionMediaType(AM_MEDIA_TYPE* type) override;
    STDMETHODIMP QueryPinInfo(PIN_INFO* info) override;
    STDMETHODIMP QueryDirection(PIN_DIRECTION* direction) override;
    STDMETHODIMP QueryId(LPWSTR* id) override;
    STDMETHODIMP QueryAccept(const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP EnumMediaTypes(IEnumMediaTypes** types) override;
    STDMETHODIMP QueryInternalConnections(IPin** pins, ULONG* count) override;
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    STDMETHODIMP NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

    // IKsPropertySet: only the pin category, which is "capture".
    STDMETHODIMP Set(REFGUID set, DWORD id, LPVOID instance, DWORD instance_size, LPVOID data,
                     DWORD data_size) override;
    STDMETHODIMP Get(REFGUID set, DWORD id, LPVOID instance, DWORD instance_size, LPVOID data, DWORD data_size,
                     DWORD* returned) override;
    STDMETHODIMP QuerySupported(REFGUID set, DWORD id, DWORD* support) override;

    // IAMStreamConfig
    STDMETHODIMP SetFormat(AM_MEDIA_TYPE* type) override;
    STDMETHODIMP GetFormat(AM_MEDIA_TYPE** type) override;
    STDMETHODIMP GetNumberOfCapabilities(int* count, int* size) override;
    STDMETHODIMP GetStreamCaps(int index, AM_MEDIA_TYPE** type, BYTE* caps) override;

    static constexpr const wchar_t* kName = L"Capture";

private:
    HRESULT TryConnection(IPin* receiver, const AM_MEDIA_TYPE& type);
    HRESULT DecideAllocator(IMemInputPin* input);
    HRESULT UseAllocator(IMemAllocator* allocator, IMemInputPin* input, const ALLOCATOR_PROPERTIES& want);
    void DropConnection();

    CCaptureFilter& filter_;
    std::recursive_mutex& lock_;
    std::unique_ptr<CaptureSource> source_;
    ComPtr<IPin> connected_;
    ComPtr<IMemInputPin> input_;
    ComPtr<IMemAllocator> allocator_;
    AM_MEDIA_TYPE type_{};  // the connection's type while connected
    CStreamThread stream_;
    bool active_ = false;
};
