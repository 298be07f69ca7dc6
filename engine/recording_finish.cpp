#include "engine/recording_finish.h"

#include <windows.h>

#include <algorithm>

#include "common/logger.h"
#include "common/text_convert.h"
#include "engine/ffmpeg_api.h"

namespace {

const wchar_t* const kMarkerSuffix = L".unfinished";
const wchar_t* const kCopySuffix = L".finishing";

struct InputCloser {
    AVFormatContext* ctx = nullptr;
    ~InputCloser() { avformat_close_input(&ctx); }
};

struct OutputCloser {
    AVFormatContext* ctx = nullptr;
    ~OutputCloser() {
        if (!ctx) return;
        if (ctx->pb) avio_closep(&ctx->pb);
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

// Packets until the input ends (or breaks off, as a killed recording does).
int64_t CopyPackets(AVFormatContext* in, AVFormatContext* out) {
    AVPacket* pkt = av_packet_alloc();
    int64_t copied = 0;
    while (pkt && av_read_frame(in, pkt) >= 0) {
        const int index = pkt->stream_index;
        if (index < 0 || static_cast<unsigned>(index) >= out->nb_streams) {  // a stream found after the header
            av_packet_unref(pkt);
            continue;
        }
        av_packet_rescale_ts(pkt, in->streams[index]->time_base, out->streams[index]->time_base);
        pkt->pos = -1;
        if (av_interleaved_write_frame(out, pkt) < 0) {
            copied = -1;
            break;
        }
        ++copied;
    }
    av_packet_free(&pkt);
    return copied;
}

bool Remux(const std::wstring& from, const std::wstring& to) {
    InputCloser in;
    if (!OpenInput(from, &in)) return false;
    const std::string fromName = WideToUtf8(from), toName = WideToUtf8(to);
    const AVOutputFormat* format = av_guess_format(nullptr, fromName.c_str(), nullptr);
    OutputCloser out;
    if (!format || avformat_alloc_output_context2(&out.ctx, format, nullptr, toName.c_str()) < 0 || !out.ctx)
        return false;
    if (!AddStreams(in.ctx, out.ctx) || avio_open(&out.ctx->pb, toName.c_str(), AVIO_FLAG_WRITE) < 0) return false;
    if (avformat_write_header(out.ctx, nullptr) < 0) return false;
    const int64_t copied = CopyPackets(in.ctx, out.ctx);
    const bool trailer = av_write_trailer(out.ctx) >= 0;
    const bool flushed = out.ctx->pb->error == 0;
    return copied > 0 && trailer && flushed;
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

void ClearUnfinished(const std::wstring& recording) {
    const std::wstring marker = UnfinishedMarkerOf(recording);
    SetFileAttributesW(marker.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(marker.c_str());
}

bool RemuxRecording(const std::wstring& from, const std::wstring& to) {
    if (Remux(from, to)) return true;
    DeleteFileW(to.c_str());
    return false;
}

bool FinishRecordingInPlace(const std::wstring& path) {
    const std::wstring copy = path + kCopySuffix;
    if (!RemuxRecording(path, copy)) {
        LogBoth("FinishRecordingInPlace", "[file]%s could not be copied whole: kept as written error",
                WideToUtf8(path).c_str());
        return false;
    }
    if (MoveFileExW(copy.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
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

std::vector<std::wstring> FinishUnfinishedRecordings(const std::wstring& folder) {
    std::vector<std::wstring> markers;
    WIN32_FIND_DATAW found;
    const std::wstring base = folder.empty() || folder.back() == L'\\' ? folder : folder + L"\\";
    HANDLE find = FindFirstFileW((base + L"*" + kMarkerSuffix).c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return {};
    do {
        markers.push_back(base + found.cFileName);
    } while (FindNextFileW(find, &found));
    FindClose(find);
    std::sort(markers.begin(), markers.end());
    std::vector<std::wstring> finished;
    for (const std::wstring& marker : markers) {
        const std::wstring recording = marker.substr(0, marker.size() - wcslen(kMarkerSuffix));
        DeleteFileW((recording + kCopySuffix).c_str());  // a copy the killed program had begun
        if (GetFileAttributesW(recording.c_str()) != INVALID_FILE_ATTRIBUTES) FinishRecordingInPlace(recording);
        const bool playable = IsPlayableRecording(recording);
        LogBoth("FinishUnfinishedRecordings",
                playable ? "[file]%s unfinished recording finished and listed"
                         : "[file]%s unfinished recording holds nothing playable: not listed",
                WideToUtf8(recording).c_str());
        if (playable) finished.push_back(recording);
        ClearUnfinished(recording);
    }
    return finished;
}
