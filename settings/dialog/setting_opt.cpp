// The settings page: one binding per control between the record and the page.
#include "settings/dialog/setting_opt.h"

#include <cwchar>
#include <string>

#include "settings/dialog/auto_start.h"
#include "settings/layouts/setting_opt_names.h"

using namespace DuiLib;
namespace names = setting_opt_names;

namespace {

enum class BindKind {
    kComboText,    // the record's text is an item of the map; stored back as the combo text
    kComboNumber,  // the same with an integer field
    kCheck,        // ticked = the flag
    kOptionZero,   // selected when the number is 0; stored 0 when selected, else 1
    kOptionOne,    // selected when the number is 1; not stored
    kEditNumber,   // "%d"; stored as the leading digits, 0 for none
};

struct OptionMap {
    const wchar_t* const* items;
    int count;
};

const wchar_t* const kVideoFormats[] = {L"MP4", L"FLV"};
const wchar_t* const kFrameRates[] = {L"5", L"10", L"15", L"20", L"25", L"30", L"35", L"40"};
const wchar_t* const kVideoBitRates[] = {L"1800", L"2000", L"3000", L"4000", L"5000", L"8000", L"15000", L"20000"};
const wchar_t* const kDefinitions[] = {L"标清", L"高清", L"原画"};
const wchar_t* const kAudioFormats[] = {L"AAC", L"MP3"};
const wchar_t* const kAudioBitRates[] = {L"12", L"16", L"32", L"64", L"128", L"192", L"256"};
const wchar_t* const kShotFormats[] = {L"PNG", L"JPG", L"BMP"};

template <size_t N>
constexpr OptionMap Map(const wchar_t* const (&items)[N]) {
    return {items, static_cast<int>(N)};
}

struct Binding {
    const LayoutName& entry;
    BindKind kind;
    std::wstring SettingRecord::*text;
    int32_t SettingRecord::*number;
    bool SettingRecord::*flag;
    OptionMap map;
    const wchar_t* defaultText;  // combos and edits
    bool defaultOn;              // check boxes and options
};

constexpr OptionMap kNoMap = {nullptr, 0};

#define TEXT_COMBO(e, f, m, d) \
    { e, BindKind::kComboText, &SettingRecord::f, nullptr, nullptr, Map(m), d, false }
#define NUMBER(e, k, f, d, on) \
    { e, k, nullptr, &SettingRecord::f, nullptr, kNoMap, d, on }
#define CHECK(e, f, on) \
    { e, BindKind::kCheck, nullptr, nullptr, &SettingRecord::f, kNoMap, nullptr, on }

// In the order the values are stored back.
const Binding kBindings[] = {
    TEXT_COMBO(names::kVOutType, VFormat, kVideoFormats, L"MP4"),
    {names::kFrameRate, BindKind::kComboNumber, nullptr, &SettingRecord::FrameRate, nullptr, Map(kFrameRates), L"25",
     false},
    TEXT_COMBO(names::kVBitRate, VBitrate, kVideoBitRates, L"5000"),
    TEXT_COMBO(names::kDefinition, Definition, kDefinitions, L"高清"),
    TEXT_COMBO(names::kAOutType, AFormat, kAudioFormats, L"MP3"),
    TEXT_COMBO(names::kABitRate, ABitrate, kAudioBitRates, L"128"),
    TEXT_COMBO(names::kSOutType, SFormat, kShotFormats, L"JPG"),
    CHECK(names::kMousePoint, Point, false),
    CHECK(names::kAutoDivision, Division, false),
    NUMBER(names::kDiviTime, BindKind::kOptionZero, Check_division, nullptr, true),
    NUMBER(names::kDiviTimeEdit, BindKind::kEditNumber, Division_time, L"60", false),
    NUMBER(names::kDiviSize, BindKind::kOptionOne, Check_division, nullptr, false),
    NUMBER(names::kDiviSizeEdit, BindKind::kEditNumber, Division_size, L"500", false),
    CHECK(names::kShowCountdown, Check_Countdown, true),
    CHECK(names::kShowBorder, Check_Border, true),
    CHECK(names::kStartRecord, Check_AutoStartup, false),
    CHECK(names::kHideTask, Check_Hide_Task, false),
    CHECK(names::kSuspendedRecordHide, Record_hide, false),
    CHECK(names::kStartOpen, Startup, false),
    CHECK(names::kAdminOpen, Admin_start, false),
    NUMBER(names::kCloseSmall, BindKind::kOptionZero, Check_close_panel, nullptr, true),
    NUMBER(names::kCloseQuit, BindKind::kOptionOne, Check_close_panel, nullptr, false),
};

#undef TEXT_COMBO
#undef NUMBER
#undef CHECK

constexpr size_t kBindingCount = sizeof(kBindings) / sizeof(kBindings[0]);

int MapPosition(const OptionMap& map, const std::wstring& value) {
    for (int i = 0; i < map.count; ++i)
        if (value == map.items[i]) return i;
    return -1;
}

// A value outside the map, or a position past the combo's items, keeps the
// layout's selection.
void SelectByMap(CComboUI* combo, const OptionMap& map, const std::wstring& value) {
    const int position = MapPosition(map, value);
    if (position >= 0 && position < combo->GetCount()) combo->SelectItem(position, false);
}

int LeadingNumber(const std::wstring& text) {
    long long value = 0;
    for (size_t i = 0; i < text.size() && iswdigit(text[i]) && value < 100000000; ++i)
        value = value * 10 + (text[i] - L'0');
    return static_cast<int>(value);
}

void ShowValue(const Binding& b, CControlUI* control, const SettingRecord& record) {
    switch (b.kind) {
        case BindKind::kComboText: SelectByMap(static_cast<CComboUI*>(control), b.map, record.*b.text); break;
        case BindKind::kComboNumber:
            SelectByMap(static_cast<CComboUI*>(control), b.map, std::to_wstring(record.*b.number));
            break;
        case BindKind::kCheck: static_cast<COptionUI*>(control)->Selected(record.*b.flag); break;
        case BindKind::kOptionZero: static_cast<COptionUI*>(control)->Selected(record.*b.number == 0); break;
        case BindKind::kOptionOne: static_cast<COptionUI*>(control)->Selected(record.*b.number == 1); break;
        case BindKind::kEditNumber: control->SetText(std::to_wstring(record.*b.number).c_str()); break;
    }
}

void ShowDefault(const Binding& b, CControlUI* control) {
    switch (b.kind) {
        case BindKind::kComboText:
        case BindKind::kComboNumber: SelectByMap(static_cast<CComboUI*>(control), b.map, b.defaultText); break;
        case BindKind::kCheck:
        case BindKind::kOptionZero:
        case BindKind::kOptionOne: static_cast<COptionUI*>(control)->Selected(b.defaultOn); break;
        case BindKind::kEditNumber: control->SetText(b.defaultText); break;
    }
}

void StoreValue(const Binding& b, const CControlUI* control, SettingRecord& record) {
    switch (b.kind) {
        case BindKind::kComboText: record.*b.text = control->GetText().Str(); break;
        case BindKind::kComboNumber:
        case BindKind::kEditNumber: record.*b.number = LeadingNumber(control->GetText().Str()); break;
        case BindKind::kCheck: record.*b.flag = static_cast<const COptionUI*>(control)->IsSelected(); break;
        case BindKind::kOptionZero:
            record.*b.number = static_cast<const COptionUI*>(control)->IsSelected() ? 0 : 1;
            break;
        case BindKind::kOptionOne: break;
    }
}

}  // namespace

SettingOpt::SettingOpt(CPaintManagerUI* manager, IDialogBuilderCallback* factory)
    : m_dialogManager(manager), m_pFactory(factory) {}

SettingOpt::~SettingOpt() = default;

void SettingOpt::DoInit() {
    if (!m_dialogManager || m_built) return;
    m_built = true;
    CDialogBuilder builder;
    CControlUI* root = builder.Create(names::kLayout, nullptr, m_pFactory, m_dialogManager, nullptr);
    if (!root) return;
    SetFixedHeight(root->GetFixedHeight());
    Add(root);
    LoadControls(CSettingData::GetInstance()->GetSettings());
}

void SettingOpt::FindControls() {
    m_controls.assign(kBindingCount, nullptr);
    for (size_t i = 0; i < kBindingCount; ++i) {
        const Binding& b = kBindings[i];
        const bool combo = b.kind == BindKind::kComboText || b.kind == BindKind::kComboNumber;
        m_controls[i] = combo ? FindNamed<CComboUI>(*m_dialogManager, b.entry)
                              : static_cast<CControlUI*>(FindNamed<CControlUI>(*m_dialogManager, b.entry));
    }
    m_pShowPath = FindNamed<CLabelUI>(*m_dialogManager, names::kShowPath);
}

void SettingOpt::LoadControls(const SettingRecord& record) {
    FindControls();
    for (size_t i = 0; i < kBindingCount; ++i)
        if (m_controls[i]) ShowValue(kBindings[i], m_controls[i], record);
    if (m_pShowPath) m_pShowPath->SetText(record.path.c_str());
}

void SettingOpt::ResetDefaults() {
    FindControls();
    for (size_t i = 0; i < kBindingCount; ++i)
        if (m_controls[i]) ShowDefault(kBindings[i], m_controls[i]);
}

SettingRecord SettingOpt::StoreControls(SettingRecord record) const {
    for (size_t i = 0; i < m_controls.size(); ++i)
        if (m_controls[i]) StoreValue(kBindings[i], m_controls[i], record);
    return record;
}

void SettingOpt::Apply(const std::wstring& outputPath) {
    SettingRecord record = CSettingData::GetInstance()->GetSettings();
    record.path = outputPath;
    record = StoreControls(record);
    CSettingData::GetInstance()->Save(record);
    SetAutoStart(kAutoStartValueName, GetModulePath(), record.Startup ? L"true" : L"false");
}
