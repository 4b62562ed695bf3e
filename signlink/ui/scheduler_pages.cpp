#include "signlink/ui/scheduler_pages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/ui/qt_language_targets.h"
#include "i18n/ui/template_widgets.h"
#include "platform/ui/qt_text.h"
#include "signlink/ui/scheduler_widgets.h"

namespace signlink::ui {
namespace {

using i18n::ui::makeControl;
using platform::ui::fromCp1252;
using platform::ui::toCp1252;

constexpr int kAlarmCountChars = 3;
constexpr int kAlarmIntervalChars = 2;
constexpr int kFieldMargin = 4;  // Character widths beyond the digits: frame and padding.

// An edit field that takes `limit` characters; a stored value written longer is still shown whole.
QLineEdit* makeNumberField(QWidget* parent, int id, const std::string& shown, int limit) {
  auto* field = new QLineEdit(parent);
  i18n::ui::setControlId(field, id);
  field->setMaxLength(std::max(limit, static_cast<int>(shown.size())));
  field->setText(fromCp1252(shown));
  field->setMaximumWidth(field->fontMetrics().horizontalAdvance(QLatin1Char('0')) *
                         (field->maxLength() + kFieldMargin));
  return field;
}

// The page's controls lie at the top left, as on the dialog templates.
void finishPage(QWidget* page, QLayout* controls, int number,
                const i18n::LanguageModule& language) {
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(controls);
  layout->addStretch();
  makeHiddenTransmitButton(page, number);
  i18n::ui::initDialog(page, number, language);
}

struct PowerControls {
  int number, prompt, hourLabel, hour, minuteLabel, minute, secondLabel, second;
};

constexpr PowerControls kPowerOn = {i18n::IDD_SCHEDULER_POWER_ON, i18n::kIdPowerOnPrompt,
                                    i18n::kIdPowerOnHourLabel,    i18n::kIdPowerOnHour,
                                    i18n::kIdPowerOnMinuteLabel,  i18n::kIdPowerOnMinute,
                                    i18n::kIdPowerOnSecondLabel,  i18n::kIdPowerOnSecond};
constexpr PowerControls kPowerOff = {i18n::IDD_SCHEDULER_POWER_OFF, i18n::kIdPowerOffPrompt,
                                     i18n::kIdPowerOffHourLabel,    i18n::kIdPowerOffHour,
                                     i18n::kIdPowerOffMinuteLabel,  i18n::kIdPowerOffMinute,
                                     i18n::kIdPowerOffSecondLabel,  i18n::kIdPowerOffSecond};

}  // namespace

CAlarmPage::CAlarmPage(const SchedulerSheet& sheet, const i18n::LanguageModule& language,
                       QWidget* parent)
    : QWidget(parent),
      count_(makeNumberField(this, i18n::kIdAlarmCount, sheet.alarmCountText(), kAlarmCountChars)),
      interval_(makeNumberField(this, i18n::kIdAlarmInterval, sheet.alarmIntervalText(),
                                kAlarmIntervalChars)) {
  constexpr int kNumber = i18n::IDD_SCHEDULER_ALARM;
  auto* grid = new QGridLayout;
  grid->addWidget(makeControl<QLabel>(this, kNumber, i18n::kIdAlarmCountLabel), 0, 0);
  grid->addWidget(count_, 0, 1);
  grid->addWidget(makeControl<QLabel>(this, kNumber, i18n::kIdAlarmIntervalLabel), 1, 0);
  grid->addWidget(interval_, 1, 1);
  grid->addWidget(makeControl<QLabel>(this, kNumber, i18n::kIdAlarmIntervalUnit), 1, 2);
  grid->setColumnStretch(3, 1);
  finishPage(this, grid, kNumber, language);
}

void CAlarmPage::collect(SheetChoices* choices) const {
  choices->alarmCount = toCp1252(count_->text());
  choices->alarmInterval = toCp1252(interval_->text());
}

CHourlyAlarmPage::CHourlyAlarmPage(const SchedulerSheet& sheet,
                                   const i18n::LanguageModule& language, QWidget* parent)
    : QWidget(parent),
      on_(makeControl<QCheckBox>(this, i18n::IDD_SCHEDULER_HOURLY_ALARM, i18n::kIdHourlyAlarmOn)) {
  on_->setChecked(sheet.hourlyAlarm());
  auto* row = new QVBoxLayout;
  row->addWidget(on_);
  finishPage(this, row, i18n::IDD_SCHEDULER_HOURLY_ALARM, language);
}

void CHourlyAlarmPage::collect(SheetChoices* choices) const {
  choices->hourlyAlarm = on_->isChecked();
}

CPowerTimePage::CPowerTimePage(bool powerOn, const SchedulerSheet& sheet,
                               const i18n::LanguageModule& language, QWidget* parent)
    : QWidget(parent), powerOn_(powerOn) {
  const PowerControls& c = powerOn ? kPowerOn : kPowerOff;
  const auto minutes = SchedulerSheet::numberTexts(kLastMinute);
  lists_ = {makeChoiceList(this, c.hour, SchedulerSheet::numberTexts(kLastHour)),
            makeChoiceList(this, c.minute, minutes), makeChoiceList(this, c.second, minutes)};
  const std::array<int, 3> shown = powerOn ? sheet.powerOnChoices() : sheet.powerOffChoices();
  for (size_t i = 0; i < lists_.size(); ++i)
    setChoice(lists_[i], shown[i]);

  auto* prompt = makeControl<QLabel>(this, c.number, c.prompt);
  prompt->setWordWrap(true);
  auto* grid = new QGridLayout;
  grid->addWidget(prompt, 0, 0, 1, 4);
  const int labels[] = {c.hourLabel, c.minuteLabel, c.secondLabel};
  for (int i = 0; i < 3; ++i) {
    grid->addWidget(makeControl<QLabel>(this, c.number, labels[i]), 1, i);
    grid->addWidget(lists_[static_cast<size_t>(i)], 2, i);
  }
  grid->setColumnStretch(3, 1);
  finishPage(this, grid, c.number, language);
}

void CPowerTimePage::collect(SheetChoices* choices) const {
  std::array<int, 3>& target = powerOn_ ? choices->powerOn : choices->powerOff;
  for (size_t i = 0; i < lists_.size(); ++i)
    target[i] = lists_[i]->currentIndex();
}

CTimeFormatPage::CTimeFormatPage(const SchedulerSheet& sheet, const i18n::LanguageModule& language,
                                 QWidget* parent)
    : QWidget(parent),
      twelveHour_(makeControl<QRadioButton>(this, i18n::IDD_SCHEDULER_TIME_FORMAT,
                                            i18n::kIdTimeFormat12Hour)),
      twentyFourHour_(makeControl<QRadioButton>(this, i18n::IDD_SCHEDULER_TIME_FORMAT,
                                                i18n::kIdTimeFormat24Hour)) {
  (sheet.twelveHour() ? twelveHour_ : twentyFourHour_)->setChecked(true);
  auto* column = new QVBoxLayout;
  column->addWidget(
      makeControl<QLabel>(this, i18n::IDD_SCHEDULER_TIME_FORMAT, i18n::kIdTimeFormatPrompt));
  column->addWidget(twelveHour_);
  column->addWidget(twentyFourHour_);
  finishPage(this, column, i18n::IDD_SCHEDULER_TIME_FORMAT, language);
}

void CTimeFormatPage::collect(SheetChoices* choices) const {
  choices->twelveHour = twelveHour_->isChecked();
}

}  // namespace signlink::ui
