#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mail/mail_address.h"
#include "mail/mime_body_part.h"
#include "platform/local_clock.h"

namespace mail {

// Priority of a mail; each but kNone writes an X-Priority line (low 5, normal 3, high 1).
enum class MailPriority : int { kNone = 0, kLow = 1, kNormal = 2, kHigh = 3 };

// Which header an address list goes to.
enum class RecipientField { kTo, kCc };

// One outgoing mail: header fields and a tree of MIME parts, rendered once into bytes ready for
// the SMTP data phase (dot-stuffed, without the final "\r\n.\r\n").
class SmtpMessage {
 public:
  // The X-Mailer text a new message carries.
  static constexpr char kDefaultXMailer[] = "CQVRSMTPConnection v2.42";
  // Text of the root part of a multipart mail.
  static constexpr char kMultipartPreamble[] = "This is a multi-part message in MIME format";

  SmtpMessage();
  SmtpMessage(const SmtpMessage&) = delete;
  SmtpMessage& operator=(const SmtpMessage&) = delete;

  void setFrom(MailAddress from) { from_ = std::move(from); }
  void setReplyTo(MailAddress replyTo) { replyTo_ = std::move(replyTo); }
  void setSubject(std::string subject) { subject_ = std::move(subject); }
  void setPriority(MailPriority priority) { priority_ = priority; }
  // An empty text writes no X-Mailer line.
  void setXMailer(std::string xMailer) { xMailer_ = std::move(xMailer); }
  // The charset of the root part, used for the subject and names too.
  void setCharset(std::string charset) { root_->setCharset(std::move(charset)); }

  // Adds the addresses of an address list ("," or ";" separated) to To or Cc.
  void addRecipients(std::string_view list, RecipientField field);

  // Sets the text body: the root's text without MIME; with MIME the text of the first child
  // whose content type is "text/plain", or of a new text part in the root's charset.
  void setTextBody(std::string_view text);

  // Adds a part for each item of a "," or ";" separated list of file paths that names an
  // existing file; other items are skipped silently. The first added file turns MIME on.
  // Returns how many parts were added.
  int addAttachments(std::string_view list);

  // Turning MIME on makes the root "multipart/mixed" with the preamble as its text and moves a
  // non-empty former root text into a text child; the root's children are removed first. It
  // happens once: turning it on again changes nothing. Turning it off only clears the flag.
  void setMime(bool on);

  const MailAddress& from() const { return from_; }
  const std::vector<MailAddress>& to() const { return to_; }
  const std::vector<MailAddress>& cc() const { return cc_; }
  const std::string& subject() const { return subject_; }
  bool mime() const { return mime_; }
  const MimeBodyPart& root() const { return *root_; }
  MimeBodyPart& root() { return *root_; }

  // The header block, each line ended by CR LF, dated from `clock`.
  std::string header(const platform::LocalClock& clock) const;

  // Appends the whole mail to *sink: header, empty line, the root part and its children. Fails
  // (with *error) when an attached file cannot be read; *sink may then hold part of the mail.
  bool render(const platform::LocalClock& clock, std::string* sink, RenderError* error) const;

 private:
  MailAddress from_;
  std::vector<MailAddress> to_;
  std::vector<MailAddress> cc_;
  std::optional<MailAddress> replyTo_;
  std::string subject_;
  std::string xMailer_;
  MailPriority priority_;
  bool mime_;                           // Multipart layout with a MIME-Version header.
  std::unique_ptr<MimeBodyPart> root_;  // Never null.
};

}  // namespace mail
