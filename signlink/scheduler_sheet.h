#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "workspace/message_model.h"

namespace signlink {

// The rules of "Scheduler and Special Functions": a working copy of the workspace's scheduler
// settings that the six pages show and edit, and that OK hands back as a whole. The windows only
// show what this model says and collect what the user chose; Cancel simply drops the model.

// A combo box with nothing chosen (a stored value outside its list shows no entry).
inline constexpr int kNoChoice = -1;
// The last entries of the hour ("00" to "23") and minute or second ("00" to "59") lists.
inline constexpr int kLastHour = 23;
inline constexpr int kLastMinute = 59;

// The pages in the order the sheet shows them.
enum class SchedulerPage { kTasks, kAlarm, kHourlyAlarm, kPowerOn, kPowerOff, kTimeFormat };

// The choices of the "Scheduler" page for the shown task, as the page collects them.
struct TaskChoices {
  // Start hour, start minute, end hour, end minute: the chosen list position, or kNoChoice.
  std::array<int, 4> times{kNoChoice, kNoChoice, kNoChoice, kNoChoice};
  std::array<bool, 7> days{};  // "Run date" checks, Sunday first.
};

// Everything the pages hold when the user presses OK.
struct SheetChoices {
  TaskChoices task;           // The shown task.
  std::string alarmCount;     // "Number of times to alarm:" as typed (Windows-1252).
  std::string alarmInterval;  // "Interval between each alarm:" as typed.
  bool hourlyAlarm = false;   // "Set hourly alarm ON".
  std::array<int, 3> powerOn{kNoChoice, kNoChoice, kNoChoice};  // HH, MM, SS list positions.
  std::array<int, 3> powerOff{kNoChoice, kNoChoice, kNoChoice};
  bool twelveHour = false;  // "12-Hour" selected.
};

// Why OK could not apply the pages: the page and control to show, and the text to tell.
struct SheetRefusal {
  SchedulerPage page;
  int controlId;
  std::string text;
};

// The outcome of a button of the "Files in task" list.
struct ListEdit {
  std::optional<std::string> refusal;  // The text to show when nothing was done.
  int selection = kNoChoice;           // The entry of "Files in task" to select afterwards.
};

class SchedulerSheet {
 public:
  // `settings` are the workspace's; `fileCount` the number of messages in the workspace.
  SchedulerSheet(const workspace::SchedulerSettings& settings, int fileCount);

  // ---- Texts of the lists.
  // "1" to "10".
  static std::vector<std::string> taskNames();
  // "00" to the two-digit text of `last`.
  static std::vector<std::string> numberTexts(int last);
  // "Sunday" to "Saturday" in the current language.
  static std::vector<std::string> dayNames();
  // "All files": "Msg 01" for the first message up to the last.
  std::vector<std::string> allFiles() const;
  // "Files in task" of the shown task: "Msg %02d" for each file index + 1, in the task's order.
  std::vector<std::string> taskFileTexts() const;

  // The list position that shows `value` in a list of `count` entries "00", "01", ...; kNoChoice
  // when the value lies outside the list.
  static int choiceFor(int value, int count);
  // What a time field applies: the chosen position, or the stored value when nothing is chosen
  // (so a stored value the list cannot show is kept as it was).
  static uint8_t valueFor(int choice, uint8_t stored);

  // ---- The "Scheduler" page.
  int shownTask() const { return shown_; }
  // The choices that show the shown task.
  TaskChoices shownChoices() const;
  // The file indices listed in "Files in task".
  const std::vector<int32_t>& taskFiles() const { return files_; }
  // Choosing another task in "Task": stores what the page shows into the shown task first, then
  // shows task `task` (0-9; anything else is ignored).
  void chooseTask(int task, const TaskChoices& shown);

  // "Add": copies the file at `allFilesSelection` of "All files" to the end of "Files in task".
  ListEdit add(int allFilesSelection);
  // "Remove", "Up", "Down" on the entry at `selection` of "Files in task".
  ListEdit remove(int selection);
  ListEdit moveUp(int selection);
  ListEdit moveDown(int selection);

  // ---- The other pages: what they show.
  std::string alarmCountText() const;
  std::string alarmIntervalText() const;
  bool hourlyAlarm() const { return settings_.hourlyAlarm != 0; }
  // The HH, MM, SS list positions that show the power times.
  std::array<int, 3> powerOnChoices() const;
  std::array<int, 3> powerOffChoices() const;
  bool twelveHour() const { return settings_.timeFormat == 1; }

  // A typed alarm value: an optional sign and up to nine digits, blanks around them allowed.
  static std::optional<int32_t> parseAlarmValue(std::string_view text);

  // OK: stores the shown task and applies every page. On a refusal nothing is applied and the
  // sheet stays open.
  std::optional<SheetRefusal> confirm(const SheetChoices& choices);
  // The settings as the sheet holds them (after confirm(): what OK applied).
  const workspace::SchedulerSettings& settings() const { return settings_; }

 private:
  void storeShownTask(const TaskChoices& shown);
  void showTask(int task);
  bool hasEntry(int selection) const;

  workspace::SchedulerSettings settings_;
  int fileCount_;
  int shown_ = 0;               // The task the "Scheduler" page shows.
  std::vector<int32_t> files_;  // Its "Files in task" list, edited in place until stored.
};

}  // namespace signlink
