#include "toolkit/art.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace toolkit {

namespace {
constexpr int kHandHotX = 12;
constexpr int kHandHotY = 1;
} // namespace

QPixmap handPixmap(double zoom)
{
    const int size = int(std::lround(32 * zoom));
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);

    // Index finger raised from a closed hand; its tip sits at the hot spot.
    QPainterPath hand;
    hand.moveTo(10.5, 3.5);
    hand.cubicTo(10.5, 0.5, 14.5, 0.5, 14.5, 3.5);
    hand.lineTo(14.5, 12.5);
    hand.cubicTo(15, 11, 18, 11, 18.5, 13.5);
    hand.cubicTo(19, 12, 22, 12, 22.5, 14.5);
    hand.cubicTo(23, 13.5, 26, 13.5, 26.5, 16);
    hand.lineTo(26.5, 23);
    hand.cubicTo(26.5, 27, 24, 30.5, 20, 30.5);
    hand.lineTo(14, 30.5);
    hand.cubicTo(11, 30.5, 9, 28, 7, 25);
    hand.lineTo(3.5, 19.5);
    hand.cubicTo(2.5, 17.5, 5, 15.5, 7, 17.5);
    hand.lineTo(10.5, 21);
    hand.closeSubpath();

    p.setPen(QPen(Qt::black, 1.0));
    p.setBrush(Qt::white);
    p.drawPath(hand);
    p.drawLine(QPointF(14.5, 12.5), QPointF(14.5, 18));
    p.drawLine(QPointF(18.5, 13.5), QPointF(18.5, 18));
    p.drawLine(QPointF(22.5, 14.5), QPointF(22.5, 18));
    return pixmap;
}

QCursor handCursor(double zoom)
{
    return QCursor(handPixmap(zoom), int(std::lround(kHandHotX * zoom)), int(std::lround(kHandHotY * zoom)));
}

} // namespace toolkit
