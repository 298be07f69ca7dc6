// Reading and writing "PlanTasks.xml" with tinyxml2.
#include "schedule/task_file.h"

#include <windows.h>

#include <tinyxml2.h>

#include <cstdio>
#include <cwchar>

using tinyxml2::XMLDocument;
using tinyxml2::XMLElement;

namespace {

std::string ToAnsi(const std::wstring& text) {
    if (text.empty()) return {};
    const int size =
        WideCharToMultiByte(CP_THREAD_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size > 0 ? size : 0, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_THREAD_ACP, 0, text.data(), static_cast<int>(text.size()), &out[0], size, nullptr,
                            nullptr);
    return out;
}

std::wstring FromAnsi(const char* text) {
    if (!text || !*text) return {};
    const int size = MultiByteToWideChar(CP_THREAD_ACP, 0, text, -1, nullptr, 0);
    std::wstring out(size > 1 ? size - 1 : 0, L'\0');
    if (size > 1) MultiByteToWideChar(CP_THREAD_ACP, 0, text, -1, &out[0], size);
    return out;
}

std::string Decimal(long value) { return std::to_string(value); }

std::string RegionText(const TaskInfo& t) {
    char buf[64];
    snprintf(buf, sizeof buf, "%d,%d,%d,%d", t.RegionLeft, t.RegionTop, t.RegionRight, t.RegionBottom);
    return buf;
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool Load(XMLDocument& doc, const std::wstring& path) {
    return FileExists(path) && doc.LoadFile(ToAnsi(path).c_str()) == tinyxml2::XML_SUCCESS;
}

// Through a temporary file beside it, so an interrupted save leaves the old file.
bool Save(XMLDocument& doc, const std::wstring& path) {
    const std::wstring temp = path + L".tmp";
    if (doc.SaveFile(ToAnsi(temp).c_str()) != tinyxml2::XML_SUCCESS) {
        DeleteFileW(temp.c_str());
        return false;
    }
    if (MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    DeleteFileW(temp.c_str());
    return false;
}

XMLElement* FindTaskElement(XMLElement* root, const std::wstring& name) {
    if (!root) return nullptr;
    const std::string key = ToAnsi(name);
    for (XMLElement* e = root->FirstChildElement("Task"); e; e = e->NextSiblingElement()) {
        const char* n = e->Attribute("Name");
        if (n && key == n) return e;
    }
    return nullptr;
}

// The attributes after "Name", in the order a new element receives them.
void SetTaskAttributes(XMLElement& e, const TaskInfo& t, bool regionAfterStatus) {
    e.SetAttribute("StartTime", ToAnsi(t.StartDate + L" " + t.StartTime).c_str());
    e.SetAttribute("StopTime", ToAnsi(t.StopDate + L" " + t.StopTime).c_str());
    e.SetAttribute("Duration", static_cast<double>(t.Duration));
    e.SetAttribute("StopType", Decimal(t.StopType).c_str());
    e.SetAttribute("RegionMode", Decimal(t.RegionMode).c_str());
    if (!regionAfterStatus) e.SetAttribute("Region", RegionText(t).c_str());
    e.SetAttribute("AudioInput", Decimal(t.AudioInput).c_str());
    e.SetAttribute("Webcam", ToAnsi(t.Webcam).c_str());
    e.SetAttribute("ChosenScreen", ToAnsi(t.ChosenScreen).c_str());
    e.SetAttribute("CompletedAction", ToAnsi(t.CompletedAction).c_str());
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
    repeat->SetText(ToAnsi(t.Repeat).c_str());
}

long ReadNumber(const char* text) { return text ? strtol(text, nullptr, 10) : 0; }

void ReadText(const XMLElement& e, const char* name, std::wstring& field) {
    if (const char* value = e.Attribute(name)) field = FromAnsi(value);
}

void ReadNumber(const XMLElement& e, const char* name, int32_t& field) {
    if (const char* value = e.Attribute(name)) field = static_cast<int32_t>(ReadNumber(value));
}

void ReadDateTime(const XMLElement& e, const char* name, std::wstring& date, std::wstring& time) {
    const char* value = e.Attribute(name);
    if (!value) return;
    const std::wstring text = FromAnsi(value);
    const size_t blank = text.find(L' ');
    if (blank == std::wstring::npos) return;
    date = text.substr(0, blank);
    time = text.substr(blank + 1);
}

// Four numbers, each after one separator; a short text leaves the rest at 0.
void ReadRegion(const XMLElement& e, TaskInfo& t) {
    const char* value = e.Attribute("Region");
    if (!value) return;
    const std::wstring text = FromAnsi(value);
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
    XMLElement* root = Load(doc, path) ? doc.FirstChildElement() : nullptr;
    if (!root) {
        doc.Clear();
        doc.InsertFirstChild(doc.NewDeclaration());
        root = static_cast<XMLElement*>(doc.InsertEndChild(doc.NewElement("Tasks")));
    }
    XMLElement* e = doc.NewElement("Task");
    e->SetAttribute("Name", ToAnsi(task.Name).c_str());
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
    if (const char* d = e.Attribute("Duration")) t.Duration = static_cast<uint32_t>(ReadNumber(d));
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
    if (const XMLElement* repeat = e.FirstChildElement("Repeat")) t.Repeat = FromAnsi(repeat->GetText());
    return t;
}

std::vector<TaskInfo> ReadTasksFromFile(const std::wstring& path, time_t now) {
    std::vector<TaskInfo> tasks;
    XMLDocument doc;
    if (!Load(doc, path)) return tasks;
    const XMLElement* root = doc.FirstChildElement();
    for (const XMLElement* e = root ? root->FirstChildElement() : nullptr; e; e = e->NextSiblingElement())
        tasks.push_back(ReadTaskElement(*e, now));
    return tasks;
}
