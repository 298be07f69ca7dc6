#include "common/setting_data.h"

#include <windows.h>

#include <cwchar>
#include <cwctype>

#include "common/drives.h"
#include "common/main_ini.h"
#include "common/program_path.h"

namespace {

enum IniFile { kSettingIni, kMainIni };

constexpr DWORD kTextLimit = 260;  // including the terminator; longer values are cut

// Every stored field in file order: which file, section and key.
template <class Visit>
void ForEachSetting(Visit&& v) {
    using R = SettingRecord;
    v(kSettingIni, L"Output", L"path", &R::path);
    v(kSettingIni, L"Video", L"VFormat", &R::VFormat);
    v(kSettingIni, L"Video", L"FrameRate", &R::FrameRate);
    v(kSettingIni, L"Video", L"VBitrate", &R::VBitrate);
    v(kSettingIni, L"Video", L"Vcodec", &R::Vcodec);
    v(kSettingIni, L"Video", L"Definition", &R::Definition);
    v(kSettingIni, L"Audio", L"AFormat", &R::AFormat);
    v(kSettingIni, L"Audio", L"ABitrate", &R::ABitrate);
    v(kSettingIni, L"Audio", L"Frequency", &R::Frequency);
    v(kSettingIni, L"ScreenShots", L"SFormat", &R::SFormat);
    v(kSettingIni, L"Mouse", L"Point", &R::Point);
    v(kSettingIni, L"Mouse", L"Area", &R::Area);
    v(kSettingIni, L"Mouse", L"Area_color", &R::Area_color);
    v(kSettingIni, L"Mouse", L"Area_size", &R::Area_size);
    v(kSettingIni, L"Mouse", L"Click", &R::Click);
    v(kSettingIni, L"Mouse", L"Click_left", &R::Click_left);
    v(kSettingIni, L"Mouse", L"Click_right", &R::Click_right);
    v(kSettingIni, L"Record", L"ZoomArea", &R::ZoomArea);
    v(kSettingIni, L"Record", L"Diam", &R::Diam);
    v(kSettingIni, L"Record", L"Division", &R::Division);
    v(kSettingIni, L"Record", L"Check_division", &R::Check_division);
    v(kSettingIni, L"Record", L"Division_time", &R::Division_time);
    v(kSettingIni, L"Record", L"Division_size", &R::Division_size);
    v(kSettingIni, L"Record", L"Check_Countdown", &R::Check_Countdown);
    v(kSettingIni, L"Record", L"Check_Audio", &R::Check_Audio);
    v(kSettingIni, L"Record", L"Check_Border", &R::Check_Border);
    v(kSettingIni, L"Record", L"Check_Move", &R::Check_Move);
    v(kSettingIni, L"Record", L"Check_AutoStartup", &R::Check_AutoStartup);
    v(kSettingIni, L"Record", L"Check_Hide_Desticon", &R::Check_Hide_Desticon);
    v(kSettingIni, L"Record", L"Check_Hide_Task", &R::Check_Hide_Task);
    v(kSettingIni, L"Record", L"Check_Boost_Trans_Wnd", &R::Check_Boost_Trans_Wnd);
    v(kSettingIni, L"Record", L"Check_Stop_Frame_Static", &R::Check_Stop_Frame_Static);
    v(kSettingIni, L"Record", L"Check_Frame_Collect", &R::Check_Frame_Collect);
    v(kSettingIni, L"Suspend", L"Record_hide", &R::Record_hide);
    v(kSettingIni, L"Start", L"Startup", &R::Startup);
    v(kSettingIni, L"Start", L"Admin_start", &R::Admin_start);
    v(kSettingIni, L"MainPanel", L"Hide_main", &R::Hide_main);
    v(kMainIni, L"MainPanel", L"Check_close_panel", &R::Check_close_panel);
}

std::wstring ReadText(const std::wstring& ini, const wchar_t* section, const wchar_t* key, const std::wstring& def) {
    wchar_t buf[kTextLimit] = {};
    GetPrivateProfileStringW(section, key, def.c_str(), buf, kTextLimit, ini.c_str());
    return buf;
}

std::wstring FormatInt(int32_t value) {
    wchar_t buf[16];
    swprintf(buf, 16, L"%d", value);
    return buf;
}

std::wstring CutText(const std::wstring& text) {
    return text.size() < kTextLimit ? text : text.substr(0, kTextLimit - 1);
}

struct Reader {
    const std::wstring& settingIni;
    const std::wstring& mainIni;
    SettingRecord& record;
    const SettingRecord defaults{};

    const std::wstring& File(IniFile f) const { return f == kMainIni ? mainIni : settingIni; }

    void operator()(IniFile f, const wchar_t* s, const wchar_t* k, std::wstring SettingRecord::*m) {
        record.*m = ReadText(File(f), s, k, defaults.*m);
    }
    void operator()(IniFile f, const wchar_t* s, const wchar_t* k, int32_t SettingRecord::*m) {
        record.*m = static_cast<int32_t>(GetPrivateProfileIntW(s, k, defaults.*m, File(f).c_str()));
    }
    void operator()(IniFile f, const wchar_t* s, const wchar_t* k, bool SettingRecord::*m) {
        record.*m = GetPrivateProfileIntW(s, k, defaults.*m ? 1 : 0, File(f).c_str()) != 0;
    }
    void operator()(IniFile f, const wchar_t* s, const wchar_t* k, uint32_t SettingRecord::*m) {
        record.*m = ParseSettingColor(ReadText(File(f), s, k, FormatSettingColor(defaults.*m)));
    }
};

struct Writer {
    const std::wstring& settingIni;
    const std::wstring& mainIni;
    const SettingRecord& record;

    void Put(IniFile f, const wchar_t* s, const wchar_t* k, const std::wstring& v) const {
        if (f == kMainIni)
            WriteMainIniText(s, k, v, mainIni);  // written like every key of that file
        else
            WritePrivateProfileStringW(s, k, v.c_str(), settingIni.c_str());
    }
    void operator()(IniFile f, const wchar_t* s, const wchar_t* k, std::wstring SettingRecord::*m) {
        Put(f, s, k, CutText(record.*m));
    }
    void operator()(IniFile f, const wchar_t* s, const wchar_t* k, int32_t SettingRecord::*m) {
        Put(f, s, k, FormatInt(record.*m));
    }
    void operator()(IniFile f, const wchar_t* s, const wchar_t* k, bool SettingRecord::*m) {
        Put(f, s, k, FormatInt(record.*m ? 1 : 0));
    }
    void operator()(IniFile f, const wchar_t* s, const wchar_t* k, uint32_t SettingRecord::*m) {
        Put(f, s, k, FormatSettingColor(record.*m));
    }
};

// Root of the drive with the most free space + "Tessel录屏", created when missing.
std::wstring DefaultOutputFolder() {
    std::wstring folder = FindLargestFreeDrive() + L"Tessel录屏";
    DWORD attr = GetFileAttributesW(folder.c_str());
    if (attr == INVALID_FILE_ATTRIBUTES || !(attr & FILE_ATTRIBUTE_DIRECTORY))
        CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

std::mutex g_instanceLock;

}  // namespace

std::wstring FormatSettingColor(uint32_t argb) {
    wchar_t buf[16];
    swprintf(buf, 16, L"#FF%02X%02X%02X", (argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
    return buf;
}

uint32_t ParseSettingColor(const std::wstring& text) {
    const wchar_t* p = text.c_str();
    while (*p && *p <= L' ') ++p;
    if (*p == L'#') ++p;
    return static_cast<uint32_t>(wcstoul(p, nullptr, 16));
}

CSettingData* CSettingData::instance_ = nullptr;

CSettingData::CSettingData() {
    // A fresh object holds empty text until it is loaded.
    for (auto* s : {&record_.path, &record_.VFormat, &record_.VBitrate, &record_.Vcodec, &record_.Definition,
                    &record_.AFormat, &record_.ABitrate, &record_.SFormat, &record_.ZoomArea, &record_.Diam})
        s->clear();
    record_.needsLoad = true;
}

CSettingData* CSettingData::GetInstance() {
    std::lock_guard<std::mutex> guard(g_instanceLock);
    if (!instance_) instance_ = new CSettingData();
    return instance_;
}

void CSettingData::ReleaseInstance() {
    std::lock_guard<std::mutex> guard(g_instanceLock);
    delete instance_;
    instance_ = nullptr;
}

SettingRecord CSettingData::GetSettings() {
    std::lock_guard<std::mutex> guard(lock_);
    if (record_.needsLoad) LoadLocked();
    return record_;
}

void CSettingData::Load() {
    std::lock_guard<std::mutex> guard(lock_);
    LoadLocked();
}

void CSettingData::Save(const SettingRecord& record) {
    std::lock_guard<std::mutex> guard(lock_);
    record_ = record;
    SaveLocked();
}

std::wstring CSettingData::SettingIniPath() {
    std::lock_guard<std::mutex> guard(lock_);
    FillPaths();
    return settingIni_;
}

std::wstring CSettingData::MainIniPath() {
    std::lock_guard<std::mutex> guard(lock_);
    FillPaths();
    return mainIni_;
}

void CSettingData::FillPaths() {
    if (settingIni_.empty()) settingIni_ = GetAppFilePath(L"setting_record.ini");
    if (mainIni_.empty()) mainIni_ = GetAppFilePath(L"Tessel.ini");
}

void CSettingData::LoadLocked() {
    settingIni_ = GetAppFilePath(L"setting_record.ini");
    mainIni_ = GetAppFilePath(L"Tessel.ini");
    ForEachSetting(Reader{settingIni_, mainIni_, record_});
    record_.needsLoad = false;
    if (record_.path.empty()) record_.path = DefaultOutputFolder();
}

void CSettingData::SaveLocked() {
    FillPaths();
    ForEachSetting(Writer{settingIni_, mainIni_, record_});
}
