// Markers, the copy that makes a recording ordinary, and recovery at a start.
#include "engine/recording_finish.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "common/logger.h"
#include "common/text_convert.h"
#include "engine/ffmpeg_api.h"
#include "engine/writer_output_names.h"
#include "engine/writer_record_file.h"

namespace {

const wchar_t* const kMarkerSuffix = L".unfinished";
const wchar_t* const kTriedSuffix = L".recovering";  // the marker while its recording is tried
const wchar_t* const kCopySuffix = L".finishing";

struct InputCloser {
    AVFormatContext* ctx = nullptr;
    ~InputCloser() { avformat_close_input(&ctx); }
};

// The copy's format context, writing through the file layer.
struct OutputCloser {
    AVFormatContext* ctx = nullptr;
    ~OutputCloser() {
        if (!ctx) return;
        ctx->pb = nullptr;  // the record file's own
        avformat_free_context(ctx);
    }
};

// A fragmented MP4's times are those its fragments carry.
bool OpenInput(const std::wstring& path, InputCloser* in) {
    AVDictionary* options = nullptr;
    av_dict_set(&options, "use_tfdt", "1", 0);
    const int opened = avformat_open_input(&in->ctx, WideToUtf8(path).c_str(), nullptr, &options);
    av_dict_free(&options);
    if (opened < 0) return false;
    return avformat_find_stream_info(in->ctx, nullptr) >= 0 && in->ctx->nb_streams > 0;
}

bool AddStreams(const AVFormatContext* in, AVFormatContext* out) {
    for (unsigned i = 0; i < in->nb_streams; ++i) {
        AVStream* st = avformat_new_stream(out, nullptr);
        if (!st || avcodec_parameters_copy(st->codecpar, in->streams[i]->codecpar) < 0) return false;
        st->codecpar->codec_tag = 0;
        st->time_base = in->streams[i]->time_base;
    }
    return true;
}

struct CopyResult {
    PacketCounts copied;
    int readEnd = 0;  // what the last av_read_frame returned
    bool written = true;
};

// Packets until the input ends (or breaks off, as a killed recording does).
CopyResult CopyPackets(AVFormatContext* in, AVFormatContext* out) {
    CopyResult result;
    AVPacket* pkt = av_packet_alloc();
    if (!pkt) result.readEnd = AVERROR(ENOMEM);
    while (pkt && (result.readEnd = av_read_frame(in, pkt)) >= 0) {
        const int index = pkt->stream_index;
        if (index < 0 || static_cast<unsigned>(index) >= out->nb_streams) {  // a stream found after the header
            av_packet_unref(pkt);
            continue;
        }
        const AVMediaType type = in->streams[index]->codecpar->codec_type;
        av_packet_rescale_ts(pkt, in->streams[index]->time_base, out->streams[index]->time_base);
        pkt->pos = -1;
        if (av_interleaved_write_frame(out, pkt) < 0) {
            result.written = false;
            break;
        }
        if (type == AVMEDIA_TYPE_VIDEO) ++result.copied.video;
        if (type == AVMEDIA_TYPE_AUDIO) ++result.copied.audio;
    }
    av_packet_free(&pkt);
    return result;
}

// Whether the copy holds all of the recording: every packet its writer wrote, or,
// when that is not known, everything up to the end of the file.
bool CopyIsWhole(const CopyResult& copy, const PacketCounts* expected, const std::wstring& from) {
    const char* where = "RemuxRecording";
    if (copy.copied.video + copy.copied.audio == 0) return false;
    if (expected) {
        if (copy.copied.video >= expected->video && copy.copied.audio >= expected->audio) return true;
        LogBoth(where, "[file]%s [video]%lld of %lld [audio]%lld of %lld packets read: the copy is short error",
                WideToUtf8(from).c_str(), static_cast<long long>(copy.copied.video),
                static_cast<long long>(expected->video), static_cast<long long>(copy.copied.audio),
                static_cast<long long>(expected->audio));
        return false;
    }
    if (copy.readEnd == AVERROR_EOF) return true;
    char text[128] = {};
    av_strerror(copy.readEnd, text, sizeof text);
    LogBoth(where, "[file]%s reading stopped before its end (%s): the copy is short error", WideToUtf8(from).c_str(),
            text);
    return false;
}

bool Remux(const std::wstring& from, const std::wstring& to, const PacketCounts* expected) {
    InputCloser in;
    if (!OpenInput(from, &in)) return false;
    const std::string fromName = WideToUtf8(from), toName = WideToUtf8(to);
    const AVOutputFormat* format = av_guess_format(nullptr, fromName.c_str(), nullptr);
    OutputCloser out;
    if (!format || avformat_alloc_output_context2(&out.ctx, format, nullptr, toName.c_str()) < 0 || !out.ctx)
        return false;
    if (!AddStreams(in.ctx, out.ctx)) return false;
    CRecordFile file;
    if (!file.Open(to)) return false;
    out.ctx->pb = file.Context();
    out.ctx->flags |= AVFMT_FLAG_CUSTOM_IO;
    if (avformat_write_header(out.ctx, nullptr) < 0) return false;
    const CopyResult copy = CopyPackets(in.ctx, out.ctx);
    const bool trailer = av_write_trailer(out.ctx) >= 0;
    out.ctx->pb = nullptr;
    file.Close();  // flushed to the disk
    if (!copy.written || !trailer || file.Failure() != WriteFailure::kNone) {
        LogBoth("RemuxRecording", "[file]%s the copy could not be written (%s) error", WideToUtf8(to).c_str(),
                WriteFailureText(file.Failure()));
        return false;
    }
    return CopyIsWhole(copy, expected, from);
}

std::wstring WithoutSuffix(const std::wstring& path, const wchar_t* suffix) {
    return path.substr(0, path.size() - wcslen(suffix));
}

std::vector<std::wstring> FilesEndingIn(const std::wstring& base, const wchar_t* suffix) {
    std::vector<std::wstring> paths;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((base + L"*" + suffix).c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return paths;
    do {
        paths.push_back(base + found.cFileName);
    } while (FindNextFileW(find, &found));
    FindClose(find);
    std::sort(paths.begin(), paths.end());
    return paths;
}

void DeleteHidden(const std::wstring& path) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
}

}  // namespace

std::wstring UnfinishedMarkerOf(const std::wstring& recording) { return recording + kMarkerSuffix; }

bool MarkUnfinished(const std::wstring& recording) {
    HANDLE marker = CreateFileW(UnfinishedMarkerOf(recording).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (marker == INVALID_HANDLE_VALUE) return false;
    CloseHandle(marker);
    return true;
}

void ClearUnfinished(const std::wstring& recording) { DeleteHidden(UnfinishedMarkerOf(recording)); }

bool RemuxRecording(const std::wstring& from, const std::wstring& to, const PacketCounts* expected) {
    if (Remux(from, to, expected)) return true;
    DeleteFileW(to.c_str());
    return false;
}

// The copy is flushed before it replaces the original, and the replacement itself is
// written through: a power cut leaves the one or the other, whole.
bool FinishRecordingInPlace(const std::wstring& path, const PacketCounts* expected) {
    const std::wstring copy = path + kCopySuffix;
    if (!RemuxRecording(path, copy, expected)) {
        LogBoth("FinishRecordingInPlace", "[file]%s could not be copied whole: kept as written error",
                WideToUtf8(path).c_str());
        return false;
    }
    if (MoveFileExW(copy.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    LogBoth("FinishRecordingInPlace", "[file]%s [error]%lu could not be replaced: kept as written error",
            WideToUtf8(path).c_str(), GetLastError());
    DeleteFileW(copy.c_str());
    return false;
}

bool IsPlayableRecording(const std::wstring& path) {
    InputCloser in;
    if (!OpenInput(path, &in)) return false;
    AVPacket* pkt = av_packet_alloc();
    const bool read = pkt && av_read_frame(in.ctx, pkt) >= 0;
    av_packet_free(&pkt);
    return read;
}

FinishedFile FinishClosedRecording(const ClosedFile& file) {
    const char* where = "FinishClosedRecording";
    FinishedFile finished;
    finished.path = file.path;
    std::wstring stem, extension;
    SplitExtension(file.path, &stem, &extension);
    if (_wcsicmp(extension.c_str(), L".mp4") == 0)
        FinishRecordingInPlace(file.path, file.countsKnown ? &file.counts : nullptr);
    ClearUnfinished(file.path);
    finished.plays = IsPlayableRecording(file.path);
    if (!finished.plays) {
        LogBoth(where, "[file]%s holds nothing playable: not listed error", WideToUtf8(file.path).c_str());
        return finished;
    }
    finished.listed = AppendVideoList(file.path);
    finished.listWriteFailed = !finished.listed;
    return finished;
}

std::vector<std::wstring> FindUnfinishedRecordings(const std::wstring& folder) {
    const std::wstring base = folder.empty() || folder.back() == L'\\' ? folder : folder + L"\\";
    for (const std::wstring& tried : FilesEndingIn(base, kTriedSuffix)) {
        LogBoth("FindUnfinishedRecordings",
                "[file]%s its finishing at an earlier start never ended: kept as it is, not tried again error",
                WideToUtf8(WithoutSuffix(tried, kTriedSuffix)).c_str());
        DeleteFileW((WithoutSuffix(tried, kTriedSuffix) + kCopySuffix).c_str());
        DeleteHidden(tried);
    }
    std::vector<std::wstring> recordings;
    for (const std::wstring& marker : FilesEndingIn(base, kMarkerSuffix))
        recordings.push_back(WithoutSuffix(marker, kMarkerSuffix));
    return recordings;
}

FinishedFile RecoverRecording(const std::wstring& recording) {
    const char* where = "FinishUnfinishedRecordings";
    FinishedFile finished;
    finished.path = recording;
    const std::wstring marker = UnfinishedMarkerOf(recording), tried = recording + kTriedSuffix;
    if (!MoveFileExW(marker.c_str(), tried.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        LogBoth(where, "[file]%s [error]%lu its marker could not be set aside: not tried error",
                WideToUtf8(recording).c_str(), GetLastError());
        DeleteHidden(marker);
        return finished;
    }
    DeleteFileW((recording + kCopySuffix).c_str());  // a copy the killed program had begun
    if (GetFileAttributesW(recording.c_str()) != INVALID_FILE_ATTRIBUTES) FinishRecordingInPlace(recording);
    finished.plays = IsPlayableRecording(recording);
    LogBoth(where,
            finished.plays ? "[file]%s unfinished recording finished"
                           : "[file]%s unfinished recording holds nothing playable: not listed",
            WideToUtf8(recording).c_str());
    DeleteHidden(tried);
    return finished;
}

std::vector<std::wstring> FinishUnfinishedRecordings(const std::wstring& folder) {
    std::vector<std::wstring> finished;
    for (const std::wstring& recording : FindUnfinishedRecordings(folder))
        if (RecoverRecording(recording).plays) finished.push_back(recording);
    return finished;
}
