#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace mail {

// Why rendering a mail failed: the system error (errno) and a one-line text.
struct RenderError {
  int systemError = 0;
  std::string text;
};

// Largest attachment a mail carries; the whole file is held in memory, base64-encoded.
inline constexpr size_t kMaxAttachmentBytes = size_t{64} << 20;

// One part of a MIME mail: a text or an attached file, with the parts nested inside it. The
// root part of a message is rendered without a part header; its children follow, each opened by
// the root's boundary, and a part with children ends with its closing boundary.
class MimeBodyPart {
 public:
  // A text part with the defaults: "text/plain", charset "iso-8859-1", quoted-printable, and a
  // fresh boundary.
  MimeBodyPart();
  // A deep copy that keeps the boundaries of the parts it copies; the copy has no parent.
  MimeBodyPart(const MimeBodyPart& other);
  MimeBodyPart& operator=(const MimeBodyPart&) = delete;

  // Sets the text with line ends normalised to CR LF (CR LF and lone CR count as LF first) and
  // makes the part "text/plain".
  void setText(std::string_view text);

  // Makes this part the attachment of the file at `path`: the title is the file's name with its
  // extension, the content type "application/octet-stream". Returns false (and changes nothing)
  // when no regular file exists there. The file is read only when the part is rendered.
  bool setAttachment(const std::string& path);

  // Appends `child` (owned from now on) and returns it.
  MimeBodyPart* addChild(std::unique_ptr<MimeBodyPart> child);
  // Destroys every child part.
  void removeChildren();

  void setContentType(std::string type) { contentType_ = std::move(type); }
  void setCharset(std::string charset) { charset_ = std::move(charset); }
  void setBase64(bool on) { base64_ = on; }
  void setQuotedPrintable(bool on) { quotedPrintable_ = on; }

  const std::string& filePath() const { return filePath_; }
  const std::string& title() const { return title_; }
  const std::string& contentType() const { return contentType_; }
  const std::string& charset() const { return charset_; }
  const std::string& text() const { return text_; }
  const std::string& boundary() const { return boundary_; }
  bool base64() const { return base64_; }
  bool quotedPrintable() const { return quotedPrintable_; }
  bool isAttachment() const { return !filePath_.empty(); }
  const MimeBodyPart* parent() const { return parent_; }
  const std::vector<std::unique_ptr<MimeBodyPart>>& children() const { return children_; }

  // The part header: opened by the parent's boundary, ended by an empty line.
  std::string header() const;

  // Appends the encoded body to *sink. Fails only when an attached file cannot be read.
  bool renderBody(std::string* sink, RenderError* error) const;

  // The closing line "\r\n--<boundary>--" of a part with children.
  std::string closingBoundary() const;

  // Appends the whole part to *sink: its header (unless `asRoot`), body, children and, when it
  // has children, its closing boundary. Stops at the first failure.
  bool render(std::string* sink, RenderError* error, bool asRoot) const;

 private:
  std::string filePath_;        // Attached file; empty for text parts.
  std::string title_;           // File name with extension, for name= and filename=.
  std::string contentType_;     // MIME type of the body.
  std::string charset_;         // Charset named in the header; UTF-8 converts the text.
  std::string text_;            // Text body with CR LF line ends.
  const std::string boundary_;  // Separates this part's children; fixed at creation.
  bool base64_;                 // Text body goes out base64-encoded.
  bool quotedPrintable_;        // Text body goes out quoted-printable (when not base64).
  const MimeBodyPart* parent_;  // Owner of this part; null for a root.
  std::vector<std::unique_ptr<MimeBodyPart>> children_;
};

}  // namespace mail
