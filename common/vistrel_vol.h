// Master volume of the system's audio endpoints. Keeps no state: every call lists
// the endpoints afresh. Called on the UI thread with COM initialised.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/audio_endpoints.h"

class VistrelVol {
public:
    // Through Core Audio.
    VistrelVol();
    // Through the given listing and volume setter (both must outlive the object).
    VistrelVol(AudioEndpointSource& endpoints, EndpointVolumeSetter& volume);

    // Every active playback endpoint to volume / 100.
    void SetSystemVolume(uint32_t volume);
    // Every active playback endpoint to volume / scale; failures are logged and the
    // remaining endpoints are still set.
    void SetAsVol(uint32_t volume, int32_t scale);
    // The first active endpoint, playback or capture, whose friendly name contains
    // deviceName (case-sensitive) to volume / 100. An empty name matches nothing.
    // true when the endpoints could be listed, also when none matched.
    bool SetDeviceVolume(const std::wstring& deviceName, uint32_t volume);

private:
    bool List(EndpointFlow flow, std::vector<AudioEndpoint>& endpoints);

    AudioEndpointSource& m_endpoints;
    EndpointVolumeSetter& m_volume;
};
