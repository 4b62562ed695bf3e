#include "app/ui/book_questions.h"

#include "app/startup_sequence.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/text_format.h"
#include "i18n/ui/message_boxes.h"
#include "platform/cp1252.h"

namespace app::ui {

app::ForeignChoice askAboutForeignChange(QWidget* parent, const std::string& path) {
  const std::string text = i18n::formatText(i18n::text(i18n::IDS_BOOK_CHANGED_ELSEWHERE),
                                            {platform::utf8ToCp1252Lossy(path)});
  return i18n::ui::askYesNo(parent, text, i18n::ui::BoxIcon::kExclamation)
             ? app::ForeignChoice::kReloadTheirs
             : app::ForeignChoice::kKeepMine;
}

void reportBookResult(QWidget* parent, const app::BookKeeper::Result& result,
                      const app::BookKeeper& keeper) {
  if (result.status.ok()) return;
  if (result.outcome == app::BookKeeper::Outcome::kFailed) {
    i18n::ui::showErrorBox(parent, result.status.message());
  } else {
    i18n::ui::showWarningBox(parent, app::bookLoadMessage(result.status, keeper));
  }
}

}  // namespace app::ui
