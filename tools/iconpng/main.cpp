// dorvax-icon-png: writes the window's icon as PNG files for the desktop's
// icon theme, DIR/NxN/apps/dorvax-hconv.png for the usual sizes, from the
// same drawing the window uses, so that the menu and the title bar show one
// picture.
#include <QDir>
#include <QImage>
#include <QString>
#include <cstdio>

#include "ui/window_icon.h"

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "Usage: dorvax-icon-png DIR\n");
    return 2;
  }
  const QString dir = QString::fromLocal8Bit(argv[1]);
  const QImage drawn = dorvax::ui::DrawWindowIconImage();
  for (int size : {16, 32, 48, 64, 128, 256}) {
    // Whole multiples of the 32-pixel drawing keep its hard pixel edges;
    // 16 and 48 are smoothed, where a nearest-pixel scale would drop or
    // double single lines unevenly.
    const Qt::TransformationMode mode = size % 32 == 0 ? Qt::FastTransformation : Qt::SmoothTransformation;
    const QImage image = drawn.scaled(size, size, Qt::IgnoreAspectRatio, mode);
    const QString folder = dir + QString("/%1x%1/apps").arg(size);
    const QString path = folder + "/dorvax-hconv.png";
    if (!QDir().mkpath(folder) || !image.save(path, "PNG")) {
      std::fprintf(stderr, "dorvax-icon-png: cannot write %s\n", path.toLocal8Bit().constData());
      return 1;
    }
  }
  return 0;
}
