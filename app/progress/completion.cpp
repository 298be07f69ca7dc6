#include "app/progress/completion.h"

#include <cstdio>

#include "common/auto_stop_options.h"
#include "common/text_convert.h"

namespace {

enum class CompletionAction { kNothing, kQuit, kSleep, kShutdown };

struct ActionEntry {
    const wchar_t* text;
    CompletionAction action;
    const wchar_t* autoStopLine;
    const wchar_t* planLine;
};

const ActionEntry kActions[] = {
    {kActionNothing, CompletionAction::kNothing, L"自动停止后，不做任何操作\n", L"计划任务停止后，不做任何操作\n"},
    {kActionQuit, CompletionAction::kQuit, L"自动停止后，退出程序\n", L"计划任务停止后，退出程序\n"},
    {kActionSleep, CompletionAction::kSleep, L"自动停止后，睡眠\n", L"计划任务停止后，睡眠\n"},
    {kActionShutdown, CompletionAction::kShutdown, L"自动停止后，关机\n", L"计划任务停止后，关机\n"},
};

const ActionEntry* FindAction(const std::wstring& text) {
    for (const ActionEntry& entry : kActions)
        if (text == entry.text) return &entry;
    return nullptr;  // any other text does nothing
}

void Print(const wchar_t* line) {
    fputs(WideToChs(line).c_str(), stdout);
    fflush(stdout);
}

void Act(CompletionAction action, const CompletionTarget& target) {
    switch (action) {
        case CompletionAction::kNothing: break;
        case CompletionAction::kQuit: DestroyWindow(target.mainWindow); break;
        case CompletionAction::kSleep: target.power.SuspendSystem(); break;
        case CompletionAction::kShutdown: target.power.ShutdownSystem(); break;
    }
}

}  // namespace

// The options are reset before the action: quitting destroys the window whose
// frame owns them.
void HandleAutoStopReached(bool recordingWasRunning, const CompletionTarget& target, CProgressBoard& board) {
    if (!recordingWasRunning) return;
    target.stopRecording();
    AutoStopOptions options = board.GetAutoStopOptions();
    if (!options.enabled) return;
    const ActionEntry* entry = FindAction(options.action);
    if (entry) Print(entry->autoStopLine);
    board.ResetAutoStopOptionsIfEnabled();
    if (entry) Act(entry->action, target);
}

void HandlePlanDurationReached(bool recordingWasRunning, const CompletionTarget& target,
                               const std::wstring& completeOption, CProgressBoard& board) {
    if (!recordingWasRunning) return;
    target.stopRecording();
    const ActionEntry* entry = FindAction(completeOption);
    if (entry) Print(entry->planLine);
    board.ResetAutoStopOptionsIfEnabled();
    if (entry) Act(entry->action, target);
}
