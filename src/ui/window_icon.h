#pragma once
// The window's own icon: a 32 x 32 picture in the 16 colours of the
// classic palette, drawn here so that no artwork file is needed. It shows
// a disc handing its data over (arrow) to a folder.
#include <QIcon>
#include <QImage>

namespace dorvax::ui {

// The picture itself: 32 x 32, transparent background, only colours of
// kClassicPalette.
QImage DrawWindowIconImage();
QIcon WindowIcon();

// The 16 colours of the classic palette, as 0xRRGGBB.
extern const unsigned kClassicPalette[16];

}  // namespace dorvax::ui
