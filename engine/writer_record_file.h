// The output file of a recording under the writer's own handle: FFmpeg writes
// through it, the first failure keeps its cause (a full disk stays "disk full",
// whatever FFmpeg makes of it later) and nothing after it is written, and what is
// written reaches the disk twice a second, so a killed recording keeps
// all but its last moments. Every file a recording writes (its parts and the copy
// that makes an MP4 ordinary) goes through it, and so through the faults a test puts in.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "engine/ffmpeg_api.h"
#include "engine/writer_failure.h"

// Where a test makes the file layer fail as a disk or a folder would. Asked from the
// thread that creates or writes the file.
class RecordFileFaults {
public:
    virtual ~RecordFileFaults() = default;
    // The Windows error that creating path fails with; ERROR_SUCCESS lets it be made.
    virtual DWORD OpenError(const std::wstring& path) = 0;
    // The Windows error that writing size bytes at offset of path fails with (nothing
    // of them is written); ERROR_SUCCESS lets them be written.
    virtual DWORD WriteError(const std::wstring& path, int64_t offset, int size) = 0;
};
// Null (the program's own state) for none. Set while no file is being written.
void SetRecordFileFaults(RecordFileFaults* faults);

class CRecordFile {
public:
    static constexpr ULONGLONG kFlushPeriodMs = 500;

    CRecordFile() = default;
    ~CRecordFile() { Close(); }
    CRecordFile(const CRecordFile&) = delete;
    CRecordFile& operator=(const CRecordFile&) = delete;

    // Creates (or empties) the file, readable by others while it grows. false, with
    // the cause in Failure(), when it cannot be created.
    bool Open(const std::wstring& path);
    // The I/O context FFmpeg writes through; null while no file is open.
    AVIOContext* Context() const { return m_io; }
    // Under the writer's output mutex: everything written so far to the disk when
    // kFlushPeriodMs have passed since the last time (or at once with force).
    void Flush(bool force);
    // Any thread, outside the output mutex: what was handed to the file so far (see
    // avio_flush) to the disk. The file must stay open meanwhile.
    void Sync();
    // Flushes and closes; the context is freed (the format context must no longer
    // point to it). A failure of that last flush is kept in Failure().
    void Close();
    bool IsOpen() const { return m_file != INVALID_HANDLE_VALUE; }
    WriteFailure Failure() const { return m_failure.load(); }

private:
    bool TakesData();
    static int Write(void* opaque, uint8_t* data, int size);
    static int64_t Seek(void* opaque, int64_t offset, int whence);
    int Fail(DWORD error);

    std::wstring m_path;
    HANDLE m_file = INVALID_HANDLE_VALUE;
    AVIOContext* m_io = nullptr;
    std::atomic<WriteFailure> m_failure{WriteFailure::kNone};
    ULONGLONG m_lastFlush = 0;
};
