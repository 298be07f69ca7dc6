// The recorder controller: the one object through which the main window drives a
// recording. Owns the capture sources and the file writer, starts and stops them in
// a fixed order, names the output, splits it into parts and runs the camera preview.
// Closed parts are made whole and listed on a worker of its own (the finisher), so
// neither a split nor the stop waits for that copy; the object must live until its
// finisher is idle (its destructor waits for it). One object serves one recording;
// every operation runs on the UI thread except the osRecord callbacks.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "engine/camera_preview.h"
#include "engine/capture_thread.h"
#include "engine/os_record.h"
#include "engine/recording_finisher.h"
#include "engine/writer.h"

enum class SplitOutcome {
    kSplit,           // the part was finished and the next one is being written
    kSkipped,         // a capture source did not leave the writer in time: same file goes on
    kRecordingEnded,  // the part just closed took no more, or the next part could not be
                      // opened (the cause: EndFailure()): finished parts are kept, the
                      // sources are stopped, the caller ends the recording
};

// Why the last init failed.
enum class RecordStartFailure {
    kNone,
    kDevice,      // a capture device could not be opened
    kOutputFile,  // the output file could not be made (its cause: Writer()->OpenFailure())
};

class CVistreler : public osRecord {
public:
    // How long a split waits for the capture sources to leave the writer.
    static constexpr DWORD kSplitWaitMs = 2000;

    CVistreler();
    ~CVistreler() override;
    CVistreler(const CVistreler&) = delete;
    CVistreler& operator=(const CVistreler&) = delete;

    void SetWriterPath(const std::string& path);
    void SetNotifyWindow(HWND window) { m_notifyWindow = window; }
    void SetFrameRate(int32_t fps);
    void SetRecordRect(int32_t left, int32_t top, int32_t right, int32_t bottom);
    void SetPreviewWindow(HWND window) { m_previewWindow = window; }
    // A part of the preview window painted again over each frame (its close button).
    void SetPreviewOverlay(const RECT& rect) { m_previewOverlay = rect; }
    // Told on the finisher's worker about every closed file once it is whole (made
    // ordinary, listed when it plays); last: no other file waits. Set before init.
    using FinishedNotice = std::function<void(const FinishedFile&, bool last)>;
    void SetFinishedNotice(FinishedNotice notice) { m_finishedNotice = std::move(notice); }

    // Opens the used devices (names in the system's ANSI code page) and the first output
    // file. false when any of them fails: nothing stays open and the next attempt
    // starts as this one did.
    bool init(const std::string& videoDevName, bool useVideo, const std::string& audioSysName, bool useSysAudio,
              const std::string& audioMicName, bool useMicAudio);
    // Starts the used sources; they drop what they read until the state is recording.
    void Start();
    void SetRecordState(int32_t state);
    // Finishes the current part and goes on in the next one.
    SplitOutcome SplitFile();
    // Stops the sources and the camera and closes the file; it is made whole and
    // listed after, on the finisher's worker.
    void StopRecord();
    // Any thread: every closed file is whole and listed (or found not to play).
    bool FilesFinished() { return m_finisher->IsIdle(); }
    // Waits until FilesFinished.
    void WaitForFinishedFiles() { m_finisher->WaitIdle(); }
    // Why the recording had to end: the first write that failed (also in the drain and
    // the trailer at the stop), or the next part that could not be opened. kNone when
    // nothing failed.
    WriteFailure EndFailure() const;
    // Some finished file could not be added to "videolist.txt".
    bool ListWriteFailed() const { return m_listWriteFailed.load(); }

    void InitCameraThread();
    bool StartCameraVideo(const std::string& cameraName);
    void StopCamera();

    // osRecord
    void OnFrame(AVStream* stream, AVFrame* frame) override;
    void OnVideoSize(int32_t width, int32_t height) override;
    void OnVideoOpened() override;
    void OnBytesWritten(int64_t bytes) override;
    void OnFileFinished(std::wstring path) override;

    // Bytes written in this recording, all parts together (capture threads add).
    std::atomic<uint64_t> m_nSaveFileSize{0};
    // Seconds recorded; counted by the main window's once-a-second step.
    uint64_t m_uTimeNum = 0;

    RecordStartFailure StartFailure() const { return m_startFailure; }
    // The full path of the file finished last.
    const std::wstring& FinishedPath() const { return m_finishedPath; }
    const CGetVideoThread* ScreenThread() const { return m_Td1.get(); }
    const CGetVideoThread* CameraThread() const { return m_pVideo2.get(); }
    const CGetVideoThread* SystemSoundThread() const { return m_Td2.get(); }
    const CGetVideoThread* MicrophoneThread() const { return m_Td3.get(); }
    const CSaveVideoFileThread* Writer() const { return m_svF.get(); }
    const CCameraPreview& Preview() const { return m_preview; }
    bool IsPreviewOpen() const { return m_previewOpen; }
    int32_t CameraWidth() const { return m_cameraWidth; }
    int32_t CameraHeight() const { return m_cameraHeight; }

private:
    bool InitSources(const std::string& videoDevName, const std::string& audioSysName, const std::string& audioMicName);
    bool InitWriter();
    void ReleaseInputs();
    void StopSources();
    void ResetWriterTiming();
    void LogBusySources();

    std::unique_ptr<CGetVideoThread> m_Td1;      // screen
    std::unique_ptr<CGetVideoThread> m_pVideo2;  // camera, from its first opening
    std::unique_ptr<CGetVideoThread> m_Td2;      // system sound
    std::unique_ptr<CGetVideoThread> m_Td3;      // microphone
    std::unique_ptr<CSaveVideoFileThread> m_svF;
    bool m_useScreen = false;
    std::atomic<bool> m_useCamera{false};  // read by the camera thread
    bool m_useSysAudio = false;
    bool m_useMicAudio = false;
    HWND m_notifyWindow = nullptr;  // kept for the main window; not read here
    RECT m_recordRect{};
    HWND m_previewWindow = nullptr;
    RECT m_previewOverlay = {};
    CCameraPreview m_preview;
    std::atomic<bool> m_previewOpen{false};
    int32_t m_cameraWidth = 0;
    int32_t m_cameraHeight = 0;
    std::wstring m_finishedPath;
    RecordStartFailure m_startFailure = RecordStartFailure::kNone;
    WriteFailure m_splitFailure = WriteFailure::kNone;
    std::atomic<bool> m_listWriteFailed{false};
    FinishedNotice m_finishedNotice;
    // Last: it is gone (its queue finished) before anything its worker reads.
    std::unique_ptr<CRecordingFinisher> m_finisher;
};
