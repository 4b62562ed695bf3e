#pragma once

#include <deque>
#include <optional>

#include <QString>
#include <QStringList>

#include "receiver/ui/window_prompts.h"

// Answers the window's questions from queues and records what it was asked. An empty queue
// answers Cancel / No.
class ScriptedPrompts final : public receiver::ui::WindowPrompts {
 public:
  std::deque<std::optional<QString>> names;                    // nullopt: Cancel.
  std::deque<std::optional<receiver::MailboxRecord>> servers;  // Server fields; nullopt: Cancel.
  std::deque<bool> yesNo;
  QStringList warnings;
  QStringList questions;
  QStringList shownNames;  // What the name dialog was filled with.
  QString informTitle;
  QString informText;

  bool askName(QWidget*, QString* name) override {
    shownNames << *name;
    if (names.empty() || !names.front()) return pop(names), false;
    *name = *names.front();
    return pop(names), true;
  }
  bool askServer(QWidget*, receiver::MailboxRecord* record) override {
    if (servers.empty() || !servers.front()) return pop(servers), false;
    const receiver::MailboxRecord& answer = *servers.front();
    record->server = answer.server;
    record->account = answer.account;
    record->password = answer.password;
    record->port = answer.port;
    record->tls = answer.tls;
    return pop(servers), true;
  }
  bool askYesNo(QWidget*, const QString& title, const QString& text) override {
    questions << title + "|" + text;
    const bool yes = !yesNo.empty() && yesNo.front();
    pop(yesNo);
    return yes;
  }
  void warn(QWidget*, const QString& text) override { warnings << text; }
  void inform(QWidget*, const QString& title, const QString& text) override {
    informTitle = title;
    informText = text;
  }

 private:
  template <typename Queue>
  static void pop(Queue& queue) {
    if (!queue.empty()) queue.pop_front();
  }
};
