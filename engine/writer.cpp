// The writer's set-up and sound queue housekeeping.
#include "engine/writer.h"

#include <cstring>

#include "common/logger.h"

CSaveVideoFileThread::CSaveVideoFileThread(osRecord* owner) : m_owner(owner) {
    m_dMFrInf = {kMixChannels, AV_SAMPLE_FMT_S16, kMixSampleRate, AV_CH_LAYOUT_STEREO};
}

CSaveVideoFileThread::~CSaveVideoFileThread() {
    m_flushThread.Stop();
    // The controller finishes the file first; this only frees what is still held.
    std::unique_lock<std::shared_mutex> file(m_fileLock);
    ReleaseOutput();
}

void CSaveVideoFileThread::SetWriterPath(const std::string& path) {
    const size_t n = path.size() < kWriterPathSize - 1 ? path.size() : kWriterPathSize - 1;
    memcpy(m_path, path.data(), n);
    m_path[n] = '\0';
}

void CSaveVideoFileThread::SetFrameRate(int32_t fps) { m_frameRate = fps; }
void CSaveVideoFileThread::SetSplit(bool on) { m_bSplit = on; }

void CSaveVideoFileThread::SetOutputName(const std::wstring& path) {
    m_of = path;
    if (m_bSplit) m_SpFi_SPa = path;
}

void CSaveVideoFileThread::SetAudioCodecId(AVCodecID id) { m_audioCodecId = id; }

void CSaveVideoFileThread::SetAudioChannels(int32_t channels) {
    if (channels > 0) m_nChannels = channels;
}

void CSaveVideoFileThread::SetAudioInput(int32_t sourceType, const AudioInputParams& params) {
    (sourceType == kSourceMicrophone ? m_Frame2 : m_Frame1) = params;
}

void CSaveVideoFileThread::SetInputSampleRate(int32_t sourceType, int32_t rate) {
    (sourceType == kSourceMicrophone ? m_Frame2 : m_Frame1).in_sample_rate = rate;
}

void CSaveVideoFileThread::SetOtherSourceRecorded(int32_t sourceType, bool recorded) {
    (sourceType == kSourceMicrophone ? m_bConAudio2Var : m_bConAudioVar) = recorded;
}

bool CSaveVideoFileThread::Init(bool useVideo, bool useSysAudio, bool useMicAudio) {
    const char* where = "CSaveVideoFileThread::Init";
    LogBoth(where, "start");
    m_bUseVideo = useVideo;
    m_bUseSys = useSysAudio;
    m_bUseMic = useMicAudio;
    m_dMFrInf = {kMixChannels, AV_SAMPLE_FMT_S16, kMixSampleRate, AV_CH_LAYOUT_STEREO};
    const int32_t firstPart = m_EndNum;
    if (!HandleoStream()) {
        LogBoth(where, "error !HandleoStream");
        m_EndNum = firstPart;
        return false;
    }
    // Each file's sound converters are made as it opens (a file whose sound cannot be
    // converted is not opened). The file reaches the disk from its flush thread.
    m_flushThread.Start([this] { PeriodicFlush(); }, CRecordFile::kFlushPeriodMs);
    bEnd = true;
    LogBoth(where, "end");
    return true;
}

bool CSaveVideoFileThread::ClearStop() {
    m_bStop = false;
    return true;
}

bool CSaveVideoFileThread::StopHelpers() {
    for (CThreadRunner& runner : m_helpers)
        if (runner.IsRunning()) runner.Stop();
    m_bStop = true;
    return true;
}

void CSaveVideoFileThread::ClAF() {
    std::shared_lock<std::shared_mutex> file(m_fileLock);
    std::lock_guard<std::mutex> mix(m_mixMutex);
    m_sysQueue.Clear();
    m_micQueue.Clear();
    ClearPending(false);
    // Both sources take their first alignment again before they are mixed.
    m_mixTail[0] = m_mixTail[1] = MixTail{};
}

int CSaveVideoFileThread::QueuedSamples(int32_t sourceType) { return SoundQueue(sourceType).Size(); }

CSoundQueue& CSaveVideoFileThread::SoundQueue(int32_t sourceType) {
    return sourceType == kSourceMicrophone ? m_micQueue : m_sysQueue;
}

void CSaveVideoFileThread::ClearPending(bool log) {
    std::lock_guard<std::mutex> guard(m_pendingMutex);
    for (PendingFrame& entry : m_onFrMiAuLi) {
        if (log) LogFile("CSaveVideoFileThread::coPutFun", "[pending frame]%d samples", entry.frame->nb_samples);
        av_frame_free(&entry.frame);
    }
    m_onFrMiAuLi.clear();
}

bool CSaveVideoFileThread::PopPending(PendingFrame* out) {
    std::lock_guard<std::mutex> guard(m_pendingMutex);
    if (m_onFrMiAuLi.empty()) return false;
    *out = m_onFrMiAuLi.front();
    m_onFrMiAuLi.pop_front();
    return true;
}
