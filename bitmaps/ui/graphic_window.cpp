#include "bitmaps/ui/graphic_window.h"

#include <QKeyEvent>
#include <QMenuBar>
#include <QMetaMethod>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "bitmaps/ui/editor_widgets.h"
#include "bitmaps/ui/index_number_dialog.h"
#include "i18n/menu_texts.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/ui/message_boxes.h"
#include "i18n/ui/qt_language_targets.h"
#include "platform/ui/qt_text.h"

namespace bitmaps::ui {

namespace {

using platform::ui::fromCp1252;

// The window's first width: an 80-pixel sign's grid fits, wider ones scroll.
constexpr int kInitialWidth = 664;
constexpr int kGridTop = 2;

i18n::ui::BoxButtons boxButtons(PromptButtons buttons) {
  switch (buttons) {
    case PromptButtons::kOk:
      return i18n::ui::BoxButtons::kOk;
    case PromptButtons::kOkCancel:
      return i18n::ui::BoxButtons::kOkCancel;
    case PromptButtons::kYesNo:
      return i18n::ui::BoxButtons::kYesNo;
    case PromptButtons::kYesNoCancel:
      break;
  }
  return i18n::ui::BoxButtons::kYesNoCancel;
}

}  // namespace

// The editor's questions as message boxes under the caption "Warning!".
class CGraphicWindow::MessageBoxDialogs final : public EditorDialogs {
 public:
  MessageBoxDialogs(QWidget* owner, const i18n::LanguageModule& language)
      : owner_(owner), language_(language) {}

  PromptAnswer ask(const EditorPrompt& prompt) override {
    const i18n::ui::BoxIcon icon =
        prompt.isQuestion() ? i18n::ui::BoxIcon::kQuestion : i18n::ui::BoxIcon::kExclamation;
    switch (i18n::ui::showBox(owner_, prompt.text, i18n::text(i18n::IDS_CAPTION_WARNING), icon,
                              boxButtons(prompt.buttons))) {
      case i18n::ui::BoxAnswer::kYes:
        return PromptAnswer::kYes;
      case i18n::ui::BoxAnswer::kNo:
        return PromptAnswer::kNo;
      case i18n::ui::BoxAnswer::kCancel:
        break;
    }
    return PromptAnswer::kCancel;
  }
  std::optional<std::string> askIndexNumber() override {
    return bitmaps::ui::askIndexNumber(language_, owner_);
  }

 private:
  QWidget* const owner_;
  const i18n::LanguageModule& language_;
};

CGraphicWindow::CGraphicWindow(CBitmapCatalog& catalog, int colourMode,
                               i18n::LanguageModule& language, QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      editor_(catalog, colourMode),
      language_(language),
      boxes_(std::make_unique<MessageBoxDialogs>(this, language)) {
  setObjectName(QStringLiteral("Graphic"));
  buildMenu();

  auto* client = new QWidget(this);
  auto* layout = new QVBoxLayout(client);
  layout->setContentsMargins(0, kGridTop, 0, 0);
  grid_ = new CEditorGrid(editor_);
  gridArea_ = new QScrollArea(client);
  gridArea_->setWidget(grid_);
  gridArea_->setFrameShape(QFrame::NoFrame);
  gridArea_->setFocusPolicy(Qt::NoFocus);
  gridArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  gridArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  gridArea_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  gridArea_->setFixedHeight(grid_->height() +
                            gridArea_->horizontalScrollBar()->sizeHint().height());
  panel_ = new CEditorPanel(editor_, client);
  layout->addWidget(gridArea_);
  layout->addWidget(panel_);
  layout->addStretch(1);
  setCentralWidget(client);
  setFocusPolicy(Qt::StrongFocus);

  connect(grid_, &CEditorGrid::cellsChanged, panel_, qOverload<>(&QWidget::update));
  connect(grid_, &CEditorGrid::stored, this, [this] {
    panel_->update();
    emit imageStored(editor_.lastStoredIndex());
  });

  applyLanguage();
  resize(kInitialWidth, sizeHint().height());
}

CGraphicWindow::~CGraphicWindow() = default;

void CGraphicWindow::buildMenu() {
  for (const i18n::MenuItem& popup : i18n::bitmapEditorMenuTemplate().items) {
    QMenu* menu = menuBar()->addMenu(fromCp1252(popup.text));
    for (const i18n::MenuItem& item : popup.items) {
      if (item.kind == i18n::MenuItemKind::kSeparator) {
        menu->addSeparator();
        continue;
      }
      QAction* action = menu->addAction(fromCp1252(item.text));
      action->setData(item.commandId);
      action->setStatusTip(fromCp1252(i18n::text(item.commandId)).section(QLatin1Char('\n'), 0, 0));
      const int id = item.commandId;
      connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
    }
  }
}

void CGraphicWindow::applyLanguage() {
  i18n::ui::applyMenuTexts(menuBar(), i18n::kBitmapEditorMenuFirstKey, language_);
  setWindowTitle(fromCp1252(editor_.caption()));
  refresh();
}

EditorDialogs& CGraphicWindow::dialogs() {
  return testDialogs_ ? *testDialogs_ : *boxes_;
}

void CGraphicWindow::refresh() {
  grid_->update();
  panel_->update();
}

void CGraphicWindow::act(const std::function<void()>& action) {
  const unsigned before = editor_.storeCount();
  action();
  refresh();
  if (editor_.storeCount() != before) emit imageStored(editor_.lastStoredIndex());
}

void CGraphicWindow::runCommand(int commandId) {
  EditorDialogs& d = dialogs();
  switch (commandId) {
    case i18n::ID_EDITOR_SAVE_AS:
      act([&] { editor_.saveAs(d); });
      return;
    case i18n::ID_EDITOR_OPEN_CATALOG:
      if (isSignalConnected(QMetaMethod::fromSignal(&CGraphicWindow::catalogRequested))) {
        emit catalogRequested(this);
        refresh();
      } else {
        d.ask({i18n::IDS_COMMAND_NOT_AVAILABLE, i18n::text(i18n::IDS_COMMAND_NOT_AVAILABLE),
               PromptButtons::kOk});
      }
      return;
    case i18n::ID_EDITOR_EXIT:
      hide();
      return;
    case i18n::ID_EDITOR_NEW_IMAGE:
      act([&] { editor_.newImage(d); });
      return;
    case i18n::ID_EDITOR_OPEN_IMAGE:
      act([&] { editor_.openImage(d); });
      return;
    case i18n::ID_EDITOR_CLEAR:
      act([&] { editor_.clearDrawing(d); });
      return;
    case i18n::ID_EDITOR_REMOVE_IMAGE:
      act([&] { editor_.removeImage(d); });
      return;
    default:
      return;
  }
}

void CGraphicWindow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
      hide();
      return;
    case Qt::Key_Left:
    case Qt::Key_Up:
      act([this] { editor_.step(CBitmapCatalog::Direction::kPrevious, dialogs()); });
      return;
    case Qt::Key_Right:
    case Qt::Key_Down:
      act([this] { editor_.step(CBitmapCatalog::Direction::kNext, dialogs()); });
      return;
    default:
      QMainWindow::keyPressEvent(event);
  }
}

}  // namespace bitmaps::ui
