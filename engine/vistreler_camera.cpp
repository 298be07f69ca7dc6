// The recorder controller's camera preview: its own capture source, never recorded
// (the webcam window is seen in a recording because it is on the recorded screen).
#include "common/logger.h"
#include "common/record_globals.h"
#include "engine/vistreler.h"

void CVistreler::InitCameraThread() {
    if (m_pVideo2) m_pVideo2->Stop();  // replaced
    m_pVideo2.reset(new CGetVideoThread(this, kSourceCamera));
    m_pVideo2->SetRecordRect(m_recordRect.left, m_recordRect.top, m_recordRect.right, m_recordRect.bottom);
    m_pVideo2->SetWriter(m_svF.get());
}

bool CVistreler::StartCameraVideo(const std::string& cameraName) {
    const char* where = "CVistreler::StartCameraVideo";
    if (cameraName.empty()) {
        LogBoth(where, "error strCameraDev.empty()");
        return false;
    }
    if (!m_pVideo2) InitCameraThread();
    m_pVideo2->Stop();  // its loop must not run while it opens a device
    m_useCamera = true;
    if (!m_pVideo2->init(cameraName, true, "", false, false)) {
        LogBoth(where, "[cameraName]%s init error", cameraName.c_str());
        m_useCamera = false;
        return false;
    }
    m_pVideo2->Start();
    return true;
}

void CVistreler::StopCamera() {
    m_useCamera = false;
    if (m_pVideo2) m_pVideo2->Stop();
    m_previewOpen = false;
    m_preview.Close();
}

void CVistreler::OnVideoSize(int32_t width, int32_t height) {
    m_cameraWidth = width;
    m_cameraHeight = height;
}

void CVistreler::OnVideoOpened() {
    m_preview.SetWindow(m_previewWindow);
    m_preview.SetFormat(m_cameraWidth, m_cameraHeight, 24, true);
    m_preview.SetStretch(1);
    m_preview.SetOverlayRect(m_previewOverlay);
    m_preview.Open();
    m_previewOpen = true;
}

void CVistreler::OnFrame(AVStream* stream, AVFrame* frame) {
    if (stream && frame && m_previewOpen && m_useCamera) m_preview.RenderFrame(stream, frame);
}
