#pragma once

#include <csignal>
#include <string>
#include <vector>

#include "platform/local_clock.h"
#include "platform/message_pump.h"
#include "platform/status.h"
#include "platform/stoppable_pump.h"
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
  // every other mail is recorded in the receive log. A sign mail is deleted only once its file is
  // safely in Save (written and synced, under a name of its own); one whose file cannot be saved
  // stays on the server, as does a mail that cannot be listed or fetched, a mail over the size
  // ceiling (never downloaded) and a mail that does not arrive within its deadline
  // (pop3::mailDeadlineMs). A lost connection, or a run of kMaxFailedLists failed LISTs, ends the
  // mailbox's turn. Returns 1 (with *failure success), or -1 with *failure holding the text to
  // show: kRefused when the mailbox is incomplete, kCannotOpen when the login fails, kFailed when
  // the server will not give the message count.
  int ReceiveFromOne(const MailboxRecord* mailbox, platform::Status* failure);

  // Ends the cycle under way as soon as possible: waits in progress end, no further command goes
  // to a server (but QUIT, given kQuitGraceMs, so that the deletions of saved mails take effect,
  // when no command was cut short: its answer could still come and be taken for QUIT's),
  // nothing more is written to the sign, files not yet forwarded stay in Save. Every later cycle
  // is refused. `flag` (set by a signal handler) does the same once it is non-zero.
  void RequestStop() { stopRequested_ = true; }
  void SetStopFlag(const volatile std::sig_atomic_t* flag) { stopFlag_ = flag; }
  bool StopRequested() const;

  // Forwards and empties the queue (part of ReceiveCycle; exposed for the window's exit path and
  // for tests).
  void ForwardQueuedFiles();

  bool Running() const { return running_; }
  const std::vector<ForwardItem>& ForwardQueue() const { return forwardQueue_; }

  // Drops queued files (at exit; they stay in Save). During a cycle (Exit pressed while a wait
  // dispatches messages) it also stops that cycle, see RequestStop().
  void Clear();

  // Failed LISTs in a row that end a mailbox's turn.
  static constexpr int kMaxFailedLists = 10;
  // How long the QUIT after a stop request may take.
  static constexpr int kQuitGraceMs = 500;

 private:
  // Fetches, keeps and deletes the mails of an open connection.
  void ReceiveMails(pop3::POP3Connection& pop, int count, const std::string& prefix);
  // Fetches message n of `size` bytes and stores or logs it; true when it may be deleted.
  bool TakeMail(pop3::POP3Connection& pop, int n, long long size, const std::string& prefix);
  // Records a mail that is not sign data in the receive log.
  void LogOtherMail(const pop3::MailItem& mail, const std::string& prefix);
  // Decodes a sign mail, saves its file into Save and queues it; true when the mail may go.
  bool StoreSignMail(const pop3::MailItem& mail, const std::string& prefix);
  // QUIT, with the status line saying how the connection ended.
  void Disconnect(pop3::POP3Connection& pop);

  const ReceiverSettings& settings_;
  const ReceiverPaths& paths_;
  ReceiverStatus& status_;
  platform::StoppablePump pump_;  // The program's pump, ended by a stop request.
  const platform::LocalClock& clock_;
  const pop3::Pop3Options pop3Options_;
  const ReceiverLog log_;
  std::vector<ForwardItem> forwardQueue_;  // Files of this cycle, not yet forwarded.
  bool running_ = false;                   // A cycle is under way.
  bool stopRequested_ = false;
  const volatile std::sig_atomic_t* stopFlag_ = nullptr;
};

// True for a mail that carries sign data: its subject, or its whole body, is "Data for Z2500
// series".
bool isSignDataMail(const pop3::MailItem& mail);

}  // namespace receiver
