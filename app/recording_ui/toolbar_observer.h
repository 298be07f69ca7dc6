// How the recording toolbar asks its owner (the main window) to stop, pause and
// resume the recording.
#pragma once

class ToolbarObserver {
public:
    virtual ~ToolbarObserver() = default;
    // Stop the recording.
    virtual void onStopRecord() = 0;
    // The toolbar has set g_recordeState to state (_RecordingState or _PauseState).
    virtual void onRecordStateChanged(int state) = 0;
};
