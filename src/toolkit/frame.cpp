#include "toolkit/frame.h"

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
    m_backColor = color;
    update();
}

void Frame::paintOwn(QPainter &painter) const
{
    painter.fillRect(QRectF(0, 0, width(), height()), m_backColor);
}

void Frame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintOwn(painter);
}

void Frame::paintTo(QPainter &painter) const
{
    painter.save();
    painter.setClipRect(QRectF(0, 0, width(), height()), Qt::IntersectClip);
    paintOwn(painter);
    paintChildren(painter, this);
    painter.restore();
}

void paintChildren(QPainter &painter, const QWidget *parent)
{
    for (QObject *object : parent->children()) {
        auto *widget = qobject_cast<QWidget *>(object);
        auto *printable = dynamic_cast<Printable *>(object);
        if (!widget || !printable || widget->isHidden())
            continue;
        painter.save();
        painter.translate(widget->pos());
        printable->paintTo(painter);
        painter.restore();
    }
}

} // namespace toolkit
