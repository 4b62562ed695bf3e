#pragma once

#include <string>

#include "addressbook/address_book.h"
#include "mail/smtp_message.h"
#include "mail/tls_choice.h"
#include "platform/local_clock.h"
#include "platform/message_pump.h"
#include "signlink/send_pipeline.h"

namespace mailtransfer {

// Sends sign data files by e-mail for the send pipeline: one mail per file (see sign_data_mail.h)
// through the item's mail server to the item's mailbox. When the server needs no authentication
// it first logs in to the server's POP3 account and quits at once (POP-before-SMTP); otherwise it
// logs in to SMTP with AUTH LOGIN, using the POP3 account and password or the separate
// authentication account as the record says. Both connections use the server's TLS choice
// (setTlsProfile).
//
// Every failure shows its text in the status line and in one message box and returns -1; nothing
// is retried. The status line follows the SMTP and POP3 commands (never a password) and the
// progress bar the mail's bytes. The caller owns the data file and deletes it afterwards.
class EmailTransfer final : public signlink::EmailSender {
 public:
  // Chunks in which the mail goes to the SMTP server, each followed by a progress update.
  static constexpr size_t kSendChunkBytes = 4096;

  // `book`, `pump` and `clock` must outlive the transfer.
  EmailTransfer(const addressbook::CAddressBook& book, platform::MessagePump& pump,
                const platform::LocalClock& clock);

  // Sends the file at `path` to `item`'s mailbox (item.phoneOrMailbox) through its mail server
  // (item.targetName). Returns 1 on success and -1 on failure.
  int sendSignDataFile(const std::string& path, const signlink::SendItem& item,
                       signlink::SendProgressUi& ui) override;

  // Bounds on each wait for a server: the SMTP reply time-out and the POP3 guard. The defaults
  // are the clients' own.
  void setReplyTimeoutMs(int ms) { replyTimeoutMs_ = ms; }

  // The profile that keeps the mail servers' TLS choices (mail/tls_profile.h), read at each send;
  // without one every server follows its ports.
  void setTlsProfile(std::string path) { tlsProfilePath_ = std::move(path); }

 private:
  // From the POP3 log-in to QUIT, with the rendered mail.
  int deliver(const addressbook::CMailServer& server, const mail::SmtpMessage& message,
              const std::string& bytes, const signlink::SendItem& item,
              signlink::SendProgressUi& ui);
  // The TLS choice of the mail server `serverName`.
  mail::TlsChoice tlsChoiceOf(const std::string& serverName) const;
  // "The MAIL server did not answer within %d seconds!" with the reply time-out in force.
  std::string timedOutText() const;

  const addressbook::CAddressBook& book_;
  platform::MessagePump& pump_;
  const platform::LocalClock& clock_;
  int replyTimeoutMs_ = 0;  // 0: the clients' defaults.
  std::string tlsProfilePath_;
};

}  // namespace mailtransfer
