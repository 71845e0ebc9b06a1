#pragma once

#include <QColor>
#include <QPointF>

class QPainter;
class QWidget;

namespace toolkit {

// Lines and rectangle outlines are not widgets: the surface they stand on draws them, so
// the pointer over them is over that surface.
struct Line
{
    QPointF from; // design pixels, relative to the surface
    QPointF to;
    QColor color;
    int width = 1; // pixels
    bool visible = true;
};
void paintLine(QPainter &painter, const Line &line);

class Shape
{
public:
    Shape(QWidget *surface, double leftTwips, double topTwips, double widthTwips,
          double heightTwips, const QColor &color, int borderWidth);

    float heightCm() const { return m_heightCm; }
    void setHeightCm(float height);
    float leftCm() const;
    float topCm() const;
    float widthCm() const;

    void paintTo(QPainter &painter) const;

private:
    QWidget *m_surface;
    double m_leftPx;
    double m_topPx;
    double m_widthPx;
    float m_heightCm;
    QColor m_color;
    int m_borderWidth;
};

} // namespace toolkit
