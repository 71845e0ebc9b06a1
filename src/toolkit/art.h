#pragma once

#include <QCursor>
#include <QPixmap>

namespace toolkit {

// A 32 x 32 hand with a raised index finger, at a zoom of that; the hot spot is the finger tip.
QPixmap handPixmap(double zoom = 1.0);
QCursor handCursor(double zoom = 1.0);

} // namespace toolkit
