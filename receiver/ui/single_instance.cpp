#include "receiver/ui/single_instance.h"

#include <unistd.h>

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

namespace receiver::ui {

namespace {

// What a later start sends; anything else on the socket is ignored.
constexpr char kActivateRequest[] = "show\n";
constexpr int kActivateRequestLength = sizeof(kActivateRequest) - 1;
constexpr int kConnectAttemptMs = 200;
constexpr int kRetryPauseMs = 100;
constexpr int kHashCharacters = 16;

}  // namespace

SingleInstance::SingleInstance(const QString& dataDir, QObject* parent)
    : QObject(parent), dataDir_(dataDir) {}

SingleInstance::~SingleInstance() {
  if (server_ != nullptr) server_->close();
}

QString SingleInstance::serverName(const QString& dataDir) {
  const QByteArray canonical = QDir(dataDir).canonicalPath().toUtf8();
  const QByteArray hash =
      QCryptographicHash::hash(canonical.isEmpty() ? dataDir.toUtf8() : canonical,
                               QCryptographicHash::Sha256)
          .toHex()
          .left(kHashCharacters);
  return QStringLiteral("mailpump-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash));
}

bool SingleInstance::acquire(QString* error) {
  const platform::Status status = lock_.acquire(QFile::encodeName(dataDir_).toStdString());
  if (status.ok()) return true;
  if (status.code() == platform::Status::Code::kRefused) {
    otherRunning_ = true;
  } else if (error) {
    *error = QString::fromStdString(status.message());
  }
  return false;
}

bool SingleInstance::listen(QString* error) {
  if (server_ != nullptr) return true;
  const QString name = serverName(dataDir_);
  // We hold the lock, so a socket left under this name belongs to an instance that has ended.
  QLocalServer::removeServer(name);
  auto* server = new QLocalServer(this);
  server->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server->listen(name)) {
    if (error) *error = server->errorString();
    delete server;
    return false;
  }
  server_ = server;
  connect(server_, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
  return true;
}

void SingleInstance::onNewConnection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      // Only the request itself counts; a socket that sends more is dropped.
      if (socket->bytesAvailable() < kActivateRequestLength) return;
      const QByteArray request = socket->read(kActivateRequestLength);
      socket->disconnectFromServer();
      if (request == kActivateRequest) emit activationRequested();
    });
  }
}

bool SingleInstance::activateRunningInstance(int timeoutMs) {
  const QString name = serverName(dataDir_);
  const QDeadlineTimer deadline(timeoutMs);
  while (true) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (socket.waitForConnected(kConnectAttemptMs)) {
      socket.write(kActivateRequest, kActivateRequestLength);
      if (socket.waitForBytesWritten(kConnectAttemptMs)) {
        socket.disconnectFromServer();
        return true;
      }
    }
    if (deadline.hasExpired()) return false;
    QThread::msleep(kRetryPauseMs);
  }
}

}  // namespace receiver::ui
