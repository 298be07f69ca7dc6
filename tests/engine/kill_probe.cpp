// A process that records through the real capture devices until it is killed:
//   kill_probe.exe <output folder> <MP4|FLV|MP3>
// MP4 and FLV record the screen and the test tone, MP3 the tone alone. Once the
// recording state is set it writes "recording.txt" into the folder and waits to
// be ended from outside (it never stops by itself). Exit code 2: it could not start.
#include <windows.h>

#include <string>

#include "common/monitor_list.h"
#include "common/record_globals.h"
#include "common/setting_data.h"
#include "common/text_convert.h"
#include "engine/vistreler.h"
#include "tests/fixtures/fixture_devices.h"

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const std::wstring folder = Utf8ToWide(argv[1]);
    const std::string format = argv[2];
    const bool soundOnly = format == "MP3";
    SettingRecord record = CSettingData::GetInstance()->GetSettings();
    record.path = folder;
    record.VFormat = soundOnly ? L"MP4" : Utf8ToWide(format);
    record.Division = false;
    CSettingData::GetInstance()->Save(record);

    std::vector<MonitorInfo> monitors;
    RECT desktop = {};
    if (!EnumMonitorList(monitors, desktop)) return 2;
    g_userSelMode = soundOnly ? kSelModeSoundOnly : kSelModeFullScreen;
    g_recordSources = (soundOnly ? 0 : kSourceScreen) | kSourceMicrophone;
    g_rcSnapwick = desktop;
    CVistreler recorder;
    recorder.SetFrameRate(25);
    recorder.SetRecordRect(desktop.left, desktop.top, desktop.right, desktop.bottom);
    if (!recorder.init("screen-capture-recorder", !soundOnly, "virtual-audio-capturer", false,
                       fixture_devices::kToneDeviceName, true))
        return 2;
    recorder.Start();
    Sleep(1000);  // what queued up while the sources opened is dropped
    g_recordeState = _RecordingState;
    recorder.SetRecordState(_RecordingState);
    HANDLE signal = CreateFileW((folder + L"\\recording.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (signal != INVALID_HANDLE_VALUE) CloseHandle(signal);
    for (;;) Sleep(1000);
}
