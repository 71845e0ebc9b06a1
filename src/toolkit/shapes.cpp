#include "toolkit/shapes.h"

#include "toolkit/accessibility.h"
#include "toolkit/units.h"

#include <QEvent>
#include <QPaintEngine>
#include <QPainter>

namespace toolkit {

namespace {

void paintLine(QPainter &painter, const Line &line, double zoom)
{
    if (!line.visible)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(line.color, zoomedWidth(line.width, zoom));
    pen.setCapStyle(Qt::SquareCap);
    painter.setPen(pen);
    painter.drawLine(line.from * zoom, line.to * zoom);
    painter.restore();
}

} // namespace

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

void Shape::paintTo(QPainter &painter) const
{
    // The border lies inside the rectangle, whatever its width; edges fall on whole pixels.
    const double z = m_surface ? viewOf(m_surface).zoom : 1.0;
    const double w = zoomedWidth(m_borderWidth, z);
    const double left = std::round(std::round(m_leftPx) * z);
    const double top = std::round(std::round(m_topPx) * z);
    const QRectF outer(left, top, std::round((std::round(m_leftPx) + std::round(m_widthPx)) * z) - left,
                       std::round((std::round(m_topPx) + std::round(cmToPx(m_heightCm))) * z) - top);
    const QTransform t = painter.deviceTransform();
    if (painter.paintEngine()->type() == QPaintEngine::Raster && t.type() <= QTransform::TxTranslate
        && t.dx() == std::floor(t.dx()) && t.dy() == std::floor(t.dy())) {
        // On whole pixels the stroke covers exactly its four edges: filled as such, a window-
        // sized frame costs four rectangles instead of a stroked outline scanned row by row.
        const QRectF inner = outer.adjusted(w, w, -w, -w);
        painter.fillRect(QRectF(outer.left(), outer.top(), outer.width(), w), m_color);
        painter.fillRect(QRectF(outer.left(), outer.bottom() - w, outer.width(), w), m_color);
        painter.fillRect(QRectF(outer.left(), inner.top(), w, inner.height()), m_color);
        painter.fillRect(QRectF(outer.right() - w, inner.top(), w, inner.height()), m_color);
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(m_color, w, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(outer.adjusted(w / 2, w / 2, -w / 2, -w / 2));
    painter.restore();
}

LineLayer::LineLayer(QWidget *surface)
    : QWidget(surface)
{
    installAccessibility();
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    // It covers the whole surface, whose size it follows.
    setGeometry(surface->rect());
    surface->installEventFilter(this);
}

void LineLayer::addShape(const Shape *shape)
{
    m_shapes.push_back(shape);
    update();
}

void LineLayer::addLine(const Line &line)
{
    m_lines.push_back(line);
    update();
}

void LineLayer::paintTo(QPainter &painter) const
{
    const View view = viewOf(this);
    painter.save();
    if (parentWidget()->isWindow())
        painter.translate(view.origin);
    for (const Line &line : m_lines)
        paintLine(painter, line, view.zoom);
    for (const Shape *shape : m_shapes) {
        if (shape)
            shape->paintTo(painter);
    }
    painter.restore();
}

void LineLayer::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintTo(painter);
}

bool LineLayer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

} // namespace toolkit
