// "PlanTasks.xml" in a temporary folder: the exact bytes written, reading back,
// updates in place, names kept exactly (UTF-8), files of older versions in code
// page 936, damaged and duplicate files; and the task's display texts.
#include <gtest/gtest.h>

#include <tinyxml2.h>

#include "schedule/task_file.h"
#include "schedule/task_info.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::ReadFileBytes;
using testing_support::TempDir;
using testing_support::WriteFileBytes;

constexpr time_t kNow = 1700000000;

TaskInfo SampleTask(const std::wstring& name) {
    TaskInfo t(kNow);
    t.Name = name;
    t.StartDate = L"2031-05-06";
    t.StartTime = L"07:08:09";
    t.StopDate = L"2031-05-06";
    t.StopTime = L"08:08:09";
    t.Duration = 3600;
    t.RegionMode = 2;
    t.RegionLeft = 10;
    t.RegionTop = 20;
    t.RegionRight = 330;
    t.RegionBottom = 260;
    t.AudioInput = 3;
    t.Webcam = L"cam";
    t.Status = true;
    return t;
}

// tinyxml2 saves in text mode: lines end in CR LF on Windows.
const char kOneTask[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<Tasks>\r\n"
    "    <Task Name=\"Task 1\" StartTime=\"2031-05-06 07:08:09\" StopTime=\"2031-05-06 08:08:09\" "
    "Duration=\"3600\" StopType=\"0\" RegionMode=\"2\" Region=\"10,20,330,260\" AudioInput=\"3\" Webcam=\"cam\" "
    "ChosenScreen=\"\" CompletedAction=\"\xE4\xB8\x8D\xE5\x81\x9A\xE4\xBB\xBB\xE4\xBD\x95\xE6\x93\x8D\xE4\xBD\x9C\" "
    "Status=\"1\"/>\r\n"
    "</Tasks>\r\n";

class TaskFileTest : public ::testing::Test {
protected:
    std::wstring Path() const { return dir_.File(L"PlanTasks.xml"); }
    std::vector<TaskInfo> ReadBack() const { return ReadTasksFromFile(Path(), kNow); }
    TempDir dir_;
};

TEST_F(TaskFileTest, TheFirstAddWritesTheseBytes) {
    ASSERT_TRUE(AddTaskToFile(Path(), SampleTask(L"Task 1")));
    EXPECT_EQ(ReadFileBytes(Path()), kOneTask);
    EXPECT_FALSE(testing_support::FileExists(Path() + L".tmp"));
}

TEST_F(TaskFileTest, ATaskReadsBackAsWritten) {
    TaskInfo t = SampleTask(L"Task 1");
    t.Repeat = L"1,3,5";
    t.Cycle = true;
    t.CycleStopCount = 5;
    t.CycleStopManually = true;
    t.StopType = 2;
    t.ChosenScreen = L"screen";
    ASSERT_TRUE(AddTaskToFile(Path(), t));
    const std::vector<TaskInfo> back = ReadBack();
    ASSERT_EQ(back.size(), 1u);
    const TaskInfo& r = back[0];
    EXPECT_EQ(r.Name, t.Name);
    EXPECT_EQ(r.StartDate, t.StartDate);
    EXPECT_EQ(r.StartTime, t.StartTime);
    EXPECT_EQ(r.StopTime, t.StopTime);
    EXPECT_EQ(r.Duration, 3600u);
    EXPECT_EQ(r.StopType, 2);
    EXPECT_EQ(r.RegionMode, 2);
    EXPECT_EQ(r.RegionRight, 330);
    EXPECT_EQ(r.RegionBottom, 260);
    EXPECT_EQ(r.AudioInput, 3);
    EXPECT_EQ(r.Webcam, L"cam");
    EXPECT_EQ(r.ChosenScreen, L"screen");
    EXPECT_EQ(r.CompletedAction, L"不做任何操作");
    EXPECT_TRUE(r.Status);
    EXPECT_TRUE(r.Cycle);
    EXPECT_EQ(r.CycleStopCount, 5);
    EXPECT_TRUE(r.CycleStopManually);
    EXPECT_EQ(r.Repeat, L"1,3,5");
    const std::string bytes = ReadFileBytes(Path());
    EXPECT_LT(bytes.find("<Cycle CycleStopManually=\"1\" CycleStopCount=\"5\"/>"),
              bytes.find("<Repeat>1,3,5</Repeat>"));
}

TEST_F(TaskFileTest, WithoutCycleAndRepeatChildrenTheDefaultsStay) {
    ASSERT_TRUE(AddTaskToFile(Path(), SampleTask(L"Task 1")));
    const TaskInfo r = ReadBack().at(0);
    EXPECT_FALSE(r.Cycle);
    EXPECT_EQ(r.CycleStopCount, 10);
    EXPECT_FALSE(r.CycleStopManually);
    EXPECT_TRUE(r.Repeat.empty());
    EXPECT_EQ(ReadFileBytes(Path()).find("<Cycle"), std::string::npos);
}

TEST_F(TaskFileTest, AnUpdateChangesValuesInPlaceAndMovesChildrenAsNeeded) {
    TaskInfo t = SampleTask(L"Task 1");
    t.Repeat = L"2";
    ASSERT_TRUE(AddTaskToFile(Path(), t));
    ASSERT_TRUE(AddTaskToFile(Path(), SampleTask(L"Task 2")));
    t.Duration = 7;
    t.Status = false;
    t.Cycle = true;
    ASSERT_TRUE(UpdateTaskInFile(Path(), t));
    std::string bytes = ReadFileBytes(Path());
    EXPECT_NE(bytes.find("<Task Name=\"Task 1\" StartTime=\"2031-05-06 07:08:09\" StopTime=\"2031-05-06 08:08:09\" "
                         "Duration=\"7\" StopType=\"0\" RegionMode=\"2\" Region=\"10,20,330,260\""),
              std::string::npos)
        << bytes;
    EXPECT_LT(bytes.find("<Repeat>2</Repeat>"), bytes.find("<Cycle "));  // a new Cycle goes last
    EXPECT_LT(bytes.find("Task 1"), bytes.find("Task 2"));
    t.Repeat.clear();
    ASSERT_TRUE(UpdateTaskInFile(Path(), t));
    bytes = ReadFileBytes(Path());
    EXPECT_EQ(bytes.find("<Repeat>"), std::string::npos);
    const TaskInfo r = ReadBack().at(0);
    EXPECT_EQ(r.Duration, 7u);
    EXPECT_FALSE(r.Status);
    EXPECT_TRUE(r.Cycle);
}

TEST_F(TaskFileTest, UpdateAndDeleteOfAnUnknownNameLeaveTheFileAlone) {
    ASSERT_TRUE(AddTaskToFile(Path(), SampleTask(L"Task 1")));
    EXPECT_FALSE(UpdateTaskInFile(Path(), SampleTask(L"Task 9")));
    EXPECT_FALSE(DeleteTaskFromFile(Path(), SampleTask(L"Task 9")));
    EXPECT_EQ(ReadFileBytes(Path()), kOneTask);
    EXPECT_FALSE(UpdateTaskInFile(dir_.File(L"missing.xml"), SampleTask(L"Task 1")));
}

// Names stay exactly as typed: names that one code page would turn into the same
// text (emoji, Chinese on a Western code page) are different tasks in the file.
TEST_F(TaskFileTest, NamesAreKeptExactlyInUtf8) {
    const std::wstring names[] = {L"录制任务", L"\U0001F600 night", L"\U0001F601 night", L"Caf\u00E9 \u0416"};
    for (const std::wstring& name : names) {
        TaskInfo t = SampleTask(name);
        t.Webcam = L"摄像头";
        t.CompletedAction = L"关机";
        ASSERT_TRUE(AddTaskToFile(Path(), t));
    }
    EXPECT_NE(ReadFileBytes(Path()).find("Name=\"\xE5\xBD\x95\xE5\x88\xB6\xE4\xBB\xBB\xE5\x8A\xA1\""),
              std::string::npos)
        << "UTF-8, as the declaration says";
    std::vector<TaskInfo> back = ReadBack();
    ASSERT_EQ(back.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(back[i].Name, names[i]);
        EXPECT_EQ(back[i].Webcam, L"摄像头");
        EXPECT_EQ(back[i].CompletedAction, L"关机");
    }
    TaskInfo second = SampleTask(names[2]);
    second.Duration = 20;
    ASSERT_TRUE(UpdateTaskInFile(Path(), second));
    ASSERT_TRUE(DeleteTaskFromFile(Path(), SampleTask(names[1])));
    back = ReadBack();
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[0].Name, names[0]);
    EXPECT_EQ(back[1].Name, names[2]);
    EXPECT_EQ(back[1].Duration, 20u) << "the update found its own task";
    EXPECT_EQ(back[2].Name, names[3]);
}

// A file written by an older version holds its text in code page 936.
TEST_F(TaskFileTest, AFileInTheCodePageOfAnOlderVersionStillReads) {
    ASSERT_TRUE(
        WriteFileBytes(Path(),
                       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Tasks>\n"
                       "<Task Name=\"\xC2\xBC\xD6\xC6\xC8\xCE\xCE\xF1\" StartTime=\"2031-05-06 07:08:09\" "
                       "Webcam=\"\xC9\xE3\xCF\xF1\xCD\xB7\" CompletedAction=\"\xB9\xD8\xBB\xFA\" Status=\"1\"/>\n"
                       "</Tasks>\n"));
    const TaskInfo r = ReadBack().at(0);
    EXPECT_EQ(r.Name, L"录制任务");
    EXPECT_EQ(r.Webcam, L"摄像头");
    EXPECT_EQ(r.CompletedAction, L"关机");
    TaskInfo t = r;
    t.Duration = 20;
    EXPECT_TRUE(UpdateTaskInFile(Path(), t)) << "found by its name";
    EXPECT_EQ(ReadBack().at(0).Duration, 20u);
    EXPECT_EQ(ReadBack().at(0).Webcam, L"摄像头");
    EXPECT_TRUE(DeleteTaskFromFile(Path(), t));
    EXPECT_TRUE(ReadBack().empty());
}

// An interrupted save of an older version could leave an empty file, or one with
// the declaration only: the next task starts the file afresh.
TEST_F(TaskFileTest, AnEmptyOrRootlessFileIsStartedAfresh) {
    for (const char* broken : {"", "  \r\n", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"}) {
        ASSERT_TRUE(WriteFileBytes(Path(), broken));
        EXPECT_TRUE(ReadBack().empty());
        ASSERT_TRUE(AddTaskToFile(Path(), SampleTask(L"Task 1")));
        EXPECT_EQ(ReadFileBytes(Path()), kOneTask) << broken;
        EXPECT_FALSE(testing_support::FileExists(Path() + L".damaged")) << "nothing was lost: nothing is kept";
    }
}

// A file that cannot be read is never overwritten: the next add keeps it, byte
// for byte, beside the new file.
TEST_F(TaskFileTest, ADamagedFileIsKeptBesideTheNewOne) {
    const char* damaged[] = {"<Tasks><Task", "garbage \x01\x02 <<", "<Tasks><Task Name=\"Task 7\"/></Tsks>"};
    const wchar_t* kept[] = {L".damaged", L".damaged-2", L".damaged-3"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(damaged[i]);
        ASSERT_TRUE(WriteFileBytes(Path(), damaged[i]));
        EXPECT_TRUE(ReadBack().empty());
        EXPECT_FALSE(UpdateTaskInFile(Path(), SampleTask(L"Task 7")));
        EXPECT_EQ(ReadFileBytes(Path()), damaged[i]) << "an update saves nothing over it";
        ASSERT_TRUE(AddTaskToFile(Path(), SampleTask(L"Task 1")));
        EXPECT_EQ(ReadFileBytes(Path()), kOneTask);
        EXPECT_EQ(ReadFileBytes(Path() + kept[i]), damaged[i]);
    }
}

TEST_F(TaskFileTest, OfTwoTasksOfOneNameTheFirstIsUpdatedAndDeleted) {
    TaskInfo first = SampleTask(L"Task 1");
    TaskInfo second = first;
    second.Duration = 99;
    ASSERT_TRUE(AddTaskToFile(Path(), first));
    ASSERT_TRUE(AddTaskToFile(Path(), second));
    first.Duration = 11;
    ASSERT_TRUE(UpdateTaskInFile(Path(), first));
    std::vector<TaskInfo> back = ReadBack();
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].Duration, 11u);
    EXPECT_EQ(back[1].Duration, 99u);
    ASSERT_TRUE(DeleteTaskFromFile(Path(), first));
    back = ReadBack();
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].Duration, 99u);
}

struct RegionCase {
    const char* text;
    int left, top, right, bottom;
};

TEST(TaskElementTest, RegionTextsReadAsFourNumbers) {
    const RegionCase cases[] = {
        {"10,20,30,40", 10, 20, 30, 40},
        {"10;20;30;40", 10, 20, 30, 40},
        {"10, 20, 30, 40", 10, 20, 30, 40},
        {"10", 10, 0, 0, 0},
        {"", 0, 0, 0, 0},
        {"-5,7", -5, 7, 0, 0},
    };
    for (const RegionCase& c : cases) {
        tinyxml2::XMLDocument doc;
        tinyxml2::XMLElement* e = doc.NewElement("Task");
        e->SetAttribute("Region", c.text);
        const TaskInfo t = ReadTaskElement(*e, kNow);
        EXPECT_EQ(t.RegionLeft, c.left) << c.text;
        EXPECT_EQ(t.RegionTop, c.top) << c.text;
        EXPECT_EQ(t.RegionRight, c.right) << c.text;
        EXPECT_EQ(t.RegionBottom, c.bottom) << c.text;
    }
}

TEST(TaskElementTest, AStartWithoutABlankKeepsTheDefaults) {
    tinyxml2::XMLDocument doc;
    tinyxml2::XMLElement* e = doc.NewElement("Task");
    e->SetAttribute("StartTime", "2031-05-06");
    const TaskInfo t = ReadTaskElement(*e, kNow);
    const TaskInfo defaults(kNow);
    EXPECT_EQ(t.StartDate, defaults.StartDate);
    EXPECT_EQ(t.StartTime, defaults.StartTime);
}

struct TextCase {
    const wchar_t* repeat;
    const wchar_t* shown;
};

TEST(TaskTextTest, RepeatDurationAndStatusTexts) {
    const TextCase cases[] = {
        {L"0,1,2,3,4,5,6", L"每天"}, {L"1,0", L" 每周一 每周日"}, {L"", L" "}, {L"6", L" 每周六 "}, {L"7,x", L" "},
        {L"3,", L" 每周三 "},
    };
    TaskInfo t(kNow);
    for (const TextCase& c : cases) {
        t.Repeat = c.repeat;
        EXPECT_EQ(t.RepeatText(), c.shown) << c.repeat;
    }
    t.Duration = 86400 + 3600 + 60 + 1;
    EXPECT_EQ(t.DurationText(), L"25:01:01");
    EXPECT_EQ(t.StatusText(), L"停止");
    t.Status = true;
    EXPECT_EQ(t.StatusText(), L"启用");
}

TEST(TaskTextTest, TheRequestCarriesTheTasksFields) {
    const TaskInfo t = SampleTask(L"Task 1");
    const RecordRequest r = t.ToRequest();
    EXPECT_EQ(r.record_area, 2);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 330);
    EXPECT_EQ(r.bottom, 260);
    EXPECT_EQ(r.audio_input, 3);
    EXPECT_EQ(r.camera_input, L"cam");
    EXPECT_EQ(r.complete_option, L"不做任何操作");
    EXPECT_EQ(r.duration, 3600);
    EXPECT_TRUE(r.task_begin);
}

}  // namespace
