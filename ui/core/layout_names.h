// A layout's list of names: every control a window uses, named once with the
// interface its control answers, so that a control renamed or retyped in a skin is
// found by one table test instead of failing silently at run time.
//
//   // app/layouts/toolbar_names.h
//   namespace toolbar_names {
//   constexpr DuiLib::LayoutName kBtnPause{L"btn_pause", DuiLib::kOptionInterface};
//   constexpr DuiLib::LayoutName kAll[] = {kBtnPause, ...};
//   }
//   // InitWindow, once:  m_pPause = FindNamed<COptionUI>(m_PaintManager, toolbar_names::kBtnPause);
//   // click table:       if (name == toolbar_names::kBtnPause.name) ...
#pragma once

#include "ui/controls/control.h"
#include "ui/core/paint_manager.h"

namespace DuiLib {

// Interface names the controls of the library answer (GetInterface).
constexpr const wchar_t* kControlInterface = L"Control";
constexpr const wchar_t* kLabelInterface = L"Label";
constexpr const wchar_t* kTextInterface = L"Text";
constexpr const wchar_t* kButtonInterface = L"Button";
constexpr const wchar_t* kOptionInterface = L"Option";
constexpr const wchar_t* kCheckBoxInterface = L"CheckBox";
constexpr const wchar_t* kEditInterface = L"Edit";
constexpr const wchar_t* kRichEditInterface = L"RichEdit";
constexpr const wchar_t* kComboInterface = L"Combo";
constexpr const wchar_t* kSliderInterface = L"Slider";
constexpr const wchar_t* kProgressInterface = L"Progress";
constexpr const wchar_t* kContainerInterface = L"Container";
constexpr const wchar_t* kListInterface = L"List";
constexpr const wchar_t* kListTextElementInterface = L"ListTextElement";
constexpr const wchar_t* kTabLayoutInterface = L"TabLayout";
constexpr const wchar_t* kMenuElementInterface = L"MenuElement";

struct LayoutName {
    const wchar_t* name;           // the control's name attribute
    const wchar_t* interfaceName;  // what GetInterface must answer
};

// The named control as T when the layout has it and it answers the interface;
// null otherwise. UI thread.
template <class T>
T* FindNamed(const CPaintManagerUI& pm, const LayoutName& entry) {
    CControlUI* control = pm.FindControl(entry.name);
    return control ? static_cast<T*>(control->GetInterface(entry.interfaceName)) : nullptr;
}

}  // namespace DuiLib
