#pragma once

#include <string>
#include <vector>

#include "platform/local_clock.h"
#include "platform/message_pump.h"
#include "platform/status.h"
#include "pop3/mail_item.h"
#include "pop3/pop3_connection.h"
#include "receiver/forwarder.h"
#include "receiver/receiver_log.h"
#include "receiver/receiver_paths.h"
#include "receiver/receiver_settings.h"
#include "receiver/receiver_status.h"

namespace receiver {

// The heart of the receiver: one receive cycle polls every mailbox once over POP3, keeps the mails
// that carry sign data, deletes every mail it has read, decodes the sign data into the Save
// directory and forwards the files to the sign, oldest first. Both logs record what happened.
//
// Everything runs on the calling thread; waits and socket calls go through the pump, so the
// window's buttons keep working during a cycle. A cycle started while one is running (a button
// pressed during a wait) is refused, so the queue of the running one is never lost.
class Receiver {
 public:
  // `settings` is read at the start of each cycle (mailboxes) and when forwarding (COM port); the
  // window may change it between and during cycles. Every reference must outlive the receiver.
  Receiver(const ReceiverSettings& settings, const ReceiverPaths& paths, ReceiverStatus& status,
           platform::MessagePump& pump, const platform::LocalClock& clock,
           pop3::Pop3Options pop3Options = {});
  Receiver(const Receiver&) = delete;
  Receiver& operator=(const Receiver&) = delete;

  // Polls each mailbox in list order (a failing one does not stop the others; its error text is
  // shown), then forwards every file found. Returns the result of the last mailbox polled (1, or
  // -1 when it failed); -1 with "The mail address for querying is blank!..." when no mailbox is
  // configured, and -1 without doing anything while another cycle runs.
  int ReceiveCycle();

  // Reads and empties one mailbox: every mail is fetched and deleted; sign data mails (subject or
  // whole body "Data for Z2500 series") are decoded, written to Save and queued for forwarding,
  // every other mail is recorded in the receive log. A mail that cannot be listed or fetched stays
  // on the server for the next cycle. Returns 1 (with *failure success), or -1 with *failure
  // holding the text to show: kRefused when the mailbox is incomplete, kCannotOpen when the login
  // fails, kFailed when the server will not give the message count.
  int ReceiveFromOne(const MailboxRecord* mailbox, platform::Status* failure);

  // Forwards and empties the queue (part of ReceiveCycle; exposed for the window's exit path and
  // for tests).
  void ForwardQueuedFiles();

  bool Running() const { return running_; }
  const std::vector<ForwardItem>& ForwardQueue() const { return forwardQueue_; }

  // Drops kept mails and queued files (at exit).
  void Clear();

 private:
  // Decodes the kept sign mails of one mailbox, writes each file and queues it.
  void StoreSignMails(const std::string& prefix);
  // Writes one decoded file into Save; the result is shown and logged.
  void WriteAttachment(const ForwardItem& item, const std::string& prefix);

  const ReceiverSettings& settings_;
  const ReceiverPaths& paths_;
  ReceiverStatus& status_;
  platform::MessagePump& pump_;
  const platform::LocalClock& clock_;
  const pop3::Pop3Options pop3Options_;
  const ReceiverLog log_;
  std::vector<pop3::MailItem> signMails_;  // Sign mails of the mailbox being polled.
  std::vector<ForwardItem> forwardQueue_;  // Files of this cycle, not yet forwarded.
  bool running_ = false;                   // A cycle is under way.
};

// True for a mail that carries sign data: its subject, or its whole body, is "Data for Z2500
// series".
bool isSignDataMail(const pop3::MailItem& mail);

}  // namespace receiver
