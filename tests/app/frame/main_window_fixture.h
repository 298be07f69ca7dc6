// One main window for the whole suite MainWindowTest, created in-process as the
// program creates it, with Check_AutoStartup set (its WM_RECORD_AT_START is taken
// off the queue: this suite records nothing). Test files add TEST_F cases of it.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/vistrel_frame.h"
#include "tests/support/record_globals_reset.h"

// What the main window was created with.
struct CreateParams {
    bool seen = false;
    std::wstring className, title;
    DWORD style = 0, exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    HWND parent = nullptr;
};

class MainWindowTest : public ::testing::Test {
public:
    static CreateParams createdParams;

protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    // Every case starts from the recording state a program starts with; the window
    // stays from case to case.
    void SetUp() override {
        ASSERT_TRUE(created);
        testing_support::ResetRecordGlobals();
    }
    HWND Hwnd() const { return frame->GetHWND(); }

    static CVistrelFrame* frame;
    static bool created;
    static bool recordAtStartQueued;
    static RECT firstArea;
    static int logStart;  // the log's lines before this window was made
};
