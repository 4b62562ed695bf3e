// varnel: the operator's program for Z2500 moving-message signs.

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QMessageBox>

#include "app/ui/program_icon.h"
#include "app/ui/varnel_app.h"
#include "i18n/string_ids.h"
#include "i18n/string_table.h"
#include "platform/data_dir.h"
#include "platform/ui/qt_text.h"

using platform::ui::fromCp1252;

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  QApplication::setApplicationName("varnel");
  QApplication::setWindowIcon(app::ui::programIcon());

  QCommandLineParser parser;
  parser.addHelpOption();
  QCommandLineOption dataDirOption("data-dir", "Data directory.", "DIR");
  parser.addOption(dataDirOption);
  parser.addPositionalArgument("file", "Workspace file (*.SDV) to open.", "[file]");
  parser.process(qapp);

  const platform::Result<std::string> dataDir = platform::resolveDataDir(
      QFile::encodeName(parser.value(dataDirOption)).toStdString(), "varnel");
  if (!dataDir.ok()) {
    QMessageBox::critical(nullptr, fromCp1252(i18n::text(i18n::IDS_CAPTION_ERROR)),
                          QString::fromStdString(dataDir.message()));
    return 1;
  }

  const QStringList files = parser.positionalArguments();
  app::ui::CVarnelApp program(*dataDir);
  return program.run(files.isEmpty() ? QString() : files.first());
}
