#pragma once

#include <QDialog>

#include "i18n/language_module.h"
#include "signlink/scheduler_sheet.h"
#include "workspace/message_model.h"

class QTabWidget;

namespace signlink::ui {

class CAlarmPage;
class CHourlyAlarmPage;
class CPowerTimePage;
class CSchedulerTaskPage;
class CTimeFormatPage;

// "Scheduler and Special Functions": the six pages "Scheduler", "Alarm", "Hourly Alarm",
// "Power ON", "Power OFF" and "Time Settings" on tabs, with OK and Cancel. OK applies every page
// (an alarm field that holds no number is refused and shown); Cancel leaves the settings alone.
class CSchedulerDialog : public QDialog {
  Q_OBJECT

 public:
  // `fileCount`: the number of messages in the workspace.
  CSchedulerDialog(const workspace::SchedulerSettings& settings, int fileCount,
                   const i18n::LanguageModule& language, QWidget* parent = nullptr);
  ~CSchedulerDialog() override;

  // The settings OK applied (before OK: the settings the dialog was opened with, as edited so far).
  const workspace::SchedulerSettings& settings() const { return sheet_.settings(); }

  QTabWidget* pages() const { return tabs_; }
  CSchedulerTaskPage* taskPage() const { return taskPage_; }

  void accept() override;

 private:
  SchedulerSheet sheet_;
  QTabWidget* tabs_;
  CSchedulerTaskPage* taskPage_;
  CAlarmPage* alarmPage_;
  CHourlyAlarmPage* hourlyPage_;
  CPowerTimePage* powerOnPage_;
  CPowerTimePage* powerOffPage_;
  CTimeFormatPage* timePage_;
};

}  // namespace signlink::ui
