#include "app/ui/main_frame.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include "app/ui/about_dialog.h"
#include "app/ui/desktop_window.h"
#include "app/ui/font_colour_bar.h"
#include "app/ui/live_preview_pane.h"
#include "app/ui/message_box.h"
#include "app/ui/program_icon.h"
#include "app/ui/send_station.h"
#include "app/ui/varnel_view.h"
#include "bitmaps/ui/graphic_window.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/ui/language_dialog.h"
#include "i18n/ui/qt_language_targets.h"
#include "i18n/ui/template_widgets.h"
#include "platform/ui/qt_text.h"

namespace app::ui {
namespace {

using platform::ui::fromCp1252;

constexpr int kFontColourBarId = 108;
const QColor kClientAreaColour(0x80, 0x80, 0x80);

// The status-bar prompt and the tool tip of command `id`: the string "prompt\ntool tip".
QString promptOf(int id) {
  const QString text = fromCp1252(i18n::text(id));
  return text.section(QLatin1Char('\n'), 0, 0);
}
QString toolTipOf(int id) {
  const QString text = fromCp1252(i18n::text(id));
  return text.contains(QLatin1Char('\n')) ? text.section(QLatin1Char('\n'), 1) : QString();
}

}  // namespace

CMainFrame::CMainFrame(i18n::LanguageModule& language, app::AppState& state, QWidget* parent)
    : QMainWindow(parent), language_(language), state_(state) {
  setWindowIcon(app::ui::programIcon());
  buildMenus();
  buildToolBar();
  buildStatusBar();
  buildFontColourBar();

  auto* client = new QWidget(this);
  client->setAutoFillBackground(true);
  QPalette palette = client->palette();
  palette.setColor(QPalette::Window, kClientAreaColour);
  client->setPalette(palette);
  // The client area always holds the whole message window.
  client->setMinimumSize(kMessageWindowWidth, kMessageWindowHeight);
  setCentralWidget(client);
  view_ = new CVarnelView(doc_, language_, client);
  view_->setSignSettings(state_.sign.width, state_.sign.colourMode);
  view_->setCatalog(&state_.catalog);
  view_->setGeometry(0, 0, kMessageWindowWidth, kMessageWindowHeight);
  connect(view_, &CVarnelView::fontAndColourChanged, bar_, &CFontColourBar::showFontAndColour);
  connect(bar_, &CFontColourBar::fontChosen, view_, &CVarnelView::chooseFont);
  connect(bar_, &CFontColourBar::colourChosen, view_, &CVarnelView::chooseColour);
  connect(view_, &CVarnelView::documentStateChanged, this, &CMainFrame::updateDocumentState);
  connect(view_, &CVarnelView::fileUsed, this, &CMainFrame::addRecentFile);
  connect(view_, &CVarnelView::signSettingsChanged, bar_,
          [this](int, int colourMode) { bar_->setColourMode(colourMode); });
  connect(view_, &CVarnelView::signSettingsChanged, this, &CMainFrame::workspaceSignOpened);
  // The live sign preview under the message window; F5 shows and hides it.
  addDockWidget(Qt::BottomDockWidgetArea, new LivePreviewPane(*view_, state_, this));

  rebuildRecentFiles();
  applyLanguage();
  updateDocumentState();
  view_->setFocus();
  app::ui::enableKeyboardMenus(this);
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::commandAction(int commandId) const {
  const auto it = commands_.find(commandId);
  return it == commands_.end() ? nullptr : it->second;
}

QAction* CMainFrame::makeCommand(QWidget* owner, const i18n::MenuItem& item) {
  auto* action = new QAction(fromCp1252(item.text), owner);
  action->setData(item.commandId);
  const int id = item.commandId;
  connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
  commands_[id] = action;
  return action;
}

void CMainFrame::addMenuItems(QMenu* menu, const std::vector<i18n::MenuItem>& items) {
  for (const i18n::MenuItem& item : items) {
    switch (item.kind) {
      case i18n::MenuItemKind::kSeparator:
        menu->addSeparator();
        break;
      case i18n::MenuItemKind::kPopup:
        addMenuItems(menu->addMenu(fromCp1252(item.text)), item.items);
        break;
      case i18n::MenuItemKind::kCommand:
        menu->addAction(makeCommand(menu, item));
        break;
    }
  }
}

void CMainFrame::buildMenus() {
  for (const i18n::MenuItem& item : i18n::mainMenuTemplate().items) {
    if (item.kind == i18n::MenuItemKind::kPopup) {
      QMenu* menu = menuBar()->addMenu(fromCp1252(item.text));
      addMenuItems(menu, item.items);
      if (fileMenu_ == nullptr) fileMenu_ = menu;
    } else if (item.kind == i18n::MenuItemKind::kCommand) {
      menuBar()->addAction(makeCommand(menuBar(), item));
    }
  }
  // The recent files stand between "Save As..." and the separator before "Exit".
  const QList<QAction*> fileActions = fileMenu_->actions();
  for (int i = static_cast<int>(fileActions.size()) - 1; i >= 0; --i) {
    if (fileActions[i]->isSeparator()) {
      recentAnchor_ = fileActions[i];
      break;
    }
  }
  // The menu texts carry "(Ctrl+O)" and "(Ctrl+S)" themselves, so the keys are window shortcuts.
  auto* open = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), this);
  connect(open, &QShortcut::activated, this, [this] { runCommand(i18n::ID_FILE_OPEN); });
  auto* save = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this);
  connect(save, &QShortcut::activated, this, [this] {
    if (commandAction(i18n::ID_FILE_SAVE)->isEnabled()) runCommand(i18n::ID_FILE_SAVE);
  });
}

void CMainFrame::buildToolBar() {
  QToolBar* tools = addToolBar(QString());
  tools->setObjectName(QStringLiteral("toolBar"));
  tools->setMovable(true);
  const struct {
    int id;
    QStyle::StandardPixmap icon;
  } buttons[] = {
      {i18n::ID_FILE_NEW, QStyle::SP_FileIcon},
      {i18n::ID_FILE_OPEN, QStyle::SP_DialogOpenButton},
      {i18n::ID_FILE_SAVE, QStyle::SP_DialogSaveButton},
      {0, QStyle::SP_CustomBase},
      {i18n::ID_SEND_WORKSPACE, QStyle::SP_ArrowRight},
      {0, QStyle::SP_CustomBase},
      {i18n::ID_APP_ABOUT, QStyle::SP_MessageBoxInformation},
  };
  for (const auto& button : buttons) {
    if (button.id == 0) {
      tools->addSeparator();
      continue;
    }
    QAction* action = commandAction(button.id);
    action->setIcon(style()->standardIcon(button.icon));
    tools->addAction(action);
  }
}

void CMainFrame::buildStatusBar() {
  for (int id : {i18n::IDS_INDICATOR_CAPS, i18n::IDS_INDICATOR_NUM, i18n::IDS_INDICATOR_SCROLL}) {
    auto* indicator = new QLabel(this);
    indicator->setProperty("stringId", id);
    indicator->setFrameShape(QFrame::Panel);
    indicator->setFrameShadow(QFrame::Sunken);
    indicator->setAlignment(Qt::AlignCenter);
    indicator->setMinimumWidth(indicator->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) +
                               12);
    // The lock keys' states are not known to the window system here; the panes stay grey.
    indicator->setEnabled(false);
    statusBar()->addPermanentWidget(indicator);
    indicators_.push_back(indicator);
  }
  connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
    if (message.isEmpty()) statusBar()->showMessage(fromCp1252(i18n::text(i18n::IDS_READY)));
  });
}

void CMainFrame::buildFontColourBar() {
  barHolder_ = new QToolBar(this);
  barHolder_->setObjectName(QStringLiteral("fontColourBar"));
  barHolder_->setProperty("barId", kFontColourBarId);
  bar_ = new CFontColourBar(state_.sign.colourMode, language_, barHolder_);
  barHolder_->addWidget(bar_);
  addToolBarBreak(Qt::TopToolBarArea);
  addToolBar(Qt::TopToolBarArea, barHolder_);
  barHolder_->toggleViewAction()->setStatusTip(promptOf(kFontColourBarId));
}

void CMainFrame::updatePrompts() {
  for (const auto& [id, action] : commands_) {
    action->setStatusTip(promptOf(id));
    const QString tip = toolTipOf(id);
    action->setToolTip(tip.isEmpty() ? action->text().remove(QLatin1Char('&')) : tip);
  }
  for (QLabel* indicator : indicators_) {
    indicator->setText(fromCp1252(i18n::text(indicator->property("stringId").toInt())));
  }
  statusBar()->showMessage(fromCp1252(i18n::text(i18n::IDS_READY)));
}

void CMainFrame::applyLanguage() {
  i18n::ui::applyMenuTexts(menuBar(), i18n::kMainMenuFirstKey, language_);
  menuBar()->update();
  bar_->applyLanguage(language_);
  i18n::ui::reapplyToOpenDialogs(language_);
  if (bitmapEditor_) bitmapEditor_->applyLanguage();
  updatePrompts();
  updateDocumentState();
  view_->viewport()->update();
}

void CMainFrame::updateDocumentState() {
  QString title = fromCp1252(i18n::text(i18n::IDS_MAIN_TITLE));
  if (!doc_.path().empty()) {
    title += QStringLiteral(" - ") + QFileInfo(QFile::decodeName(doc_.path().c_str())).fileName();
  }
  setWindowTitle(title + QStringLiteral("[*]"));
  setWindowModified(doc_.isModified());
  commandAction(i18n::ID_FILE_SAVE)->setEnabled(doc_.lineCount() >= 1 && doc_.isModified());
}

void CMainFrame::addRecentFile(const QString& path) {
  const std::string absolute = QFile::encodeName(QFileInfo(path).absoluteFilePath()).toStdString();
  state_.recentFiles = app::withRecentFile(state_.recentFiles, absolute);
  app::writeRecentFiles(varnel_profile::open(state_.dataDir), state_.recentFiles);
  rebuildRecentFiles();
}

void CMainFrame::rebuildRecentFiles() {
  for (QAction* action : recentActions_) {
    fileMenu_->removeAction(action);
    action->deleteLater();
  }
  recentActions_.clear();
  if (state_.recentFiles.empty()) return;
  int number = 1;
  for (const std::string& file : state_.recentFiles) {
    const QString path = QFile::decodeName(file.c_str());
    auto* action = new QAction(QStringLiteral("&%1 %2").arg(number++).arg(path), fileMenu_);
    action->setProperty(i18n::ui::kNoLanguageKeyProperty, true);
    action->setStatusTip(path);
    connect(action, &QAction::triggered, this, [this, path] { view_->openDocument(path); });
    fileMenu_->insertAction(recentAnchor_, action);
    recentActions_.push_back(action);
  }
  auto* separator = new QAction(fileMenu_);
  separator->setSeparator(true);
  separator->setProperty(i18n::ui::kNoLanguageKeyProperty, true);
  fileMenu_->insertAction(recentActions_.front(), separator);
  recentActions_.push_back(separator);
}

void CMainFrame::runCommand(int commandId) {
  switch (commandId) {
    case i18n::ID_FILE_LANGUAGE:
      showLanguageDialog();
      return;
    case i18n::ID_FILE_NEW:
      view_->newDocument();
      return;
    case i18n::ID_FILE_OPEN:
      view_->openDocument();
      return;
    case i18n::ID_FILE_SAVE:
      view_->save();
      return;
    case i18n::ID_FILE_SAVE_AS:
      view_->saveAs();
      return;
    case i18n::ID_FILE_EXIT:
      close();
      return;
    case i18n::ID_APP_ABOUT:
      showAbout();
      return;
    case i18n::ID_INSERT_NEW_MESSAGE:
    case i18n::ID_INSERT_EFFECT:
    case i18n::ID_INSERT_TIME:
    case i18n::ID_INSERT_DATE:
    case i18n::ID_INSERT_SYMBOLS:
    case i18n::ID_INSERT_USER_BITMAPS:
    case i18n::ID_INSERT_PREDEFINED_BITMAPS:
    case i18n::ID_INSERT_SPECIAL_CHARACTERS:
    case i18n::ID_INSERT_CARTOON:
    case i18n::ID_INSERT_BEEP:
    case i18n::ID_INSERT_SPEED:
    case i18n::ID_INSERT_PAUSE:
      view_->runInsertCommand(commandId);
      return;
    case i18n::ID_SITE_SETTINGS:
    case i18n::ID_GROUP_SETTINGS:
    case i18n::ID_TCP_GROUP_SETTINGS:
      runBookCommand(&CMainFrame::runSiteCommand, commandId);
      return;
    case i18n::ID_DEVICE_SETTINGS:
    case i18n::ID_MAIL_SERVER_SETTINGS:
    case i18n::ID_MAILBOX_SETTINGS:
    case i18n::ID_MODEM_INFO:
      runBookCommand(&CMainFrame::runDeviceCommand, commandId);
      return;
    case i18n::ID_SEND_WORKSPACE:
    case i18n::ID_SEND_SAVED_FILE:
    case i18n::ID_SEND_TEST:
    case i18n::ID_SEND_CLEAR_MEMORY:
      runSendCommand(commandId);
      return;
    case i18n::ID_SCHEDULER:
      showScheduler();
      return;
    case i18n::ID_BITMAP_LOAD_FILE:
    case i18n::ID_BITMAP_OPEN_CATALOG:
      runBitmapCommand(commandId);
      return;
    case i18n::ID_BITMAP_OPEN_WORKSPACE:
      openBitmapEditor();
      return;
    default:
      // User-defined bitmaps.
      showNotAvailable();
      return;
  }
}

void CMainFrame::showLanguageDialog() {
  i18n::ui::CLanguageDialog dialog(language_, this);
  if (dialog.exec() == QDialog::Accepted) applyLanguage();
}

void CMainFrame::showAbout() {
  CAboutDialog dialog(language_, this);
  dialog.exec();
}

void CMainFrame::showNotAvailable() {
  app::ui::showWarning(this, i18n::text(i18n::IDS_COMMAND_NOT_AVAILABLE));
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  // A send runs inside this window's event loop: it is stopped, and the window closes once it has
  // ended (runSendCommand).
  if (sending()) {
    stopSend();
    closeAfterSend_ = true;
    event->ignore();
    return;
  }
  if (!view_->promptSave(workspace::SavePromptCommand::kExit)) {
    event->ignore();
    return;
  }
  doc_.clear();
  event->accept();
}

}  // namespace app::ui
