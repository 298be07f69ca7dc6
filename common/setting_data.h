// The program-wide settings model: one record with every user setting, stored in
// "setting_record.ini" beside the program (Check_close_panel in "Tessel.ini").
#pragma once

#include <cstdint>
#include <mutex>
#include <string>

// Field names are the ini keys they are stored under.
struct SettingRecord {
    // [Output]
    std::wstring path;  // output folder
    // [Video]
    std::wstring VFormat = L"MP4";
    int32_t FrameRate = 25;
    std::wstring VBitrate = L"5000";
    std::wstring Vcodec = L"H264";
    std::wstring Definition = L"高清";  // "原画", "高清" or "标清"
    // [Audio]
    std::wstring AFormat = L"MP3";
    std::wstring ABitrate = L"128";
    int32_t Frequency = 44100;
    // [ScreenShots]
    std::wstring SFormat = L"JPG";
    // [Mouse]
    bool Point = true;
    bool Area = false;
    uint32_t Area_color = 0xFFFF0000;
    int32_t Area_size = 0;
    bool Click = false;
    uint32_t Click_left = 0xFFFF0000;
    uint32_t Click_right = 0xFFFF0000;
    // [Record]
    std::wstring ZoomArea = L"50%";
    std::wstring Diam = L"40%";
    bool Division = false;
    int32_t Check_division = 0;   // 0 by time, 1 by size
    int32_t Division_time = 60;   // minutes
    int32_t Division_size = 500;  // MiB
    bool Check_Countdown = true;
    bool Check_Audio = false;
    bool Check_Border = true;
    bool Check_Move = false;
    bool Check_AutoStartup = false;
    bool Check_Hide_Desticon = false;
    bool Check_Hide_Task = false;
    bool Check_Boost_Trans_Wnd = false;
    bool Check_Stop_Frame_Static = false;
    bool Check_Frame_Collect = false;
    // [Suspend]
    bool Record_hide = false;
    // [Start]
    bool Startup = false;
    bool Admin_start = false;
    // [MainPanel]
    bool Hide_main = false;
    int32_t Check_close_panel = 0;  // stored in "Tessel.ini"

    bool needsLoad = true;  // not stored
    bool NeedsLoad() const { return needsLoad; }
};

// Colour text "#FFRRGGBB" (the alpha byte is always written as FF).
std::wstring FormatSettingColor(uint32_t argb);
// Leading blanks and one '#' skipped, then hexadecimal digits.
uint32_t ParseSettingColor(const std::wstring& text);

class CSettingData {
public:
    static CSettingData* GetInstance();
    static void ReleaseInstance();

    // A copy of the record, loaded from the file on first use.
    SettingRecord GetSettings();
    // Reads every key again (missing keys give the defaults).
    void Load();
    // Makes record the held one at once and writes every key.
    void Save(const SettingRecord& record);

    std::wstring SettingIniPath();
    std::wstring MainIniPath();

    virtual ~CSettingData() = default;

private:
    CSettingData();
    void FillPaths();
    void LoadLocked();
    void SaveLocked();

    static CSettingData* instance_;

    std::mutex lock_;  // the progress thread copies while the dialog may save
    SettingRecord record_;
    std::wstring settingIni_;
    std::wstring mainIni_;
};
