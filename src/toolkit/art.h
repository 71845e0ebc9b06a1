#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

namespace toolkit {

// Two overlapping circles with their common part dotted, at any size.
QPixmap iconPixmap(int size);
QIcon appIcon();

// A 32 x 32 hand with a raised index finger, at a zoom of that; the hot spot is the finger tip.
constexpr int kHandHotX = 12;
constexpr int kHandHotY = 1;
QPixmap handPixmap(double zoom = 1.0);
QCursor handCursor(double zoom = 1.0);

} // namespace toolkit
