// The file writer of one recording: pictures and sound frames in, MP4 (H.264 + AAC),
// FLV (H.264 + MP3) or sound-only MP3 files out, split into numbered parts on demand.
//
// The writer has no thread. The capture threads call HandlefFrame1 and paToL; the
// controller opens, splits and closes files on the UI thread after it has set
// m_ReSt to 2 and waited for the capture threads to leave the writer. As a second
// guard, frames are accepted only while a file is fully open: opening and closing
// hold the file lock exclusively, every frame path holds it shared.
//
// Lock order: locks held together are taken in this order, never the other way round:
//   m_packetLock > m_fileLock > m_mixMutex > the clock's alignment mutex > a sound queue's lock.
// The pending-frame lock (m_pendingMutex) and the output lock (m_outMutex) are taken
// under the file lock (and the mix lock), each alone: no other lock is taken while
// either is held.
//
// Besides the capture threads, a flush thread of the writer's own puts the file on
// the disk twice a second (PeriodicFlush), under the file lock shared and the output
// lock.
//
// The writer's files:
//   writer.cpp               set-up, the sound queues' housekeeping, the pending list
//   writer_clock.*           first packet, pauses and the first sound alignment
//   writer_output_file.*     opening and finishing output files, their streams
//   writer_output_names.*    part names, folders and "videolist.txt"
//   writer_record_file.*     the file under the writer's own handle: flushes, the first failure
//   writer_flush_thread.*    the thread that calls the periodic flush
//   writer_failure.*         why a file could not be opened or written, as the user is told
//   writer_record_name.*     the name of a new recording and its sound codec
//   writer_video_encoder.*   the H.264 encoder and the picture path
//   writer_audio_encoder.*   the AAC / MP3 encoder and the sound frame path
//   writer_audio_params.h    a capture input's sound format
//   writer_sound_input.cpp   sound frames in: conversion, queues, alignment, cutting
//   writer_sound_convert.*   one resampler between two sound formats
//   writer_sound_queue.*     one source's queue of samples and its head time
//   writer_sound_mixer.*     mixing system sound and microphone
//   writer_packet.cpp        every packet's write into the file
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <shared_mutex>
#include <string>
#include <vector>

#include "common/record_globals.h"
#include "common/setting_data.h"
#include "common/thread_runner.h"
#include "engine/ffmpeg_api.h"
#include "engine/os_record.h"
#include "engine/recording_finish.h"
#include "engine/writer_audio_params.h"
#include "engine/writer_clock.h"
#include "engine/writer_failure.h"
#include "engine/writer_flush_thread.h"
#include "engine/writer_record_file.h"
#include "engine/writer_sound_convert.h"
#include "engine/writer_sound_queue.h"

class CCropScaler;
class CRecordingFinisher;

class CSaveVideoFileThread {
public:
    static constexpr int kMixSampleRate = 44100;  // g_oSample: the rate of a two-source mix
    static constexpr int kMixChannels = 2;
    static constexpr size_t kWriterPathSize = 512;
    // A source of a two-source mix that lies this far behind its partner has stalled:
    // it is filled with silence from then on, until it delivers again.
    static constexpr int kMixStallLimitMs = 1000;
    // A source of a two-source mix whose frames lie further than this from where its
    // samples so far put them is padded with silence or cut back to its timestamps.
    static constexpr int kMixDriftToleranceMs = 40;
    // How long after a file's first packet an MP4 waits for every stream to have one
    // before its header goes to the disk without them.
    static constexpr ULONGLONG kStreamWaitMs = 500;

    explicit CSaveVideoFileThread(osRecord* owner);
    ~CSaveVideoFileThread();
    CSaveVideoFileThread(const CSaveVideoFileThread&) = delete;
    CSaveVideoFileThread& operator=(const CSaveVideoFileThread&) = delete;

    // --- Set-up, UI thread, before Init ---
    void SetWriterPath(const std::string& path);  // kept, up to 511 bytes
    void SetFrameRate(int32_t fps);
    void SetSplit(bool on);
    // The file to write; with splitting on also the base of the part names.
    void SetOutputName(const std::wstring& path);
    void SetAudioCodecId(AVCodecID id);
    // Where closed files are made whole and listed; null (the default): in coPutFun itself.
    void SetFinisher(CRecordingFinisher* finisher) { m_finisher = finisher; }
    // A sound capture thread's device channel count; ignored unless positive.
    void SetAudioChannels(int32_t channels);
    // sourceType kSourceSystemSound or kSourceMicrophone.
    void SetAudioInput(int32_t sourceType, const AudioInputParams& params);
    void SetInputSampleRate(int32_t sourceType, int32_t rate);
    // The other sound source is recorded too: this source's frames go through its
    // converter into the mixing format (m_bConAudioVar / m_bConAudio2Var).
    void SetOtherSourceRecorded(int32_t sourceType, bool recorded);

    // Opens the first file, then the sound converters; sets bEnd. false when the file
    // could not be opened; the part number is then as it was, for the next attempt.
    bool Init(bool useVideo, bool useSysAudio, bool useMicAudio);
    void SetVideoUsed(bool on) { m_bVideoUsed = on; }
    void SetAudioUsed(bool on) { m_bAudioUsed = on; }
    void SetRecordState(int32_t state) { m_ReSt = state; }
    bool ClearStop();
    bool StopHelpers();  // stops the helper runners, sets the stop flag

    // Opens the next output file (a new part when splitting). false on any failure;
    // the writer then accepts no frame until an opening succeeds.
    bool HandleoStream();
    // Finishes the current file: drains the encoders, writes the trailer, frees the
    // file's contexts and queues and reports it through OnFileFinished; a write that
    // fails in the drain or the trailer counts as a write failure (WriteFailed). Then
    // the file is made whole (an MP4 made ordinary) and its name appended to
    // "videolist.txt" when it plays: here, or on the finisher's worker when there is
    // one. Does nothing more than free when no file was written.
    void coPutFun();
    // The next part name from the split base; advances the part number.
    std::wstring NFiNa_SpFi();

    // --- Timing: the writer's clock (writer_clock.h), written by the capture side ---
    CWriterClock& Clock() { return m_clock; }
    void _wfi_fip_up2(int64_t firstPacketTime) { m_clock._wfi_fip_up2(firstPacketTime); }
    int64_t FirstPacketTime() const { return m_clock.FirstPacketTime(); }
    // pts - first-packet time - accumulated pause.
    int64_t RelativePts(int64_t pts) const { return m_clock.RelativePts(pts); }
    // Sets the alignment reference and which sources still have to align their first frame.
    void InAli(int64_t pts, bool sysUsed, bool micUsed) { m_clock.InAli(pts, sysUsed, micUsed); }
    // Zeroes g_llPause_StartTime and the first paused pts of every source.
    void RPaPar() { m_clock.RPaPar(); }
    // Zeroes the accumulated pause, the alignment reference, both need-alignment flags
    // and both pending alignment sample counts (done at a split).
    void ResetAlignment() { m_clock.ResetAlignment(); }
    // Empties both sound queues and the pending-frame list.
    void ClAF();
    // Samples waiting in the queue of kSourceSystemSound or kSourceMicrophone.
    int QueuedSamples(int32_t sourceType);

    // --- Frames, capture threads ---
    // True while a file is open and its picture buffer exists (outside sound-only
    // mode the capture threads drop their packets otherwise).
    bool IsPictureReady() const { return m_bPictureReady; }
    // One captured picture: scaler converts its g_rRecord2 area straight into the
    // writer's picture, which is encoded at `time` (see RelativePts) of inTimeBase.
    // false when the frame was refused or could not be written. Screen thread.
    bool HandlefFrame1(const AVFrame* captured, CCropScaler& scaler, int64_t time, AVRational inTimeBase);
    // One decoded sound frame of sourceType, pts in the time base of ic's stream
    // streamIndex. The frame stays the caller's.
    void paToL(const AVFrame* frame, int64_t pts, int32_t sourceType, const AVFormatContext* ic, int streamIndex);

    // --- State the capture threads read and write ---
    std::atomic<int32_t> m_ReSt{_StopState};
    std::atomic<bool> bEnd{false};
    RECT g_rRecord2{};  // crop of the captured picture, set when the screen input opens
    // Held shared by a capture thread from its drop test until its packet is in the
    // writer; a split holds it exclusively while it swaps the file and resets the
    // timing, so no packet passes the test under one file and lands in the next.
    std::shared_timed_mutex m_packetLock;

    // --- Read-only views ---
    const std::wstring& CurrentFile() const { return m_of; }
    int32_t NextPartNumber() const { return m_EndNum; }
    bool IsFileOpen() const { return m_bOpen; }
    const AVCodecContext* VideoCodecContext() const { return m_vCtx; }
    const AVCodecContext* AudioCodecContext() const { return m_aCtx; }
    int AudioChannels() const { return m_nChannels; }
    CSoundQueue& SoundQueue(int32_t sourceType);
    // Why the last opening failed (kNone when it did not).
    WriteFailure OpenFailure() const { return m_openFailure; }
    // The first write into the current file that failed; from then on the writer
    // takes no more frames (the recording must end). Any thread.
    WriteFailure WriteFailed() const { return m_writeFailure.load(); }
    // Some finished file could not be added to "videolist.txt".
    bool ListWriteFailed() const { return m_listWriteFailed.load(); }
    // The screen delivered pictures of another size than the recorded area was set up
    // for (the picture is lost from then on). Any thread.
    bool PictureSizeChanged() const { return m_pictureSizeChanged.load(); }

    // Flush thread (and tests): what the muxer and the file layer hold goes to the disk.
    void PeriodicFlush();

private:
    struct PendingFrame {
        AVFrame* frame;
        int64_t time;  // input time base
    };

    // writer_output_file.cpp
    bool OpenOutput(const SettingRecord& settings);
    bool OpenVideoStream(const SettingRecord& settings);
    bool OpenAudioStream(const SettingRecord& settings);
    bool w_on(const std::string& utf8Name);
    void ReleaseOutput();
    std::wstring ChooseFileName();
    bool WriteHeader();
    void FinishClosedFile();
    void NoteCloseFailure();
    void NoteWriteFailure(WriteFailure failure);
    void PutHeldPacketsOut();
    // writer_video_encoder.cpp
    bool MakePictureWritable();
    bool ReceiveVideoPackets();
    void DrainVideo();
    // writer_audio_encoder.cpp
    void HandlefFrame2(AVFrame** frame, int64_t time, AVRational inTimeBase);
    bool ReceiveAudioPackets();
    void DrainAudio();
    // writer_packet.cpp
    bool WritePacket(AVPacket* pkt);
    // writer_sound_input.cpp
    bool TwoSources() const { return m_bUseSys && m_bUseMic; }
    bool CreateConverters();
    AudioFormat QueueFormat(int32_t sourceType) const;
    void SingleSourceFrame(const AVFrame* frame, int64_t pts, AVRational tb, int32_t sourceType);
    void SysFrameForMix(const AVFrame* frame, int64_t pts, AVRational tb);
    void MicFrameForMix(const AVFrame* frame, int64_t pts, AVRational tb);
    struct MixTail;
    MixTail& MixTailOf(int32_t sourceType) { return m_mixTail[sourceType == kSourceMicrophone ? 1 : 0]; }
    void QueueForMix(int32_t sourceType, const AVFrame* frame, int64_t pts, bool first, AVRational tb);
    void FillStalledPartner(int32_t sourceType, AVRational tb);
    void MixQueued(AVRational tb);
    void CutQueue(CSoundQueue& queue, int64_t head, int sampleRate, AVRational tb);
    bool PopPending(PendingFrame* out);
    void EncodePending(AVRational tb);
    void ClearPending(bool log);
    // writer_sound_mixer.cpp
    void HandleMomF3(AVFrame* micFrame, int64_t pts, bool first, AVRational tb);

    osRecord* m_owner;
    char m_path[kWriterPathSize] = {};

    // Sound encoder and stream (m_s2).
    AVCodecContext* m_aCtx = nullptr;
    const AVCodec* m_vCodec = nullptr;
    const AVCodec* m_aCodec = nullptr;
    int32_t m_nChannels = 2;
    AVStream* m_s2 = nullptr;
    std::mutex m_outMutex;  // every packet write
    int64_t m_lastSoundTime = 0;
    AVFormatContext* m_oc = nullptr;
    CThreadRunner m_helpers[3];  // never started; stopped with StopHelpers
    int32_t m_frameRate = 15;
    bool m_bStop = false;
    bool m_bVideoUsed = true;
    bool m_bAudioUsed = false;
    CSoundQueue m_micQueue;
    CSoundQueue m_sysQueue;

    // Video encoder, stream (m_s1) and the picture the capture thread's crop goes into.
    AVCodecContext* m_vCtx = nullptr;
    AVStream* m_s1 = nullptr;
    AVFrame* m_pFrame = nullptr;
    uint8_t* m_oBuf = nullptr;
    int64_t m_videoFrameCount = 0;
    std::deque<int64_t> m_videoTimes;  // stream time of each picture inside the encoder

    AVCodecID m_audioCodecId = AV_CODEC_ID_AAC;
    bool m_bUseVideo = false;
    bool m_bUseSys = false;
    bool m_bUseMic = false;
    std::wstring m_of;

    // Sound formats and converters.
    AudioInputParams m_Frame1;  // system sound input
    AudioInputParams m_Frame2;  // microphone input
    AudioFormat m_dMFrInf;      // mixing format
    AudioFormat m_encFormat;    // the opened sound encoder's format
    bool m_bConAudioVar = false;
    bool m_bConAudio2Var = false;
    CResampler m_swr1;                             // system sound -> mixing format (or queue format alone)
    CResampler m_swr2;                             // microphone -> mixing format (or queue format alone)
    CResampler m_swr3;                             // queue or mix -> encoder
    int64_t m_lastAudioFramePts = AV_NOPTS_VALUE;  // encoder time base

    std::mutex m_pendingMutex;
    std::deque<PendingFrame> m_onFrMiAuLi;

    // The two-source mix: both sources' whole path runs under m_mixMutex, so either
    // source's thread can mix (the one that delivers, when the other has stalled).
    struct MixTail {
        int64_t samples = 0;  // where the queue's tail lies, in samples from the alignment reference
        bool placed = false;  // the source's first frame after the reference is in
        bool filled = false;  // being filled with silence: its partner went on without it
        int64_t silence = 0;  // samples of silence filled since then
    };
    std::mutex m_mixMutex;
    MixTail m_mixTail[2];  // system sound, microphone

    // First packet, pauses and the alignment record, with their own lock.
    CWriterClock m_clock;

    // Output file state.
    std::shared_mutex m_fileLock;
    std::atomic<bool> m_bOpen{false};
    std::atomic<bool> m_bPictureReady{false};
    bool m_bHeaderWritten = false;
    std::vector<int64_t> m_lastDts;  // per stream, for strictly increasing timestamps
    PacketCounts m_written;          // packets the muxer took, under the output mutex
    CRecordingFinisher* m_finisher = nullptr;
    bool m_bSplit = false;
    int32_t m_EndNum = 1;
    std::wstring m_SpFi_SPa;

    // The file under the writer's own handle, and what went wrong with files.
    CRecordFile m_file;
    WriteFailure m_openFailure = WriteFailure::kNone;
    std::atomic<WriteFailure> m_writeFailure{WriteFailure::kNone};
    std::atomic<bool> m_listWriteFailed{false};
    std::atomic<bool> m_pictureSizeChanged{false};

    // The periodic flush's view of the muxer, under the output lock.
    bool m_headerHeld = false;         // an MP4 whose header waits for every stream
    ULONGLONG m_firstPacketTick = 0;   // when this file's first packet went to the muxer
    bool m_packetsSinceFlush = false;  // since the last periodic flush
    bool m_muxerHoldsPackets = false;  // written to the muxer since it last put all out
    std::vector<bool> m_startedLate;   // per stream: it had no packet when the header went out
    CWriterFlushThread m_flushThread;
};
