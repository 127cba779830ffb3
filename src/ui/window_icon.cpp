#include "ui/window_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygon>

namespace dorvax::ui {

const unsigned kClassicPalette[16] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

namespace {

QColor Classic(int index) { return QColor::fromRgb(kClassicPalette[index]); }

enum Colour {
  kBlack = 0,
  kOlive = 3,
  kNavy = 4,
  kTeal = 6,
  kSilver = 7,
  kGrey = 8,
  kRed = 9,
  kYellow = 11,
  kBlue = 12,
  kCyan = 14,
  kWhite = 15
};

// A disc: silver face, grey rim, coloured track ring and the centre hole.
void DrawDisc(QPainter& p) {
  p.setPen(Classic(kGrey));
  p.setBrush(Classic(kSilver));
  p.drawEllipse(1, 1, 18, 18);
  p.setPen(Classic(kCyan));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(4, 4, 12, 12);
  p.setPen(Classic(kWhite));
  p.drawArc(3, 3, 14, 14, 90 * 16, 90 * 16);
  p.setPen(Classic(kGrey));
  p.setBrush(Classic(kWhite));
  p.drawEllipse(7, 7, 6, 6);
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(9, 9, 2, 2);
}

// A folder of the old layout: yellow body with a tab, dark outline.
void DrawFolder(QPainter& p) {
  p.setPen(Classic(kBlack));
  p.setBrush(Classic(kOlive));
  p.drawRect(14, 15, 7, 3);  // tab
  p.setBrush(Classic(kYellow));
  p.drawRect(14, 18, 17, 12);
  p.setPen(Classic(kWhite));
  p.drawLine(15, 19, 29, 19);
}

// The hand-over: a red arrow from the disc down into the folder.
void DrawArrow(QPainter& p) {
  p.setPen(Classic(kRed));
  p.setBrush(Classic(kRed));
  p.drawRect(19, 6, 6, 3);
  p.drawRect(22, 6, 3, 6);
  QPolygon head;
  head << QPoint(19, 12) << QPoint(27, 12) << QPoint(23, 16);
  p.drawPolygon(head);
}

// Lines on the folder standing for the rows of converted data.
void DrawDataLines(QPainter& p) {
  p.setPen(Classic(kNavy));
  for (int y = 22; y <= 27; y += 2) p.drawLine(17, y, 28 - (y % 4), y);
  p.setPen(Classic(kBlue));
  p.drawPoint(28, 22);
  p.setPen(Classic(kTeal));
  p.drawPoint(28, 26);
}

}  // namespace

QImage DrawWindowIconImage() {
  QImage image(32, 32, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  // Hard edges: blending would create colours outside the palette.
  p.setRenderHint(QPainter::Antialiasing, false);
  DrawDisc(p);
  DrawFolder(p);
  DrawArrow(p);
  DrawDataLines(p);
  return image;
}

QIcon WindowIcon() { return QIcon(QPixmap::fromImage(DrawWindowIconImage())); }

}  // namespace dorvax::ui
