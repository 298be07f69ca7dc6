#include "engine/writer_record_file.h"

#include <cerrno>

#include "common/logger.h"
#include "common/text_convert.h"

namespace {
constexpr int kBufferSize = 64 * 1024;
std::atomic<RecordFileFaults*> g_faults{nullptr};

// The file made as CreateFileW makes it, unless a test's fault says otherwise.
HANDLE CreateRecordFile(const std::wstring& path) {
    RecordFileFaults* faults = g_faults.load();
    const DWORD error = faults ? faults->OpenError(path) : ERROR_SUCCESS;
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return INVALID_HANDLE_VALUE;
    }
    return CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// ERROR_SUCCESS when the test's faults let size bytes be written at the handle's place.
DWORD FaultOfWrite(const std::wstring& path, HANDLE file, int size) {
    RecordFileFaults* faults = g_faults.load();
    if (!faults) return ERROR_SUCCESS;
    LARGE_INTEGER none = {}, at = {};
    SetFilePointerEx(file, none, &at, FILE_CURRENT);
    return faults->WriteError(path, at.QuadPart, size);
}
}  // namespace

void SetRecordFileFaults(RecordFileFaults* faults) { g_faults = faults; }

bool CRecordFile::Open(const std::wstring& path) {
    Close();
    m_failure = WriteFailure::kNone;
    m_path = path;
    m_file = CreateRecordFile(path);
    if (m_file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        m_failure = WriteFailureOfWinError(error);
        LogBoth("CRecordFile::Open", "[file]%s [error]%lu error", WideToUtf8(path).c_str(), error);
        return false;
    }
    if (!TakesData()) {
        Close();
        DeleteFileW(path.c_str());  // holds nothing
        return false;
    }
    auto* buffer = static_cast<unsigned char*>(av_malloc(kBufferSize));
    m_io = buffer ? avio_alloc_context(buffer, kBufferSize, 1, this, nullptr, &CRecordFile::Write, &CRecordFile::Seek)
                  : nullptr;
    if (!m_io) {
        av_free(buffer);
        m_failure = WriteFailure::kOther;
        Close();
        return false;
    }
    m_lastFlush = GetTickCount64();
    return true;
}

// A file on a full drive is created all the same: a first block written and taken
// back shows whether it can hold a recording.
bool CRecordFile::TakesData() {
    static const char zeros[kBufferSize] = {};
    DWORD done = 0;
    if (!WriteFile(m_file, zeros, kBufferSize, &done, nullptr) || done != kBufferSize || !FlushFileBuffers(m_file)) {
        m_failure = WriteFailureOfWinError(done != kBufferSize && GetLastError() == ERROR_SUCCESS ? ERROR_DISK_FULL
                                                                                                  : GetLastError());
        if (m_failure == WriteFailure::kNone) m_failure = WriteFailure::kDiskFull;
        LogBoth("CRecordFile::Open", "[written]%lu of %d bytes: %s error", done, kBufferSize,
                WriteFailureText(m_failure));
        return false;
    }
    LARGE_INTEGER start = {};
    return SetFilePointerEx(m_file, start, nullptr, FILE_BEGIN) && SetEndOfFile(m_file);
}

void CRecordFile::Flush(bool force) {
    if (!m_io) return;
    const ULONGLONG now = GetTickCount64();
    if (!force && now - m_lastFlush < kFlushPeriodMs) return;
    m_lastFlush = now;
    avio_flush(m_io);
    if (m_failure == WriteFailure::kNone && !FlushFileBuffers(m_file)) Fail(GetLastError());
}

void CRecordFile::Sync() {
    if (m_file != INVALID_HANDLE_VALUE && m_failure == WriteFailure::kNone && !FlushFileBuffers(m_file))
        Fail(GetLastError());
}

void CRecordFile::Close() {
    if (m_io) {
        Flush(true);
        av_freep(&m_io->buffer);
        avio_context_free(&m_io);
    }
    if (m_file != INVALID_HANDLE_VALUE) CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
}

// Once a write has failed nothing more is written: the file stays a whole
// beginning of the recording, with no gap in it.
int CRecordFile::Write(void* opaque, uint8_t* data, int size) {
    auto* self = static_cast<CRecordFile*>(opaque);
    if (self->m_failure != WriteFailure::kNone)
        return self->m_failure == WriteFailure::kDiskFull ? AVERROR(ENOSPC) : AVERROR(EIO);
    const int total = size;
    const DWORD fault = FaultOfWrite(self->m_path, self->m_file, size);
    if (fault != ERROR_SUCCESS) return self->Fail(fault);
    while (size > 0) {
        DWORD done = 0;
        if (!WriteFile(self->m_file, data, static_cast<DWORD>(size), &done, nullptr) || done == 0)
            return self->Fail(done == 0 && GetLastError() == ERROR_SUCCESS ? ERROR_DISK_FULL : GetLastError());
        data += done;
        size -= static_cast<int>(done);
    }
    return total;
}

int64_t CRecordFile::Seek(void* opaque, int64_t offset, int whence) {
    auto* self = static_cast<CRecordFile*>(opaque);
    LARGE_INTEGER size = {};
    if (whence & AVSEEK_SIZE) return GetFileSizeEx(self->m_file, &size) ? size.QuadPart : AVERROR(EIO);
    const int origin = whence & ~AVSEEK_FORCE;
    const DWORD method = origin == SEEK_CUR ? FILE_CURRENT : origin == SEEK_END ? FILE_END : FILE_BEGIN;
    LARGE_INTEGER to, at;
    to.QuadPart = offset;
    if (!SetFilePointerEx(self->m_file, to, &at, method)) return AVERROR(EINVAL);
    return at.QuadPart;
}

int CRecordFile::Fail(DWORD error) {
    WriteFailure failure = WriteFailureOfWinError(error);
    if (failure == WriteFailure::kNone) failure = WriteFailure::kOther;
    WriteFailure none = WriteFailure::kNone;
    if (m_failure.compare_exchange_strong(none, failure))
        LogBoth("CRecordFile::Write", "[error]%lu %s: nothing more is written to this file error", error,
                WriteFailureText(failure));
    return failure == WriteFailure::kDiskFull ? AVERROR(ENOSPC) : AVERROR(EIO);
}
