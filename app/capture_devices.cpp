#include "app/capture_devices.h"

#include <windows.h>
#include <dshow.h>
#include <mmdeviceapi.h>
#include <wrl/client.h>

#include "common/endpoint_name.h"
#include "common/logger.h"

using Microsoft::WRL::ComPtr;

namespace {

constexpr char kGetAudioDevices[] = "CVistrelFrame::GetAudioDevices";

std::wstring MonikerFriendlyName(IMoniker* moniker) {
    ComPtr<IPropertyBag> bag;
    if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_PPV_ARGS(&bag)))) return std::wstring();
    VARIANT value;
    VariantInit(&value);
    std::wstring name;
    if (SUCCEEDED(bag->Read(L"FriendlyName", &value, nullptr)) && value.vt == VT_BSTR && value.bstrVal)
        name = value.bstrVal;
    VariantClear(&value);
    return name;
}

bool IsRenderEndpoint(IMMDevice* device) {
    ComPtr<IMMEndpoint> endpoint;
    EDataFlow flow = eCapture;
    return SUCCEEDED(device->QueryInterface(IID_PPV_ARGS(&endpoint))) && SUCCEEDED(endpoint->GetDataFlow(&flow)) &&
           flow == eRender;
}

HRESULT CreateEndpointEnumerator(ComPtr<IMMDeviceEnumerator>& enumerator) {
    return CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL, IID_PPV_ARGS(&enumerator));
}

void LogEndpointError(HRESULT hr) {
    LogBoth(kGetAudioDevices, "Could not enumerate audio endpoints error.");
    LogBoth(kGetAudioDevices, "[err]0x%08lx ", static_cast<unsigned long>(hr));
}

}  // namespace

bool IsHiddenDeviceName(const std::wstring& name, bool render) {
    for (const wchar_t* hidden : {L"立体声混音", L"线路输入"})
        if (name.find(hidden) != std::wstring::npos) return true;
    return render && name.find(L"耳机") != std::wstring::npos;
}

std::vector<std::wstring> SystemCaptureDevices::CaptureFilters(bool audio) {
    std::vector<std::wstring> names;
    ComPtr<ICreateDevEnum> devices;
    if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&devices))))
        return names;
    ComPtr<IEnumMoniker> monikers;
    const CLSID& category = audio ? CLSID_AudioInputDeviceCategory : CLSID_VideoInputDeviceCategory;
    // S_FALSE: the category is empty.
    if (devices->CreateClassEnumerator(category, &monikers, 0) != S_OK || !monikers) return names;
    ComPtr<IMoniker> moniker;
    while (monikers->Next(1, &moniker, nullptr) == S_OK) {
        std::wstring name = MonikerFriendlyName(moniker.Get());
        if (!name.empty()) names.push_back(name);
        moniker.Reset();
    }
    return names;
}

std::vector<EndpointName> SystemCaptureDevices::Endpoints(EndpointDirection direction, bool activeOnly) {
    std::vector<EndpointName> names;
    ComPtr<IMMDeviceEnumerator> enumerator;
    HRESULT hr = CreateEndpointEnumerator(enumerator);
    if (FAILED(hr)) {
        LogEndpointError(hr);
        return names;
    }
    const EDataFlow flow = direction == EndpointDirection::kRender    ? eRender
                           : direction == EndpointDirection::kCapture ? eCapture
                                                                      : eAll;
    const DWORD states = DEVICE_STATE_ACTIVE | (activeOnly ? 0 : DEVICE_STATE_UNPLUGGED);
    ComPtr<IMMDeviceCollection> collection;
    UINT count = 0;
    if (FAILED(hr = enumerator->EnumAudioEndpoints(flow, states, &collection)) ||
        FAILED(hr = collection->GetCount(&count))) {
        LogEndpointError(hr);
        return names;
    }
    for (UINT i = 0; i < count; ++i) {
        ComPtr<IMMDevice> device;
        if (FAILED(collection->Item(i, &device))) continue;
        LPWSTR id = nullptr;
        if (FAILED(device->GetId(&id))) continue;  // an endpoint without an id is skipped
        CoTaskMemFree(id);
        std::wstring name = EndpointFriendlyName(device.Get());
        if (!name.empty()) names.push_back({name, IsRenderEndpoint(device.Get())});
    }
    return names;
}

std::wstring SystemCaptureDevices::DefaultCaptureEndpoint() {
    ComPtr<IMMDeviceEnumerator> enumerator;
    ComPtr<IMMDevice> device;
    if (FAILED(CreateEndpointEnumerator(enumerator)) ||
        FAILED(enumerator->GetDefaultAudioEndpoint(eCapture, eConsole, &device)))
        return std::wstring();
    return EndpointFriendlyName(device.Get());
}
