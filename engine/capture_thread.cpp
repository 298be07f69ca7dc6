// A capture source's set-up: its device, decoders, picture conversion, and what the
// writer learns about its format.
#include "engine/capture_thread.h"

#include "common/logger.h"
#include "common/record_globals.h"
#include "common/setting_data.h"
#include "engine/capture_input.h"
#include "engine/capture_screen_crop.h"
#include "engine/capture_screen_values.h"

namespace {
const char* const kInit = "CGetVideoThread::init";
}  // namespace

CGetVideoThread::CGetVideoThread(osRecord* owner, int32_t type)
    : m_cnTN(SourceName(type)), m_owner(owner), m_type(type) {}

CGetVideoThread::~CGetVideoThread() {
    LogConsole("CGetVideoThread::~CGetVideoThread", "[m_type]%d", m_type);
    m_runner.Stop();
    ReleaseInput();
}

void CGetVideoThread::SetRecordRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    m_recordRect = RECT{left, top, right, bottom};
}

bool CGetVideoThread::init(const std::string& videoDevName, bool useVideo, const std::string& audioDevName,
                           bool useSysAudio, bool useMicAudio) {
    m_bU1 = useVideo;
    m_bU2 = useSysAudio;
    m_bU3 = useMicAudio;
    LogBoth(kInit, "[videoDevName]%s [audioDevName]%s [m_bU1]%d [m_bU2]%d [m_bU3]%d", videoDevName.c_str(),
            audioDevName.c_str(), m_bU1, m_bU2, m_bU3);
    ReleaseInput();  // a second attempt starts clean
    // Only the screen source opens the screen device: the other sources would write an
    // area of their own (none) over the one the screen device is about to read.
    if (m_type == kSourceScreen) WriteScreenFilterValues(m_recordRect, CSettingData::GetInstance()->GetSettings());
    if (!OpenVideoInput(videoDevName)) {
        LogBoth(kInit, "[videoDevName]%s !_By_DNa error", videoDevName.c_str());
        ReleaseInput();
        return false;
    }
    if (!OpenSoundInput(audioDevName)) {
        LogBoth(kInit, "[audioDevName]%s !_By_DNa error", audioDevName.c_str());
        ReleaseInput();
        return false;
    }
    LogBoth(kInit, "end");
    return true;
}

bool CGetVideoThread::OpenVideoInput(const std::string& name) {
    if (name.empty()) return true;
    const int64_t queue = m_type == kSourceScreen ? ScreenQueueBytes(m_recordRect.right - m_recordRect.left,
                                                                     m_recordRect.bottom - m_recordRect.top)
                                                  : 0;
    if (OpenCaptureDevice(DeviceKind::kVideo, name, &m_iFC, kInit, queue) != 0) return false;
    m_nIndex1 = FirstStreamOf(m_iFC, AVMEDIA_TYPE_VIDEO);
    if (m_nIndex1 < 0) {
        LogBoth(kInit, "[m_nIndex1]%d", m_nIndex1);
        return false;
    }
    const AVCodecParameters* par = m_iFC->streams[m_nIndex1]->codecpar;
    if (m_type == kSourceCamera && m_owner) {
        m_owner->OnVideoSize(par->width, par->height);
        m_owner->OnVideoOpened();
    }
    m_iVCC = OpenStreamDecoder(m_iFC->streams[m_nIndex1], kInit);
    if (!m_iVCC) return false;
    if (m_type == kSourceScreen && !SetUpScreenCrop()) return false;
    return SetUpPictureConversion();
}

// The writer's crop: the chosen area within the captured picture.
bool CGetVideoThread::SetUpScreenCrop() {
    if (!m_svF) return false;
    const RECT& area = g_rcSnapwick;
    LogBoth(kInit, "[g_rcSnapwick]%ld %ld %ld %ld", area.left, area.top, area.right, area.bottom);
    RECT crop = CropForArea(area, m_recordRect, g_userSelMode == kSelModeFullScreen);
    // The device may deliver less than the record rectangle: never crop past the picture.
    crop = ClampCropToPicture(crop, m_iVCC->width, m_iVCC->height);
    if (crop.left == 0 && crop.top == 0 && crop.right == 0 && crop.bottom == 0)
        LogBoth(kInit, "RIEy(m_svF->g_rRecord2) error.");
    m_svF->g_rRecord2 = crop;
    LogBoth(kInit, "[g_rRecord2]%ld %ld %ld %ld", crop.left, crop.top, crop.right, crop.bottom);
    return true;
}

// The screen converts its crop straight into the writer's picture; a camera's frames
// go to the preview as decoded. An empty crop (logged above) is left for the writer to
// refuse when it opens the file.
bool CGetVideoThread::SetUpPictureConversion() {
    const int w = m_iVCC->width, h = m_iVCC->height;
    m_picture = av_frame_alloc();
    const RECT crop = m_svF ? m_svF->g_rRecord2 : RECT{};
    const bool emptyCrop = crop.right <= crop.left || crop.bottom <= crop.top;
    const bool converts = m_type != kSourceScreen || emptyCrop || m_cropScaler.Init(w, h, m_iVCC->pix_fmt, crop);
    if (!m_picture || !converts) {
        LogBoth(kInit, "[w]%d [h]%d [pix_fmt]%d picture conversion error", w, h, m_iVCC->pix_fmt);
        return false;
    }
    return true;
}

bool CGetVideoThread::OpenSoundInput(const std::string& name) {
    if (name.empty()) return true;
    if (m_iFC) {  // one device per source
        LogBoth(kInit, "[audioDevName]%s a video device is open already error", name.c_str());
        return false;
    }
    if (OpenCaptureDevice(DeviceKind::kAudio, name, &m_iFC, kInit) != 0) return false;
    m_nIndex2 = FirstStreamOf(m_iFC, AVMEDIA_TYPE_AUDIO);
    if (m_nIndex2 < 0) {
        LogBoth(kInit, "[m_nIndex2]%d", m_nIndex2);
        return false;
    }
    const AVStream* stream = m_iFC->streams[m_nIndex2];
    const int channels = stream->codecpar->ch_layout.nb_channels;
    if (channels > 0 && m_svF) m_svF->SetAudioChannels(channels);
    m_soundDecoder = OpenStreamDecoder(stream, kInit);
    m_sound = av_frame_alloc();
    if (!m_soundDecoder || !m_sound) return false;

    AudioInputParams& p = m_audioParams;
    p = AudioInputParams{};
    p.channels = m_soundDecoder->ch_layout.nb_channels;
    p.frame_size = m_soundDecoder->frame_size;
    p.in_sample_rate = m_soundDecoder->sample_rate;
    p.out_sample_rate = m_bU2 && m_bU3 ? CSaveVideoFileThread::kMixSampleRate : p.in_sample_rate;
    p.time_base_num = stream->time_base.num;
    p.time_base_den = stream->time_base.den;
    AVChannelLayout layout;
    av_channel_layout_default(&layout, p.channels);
    p.channel_layout = layout.order == AV_CHANNEL_ORDER_NATIVE ? layout.u.mask : 0;
    p.sample_fmt = m_soundDecoder->sample_fmt;
    HandSoundFormatToWriter();
    return true;
}

void CGetVideoThread::HandSoundFormatToWriter() {
    if (!m_svF || (m_type != kSourceSystemSound && m_type != kSourceMicrophone)) return;
    const int32_t other = m_type == kSourceSystemSound ? kSourceMicrophone : kSourceSystemSound;
    m_svF->SetAudioInput(m_type, m_audioParams);
    if (IsRecordSourceOn(other)) m_svF->SetOtherSourceRecorded(m_type, true);
    m_svF->SetInputSampleRate(m_type, m_audioParams.in_sample_rate);
}

void CGetVideoThread::ReleaseInput() {
    m_cropScaler.Release();
    av_frame_free(&m_picture);
    av_frame_free(&m_sound);
    avcodec_free_context(&m_iVCC);
    avcodec_free_context(&m_soundDecoder);
    if (m_iFC) {
        avformat_close_input(&m_iFC);
        LogConsole("CGetVideoThread::ReleaseInput", "[m_cnTN]%s avformat_close_input(&m_iFC)", m_cnTN.c_str());
    }
    m_nIndex1 = m_nIndex2 = -1;
}

void CGetVideoThread::Start() {
    m_bStarted = true;
    if (!m_runner.IsRunning()) m_runner.Start(this, false);
}

void CGetVideoThread::Stop() { m_runner.Stop(); }
