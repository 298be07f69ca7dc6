// Pieces of the paint manager shared between its source files.
#pragma once

#include <vector>

#include "ui/core/paint_manager.h"

namespace DuiLib {

// A message id of our own for "repaint the layered window", unique per system.
UINT LayeredPaintMessage();

// Every live manager of the thread, for TranslateMessage and the timers.
std::vector<CPaintManagerUI*>& LiveManagers();

// Counts a dispatch in progress; controls removed meanwhile are deleted when
// the outermost dispatch ends, so no handler deletes the control it runs for.
class CDispatchScope {
public:
    explicit CDispatchScope(CPaintManagerUI* manager);
    ~CDispatchScope();
    // False when the manager was destroyed by a handler (its window went away).
    bool Alive() const { return *m_alive; }

private:
    CPaintManagerUI* m_manager;
    std::shared_ptr<bool> m_alive;
};

}  // namespace DuiLib
