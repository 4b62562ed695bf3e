#pragma once

#include <QWidget>
#include <array>
#include <string>

#include "i18n/language_module.h"
#include "signlink/scheduler_sheet.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

// The five small pages of "Scheduler and Special Functions". Each shows what the sheet model holds
// and collects the user's values into SheetChoices when the sheet is confirmed.
namespace signlink::ui {

// "Alarm" (dialog 152): number of times to alarm and the interval in minutes.
class CAlarmPage : public QWidget {
  Q_OBJECT

 public:
  CAlarmPage(const SchedulerSheet& sheet, const i18n::LanguageModule& language,
             QWidget* parent = nullptr);
  void collect(SheetChoices* choices) const;

 private:
  QLineEdit* count_;
  QLineEdit* interval_;
};

// "Hourly Alarm" (dialog 153).
class CHourlyAlarmPage : public QWidget {
  Q_OBJECT

 public:
  CHourlyAlarmPage(const SchedulerSheet& sheet, const i18n::LanguageModule& language,
                   QWidget* parent = nullptr);
  void collect(SheetChoices* choices) const;

 private:
  QCheckBox* on_;
};

// "Power ON" (dialog 154) and "Power OFF" (dialog 155): HH, MM and SS lists.
class CPowerTimePage : public QWidget {
  Q_OBJECT

 public:
  // `powerOn` chooses the page: true "Power ON", false "Power OFF".
  CPowerTimePage(bool powerOn, const SchedulerSheet& sheet, const i18n::LanguageModule& language,
                 QWidget* parent = nullptr);
  void collect(SheetChoices* choices) const;

 private:
  bool powerOn_;
  std::array<QComboBox*, 3> lists_{};  // HH, MM, SS.
};

// "Time Settings" (dialog 156): "12-Hour" or "24-Hour".
class CTimeFormatPage : public QWidget {
  Q_OBJECT

 public:
  CTimeFormatPage(const SchedulerSheet& sheet, const i18n::LanguageModule& language,
                  QWidget* parent = nullptr);
  void collect(SheetChoices* choices) const;

 private:
  QRadioButton* twelveHour_;
  QRadioButton* twentyFourHour_;
};

}  // namespace signlink::ui
