#include "mail/ui/mail_server_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/ui/message_boxes.h"
#include "i18n/ui/qt_language_targets.h"
#include "i18n/ui/template_widgets.h"
#include "mail/mail_settings.h"
#include "mail/typed_mail_fields.h"
#include "mail/ui/smtp_auth_dialog.h"
#include "platform/ui/qt_text.h"

namespace mail::ui {
namespace {

using platform::ui::fromCp1252;
using platform::ui::toCp1252;

constexpr int kNumber = i18n::IDD_MAIL_SERVER;
constexpr int kFieldChars = 28;  // room for a host name or an address

}  // namespace

CMailServerDialog::CMailServerDialog(const addressbook::CMailServer& server, const TlsChoice& tls,
                                     const std::string& caption,
                                     const i18n::LanguageModule& language, QWidget* parent)
    : QDialog(parent),
      language_(language),
      server_(server),
      auth_(server),
      tlsForm_(tls, server.smtpPort),
      tls_(tls) {
  using i18n::ui::makeControl;
  const MailServerForm form = mailServerFormOf(server);
  auto* grid = new QGridLayout;
  const auto row = [&](int labelId, QLineEdit* edit, QPushButton* button = nullptr) {
    const int r = grid->rowCount();
    grid->addWidget(makeControl<QLabel>(this, kNumber, labelId), r, 0);
    grid->addWidget(edit, r, 1);
    if (button) grid->addWidget(button, r, 2);
  };
  auto* smtpDefault = makeControl<QPushButton>(this, kNumber, i18n::kIdMailServerSmtpDefault);
  auto* pop3Default = makeControl<QPushButton>(this, kNumber, i18n::kIdMailServerPop3Default);
  row(i18n::kIdMailServerAddressLabel,
      address_ = field(i18n::kIdMailServerAddress, server.mailAddress));
  row(i18n::kIdMailServerSmtpHostLabel,
      smtpHost_ = field(i18n::kIdMailServerSmtpHost, server.smtpServer));
  row(i18n::kIdMailServerSmtpPortLabel,
      smtpPort_ = field(i18n::kIdMailServerSmtpPort, form.smtpPort), smtpDefault);
  row(i18n::kIdMailServerPop3HostLabel,
      pop3Host_ = field(i18n::kIdMailServerPop3Host, server.pop3Server));
  row(i18n::kIdMailServerPop3AccountLabel,
      pop3Account_ = field(i18n::kIdMailServerPop3Account, server.pop3Account));
  row(i18n::kIdMailServerPop3PasswordLabel,
      pop3Password_ = field(i18n::kIdMailServerPop3Password, server.pop3Password));
  pop3Password_->setEchoMode(QLineEdit::Password);
  row(i18n::kIdMailServerPop3PortLabel,
      pop3Port_ = field(i18n::kIdMailServerPop3Port, form.pop3Port), pop3Default);
  for (QPushButton* button : {smtpDefault, pop3Default})
    button->setAutoDefault(false);
  const addressbook::CMailServer defaults;
  connect(smtpDefault, &QPushButton::clicked, this,
          [this, port = defaults.smtpPort] { smtpPort_->setText(QString::number(port)); });
  connect(pop3Default, &QPushButton::clicked, this,
          [this, port = defaults.pop3Port] { pop3Port_->setText(QString::number(port)); });
  addSecurityRows(grid);

  needsAuth_ = makeControl<QCheckBox>(this, kNumber, i18n::kIdMailServerNeedsAuth);
  needsAuth_->setChecked(server.needsAuth != 0);
  setUp_ = makeControl<QPushButton>(this, kNumber, i18n::kIdMailServerAuthSetup);
  setUp_->setAutoDefault(false);
  setUp_->setEnabled(needsAuth_->isChecked());
  connect(needsAuth_, &QCheckBox::toggled, setUp_, &QPushButton::setEnabled);
  connect(setUp_, &QPushButton::clicked, this, &CMailServerDialog::setUp);
  auto* auth = new QHBoxLayout;
  auth->addWidget(needsAuth_);
  auth->addWidget(setUp_);
  auth->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(auth);
  layout->addWidget(i18n::ui::makeOkCancelButtons(this, kNumber));
  i18n::ui::initDialog(this, kNumber, language);
  setWindowTitle(fromCp1252(caption));
}

QLineEdit* CMailServerDialog::field(int id, const std::string& text) {
  auto* edit = new QLineEdit(fromCp1252(text), this);
  i18n::ui::setControlId(edit, id);
  edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * kFieldChars);
  return edit;
}

void CMailServerDialog::addSecurityRows(QGridLayout* grid) {
  using i18n::ui::makeControl;
  const platform::ui::SecurityControlTexts texts{tlsPolicyTexts(), i18n::text(i18n::IDS_TLS_BROWSE),
                                                 i18n::text(i18n::IDS_TLS_CA_FILE_TITLE),
                                                 i18n::text(i18n::IDS_TLS_CA_FILE_FILTER)};
  security_ = std::make_unique<platform::ui::SecurityControls>(
      this, texts, tlsPolicyIndex(tlsForm_.shown()), tls_.caFile);
  i18n::ui::setControlId(security_->policyList(), i18n::kIdMailServerTls);
  i18n::ui::setControlId(security_->caFileField(), i18n::kIdMailServerCaFile);
  i18n::ui::setControlId(security_->browseButton(), i18n::kIdMailServerCaBrowse);
  int r = grid->rowCount();
  grid->addWidget(makeControl<QLabel>(this, kNumber, i18n::kIdMailServerTlsLabel), r, 0);
  grid->addWidget(security_->policyList(), r, 1);
  r = grid->rowCount();
  grid->addWidget(makeControl<QLabel>(this, kNumber, i18n::kIdMailServerCaFileLabel), r, 0);
  grid->addWidget(security_->caFileRow(), r, 1, 1, 2);
  // Until the user picks a policy, the list proposes the SMTP port's default.
  connect(smtpPort_, &QLineEdit::textChanged, this, [this](const QString& port) {
    tlsForm_.portChanged(port.trimmed().toInt());
    security_->policyList()->setCurrentIndex(tlsPolicyIndex(tlsForm_.shown()));
  });
  connect(security_->policyList(), &QComboBox::activated, this,
          [this](int index) { tlsForm_.choose(kOfferedTlsPolicies[index]); });
}

void CMailServerDialog::setUp() {
  CSmtpAuthDialog dialog(auth_, language_, this);
  if (dialog.exec() == QDialog::Accepted) dialog.takeOver(&auth_);
}

void CMailServerDialog::accept() {
  MailServerForm form;
  form.server = auth_;
  QLineEdit* const texts[] = {address_, smtpHost_, pop3Host_, pop3Account_, pop3Password_};
  const TypedServerTexts typed{address_->text().toStdString(), smtpHost_->text().toStdString(),
                               pop3Host_->text().toStdString(), pop3Account_->text().toStdString(),
                               pop3Password_->text().toStdString()};
  MailServerText refused = MailServerText::kMailAddress;
  const platform::Status stored = storeTypedServerTexts(typed, &form, &refused);
  if (!stored.ok()) {
    refuse(stored);
    QLineEdit* field = texts[static_cast<int>(refused)];
    field->setFocus();
    field->selectAll();
    return;
  }
  form.server.needsAuth = needsAuth_->isChecked() ? 1 : 0;
  form.smtpPort = toCp1252(smtpPort_->text());
  form.pop3Port = toCp1252(pop3Port_->text());
  addressbook::CMailServer confirmed = server_;
  const platform::Status verdict = mailServerFromForm(form, &confirmed);
  if (!verdict.ok()) {
    refuse(verdict);
    return;
  }
  const std::string caFile = security_->caFilePath();
  const platform::Status readable = checkCaFile(caFile);
  if (!readable.ok()) {
    refuse(readable);
    security_->caFileField()->setFocus();
    return;
  }
  server_ = confirmed;
  tls_ = tlsForm_.result(caFile);
  QDialog::accept();
}

void CMailServerDialog::refuse(const platform::Status& verdict) {
  i18n::ui::showBox(this, verdict.message(), toCp1252(windowTitle()), i18n::ui::BoxIcon::kError,
                    i18n::ui::BoxButtons::kOk);
}

}  // namespace mail::ui
