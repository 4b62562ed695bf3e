#pragma once

// Helpers shared by the receiver's tests.

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "mail/base64.h"
#include "platform/message_pump.h"
#include "receiver/receiver_status.h"

namespace receiver_test {

// A pump for tests that talk to real servers and lines: short waits really sleep (or wait on
// their socket), so servers get their time; long ones (the pauses between units sent to a sign)
// move the clock forward and sleep only kLongWaitRealMs, time enough for the far end of a line to
// read what was sent (opening the port again would discard what it has not read yet).
class SkippingPump final : public platform::MessagePump {
 public:
  static constexpr int kLongestRealWaitMs = 50;
  static constexpr int kLongWaitRealMs = 20;

  uint64_t tickMs() override {
    using namespace std::chrono;
    return static_cast<uint64_t>(
               duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count()) +
           skipped_;
  }
  void dispatch(int maxWaitMs) override {
    if (maxWaitMs > kLongestRealWaitMs) {
      skippedWaits_.push_back(maxWaitMs);
      const uint64_t before = tickMs();
      std::this_thread::sleep_for(std::chrono::milliseconds(kLongWaitRealMs));
      skipped_ +=
          static_cast<uint64_t>(maxWaitMs) - std::min<uint64_t>(tickMs() - before, maxWaitMs);
    } else if (maxWaitMs > 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(maxWaitMs));
    }
  }
  // Short waits on a socket or line block on it, as the programs' pumps do; long ones are
  // skipped as above.
  void waitForDescriptor(int fd, Readiness readiness, int maxWaitMs) override {
    if (maxWaitMs > kLongestRealWaitMs) {
      platform::MessagePump::waitForDescriptor(fd, readiness, maxWaitMs);
      return;
    }
    real_.waitForDescriptor(fd, readiness, maxWaitMs);
  }
  // The long waits that were skipped, in order.
  const std::vector<int>& skippedWaits() const { return skippedWaits_; }

 private:
  platform::SleepingPump real_;
  uint64_t skipped_ = 0;
  std::vector<int> skippedWaits_;
};

// Keeps everything the receiver shows.
class RecordingStatus final : public receiver::ReceiverStatus {
 public:
  void showStatus(const std::string& text) override { texts.push_back(text); }
  void setGroupCaption(const std::string& caption) override { captions.push_back(caption); }
  void selectMailbox(size_t index) override { selected.push_back(index); }

  bool saw(const std::string& text) const {
    for (const std::string& t : texts)
      if (t == text) return true;
    return false;
  }

  std::vector<std::string> texts;
  std::vector<std::string> captions;
  std::vector<size_t> selected;
};

// A mail as varnel sends sign data: subject and text "Data for Z2500 series", the file as a base64
// attachment.
inline std::string signMail(const std::string& fileName, const std::string& fileBytes,
                            const std::string& subject = "Data for Z2500 series") {
  const std::string b = "----=_NextPart_000_0001_ABCDEF";
  std::string m =
      "Return-Path: <office@example.org>\r\n"
      "From: =?iso-8859-1?Q?Office?= <office@example.org>\r\n"
      "To: signs@example.org\r\n"
      "Subject: " +
      subject +
      "\r\n"
      "Content-Transfer-Encoding: quoted-printable\r\n"
      "MIME-Version: 1.0\r\n"
      "Content-Type: multipart/mixed; boundary=\"" +
      b +
      "\"\r\n"
      "Date: Tue, 8 Dec 2026 09:00:00 +0000\r\n"
      "X-Priority: 1\r\n"
      "\r\n"
      "This is a multi-part message in MIME format\r\n--" +
      b +
      "\r\nContent-Type: text/plain; charset=iso-8859-1\r\n"
      "Content-Transfer-Encoding: quoted-printable\r\n"
      "\r\n"
      "Data for Z2500 series\r\n"
      "\r\n--" +
      b + "\r\nContent-Type: application/octet-stream; charset=iso-8859-1; name=" + fileName +
      "\r\nContent-Transfer-Encoding: base64\r\n"
      "Content-Disposition: attachment; filename=\"" +
      fileName + "\"\r\n\r\n";
  m += mail::base64Encode(fileBytes, mail::Base64Lines::kMailLines);
  m += "\r\n\r\n--" + b + "--\r\n";
  return m;
}

// An ordinary mail.
inline std::string plainMail(const std::string& subject, const std::string& body) {
  return "Return-Path: <someone@example.org>\r\nFrom: Someone <someone@example.org>\r\n"
         "To: signs@example.org\r\nDate: Tue, 08 Dec 2026 09:00:00 +0000\r\n"
         "Subject: " +
         subject + "\r\n\r\n" + body;
}

}  // namespace receiver_test
