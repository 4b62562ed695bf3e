#pragma once

#include <memory>
#include <string>

#include "addressbook/address_book.h"
#include "mail/smtp_message.h"
#include "platform/local_clock.h"
#include "platform/status.h"

namespace mail {

// The mail that carries a sign data file to a receiving PC. The receiver recognises it by its
// subject (or a body equal to it) and takes the data from its one base64 attachment, so the
// envelope must not change: subject and text body kSignDataSubject, MIME multipart/mixed in
// charset kSignDataCharset, "X-Priority: 1", no X-Mailer line.
inline constexpr char kSignDataSubject[] = "Data for Z2500 series";
inline constexpr char kSignDataCharset[] = "iso-8859-1";

// Where a sign data mail goes: a mail server record (sender and SMTP server) and a mailbox record
// (the recipients), both named as in the address book.
struct SignDataMailTarget {
  std::string serverName;
  std::string mailboxName;
};

// Builds the sign data mail for the files of `attachmentPaths` (a "," or ";" separated list; the
// send pipeline gives one path). From: the server's name (an encoded word when it needs one) and
// its sender address; To: the mailbox's addresses. kRefused when the server (the "MAIL SERVER has
// been deleted" text) or the mailbox (the "Recv Mailbox has been deleted" text) is not in `book`,
// or when the server's name or address or the mailbox's addresses hold a CR or LF;
// kCannotOpen when a listed file is not there to attach (the memory-file text with the system
// error), since a mail without its data would be taken for a delivered one.
platform::Result<std::unique_ptr<SmtpMessage>> buildSignDataMail(
    const addressbook::CAddressBook& book, const std::string& attachmentPaths,
    const SignDataMailTarget& target);

// Renders a built mail: what the SMTP data phase carries, without the end mark, dated from
// `clock`. kCannotOpen (the memory-file text with the system error) when an attached file cannot
// be read.
platform::Result<std::string> renderSignDataMail(const SmtpMessage& message,
                                                 const platform::LocalClock& clock);

}  // namespace mail
