#include "lesson_window/icon.h"

#include "lesson_window/look.h"
#include "toolkit/units.h"

#include <QPainter>
#include <QPainterPath>

namespace lesson {

void paintIcon(QPainter &p)
{
    using toolkit::bgr;
    p.setBrush(bgr(look::kPaleGreen));
    p.setPen(QPen(bgr(look::kIconBorder), 1.0));
    p.drawRoundedRect(QRectF(0.5, 0.5, 31, 31), 4, 4);

    const QRectF left(3.5, 7.5, 16, 16);
    const QRectF right(12.5, 7.5, 16, 16);
    QPainterPath lens;
    lens.addEllipse(left);
    QPainterPath other;
    other.addEllipse(right);
    p.setPen(Qt::NoPen);
    p.setBrush(bgr(look::kGreen));
    p.drawPath(lens.intersected(other));

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(bgr(look::kRed), 2.0));
    p.drawEllipse(left);
    p.drawEllipse(right);
    p.setPen(QPen(bgr(look::kBlue), 1.5));
    p.drawLine(QPointF(11.5, 15.5), QPointF(20.5, 15.5));
}

QPixmap iconPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    paintIcon(p);
    return pixmap;
}

QIcon appIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addPixmap(iconPixmap(size));
    return icon;
}

} // namespace lesson
