#include "toolkit/frame.h"

#include "toolkit/units.h"

#include <QPainter>

namespace toolkit {

Frame::Frame(QWidget *parent)
    : QWidget(parent)
{
}

void Frame::setVisible(bool visible)
{
    QWidget::setVisible(visible);
    // Qt moves the focus off a hidden child only when another control can take it; otherwise
    // the unseen list would keep taking the learner's keys and run its handlers.
    if (!visible) {
        QWidget *focus = window()->focusWidget();
        if (focus && isAncestorOf(focus))
            focus->clearFocus();
    }
}

void Frame::setBackColor(const QColor &color)
{
    setRoleColor(this, {QPalette::Window}, color);
}

void Frame::paintTo(QPainter &painter) const
{
    painter.fillRect(QRectF(0, 0, width(), height()), palette().color(QPalette::Window));
}

void Frame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintTo(painter);
}

void paintChildren(QPainter &painter, const QWidget *parent)
{
    for (QObject *object : parent->children()) {
        auto *widget = qobject_cast<QWidget *>(object);
        auto *printable = dynamic_cast<Printable *>(object);
        if (!widget || !printable || widget->isHidden())
            continue;
        // As on screen: a child within its own rectangle, its children above it.
        painter.save();
        painter.translate(widget->pos());
        painter.setClipRect(QRectF(0, 0, widget->width(), widget->height()), Qt::IntersectClip);
        printable->paintTo(painter);
        paintChildren(painter, widget);
        painter.restore();
    }
}

} // namespace toolkit
