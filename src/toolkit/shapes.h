#pragma once

#include "toolkit/printable.h"

#include <QColor>
#include <QPointF>
#include <QPointer>
#include <QWidget>

#include <vector>

class QPainter;

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

// A rectangle outline drawn by its surface (or a LineLayer above it). A QObject so that a
// layer drawing it sees when it is gone.
class Shape : public QObject
{
    Q_OBJECT

public:
    Shape(QWidget *surface, double leftTwips, double topTwips, double widthTwips,
          double heightTwips, const QColor &color, int borderWidth);

    float heightCm() const { return m_heightCm; }
    void setHeightCm(float height);

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

// Lines and outlines that lie above some labels of their surface: a see-through widget that
// is stacked among its siblings where they belong. The pointer passes through it to whatever
// lies beneath, as it does over the lines the surface draws itself.
class LineLayer : public QWidget, public Printable
{
    Q_OBJECT

public:
    explicit LineLayer(QWidget *surface);

    void addShape(const Shape *shape);
    void addLine(const Line &line);

    void paintTo(QPainter &painter) const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::vector<QPointer<const Shape>> m_shapes; // owned by whoever made them
    std::vector<Line> m_lines;
};

} // namespace toolkit
