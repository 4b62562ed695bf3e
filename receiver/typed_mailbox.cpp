#include "receiver/typed_mailbox.h"

#include <iterator>

#include "platform/typed_text.h"
#include "receiver/receiver_texts.h"

namespace receiver {

MailboxField checkTypedMailbox(const TypedMailbox& typed, MailboxRecord* record,
                               std::string* refusal) {
  MailboxRecord checked = *record;
  const size_t refused = platform::storeTypedTexts({{typed.server, &checked.server},
                                                    {typed.account, &checked.account},
                                                    {typed.password, &checked.password}});
  constexpr struct {
    const char* refusal;
    MailboxField field;
  } kNotCp1252[] = {{texts::kServerNotCp1252, MailboxField::kServer},
                    {texts::kAccountNotCp1252, MailboxField::kAccount},
                    {texts::kPasswordNotCp1252, MailboxField::kPassword}};
  if (refused < std::size(kNotCp1252)) {
    *refusal = kNotCp1252[refused].refusal;
    return kNotCp1252[refused].field;
  }
  checked.port = typed.port;
  const MailboxField blank = blankMailboxField(checked, refusal);
  if (blank == MailboxField::kNone) *record = std::move(checked);
  return blank;
}

}  // namespace receiver
