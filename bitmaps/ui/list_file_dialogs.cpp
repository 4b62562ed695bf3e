#include "bitmaps/ui/list_file_dialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "platform/ui/qt_text.h"

namespace bitmaps::ui {
namespace {

constexpr char kListFileSuffix[] = "LST";

QString listFileFilter() {
  return platform::ui::fromCp1252(i18n::text(i18n::IDS_LIST_FILE_FILTER)) +
         QStringLiteral("(*.LST *.lst)");
}

}  // namespace

QString chooseListFileToOpen(QWidget* parent) {
  QFileDialog dialog(parent, QString(), QString(), listFileFilter());
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(kListFileSuffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

QString chooseListFileToSave(QWidget* parent) {
  QFileDialog dialog(parent, QString(), QString(), listFileFilter());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(kListFileSuffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

QString withListFileSuffix(const QString& path) {
  if (!QFileInfo(path).suffix().isEmpty()) return path;
  return path + QStringLiteral(".") + kListFileSuffix;
}

std::string listFileLocalPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

}  // namespace bitmaps::ui
