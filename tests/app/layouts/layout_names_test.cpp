// The name lists of the program's windows (app/layouts, overlay/layouts) against
// the real skin: every name is in its layout and its control answers the
// interface the list gives it, so a control renamed or retyped in the skin fails
// here instead of being skipped at run time.
#include <gtest/gtest.h>

#include <cwchar>

#include "app/controls/app_controls.h"
#include "app/layouts/camera_wnd_names.h"
#include "app/layouts/countdown_names.h"
#include "app/layouts/device_menus_names.h"
#include "app/layouts/exit_names.h"
#include "app/layouts/list_right_menu_names.h"
#include "app/layouts/main_audio_menu_names.h"
#include "app/layouts/main_lists_names.h"
#include "app/layouts/main_names.h"
#include "app/layouts/main_sel_menu_names.h"
#include "app/layouts/toolbar_names.h"
#include "app/recording_ui/countdown_ui.h"
#include "common/text_convert.h"
#include "overlay/layouts/draw_bar_size_names.h"
#include "overlay/layouts/draw_text_size_names.h"
#include "overlay/layouts/draw_toolbar_names.h"
#include "overlay/layouts/drawboard_wnd_names.h"
#include "overlay/layouts/sel_setting_names.h"
#include "overlay/layouts/selarea_wnd_names.h"
#include "overlay/layouts/spotlight_wnd_names.h"
#include "overlay/spotlight/spotlight_ui.h"
#include "schedule/clock_field_controls.h"
#include "schedule/layouts/plan_add_task_names.h"
#include "schedule/layouts/plan_task_names.h"
#include "schedule/layouts/task_cycle_dlg_names.h"
#include "schedule/layouts/task_repeat_dlg_names.h"
#include "settings/hotkeys/hotkey_label.h"
#include "settings/layouts/audio_setting_names.h"
#include "settings/layouts/auto_stop_record_names.h"
#include "settings/layouts/hotkey_tip_names.h"
#include "settings/layouts/setting_names.h"
#include "settings/layouts/setting_opt_names.h"
#include "shell/layouts/delvideofile_tip_names.h"
#include "shell/layouts/game_record_tip_names.h"
#include "shell/layouts/msg_tip_names.h"
#include "shell/layouts/tipbox_names.h"
#include "tests/ui/ui_test_support.h"

using namespace DuiLib;

namespace {

// One list of names and the layout (skin file or res.xml id) they name controls of.
struct NameList {
    template <size_t N>
    NameList(const wchar_t* layoutFile, const LayoutName (&entries)[N])
        : layout(layoutFile), names(entries), count(N) {}
    const wchar_t* layout;
    const LayoutName* names;
    size_t count;
};

// Every name list of the program. A window with a layout of its own adds its list
// here, one line: {my_dlg_names::kLayout, my_dlg_names::kAll},
const NameList kNameLists[] = {
    {main_names::kLayout, main_names::kAll},
    {main_names::kLayout, main_names::kVoicePulses},
    {main_names::kLayout, main_names::kVoiceRPulses},
    {main_lists_names::kLayout, main_lists_names::kAll},
    {main_audio_menu_names::kLayout, main_audio_menu_names::kAll},
    {main_sel_menu_names::kLayout, main_sel_menu_names::kAll},
    {toolbar_names::kLayout, toolbar_names::kAll},
    {countdown_names::kLayout, countdown_names::kAll},
    {msg_tip_names::kLayout, msg_tip_names::kAll},
    {tipbox_names::kLayout, tipbox_names::kAll},
    {delvideofile_tip_names::kLayout, delvideofile_tip_names::kAll},
    {game_record_tip_names::kLayout, game_record_tip_names::kAll},
    {selarea_wnd_names::kLayout, selarea_wnd_names::kAll},
    {sel_setting_names::kLayout, sel_setting_names::kAll},
    {setting_names::kLayout, setting_names::kAll},
    {setting_opt_names::kLayout, setting_opt_names::kAll},
    {hotkey_tip_names::kLayout, hotkey_tip_names::kAll},
    {plan_task_names::kLayout, plan_task_names::kAll},
    {plan_add_task_names::kLayout, plan_add_task_names::kAll},
    {task_repeat_dlg_names::kLayout, task_repeat_dlg_names::kAll},
    {task_cycle_dlg_names::kLayout, task_cycle_dlg_names::kAll},
    {device_menus_names::kCameraLayout, device_menus_names::kCameraAll},
    {device_menus_names::kMicLayout, device_menus_names::kMicAll},
    {device_menus_names::kVolumeLayout, device_menus_names::kVolumeAll},
    {exit_names::kLayout, exit_names::kAll},
    {camera_wnd_names::kLayout, camera_wnd_names::kAll},
    {audio_setting_names::kLayout, audio_setting_names::kAll},
    {auto_stop_record_names::kLayout, auto_stop_record_names::kAll},
    {list_right_menu_names::kLayout, list_right_menu_names::kAll},
    {tray_menu_names::kLayout, tray_menu_names::kAll},
    {drawboard_wnd_names::kLayout, drawboard_wnd_names::kAll},
    {draw_toolbar_names::kLayout, draw_toolbar_names::kAll},
    {draw_bar_size_names::kLayout, draw_bar_size_names::kAll},
    {draw_text_size_names::kLayout, draw_text_size_names::kAll},
    {spotlight_wnd_names::kLayout, spotlight_wnd_names::kAll},
};

// Names that a click table answers and the skin does not have: a list's kAbsent,
// one line each like the lists above.
const NameList kAbsentNames[] = {
    {main_names::kLayout, main_names::kAbsent},
    {tipbox_names::kLayout, tipbox_names::kAbsent},
    {list_right_menu_names::kLayout, list_right_menu_names::kAbsent},
};

// The program's own controls by layout tag, as its windows make them.
CControlUI* MakeProgramControl(LPCTSTR tag) {
    if (CControlUI* control = CreateAppControl(tag)) return control;
    if (wcscmp(tag, L"CountdownUI") == 0) return new CCountdownUI;
    if (wcscmp(tag, L"SelArea") == 0) return new CSelAreaUI;
    if (wcscmp(tag, L"DragBtn") == 0) return new CDragBtnUI;
    if (wcscmp(tag, L"HotkeyLabel") == 0) return new HotkeyLabel;
    if (CControlUI* control = CreateClockFieldControl(tag)) return control;
    if (wcscmp(tag, L"SpotlightUI") == 0) return new CSpotlightUI;
    return nullptr;
}

std::string Text(const wchar_t* text) { return WideToUtf8(text); }

}  // namespace

TEST(LayoutNames, EveryNameIsInItsLayoutWithItsInterface) {
    for (const NameList& list : kNameLists) {
        ui_test::TestWindow window(list.layout, L"LayoutNamesTestWindow");
        window.makeControl = MakeProgramControl;
        ASSERT_TRUE(window.Open()) << Text(list.layout) << " does not build";
        for (size_t i = 0; i < list.count; ++i) {
            const LayoutName& entry = list.names[i];
            const std::string where = Text(list.layout) + ": " + Text(entry.name);
            CControlUI* control = window.Pm().FindControl(entry.name);
            if (!control) {
                ADD_FAILURE() << where << " is not in the layout";
                continue;
            }
            EXPECT_NE(FindNamed<CControlUI>(window.Pm(), entry), nullptr)
                << where << " is a " << Text(control->GetClass()) << ", not a " << Text(entry.interfaceName);
        }
    }
}

TEST(LayoutNames, NamesTheSkinLacksStayAbsent) {
    for (const NameList& list : kAbsentNames) {
        ui_test::TestWindow window(list.layout, L"LayoutNamesTestWindow");
        ASSERT_TRUE(window.Open()) << Text(list.layout) << " does not build";
        for (size_t i = 0; i < list.count; ++i)
            EXPECT_EQ(window.Pm().FindControl(list.names[i].name), nullptr)
                << Text(list.layout) << ": " << Text(list.names[i].name)
                << " is in the layout now: move it to the layout's kAll";
    }
}
