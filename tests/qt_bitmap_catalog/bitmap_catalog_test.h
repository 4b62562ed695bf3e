#pragma once

#include <QObject>
#include <memory>

#include "i18n/language_module.h"
#include "tests/support/temp_dir.h"

class BitmapCatalogTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void removeIsRefusedForAnImageTheTextShows();
  void eightImagesAtMostAndTheDuplicateQuestion();
  void saveNamesTheCaptionAndNotifiesTheOwner();
  void clearAsksFirstWhenTheFileChanged();
  void loadFileFillsTheViewAndAMissingFileIsAskedFor();
  void insertDialogInsertsAndLoadsAnotherFile();
  void userBitmapCommandWithoutAListFileStopsWhenNothingIsLoaded();
  // end_to_end_test.cpp
  void imagesTravelFromTheCatalogToTheSignAndBackIntoThePreview();
  // sign_width_test.cpp
  void aWorkspaceOfAnotherWidthBringsThatWidthsCatalog();

 private:
  // The built-in English texts, from a fresh data directory for each test.
  i18n::LanguageModule& language() { return *language_; }

  std::unique_ptr<testing_support::TempDir> languageDir_;
  std::unique_ptr<i18n::LanguageModule> language_;
};
