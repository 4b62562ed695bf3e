#include "mail/mime_body_part.h"

#include <cerrno>

#include <sys/stat.h>

#include "mail/base64.h"
#include "mail/dot_stuffing.h"
#include "mail/mail_charset.h"
#include "mail/mime_boundary.h"
#include "mail/quoted_printable.h"
#include "platform/atomic_file.h"

namespace mail {

namespace {

constexpr char kTextPlain[] = "text/plain";
constexpr char kOctetStream[] = "application/octet-stream";

// CR LF and lone CR become LF, then every LF becomes CR LF.
std::string normaliseLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += "\r\n";
    } else if (text[i] == '\n') {
      out += "\r\n";
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string fileNameOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool isRegularFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

MimeBodyPart::MimeBodyPart()
    : contentType_(kTextPlain),
      charset_(kDefaultCharset),
      boundary_(makeMimeBoundary()),
      base64_(false),
      quotedPrintable_(true),
      parent_(nullptr) {}

MimeBodyPart::MimeBodyPart(const MimeBodyPart& other)
    : filePath_(other.filePath_),
      title_(other.title_),
      contentType_(other.contentType_),
      charset_(other.charset_),
      text_(other.text_),
      boundary_(other.boundary_),
      base64_(other.base64_),
      quotedPrintable_(other.quotedPrintable_),
      parent_(nullptr) {
  for (const auto& child : other.children_)
    addChild(std::make_unique<MimeBodyPart>(*child));
}

void MimeBodyPart::setText(std::string_view text) {
  text_ = normaliseLineEnds(text);
  contentType_ = kTextPlain;
}

bool MimeBodyPart::setAttachment(const std::string& path) {
  if (path.empty() || !isRegularFile(path)) return false;
  filePath_ = path;
  title_ = fileNameOf(path);
  contentType_ = kOctetStream;
  return true;
}

MimeBodyPart* MimeBodyPart::addChild(std::unique_ptr<MimeBodyPart> child) {
  child->parent_ = this;
  children_.push_back(std::move(child));
  return children_.back().get();
}

void MimeBodyPart::removeChildren() {
  children_.clear();
}

std::string MimeBodyPart::header() const {
  const std::string parentBoundary = parent_ ? parent_->boundary_ : std::string();
  const std::string ownBoundary =
      children_.empty() ? std::string() : "; Boundary=\"" + boundary_ + "\"";
  std::string h;
  if (isAttachment()) {
    h = "\r\n\r\n--" + parentBoundary + "\r\nContent-Type: " + contentType_ +
        "; charset=" + charset_ + "; name=" + title_ + ownBoundary +
        "\r\nContent-Transfer-Encoding: base64\r\nContent-Disposition: attachment; filename=\"" +
        title_ + "\"\r\n";
  } else {
    h = "\r\n--" + parentBoundary + "\r\nContent-Type: " + contentType_ + "; charset=" + charset_ +
        ownBoundary + "\r\n";
    if (base64_) {
      h += "Content-Transfer-Encoding: base64\r\n";
    } else if (quotedPrintable_) {
      h += "Content-Transfer-Encoding: quoted-printable\r\n";
    }
  }
  h += "\r\n";
  return h;
}

bool MimeBodyPart::renderBody(std::string* sink, RenderError* error) const {
  if (isAttachment()) {
    errno = 0;
    const platform::Result<std::string> bytes =
        platform::readWholeFile(filePath_, kMaxAttachmentBytes);
    if (!bytes.ok()) {
      if (error) {
        error->systemError = errno != 0 ? errno : EFBIG;
        error->text = bytes.message();
      }
      return false;
    }
    sink->append(base64Encode(*bytes, Base64Lines::kMailLines));
    return true;
  }
  const std::string bytes = textForCharset(text_, charset_);
  if (base64_) {
    sink->append(base64Encode(bytes, Base64Lines::kMailLines));
  } else if (quotedPrintable_) {
    sink->append(dotStuff(quotedPrintableEncode(bytes)));
  } else {
    sink->append(dotStuff(bytes));
  }
  return true;
}

std::string MimeBodyPart::closingBoundary() const {
  return "\r\n--" + boundary_ + "--";
}

bool MimeBodyPart::render(std::string* sink, RenderError* error, bool asRoot) const {
  if (!asRoot) sink->append(header());
  if (!renderBody(sink, error)) return false;
  for (const auto& child : children_) {
    if (!child->render(sink, error, false)) return false;
  }
  if (!children_.empty()) sink->append(closingBoundary());
  return true;
}

}  // namespace mail
