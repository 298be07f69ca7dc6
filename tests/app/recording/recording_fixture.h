// One main window for the recording tests, created in-process from the real skin,
// recording through the real recorder from the capture devices of the test
// prefix into a folder of its own. Shutdown and sleep are recorded, never done.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/progress/power_actions.h"
#include "app/vistrel_frame.h"
#include "common/record_globals.h"
#include "common/record_request.h"
#include "common/setting_data.h"
#include "tests/support/test_support.h"

class RecordingPower : public PowerActions {
public:
    void ShutdownSystem() override { ++shutdowns; }
    void SuspendSystem() override { ++suspends; }
    int shutdowns = 0;
    int suspends = 0;
};

// Closes a modal dialog of that class and window name with code as soon as it
// shows, from a thread of its own (the dialog's modal loop holds the UI thread).
class DialogCloser {
public:
    DialogCloser(const wchar_t* className, const wchar_t* windowName, UINT code);
    ~DialogCloser();
    DialogCloser(const DialogCloser&) = delete;
    DialogCloser& operator=(const DialogCloser&) = delete;
    bool Seen() const { return m_seen; }

private:
    std::wstring m_className, m_windowName;
    UINT m_code;
    std::atomic<bool> m_stop{false}, m_seen{false};
    std::thread m_thread;
};

class RecordingTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // The suite's settings (output folder, no countdown, no splitting), then change.
    static void Configure(const std::function<void(SettingRecord&)>& change = {});
    // Full screen, recorded with the test tone as the microphone when mic is set.
    void ChooseFullScreen(bool mic);
    static bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = 15000);
    bool WaitUntilRecording();
    // Until every closed file is whole and in the list shown.
    static bool WaitForFinishedFiles();
    // Until the recorder has written that much of this recording.
    bool WaitForBytes(uint64_t bytes);
    void SendHotkey(const wchar_t* atomName);
    // A scheduled start handled at once, as a task posts it (a registered heap copy).
    void SendRequest(const RecordRequest& request);
    bool Armed() const { return frame->IsRecordingUnderWay() && g_recordeState == _StopState; }
    HWND Hwnd() const { return frame->GetHWND(); }
    // Recordings in the output folder, in name order.
    std::vector<std::wstring> Recordings() const;
    std::wstring OutputFile(const std::wstring& name) const { return output->File(name); }
    static int LogSize();

    static CVistrelFrame* frame;
    static bool created;
    static testing_support::TempDir* output;
    static RecordingPower power;
};
