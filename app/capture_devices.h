// The capture devices and sound endpoints of the machine, as the main window lists
// them: DirectShow capture filters by "FriendlyName" (the names FFmpeg's dshow
// input opens) and Core Audio endpoints by friendly name. Behind an interface so
// that a test can offer devices of its own. UI thread, COM initialised.
#pragma once

#include <string>
#include <vector>

enum class EndpointDirection { kRender, kCapture, kBoth };

struct EndpointName {
    std::wstring name;
    bool render;  // a playback endpoint
};

class CaptureDeviceSource {
public:
    virtual ~CaptureDeviceSource() = default;
    // Video (audio false) or audio capture filters, in enumeration order; empty when
    // none can be listed.
    virtual std::vector<std::wstring> CaptureFilters(bool audio) = 0;
    // Endpoints of that direction: active ones, and unplugged ones too unless
    // activeOnly. Endpoints whose name cannot be read are left out.
    virtual std::vector<EndpointName> Endpoints(EndpointDirection direction, bool activeOnly) = 0;
    // The default capture endpoint's name for the console role; empty when none.
    virtual std::wstring DefaultCaptureEndpoint() = 0;
};

class SystemCaptureDevices : public CaptureDeviceSource {
public:
    std::vector<std::wstring> CaptureFilters(bool audio) override;
    std::vector<EndpointName> Endpoints(EndpointDirection direction, bool activeOnly) override;
    std::wstring DefaultCaptureEndpoint() override;
};

// Names the lists never offer: the stereo mix and line inputs, and headphones
// among the playback endpoints.
bool IsHiddenDeviceName(const std::wstring& name, bool render);
