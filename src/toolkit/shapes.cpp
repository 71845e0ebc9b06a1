#include "toolkit/shapes.h"

#include "toolkit/units.h"

#include <QPainter>
#include <QWidget>

namespace toolkit {

void paintLine(QPainter &painter, const Line &line)
{
    if (!line.visible)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(line.color, line.width);
    pen.setCapStyle(Qt::SquareCap);
    painter.setPen(pen);
    painter.drawLine(line.from, line.to);
    painter.restore();
}

Shape::Shape(QWidget *surface, double leftTwips, double topTwips, double widthTwips,
             double heightTwips, const QColor &color, int borderWidth)
    : m_surface(surface)
    , m_leftPx(twipsToPx(leftTwips))
    , m_topPx(twipsToPx(topTwips))
    , m_widthPx(twipsToPx(widthTwips))
    , m_heightCm(float(heightTwips / kTwipsPerCm))
    , m_color(color)
    , m_borderWidth(borderWidth)
{
}

void Shape::setHeightCm(float height)
{
    if (height == m_heightCm)
        return;
    m_heightCm = height;
    if (m_surface)
        m_surface->update();
}

float Shape::leftCm() const { return float(pxToCm(m_leftPx)); }
float Shape::topCm() const { return float(pxToCm(m_topPx)); }
float Shape::widthCm() const { return float(pxToCm(m_widthPx)); }

void Shape::paintTo(QPainter &painter) const
{
    // The border lies inside the rectangle, whatever its width.
    const double w = m_borderWidth;
    const QRectF outer(std::round(m_leftPx), std::round(m_topPx), std::round(m_widthPx),
                       std::round(cmToPx(m_heightCm)));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(m_color, w, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(outer.adjusted(w / 2, w / 2, -w / 2, -w / 2));
    painter.restore();
}

} // namespace toolkit
