#include "signlink/ui/send_option_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/string_table.h"
#include "i18n/ui/message_boxes.h"
#include "i18n/ui/template_widgets.h"
#include "platform/ui/qt_text.h"

namespace signlink::ui {

using platform::ui::fromCp1252;

CSendOptionDialog::CSendOptionDialog(const addressbook::CAddressBook& book,
                                     SendOptionMemory* memory, const i18n::LanguageModule& language,
                                     QWidget* parent)
    : QDialog(parent), book_(book), memory_(memory) {
  using i18n::ui::makeControl;
  constexpr int kNumber = i18n::IDD_SEND_OPTION;
  site_ = makeControl<QRadioButton>(this, kNumber, i18n::kIdSendSite);
  group_ = makeControl<QRadioButton>(this, kNumber, i18n::kIdSendGroup);
  frame_ = makeControl<QGroupBox>(this, kNumber, i18n::kIdSendTargetFrame);
  names_ = new QComboBox(frame_);
  i18n::ui::setControlId(names_, i18n::kIdSendTargetList);
  names_->setMinimumContentsLength(24);
  auto* frameLayout = new QVBoxLayout(frame_);
  frameLayout->addWidget(names_);

  auto* kinds = new QHBoxLayout;
  kinds->addWidget(site_);
  kinds->addWidget(group_);
  kinds->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(kinds);
  layout->addWidget(frame_);
  layout->addWidget(i18n::ui::makeOkCancelButtons(this, kNumber));
  i18n::ui::initDialog(this, kNumber, language);

  // The frame's caption follows the kind (set after the language's texts).
  (memory_->isGroup ? group_ : site_)->setChecked(true);
  showKind(memory_->isGroup);
  connect(site_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) showKind(false);
  });
  connect(group_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) showKind(true);
  });
}

void CSendOptionDialog::showKind(bool isGroup) {
  const SendOptionView view = sendOptionView(book_, *memory_, isGroup);
  frame_->setTitle(fromCp1252(i18n::text(sendTargetCaptionId(isGroup))));
  names_->clear();
  for (const std::string& name : view.names)
    names_->addItem(fromCp1252(name));
  names_->setCurrentIndex(view.selected);
}

void CSendOptionDialog::accept() {
  const int index = names_->currentIndex();
  const bool isGroup = group_->isChecked();
  const std::vector<std::string> names = sendTargetNames(book_, isGroup);
  const std::string selected = index >= 0 && index < static_cast<int>(names.size())
                                   ? names[static_cast<size_t>(index)]
                                   : std::string();
  const platform::Result<SendChoice> confirmed = confirmSendOption(isGroup, selected, memory_);
  if (!confirmed.ok()) {
    i18n::ui::showWarningWithErrorIcon(this, confirmed.message());
    return;
  }
  choice_ = *confirmed;
  QDialog::accept();
}

}  // namespace signlink::ui
