#pragma once

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <memory>
#include <vector>

#include "app/startup_sequence.h"
#include "i18n/language_module.h"
#include "i18n/menu_texts.h"
#include "platform/message_pump.h"
#include "workspace/varnel_doc.h"

class QLabel;
class QMenu;
class QToolBar;

namespace bitmaps::ui {
class CGraphicWindow;
}

namespace app::ui {

class CFontColourBar;
class CVarnelView;
class SendStation;

// varnel's main window: the menu bar of menu 128, the tool bar, the status bar with its message
// pane and the CAP, NUM and SCRL indicators, the font-and-colour bar, and the single message window
// (615 x 261 at the top left of the client area) holding the editor. It owns the document.
class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr int kMessageWindowWidth = 615;
  static constexpr int kMessageWindowHeight = 261;

  // `language` and `state` must outlive the window.
  CMainFrame(i18n::LanguageModule& language, app::AppState& state, QWidget* parent = nullptr);
  ~CMainFrame() override;

  CVarnelView* view() const { return view_; }
  workspace::CVarnelDoc& document() { return doc_; }
  CFontColourBar* fontColourBar() const { return bar_; }
  // The menu action of command `commandId`, or nullptr.
  QAction* commandAction(int commandId) const;

  // Runs menu command `commandId` as the menu would.
  void runCommand(int commandId);
  // True while a send runs (send_commands.cpp).
  bool sending() const;
  // The bitmap editor window while one exists.
  bitmaps::ui::CGraphicWindow* bitmapEditor() const;
  // The link to the signs, made on first use.
  SendStation& sendStation();
  // Ends a send under way as soon as it can, a dial within a fraction of a second (the program is
  // ending: Exit, a stop signal). Nothing when no send runs.
  void stopSend();
  // The pump every wait of a send goes through, from the first send on (tests: a fake clock);
  // null: Qt's event loop. Must outlive the window.
  void setSendPump(platform::MessagePump* pump) { sendPump_ = pump; }
  // "Bitmap Image Catalog" over `owner` (this window when null), modal until "Close"; a list file
  // it saves reaches the view (bitmap_commands.cpp). The bitmap editor opens it this way too.
  void openCatalogWindow(QWidget* owner = nullptr);
  // Puts the current language's texts on the menus, the bar, the prompts and open dialogs.
  void applyLanguage();
  // The address book (state.book) has just been changed: writes the site manage file at once
  // (book_changes.cpp). When another program changed that file meanwhile, asks whether to read it
  // (after the address-book window that made the change has closed) or to write over it.
  void bookChanged();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenus();
  void addMenuItems(QMenu* menu, const std::vector<i18n::MenuItem>& items);
  QAction* makeCommand(QWidget* owner, const i18n::MenuItem& item);
  void buildToolBar();
  void buildStatusBar();
  void buildFontColourBar();
  void updatePrompts();
  void updateDocumentState();
  void addRecentFile(const QString& path);
  void rebuildRecentFiles();
  void showLanguageDialog();
  void showAbout();
  void showNotAvailable();

  // The "Communication Settings" menu. The dialogs change state_.book in place and call
  // bookChanged() after every OK that changed it.
  void runSiteCommand(int commandId);    // sites, groups, TCP/IP groups (site_commands.cpp)
  void runDeviceCommand(int commandId);  // devices, mail servers, mailboxes, modems
                                         // (device_commands.cpp)
  // Runs one of the two above with the book first brought up to date with its file, and reads
  // the file afterwards when the user chose another program's file meanwhile (book_changes.cpp).
  void runBookCommand(void (CMainFrame::*command)(int), int commandId);
  int bookCommandDepth_ = 0;        // address-book windows open
  bool bookReloadPending_ = false;  // read the file once they have closed
  // The "Send" menu and the tool-bar button (send_commands.cpp).
  void runSendCommand(int commandId);
  void startSend(int commandId);
  bool closeAfterSend_ = false;  // Exit was chosen during the send: close once it has ended.

  // The "User-Defined Bitmap" menu (bitmap_commands.cpp).
  void runBitmapCommand(int commandId);

  // "Open Workspace": a fresh bitmap editor window in place of any earlier one
  // (bitmap_editor_command.cpp).
  void openBitmapEditor();
  QPointer<bitmaps::ui::CGraphicWindow> bitmapEditor_;
  // A workspace file was opened with sign settings `width` and `colourMode`: the editor window
  // closes and that sign's catalog comes into effect (bitmap_editor_command.cpp).
  void workspaceSignOpened(int width, int colourMode);

  // "Scheduler and Special Functions" on the document's scheduler settings
  // (scheduler_command.cpp).
  void showScheduler();

  i18n::LanguageModule& language_;
  app::AppState& state_;
  workspace::CVarnelDoc doc_;
  CVarnelView* view_ = nullptr;
  CFontColourBar* bar_ = nullptr;
  QToolBar* barHolder_ = nullptr;
  QMenu* fileMenu_ = nullptr;
  QAction* recentAnchor_ = nullptr;  // The separator before "Exit"; recent files go above it.
  std::vector<QAction*> recentActions_;
  std::map<int, QAction*> commands_;   // By command identifier.
  std::vector<QLabel*> indicators_;    // CAP, NUM, SCRL.
  std::unique_ptr<SendStation> send_;  // Made by the first send.
  platform::MessagePump* sendPump_ = nullptr;
};

}  // namespace app::ui
