#pragma once

#include <cassert>
#include <optional>
#include <string>
#include <utility>

namespace platform {

// The outcome of an operation that can fail: a code saying what kind of failure it was, the text
// the user is shown (already in the current language and filled in), and an optional detail for
// logs and tests (an offset, the system's error text) that is never shown in a message box.
//
// Every library of the programs reports failure this way; none throws. A default-constructed
// Status is success. Where a caller only needs to know success or failure and what to show, ok()
// and message() are all it reads; code() lets a caller react to one kind (a file written by a
// newer program is kept rather than overwritten, for example).
class Status {
 public:
  enum class Code {
    kOk,
    kCannotOpen,   // A file, device or peer could not be opened or reached.
    kNotOurFile,   // The bytes are not of the expected kind (a foreign file, a wrong header).
    kDamaged,      // The right kind of file, but short or holding an impossible count or value.
    kTooNew,       // Written by a newer program: refused, and kept as it is.
    kCannotWrite,  // Writing a file failed; the old file is left as it was.
    kRefused,      // A rule refuses the input or the operation (a name, a value, a reference).
    kDeclined,     // The user answered No to a question the operation asked.
    kFailed,       // A peer or the system failed during the operation (a protocol step, a wait).
  };

  // Success.
  Status() = default;

  static Status success() { return {}; }
  // A failure of `code` (which must not be kOk) with the user's text and an optional detail.
  static Status failure(Code code, std::string message, std::string detail = {}) {
    assert(code != Code::kOk);
    return Status(code, std::move(message), std::move(detail));
  }
  static Status cannotOpen(std::string message, std::string detail = {}) {
    return failure(Code::kCannotOpen, std::move(message), std::move(detail));
  }
  static Status notOurFile(std::string message, std::string detail = {}) {
    return failure(Code::kNotOurFile, std::move(message), std::move(detail));
  }
  static Status damaged(std::string message, std::string detail = {}) {
    return failure(Code::kDamaged, std::move(message), std::move(detail));
  }
  static Status tooNew(std::string message, std::string detail = {}) {
    return failure(Code::kTooNew, std::move(message), std::move(detail));
  }
  static Status cannotWrite(std::string message, std::string detail = {}) {
    return failure(Code::kCannotWrite, std::move(message), std::move(detail));
  }
  static Status refused(std::string message, std::string detail = {}) {
    return failure(Code::kRefused, std::move(message), std::move(detail));
  }
  static Status declined(std::string message, std::string detail = {}) {
    return failure(Code::kDeclined, std::move(message), std::move(detail));
  }
  static Status failed(std::string message, std::string detail = {}) {
    return failure(Code::kFailed, std::move(message), std::move(detail));
  }

  bool ok() const { return code_ == Code::kOk; }
  Code code() const { return code_; }
  // The text for the user; empty on success.
  const std::string& message() const { return message_; }
  // What a log or a test wants to know beyond the message; often empty.
  const std::string& detail() const { return detail_; }

  // The message, followed by the detail in parentheses when there is one: for logs and stderr.
  std::string toString() const {
    return detail_.empty() ? message_ : message_ + " (" + detail_ + ")";
  }

  bool operator==(const Status&) const = default;

 private:
  Status(Code code, std::string message, std::string detail)
      : code_(code), message_(std::move(message)), detail_(std::move(detail)) {}

  Code code_ = Code::kOk;
  std::string message_;  // Empty on success.
  std::string detail_;
};

// A value, or the Status saying why there is none: what an operation that produces something
// returns (in the manner of std::expected). A Result made from a Status must be a failure; one
// made from a value is success. value() may only be called on success.
template <typename T>
class Result {
 public:
  Result(T value) : value_(std::move(value)) {}         // NOLINT(google-explicit-constructor)
  Result(Status status) : status_(std::move(status)) {  // NOLINT(google-explicit-constructor)
    assert(!status_.ok());
  }

  bool ok() const { return status_.ok(); }
  const Status& status() const { return status_; }
  const std::string& message() const { return status_.message(); }

  T& value() & {
    assert(ok());
    return *value_;
  }
  const T& value() const& {
    assert(ok());
    return *value_;
  }
  T&& value() && {
    assert(ok());
    return std::move(*value_);
  }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }

 private:
  Status status_;
  std::optional<T> value_;  // Engaged exactly when status_ is ok.
};

}  // namespace platform
