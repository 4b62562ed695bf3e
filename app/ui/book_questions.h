#pragma once

#include <string>

#include "app/book_keeper.h"

class QWidget;

// The questions and reports of keeping the site manage file in step with the address book.
namespace app::ui {

// "The site manage file ... has been changed by another program": Yes reads that file, No keeps
// the address book in memory and writes it over that file.
app::ForeignChoice askAboutForeignChange(QWidget* parent, const std::string& path);

// Shows what went wrong in a save or a reading of the file, if anything did: a failed write as an
// error, a file that did not load with the start-up text (kept, and where it will go).
void reportBookResult(QWidget* parent, const app::BookKeeper::Result& result,
                      const app::BookKeeper& keeper);

}  // namespace app::ui
