#include "app/ui/book_questions.h"
#include "app/ui/main_frame.h"

namespace app::ui {

void CMainFrame::bookChanged() {
  // The user already chose the other program's file; it is read when the windows have closed.
  if (bookReloadPending_) return;
  app::BookKeeper& keeper = state_.bookKeeper;
  // Without start-up (a window made on its own) there is no file to keep in step.
  if (keeper.path().empty()) return;
  app::ForeignChoice choice = app::ForeignChoice::kKeepMine;
  if (keeper.changedElsewhere()) choice = askAboutForeignChange(this, keeper.path());
  // An address-book window still shows the book, so the other program's file cannot be read into
  // it yet: it is read once the window has closed.
  if (choice == app::ForeignChoice::kReloadTheirs && bookCommandDepth_ > 0) {
    bookReloadPending_ = true;
    return;
  }
  const app::BookKeeper::Result result =
      keeper.saveChange(&state_.book, [choice] { return choice; });
  reportBookResult(this, result, keeper);
}

void CMainFrame::runBookCommand(void (CMainFrame::*command)(int), int commandId) {
  app::BookKeeper& keeper = state_.bookKeeper;
  if (bookCommandDepth_ == 0 && !keeper.path().empty())
    reportBookResult(this, keeper.refresh(&state_.book), keeper);
  ++bookCommandDepth_;
  (this->*command)(commandId);
  --bookCommandDepth_;
  if (bookCommandDepth_ == 0 && bookReloadPending_) {
    bookReloadPending_ = false;
    reportBookResult(this, keeper.reload(&state_.book), keeper);
  }
}

}  // namespace app::ui
