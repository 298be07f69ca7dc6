// Reading and writing "PlanTasks.xml" with tinyxml2.
#include "schedule/task_file.h"

#include <windows.h>

#include <tinyxml2.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "common/logger.h"
#include "common/text_convert.h"
#include "schedule/date_time_text.h"

using tinyxml2::XMLDocument;
using tinyxml2::XMLElement;

namespace {

constexpr char kTaskFile[] = "PlanTasks.xml";

// Text goes into the file as UTF-8, as the declaration says. A file of an older
// version holds the thread's ANSI code page: text that is no valid UTF-8 is
// read in that code page.
std::string ToFileText(const std::wstring& text) { return WideToUtf8(text); }

std::wstring FromFileText(const char* text) {
    if (!text || !*text) return {};
    for (UINT codePage : {static_cast<UINT>(CP_UTF8), static_cast<UINT>(CP_THREAD_ACP)}) {
        const DWORD flags = codePage == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
        const int size = MultiByteToWideChar(codePage, flags, text, -1, nullptr, 0);
        if (size <= 1) continue;
        std::wstring out(size - 1, L'\0');
        MultiByteToWideChar(codePage, flags, text, -1, &out[0], size);
        return out;
    }
    return {};
}

std::string Decimal(long value) { return std::to_string(value); }

std::string RegionText(const TaskInfo& t) {
    char buf[64];
    snprintf(buf, sizeof buf, "%d,%d,%d,%d", t.RegionLeft, t.RegionTop, t.RegionRight, t.RegionBottom);
    return buf;
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// What loading found: no file, a file read, or a file that cannot be read as XML.
enum class Loaded { kMissing, kRead, kDamaged };

// Through a wide path: the program's folder may hold any name.
Loaded LoadFrom(XMLDocument& doc, const std::wstring& path) {
    if (!FileExists(path)) return Loaded::kMissing;
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (!file) return Loaded::kDamaged;
    const tinyxml2::XMLError read = doc.LoadFile(file);
    fclose(file);
    if (read == tinyxml2::XML_SUCCESS) return Loaded::kRead;
    return read == tinyxml2::XML_ERROR_EMPTY_DOCUMENT ? Loaded::kMissing : Loaded::kDamaged;
}

bool Load(XMLDocument& doc, const std::wstring& path) { return LoadFrom(doc, path) == Loaded::kRead; }

// A damaged file is kept beside the new one as "PlanTasks.xml.damaged" (or
// ".damaged-2", ...), so that nothing the user made is lost; false when it
// cannot be moved aside.
bool KeepDamagedFile(const std::wstring& path) {
    for (int n = 1; n < 1000; ++n) {
        const std::wstring kept = path + L".damaged" + (n == 1 ? std::wstring() : L"-" + std::to_wstring(n));
        if (FileExists(kept)) continue;
        if (!MoveFileExW(path.c_str(), kept.c_str(), MOVEFILE_WRITE_THROUGH)) break;
        LogBoth(kTaskFile, "[path]%s cannot be read as a task file: kept as [path]%s error", WideToUtf8(path).c_str(),
                WideToUtf8(kept).c_str());
        return true;
    }
    LogBoth(kTaskFile, "[path]%s cannot be read as a task file and cannot be moved aside: the task is not added error",
            WideToUtf8(path).c_str());
    return false;
}

// Through a temporary file beside it, so an interrupted save leaves the old file.
bool Save(XMLDocument& doc, const std::wstring& path) {
    const std::wstring temp = path + L".tmp";
    FILE* file = _wfopen(temp.c_str(), L"w");
    const bool written = file && doc.SaveFile(file) == tinyxml2::XML_SUCCESS;
    if (file && fclose(file) != 0) return DeleteFileW(temp.c_str()), false;
    if (!written) {
        DeleteFileW(temp.c_str());
        return false;
    }
    if (MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    DeleteFileW(temp.c_str());
    return false;
}

// Names are compared as the wide strings they are, whichever way the file holds them.
XMLElement* FindTaskElement(XMLElement* root, const std::wstring& name) {
    if (!root) return nullptr;
    for (XMLElement* e = root->FirstChildElement("Task"); e; e = e->NextSiblingElement()) {
        const char* n = e->Attribute("Name");
        if (n && FromFileText(n) == name) return e;
    }
    return nullptr;
}

// The attributes after "Name", in the order a new element receives them.
void SetTaskAttributes(XMLElement& e, const TaskInfo& t, bool regionAfterStatus) {
    e.SetAttribute("StartTime", ToFileText(t.StartDate + L" " + t.StartTime).c_str());
    e.SetAttribute("StopTime", ToFileText(t.StopDate + L" " + t.StopTime).c_str());
    e.SetAttribute("Duration", static_cast<double>(t.Duration));
    e.SetAttribute("StopType", Decimal(t.StopType).c_str());
    e.SetAttribute("RegionMode", Decimal(t.RegionMode).c_str());
    if (!regionAfterStatus) e.SetAttribute("Region", RegionText(t).c_str());
    e.SetAttribute("AudioInput", Decimal(t.AudioInput).c_str());
    e.SetAttribute("Webcam", ToFileText(t.Webcam).c_str());
    e.SetAttribute("ChosenScreen", ToFileText(t.ChosenScreen).c_str());
    e.SetAttribute("CompletedAction", ToFileText(t.CompletedAction).c_str());
    e.SetAttribute("Status", t.Status ? "1" : "0");
    if (regionAfterStatus) e.SetAttribute("Region", RegionText(t).c_str());
}

void SetCycleChild(XMLDocument& doc, XMLElement& e, const TaskInfo& t) {
    XMLElement* cycle = e.FirstChildElement("Cycle");
    if (!t.Cycle) {
        if (cycle) e.DeleteChild(cycle);
        return;
    }
    if (!cycle) {
        cycle = doc.NewElement("Cycle");
        cycle->SetAttribute("CycleStopManually", t.CycleStopManually ? "1" : "0");
        e.InsertEndChild(cycle);
    }
    cycle->SetAttribute("CycleStopCount", Decimal(t.CycleStopCount).c_str());
    cycle->SetAttribute("CycleStopManually", t.CycleStopManually ? "1" : "0");
}

void SetRepeatChild(XMLDocument& doc, XMLElement& e, const TaskInfo& t) {
    XMLElement* repeat = e.FirstChildElement("Repeat");
    if (t.Repeat.empty()) {
        if (repeat) e.DeleteChild(repeat);
        return;
    }
    if (!repeat) repeat = static_cast<XMLElement*>(e.InsertEndChild(doc.NewElement("Repeat")));
    repeat->SetText(ToFileText(t.Repeat).c_str());
}

long ReadNumber(const char* text) { return text ? strtol(text, nullptr, 10) : 0; }

void ReadText(const XMLElement& e, const char* name, std::wstring& field) {
    if (const char* value = e.Attribute(name)) field = FromFileText(value);
}

void ReadNumber(const XMLElement& e, const char* name, int32_t& field) {
    if (const char* value = e.Attribute(name)) field = static_cast<int32_t>(ReadNumber(value));
}

void ReadDateTime(const XMLElement& e, const char* name, std::wstring& date, std::wstring& time) {
    const char* value = e.Attribute(name);
    if (!value) return;
    const std::wstring text = FromFileText(value);
    const size_t blank = text.find(L' ');
    if (blank == std::wstring::npos) return;
    date = text.substr(0, blank);
    time = text.substr(blank + 1);
}

// Four numbers, each after one separator; a short text leaves the rest at 0.
void ReadRegion(const XMLElement& e, TaskInfo& t) {
    const char* value = e.Attribute("Region");
    if (!value) return;
    const std::wstring text = FromFileText(value);
    int32_t* fields[] = {&t.RegionLeft, &t.RegionTop, &t.RegionRight, &t.RegionBottom};
    const wchar_t* at = text.c_str();
    const wchar_t* const end = at + text.size();
    for (int32_t* field : fields) {
        *field = 0;
        if (at >= end) continue;
        wchar_t* stop = nullptr;
        *field = static_cast<int32_t>(wcstol(at, &stop, 10));
        at = stop < end ? stop + 1 : end;
    }
}

int32_t Clamp(long value, int32_t low, int32_t high) {
    return static_cast<int32_t>(value < low ? low : value > high ? high : value);
}

// Whatever the file holds, the task keeps to what the editor can make before
// any arithmetic is done on it: dates of 1970 to 9999 with real months and
// days, times up to 23:59:59, a length of 1 s or more, the known area and sound
// choices, a cycle count of two digits.
void HoldInRanges(TaskInfo& t) {
    t.StartDate = ClampDateText(t.StartDate);
    t.StartTime = ClampTimeText(t.StartTime);
    t.StopDate = ClampDateText(t.StopDate);
    t.StopTime = ClampTimeText(t.StopTime);
    const uint32_t longest = static_cast<uint32_t>(INT32_MAX);
    if (t.Duration < 1 || t.Duration > longest) t.Duration = t.Duration < 1 ? 1 : longest;
    t.RegionMode = Clamp(t.RegionMode, 0, 2);
    t.AudioInput = Clamp(t.AudioInput, 0, 3);
    t.CycleStopCount = Clamp(t.CycleStopCount, 0, 99);
}

}  // namespace

std::wstring DefaultTaskFilePath() {
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring path = module;
    path.erase(path.find_last_of(L'\\') + 1);
    return path + L"PlanTasks.xml";
}

bool AddTaskToFile(const std::wstring& path, const TaskInfo& task) {
    XMLDocument doc;
    const Loaded loaded = LoadFrom(doc, path);
    if (loaded == Loaded::kDamaged && !KeepDamagedFile(path)) return false;
    XMLElement* root = loaded == Loaded::kRead ? doc.FirstChildElement() : nullptr;
    if (!root) {
        doc.Clear();
        doc.InsertFirstChild(doc.NewDeclaration());
        root = static_cast<XMLElement*>(doc.InsertEndChild(doc.NewElement("Tasks")));
    }
    XMLElement* e = doc.NewElement("Task");
    e->SetAttribute("Name", ToFileText(task.Name).c_str());
    SetTaskAttributes(*e, task, false);
    root->InsertEndChild(e);
    SetCycleChild(doc, *e, task);
    SetRepeatChild(doc, *e, task);
    return Save(doc, path);
}

bool UpdateTaskInFile(const std::wstring& path, const TaskInfo& task) {
    XMLDocument doc;
    if (!Load(doc, path)) return false;
    XMLElement* e = FindTaskElement(doc.FirstChildElement(), task.Name);
    if (!e) return false;
    SetTaskAttributes(*e, task, true);
    SetCycleChild(doc, *e, task);
    SetRepeatChild(doc, *e, task);
    return Save(doc, path);
}

bool DeleteTaskFromFile(const std::wstring& path, const TaskInfo& task) {
    XMLDocument doc;
    if (!Load(doc, path)) return false;
    XMLElement* root = doc.FirstChildElement();
    XMLElement* e = FindTaskElement(root, task.Name);
    if (!e) return false;
    root->DeleteChild(e);
    return Save(doc, path);
}

TaskInfo ReadTaskElement(const XMLElement& e, time_t now) {
    TaskInfo t(now);
    ReadText(e, "Name", t.Name);
    ReadText(e, "Webcam", t.Webcam);
    ReadText(e, "CompletedAction", t.CompletedAction);
    ReadText(e, "ChosenScreen", t.ChosenScreen);
    ReadDateTime(e, "StartTime", t.StartDate, t.StartTime);
    ReadDateTime(e, "StopTime", t.StopDate, t.StopTime);
    if (const char* d = e.Attribute("Duration")) {
        const double seconds = strtod(d, nullptr);  // written as a number, whole seconds
        t.Duration = seconds >= 1 ? static_cast<uint32_t>(seconds < INT32_MAX ? seconds : INT32_MAX) : 1;
    }
    ReadNumber(e, "StopType", t.StopType);
    ReadNumber(e, "RegionMode", t.RegionMode);
    ReadNumber(e, "AudioInput", t.AudioInput);
    ReadRegion(e, t);
    if (const char* s = e.Attribute("Status")) t.Status = ReadNumber(s) != 0;
    if (const XMLElement* cycle = e.FirstChildElement("Cycle")) {
        t.Cycle = true;
        if (const char* m = cycle->Attribute("CycleStopManually")) t.CycleStopManually = ReadNumber(m) != 0;
        ReadNumber(*cycle, "CycleStopCount", t.CycleStopCount);
    }
    if (const XMLElement* repeat = e.FirstChildElement("Repeat")) t.Repeat = FromFileText(repeat->GetText());
    HoldInRanges(t);
    return t;
}

std::vector<TaskInfo> ReadTasksFromFile(const std::wstring& path, time_t now) {
    std::vector<TaskInfo> tasks;
    XMLDocument doc;
    const Loaded loaded = LoadFrom(doc, path);
    if (loaded == Loaded::kDamaged)
        LogBoth(kTaskFile, "[path]%s cannot be read as a task file: no task is loaded, the file is kept error",
                WideToUtf8(path).c_str());
    if (loaded != Loaded::kRead) return tasks;
    const XMLElement* root = doc.FirstChildElement();
    for (const XMLElement* e = root ? root->FirstChildElement() : nullptr; e; e = e->NextSiblingElement())
        tasks.push_back(ReadTaskElement(*e, now));
    return tasks;
}

bool MakeTaskNamesUnique(const std::wstring& path) {
    XMLDocument doc;
    if (!Load(doc, path)) return true;
    XMLElement* root = doc.FirstChildElement();
    std::vector<std::wstring> seen;
    bool renamed = false;
    auto taken = [&seen](const std::wstring& name) {
        for (const std::wstring& s : seen)
            if (s == name) return true;
        return false;
    };
    for (XMLElement* e = root ? root->FirstChildElement() : nullptr; e; e = e->NextSiblingElement()) {
        const std::wstring name = FromFileText(e->Attribute("Name"));
        std::wstring unique = name;
        for (int n = 2; taken(unique); ++n) unique = name + L" (" + std::to_wstring(n) + L")";
        if (unique != name) {
            LogBoth(kTaskFile, "[task]%s is in the file more than once: this one is named [task]%s",
                    WideToUtf8(name).c_str(), WideToUtf8(unique).c_str());
            e->SetAttribute("Name", ToFileText(unique).c_str());
            renamed = true;
        }
        seen.push_back(unique);
    }
    return !renamed || Save(doc, path);
}
