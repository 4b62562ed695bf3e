#include "signlink/ui/scheduler_task_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/ui/message_boxes.h"
#include "i18n/ui/qt_language_targets.h"
#include "i18n/ui/template_widgets.h"
#include "platform/ui/qt_text.h"
#include "signlink/ui/scheduler_widgets.h"

namespace signlink::ui {
namespace {

constexpr int kNumber = i18n::IDD_SCHEDULER_TASKS;

QListWidget* makeList(QWidget* parent, int id) {
  auto* list = new QListWidget(parent);
  i18n::ui::setControlId(list, id);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  return list;
}

// A column of a label above a list, with the list's buttons beside it.
QLayout* listColumn(QLabel* label, QListWidget* list, std::initializer_list<QPushButton*> buttons) {
  auto* buttonColumn = new QVBoxLayout;
  for (QPushButton* button : buttons)
    buttonColumn->addWidget(button);
  buttonColumn->addStretch();
  auto* row = new QHBoxLayout;
  row->addWidget(list);
  row->addLayout(buttonColumn);
  auto* column = new QVBoxLayout;
  column->addWidget(label);
  column->addLayout(row);
  return column;
}

}  // namespace

CSchedulerTaskPage::CSchedulerTaskPage(SchedulerSheet& sheet, const i18n::LanguageModule& language,
                                       QWidget* parent)
    : QWidget(parent),
      sheet_(sheet),
      task_(makeChoiceList(this, i18n::kIdSchedulerTask, SchedulerSheet::taskNames())),
      days_(makeList(this, i18n::kIdSchedulerRunDate)),
      allFiles_(makeList(this, i18n::kIdSchedulerAllFiles)),
      taskFiles_(makeList(this, i18n::kIdSchedulerTaskFiles)) {
  for (const std::string& day : SchedulerSheet::dayNames()) {
    auto* item = new QListWidgetItem(platform::ui::fromCp1252(day), days_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
  fillList(allFiles_, sheet_.allFiles(), kNoChoice);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buildTimes());
  layout->addLayout(buildFiles());
  makeHiddenTransmitButton(this, kNumber);
  i18n::ui::initDialog(this, kNumber, language);

  showTask();
  connect(task_, &QComboBox::currentIndexChanged, this, &CSchedulerTaskPage::taskChosen);
}

QLayout* CSchedulerTaskPage::buildTimes() {
  using i18n::ui::makeControl;
  const auto hours = SchedulerSheet::numberTexts(kLastHour);
  const auto minutes = SchedulerSheet::numberTexts(kLastMinute);
  times_ = {makeChoiceList(this, i18n::kIdSchedulerStartHour, hours),
            makeChoiceList(this, i18n::kIdSchedulerStartMinute, minutes),
            makeChoiceList(this, i18n::kIdSchedulerEndHour, hours),
            makeChoiceList(this, i18n::kIdSchedulerEndMinute, minutes)};
  auto* grid = new QGridLayout;
  grid->addWidget(makeControl<QLabel>(this, kNumber, i18n::kIdSchedulerTaskLabel), 1, 0);
  grid->addWidget(task_, 1, 1);
  grid->addWidget(makeControl<QLabel>(this, kNumber, i18n::kIdSchedulerHourLabel), 0, 3);
  grid->addWidget(makeControl<QLabel>(this, kNumber, i18n::kIdSchedulerMinuteLabel), 0, 4);
  grid->addWidget(makeControl<QLabel>(this, kNumber, i18n::kIdSchedulerStartLabel), 1, 2);
  grid->addWidget(times_[0], 1, 3);
  grid->addWidget(times_[1], 1, 4);
  grid->addWidget(makeControl<QLabel>(this, kNumber, i18n::kIdSchedulerEndLabel), 2, 2);
  grid->addWidget(times_[2], 2, 3);
  grid->addWidget(times_[3], 2, 4);
  grid->setColumnStretch(5, 1);
  return grid;
}

QLayout* CSchedulerTaskPage::buildFiles() {
  using i18n::ui::makeControl;
  auto* add = makeControl<QPushButton>(this, kNumber, i18n::kIdSchedulerAdd);
  auto* remove = makeControl<QPushButton>(this, kNumber, i18n::kIdSchedulerRemove);
  auto* up = makeControl<QPushButton>(this, kNumber, i18n::kIdSchedulerUp);
  auto* down = makeControl<QPushButton>(this, kNumber, i18n::kIdSchedulerDown);
  connect(add, &QPushButton::clicked, this,
          [this] { applyListEdit(sheet_.add(selectedRow(allFiles_))); });
  connect(remove, &QPushButton::clicked, this,
          [this] { applyListEdit(sheet_.remove(selectedRow(taskFiles_))); });
  connect(up, &QPushButton::clicked, this,
          [this] { applyListEdit(sheet_.moveUp(selectedRow(taskFiles_))); });
  connect(down, &QPushButton::clicked, this,
          [this] { applyListEdit(sheet_.moveDown(selectedRow(taskFiles_))); });

  auto* row = new QHBoxLayout;
  row->addLayout(
      listColumn(makeControl<QLabel>(this, kNumber, i18n::kIdSchedulerRunDateLabel), days_, {}));
  row->addLayout(listColumn(makeControl<QLabel>(this, kNumber, i18n::kIdSchedulerAllFilesLabel),
                            allFiles_, {add, remove}));
  row->addLayout(listColumn(makeControl<QLabel>(this, kNumber, i18n::kIdSchedulerTaskFilesLabel),
                            taskFiles_, {up, down}));
  return row;
}

TaskChoices CSchedulerTaskPage::choices() const {
  TaskChoices c;
  for (size_t i = 0; i < times_.size(); ++i)
    c.times[i] = times_[i]->currentIndex();
  for (size_t d = 0; d < c.days.size(); ++d)
    c.days[d] = days_->item(static_cast<int>(d))->checkState() == Qt::Checked;
  return c;
}

void CSchedulerTaskPage::showTask() {
  showing_ = true;
  const TaskChoices shown = sheet_.shownChoices();
  setChoice(task_, sheet_.shownTask());
  for (size_t i = 0; i < times_.size(); ++i)
    setChoice(times_[i], shown.times[i]);
  for (size_t d = 0; d < shown.days.size(); ++d) {
    days_->item(static_cast<int>(d))->setCheckState(shown.days[d] ? Qt::Checked : Qt::Unchecked);
  }
  fillList(taskFiles_, sheet_.taskFileTexts(), kNoChoice);
  showing_ = false;
}

void CSchedulerTaskPage::taskChosen(int task) {
  if (showing_ || task < 0) return;
  sheet_.chooseTask(task, choices());
  showTask();
}

void CSchedulerTaskPage::applyListEdit(const ListEdit& edit) {
  if (edit.refusal) {
    i18n::ui::showWarningBox(this, *edit.refusal);
    return;
  }
  fillList(taskFiles_, sheet_.taskFileTexts(), edit.selection);
}

}  // namespace signlink::ui
