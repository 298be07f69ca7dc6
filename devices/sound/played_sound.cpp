#include "devices/sound/played_sound.h"

#include "common/endpoint_name.h"

#include <new>

using Microsoft::WRL::ComPtr;

namespace {

const wchar_t kMonitorPrefix[] = L"Monitor of ";
const REFERENCE_TIME kEngineBuffer = 10000000;  // 1 s: room for a stalled reader

bool StartsWith(const std::wstring& text, const std::wstring& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

ComPtr<IMMDevice> FindMonitorEndpoint(IMMDeviceEnumerator* devices, const std::wstring& playback_name) {
    ComPtr<IMMDeviceCollection> list;
    UINT count = 0;
    if (FAILED(devices->EnumAudioEndpoints(eCapture, DEVICE_STATE_ACTIVE, &list)) || FAILED(list->GetCount(&count)))
        return nullptr;
    ComPtr<IMMDevice> first_monitor;
    for (UINT i = 0; i < count; ++i) {
        ComPtr<IMMDevice> device;
        if (FAILED(list->Item(i, &device))) continue;
        std::wstring name = EndpointFriendlyName(device.Get());
        if (!StartsWith(name, kMonitorPrefix)) continue;
        if (name == kMonitorPrefix + playback_name) return device;
        if (!first_monitor) first_monitor = device;
    }
    return first_monitor;
}

std::unique_ptr<CPlayedSound> CPlayedSound::Open() {
    ComPtr<IMMDeviceEnumerator> devices;
    if (FAILED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&devices))))
        return nullptr;
    ComPtr<IMMDevice> playback;
    std::wstring playback_name;
    if (SUCCEEDED(devices->GetDefaultAudioEndpoint(eRender, eConsole, &playback))) {
        playback_name = EndpointFriendlyName(playback.Get());
        if (auto sound = OpenEndpoint(playback.Get(), true, L"loopback of " + playback_name)) return sound;
    }
    ComPtr<IMMDevice> monitor = FindMonitorEndpoint(devices.Get(), playback_name);
    if (!monitor) return nullptr;
    return OpenEndpoint(monitor.Get(), false, EndpointFriendlyName(monitor.Get()));
}

std::unique_ptr<CPlayedSound> CPlayedSound::OpenEndpoint(IMMDevice* device, bool loopback,
                                                         const std::wstring& description) {
    std::unique_ptr<CPlayedSound> sound(new (std::nothrow) CPlayedSound);
    if (!sound) return nullptr;
    if (FAILED(device->Activate(__uuidof(IAudioClient), CLSCTX_INPROC_SERVER, nullptr,
                                reinterpret_cast<void**>(sound->client_.GetAddressOf()))))
        return nullptr;
    WAVEFORMATEX* mix = nullptr;
    if (FAILED(sound->client_->GetMixFormat(&mix))) return nullptr;
    sound->format_ = DescribeMixFormat(*mix);
    DWORD flags = loopback ? AUDCLNT_STREAMFLAGS_LOOPBACK : 0;
    HRESULT hr = sound->format_.kind == SampleKind::Unsupported
                     ? AUDCLNT_E_UNSUPPORTED_FORMAT
                     : sound->client_->Initialize(AUDCLNT_SHAREMODE_SHARED, flags, kEngineBuffer, 0, mix, nullptr);
    CoTaskMemFree(mix);
    // Where loopback is missing (Wine), this is the step that says so.
    if (SUCCEEDED(hr)) hr = sound->client_->GetService(IID_PPV_ARGS(&sound->capture_));
    if (FAILED(hr)) return nullptr;
    sound->description_ = description;
    return sound;
}

CPlayedSound::~CPlayedSound() {
    if (started_) client_->Stop();
}

HRESULT CPlayedSound::Start() {
    if (started_) return S_OK;
    HRESULT hr = client_->Start();
    started_ = SUCCEEDED(hr);
    return hr;
}

HRESULT CPlayedSound::NextPacket(CapturedPacket& packet) {
    UINT32 waiting = 0;
    HRESULT hr = capture_->GetNextPacketSize(&waiting);
    if (FAILED(hr)) return hr;
    if (waiting == 0) return S_FALSE;
    BYTE* data = nullptr;
    hr = capture_->GetBuffer(&data, &packet.frames, &packet.flags, nullptr, &packet.qpc_position);
    if (FAILED(hr)) return hr;
    if (hr == AUDCLNT_S_BUFFER_EMPTY) return S_FALSE;
    packet.data = data;
    return S_OK;
}

void CPlayedSound::ReleasePacket(UINT32 frames) { capture_->ReleaseBuffer(frames); }
