#include "receiver/receive_cycle.h"

#include "i18n/text_format.h"
#include "platform/cp1252.h"
#include "receiver/attachment_decoder.h"
#include "receiver/mailbox_tls.h"
#include "receiver/receiver_texts.h"
#include "receiver/save_directory.h"

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
      pump_(pump, [this] { return StopRequested(); }),
      clock_(clock),
      pop3Options_([&] {
        pop3Options.connectTexts = pop3::ConnectTexts::kFixedEnglish;
        if (pop3Options.clock == nullptr) pop3Options.clock = &clock;
        return pop3Options;
      }()),
      // A log that cannot be written is said where the cycle's steps are shown.
      log_(paths.logDir(), clock, [this](const std::string& text) { status_.showStatus(text); }) {}

bool Receiver::StopRequested() const {
  return stopRequested_ || (stopFlag_ != nullptr && *stopFlag_ != 0);
}

int Receiver::ReceiveCycle() {
  if (running_ || StopRequested()) return -1;
  if (settings_.mailboxes.empty()) {
    status_.showStatus(texts::kNoMailbox);
    return -1;
  }
  RunningFlag running(running_);
  forwardQueue_.clear();
  // The window may edit the list while a wait dispatches its messages; poll the list as it was.
  const std::vector<MailboxRecord> mailboxes = settings_.mailboxes;
  int result = -1;
  for (size_t i = 0; i < mailboxes.size() && !pump_.stopped(); ++i) {
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
      mailboxPop3Options(pop3Options_, *mailbox));
  if (!pop.Connect()) {
    *failure = platform::Status::cannotOpen(pop.ErrorText());
    return -1;
  }
  const int count = pop.Stat();
  if (count < 0) {
    *failure = platform::Status::failed(texts::kStatFailed);
    Disconnect(pop);
    return -1;
  }
  ReceiveMails(pop, count, prefix);
  Disconnect(pop);
  status_.setProgress(0);
  status_.setGroupCaption(texts::kStatusCaption);
  return 1;
}

void Receiver::ReceiveMails(pop3::POP3Connection& pop, int count, const std::string& prefix) {
  const long long total = count;
  int failedLists = 0;
  // Every size from one listing; a mail it leaves out, or every mail when the server refuses it,
  // is listed on its own.
  const std::vector<long long> listed = pop.ListAll(count);
  // A dead connection or a stop request ends the turn: no command would reach the server.
  for (int n = 1; n <= count && pop.Connected() && !pump_.stopped(); ++n) {
    const long long nn = n;
    status_.showStatus(i18n::formatText(texts::kReceivingStatus, {nn, total}));
    const size_t index = static_cast<size_t>(n - 1);
    const long long size =
        index < listed.size() && listed[index] >= 0 ? listed[index] : pop.List(n);
    if (size < 0) {
      status_.showStatus(texts::kStatFailed);
      if (++failedLists < kMaxFailedLists) continue;
      const std::string text =
          i18n::formatText(texts::kListRunFailed, {static_cast<long long>(failedLists)});
      status_.showStatus(text);
      log_.appendReceive(prefix, text);
      return;
    }
    failedLists = 0;
    if (size > static_cast<long long>(pop3Options_.maxMailBytes)) {
      // Never downloaded: it would only be refused once it is in.
      const std::string text = i18n::formatText(
          texts::kMailTooLarge, {nn, size, static_cast<long long>(pop3Options_.maxMailBytes)});
      status_.showStatus(text);
      log_.appendReceive(prefix, text);
      continue;
    }
    status_.setProgress(0);
    status_.setProgressRange(static_cast<int>(size % kProgressModulus));
    status_.showStatus(i18n::formatText(texts::kReceivingStatusBytes, {nn, total, size}));
    // After a stop request the mail is kept, but no DELE can be read back any more.
    if (TakeMail(pop, n, size, prefix) && !pump_.stopped()) {
      pop.Delete(n);  // A mail that cannot be deleted is fetched again next time.
    }
  }
  if (!pop.Connected() && !pump_.stopped()) {
    status_.showStatus(texts::kConnectionLost);
    log_.appendReceive(prefix, texts::kConnectionLost);
  }
}

bool Receiver::TakeMail(pop3::POP3Connection& pop, int n, long long size,
                        const std::string& prefix) {
  pop3::MailItem mail;
  if (!pop.Retrieve(n, &mail, size)) {
    status_.showStatus(pop.ErrorText());
    log_.appendReceive(prefix, i18n::formatText(texts::kMailNotFetched,
                                                {static_cast<long long>(n), pop.ErrorText()}));
    return false;
  }
  if (isSignDataMail(mail)) return StoreSignMail(mail, prefix);
  LogOtherMail(mail, prefix);
  return true;
}

void Receiver::LogOtherMail(const pop3::MailItem& mail, const std::string& prefix) {
  log_.appendReceiveFramed(
      prefix,
      i18n::formatText(texts::kDeletedMail, {logSafeText(mail.from), logSafeBlock(mail.header),
                                             logSafeText(mail.subject), logSafeBlock(mail.body)}),
      texts::kLogSeparator);
}

bool Receiver::StoreSignMail(const pop3::MailItem& mail, const std::string& prefix) {
  status_.showStatus(texts::kDecoding);
  std::string name;
  ForwardItem item;
  if (decodeAttachment(mail.body, &name, &item.bytes) < 0) {
    // Nothing to save: the log keeps the body, and the mail goes like any other.
    status_.showStatus(texts::kDecodeFailed);
    log_.appendReceive(prefix,
                       i18n::formatText(texts::kDecodeFailedLog, {logSafeBlock(mail.body)}));
    return true;
  }
  status_.showStatus(texts::kWriting);
  const SavedFile saved = saveNewFile(paths_.saveDir(), safeFileName(name), item.bytes);
  const std::string shown = logSafeText(platform::utf8ToCp1252Lossy(saved.path));
  if (saved.error != 0) {
    const std::string text =
        i18n::formatText(texts::kWriteFailed, {shown, static_cast<long long>(saved.error)});
    log_.appendReceive(prefix, text);
    status_.showStatus(text);
    log_.appendReceive(prefix, i18n::formatText(texts::kLeftOnServer, {logSafeText(name)}));
    return false;
  }
  const std::string text = i18n::formatText(texts::kWritten, {shown});
  log_.appendReceive(prefix, text);
  status_.showStatus(text);
  if (saved.name != name) {
    log_.appendReceive(
        prefix, i18n::formatText(texts::kRenamed, {logSafeText(name), logSafeText(saved.name)}));
  }
  item.fileName = saved.name;
  forwardQueue_.push_back(std::move(item));
  return true;
}

void Receiver::Disconnect(pop3::POP3Connection& pop) {
  if (!pop.Connected()) return;  // Lost already; its text has been shown.
  if (pump_.stopped()) pop.SetDeadline(pump_.tickMs() + kQuitGraceMs);
  if (pop.Quit())
    status_.showStatus(texts::kDisconnected);
  else
    status_.showStatus(pop.ErrorText());
}

void Receiver::ForwardQueuedFiles() {
  ForwardContext context{status_, pump_, clock_, paths_.profileFile(), settings_.comPort, [this] {
                           return pump_.stopped();
                         }};
  receiver::forwardQueue(&forwardQueue_, context, log_);
}

void Receiver::Clear() {
  if (running_) RequestStop();
  forwardQueue_.clear();
}

}  // namespace receiver
