// The system's audio endpoints as the volume control needs them: a listing and a
// master-volume setter, each behind an interface so that a test can observe which
// endpoint gets which level (Wine lists endpoints but cannot set their volume).
#pragma once

#include <string>
#include <vector>

struct AudioEndpoint {
    std::wstring id;    // the endpoint id string, to open it again
    std::wstring name;  // friendly name; empty when it cannot be read
};

enum class EndpointFlow {
    kPlayback,
    kAny,  // playback and capture
};

enum class EndpointListStatus {
    kOk,
    kNoEnumerator,  // the device enumerator could not be created
    kNoCollection,  // the endpoints could not be enumerated
    kNoCount,       // the collection's count could not be read
};

// The failing call for the log, e.g. "CoCreateInstance"; empty for kOk.
const char* FailedEndpointCall(EndpointListStatus status);

class AudioEndpointSource {
public:
    virtual ~AudioEndpointSource() = default;
    // Active endpoints of the flow in enumeration order (cleared first).
    virtual EndpointListStatus ListActive(EndpointFlow flow, std::vector<AudioEndpoint>& endpoints) = 0;
};

class EndpointVolumeSetter {
public:
    virtual ~EndpointVolumeSetter() = default;
    // Master volume level, a scalar from 0.0 to 1.0; false when it could not be set.
    virtual bool SetMasterLevel(const AudioEndpoint& endpoint, float level) = 0;
};

// Core Audio: IMMDeviceEnumerator and IAudioEndpointVolume.
class CoreAudioEndpoints : public AudioEndpointSource {
public:
    EndpointListStatus ListActive(EndpointFlow flow, std::vector<AudioEndpoint>& endpoints) override;
};

class CoreAudioVolume : public EndpointVolumeSetter {
public:
    bool SetMasterLevel(const AudioEndpoint& endpoint, float level) override;
};
