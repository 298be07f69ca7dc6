// What the machine plays, as the audio engine hands it out: the loopback of
// the default playback endpoint or, where the audio system has no loopback
// (Wine's), the capture endpoint that monitors it ("Monitor of <name>").
#pragma once

#include "devices/sound/pcm_convert.h"

#include <audioclient.h>
#include <mmdeviceapi.h>
#include <wrl/client.h>

#include <memory>
#include <string>

struct CapturedPacket {
    const BYTE* data;
    UINT32 frames;
    DWORD flags;          // AUDCLNT_BUFFERFLAGS_*
    UINT64 qpc_position;  // performance counter at the first frame, 100 ns units
};

class CPlayedSound {
public:
    // Opens the first stream that works; null when the machine offers none.
    static std::unique_ptr<CPlayedSound> Open();
    ~CPlayedSound();

    const MixFormat& Format() const { return format_; }
    const std::wstring& Description() const { return description_; }

    HRESULT Start();
    // S_OK with a packet that must be given back with ReleasePacket; S_FALSE
    // when none is waiting; an error when the endpoint is gone.
    HRESULT NextPacket(CapturedPacket& packet);
    void ReleasePacket(UINT32 frames);

private:
    CPlayedSound() = default;
    static std::unique_ptr<CPlayedSound> OpenEndpoint(IMMDevice* device, bool loopback,
                                                      const std::wstring& description);

    Microsoft::WRL::ComPtr<IAudioClient> client_;
    Microsoft::WRL::ComPtr<IAudioCaptureClient> capture_;
    MixFormat format_;
    std::wstring description_;
    bool started_ = false;
};

// The capture endpoint to take when loopback is missing: "Monitor of <name of
// the playback endpoint>", else the first monitor there is; null when none.
Microsoft::WRL::ComPtr<IMMDevice> FindMonitorEndpoint(IMMDeviceEnumerator* devices, const std::wstring& playback_name);
