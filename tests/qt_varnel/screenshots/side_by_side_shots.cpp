// varnel beside the virtual sign: a message typed in varnel, its live preview under the editor,
// and the virtual sign playing what a send of that workspace carries, composed into one picture.

#include <QPainter>
#include <QTest>

#include "app/send_content.h"
#include "app/ui/live_preview_pane.h"
#include "app/ui/main_frame.h"
#include "app/ui/varnel_app.h"
#include "app/ui/varnel_view.h"
#include "platform/local_clock.h"
#include "tests/qt_varnel/screenshots/shots.h"
#include "tests/support/temp_dir.h"
#include "virtualsign/playback.h"
#include "virtualsign/sign_receiver.h"
#include "virtualsign/ui/led_window.h"
#include "workspace/sign_tables.h"

namespace {

constexpr int kImmediate = 2;
constexpr int kGap = 16;
constexpr int kTitleHeight = 24;
const QColor kDesk(0x30, 0x30, 0x38);
const QColor kTitleBar(0x20, 0x40, 0x70);

void type(workspace::EditorModel& model, int colour, const char* text) {
  model.setColour(colour);
  for (const char* c = text; *c != '\0'; ++c)
    model.typeCharacter(static_cast<unsigned char>(*c));
}

// Two messages; the caret goes back into the first, which both signs then show.
void writeMessages(workspace::EditorModel& m) {
  m.insertControl(workspace::kControlTransition, kImmediate);
  type(m, 7, "OPEN ");
  type(m, 5, "7 DAYS");
  m.newMessage();
  m.insertControl(workspace::kControlSpeed, 3);
  type(m, 1, "SALE ");
  type(m, 9, "50%");
  m.moveUp();
  m.moveEnd();
}

// The virtual sign after it has taken the stream a send of `ws` carries, as its program does.
void receive(const workspace::Workspace& ws, virtualsign::ui::LedWindow& window) {
  const platform::SystemClock clock;
  const app::SendContent content = app::prepareSendContent(ws, {});
  const auto built =
      app::buildSendStream(signlink::SendCommand::kWorkspace, &content, {0}, clock.now());
  virtualsign::SignState initial;
  initial.multiColour = ws.colourMode == workspace::kTriColourMode;
  virtualsign::SignReceiver receiver(initial, clock);
  if (built.ok()) virtualsign::receiveSignData(built->stream, receiver);
  const virtualsign::SignState& state = receiver.state();
  window.play(virtualsign::buildScenes({&state, clock.now()}), state.width);
}

bool shown(QWidget& widget) {
  widget.show();
  return QTest::qWaitForWindowExposed(&widget);
}

// The window as a desktop shows it: its picture under a title bar.
QImage withTitle(QWidget& window) {
  const QImage content = window.grab().toImage();
  QImage framed(content.width(), content.height() + kTitleHeight, QImage::Format_RGB32);
  framed.fill(kTitleBar);
  QPainter p(&framed);
  p.setPen(Qt::white);
  p.drawText(
      QRect(8, 0, content.width() - 16, kTitleHeight), Qt::AlignVCenter,
      window.windowTitle().replace(QStringLiteral("[*]"),
                                   window.isWindowModified() ? QStringLiteral("*") : QString()));
  p.drawImage(0, kTitleHeight, content);
  return framed;
}

}  // namespace

bool varnelBesideTheVirtualSign(const QString& out) {
  testing_support::TempDir dir;
  app::ui::CVarnelApp app(dir.path());
  app.language().init();
  app.state().sign.colourMode = workspace::kTriColourMode;
  app::ui::CMainFrame frame(app.language(), app.state());
  frame.resize(820, 520);
  writeMessages(frame.view()->model());
  frame.view()->setFocus();
  frame.view()->chooseColour(frame.view()->model().currentColour());
  virtualsign::ui::LedWindow sign;
  receive(frame.document().workspace(), sign);
  if (!shown(frame) || !shown(sign)) return false;
  frame.findChild<app::ui::LivePreviewPane*>()->refresh();
  QTest::qWait(300);

  const QImage left = withTitle(frame);
  const QImage right = withTitle(sign);
  QImage both(left.width() + right.width() + 3 * kGap,
              std::max(left.height(), right.height()) + 2 * kGap, QImage::Format_RGB32);
  both.fill(kDesk);
  QPainter p(&both);
  p.drawImage(kGap, kGap, left);
  p.drawImage(left.width() + 2 * kGap, kGap, right);
  p.end();
  frame.document().setModified(false);
  return both.save(QStringLiteral("%1/varnel_and_virtual_sign.png").arg(out));
}
