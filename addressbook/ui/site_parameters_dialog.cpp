#include "addressbook/ui/site_parameters_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/ui/message_boxes.h"
#include "i18n/ui/template_widgets.h"
#include "platform/ui/qt_text.h"

namespace addressbook::ui {

using platform::ui::fromCp1252;
using platform::ui::toCp1252;

namespace {

constexpr int kNumber = i18n::IDD_SITE_PARAMETERS;

// The entry of `names` the combo box (filled from them) has selected; empty when none is.
std::string selectedName(const QComboBox* box, const std::vector<std::string>& names) {
  const int index = box->currentIndex();
  return index < 0 || static_cast<size_t>(index) >= names.size()
             ? std::string()
             : names[static_cast<size_t>(index)];
}

// Fills `box` with `names` and selects `chosen` (nothing when it is not among them).
void fill(QComboBox* box, const std::vector<std::string>& names, const std::string& chosen) {
  box->clear();
  for (const std::string& name : names)
    box->addItem(fromCp1252(name));
  const auto it = std::find(names.begin(), names.end(), chosen);
  box->setCurrentIndex(it == names.end() ? -1 : static_cast<int>(it - names.begin()));
}

}  // namespace

CSiteParametersDialog::CSiteParametersDialog(const CAddressBook& book,
                                             const SiteParameters& initial,
                                             const std::string& caption,
                                             const i18n::LanguageModule& language, QWidget* parent)
    : QDialog(parent), book_(book), values_(initial) {
  using i18n::ui::makeControl;
  auto* frame = makeControl<QGroupBox>(this, kNumber, i18n::kIdSiteNetworkFrame);
  auto* deviceLabel = makeControl<QLabel>(frame, kNumber, i18n::kIdSiteDeviceLabel);
  device_ = new QComboBox(frame);
  i18n::ui::setControlId(device_, i18n::kIdSiteDevice);
  targetLabel_ = makeControl<QLabel>(frame, kNumber, i18n::kIdSiteTargetLabel);
  phone_ = new QLineEdit(frame);
  i18n::ui::setControlId(phone_, i18n::kIdSitePhone);
  targetList_ = new QComboBox(frame);
  i18n::ui::setControlId(targetList_, i18n::kIdSiteTargetList);
  auto* addressesLabel = makeControl<QLabel>(this, kNumber, i18n::kIdSiteAddressesLabel);
  addresses_ = new QLineEdit(this);
  i18n::ui::setControlId(addresses_, i18n::kIdSiteAddresses);
  auto* note = makeControl<QLabel>(this, kNumber, i18n::kIdSiteAddressesNote);
  note->setWordWrap(true);
  auto* buttons = i18n::ui::makeOkCancelButtons(this, kNumber);

  auto* grid = new QGridLayout(frame);
  grid->addWidget(deviceLabel, 0, 0);
  grid->addWidget(device_, 0, 1);
  grid->addWidget(targetLabel_, 1, 0);
  grid->addWidget(phone_, 1, 1);
  grid->addWidget(targetList_, 1, 1);
  grid->setColumnStretch(1, 1);
  auto* addressRow = new QHBoxLayout;
  addressRow->addWidget(addressesLabel);
  addressRow->addWidget(addresses_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(frame);
  layout->addLayout(addressRow);
  layout->addWidget(note);
  layout->addWidget(buttons);
  i18n::ui::initDialog(this, kNumber, language);
  setWindowTitle(fromCp1252(caption));
  phoneLabel_ = targetLabel_->text();

  for (const CDevice& d : book.devices)
    deviceNames_.push_back(d.name);
  fill(device_, deviceNames_, initial.deviceName);
  phone_->setText(fromCp1252(initial.phoneNumber));
  addresses_->setText(fromCp1252(initial.signAddresses));
  showTargetRow();
  connect(device_, &QComboBox::currentIndexChanged, this, [this] {
    keepTargetChoice();
    showTargetRow();
  });
}

void CSiteParametersDialog::keepTargetChoice() {
  if (row_ == SiteTargetRow::kTcpIpGroup)
    values_.tcpIpGroup = selectedName(targetList_, targetNames_);
  if (row_ == SiteTargetRow::kMailbox) values_.mailbox = selectedName(targetList_, targetNames_);
}

void CSiteParametersDialog::showTargetRow() {
  row_ = siteTargetRow(book_, selectedName(device_, deviceNames_));
  const bool list = row_ == SiteTargetRow::kTcpIpGroup || row_ == SiteTargetRow::kMailbox;
  targetLabel_->setVisible(row_ != SiteTargetRow::kNone);
  phone_->setVisible(row_ == SiteTargetRow::kPhoneNumber);
  targetList_->setVisible(list);
  targetNames_ = siteTargetChoices(book_, row_);
  if (!list) {
    targetList_->clear();
    targetLabel_->setText(phoneLabel_);
    return;
  }
  targetLabel_->setText(fromCp1252(siteTargetLabel(row_)));
  fill(targetList_, targetNames_,
       row_ == SiteTargetRow::kTcpIpGroup ? values_.tcpIpGroup : values_.mailbox);
}

SiteParameters CSiteParametersDialog::collect() const {
  SiteParameters p = values_;
  p.deviceName = selectedName(device_, deviceNames_);
  p.signAddresses = toCp1252(addresses_->text());
  p.phoneNumber = toCp1252(phone_->text());
  if (row_ == SiteTargetRow::kTcpIpGroup) p.tcpIpGroup = selectedName(targetList_, targetNames_);
  if (row_ == SiteTargetRow::kMailbox) p.mailbox = selectedName(targetList_, targetNames_);
  return p;
}

void CSiteParametersDialog::accept() {
  const SiteParameters p = collect();
  const platform::Status verdict = validateSiteParameters(book_, p);
  if (!verdict.ok()) {
    i18n::ui::showWarningWithErrorIcon(this, verdict.message());
    return;
  }
  values_ = p;
  QDialog::accept();
}

std::optional<SiteParameters> askSiteParameters(const CAddressBook& book,
                                                const SiteParameters& initial,
                                                const std::string& caption,
                                                const i18n::LanguageModule& language,
                                                QWidget* parent) {
  CSiteParametersDialog dialog(book, initial, caption, language, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.parameters();
}

}  // namespace addressbook::ui
