#include "app/recorder_opening.h"

#include <objbase.h>

#include <utility>

RecorderOpening::~RecorderOpening() { Finish(); }

void RecorderOpening::Begin(OpenStep open, HWND window, UINT message) {
    Finish();
    m_pending = true;
    m_opened = false;
    const WPARAM number = ++m_number;
    m_worker = std::thread([this, open = std::move(open), window, message, number] {
        // The multithreaded apartment: the capture graphs made here are used from
        // the capture threads and must not belong to this thread, which ends now.
        const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        m_opened = open();
        if (SUCCEEDED(com)) CoUninitialize();
        PostMessageW(window, message, number, 0);
    });
}

bool RecorderOpening::Finish() {
    if (m_worker.joinable()) m_worker.join();
    const bool opened = m_pending && m_opened;
    m_pending = false;
    return opened;
}
