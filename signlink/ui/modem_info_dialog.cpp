#include "signlink/ui/modem_info_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/ui/message_boxes.h"
#include "i18n/ui/qt_language_targets.h"
#include "i18n/ui/template_widgets.h"
#include "platform/ui/qt_text.h"
#include "signlink/modem_info.h"

namespace signlink::ui {
namespace {

using platform::ui::fromCp1252;

constexpr int kNumber = i18n::IDD_MODEM_INFO;

}  // namespace

CModemInfoDialog::CModemInfoDialog(const ModemList& modems, const std::string& remembered,
                                   const i18n::LanguageModule& language, QWidget* parent)
    : QDialog(parent), modems_(modems), list_(new QComboBox(this)) {
  using i18n::ui::makeControl;
  i18n::ui::setControlId(list_, i18n::kIdModemInfoList);
  for (const std::string& name : modems_.names())
    list_->addItem(fromCp1252(name));
  auto* form = new QFormLayout;
  form->addRow(makeControl<QLabel>(this, kNumber, i18n::kIdModemInfoListLabel), list_);
  const std::pair<QLineEdit**, std::pair<int, int>> fields[] = {
      {&init_, {i18n::kIdModemInfoInitLabel, i18n::kIdModemInfoInit}},
      {&port_, {i18n::kIdModemInfoPortLabel, i18n::kIdModemInfoPort}},
      {&speed_, {i18n::kIdModemInfoSpeedLabel, i18n::kIdModemInfoSpeed}},
      {&reset_, {i18n::kIdModemInfoResetLabel, i18n::kIdModemInfoReset}}};
  for (const auto& [field, ids] : fields) {
    *field = new QLineEdit(this);
    (*field)->setReadOnly(true);
    i18n::ui::setControlId(*field, ids.second);
    form->addRow(makeControl<QLabel>(this, kNumber, ids.first), *field);
  }
  auto* close = makeControl<QPushButton>(this, kNumber, i18n::kIdOk);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(close, QDialogButtonBox::AcceptRole);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  i18n::ui::initDialog(this, kNumber, language);

  list_->setCurrentIndex(modemInfoSelection(modems_, remembered));
  showModem(list_->currentIndex());
  connect(list_, &QComboBox::currentIndexChanged, this, &CModemInfoDialog::showModem);
}

std::string CModemInfoDialog::selectedName() const {
  const int index = list_->currentIndex();
  if (index < 0 || index >= static_cast<int>(modems_.modems().size())) return {};
  return modems_.modems()[static_cast<size_t>(index)].name;
}

void CModemInfoDialog::showModem(int index) {
  const auto& list = modems_.modems();
  const InstalledModem* modem = index >= 0 && index < static_cast<int>(list.size())
                                    ? &list[static_cast<size_t>(index)]
                                    : nullptr;
  const ModemInfoFields fields = modemInfoFields(modem);
  init_->setText(fromCp1252(fields.initString));
  port_->setText(fromCp1252(fields.port));
  speed_->setText(fromCp1252(fields.speed));
  reset_->setText(fromCp1252(fields.resetString));
}

void CModemInfoDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (reported_ || !modems_.modems().empty()) return;
  reported_ = true;
  QTimer::singleShot(0, this, [this] {
    i18n::ui::showBox(this, i18n::text(i18n::IDS_NO_MODEM_INSTALLED),
                      i18n::text(i18n::IDS_CAPTION_WARNING), i18n::ui::BoxIcon::kInformation,
                      i18n::ui::BoxButtons::kOk);
  });
}

void runModemInfo(const ModemList& modems, const platform::ProfileFile& profile,
                  const i18n::LanguageModule& language, QWidget* parent) {
  CModemInfoDialog dialog(modems, rememberedModem(profile), language, parent);
  dialog.exec();
  // Remembering the choice is a convenience; a profile that cannot be written loses only that.
  (void)rememberModem(profile, dialog.selectedName());
}

}  // namespace signlink::ui
