#pragma once

#include <QWidget>
#include <array>

#include "i18n/language_module.h"
#include "signlink/scheduler_sheet.h"

class QComboBox;
class QListWidget;
class QPushButton;

namespace signlink::ui {

// The "Scheduler" page (dialog 151): the ten tasks, one shown at a time with its start and end
// times, its run dates and its files. The sheet model decides; the page shows and collects.
class CSchedulerTaskPage : public QWidget {
  Q_OBJECT

 public:
  // `sheet` must outlive the page.
  CSchedulerTaskPage(SchedulerSheet& sheet, const i18n::LanguageModule& language,
                     QWidget* parent = nullptr);

  // What the page shows for the shown task.
  TaskChoices choices() const;

  QComboBox* taskList() const { return task_; }
  QListWidget* allFilesList() const { return allFiles_; }
  QListWidget* taskFilesList() const { return taskFiles_; }

 private:
  QLayout* buildTimes();
  QLayout* buildFiles();
  void showTask();
  void taskChosen(int task);
  void applyListEdit(const ListEdit& edit);

  SchedulerSheet& sheet_;
  QComboBox* task_;
  std::array<QComboBox*, 4> times_{};  // Start HH, MM, end HH, MM.
  QListWidget* days_;
  QListWidget* allFiles_;
  QListWidget* taskFiles_;
  bool showing_ = false;  // Set while showTask() fills the controls.
};

}  // namespace signlink::ui
