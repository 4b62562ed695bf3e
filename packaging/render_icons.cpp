// Writes the programs' icons, as the programs draw them, into a hicolor icon tree:
//   render_icons OUTPUT_DIR   ->   OUTPUT_DIR/<size>x<size>/apps/{varnel,mailpump}.png
// Each program's icon is written at the sizes it draws; the SVG icons cover the rest.

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <cstdio>

#include "app/ui/program_icon.h"
#include "receiver/ui/program_icon.h"

namespace {

bool writeSizes(const QIcon& icon, const QString& name, const QString& outDir) {
  for (const QSize& size : icon.availableSizes()) {
    const QString dir =
        QStringLiteral("%1/%2x%3/apps").arg(outDir).arg(size.width()).arg(size.height());
    if (!QDir().mkpath(dir) || !icon.pixmap(size).save(dir + "/" + name + ".png", "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(dir + "/" + name + ".png"));
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: render_icons OUTPUT_DIR\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString out = QString::fromLocal8Bit(argv[1]);
  const bool ok = writeSizes(app::ui::programIcon(), "varnel", out) &&
                  writeSizes(receiver::ui::programIcon(), "mailpump", out);
  return ok ? 0 : 1;
}
