#include "common/vistrel_vol.h"

#include "common/logger.h"
#include "common/text_convert.h"

namespace {

constexpr const char* kWhere = "VistrelVol::SetAsVol";

CoreAudioEndpoints& SystemEndpoints() {
    static CoreAudioEndpoints endpoints;
    return endpoints;
}

CoreAudioVolume& SystemVolume() {
    static CoreAudioVolume volume;
    return volume;
}

}  // namespace

VistrelVol::VistrelVol() : VistrelVol(SystemEndpoints(), SystemVolume()) {}

VistrelVol::VistrelVol(AudioEndpointSource& endpoints, EndpointVolumeSetter& volume)
    : m_endpoints(endpoints), m_volume(volume) {}

bool VistrelVol::List(EndpointFlow flow, std::vector<AudioEndpoint>& endpoints) {
    EndpointListStatus status = m_endpoints.ListActive(flow, endpoints);
    if (status == EndpointListStatus::kOk) return true;
    LogFile(kWhere, "%s error.", FailedEndpointCall(status));
    return false;
}

void VistrelVol::SetSystemVolume(uint32_t volume) { SetAsVol(volume, 100); }

void VistrelVol::SetAsVol(uint32_t volume, int32_t scale) {
    std::vector<AudioEndpoint> endpoints;
    if (!List(EndpointFlow::kPlayback, endpoints)) return;
    float level = static_cast<float>(volume) / static_cast<float>(scale);
    for (const AudioEndpoint& endpoint : endpoints) {
        LogFile(kWhere, "[name]%s [dwVol]%u ", WideToChs(endpoint.name).c_str(), volume);
        if (!m_volume.SetMasterLevel(endpoint, level)) LogFile(kWhere, "SetMasterVolumeLevelScalar error.");
    }
}

bool VistrelVol::SetDeviceVolume(const std::wstring& deviceName, uint32_t volume) {
    std::vector<AudioEndpoint> endpoints;
    if (!List(EndpointFlow::kAny, endpoints)) return false;
    if (deviceName.empty()) return true;
    for (const AudioEndpoint& endpoint : endpoints) {
        if (endpoint.name.find(deviceName) == std::wstring::npos) continue;
        if (!m_volume.SetMasterLevel(endpoint, static_cast<float>(volume) / 100.0f))
            LogFile(kWhere, "SetMasterVolumeLevelScalar error.");
        break;
    }
    return true;
}
