#pragma once

#include <QDialog>
#include <string>

#include "i18n/language_module.h"
#include "platform/profile_file.h"
#include "signlink/modem_list.h"

class QComboBox;
class QLineEdit;

namespace signlink::ui {

// "Modem Info..." (dialog 139): the installed modems with the remembered one preselected, and the
// selected modem's initialisation string, port, speed and reset string, read-only. Without an
// installed modem the port reads "NONE" and the dialog says "No modem installed in computer" once
// it shows.
class CModemInfoDialog final : public QDialog {
  Q_OBJECT

 public:
  CModemInfoDialog(const ModemList& modems, const std::string& remembered,
                   const i18n::LanguageModule& language, QWidget* parent = nullptr);

  // The selected modem's name; empty without one.
  std::string selectedName() const;
  QComboBox* list() const { return list_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void showModem(int index);

  const ModemList modems_;
  QComboBox* list_;
  QLineEdit* init_ = nullptr;
  QLineEdit* port_ = nullptr;
  QLineEdit* speed_ = nullptr;
  QLineEdit* reset_ = nullptr;
  bool reported_ = false;  // the missing modems were reported
};

// Runs the dialog over `modems` and stores the selected name in `profile` ("Modem"/"Use Modem
// Name") when it closes.
void runModemInfo(const ModemList& modems, const platform::ProfileFile& profile,
                  const i18n::LanguageModule& language, QWidget* parent);

}  // namespace signlink::ui
