#pragma once

#include <QObject>
#include <QString>

#include "receiver/instance_lock.h"

class QLocalServer;

namespace receiver::ui {

// One mailpump window per data directory. The first start holds the data directory's
// InstanceLock for as long as it runs and listens on a local socket named after that directory; a
// later start finds the lock taken and asks the first, over the socket, to bring its window to the
// front.
class SingleInstance final : public QObject {
  Q_OBJECT

 public:
  explicit SingleInstance(const QString& dataDir, QObject* parent = nullptr);
  ~SingleInstance() override;
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // Takes the lock. False when another process holds it (or the lock file cannot be made: then
  // *error says why and no other instance is assumed).
  bool acquire(QString* error = nullptr);
  bool isOtherInstanceRunning() const { return otherRunning_; }
  bool acquired() const { return lock_.held(); }

  // The first instance: starts answering later starts. False with *error when the socket cannot
  // be had (the program still runs, later starts just cannot reach it).
  bool listen(QString* error = nullptr);

  // A later instance: asks the running one to come to the front, trying for up to `timeoutMs`
  // (the first may still be starting). True when the request was delivered.
  bool activateRunningInstance(int timeoutMs);

  // The socket name used for a data directory (per user and directory).
  static QString serverName(const QString& dataDir);

 signals:
  // A later start asked for the window.
  void activationRequested();

 private:
  void onNewConnection();

  const QString dataDir_;
  InstanceLock lock_;          // Held while this instance runs.
  bool otherRunning_ = false;  // The lock was held by someone else.
  QLocalServer* server_ = nullptr;
};

}  // namespace receiver::ui
