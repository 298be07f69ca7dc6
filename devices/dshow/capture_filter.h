// A live capture source filter with one output pin, as the system device
// enumerator creates it: the DirectShow state machine, the clock and the graph.
#pragma once

#include "devices/dshow/capture_pin.h"

#include <memory>
#include <mutex>
#include <string>

class CCaptureFilter final : public IBaseFilter, public IAMFilterMiscFlags {
public:
    // Creates the filter with one reference and hands out `riid`.
    static HRESULT Create(const CLSID& clsid, std::unique_ptr<CaptureSource> source, REFIID riid, void** out);

    IBaseFilter* AsBaseFilter() { return this; }
    bool IsStopped();
    ComPtr<IReferenceClock> Clock();

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IPersist
    STDMETHODIMP GetClassID(CLSID* clsid) override;

    // IMediaFilter
    STDMETHODIMP Stop() override;
    STDMETHODIMP Pause() override;
    STDMETHODIMP Run(REFERENCE_TIME start) override;
    STDMETHODIMP GetState(DWORD timeout_ms, FILTER_STATE* state) override;
    STDMETHODIMP SetSyncSource(IReferenceClock* clock) override;
    STDMETHODIMP GetSyncSource(IReferenceClock** clock) override;

    // IBaseFilter
    STDMETHODIMP EnumPins(IEnumPins** pins) override;
    STDMETHODIMP FindPin(LPCWSTR id, IPin** pin) override;
    STDMETHODIMP QueryFilterInfo(FILTER_INFO* info) override;
    STDMETHODIMP JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
    STDMETHODIMP QueryVendorInfo(LPWSTR* info) override;

    // IAMFilterMiscFlags: a source, so the graph expects no end-of-stream from it.
    STDMETHODIMP_(ULONG) GetMiscFlags() override;

private:
    CCaptureFilter(const CLSID& clsid, std::unique_ptr<CaptureSource> source);
    ~CCaptureFilter();

    LONG refs_ = 1;
    CLSID clsid_;
    std::recursive_mutex lock_;
    FILTER_STATE state_ = State_Stopped;
    ComPtr<IReferenceClock> clock_;
    IFilterGraph* graph_ = nullptr;  // not held: the graph holds the filter
    std::wstring name_;
    CCapturePin pin_;
};
