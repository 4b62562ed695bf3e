#include "receiver/receive_cycle.h"

#include <cerrno>

#include "i18n/text_format.h"
#include "platform/atomic_file.h"
#include "platform/cp1252.h"
#include "platform/data_dir.h"
#include "receiver/attachment_decoder.h"
#include "receiver/receiver_texts.h"

namespace receiver {

namespace {

// The progress bar's range is 16 bits wide.
constexpr long long kProgressModulus = 65536;

// Marks a cycle as running for its whole length, however it ends.
class RunningFlag {
 public:
  explicit RunningFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~RunningFlag() { flag_ = false; }
  RunningFlag(const RunningFlag&) = delete;
  RunningFlag& operator=(const RunningFlag&) = delete;

 private:
  bool& flag_;
};

// Refuses a mailbox record the cycle cannot poll.
platform::Status checkMailbox(const MailboxRecord* mailbox) {
  if (mailbox == nullptr) return platform::Status::refused(texts::kInvalidParameter);
  if (mailbox->name.empty()) return platform::Status::refused(texts::kNoMailboxName);
  if (mailbox->server.empty()) return platform::Status::refused(texts::kNoPop3Server);
  if (mailbox->account.empty()) return platform::Status::refused(texts::kNoAccount);
  return platform::Status::success();
}

}  // namespace

bool isSignDataMail(const pop3::MailItem& mail) {
  return mail.subject == texts::kSignMailText || mail.body == texts::kSignMailText;
}

Receiver::Receiver(const ReceiverSettings& settings, const ReceiverPaths& paths,
                   ReceiverStatus& status, platform::MessagePump& pump,
                   const platform::LocalClock& clock, pop3::Pop3Options pop3Options)
    : settings_(settings),
      paths_(paths),
      status_(status),
      pump_(pump),
      clock_(clock),
      pop3Options_([&] {
        pop3Options.connectTexts = pop3::ConnectTexts::kFixedEnglish;
        if (pop3Options.clock == nullptr) pop3Options.clock = &clock;
        return pop3Options;
      }()),
      log_(paths.logDir(), clock) {}

int Receiver::ReceiveCycle() {
  if (running_) return -1;
  if (settings_.mailboxes.empty()) {
    status_.showStatus(texts::kNoMailbox);
    return -1;
  }
  RunningFlag running(running_);
  forwardQueue_.clear();
  // The window may edit the list while a wait dispatches its messages; poll the list as it was.
  const std::vector<MailboxRecord> mailboxes = settings_.mailboxes;
  int result = -1;
  for (size_t i = 0; i < mailboxes.size(); ++i) {
    const MailboxRecord& box = mailboxes[i];
    status_.selectMailbox(i);
    status_.setGroupCaption(texts::kResultCaptionPrefix + box.name);
    status_.showStatus(i18n::formatText(texts::kNowQuerying, {box.name}));
    platform::Status failure;
    result = ReceiveFromOne(&box, &failure);
    if (result < 0) status_.showStatus(failure.message());
  }
  ForwardQueuedFiles();
  return result;
}

int Receiver::ReceiveFromOne(const MailboxRecord* mailbox, platform::Status* failure) {
  *failure = checkMailbox(mailbox);
  if (!failure->ok()) return -1;

  const std::string prefix = connectionPrefix(mailbox->server, mailbox->account);
  pop3::POP3Connection pop(
      pump_, mailbox->server, mailbox->port, mailbox->account, mailbox->password,
      [this](const std::string& text) { status_.showStatus(text); },
      [this](size_t bytes) { status_.setProgress(static_cast<int>(bytes % kProgressModulus)); },
      pop3Options_);
  if (!pop.Connect()) {
    *failure = platform::Status::cannotOpen(pop.ErrorText());
    return -1;
  }
  const int count = pop.Stat();
  if (count < 0) {
    *failure = platform::Status::failed(texts::kStatFailed);
    pop.Quit();
    return -1;
  }

  signMails_.clear();
  const long long total = count;
  for (int n = 1; n <= count; ++n) {
    const long long nn = n;
    status_.showStatus(i18n::formatText(texts::kReceivingStatus, {nn, total}));
    const long long size = pop.List(n);
    if (size < 0) {
      status_.showStatus(texts::kStatFailed);
      continue;
    }
    status_.setProgress(0);
    status_.setProgressRange(static_cast<int>(size % kProgressModulus));
    status_.showStatus(i18n::formatText(texts::kReceivingStatusBytes, {nn, total, size}));
    pop3::MailItem mail;
    if (!pop.Retrieve(n, &mail)) {
      status_.showStatus(pop.ErrorText());
      continue;
    }
    if (isSignDataMail(mail)) {
      signMails_.push_back(std::move(mail));
    } else {
      log_.appendReceiveRaw(texts::kLogSeparator);
      log_.appendReceive(prefix,
                         i18n::formatText(texts::kDeletedMail,
                                          {logSafeText(mail.from), logSafeBlock(mail.header),
                                           logSafeText(mail.subject), logSafeBlock(mail.body)}));
      log_.appendReceiveRaw(texts::kLogSeparator);
    }
    pop.Delete(n);  // A mail that cannot be deleted is fetched again next time.
  }

  if (pop.Quit())
    status_.showStatus(texts::kDisconnected);
  else
    status_.showStatus(pop.ErrorText());

  StoreSignMails(prefix);
  status_.setProgress(0);
  status_.setGroupCaption(texts::kStatusCaption);
  return 1;
}

void Receiver::StoreSignMails(const std::string& prefix) {
  std::vector<pop3::MailItem> mails = std::move(signMails_);
  signMails_.clear();
  for (const pop3::MailItem& mail : mails) {
    status_.showStatus(texts::kDecoding);
    ForwardItem item;
    if (decodeAttachment(mail.body, &item.fileName, &item.bytes) < 0) {
      status_.showStatus(texts::kDecodeFailed);
      log_.appendReceive(prefix,
                         i18n::formatText(texts::kDecodeFailedLog, {logSafeBlock(mail.body)}));
      continue;
    }
    WriteAttachment(item, prefix);
    // Forwarded even when it could not be written: the sign still gets its data.
    forwardQueue_.push_back(std::move(item));
  }
}

void Receiver::WriteAttachment(const ForwardItem& item, const std::string& prefix) {
  status_.showStatus(texts::kWriting);
  const std::string path = platform::joinPath(paths_.saveDir(), item.fileName);
  int error = 0;
  if (!isWritableFileName(item.fileName)) {
    error = EINVAL;
  } else {
    errno = 0;
    if (!platform::writeFileAtomic(path, item.bytes, platform::kDataFileMode).ok())
      error = errno != 0 ? errno : EIO;
  }
  const std::string shown = logSafeText(platform::utf8ToCp1252Lossy(path));
  const std::string text =
      error == 0 ? i18n::formatText(texts::kWritten, {shown})
                 : i18n::formatText(texts::kWriteFailed, {shown, static_cast<long long>(error)});
  log_.appendReceive(prefix, text);
  status_.showStatus(text);
}

void Receiver::ForwardQueuedFiles() {
  ForwardContext context{status_, pump_, clock_, paths_.profileFile(), settings_.comPort};
  receiver::forwardQueue(&forwardQueue_, context, log_);
}

void Receiver::Clear() {
  signMails_.clear();
  forwardQueue_.clear();
}

}  // namespace receiver
