// The task record's defaults, display texts and request.
#include "schedule/task_info.h"

#include <cwchar>

#include "schedule/date_time_text.h"

TaskInfo::TaskInfo() : TaskInfo(time(nullptr)) {}

TaskInfo::TaskInfo(time_t now) {
    const std::tm start = LocalTimeOf(now + 300);
    const std::tm stop = LocalTimeOf(now + 900);
    StartDate = DateTextOf(start);
    StartTime = TimeTextOf(start);
    StopDate = DateTextOf(stop);
    StopTime = TimeTextOf(stop);
}

TaskInfo TaskInfo::Key(const std::wstring& name) {
    TaskInfo key(0);
    key.Name = name;
    return key;
}

std::wstring TaskInfo::DurationText() const {
    return FormatTimeText(static_cast<int32_t>(Duration / 3600), static_cast<int32_t>(Duration % 3600 / 60),
                          static_cast<int32_t>(Duration % 60));
}

std::wstring TaskInfo::StatusText() const { return Status ? L"启用" : L"停止"; }

std::vector<std::wstring> SplitRepeat(const std::wstring& repeat) {
    std::vector<std::wstring> items;
    size_t from = 0;
    while (from < repeat.size()) {
        const size_t comma = repeat.find(L',', from);
        if (comma == std::wstring::npos) {
            items.push_back(repeat.substr(from));
            break;
        }
        items.push_back(repeat.substr(from, comma - from));
        from = comma + 1;
    }
    return items;
}

std::wstring WeekdayText(const std::wstring& item) {
    static const wchar_t* const kDays[] = {L"每周日",  L"每周一 ", L"每周二 ", L"每周三 ",
                                           L"每周四 ", L"每周五 ", L"每周六 "};
    if (item.empty() || item[0] < L'0' || item[0] > L'9') return {};
    const long day = wcstol(item.c_str(), nullptr, 10);
    return day >= 0 && day <= 6 ? kDays[day] : L"";
}

std::wstring TaskInfo::RepeatText() const {
    const std::vector<std::wstring> items = SplitRepeat(Repeat);
    if (items.size() == 7) return L"每天";
    std::wstring text = L" ";
    for (const std::wstring& item : items) text += WeekdayText(item);
    return text;
}

std::wstring TaskInfo::StartText() const { return Repeats() ? StartTime : StartDate + L" " + StartTime; }

RecordRequest TaskInfo::ToRequest() const {
    RecordRequest request;
    request.record_area = RegionMode;
    request.left = RegionLeft;
    request.top = RegionTop;
    request.right = RegionRight;
    request.bottom = RegionBottom;
    request.audio_input = AudioInput;
    request.camera_input = Webcam;
    request.complete_option = CompletedAction;
    request.duration = static_cast<int32_t>(Duration);
    request.task_begin = true;
    return request;
}
