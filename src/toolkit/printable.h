#pragma once

class QPainter;

namespace toolkit {

// A control that can draw its own look, as vectors, in its local coordinates
// (one unit = one design pixel), within its own rectangle: the painter of the screen and
// paintChildren clip it there. The screen and the printer share these routines.
class Printable
{
public:
    virtual ~Printable() = default;
    virtual void paintTo(QPainter &painter) const = 0;
};

} // namespace toolkit
