#include <windows.h>
#include <endpointvolume.h>
#include <mmdeviceapi.h>

#include "common/audio_endpoints.h"
#include "common/endpoint_name.h"

#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace {

HRESULT CreateEnumerator(ComPtr<IMMDeviceEnumerator>& enumerator) {
    return CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL, IID_PPV_ARGS(&enumerator));
}

std::wstring EndpointId(IMMDevice* device) {
    LPWSTR id = nullptr;
    if (FAILED(device->GetId(&id)) || !id) return std::wstring();
    std::wstring text = id;
    CoTaskMemFree(id);
    return text;
}

}  // namespace

const char* FailedEndpointCall(EndpointListStatus status) {
    switch (status) {
        case EndpointListStatus::kNoEnumerator: return "CoCreateInstance";
        case EndpointListStatus::kNoCollection: return "EnumAudioEndpoints";
        case EndpointListStatus::kNoCount: return "GetCount";
        case EndpointListStatus::kOk: break;
    }
    return "";
}

EndpointListStatus CoreAudioEndpoints::ListActive(EndpointFlow flow, std::vector<AudioEndpoint>& endpoints) {
    endpoints.clear();
    ComPtr<IMMDeviceEnumerator> enumerator;
    if (FAILED(CreateEnumerator(enumerator))) return EndpointListStatus::kNoEnumerator;
    ComPtr<IMMDeviceCollection> collection;
    EDataFlow dataFlow = flow == EndpointFlow::kPlayback ? eRender : eAll;
    if (FAILED(enumerator->EnumAudioEndpoints(dataFlow, DEVICE_STATE_ACTIVE, &collection)))
        return EndpointListStatus::kNoCollection;
    UINT count = 0;
    if (FAILED(collection->GetCount(&count))) return EndpointListStatus::kNoCount;
    for (UINT i = 0; i < count; ++i) {
        ComPtr<IMMDevice> device;
        if (FAILED(collection->Item(i, &device))) continue;
        endpoints.push_back({EndpointId(device.Get()), EndpointFriendlyName(device.Get())});
    }
    return EndpointListStatus::kOk;
}

bool CoreAudioVolume::SetMasterLevel(const AudioEndpoint& endpoint, float level) {
    ComPtr<IMMDeviceEnumerator> enumerator;
    ComPtr<IMMDevice> device;
    ComPtr<IAudioEndpointVolume> volume;
    if (FAILED(CreateEnumerator(enumerator))) return false;
    if (FAILED(enumerator->GetDevice(endpoint.id.c_str(), &device))) return false;
    if (FAILED(device->Activate(__uuidof(IAudioEndpointVolume), CLSCTX_ALL, nullptr,
                                reinterpret_cast<void**>(volume.GetAddressOf()))))
        return false;
    return SUCCEEDED(volume->SetMasterVolumeLevelScalar(level, nullptr));
}
