#include "receiver/typed_mailbox.h"

#include "platform/cp1252.h"
#include "receiver/receiver_texts.h"

namespace receiver {

MailboxField checkTypedMailbox(const TypedMailbox& typed, MailboxRecord* record,
                               std::string* refusal) {
  struct Field {
    const std::string& typed;
    const char* refusal;  // When Windows-1252 cannot hold it.
    MailboxField field;
    std::string stored;
  };
  Field fields[] = {{typed.server, texts::kServerNotCp1252, MailboxField::kServer, {}},
                    {typed.account, texts::kAccountNotCp1252, MailboxField::kAccount, {}},
                    {typed.password, texts::kPasswordNotCp1252, MailboxField::kPassword, {}}};
  for (Field& f : fields) {
    platform::Result<std::string> converted = platform::utf8ToCp1252(f.typed);
    if (!converted.ok()) {
      *refusal = f.refusal;
      return f.field;
    }
    f.stored = std::move(converted).value();
  }
  MailboxRecord checked = *record;
  checked.server = std::move(fields[0].stored);
  checked.account = std::move(fields[1].stored);
  checked.password = std::move(fields[2].stored);
  checked.port = typed.port;
  const MailboxField blank = blankMailboxField(checked, refusal);
  if (blank == MailboxField::kNone) *record = std::move(checked);
  return blank;
}

}  // namespace receiver
