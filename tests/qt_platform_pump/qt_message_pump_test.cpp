#include "platform/ui/qt_message_pump.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QtTest>

#include <chrono>
#include <thread>

#include <unistd.h>

#include "tests/support/pipe_pair.h"

namespace {

using Readiness = platform::MessagePump::Readiness;

using Pipe = testing_support::PipePair;

// Counts the events posted to it.
class EventCounter : public QObject {
 public:
  bool event(QEvent* e) override {
    if (e->type() != QEvent::User) return QObject::event(e);
    ++received;
    return true;
  }
  int received = 0;
};

// Far longer than any of the waits below should take.
constexpr int kLongWaitMs = 60000;

}  // namespace

class QtMessagePumpTest : public QObject {
  Q_OBJECT

 private slots:
  void descriptorWaitWakesWhenThePipeBecomesReadable();
  void descriptorWaitEndsWithItsTime();
  void windowEventsAreProcessedWhileADescriptorIsWaitedFor();
};

void QtMessagePumpTest::descriptorWaitWakesWhenThePipeBecomesReadable() {
  Pipe pipe;
  QVERIFY(pipe.ok());
  platform::ui::QtMessagePump pump;
  ssize_t written = 0;
  std::thread writer([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    written = ::write(pipe.writeEnd(), "x", 1);
  });
  const uint64_t start = pump.tickMs();
  // Other events may end a wait early; the caller looks again, as the socket does.
  while (!platform::isDescriptorReady(pipe.readEnd(), Readiness::kReadable) &&
         pump.tickMs() - start < kLongWaitMs) {
    pump.waitForDescriptor(pipe.readEnd(), Readiness::kReadable, kLongWaitMs);
  }
  writer.join();
  QCOMPARE(written, 1);
  QVERIFY(platform::isDescriptorReady(pipe.readEnd(), Readiness::kReadable));
  QVERIFY(pump.tickMs() - start < kLongWaitMs / 2);
}

void QtMessagePumpTest::descriptorWaitEndsWithItsTime() {
  Pipe pipe;
  platform::ui::QtMessagePump pump;
  const uint64_t start = pump.tickMs();
  while (pump.tickMs() - start < 40) {
    pump.waitForDescriptor(pipe.readEnd(), Readiness::kReadable, 40);
  }
  QVERIFY(!platform::isDescriptorReady(pipe.readEnd(), Readiness::kReadable));
  QVERIFY(pump.tickMs() - start < kLongWaitMs / 2);
}

void QtMessagePumpTest::windowEventsAreProcessedWhileADescriptorIsWaitedFor() {
  Pipe pipe;
  platform::ui::QtMessagePump pump;
  EventCounter counter;
  QCoreApplication::postEvent(&counter, new QEvent(QEvent::User));
  bool timerFired = false;
  QTimer::singleShot(10, [&] { timerFired = true; });
  const uint64_t start = pump.tickMs();
  while ((counter.received == 0 || !timerFired) && pump.tickMs() - start < kLongWaitMs) {
    pump.waitForDescriptor(pipe.readEnd(), Readiness::kReadable, kLongWaitMs);
  }
  QCOMPARE(counter.received, 1);
  QVERIFY(timerFired);
  QVERIFY(pump.tickMs() - start < kLongWaitMs / 2);
  QVERIFY(!platform::isDescriptorReady(pipe.readEnd(), Readiness::kReadable));
}

QTEST_MAIN(QtMessagePumpTest)
#include "qt_message_pump_test.moc"
