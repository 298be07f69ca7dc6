// One capture source of a recording (screen, camera, system sound or microphone):
// reads its DirectShow device through FFmpeg, decodes each packet and hands pictures
// and sound to the file writer, or camera frames to the preview.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "common/thread_runner.h"
#include "engine/capture_crop_scaler.h"
#include "engine/ffmpeg_api.h"
#include "engine/os_record.h"
#include "engine/writer.h"
#include "engine/writer_audio_params.h"

class CPacketRules;

class CGetVideoThread : public SiThO {
public:
    // type: the source bit (kSourceScreen, kSourceCamera, kSourceSystemSound,
    // kSourceMicrophone).
    CGetVideoThread(osRecord* owner, int32_t type);
    ~CGetVideoThread();
    CGetVideoThread(const CGetVideoThread&) = delete;
    CGetVideoThread& operator=(const CGetVideoThread&) = delete;

    void SetWriter(CSaveVideoFileThread* writer) { m_svF = writer; }
    // The area the screen device covers, in desktop pixels.
    void SetRecordRect(int32_t left, int32_t top, int32_t right, int32_t bottom);

    // Opens the device named for this source (an empty name opens nothing) and hands
    // its format to the writer. The three flags say what the whole recording uses.
    // UI thread, while the loop is not running. On failure nothing stays open.
    bool init(const std::string& videoDevName, bool useVideo, const std::string& audioDevName, bool useSysAudio,
              bool useMicAudio);
    void Start();
    // Ends the loop (the runner waits a bounded time); the loop releases the input.
    void Stop();
    // Closes the device and frees the decoders; UI thread, loop not running.
    void ReleaseInput();

    DWORD _Do(CThreadRunner* runner) override;

    int32_t Type() const { return m_type; }
    bool IsRunning() const { return m_runner.IsRunning(); }
    bool IsInputOpen() const { return m_iFC != nullptr; }
    // m_bPr: set while a packet that passed the drop test is on its way to the writer.
    bool IsBusy() const { return m_bPr; }
    const AudioInputParams& SoundParams() const { return m_audioParams; }
    // Since the loop last started: packets read from the device, and those that passed
    // the drop tests and were decoded for the writer (or the preview).
    int64_t PacketsRead() const { return m_packetsRead; }
    int64_t PacketsHandedOn() const { return m_packetsHandedOn; }

    // m_cnTN of a source type.
    static const char* SourceName(int32_t type);

private:
    bool OpenVideoInput(const std::string& name);
    bool SetUpScreenCrop();
    bool SetUpPictureConversion();
    bool OpenSoundInput(const std::string& name);
    void HandSoundFormatToWriter();
    // true when the packet passed the drop tests and was decoded.
    bool HandlePacket(AVPacket* pkt, const CPacketRules& rules);
    void HandleVideoPacket(const AVPacket* pkt);
    void WritePicture(int64_t pts);
    void HandleSoundPacket(const AVPacket* pkt);

    std::string m_cnTN;  // the source's name in log lines
    osRecord* m_owner;
    CThreadRunner m_runner;
    AVFormatContext* m_iFC = nullptr;
    int m_nIndex1 = -1;  // video stream
    int m_nIndex2 = -1;  // audio stream
    AVCodecContext* m_iVCC = nullptr;
    AVCodecContext* m_soundDecoder = nullptr;
    AVFrame* m_picture = nullptr;  // decoded
    AVFrame* m_sound = nullptr;
    bool m_bStarted = false;
    CSaveVideoFileThread* m_svF = nullptr;
    int32_t m_type;
    CCropScaler m_cropScaler;                          // the screen's crop into the writer's picture
    bool m_bU1 = false, m_bU2 = false, m_bU3 = false;  // screen, system sound, microphone used
    std::atomic<bool> m_bPr{false};
    RECT m_recordRect{};
    AudioInputParams m_audioParams;
    std::atomic<int64_t> m_packetsRead{0};
    std::atomic<int64_t> m_packetsHandedOn{0};
};
