// SettingOpt: the settings page of the settings dialog ("setting_opt.xml"). It
// shows the settings record in its controls, resets them to the defaults, and on
// OK turns them back into the record, saves it and sets the start-with-Windows
// value. The hotkey section of the page belongs to the dialog. UI thread only.
#pragma once

#include <vector>

#include "common/setting_data.h"
#include "ui/duilib.h"

class SettingOpt : public DuiLib::CVerticalLayoutUI {
public:
    SettingOpt(DuiLib::CPaintManagerUI* manager, DuiLib::IDialogBuilderCallback* factory);
    ~SettingOpt() override;

    // Builds the layout into the page and loads the controls from the record.
    void DoInit() override;
    void LoadControls(const SettingRecord& record);
    void ResetDefaults();
    // The record with every found control's value stored back into it.
    SettingRecord StoreControls(SettingRecord record) const;
    // Stores the controls with outputPath, saves the record, sets the Run value.
    void Apply(const std::wstring& outputPath);

private:
    void FindControls();

    DuiLib::CPaintManagerUI* m_dialogManager;     // the dialog's
    DuiLib::IDialogBuilderCallback* m_pFactory;   // the dialog: makes the hotkey rows
    std::vector<DuiLib::CControlUI*> m_controls;  // by binding, null when missing
    DuiLib::CLabelUI* m_pShowPath = nullptr;
    bool m_built = false;
};
