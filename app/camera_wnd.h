// The webcam window: 320 x 240 in the bottom-right corner of the screen, dragged
// anywhere; the camera preview draws into it from the camera's thread and its
// close button tells the owner, which turns the camera off. The object deletes
// itself with its window.
#pragma once

#include "app/layouts/camera_wnd_names.h"
#include "app/recording_ui/self_deleting_wnd.h"

constexpr int kCameraWndWidth = 320;
constexpr int kCameraWndHeight = 240;

class CCameraWnd : public CSelfDeletingWnd {
public:
    // UI thread: the window told (WM_CAMERA_CLOSED) when the close button is pressed.
    void SetOwner(HWND owner) { m_owner = owner; }
    // The close button's place (client coordinates), painted over the picture.
    RECT CloseButtonRect() const;

protected:
    LPCTSTR GetWindowClassName() const override { return L"CameraWnd"; }
    DuiLib::CDuiString GetSkinFile() override { return camera_wnd_names::kLayout; }
    void InitWindow() override;
    void OnClick(DuiLib::TNotifyUI& msg) override;

private:
    DuiLib::CButtonUI* m_pCloseBtn = nullptr;
    HWND m_owner = nullptr;
};
