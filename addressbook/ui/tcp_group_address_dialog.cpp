#include "addressbook/ui/tcp_group_address_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "addressbook/book_edits.h"
#include "addressbook/site_dialog_rules.h"
#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/ui/message_boxes.h"
#include "i18n/ui/template_widgets.h"
#include "platform/ui/qt_text.h"

namespace addressbook::ui {

namespace {

constexpr int kNumber = i18n::IDD_TCP_GROUP_ADDRESS;
// Four octets of up to three digits; an octet not typed is blank.
constexpr char kAddressMask[] = "000.000.000.000;_";

// An octet as the field shows it: right-aligned in its three places.
QString octetText(uint8_t octet) {
  return QString::number(octet).rightJustified(3, QLatin1Char(' '));
}

}  // namespace

CTcpGroupAddressDialog::CTcpGroupAddressDialog(const std::string& address,
                                               const std::string& caption,
                                               const i18n::LanguageModule& language,
                                               QWidget* parent)
    : QDialog(parent), field_(new QLineEdit(this)) {
  auto* label = i18n::ui::makeControl<QLabel>(this, kNumber, i18n::kIdTcpGroupAddressLabel);
  i18n::ui::setControlId(field_, i18n::kIdTcpGroupAddress);
  field_->setInputMask(QString::fromLatin1(kAddressMask));
  auto* buttons = i18n::ui::makeOkCancelButtons(this, kNumber);

  auto* row = new QHBoxLayout;
  row->addWidget(label);
  row->addWidget(field_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(buttons);
  i18n::ui::initDialog(this, kNumber, language);
  setWindowTitle(platform::ui::fromCp1252(caption));

  if (!address.empty()) {
    const IpOctets octets = parseIpAddress(address);
    field_->setText(QStringList{octetText(octets[0]), octetText(octets[1]), octetText(octets[2]),
                                octetText(octets[3])}
                        .join(QLatin1Char('.')));
  }
  field_->setFocus();
  field_->setCursorPosition(0);
}

void CTcpGroupAddressDialog::accept() {
  const std::string address = ipAddressFromField(platform::ui::toCp1252(field_->text()));
  const platform::Status verdict = validateTcpIpAddress(address);
  if (!verdict.ok()) {
    i18n::ui::showErrorBox(this, verdict.message());
    field_->setFocus();
    return;
  }
  address_ = address;
  QDialog::accept();
}

std::optional<std::string> askTcpIpAddress(const std::string& address, const std::string& caption,
                                           const i18n::LanguageModule& language, QWidget* parent) {
  CTcpGroupAddressDialog dialog(address, caption, language, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.address();
}

}  // namespace addressbook::ui
