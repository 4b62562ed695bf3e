#include "signlink/ui/device_parameters_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/ui/message_boxes.h"
#include "i18n/ui/qt_language_targets.h"
#include "i18n/ui/template_widgets.h"
#include "platform/ui/qt_text.h"

namespace signlink::ui {
namespace {

using addressbook::DeviceType;
using platform::ui::fromCp1252;
using platform::ui::toCp1252;

constexpr int kNumber = i18n::IDD_DEVICE_PARAMETERS;

template <class W>
W* control(QWidget* parent, int id) {
  auto* widget = new W(parent);
  i18n::ui::setControlId(widget, id);
  return widget;
}

QComboBox* listControl(QWidget* parent, int id, const std::vector<std::string>& entries) {
  auto* combo = control<QComboBox>(parent, id);
  for (const std::string& entry : entries)
    combo->addItem(fromCp1252(entry));
  return combo;
}

// Chooses the entry reading `text`, or none when the list has no such entry.
void choose(QComboBox* combo, const std::string& text) {
  combo->setCurrentIndex(combo->findText(fromCp1252(text), Qt::MatchExactly));
}

std::string chosen(const QComboBox* combo) {
  return combo->currentIndex() < 0 ? std::string() : toCp1252(combo->currentText());
}

void showIf(QWidget* widget, bool shown, bool enabled = true) {
  widget->setVisible(shown);
  widget->setEnabled(shown && enabled);
}

}  // namespace

CDeviceParametersDialog::CDeviceParametersDialog(const addressbook::CDevice& device,
                                                 const DeviceChoiceLists& lists,
                                                 const std::string& caption,
                                                 const i18n::LanguageModule& language,
                                                 QWidget* parent)
    : QDialog(parent), device_(device), form_(deviceFormOf(device)) {
  buildControls(lists);
  layOut();
  // Every control still shows, so the language file reaches each one; the modem's frame and
  // time-out label are kept as the template (in the current language) reads them.
  i18n::ui::initDialog(this, kNumber, language);
  setWindowTitle(fromCp1252(caption));
  templateTexts_ = {toCp1252(frame_->title()), toCp1252(timeoutLabel_->text())};
  showForm();
  for (QCheckBox* box : {modem_, tcpIp_, email_})
    connect(box, &QCheckBox::toggled, this, &CDeviceParametersDialog::kindChanged);
  connect(external_, &QRadioButton::toggled, this, &CDeviceParametersDialog::kindChanged);
}

void CDeviceParametersDialog::buildControls(const DeviceChoiceLists& lists) {
  using i18n::ui::makeControl;
  modem_ = makeControl<QCheckBox>(this, kNumber, i18n::kIdDeviceKindModem);
  tcpIp_ = makeControl<QCheckBox>(this, kNumber, i18n::kIdDeviceKindTcpIp);
  email_ = makeControl<QCheckBox>(this, kNumber, i18n::kIdDeviceKindEmail);
  frame_ = makeControl<QGroupBox>(this, kNumber, i18n::kIdDeviceConnectionFrame);
  external_ = makeControl<QRadioButton>(frame_, kNumber, i18n::kIdDeviceExternalModem);
  internal_ = makeControl<QRadioButton>(frame_, kNumber, i18n::kIdDeviceInternalModem);
  comPortLabel_ = makeControl<QLabel>(frame_, kNumber, i18n::kIdDeviceComPortLabel);
  comPort_ = listControl(frame_, i18n::kIdDeviceComPort, lists.comPorts);
  modemList_ = listControl(frame_, i18n::kIdDeviceModemList, lists.modems);
  baudRateLabel_ = makeControl<QLabel>(frame_, kNumber, i18n::kIdDeviceBaudRateLabel);
  baudRate_ = listControl(frame_, i18n::kIdDeviceBaudRate, baudRateEntries());
  ipPortLabel_ = makeControl<QLabel>(frame_, kNumber, i18n::kIdDeviceIpPortLabel);
  ipPort_ = control<QLineEdit>(frame_, i18n::kIdDeviceIpPort);
  timeoutLabel_ = makeControl<QLabel>(frame_, kNumber, i18n::kIdDeviceTimeoutLabel);
  timeout_ = control<QLineEdit>(frame_, i18n::kIdDeviceTimeout);
  timeoutUnit_ = makeControl<QLabel>(frame_, kNumber, i18n::kIdDeviceTimeoutUnit);
  mailServers_ = listControl(frame_, i18n::kIdDeviceMailServerList, lists.mailServers);
}

void CDeviceParametersDialog::layOut() {
  auto* kinds = new QHBoxLayout;
  for (QCheckBox* box : {modem_, tcpIp_, email_})
    kinds->addWidget(box);
  kinds->addStretch();

  auto* grid = new QGridLayout(frame_);
  grid->addWidget(external_, 0, 0);
  grid->addWidget(internal_, 0, 1);
  grid->addWidget(comPortLabel_, 1, 0);
  grid->addWidget(comPort_, 1, 1);
  grid->addWidget(modemList_, 2, 1, 1, 2);
  grid->addWidget(baudRateLabel_, 3, 0);
  grid->addWidget(baudRate_, 3, 1);
  grid->addWidget(ipPortLabel_, 4, 0);
  grid->addWidget(ipPort_, 4, 1);
  grid->addWidget(timeoutLabel_, 5, 0);
  auto* value = new QHBoxLayout;
  value->addWidget(timeout_);
  value->addWidget(mailServers_, 1);
  grid->addLayout(value, 5, 1);
  grid->addWidget(timeoutUnit_, 5, 2);
  grid->setColumnStretch(1, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(kinds);
  layout->addWidget(frame_);
  layout->addWidget(i18n::ui::makeOkCancelButtons(this, kNumber));
}

void CDeviceParametersDialog::showForm() {
  const QSignalBlocker blockModem(modem_), blockTcp(tcpIp_), blockEmail(email_), block(external_);
  modem_->setChecked(form_.kind == DeviceType::kModem);
  tcpIp_->setChecked(form_.kind == DeviceType::kTcpIp);
  email_->setChecked(form_.kind == DeviceType::kEmail);
  (form_.modemKind == addressbook::kInternalModem ? internal_ : external_)->setChecked(true);
  choose(comPort_, form_.comPort);
  choose(baudRate_, form_.baudRate);
  choose(modemList_, form_.modemName);
  choose(mailServers_, form_.mailServer);
  ipPort_->setText(fromCp1252(form_.ipPort));
  shownKind_ = form_.kind;
  showLayout();
}

void CDeviceParametersDialog::collect() {
  form_.kind = shownKind_;
  form_.comPort = chosen(comPort_);
  form_.baudRate = chosen(baudRate_);
  form_.ipPort = toCp1252(ipPort_->text());
  form_.modemKind =
      internal_->isChecked() ? addressbook::kInternalModem : addressbook::kExternalModem;
  form_.modemName = chosen(modemList_);
  form_.mailServer = chosen(mailServers_);
  if (shownKind_ == DeviceType::kModem) form_.dialTimeout = toCp1252(timeout_->text());
  if (shownKind_ == DeviceType::kTcpIp) form_.tcpTimeout = toCp1252(timeout_->text());
}

void CDeviceParametersDialog::kindChanged() {
  collect();
  form_.kind = deviceKindOf(modem_->isChecked(), tcpIp_->isChecked(), email_->isChecked());
  shownKind_ = form_.kind;
  showLayout();
}

void CDeviceParametersDialog::showLayout() {
  const DeviceLayout layout = deviceLayout(shownKind_, form_.modemKind, templateTexts_);
  showIf(external_, layout.modemKinds);
  showIf(internal_, layout.modemKinds);
  showIf(comPortLabel_, layout.comPort, layout.comPortEnabled);
  showIf(comPort_, layout.comPort, layout.comPortEnabled);
  showIf(modemList_, layout.modemList, layout.modemListEnabled);
  showIf(baudRateLabel_, layout.baudRate);
  showIf(baudRate_, layout.baudRate);
  showIf(ipPortLabel_, layout.ipPort);
  showIf(ipPort_, layout.ipPort);
  showIf(timeoutLabel_, layout.timeout || layout.mailServer);
  showIf(timeout_, layout.timeout);
  showIf(timeoutUnit_, layout.timeout);
  showIf(mailServers_, layout.mailServer);
  frame_->setTitle(fromCp1252(layout.frameText));
  timeoutLabel_->setText(fromCp1252(layout.labelText));
  if (shownKind_ == DeviceType::kModem) timeout_->setText(fromCp1252(form_.dialTimeout));
  if (shownKind_ == DeviceType::kTcpIp) timeout_->setText(fromCp1252(form_.tcpTimeout));
}

void CDeviceParametersDialog::accept() {
  collect();
  const platform::Status verdict = applyDeviceForm(form_, &device_);
  if (!verdict.ok()) {
    i18n::ui::showWarningBox(this, verdict.message());
    return;
  }
  QDialog::accept();
}

}  // namespace signlink::ui
