#include "toolkit/canvas.h"

#include "toolkit/units.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QWidget>

namespace toolkit {

Canvas::Canvas(QWidget *surface)
    : m_surface(surface)
    , m_font(QStringLiteral("MS Sans Serif"))
{
    m_font.setPointSizeF(8.25);
}

void Canvas::clear()
{
    m_current = QPointF();
    if (m_ops.empty())
        return;
    m_ops.clear();
    if (m_surface)
        m_surface->update();
}

void Canvas::add(Op op)
{
    m_ops.push_back(std::move(op));
    if (m_surface)
        m_surface->update();
}

void Canvas::point(double x, double y, const QColor &color)
{
    add({Op::Point, QPointF(x, y), {}, 0.0, color, m_drawWidth, {}, {}});
}

void Canvas::circle(double x, double y, double radius, const QColor &color)
{
    add({Op::Circle, QPointF(x, y), {}, radius, color, m_drawWidth, {}, {}});
}

void Canvas::segment(double x1, double y1, double x2, double y2, const QColor &color)
{
    add({Op::Segment, QPointF(x1, y1), QPointF(x2, y2), 0.0, color, m_drawWidth, {}, {}});
}

void Canvas::print(const QString &text)
{
    add({Op::Text, m_current, {}, 0.0, m_foreColor, m_drawWidth, text, m_font});
    const QFontMetricsF metrics(fontForDevice(m_font, m_surface));
    m_current = QPointF(0.0, m_current.y() + pxToCm(metrics.height()));
}

void Canvas::printNumber(long value)
{
    print(value < 0 ? QString::number(value) : QLatin1Char(' ') + QString::number(value));
}

void Canvas::paint(QPainter &painter) const
{
    if (m_ops.empty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const double scale = cmToPx(1.0);
    for (const Op &op : m_ops) {
        const QPointF a = op.a * scale;
        switch (op.kind) {
        case Op::Point: {
            // Wider points are round dots centred on their point.
            painter.setPen(Qt::NoPen);
            painter.setBrush(op.color);
            const double d = qMax(1, op.width);
            if (d <= 1.0)
                painter.drawRect(QRectF(a.x() - 0.5, a.y() - 0.5, 1.0, 1.0));
            else
                painter.drawEllipse(a, d / 2.0, d / 2.0);
            break;
        }
        case Op::Circle:
            painter.setPen(QPen(op.color, qMax(1, op.width)));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(a, op.radius * scale, op.radius * scale);
            break;
        case Op::Segment:
            painter.setPen(QPen(op.color, qMax(1, op.width), Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(a, op.b * scale);
            break;
        case Op::Text: {
            const QFont font = fontForDevice(op.font, painter.device());
            painter.setFont(font);
            painter.setPen(op.color);
            const QFontMetricsF metrics(font, painter.device());
            painter.drawText(QPointF(a.x(), a.y() + metrics.ascent()), op.text);
            break;
        }
        }
    }
    painter.restore();
}

} // namespace toolkit
