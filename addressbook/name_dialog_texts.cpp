#include "addressbook/name_dialog_texts.h"

#include "i18n/string_ids.h"
#include "i18n/string_table.h"

namespace addressbook {
namespace {

// The bitmap index is typed as at most three digits.
constexpr std::size_t kBitmapIndexLength = 3;

struct ModeTexts {
  int caption;
  int prompt;
};

ModeTexts modeTexts(NameDialogMode mode) {
  switch (mode) {
    case NameDialogMode::kBitmapIndex:
      return {i18n::IDS_NAME_CAPTION_BITMAP_INDEX, i18n::IDS_NAME_PROMPT_BITMAP_INDEX};
    case NameDialogMode::kMailbox:
      return {i18n::IDS_NAME_CAPTION_MAILBOX, i18n::IDS_NAME_PROMPT_MAILBOX};
    case NameDialogMode::kMailAddress:
      return {i18n::IDS_NAME_CAPTION_MAIL_ADDRESS, i18n::IDS_NAME_PROMPT_MAIL_ADDRESS};
    case NameDialogMode::kDevice:
      return {i18n::IDS_NAME_CAPTION_DEVICE, i18n::IDS_NAME_PROMPT_DEVICE};
    case NameDialogMode::kSite:
      return {i18n::IDS_NAME_CAPTION_SITE, i18n::IDS_NAME_PROMPT_SITE};
    case NameDialogMode::kGroup:
      return {i18n::IDS_NAME_CAPTION_GROUP, i18n::IDS_NAME_PROMPT_GROUP};
    case NameDialogMode::kTcpIpGroup:
      return {i18n::IDS_NAME_CAPTION_TCP_IP_GROUP, i18n::IDS_NAME_PROMPT_TCP_IP_GROUP};
    case NameDialogMode::kMailServer:
      break;
  }
  return {i18n::IDS_NAME_CAPTION_MAIL_SERVER, i18n::IDS_NAME_PROMPT_MAIL_SERVER};
}

}  // namespace

NameDialogTexts nameDialogTexts(NameDialogMode mode) {
  const ModeTexts ids = modeTexts(mode);
  return {i18n::text(ids.caption), i18n::text(ids.prompt),
          mode == NameDialogMode::kBitmapIndex ? kBitmapIndexLength : 0};
}

std::string recordCaption(int stringId, std::string_view name) {
  std::string caption = i18n::text(stringId);
  caption += ':';
  caption += name;
  return caption;
}

}  // namespace addressbook
