#include "app/ui/varnel_view.h"

#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

#include "app/ui/message_box.h"
#include "app/ui/view_context_menu.h"
#include "i18n/string_ids.h"
#include "platform/ui/qt_text.h"

namespace app::ui {
namespace {

constexpr int kClockPeriodMs = 60000;

}  // namespace

using workspace::kEditorLinePitch;
using workspace::kEditorVisibleLines;

CVarnelView::CVarnelView(workspace::CVarnelDoc& doc, i18n::LanguageModule& language,
                         QWidget* parent)
    : QAbstractScrollArea(parent),
      doc_(doc),
      language_(language),
      model_(doc),
      signWidth_(doc.workspace().signWidth),
      colourMode_(doc.workspace().colourMode),
      slots_(doc.workspace().signWidth) {
  setFocusPolicy(Qt::StrongFocus);
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setCursor(Qt::IBeamCursor);
  verticalScrollBar()->setSingleStep(1);
  verticalScrollBar()->setPageStep(kEditorVisibleLines);
  clockTimer_.setInterval(kClockPeriodMs);
  connect(&clockTimer_, &QTimer::timeout, this, &CVarnelView::refreshClock);
  clockTimer_.start();
  updateAfterChange();
}

CVarnelView::~CVarnelView() {
  clockTimer_.stop();
}

void CVarnelView::setSignSettings(int width, int colourMode) {
  if (width != signWidth_) slots_.signWidthChanged(width, &doc_.workspace());
  signWidth_ = width;
  colourMode_ = colourMode;
  doc_.workspace().signWidth = width;
  doc_.workspace().colourMode = colourMode;
}

void CVarnelView::refreshClock() {
  viewport()->update();
}

void CVarnelView::updateAfterChange() {
  QScrollBar* bar = verticalScrollBar();
  const QSignalBlocker block(bar);
  bar->setRange(0, std::max(0, doc_.lineCount() - kEditorVisibleLines));
  bar->setValue(model_.firstVisibleLine());
  viewport()->update();
  emit fontAndColourChanged(model_.currentFont(), model_.currentColour());
  emit documentStateChanged();
}

void CVarnelView::finishEdit(const workspace::EditResult& result) {
  if (result.message) app::ui::showEditorMessage(this, *result.message);
  updateAfterChange();
}

int CVarnelView::documentY(int windowY) const {
  return windowY + model_.firstVisibleLine() * kEditorLinePitch;
}

void CVarnelView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  const int first = model_.firstVisibleLine();
  const int count = viewport()->height() / kEditorLinePitch + 2;
  app::ui::PreviewFrame frame;
  frame.window = viewport()->rect();
  frame.scrollY = first * kEditorLinePitch;
  frame.now = QDateTime::currentDateTime();
  frame.twelveHour = doc_.workspace().scheduler.timeFormat == 1;
  frame.showCaret = hasFocus();
  frame.userImages = &slots_;
  painter_.paint(painter, model_.layout(first, count), frame);
}

void CVarnelView::keyPressEvent(QKeyEvent* event) {
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      model_.clearSelection();
      finishEdit(ctrl ? model_.newMessage() : model_.enter());
      return;
    case Qt::Key_Y:
      if (ctrl) {
        model_.clearSelection();
        model_.deleteLine();
        updateAfterChange();
        return;
      }
      break;
    case Qt::Key_Z:
      // Ctrl+Z takes the last edit back, Ctrl+Shift+Z does it again.
      if (ctrl) {
        (event->modifiers() & Qt::ShiftModifier) ? model_.redo() : model_.undo();
        updateAfterChange();
        return;
      }
      break;
    case Qt::Key_Backspace:
      model_.clearSelection();
      model_.backspace();
      updateAfterChange();
      return;
    case Qt::Key_Delete:
      model_.clearSelection();
      model_.deleteForward();
      updateAfterChange();
      return;
    case Qt::Key_Left:
      model_.moveLeft();
      updateAfterChange();
      return;
    case Qt::Key_Right:
      model_.moveRight();
      updateAfterChange();
      return;
    case Qt::Key_Up:
      model_.moveUp();
      updateAfterChange();
      return;
    case Qt::Key_Down:
      model_.moveDown();
      updateAfterChange();
      return;
    case Qt::Key_Home:
      model_.moveHome();
      updateAfterChange();
      return;
    case Qt::Key_End:
      model_.moveEnd();
      updateAfterChange();
      return;
    default:
      break;
  }
  if (ctrl || event->text().isEmpty()) {
    QAbstractScrollArea::keyPressEvent(event);
    return;
  }
  bool typed = false;
  for (const QChar c : event->text()) {
    // A character the sign's code page cannot hold is not typed (it would arrive as '?').
    const std::string byte = platform::ui::toCp1252(QString(c));
    if (byte.size() != 1 || platform::ui::fromCp1252(byte) != QString(c)) continue;
    typed = model_.typeCharacter(static_cast<unsigned char>(byte[0])) || typed;
  }
  if (typed) updateAfterChange();
}

void CVarnelView::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (event->button() == Qt::RightButton) {
    showContextMenu(pos);
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  setFocus(Qt::MouseFocusReason);
  model_.mousePress(pos.x(), documentY(pos.y()));
  updateAfterChange();
}

void CVarnelView::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  const QPoint pos = event->position().toPoint();
  model_.mouseDrag(pos.x(), documentY(pos.y()));
  updateAfterChange();
}

void CVarnelView::scrollContentsBy(int, int) {
  model_.setFirstVisibleLine(verticalScrollBar()->value());
  viewport()->update();
}

void CVarnelView::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  viewport()->update();
}

void CVarnelView::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  viewport()->update();
}

void CVarnelView::showContextMenu(const QPoint& windowPos) {
  const workspace::ContextMenu menu = model_.contextMenuAt(windowPos.x(), documentY(windowPos.y()));
  const QPoint global = viewport()->mapToGlobal(windowPos);
  switch (menu.kind) {
    case workspace::ContextMenu::Kind::kNone:
      return;
    case workspace::ContextMenu::Kind::kMessageMenu:
      showMessageMenu(global, menu);
      return;
    case workspace::ContextMenu::Kind::kInsertMenu:
      showInsertMenu(global);
      return;
  }
}

void CVarnelView::showMessageMenu(const QPoint& globalPos, const workspace::ContextMenu& menu) {
  QMenu popup(this);
  QAction* combine = popup.addAction(app::ui::contextMenuText(i18n::IDS_POPUP_COMBINE_FILE));
  combine->setEnabled(menu.combineEnabled);
  QAction* remove = popup.addAction(app::ui::contextMenuText(i18n::IDS_POPUP_DELETE_FILE));
  QAction* chosen = popup.exec(globalPos);
  if (chosen == combine) {
    if (app::ui::showEditorMessage(this, workspace::combineFilePrompt(menu.fileNumber)) ==
        workspace::PromptAnswer::kYes) {
      model_.combineFile(menu.fileNumber);
    }
  } else if (chosen == remove) {
    if (app::ui::showEditorMessage(this, workspace::deleteFilePrompt(menu.fileNumber)) ==
        workspace::PromptAnswer::kYes) {
      model_.deleteFile(menu.fileNumber);
    }
  }
  updateAfterChange();
}

void CVarnelView::showInsertMenu(const QPoint& globalPos) {
  QMenu popup(this);
  for (const app::ui::ContextMenuEntry& entry : app::ui::insertMenuEntries()) {
    if (entry.commandId == 0) {
      popup.addSeparator();
    } else {
      popup.addAction(app::ui::contextMenuText(entry.textId))->setData(entry.commandId);
    }
  }
  if (QAction* chosen = popup.exec(globalPos)) runInsertCommand(chosen->data().toInt());
}

void CVarnelView::chooseFont(int font) {
  model_.setFont(font);
  setFocus(Qt::OtherFocusReason);
  updateAfterChange();
}

void CVarnelView::chooseColour(int colour) {
  model_.setColour(colour);
  setFocus(Qt::OtherFocusReason);
  updateAfterChange();
}

}  // namespace app::ui
