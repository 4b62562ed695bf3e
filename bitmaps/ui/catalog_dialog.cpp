#include "bitmaps/ui/catalog_dialog.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "bitmaps/ui/image_rows_area.h"
#include "bitmaps/ui/list_file_dialogs.h"
#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "i18n/ui/message_boxes.h"
#include "i18n/ui/qt_language_targets.h"
#include "i18n/ui/template_widgets.h"
#include "platform/ui/qt_text.h"

namespace bitmaps::ui {
namespace {

constexpr int kRowHeight = 28;
constexpr int kDialog = i18n::IDD_BITMAP_CATALOG;

using i18n::ui::BoxAnswer;
using i18n::ui::BoxButtons;
using i18n::ui::BoxIcon;

QString decodePath(const std::string& path) {
  return QFile::decodeName(path.c_str());
}

}  // namespace

CBitmapCatalogDialog::CBitmapCatalogDialog(const CBitmapCatalog& catalog,
                                           const i18n::LanguageModule& language, QWidget* parent)
    : QDialog(parent),
      model_(catalog),
      catalogArea_(new ImageRowsArea(CatalogWindowModel::kVisibleRows, kRowHeight, this)),
      fileArea_(new ImageRowsArea(CatalogWindowModel::kVisibleRows, kRowHeight, this)),
      scroll_(new QScrollBar(Qt::Vertical, this)),
      total_(new QLabel(this)) {
  buildLayout();
  catalogArea_->setImageSource([this](int row) -> const CBitmapImage* {
    const std::optional<int> position = model_.catalogPositionAt(row);
    return position ? &model_.catalog().at(static_cast<size_t>(*position)) : nullptr;
  });
  fileArea_->setImageSource([this](int row) { return model_.listImageAt(row); });
  connect(catalogArea_, &ImageRowsArea::rowClicked, this, &CBitmapCatalogDialog::catalogClicked);
  connect(catalogArea_, &ImageRowsArea::rowDoubleClicked, this,
          &CBitmapCatalogDialog::catalogDoubleClicked);
  connect(fileArea_, &ImageRowsArea::rowClicked, this, &CBitmapCatalogDialog::fileClicked);
  connect(scroll_, &QScrollBar::valueChanged, this, [this](int value) {
    model_.scrollTo(value);
    refresh();
  });
  i18n::ui::initDialog(this, kDialog, language);
  baseCaption_ = platform::ui::toCp1252(windowTitle());
  refresh();
}

void CBitmapCatalogDialog::buildLayout() {
  auto* catalogBox = i18n::ui::makeControl<QGroupBox>(this, kDialog, i18n::kIdCatalogFrame);
  auto* catalogRow = new QHBoxLayout;
  catalogRow->addWidget(catalogArea_, 1);
  catalogRow->addWidget(scroll_);
  i18n::ui::setControlId(scroll_, i18n::kIdCatalogScrollBar);
  scroll_->setSingleStep(1);
  scroll_->setPageStep(CatalogWindowModel::kVisibleRows);
  auto* catalogColumn = new QVBoxLayout(catalogBox);
  catalogColumn->addLayout(catalogRow);
  catalogColumn->addWidget(total_);
  total_->setObjectName(QStringLiteral("catalogTotal"));

  auto* fileBox = i18n::ui::makeControl<QGroupBox>(this, kDialog, i18n::kIdCatalogFileFrame);
  auto* fileColumn = new QVBoxLayout(fileBox);
  fileColumn->addWidget(fileArea_);
  fileColumn->addStretch(1);

  auto* buttons = new QVBoxLayout;
  const std::pair<int, bool (CBitmapCatalogDialog::*)()> commands[] = {
      {i18n::kIdCatalogOpenFile, &CBitmapCatalogDialog::openFile},
      {i18n::kIdCatalogRemove, &CBitmapCatalogDialog::removeSelected},
      {i18n::kIdCatalogSaveFile, &CBitmapCatalogDialog::saveFile},
      {i18n::kIdCatalogSaveFileAs, &CBitmapCatalogDialog::saveFileAs},
      {i18n::kIdCatalogNewFile, &CBitmapCatalogDialog::newFile},
      {i18n::kIdCatalogClearFile, &CBitmapCatalogDialog::clearFile},
  };
  for (const auto& [id, command] : commands) {
    auto* button = i18n::ui::makeControl<QPushButton>(this, kDialog, id);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, command = command] { (this->*command)(); });
    buttons->addWidget(button);
  }
  // "Send..." is part of the template but has no action in this window.
  auto* send = i18n::ui::makeControl<QPushButton>(this, kDialog, i18n::kIdCatalogSend);
  send->hide();
  buttons->addStretch(1);
  auto* close = i18n::ui::makeControl<QPushButton>(this, kDialog, i18n::kIdOk);
  close->setAutoDefault(false);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  buttons->addWidget(close);

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(catalogBox, 1);
  layout->addWidget(fileBox, 1);
  layout->addLayout(buttons);
}

QPushButton* CBitmapCatalogDialog::button(int controlId) const {
  return qobject_cast<QPushButton*>(
      i18n::ui::findControl(const_cast<CBitmapCatalogDialog*>(this), controlId));
}

void CBitmapCatalogDialog::refresh() {
  {
    const QSignalBlocker block(scroll_);
    scroll_->setRange(0, model_.scrollMaximum());
    scroll_->setValue(model_.firstShown());
  }
  // The highlighted image is marked while it is in view.
  std::optional<int> marked;
  if (const std::optional<int> highlighted = model_.highlighted()) {
    const int row = *highlighted - model_.firstShown();
    if (row >= 0 && row < CatalogWindowModel::kVisibleRows) marked = row;
  }
  catalogArea_->setMarkedRow(marked);
  fileArea_->setMarkedRow(model_.selected());
  total_->setText(platform::ui::fromCp1252(i18n::text(i18n::IDS_CATALOG_TOTAL)) +
                  QStringLiteral(" %1").arg(model_.catalog().count()));
  if (QPushButton* remove = button(i18n::kIdCatalogRemove)) {
    remove->setEnabled(model_.removeEnabled());
  }
  if (QPushButton* save = button(i18n::kIdCatalogSaveFile)) save->setEnabled(model_.saveEnabled());
  setWindowTitle(platform::ui::fromCp1252(model_.caption(baseCaption_)));
}

void CBitmapCatalogDialog::catalogClicked(int row) {
  if (const std::optional<int> position = model_.catalogPositionAt(row)) {
    model_.highlight(*position);
  }
  refresh();
}

void CBitmapCatalogDialog::catalogDoubleClicked(int row) {
  const std::optional<int> position = model_.catalogPositionAt(row);
  if (!position) return;
  model_.highlight(*position);
  CatalogWindowModel::AddResult result = model_.addImage(*position);
  if (result.step == CatalogWindowModel::AddStep::kRefused) {
    i18n::ui::showWarningBox(this, result.message);
  } else if (result.step == CatalogWindowModel::AddStep::kAskDuplicate &&
             i18n::ui::askYesNo(this, result.message)) {
    model_.addImage(*position, true);
  }
  refresh();
}

void CBitmapCatalogDialog::fileClicked(int row) {
  model_.select(row);
  refresh();
}

bool CBitmapCatalogDialog::removeSelected() {
  const std::optional<std::string> refusal = model_.removeSelected(inUse_);
  if (refusal) i18n::ui::showWarningBox(this, *refusal);
  refresh();
  return !refusal;
}

bool CBitmapCatalogDialog::settleChanges(const std::optional<std::string>& question) {
  if (!question) return true;
  const BoxAnswer answer = i18n::ui::showBox(this, *question, i18n::text(i18n::IDS_CAPTION_WARNING),
                                             BoxIcon::kQuestion, BoxButtons::kYesNoCancel);
  if (answer == BoxAnswer::kCancel) return false;
  return answer == BoxAnswer::kNo || saveWithName(false);
}

bool CBitmapCatalogDialog::clearFile() {
  if (!settleChanges(model_.clearQuestion())) return false;
  model_.clear();
  refresh();
  return true;
}

bool CBitmapCatalogDialog::newFile() {
  if (!settleChanges(model_.clearQuestion())) return false;
  model_.newFile();
  refresh();
  return true;
}

bool CBitmapCatalogDialog::openFile() {
  if (!settleChanges(model_.openQuestion())) return false;
  model_.clear();
  refresh();
  const QString path = chooseFile(FileDialogKind::kOpen);
  if (path.isEmpty()) return false;
  const platform::Status opened = model_.open(listFileLocalPath(path));
  if (!opened.ok()) i18n::ui::showErrorBox(this, opened.message());
  refresh();
  return opened.ok();
}

bool CBitmapCatalogDialog::saveFile() {
  return saveWithName(false);
}

bool CBitmapCatalogDialog::saveFileAs() {
  return saveWithName(true);
}

bool CBitmapCatalogDialog::saveWithName(bool askName) {
  const std::string& current = model_.file().fileName;
  const QString path =
      askName || current.empty() ? chooseFile(FileDialogKind::kSave) : decodePath(current);
  if (path.isEmpty()) return false;
  const platform::Status saved = model_.saveTo(listFileLocalPath(withListFileSuffix(path)));
  if (!saved.ok()) {
    i18n::ui::showErrorBox(this, saved.message());
    return false;
  }
  refresh();
  emit transferFileSaved(model_.file());
  return true;
}

QString CBitmapCatalogDialog::chooseFile(FileDialogKind kind) {
  if (chooser_) return chooser_(kind);
  return kind == FileDialogKind::kOpen ? chooseListFileToOpen(this) : chooseListFileToSave(this);
}

}  // namespace bitmaps::ui
