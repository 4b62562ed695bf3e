#pragma once

#include <QObject>

class QSocketNotifier;

namespace platform::ui {

// SIGINT and SIGTERM (Ctrl+C, a service or the desktop session stopping the program) as a Qt
// signal on the event loop, so a windowed program ends through its own exit sequence and saves
// what it holds. The handler only writes a byte to a socket pair; the event loop reads it and emits
// stopRequested(). One object per program: while it lives it owns both signals' handlers, and its
// destruction gives them back their default action.
class StopSignals final : public QObject {
  Q_OBJECT

 public:
  explicit StopSignals(QObject* parent = nullptr);
  ~StopSignals() override;
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // False when the socket pair could not be made (the signals then keep their default action).
  bool installed() const { return notifier_ != nullptr; }

 signals:
  void stopRequested();

 private:
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace platform::ui
