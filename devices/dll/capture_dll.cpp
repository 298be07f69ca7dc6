// VistrelCapture.dll: the screen and system-sound capture devices, registered
// with regsvr32.
#include "devices/dll/device_ids.h"
#include "devices/dshow/dll_exports.h"
#include "devices/screen/screen_source.h"
#include "devices/sound/system_sound_source.h"

const CaptureFilterTable& HostedFilterTable() {
    static const CaptureFilterEntry filters[] = {
        {&kClsidScreenCapture, kScreenDeviceName, &CLSID_VideoInputDeviceCategory, &MEDIATYPE_Video,
         &MEDIASUBTYPE_RGB32, &CScreenSource::Create},
        {&kClsidSystemSound, kSystemSoundDeviceName, &CLSID_AudioInputDeviceCategory, &MEDIATYPE_Audio,
         &MEDIASUBTYPE_PCM, &CSystemSoundSource::Create},
    };
    static const CaptureFilterTable table = {filters, sizeof filters / sizeof filters[0]};
    return table;
}
