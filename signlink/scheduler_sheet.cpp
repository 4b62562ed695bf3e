#include "signlink/scheduler_sheet.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "i18n/dialog_controls.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"
#include "workspace/editor_layout.h"

namespace signlink {
namespace {

constexpr int kHours = kLastHour + 1;
constexpr int kMinutes = kLastMinute + 1;
constexpr int kDays = 7;
constexpr size_t kMaxAlarmDigits = 9;  // Fits a 32-bit value.

// The list lengths of the four time combo boxes: start HH, MM, end HH, MM.
constexpr std::array<int, 4> kTaskTimeLists = {kHours, kMinutes, kHours, kMinutes};

std::array<uint8_t*, 4> taskTimes(workspace::SchedulerTask& t) {
  return {&t.startHour, &t.startMinute, &t.endHour, &t.endMinute};
}

// A power time from its three combo boxes (HH, MM, SS).
void applyPowerTime(const std::array<int, 3>& choices, std::array<uint8_t, 3>* time) {
  for (size_t i = 0; i < time->size(); ++i)
    (*time)[i] = SchedulerSheet::valueFor(choices[i], (*time)[i]);
}

std::array<int, 3> powerChoices(const std::array<uint8_t, 3>& time) {
  return {SchedulerSheet::choiceFor(time[0], kHours), SchedulerSheet::choiceFor(time[1], kMinutes),
          SchedulerSheet::choiceFor(time[2], kMinutes)};
}

std::string decimal(int32_t value) {
  return std::to_string(value);
}

}  // namespace

SchedulerSheet::SchedulerSheet(const workspace::SchedulerSettings& settings, int fileCount)
    : settings_(settings), fileCount_(std::max(fileCount, 0)) {
  showTask(0);
}

std::vector<std::string> SchedulerSheet::taskNames() {
  std::vector<std::string> names;
  for (int n = 1; n <= workspace::kSchedulerTaskCount; ++n)
    names.push_back(decimal(n));
  return names;
}

std::vector<std::string> SchedulerSheet::numberTexts(int last) {
  std::vector<std::string> texts;
  for (int v = 0; v <= last; ++v)
    texts.push_back(i18n::formatText("%02d", {static_cast<long long>(v)}));
  return texts;
}

std::vector<std::string> SchedulerSheet::dayNames() {
  std::vector<std::string> names;
  for (int d = 0; d < kDays; ++d)
    names.push_back(i18n::text(i18n::IDS_DAY_FIRST + d));
  return names;
}

std::vector<std::string> SchedulerSheet::allFiles() const {
  std::vector<std::string> texts;
  for (int n = 1; n <= fileCount_; ++n)
    texts.push_back(workspace::messageLabel(n));
  return texts;
}

std::vector<std::string> SchedulerSheet::taskFileTexts() const {
  std::vector<std::string> texts;
  for (const int32_t index : files_)
    texts.push_back(workspace::messageLabel(static_cast<int>(index) + 1));
  return texts;
}

int SchedulerSheet::choiceFor(int value, int count) {
  return value >= 0 && value < count ? value : kNoChoice;
}

uint8_t SchedulerSheet::valueFor(int choice, uint8_t stored) {
  return choice >= 0 && choice <= 0xFF ? static_cast<uint8_t>(choice) : stored;
}

TaskChoices SchedulerSheet::shownChoices() const {
  workspace::SchedulerTask task = settings_.tasks[static_cast<size_t>(shown_)];
  TaskChoices c;
  const auto times = taskTimes(task);
  for (size_t i = 0; i < times.size(); ++i)
    c.times[i] = choiceFor(*times[i], kTaskTimeLists[i]);
  for (size_t d = 0; d < c.days.size(); ++d)
    c.days[d] = task.days[d] != 0;
  return c;
}

void SchedulerSheet::storeShownTask(const TaskChoices& shown) {
  workspace::SchedulerTask& task = settings_.tasks[static_cast<size_t>(shown_)];
  const auto times = taskTimes(task);
  for (size_t i = 0; i < times.size(); ++i)
    *times[i] = valueFor(shown.times[i], *times[i]);
  for (size_t d = 0; d < task.days.size(); ++d)
    task.days[d] = shown.days[d] ? 1 : 0;
  task.files = files_;
}

void SchedulerSheet::showTask(int task) {
  shown_ = task;
  files_ = settings_.tasks[static_cast<size_t>(task)].files;
}

void SchedulerSheet::chooseTask(int task, const TaskChoices& shown) {
  if (task < 0 || task >= workspace::kSchedulerTaskCount) return;
  storeShownTask(shown);
  showTask(task);
}

bool SchedulerSheet::hasEntry(int selection) const {
  return selection >= 0 && selection < static_cast<int>(files_.size());
}

ListEdit SchedulerSheet::add(int allFilesSelection) {
  if (allFilesSelection < 0 || allFilesSelection >= fileCount_) {
    return {i18n::text(i18n::IDS_SCHEDULER_SELECT_ALL_FILES), kNoChoice};
  }
  files_.push_back(allFilesSelection);
  return {std::nullopt, static_cast<int>(files_.size()) - 1};
}

ListEdit SchedulerSheet::remove(int selection) {
  if (!hasEntry(selection)) return {i18n::text(i18n::IDS_SCHEDULER_SELECT_TASK_FILE), kNoChoice};
  files_.erase(files_.begin() + selection);
  // The entry that took its place stays selected, so Remove can be pressed again.
  const int left = static_cast<int>(files_.size());
  return {std::nullopt, left == 0 ? kNoChoice : std::min(selection, left - 1)};
}

ListEdit SchedulerSheet::moveUp(int selection) {
  if (!hasEntry(selection)) return {i18n::text(i18n::IDS_SCHEDULER_SELECT_TASK_FILE), kNoChoice};
  if (selection == 0) return {std::nullopt, selection};
  std::swap(files_[static_cast<size_t>(selection)], files_[static_cast<size_t>(selection) - 1]);
  return {std::nullopt, selection - 1};
}

ListEdit SchedulerSheet::moveDown(int selection) {
  if (!hasEntry(selection)) return {i18n::text(i18n::IDS_SCHEDULER_SELECT_TASK_FILE), kNoChoice};
  if (selection + 1 == static_cast<int>(files_.size())) return {std::nullopt, selection};
  std::swap(files_[static_cast<size_t>(selection)], files_[static_cast<size_t>(selection) + 1]);
  return {std::nullopt, selection + 1};
}

std::string SchedulerSheet::alarmCountText() const {
  return decimal(settings_.alarmCount);
}

std::string SchedulerSheet::alarmIntervalText() const {
  return decimal(settings_.alarmInterval);
}

std::array<int, 3> SchedulerSheet::powerOnChoices() const {
  return powerChoices(settings_.powerOn);
}

std::array<int, 3> SchedulerSheet::powerOffChoices() const {
  return powerChoices(settings_.powerOff);
}

std::optional<int32_t> SchedulerSheet::parseAlarmValue(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && blank(text.back()))
    text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || text.size() > kMaxAlarmDigits) return std::nullopt;
  int32_t value = 0;
  for (const char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return negative ? -value : value;
}

std::optional<SheetRefusal> SchedulerSheet::confirm(const SheetChoices& choices) {
  const std::optional<int32_t> count = parseAlarmValue(choices.alarmCount);
  const std::optional<int32_t> interval = parseAlarmValue(choices.alarmInterval);
  if (!count || !interval) {
    return SheetRefusal{SchedulerPage::kAlarm, count ? i18n::kIdAlarmInterval : i18n::kIdAlarmCount,
                        i18n::text(i18n::IDS_SCHEDULER_ENTER_INTEGER)};
  }
  storeShownTask(choices.task);
  settings_.alarmCount = *count;
  settings_.alarmInterval = *interval;
  settings_.hourlyAlarm = choices.hourlyAlarm ? 1 : 0;
  applyPowerTime(choices.powerOn, &settings_.powerOn);
  applyPowerTime(choices.powerOff, &settings_.powerOff);
  settings_.timeFormat = choices.twelveHour ? 1 : 0;
  return std::nullopt;
}

}  // namespace signlink
