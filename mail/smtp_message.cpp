#include "mail/smtp_message.h"

#include "mail/encoded_word.h"
#include "mail/mail_date.h"

namespace mail {

namespace {

constexpr char kMultipartMixed[] = "multipart/mixed";
constexpr char kTextPlain[] = "text/plain";

std::string joinRegularForms(const std::vector<MailAddress>& list, std::string_view charset) {
  std::string joined;
  for (const MailAddress& address : list) {
    if (!joined.empty()) joined += ',';
    joined += address.regularForm(charset);
  }
  return joined;
}

const char* priorityValue(MailPriority priority) {
  switch (priority) {
    case MailPriority::kLow:
      return "5";
    case MailPriority::kNormal:
      return "3";
    case MailPriority::kHigh:
      return "1";
    case MailPriority::kNone:
      break;
  }
  return nullptr;
}

// The transfer-encoding line a text part with these flags needs, or an empty text.
std::string transferEncodingLine(const MimeBodyPart& part) {
  if (part.base64()) return "Content-Transfer-Encoding: base64\r\n";
  if (part.quotedPrintable()) return "Content-Transfer-Encoding: quoted-printable\r\n";
  return {};
}

}  // namespace

SmtpMessage::SmtpMessage()
    : xMailer_(kDefaultXMailer),
      priority_(MailPriority::kNone),
      mime_(false),
      root_(std::make_unique<MimeBodyPart>()) {}

void SmtpMessage::addRecipients(std::string_view list, RecipientField field) {
  std::vector<MailAddress>& target = field == RecipientField::kTo ? to_ : cc_;
  for (MailAddress& address : parseAddressList(list))
    target.push_back(std::move(address));
}

void SmtpMessage::setTextBody(std::string_view text) {
  if (!mime_) {
    root_->setText(text);
    return;
  }
  for (const auto& child : root_->children()) {
    if (child->contentType() == kTextPlain) {
      child->setText(text);
      return;
    }
  }
  auto part = std::make_unique<MimeBodyPart>();
  part->setCharset(root_->charset());
  part->setText(text);
  root_->addChild(std::move(part));
}

int SmtpMessage::addAttachments(std::string_view list) {
  int added = 0;
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find_first_of(",;", start);
    if (end == std::string_view::npos) end = list.size();
    const std::string path(trimBlanks(list.substr(start, end - start)));
    start = end + 1;
    auto part = std::make_unique<MimeBodyPart>();
    if (!part->setAttachment(path)) continue;
    setMime(true);
    root_->addChild(std::move(part));
    ++added;
  }
  return added;
}

void SmtpMessage::setMime(bool on) {
  if (!on) {
    mime_ = false;
    return;
  }
  if (mime_) return;
  mime_ = true;
  const std::string formerText = root_->text();
  root_->removeChildren();
  root_->setText(kMultipartPreamble);
  root_->setContentType(kMultipartMixed);
  if (!formerText.empty()) setTextBody(formerText);
}

std::string SmtpMessage::header(const platform::LocalClock& clock) const {
  const std::string& charset = root_->charset();
  std::string h = "From: " + from_.regularForm(charset);
  h += "\r\nTo: " + joinRegularForms(to_, charset) + "\r\n";
  if (!cc_.empty()) h += "Cc: " + joinRegularForms(cc_, charset) + "\r\n";
  h += "Subject: " + encodeWords(subject_, charset);
  if (!xMailer_.empty()) h += "\r\nX-Mailer: " + xMailer_;
  h += "\r\n";
  if (mime_) {
    h += transferEncodingLine(*root_);
    if (!root_->children().empty()) {
      h += "MIME-Version: 1.0\r\nContent-Type: " + root_->contentType() + "; boundary=\"" +
           root_->boundary() + "\"\r\n";
    } else {
      h += "MIME-Version: 1.0\r\nContent-Type: " + root_->contentType() + "\r\n";
    }
  } else {
    h += "Content-Type: " + root_->contentType() + ";\r\n\tcharset=" + charset + "\r\n";
    // The body below is encoded by the root's flags, so the reader has to be told how.
    h += transferEncodingLine(*root_);
  }
  if (replyTo_) h += "Reply-To: " + replyTo_->regularForm(charset) + "\r\n";
  h += "Date: " + formatMailDate(clock.now()) + "\r\n";
  if (const char* value = priorityValue(priority_))
    h += std::string("X-Priority: ") + value + "\r\n";
  return h;
}

bool SmtpMessage::render(const platform::LocalClock& clock, std::string* sink,
                         RenderError* error) const {
  sink->append(header(clock));
  sink->append("\r\n");
  return root_->render(sink, error, true);
}

}  // namespace mail
