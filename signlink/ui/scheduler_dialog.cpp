#include "signlink/ui/scheduler_dialog.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "i18n/dialog_texts.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/ui/message_boxes.h"
#include "i18n/ui/qt_language_targets.h"
#include "platform/ui/qt_text.h"
#include "signlink/ui/scheduler_pages.h"
#include "signlink/ui/scheduler_task_page.h"

namespace signlink::ui {
namespace {

QString tableText(int id) {
  return platform::ui::fromCp1252(i18n::text(id));
}

}  // namespace

CSchedulerDialog::CSchedulerDialog(const workspace::SchedulerSettings& settings, int fileCount,
                                   const i18n::LanguageModule& language, QWidget* parent)
    : QDialog(parent),
      sheet_(settings, fileCount),
      tabs_(new QTabWidget(this)),
      taskPage_(new CSchedulerTaskPage(sheet_, language)),
      alarmPage_(new CAlarmPage(sheet_, language)),
      hourlyPage_(new CHourlyAlarmPage(sheet_, language)),
      powerOnPage_(new CPowerTimePage(true, sheet_, language)),
      powerOffPage_(new CPowerTimePage(false, sheet_, language)),
      timePage_(new CTimeFormatPage(sheet_, language)) {
  setWindowTitle(tableText(i18n::IDS_SCHEDULER_CAPTION));
  // Every page's tab stays in sight.
  tabs_->setUsesScrollButtons(false);
  tabs_->setElideMode(Qt::ElideNone);
  QWidget* const pages[] = {taskPage_,    alarmPage_,    hourlyPage_,
                            powerOnPage_, powerOffPage_, timePage_};
  for (QWidget* page : pages) {
    const int index = tabs_->addTab(page, page->windowTitle());
    // A language change renames the page; its tab follows.
    connect(page, &QWidget::windowTitleChanged, this,
            [this, index](const QString& title) { tabs_->setTabText(index, title); });
  }

  auto* ok = new QPushButton(tableText(i18n::IDS_SCHEDULER_OK), this);
  auto* cancel = new QPushButton(tableText(i18n::IDS_SCHEDULER_CANCEL), this);
  i18n::ui::setControlId(ok, i18n::kIdOk);
  i18n::ui::setControlId(cancel, i18n::kIdCancel);
  ok->setDefault(true);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(ok, QDialogButtonBox::AcceptRole);
  buttons->addButton(cancel, QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addWidget(buttons);
}

CSchedulerDialog::~CSchedulerDialog() {
  // The pages refer to the sheet model: they go first.
  delete tabs_;
}

void CSchedulerDialog::accept() {
  SheetChoices choices;
  choices.task = taskPage_->choices();
  alarmPage_->collect(&choices);
  hourlyPage_->collect(&choices);
  powerOnPage_->collect(&choices);
  powerOffPage_->collect(&choices);
  timePage_->collect(&choices);
  if (const std::optional<SheetRefusal> refusal = sheet_.confirm(choices)) {
    tabs_->setCurrentIndex(static_cast<int>(refusal->page));
    i18n::ui::showWarningBox(this, refusal->text);
    if (auto* field = qobject_cast<QLineEdit*>(i18n::ui::findControl(this, refusal->controlId))) {
      field->setFocus();
      field->selectAll();
    }
    return;
  }
  QDialog::accept();
}

}  // namespace signlink::ui
