// The rules of "Scheduler and Special Functions" without its windows.

#include "signlink/scheduler_sheet.h"

#include <gtest/gtest.h>

#include "i18n/dialog_controls.h"

using signlink::kNoChoice;
using signlink::SchedulerPage;
using signlink::SchedulerSheet;
using signlink::SheetChoices;
using signlink::TaskChoices;
using workspace::SchedulerSettings;

namespace {

const char kSelectAllFiles[] = "Please select one file in 'All files' list box at first!";
const char kSelectTaskFile[] = "Please select one file in 'Files in task' list box at first!";

// What the pages collect when the user changes nothing but the shown task.
SheetChoices unchanged(const SchedulerSheet& sheet) {
  SheetChoices c;
  c.task = sheet.shownChoices();
  c.alarmCount = sheet.alarmCountText();
  c.alarmInterval = sheet.alarmIntervalText();
  c.hourlyAlarm = sheet.hourlyAlarm();
  c.powerOn = sheet.powerOnChoices();
  c.powerOff = sheet.powerOffChoices();
  c.twelveHour = sheet.twelveHour();
  return c;
}

}  // namespace

TEST(SchedulerSheet, SwitchingTasksStoresTheShownTaskFirst) {
  SchedulerSettings s;
  s.tasks[2].startHour = 8;
  s.tasks[2].endMinute = 30;
  s.tasks[2].days[1] = 1;
  s.tasks[2].files = {0};
  SchedulerSheet sheet(s, 5);
  EXPECT_EQ(sheet.shownTask(), 0);

  // Task 1 ("1") edited on the page: times, days and two files.
  TaskChoices edited;
  edited.times = {6, 15, 22, 45};
  edited.days[0] = edited.days[6] = true;
  ASSERT_FALSE(sheet.add(3).refusal);
  ASSERT_FALSE(sheet.add(1).refusal);
  sheet.chooseTask(2, edited);

  EXPECT_EQ(sheet.shownTask(), 2);
  const TaskChoices third = sheet.shownChoices();
  EXPECT_EQ(third.times, (std::array<int, 4>{8, 0, 0, 30}));
  EXPECT_TRUE(third.days[1]);
  EXPECT_FALSE(third.days[0]);
  EXPECT_EQ(sheet.taskFiles(), (std::vector<int32_t>{0}));

  // Back on the first task, it shows what was stored.
  sheet.chooseTask(0, third);
  EXPECT_EQ(sheet.shownChoices().times, edited.times);
  EXPECT_EQ(sheet.shownChoices().days, edited.days);
  EXPECT_EQ(sheet.taskFiles(), (std::vector<int32_t>{3, 1}));
  // A task number outside 0-9 changes nothing.
  sheet.chooseTask(10, TaskChoices{});
  EXPECT_EQ(sheet.shownTask(), 0);
  EXPECT_EQ(sheet.taskFiles(), (std::vector<int32_t>{3, 1}));

  // OK stores the shown task too.
  SheetChoices ok = unchanged(sheet);
  ok.task.times[0] = 7;
  ASSERT_FALSE(sheet.confirm(ok));
  const auto& t = sheet.settings().tasks[0];
  EXPECT_EQ(t.startHour, 7);
  EXPECT_EQ(t.startMinute, 15);
  EXPECT_EQ(t.endHour, 22);
  EXPECT_EQ(t.endMinute, 45);
  EXPECT_EQ(t.days, (std::array<uint8_t, 7>{1, 0, 0, 0, 0, 0, 1}));
  EXPECT_EQ(t.files, (std::vector<int32_t>{3, 1}));
  EXPECT_EQ(sheet.settings().tasks[2], s.tasks[2]);
}

TEST(SchedulerSheet, AddRemoveUpDownAndTheirRefusals) {
  SchedulerSheet sheet(SchedulerSettings{}, 4);
  EXPECT_EQ(sheet.add(kNoChoice).refusal, kSelectAllFiles);
  EXPECT_EQ(sheet.add(4).refusal, kSelectAllFiles);  // past the last message
  for (const auto& edit : {sheet.remove(kNoChoice), sheet.moveUp(kNoChoice),
                           sheet.moveDown(kNoChoice), sheet.remove(0)}) {
    EXPECT_EQ(edit.refusal, kSelectTaskFile);
  }
  EXPECT_TRUE(sheet.taskFiles().empty());

  // Add appends and selects the new entry; a message may be listed twice.
  int expected = 0;
  for (const int file : {0, 2, 3, 2})
    EXPECT_EQ(sheet.add(file).selection, expected++);
  EXPECT_EQ(sheet.taskFiles(), (std::vector<int32_t>{0, 2, 3, 2}));

  // Up and Down move the entry and its selection; at the ends they do nothing.
  EXPECT_EQ(sheet.moveUp(2).selection, 1);
  EXPECT_EQ(sheet.taskFiles(), (std::vector<int32_t>{0, 3, 2, 2}));
  EXPECT_EQ(sheet.moveUp(0).selection, 0);
  EXPECT_EQ(sheet.moveDown(0).selection, 1);
  EXPECT_EQ(sheet.taskFiles(), (std::vector<int32_t>{3, 0, 2, 2}));
  EXPECT_EQ(sheet.moveDown(3).selection, 3);
  EXPECT_EQ(sheet.moveDown(4).refusal, kSelectTaskFile);

  // Remove keeps the entry that takes the place selected.
  EXPECT_EQ(sheet.remove(1).selection, 1);
  EXPECT_EQ(sheet.remove(2).selection, 1);
  EXPECT_EQ(sheet.taskFiles(), (std::vector<int32_t>{3, 2}));
  sheet.remove(0);
  EXPECT_EQ(sheet.remove(0).selection, kNoChoice);
  EXPECT_TRUE(sheet.taskFiles().empty());
}

TEST(SchedulerSheet, StoredTimesTheListsCannotShowAreKept) {
  SchedulerSettings s;
  s.tasks[0].startHour = 24;
  s.tasks[0].endMinute = 75;
  s.powerOn = {23, 60, 59};
  s.powerOff = {99, 0, 61};
  SchedulerSheet sheet(s, 1);
  EXPECT_EQ(sheet.shownChoices().times, (std::array<int, 4>{kNoChoice, 0, 0, kNoChoice}));
  EXPECT_EQ(sheet.powerOnChoices(), (std::array<int, 3>{23, kNoChoice, 59}));
  EXPECT_EQ(sheet.powerOffChoices(), (std::array<int, 3>{kNoChoice, 0, kNoChoice}));
  ASSERT_FALSE(sheet.confirm(unchanged(sheet)));
  EXPECT_EQ(sheet.settings(), s);
}

TEST(SchedulerSheet, AlarmValuesAreTakenAsTypedAndOtherTextIsRefused) {
  EXPECT_EQ(SchedulerSheet::parseAlarmValue("300"), 300);
  EXPECT_EQ(SchedulerSheet::parseAlarmValue(" 7 "), 7);
  EXPECT_EQ(SchedulerSheet::parseAlarmValue("007"), 7);
  EXPECT_EQ(SchedulerSheet::parseAlarmValue("-5"), -5);
  EXPECT_EQ(SchedulerSheet::parseAlarmValue("999999999"), 999999999);
  for (const char* bad : {"", " ", "-", "1a", "1 2", "x", "1234567890"})
    EXPECT_FALSE(SchedulerSheet::parseAlarmValue(bad)) << bad;
}

TEST(SchedulerSheet, OkAppliesEveryPageOrNothing) {
  SchedulerSettings s;
  s.alarmCount = 2;
  s.hourlyAlarm = 1;
  s.timeFormat = 1;
  SchedulerSheet sheet(s, 3);
  EXPECT_EQ(sheet.alarmCountText(), "2");
  EXPECT_EQ(sheet.alarmIntervalText(), "0");
  EXPECT_TRUE(sheet.hourlyAlarm());
  EXPECT_TRUE(sheet.twelveHour());

  SheetChoices c = unchanged(sheet);
  c.alarmCount = "300";
  c.alarmInterval = "";
  c.hourlyAlarm = false;
  const auto refusal = sheet.confirm(c);
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->page, SchedulerPage::kAlarm);
  EXPECT_EQ(refusal->controlId, i18n::kIdAlarmInterval);
  EXPECT_EQ(refusal->text, "Please enter an integer.");
  EXPECT_EQ(sheet.settings(), s);

  c.alarmInterval = "15";
  c.powerOn = {6, 30, 0};
  c.powerOff = {23, 59, 58};
  c.twelveHour = false;
  ASSERT_FALSE(sheet.confirm(c));
  const SchedulerSettings& applied = sheet.settings();
  EXPECT_EQ(applied.alarmCount, 300);  // the stream sends its low 8 bits
  EXPECT_EQ(applied.alarmInterval, 15);
  EXPECT_EQ(applied.hourlyAlarm, 0);
  EXPECT_EQ(applied.powerOn, (std::array<uint8_t, 3>{6, 30, 0}));
  EXPECT_EQ(applied.powerOff, (std::array<uint8_t, 3>{23, 59, 58}));
  EXPECT_EQ(applied.timeFormat, 0);
}
