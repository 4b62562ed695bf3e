// The view's commands: New, Open, Save and Save As with their save prompts, and the Insert menu.

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

#include "app/ui/message_box.h"
#include "app/ui/varnel_view.h"
#include "i18n/menu_texts.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "platform/ui/qt_text.h"
#include "workspace/sign_tables.h"
#include "workspace/ui/insert_dialogs.h"

namespace app::ui {
namespace {

constexpr char kWorkspaceSuffix[] = "SDV";

std::string localPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

}  // namespace

using workspace::PromptAnswer;
using workspace::SaveDecision;

bool CVarnelView::promptSave(workspace::SavePromptCommand command) {
  const std::optional<workspace::EditorMessage> prompt =
      workspace::savePrompt(command, doc_.isModified());
  if (!prompt) return true;
  const PromptAnswer answer = app::ui::showEditorMessage(this, *prompt);
  switch (workspace::decideSave(answer, !doc_.path().empty())) {
    case SaveDecision::kStop:
      return false;
    case SaveDecision::kDiscard:
      return true;
    case SaveDecision::kSave:
      return saveTo(QFile::decodeName(doc_.path().c_str()));
    case SaveDecision::kSaveAs:
      return saveAs();
  }
  return false;
}

bool CVarnelView::newDocument() {
  if (!promptSave(workspace::SavePromptCommand::kNew)) return false;
  model_.newWorkspace();
  slots_.clear();
  setSignSettings(signWidth_, colourMode_);
  updateAfterChange();
  return true;
}

bool CVarnelView::openDocument(const QString& path) {
  if (!promptSave(workspace::SavePromptCommand::kOpen)) return false;
  const QString chosen = path.isEmpty() ? chooseFile(FileDialogKind::kOpen) : path;
  if (chosen.isEmpty()) return false;
  return loadFile(chosen);
}

bool CVarnelView::loadDocument(const QString& path) {
  const QString chosen = path.isEmpty() ? chooseFile(FileDialogKind::kOpen) : path;
  if (chosen.isEmpty()) return false;
  return loadFile(chosen);
}

bool CVarnelView::save() {
  if (doc_.path().empty()) return saveAs();
  return saveTo(QFile::decodeName(doc_.path().c_str()));
}

bool CVarnelView::saveAs() {
  QString path = chooseFile(FileDialogKind::kSaveAs);
  if (path.isEmpty()) return false;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".") + kWorkspaceSuffix;
  return saveTo(path);
}

bool CVarnelView::saveTo(const QString& path) {
  const platform::Status saved = doc_.save(localPath(path));
  if (!saved.ok()) {
    app::ui::showError(this, saved.message());
    return false;
  }
  emit fileUsed(path);
  updateAfterChange();
  return true;
}

bool CVarnelView::loadFile(const QString& path) {
  workspace::LoadOptions options;
  options.confirmOldVersion = [this](const std::string& question) {
    return app::ui::showMessageBox(this, question, i18n::text(i18n::IDS_CAPTION_WARNING),
                                   workspace::MessageIcon::kQuestion,
                                   workspace::MessageButtons::kYesNo) == PromptAnswer::kYes;
  };
  const platform::Result<workspace::LoadedWorkspace> result = doc_.load(localPath(path), options);
  if (!result.ok()) {
    // A declined old-version question was the user's own answer; everything else is a failure.
    if (result.status().code() != platform::Status::Code::kDeclined && !result.message().empty()) {
      app::ui::showError(this, result.message());
    }
    model_.documentReplaced();
    updateAfterChange();
    return false;
  }
  for (const std::string& warning : result->warnings)
    app::ui::showWarning(this, warning);
  // A file that carries its own sign settings puts them in effect until another file is loaded
  // (New keeps them); one without them was loaded with those in effect.
  const int previousWidth = signWidth_;
  signWidth_ = doc_.workspace().signWidth;
  colourMode_ = doc_.workspace().colourMode;
  emit signSettingsChanged(signWidth_, colourMode_);
  model_.documentReplaced();
  afterWorkspaceLoaded(previousWidth);
  emit fileUsed(path);
  updateAfterChange();
  return true;
}

QString CVarnelView::chooseFile(FileDialogKind kind) {
  if (chooser_) return chooser_(kind);
  const QString filter = platform::ui::fromCp1252(i18n::text(i18n::IDS_WORKSPACE_FILE_FILTER)) +
                         QStringLiteral(" (*.SDV *.sdv)");
  if (kind == FileDialogKind::kOpen) {
    return QFileDialog::getOpenFileName(this, QString(), QString(), filter);
  }
  return QFileDialog::getSaveFileName(this, QString(), QString(), filter);
}

void CVarnelView::insertPicture(int kind) {
  workspace::ui::runPictureDialog(this, static_cast<workspace::ElementKind>(kind), language_,
                                  [this](workspace::ElementKind item, int value) {
                                    model_.insertItem(item, value);
                                    updateAfterChange();
                                  });
}

void CVarnelView::runInsertCommand(int commandId) {
  int controlType = 0;
  switch (commandId) {
    case i18n::ID_INSERT_NEW_MESSAGE:
      model_.clearSelection();
      finishEdit(model_.newMessage());
      return;
    case i18n::ID_INSERT_TIME:
      model_.insertItem(workspace::kKindTime, 0);
      updateAfterChange();
      return;
    case i18n::ID_INSERT_DATE:
      model_.insertItem(workspace::kKindDate, 0);
      updateAfterChange();
      return;
    case i18n::ID_INSERT_SYMBOLS:
      insertPicture(workspace::kKindSymbol);
      return;
    case i18n::ID_INSERT_PREDEFINED_BITMAPS:
      insertPicture(workspace::kKindPredefinedBitmap);
      return;
    case i18n::ID_INSERT_SPECIAL_CHARACTERS:
      insertPicture(workspace::kKindSpecialCharacter);
      return;
    case i18n::ID_INSERT_USER_BITMAPS:
      insertUserBitmap();
      return;
    case i18n::ID_INSERT_EFFECT:
      controlType = workspace::kControlTransition;
      break;
    case i18n::ID_INSERT_CARTOON:
      controlType = workspace::kControlCartoon;
      break;
    case i18n::ID_INSERT_BEEP:
      controlType = workspace::kControlBeep;
      break;
    case i18n::ID_INSERT_SPEED:
      controlType = workspace::kControlSpeed;
      break;
    case i18n::ID_INSERT_PAUSE:
      controlType = workspace::kControlPause;
      break;
    default:
      return;
  }
  if (const std::optional<int> value =
          workspace::ui::runControlListDialog(this, controlType, language_)) {
    model_.insertControl(controlType, *value);
  }
  setFocus(Qt::OtherFocusReason);
  updateAfterChange();
}

}  // namespace app::ui
