#pragma once

#include <QIcon>
#include <QPixmap>

class QPainter;

// The lesson's icon: its two circles overlapping, their common part filled, in the lesson's
// colours. The window's icon, the PNGs and the SVG installed for the desktop are all painted
// by paintIcon, so they cannot drift apart.
namespace lesson {

// Paints the icon on a painter whose units are those of a 32 x 32 icon.
void paintIcon(QPainter &painter);
QPixmap iconPixmap(int size);
QIcon appIcon();

} // namespace lesson
