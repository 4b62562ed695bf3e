#pragma once

#include <QString>

#include "receiver/receiver_settings.h"

class QWidget;

namespace receiver::ui {

// Every modal question the main window asks. The window calls these instead of opening dialogs
// and message boxes itself, so tests can answer them; QtWindowPrompts is the real one.
class WindowPrompts {
 public:
  virtual ~WindowPrompts() = default;

  // The name dialog, filled with *name; true with *name set on OK.
  virtual bool askName(QWidget* parent, QString* name) = 0;
  // The POP3 dialog, filled with *record's server, account, password and port; true with them
  // stored on OK (the dialog itself refuses a blank server or account).
  virtual bool askServer(QWidget* parent, MailboxRecord* record) = 0;
  // A Yes/No question; true for Yes.
  virtual bool askYesNo(QWidget* parent, const QString& title, const QString& text) = 0;
  // A refusal, captioned "Warning!".
  virtual void warn(QWidget* parent, const QString& text) = 0;
  // An information box (the help text, the About box).
  virtual void inform(QWidget* parent, const QString& title, const QString& text) = 0;
};

// The prompts as dialogs and message boxes.
class QtWindowPrompts final : public WindowPrompts {
 public:
  bool askName(QWidget* parent, QString* name) override;
  bool askServer(QWidget* parent, MailboxRecord* record) override;
  bool askYesNo(QWidget* parent, const QString& title, const QString& text) override;
  void warn(QWidget* parent, const QString& text) override;
  void inform(QWidget* parent, const QString& title, const QString& text) override;
};

}  // namespace receiver::ui
