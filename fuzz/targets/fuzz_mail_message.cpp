// A mail as the receiver gets it: the RETR text split into header and body, the header fields and
// address lists, the sign data attachment taken out of the MIME part and its stream cut into
// units, as a receive cycle does.

#include <cstdlib>
#include <string>

#include "fuzz/support/fuzz_support.h"
#include "mail/mail_address.h"
#include "pop3/mail_item.h"
#include "receiver/attachment_decoder.h"
#include "receiver/receive_cycle.h"
#include "receiver/save_directory.h"
#include "signlink/sign_data_file.h"
#include "signlink/stream_units.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text = fuzzing::inputView(data, size);
  pop3::MailItem item;
  pop3::parseRetrievedMail(text, platform::LocalTime{}, &item);
  receiver::isSignDataMail(item);
  for (const mail::MailAddress& a : item.to)
    a.regularForm("iso-8859-1");
  mail::parseAddressList(item.subject);
  mail::MailAddress::parse(item.from).regularForm("utf-8");

  std::string name;
  std::string bytes;
  const int count = receiver::decodeAttachment(item.body, &name, &bytes);
  if (count >= 0) {
    if (static_cast<size_t>(count) != bytes.size() || bytes.size() > item.body.size()) std::abort();
    // Whatever the mail calls its attachment, the file name made of it stays inside Save/.
    const std::string safe = receiver::safeFileName(name);
    if (safe.empty() || safe.size() > receiver::kMaxSavedNameBytes || safe == "." || safe == ".." ||
        safe.find('/') != std::string::npos || safe.find('\0') != std::string::npos)
      std::abort();
    std::string_view stream;
    if (signlink::signDataFileStream(bytes, &stream)) signlink::readStream(stream);
  }
  return 0;
}
