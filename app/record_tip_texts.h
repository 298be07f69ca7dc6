// What the main window tells the user when a recording cannot start, ends by
// itself because its file takes no more, loses its picture, or cannot be listed.
#pragma once

#include "engine/writer_failure.h"

namespace record_tips {

constexpr wchar_t kNoScreenDevice[] = L"未找到录屏设备，请按说明文件注册录屏组件";
constexpr wchar_t kNoSoundDevice[] = L"未找到声音设备，无法录制声音";
constexpr wchar_t kDeviceOpenFailed[] = L"录制设备打开失败，无法开始录制";
constexpr wchar_t kListNotWritable[] = L"录制列表无法保存，录制文件仍在输出文件夹中";
constexpr wchar_t kPictureSizeChanged[] = L"录屏画面的大小已改变，此后的画面无法录制，请停止后重新开始录制";

// The output file could not be made.
inline const wchar_t* StartFileTip(WriteFailure failure) {
    switch (failure) {
        case WriteFailure::kDiskFull: return L"磁盘已满，无法创建录制文件";
        case WriteFailure::kNotWritable: return L"输出文件夹无法写入，无法创建录制文件";
        case WriteFailure::kSoundFormat: return L"声音设备的格式无法转换，无法开始录制";
        default: return L"无法创建录制文件，请检查输出文件夹";
    }
}

// The file being written took no more: the recording has stopped.
inline const wchar_t* StoppedTip(WriteFailure failure) {
    switch (failure) {
        case WriteFailure::kDiskFull: return L"磁盘已满，录制已停止，已录制的部分已保存";
        case WriteFailure::kNotWritable: return L"录制文件无法写入，录制已停止，已录制的部分已保存";
        default: return L"录制文件写入失败，录制已停止，已录制的部分已保存";
    }
}

}  // namespace record_tips
