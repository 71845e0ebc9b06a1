#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QString>

#include "toolkit/units.h"

#include <array>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

class QPainter;
class QWidget;

namespace toolkit {

// The window's own drawing surface, used in centimetres from the top left of the client
// area. What is drawn is kept as a list of vector operations, so it survives repaints,
// prints sharply and stays crisp at any device-pixel ratio; it lies beneath every control.
class Canvas
{
public:
    struct Op
    {
        enum Kind { Point, Circle, Segment, Text };
        Kind kind;
        QPointF a;       // cm
        QPointF b;       // cm (segment end)
        double radius;   // cm
        QColor color;
        int width;       // pixels
        QString text;
        std::optional<QFont> font; // text only: a font made for each dot costs more than the dot
        // Exactly equal: the same pixels (a point's fuzzy == is not).
        bool operator==(const Op &o) const
        {
            return kind == o.kind && a.x() == o.a.x() && a.y() == o.a.y() && width == o.width
                   && color == o.color && b.x() == o.b.x() && b.y() == o.b.y()
                   && radius == o.radius && (kind != Text || (text == o.text && font == o.font));
        }
        bool operator!=(const Op &o) const { return !(*this == o); }
    };

    explicit Canvas(QWidget *surface);
    ~Canvas();
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;

    // Wipes the drawing and puts the text position back to the origin.
    void clear();
    // Takes the drawing off the surface, to be put back as it was; clear() forgets it.
    void setAside(bool aside);
    bool isAside() const { return m_aside; }

    void setDrawWidth(int pixels) { m_drawWidth = pixels; }
    void setForeColor(const QColor &color) { m_foreColor = color; }
    void setFontSize(double points) { m_font.setPointSizeF(points); }
    void setFontBold(bool bold) { m_font.setBold(bold); }

    void setCurrentX(double x) { m_current.setX(x); }
    void setCurrentY(double y) { m_current.setY(y); }

    void point(double x, double y, const QColor &color);
    void circle(double x, double y, double radius, const QColor &color);
    void segment(double x1, double y1, double x2, double y2, const QColor &color);
    // Writes at the text position (its top left) in the current colour and font, then moves
    // the text position to the start of the next line.
    void print(const QString &text);
    // A number is written with one blank where a minus sign would stand.
    void printNumber(long value);

    // Draws the kept operations at a zoom of the design (1: one painter unit is one design
    // pixel): places, radii, pens and fonts are scaled, so the drawing stays sharp. On a
    // surface already filled with the opaque colour ground, a figure drawn before is copied.
    void paint(QPainter &painter, double zoom = 1.0, const QColor &ground = QColor()) const;
    // Where paint() will copy an opaque picture of the figure on that ground (empty: it will
    // draw the figure): the surface need not fill that part with the ground first.
    QRect preparePicture(QPainter &painter, double zoom, const QColor &ground) const;

private:
    void add(Op op);
    // Takes in a new operation's pixels: what clear() must wipe and the repaint must cover.
    void touch(const QRect &area);
    // On direct, an opaque image of the painter's whose top left is origin in its units, the
    // region's dots are blended in place.
    void drawOps(QPainter &painter, double zoom, QImage *direct = nullptr, const QPoint &origin = {}) const;
    QRect figureArea(double zoom) const; // on the page, of every operation at that zoom
    void blendDots(QImage &image, const QPoint &origin, size_t first, size_t last, double zoom,
                   quint32 ground) const;
    // The figure as last drawn on the ground, copied when the same figure is painted again.
    bool paintFromPicture(QPainter &painter, double zoom, const QColor &ground) const;
    struct Picture;
    const Picture *currentPicture(QPainter &painter, double zoom, const QColor &ground) const;
    QRect pixelArea(const Op &op) const; // on the surface
    QRect areaAt(const Op &op, double zoom) const; // on the page at that zoom
    void requestRepaint(const QRect &area) const;
    // Asks for the repaint a clear() put off: none when the figure drawn since is the same.
    void settle() const;
    void stampDot(QPainter &painter, const QPointF &centre, const QColor &color, double width) const;
    // A pre-rendered antialiased stamp's pixels that are not transparent, blended one by one
    // into an opaque image: most of a dot's or a ring's stamp is transparent.
    struct Ink
    {
        explicit Ink(const QImage &stamp);
        // Source over, exactly as drawing the stamp with its top left at `at` would blend,
        // into the opaque pixels of an image of that size and stride (in pixels).
        void blendInto(quint32 *bits, qsizetype stride, const QSize &image, const QPoint &at,
                       quint32 ground) const;

        QRect bounds; // of the pixels, within the stamp
        std::vector<std::pair<QPoint, quint32>> pixels;
        // The same pixels blended onto an opaque ground of this colour, where most land.
        mutable quint32 ground = 0;
        mutable std::vector<quint32> onGround;
        // Where each pixel lies from the top left, in an image of this stride.
        mutable qsizetype stride = 0;
        mutable std::vector<qsizetype> offsets;
    };
    struct Dot
    {
        QImage image;
        Ink ink;
    };
    // The pre-rendered dot for a centre, and where its top left lands.
    const Dot &dotImage(const QPointF &centre, const QColor &color, double width, QPoint *at) const;
    // Stamps the dots [first, last) into one image and draws that, rather than each dot.
    void stampDots(QPainter &painter, size_t first, size_t last, double zoom) const;
    // Draws a circle from the image of it kept since it was last drawn at the same fraction
    // of a pixel; false where it is too large to keep (it is then drawn as vectors).
    bool stampCircle(QPainter &painter, const QPointF &centre, double radius, const QColor &color,
                     double pen, QImage *direct = nullptr, const QPoint &origin = {}) const;

    QWidget *m_surface;
    // The surface's view as a region's thousands of dots find it, and when it was read.
    View m_view;
    quint64 m_viewGeneration = ~quint64(0);
    std::vector<Op> m_ops;
    quint64 m_revision = 0; // changes of m_ops so far
    std::vector<Op> m_asideOps;
    bool m_aside = false;
    int m_drawWidth = 1;
    QColor m_foreColor = Qt::black;
    QFont m_font;
    QPointF m_current;
    // A change repaints only the surface it touches; what is already waiting for its repaint
    // (a region's dots inside their circles) asks for nothing more.
    mutable QRect m_drawnArea;
    mutable double m_drawnZoom = 1.0; // the view it was last painted in
    mutable QPoint m_drawnOrigin;
    mutable QRect m_askedArea;
    mutable QRect m_settled; // within both: a new operation here changes neither
    // While a cleared figure is drawn again: the one on the screen, and where it lies.
    mutable bool m_redrawing = false;
    mutable std::vector<Op> m_shown;
    mutable QRect m_wiped;
    class Settler;
    std::unique_ptr<Settler> m_settler;
    // Round dots as the screen shows them, keyed by colour, width and sub-pixel offset:
    // a full region has some two thousand dots, each a costly antialiased ellipse.
    // (A map whose elements stay put as it grows: a layer of dots holds on to them.)
    mutable std::unordered_map<quint64, Dot> m_dotImages;
    // Those of the colour and width asked for last, by sub-pixel phase: a region asks for
    // the same few thousand times over.
    mutable quint64 m_phaseStyle = ~quint64(0);
    mutable QColor m_styleColor; // and width: the last asked for, whose key part is m_style
    mutable double m_styleWidth = -1.0;
    mutable quint64 m_style = 0;
    mutable std::array<const Dot *, 256> m_byPhase{};
    // The last few circles drawn, most recent last: each is an antialiased stroke that costs
    // as much as a whole shaded region, and every repaint of the figure draws both again.
    struct Ring
    {
        QPointF phase; // of the centre within its pixel
        double radius;
        double pen;
        QRgb color;
        QImage image;
        Ink ink;
    };
    mutable std::vector<Ring> m_rings;
    // The layers of the last run of dots stamped, and which dots they hold.
    mutable std::vector<Op> m_layersKey;
    mutable double m_layersZoom = 0.0;
    mutable std::vector<std::pair<QPoint, QImage>> m_layers;
    // Back and Next, or a repaint of anything over the figure, draw the very same figure
    // again: its pixels on the ground are kept, with what they show.
    struct Picture
    {
        std::vector<Op> ops;
        quint64 revision = 0; // of the operations when last found the same as ops
        double zoom = 0.0;
        QRgb ground = 0;
        QRect shown; // the page pixels the surface shows
        QRect area;  // of the figure among them
        QImage image;
    };
    mutable Picture m_picture;
};

} // namespace toolkit
