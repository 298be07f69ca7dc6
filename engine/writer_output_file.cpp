// Opening and finishing output files.
#include "engine/writer_output_file.h"

#include <cerrno>
#include <cstring>
#include <cwchar>

#include "common/logger.h"
#include "common/text_convert.h"
#include "engine/recording_finish.h"
#include "engine/recording_finisher.h"
#include "engine/writer.h"
#include "engine/writer_audio_encoder.h"
#include "engine/writer_output_names.h"
#include "engine/writer_video_encoder.h"

namespace {
const char* const kOpen = "CSaveVideoFileThread::HandleoStream";
const char* const kClose = "CSaveVideoFileThread::coPutFun";
}  // namespace

bool cnStream(AVFormatContext* oc, AVStream** stream, const AVCodecContext* ctx, int timebase) {
    AVStream* st = avformat_new_stream(oc, nullptr);
    if (!st || timebase <= 0) return false;
    st->time_base = AVRational{1, timebase};
    if (avcodec_parameters_from_context(st->codecpar, ctx) < 0) return false;
    *stream = st;
    return true;
}

void oCtRele(AVFormatContext** oc) {
    if (!*oc) return;
    if ((*oc)->pb && !((*oc)->oformat->flags & AVFMT_NOFILE)) avio_closep(&(*oc)->pb);
    avformat_free_context(*oc);
    *oc = nullptr;
}

std::wstring CSaveVideoFileThread::NFiNa_SpFi() {
    const int n = m_EndNum++;
    LogBoth("CSaveVideoFileThread::NFiNa_SpFi", "[m_SpFi_SPa]%s [m_EndNum]%d", WideToUtf8(m_SpFi_SPa).c_str(),
            m_EndNum);
    return PartFileName(m_SpFi_SPa, n);
}

std::wstring CSaveVideoFileThread::ChooseFileName() {
    if (m_bSplit) return NFiNa_SpFi();  // parts are written over, not renamed
    return UniqueFileName(m_of);
}

bool CSaveVideoFileThread::HandleoStream() {
    const SettingRecord settings = CSettingData::GetInstance()->GetSettings();
    std::unique_lock<std::shared_mutex> file(m_fileLock);
    ReleaseOutput();  // whatever a failed opening left behind
    m_lastSoundTime = 0;
    m_of = ChooseFileName();
    m_openFailure = WriteFailure::kNone;
    m_writeFailure = WriteFailure::kNone;
    if (!OpenOutput(settings)) {
        const bool created = m_file.IsOpen();
        if (m_openFailure == WriteFailure::kNone) m_openFailure = WriteFailure::kOther;
        ReleaseOutput();
        if (created) DeleteFileW(m_of.c_str());  // holds no recording
        return false;
    }
    if (!MarkUnfinished(m_of))
        LogBoth(kOpen, "[file]%s its unfinished marker could not be made error", WideToUtf8(m_of).c_str());
    m_bOpen = true;
    m_bPictureReady = m_oBuf != nullptr;
    return true;
}

// An MP4 is written in fragments (one at least every half second), so that what is on
// the disk is playable at any moment; it becomes an ordinary MP4 when it is
// finished. Its header waits for every stream's first packet (so that each stream's
// start is in it), but not for long: PutHeldPacketsOut. The interleaving holds a
// packet for at most a second while another stream has none. The header must reach
// the disk: a file that cannot take it is no recording.
bool CSaveVideoFileThread::WriteHeader() {
    AVDictionary* options = nullptr;
    const bool mp4 = strcmp(m_oc->oformat->name, "mp4") == 0;
    if (mp4) {
        av_dict_set(&options, "movflags", "frag_keyframe+empty_moov+delay_moov+default_base_moof", 0);
        av_dict_set(&options, "frag_duration", "500000", 0);
    }
    m_oc->max_interleave_delta = AV_TIME_BASE;
    m_headerHeld = mp4;
    m_firstPacketTick = 0;
    m_packetsSinceFlush = m_muxerHoldsPackets = false;
    m_startedLate.assign(m_oc->nb_streams, false);
    int ret = avformat_write_header(m_oc, &options);
    av_dict_free(&options);
    if (ret >= 0) {
        m_file.Flush(true);
        if (m_file.Failure() == WriteFailure::kNone) return true;
        m_openFailure = m_file.Failure();
        LogBoth(kOpen, "[file]%s %s: the header could not be written error", WideToUtf8(m_of).c_str(),
                WriteFailureText(m_openFailure));
        return false;
    }
    char text[128] = {};
    av_strerror(ret, text, sizeof text);
    LogBoth(kOpen, "[avformat_write_header]%d %s error", ret, text);
    m_openFailure = m_file.Failure() != WriteFailure::kNone ? m_file.Failure() : WriteFailureOfAvError(ret);
    return false;
}

bool CSaveVideoFileThread::OpenOutput(const SettingRecord& settings) {
    const std::string name = WideToUtf8(m_of);  // FFmpeg's file layer reads UTF-8
    if (avformat_alloc_output_context2(&m_oc, nullptr, nullptr, name.c_str()) < 0 || !m_oc) {
        LogBoth(kOpen, "avformat_alloc_output_context2 Error");
        return false;
    }
    if (m_bUseVideo && !OpenVideoStream(settings)) return false;
    if (g_userSelMode != kSelModeSoundOnly) {
        const RECT& r = g_rRecord2;
        if (r.left == 0 && r.top == 0 && r.right == 0 && r.bottom == 0) {
            LogBoth(kOpen, "error RIEy(g_rRecord2)");
            return false;
        }
        IYFrame(&m_pFrame, &m_oBuf, AV_PIX_FMT_YUV420P, r.right - r.left, r.bottom - r.top);
    }
    if (m_audioCodecId != AV_CODEC_ID_NONE && (m_bUseSys || m_bUseMic) && !OpenAudioStream(settings)) return false;
    if (m_aCtx && !CreateConverters()) {
        m_openFailure = WriteFailure::kSoundFormat;
        LogBoth(kOpen, "the sound of the devices cannot be converted for the encoder error");
        return false;
    }
    av_dump_format(m_oc, 0, name.c_str(), 1);
    if (!w_on(name)) return false;
    if (!WriteHeader()) return false;
    m_bHeaderWritten = true;
    m_lastDts.assign(m_oc->nb_streams, AV_NOPTS_VALUE);
    m_written = PacketCounts{};
    const int queueChannels = TwoSources() ? kMixChannels : m_nChannels;
    return m_micQueue.Alloc(queueChannels) && m_sysQueue.Alloc(queueChannels);
}

bool CSaveVideoFileThread::OpenVideoStream(const SettingRecord& settings) {
    const RECT& r = g_rRecord2;
    if (!vcoHandle(m_oc, &m_vCtx, &m_vCodec, AV_CODEC_ID_H264, AV_PIX_FMT_YUV420P, r.right - r.left, r.bottom - r.top,
                   ParseVideoBitrate(settings.VBitrate), m_frameRate, kVideoQmin, quality_to_value(settings.Definition),
                   kVideoMaxBFrames)) {
        LogBoth(kOpen, "!vcoHandle()");
        return false;
    }
    if (!cnStream(m_oc, &m_s1, m_vCtx, m_frameRate)) {
        LogBoth(kOpen, "!cnStream()");
        return false;
    }
    m_videoFrameCount = 0;
    m_videoTimes.clear();
    return true;
}

bool CSaveVideoFileThread::OpenAudioStream(const SettingRecord& settings) {
    const int rate = TwoSources() ? kMixSampleRate : (m_bUseSys ? m_Frame1.in_sample_rate : m_Frame2.in_sample_rate);
    if (!acoHandle(m_oc, &m_aCtx, &m_aCodec, m_audioCodecId, m_nChannels, rate, ParseAudioBitrate(settings.ABitrate))) {
        LogBoth(kOpen, "!acoHandle error");
        return false;
    }
    m_encFormat = {m_aCtx->ch_layout.nb_channels, m_aCtx->sample_fmt, m_aCtx->sample_rate, 0};
    m_lastAudioFramePts = AV_NOPTS_VALUE;
    return cnStream(m_oc, &m_s2, m_aCtx, m_aCtx->sample_rate);
}

bool CSaveVideoFileThread::w_on(const std::string& utf8Name) {
    if (!m_oc) {
        LogBoth(kOpen, "!oc || !*oc error.");
        return false;
    }
    if (!CrD_MuLe(FolderOf(m_of))) {
        m_openFailure = WriteFailureOfWinError(GetLastError());
        LogBoth(kOpen, "[file]%s !CrD_MuLe(...) error.", utf8Name.c_str());
        return false;
    }
    if (m_oc->oformat->flags & AVFMT_NOFILE) return true;
    if (!m_file.Open(m_of)) {
        m_openFailure = m_file.Failure();
        LogBoth(kOpen, "[ret_avio_open]%d error", AVERROR(EIO));
        return false;
    }
    m_oc->pb = m_file.Context();
    m_oc->flags |= AVFMT_FLAG_CUSTOM_IO;
    return true;
}

// Frees every context, picture, queue and pending frame of the current file.
void CSaveVideoFileThread::ReleaseOutput() {
    m_bOpen = false;
    m_bPictureReady = false;
    avcodec_free_context(&m_vCtx);
    avcodec_free_context(&m_aCtx);
    if (m_oBuf) av_freep(&m_oBuf);
    av_frame_free(&m_pFrame);
    int leftSys = m_sysQueue.Free();
    int leftMic = m_micQueue.Free();
    if (leftSys || leftMic) LogFile(kClose, "[len_sys]%d [len_mic]%d left in Fifo", leftSys, leftMic);
    ClearPending(true);
    if (m_oc && m_oc->pb == m_file.Context()) m_oc->pb = nullptr;  // the file's own, closed below
    m_file.Close();
    oCtRele(&m_oc);
    m_s1 = m_s2 = nullptr;
    m_bHeaderWritten = false;
    m_lastDts.clear();
}

void CSaveVideoFileThread::coPutFun() {
    LogBoth(kClose, "start");
    bool written;
    {
        std::unique_lock<std::shared_mutex> file(m_fileLock);
        m_bOpen = false;
        m_bPictureReady = false;
        written = m_oc && m_bHeaderWritten;
        if (written) {
            DrainVideo();
            DrainAudio();
            int ret = av_write_trailer(m_oc);
            if (ret < 0) LogBoth(kClose, "[av_write_trailer]%d error", ret);
            if (m_oc->pb && m_oc->pb->error < 0 && m_file.Failure() == WriteFailure::kNone)
                NoteWriteFailure(WriteFailureOfAvError(m_oc->pb->error));
        }
        ReleaseOutput();
        if (written) NoteCloseFailure();
    }
    if (written) FinishClosedFile();
    LogBoth(kClose, "end");
}

// The drain, the trailer and the last flush at the close write too: a failure
// there ends the recording as one in the middle would.
void CSaveVideoFileThread::NoteCloseFailure() {
    if (m_file.Failure() != WriteFailure::kNone) NoteWriteFailure(m_file.Failure());
}

// A closed file is reported at once; it is made whole (an MP4 made ordinary) and
// listed only when it plays (a write that failed may have left nothing), on the
// finisher's worker when there is one.
void CSaveVideoFileThread::FinishClosedFile() {
    ClosedFile closed;
    closed.path = m_of;
    closed.countsKnown = true;
    closed.counts = m_written;
    if (m_finisher) {
        if (m_owner) m_owner->OnFileFinished(m_of);
        m_finisher->Add(closed);
        return;
    }
    const FinishedFile finished = FinishClosedRecording(closed);
    if (finished.listWriteFailed) m_listWriteFailed = true;
    if (m_owner) m_owner->OnFileFinished(m_of);
}

// Flush thread, every CRecordFile::kFlushPeriodMs: what the muxer holds goes into the
// file, and the file to the disk. Only the hand-over into the file is under the
// output lock; the wait for the disk is not.
void CSaveVideoFileThread::PeriodicFlush() {
    std::shared_lock<std::shared_mutex> file(m_fileLock);
    if (!m_bOpen || !m_oc || !m_oc->pb || m_writeFailure != WriteFailure::kNone) return;
    {
        std::lock_guard<std::mutex> out(m_outMutex);
        PutHeldPacketsOut();
        avio_flush(m_oc->pb);
        m_packetsSinceFlush = false;
    }
    m_file.Sync();
}

// Under the output lock. An MP4 whose header still waits for a stream that has no
// packet kStreamWaitMs after the first one (a sound source that never delivers)
// goes on without it: the header and what the other streams have go out, and a
// stream that starts later keeps its start time (its first fragment says where it
// lies). And when no packet has come for a whole period (the capture stalls), the
// packets the interleaving and the current fragment hold go out too.
void CSaveVideoFileThread::PutHeldPacketsOut() {
    if (m_headerHeld && avio_tell(m_oc->pb) > 0) m_headerHeld = false;  // every stream had its first packet
    bool streamWithout = false;
    for (int64_t dts : m_lastDts) streamWithout = streamWithout || dts == AV_NOPTS_VALUE;
    if (m_headerHeld && streamWithout && m_firstPacketTick && GetTickCount64() - m_firstPacketTick >= kStreamWaitMs) {
        for (size_t i = 0; i < m_lastDts.size(); ++i) m_startedLate[i] = m_lastDts[i] == AV_NOPTS_VALUE;
        LogBoth("CSaveVideoFileThread::PeriodicFlush",
                "[file]%s a stream has no packet %llu ms after the first: the file goes on without waiting",
                WideToUtf8(m_of).c_str(), static_cast<unsigned long long>(kStreamWaitMs));
        av_interleaved_write_frame(m_oc, nullptr);
        av_write_frame(m_oc, nullptr);  // the header alone
        av_opt_set(m_oc->priv_data, "movflags", "+frag_discont", 0);
        av_write_frame(m_oc, nullptr);  // the first fragment
        m_headerHeld = m_muxerHoldsPackets = false;
        return;
    }
    if (m_packetsSinceFlush || !m_muxerHoldsPackets || m_headerHeld) return;
    av_interleaved_write_frame(m_oc, nullptr);
    av_write_frame(m_oc, nullptr);
    m_muxerHoldsPackets = false;
}

// Frame paths, any capture thread: the first failure is kept and the file takes
// nothing more.
void CSaveVideoFileThread::NoteWriteFailure(WriteFailure failure) {
    WriteFailure none = WriteFailure::kNone;
    if (!m_writeFailure.compare_exchange_strong(none, failure)) return;
    m_bOpen = false;
    m_bPictureReady = false;
    LogBoth("CSaveVideoFileThread::WritePacket", "[file]%s %s: the recording cannot go on error",
            WideToUtf8(m_of).c_str(), WriteFailureText(failure));
}
