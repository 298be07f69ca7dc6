// A skinned window whose object deletes itself when its window is destroyed, and
// tells its owner just before, so that no pointer to it outlives it. A window
// whose layout never got built is not deleted: Create failed, and the creator
// still owns the object.
#pragma once

#include <functional>

#include "ui/duilib.h"

class CSelfDeletingWnd : public DuiLib::WindowImplBase {
public:
    // Called with the object just before it deletes itself.
    void SetGoneNotice(std::function<void(const void*)> notice) { m_goneNotice = std::move(notice); }

protected:
    LRESULT OnCreate(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    void OnFinalMessage(HWND hWnd) override;

private:
    bool m_ownedByWindow = false;
    std::function<void(const void*)> m_goneNotice;
};
