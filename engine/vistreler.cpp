// The recorder controller: set-up, start, split and stop of a recording.
#include "engine/vistreler.h"

#include <chrono>
#include <mutex>
#include <shared_mutex>

#include "common/logger.h"
#include "common/record_globals.h"
#include "common/setting_data.h"
#include "engine/writer_record_name.h"

CVistreler::CVistreler()
    : m_Td1(new CGetVideoThread(this, kSourceScreen)),
      m_Td2(new CGetVideoThread(this, kSourceSystemSound)),
      m_Td3(new CGetVideoThread(this, kSourceMicrophone)),
      m_svF(new CSaveVideoFileThread(this)) {
    m_finisher = std::make_unique<CRecordingFinisher>(
        [this](const FinishedFile& file, bool last) {
            if (m_finishedNotice) m_finishedNotice(file, last);
        },
        [this](const ClosedFile& file) {
            const FinishedFile finished = FinishClosedRecording(file);
            if (finished.listWriteFailed) m_listWriteFailed = true;
            return finished;
        });
    m_svF->SetFinisher(m_finisher.get());
    m_Td1->SetWriter(m_svF.get());
    m_Td2->SetWriter(m_svF.get());
    m_Td3->SetWriter(m_svF.get());
}

CVistreler::~CVistreler() {
    const char* where = "CVistreler::~CVistreler";
    LogConsole(where, "delete m_Td1");
    m_Td1.reset();
    LogConsole(where, "delete m_Td2");
    m_Td2.reset();
    LogConsole(where, "delete m_Td3");
    m_Td3.reset();
    LogConsole(where, "delete m_pVideo2");
    m_pVideo2.reset();
    m_svF->StopHelpers();
    LogConsole(where, "delete m_svF");
    m_svF.reset();
    m_finishedPath.clear();
    m_preview.Close();
}

void CVistreler::SetWriterPath(const std::string& path) { m_svF->SetWriterPath(path); }
void CVistreler::SetFrameRate(int32_t fps) { m_svF->SetFrameRate(fps); }

void CVistreler::SetRecordRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    m_recordRect = RECT{left, top, right, bottom};
    m_Td1->SetRecordRect(left, top, right, bottom);
}

bool CVistreler::init(const std::string& videoDevName, bool useVideo, const std::string& audioSysName, bool useSysAudio,
                      const std::string& audioMicName, bool useMicAudio) {
    if (m_svF->IsFileOpen()) {  // a second init would drop the file being written
        LogBoth("CVistreler::init", "already recording error");
        return false;
    }
    const uint64_t previousTime = m_uTimeNum;
    const bool previous[3] = {m_useScreen, m_useSysAudio, m_useMicAudio};
    m_uTimeNum = 0;
    m_useScreen = useVideo;
    m_useSysAudio = useSysAudio;
    m_useMicAudio = useMicAudio;
    LogFile("CVistreler::init",
            "[videoDevName]%s [audioSysName]%s [audioMicName]%s [useVideo]%d [useSysAudio]%d "
            "[useMicAudio]%d ",
            videoDevName.c_str(), audioSysName.c_str(), audioMicName.c_str(), useVideo, useSysAudio, useMicAudio);
    m_startFailure = RecordStartFailure::kDevice;
    if (InitSources(videoDevName, audioSysName, audioMicName)) {
        m_startFailure = RecordStartFailure::kOutputFile;
        if (InitWriter()) {
            m_startFailure = RecordStartFailure::kNone;
            return true;
        }
    }
    // Back to where this attempt started: no device open, no file.
    ReleaseInputs();
    m_uTimeNum = previousTime;
    m_useScreen = previous[0];
    m_useSysAudio = previous[1];
    m_useMicAudio = previous[2];
    return false;
}

bool CVistreler::InitSources(const std::string& videoDevName, const std::string& audioSysName,
                             const std::string& audioMicName) {
    const char* where = "CVistreler::init";
    const bool v = m_useScreen, s = m_useSysAudio, m = m_useMicAudio;
    // The screen is opened last: from its opening its device queues whole desktop
    // pictures until the capture threads start, and opening a sound device takes
    // up to a second (it waits for the first sound), so opening the screen first
    // kept a full queue of pictures in memory for that second.
    if (s && !m_Td2->init("", v, audioSysName, s, m)) {
        LogBoth(where, "m_Td2->init failed");
        return false;
    }
    if (m && !m_Td3->init("", v, audioMicName, s, m)) {
        LogBoth(where, "m_Td3->init failed");
        return false;
    }
    if (v && !m_Td1->init(videoDevName, v, "", s, m)) {
        LogBoth(where, "m_Td1->init failed");
        return false;
    }
    return true;
}

bool CVistreler::InitWriter() {
    const SettingRecord settings = CSettingData::GetInstance()->GetSettings();
    m_svF->SetSplit(settings.Division);
    SYSTEMTIME now;
    GetLocalTime(&now);
    const RecordName name = MakeRecordName(settings, g_userSelMode, now);
    if (name.audioCodec != AV_CODEC_ID_NONE) m_svF->SetAudioCodecId(name.audioCodec);
    m_svF->SetOutputName(name.path);
    if (!m_svF->Init(m_useScreen, m_useSysAudio, m_useMicAudio)) {
        LogBoth("CVistreler::init", "m_svF->Init error.");
        return false;
    }
    m_svF->SetVideoUsed(m_useScreen);
    if (m_useSysAudio || m_useMicAudio) m_svF->SetAudioUsed(true);
    return true;
}

void CVistreler::ReleaseInputs() {
    m_Td1->ReleaseInput();
    m_Td2->ReleaseInput();
    m_Td3->ReleaseInput();
}

void CVistreler::Start() {
    m_svF->ClearStop();
    Sleep(50);
    if (m_useSysAudio) m_Td2->Start();
    if (m_useMicAudio) m_Td3->Start();
    if (m_useScreen) m_Td1->Start();
}

void CVistreler::SetRecordState(int32_t state) { m_svF->SetRecordState(state); }

void CVistreler::LogBusySources() {
    const struct {
        bool used;
        const CGetVideoThread* thread;
        const char* text;
    } sources[] = {{m_useScreen, m_Td1.get(), "[m_Td1->m_bPr]%d [m_type]%d"},
                   {m_useSysAudio, m_Td2.get(), "[m_Td2->m_bPr]%d [m_type]%d"},
                   {m_useMicAudio, m_Td3.get(), "[m_Td3->m_bPr]%d [m_type]%d"}};
    for (const auto& s : sources)
        if (s.used && s.thread->IsBusy()) LogFile("CVistreler::SplitFile", s.text, 1, s.thread->Type());
}

void CVistreler::ResetWriterTiming() {
    const char* where = "CVistreler::SplitFile";
    m_svF->_wfi_fip_up2(0);
    LogFile(where, "m_svF->_wfi_fip_up2(0)");
    m_svF->RPaPar();
    LogFile(where, "m_svF->RPaPar()");
    m_svF->ResetAlignment();
    m_svF->ClAF();
    LogFile(where, "m_svF->ClAF()");
}

SplitOutcome CVistreler::SplitFile() {
    const char* where = "CVistreler::SplitFile";
    if (!m_svF) {
        LogBoth(where, "!m_svF error.");
        return SplitOutcome::kSkipped;
    }
    if (!m_svF->IsFileOpen()) {  // nothing being recorded: no part to finish
        LogBoth(where, "no file open error");
        return SplitOutcome::kSkipped;
    }
    const int32_t state = m_svF->m_ReSt;
    SetRecordState(_StopState);
    m_svF->StopHelpers();
    // Once the gate is held no source is between its drop test and the writer, and
    // any that reads on sees the stopped state.
    std::unique_lock<std::shared_timed_mutex> gate(m_svF->m_packetLock, std::defer_lock);
    if (!gate.try_lock_for(std::chrono::milliseconds(kSplitWaitMs))) {
        LogBusySources();
        LogBoth(where, "[wait]%lu ms: a capture source did not leave the writer error",
                static_cast<unsigned long>(kSplitWaitMs));
        SetRecordState(state);
        return SplitOutcome::kSkipped;
    }
    LogBoth(where, "m_svF->coPutFun()");
    m_svF->coPutFun();
    if (m_svF->WriteFailed() != WriteFailure::kNone) {  // kept until the caller has told the user
        LogBoth(where, "the part took no more: the recording ends with the parts written error");
        gate.unlock();
        StopSources();
        return SplitOutcome::kRecordingEnded;
    }
    LogBoth(where, "m_svF->HandleoStream()");
    if (!m_svF->HandleoStream()) {
        LogBoth(where, "m_svF->HandleoStream() error: the recording ends with the parts written");
        m_splitFailure = m_svF->OpenFailure();
        gate.unlock();
        StopSources();
        return SplitOutcome::kRecordingEnded;
    }
    ResetWriterTiming();
    SetRecordState(state);  // a paused recording stays paused
    return SplitOutcome::kSplit;
}

void CVistreler::StopSources() {
    if (m_useScreen) m_Td1->Stop();
    if (m_useSysAudio) m_Td2->Stop();
    if (m_useMicAudio) m_Td3->Stop();
}

void CVistreler::StopRecord() {
    LogBoth("CVistreler::StopRecord", "CVistreler::StopRecord");
    if (m_pVideo2) m_pVideo2->Stop();
    StopSources();
    m_svF->StopHelpers();
    m_svF->coPutFun();
}

WriteFailure CVistreler::EndFailure() const {
    return m_splitFailure != WriteFailure::kNone ? m_splitFailure : m_svF->WriteFailed();
}

void CVistreler::OnBytesWritten(int64_t bytes) {
    if (bytes > 0) m_nSaveFileSize += static_cast<uint64_t>(bytes);
}

void CVistreler::OnFileFinished(std::wstring path) { m_finishedPath = std::move(path); }
