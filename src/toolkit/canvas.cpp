#include "toolkit/canvas.h"

#include "toolkit/units.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <cmath>
#include <cstring>

namespace toolkit {

// Runs the settling of a redrawn figure once the handler that redraws it has returned,
// ahead of the repaint the handler asked for.
class Canvas::Settler : public QObject
{
public:
    static inline const QEvent::Type kType = QEvent::Type(QEvent::registerEventType());
    explicit Settler(std::function<void()> settle)
        : m_settle(std::move(settle))
    {
    }

protected:
    bool event(QEvent *event) override
    {
        if (event->type() != kType)
            return QObject::event(event);
        m_settle();
        return true;
    }

private:
    std::function<void()> m_settle;
};

namespace {

// Sub-pixel steps at which screen dots are pre-rendered: a dot lands within 1/32 pixel of
// where the vector drawing would put it.
constexpr int kDotPhases = 16;
constexpr int kLargestStampedDot = 16;
// Circles kept as images: the two of a figure and those of a few figures before it, none
// wider than this (a radius typed into a list can be any size).
constexpr size_t kRingsKept = 6;
constexpr int kLargestRing = 800;

// A painter that maps its units 1:1 onto whole pixels of an image: there a dot can be
// stamped from a pre-rendered one. Printers, scaled renders and other ratios get vectors.
bool drawsWholePixels(const QPainter &painter)
{
    const QPaintEngine *engine = painter.paintEngine();
    const QTransform t = painter.deviceTransform();
    return engine && engine->type() == QPaintEngine::Raster
           && painter.compositionMode() == QPainter::CompositionMode_SourceOver
           && t.type() <= QTransform::TxTranslate && t.dx() == std::floor(t.dx())
           && t.dy() == std::floor(t.dy());
}

// Thousands to a figure: whole pixels straight from the centre (in pixels) and the fringe.
inline QRect pointArea(const QPointF &centre, double fringe)
{
    const int left = int(std::floor(centre.x() - fringe));
    const int top = int(std::floor(centre.y() - fringe));
    return QRect(left, top, int(std::ceil(centre.x() + fringe)) - left,
                 int(std::ceil(centre.y() + fringe)) - top);
}

// std::round (halves away from zero) without a call into the maths library, for values far
// below 2^52 such as page pixels.
inline qint64 roundToInt(double v)
{
    const qint64 t = qint64(v); // toward zero
    const double rest = v - double(t); // exact
    return rest >= 0.5 ? t + 1 : rest <= -0.5 ? t - 1 : t;
}

inline double fringeOf(int width, double zoom)
{
    // Half the pen, and the antialiased fringe.
    return qMax(1, width) * zoom / 2.0 + 2.0;
}

// What drawing an image of premultiplied pixel s does to an opaque pixel d, source over:
// s + d (255 - alpha of s) / 255 in each channel, rounded as Qt rounds it.
inline quint32 over(quint32 s, quint32 d)
{
    const quint32 a = 255 - qAlpha(s);
    quint32 t = (d & 0xff00ff) * a;
    t = ((t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8) & 0xff00ff;
    d = ((d >> 8) & 0xff00ff) * a;
    d = (d + ((d >> 8) & 0xff00ff) + 0x800080) & 0xff00ff00;
    return s + (d | t);
}

// In bands of 64 rows: Qt hands a taller image (under a clip of several rectangles) to
// helper threads, and on a busy machine waiting for them costs far more than the blending.
void drawInBands(QPainter &painter, const QPoint &at, const QImage &image)
{
    const int band = 64;
    for (int y = 0; y < image.height(); y += band)
        painter.drawImage(at + QPoint(0, y), image, QRect(0, y, image.width(), qMin(band, image.height() - y)));
}

} // namespace

Canvas::Canvas(QWidget *surface)
    : m_surface(surface)
    , m_font(QStringLiteral("MS Sans Serif"))
{
    m_font.setPointSizeF(8.25);
}

Canvas::~Canvas() = default;

void Canvas::clear()
{
    m_current = QPointF();
    m_asideOps.clear();
    m_aside = false;
    if (m_ops.empty())
        return;
    const size_t drawn = m_ops.size();
    if (m_surface && !m_redrawing) {
        // A figure is often drawn again just as it was (Back and Next, an item chosen again):
        // its wipe waits for the handler to finish, and is not asked for if so.
        if (!m_settler)
            m_settler = std::make_unique<Settler>([this] { settle(); });
        m_redrawing = true;
        m_shown.swap(m_ops);
        m_wiped = m_drawnArea;
        QCoreApplication::postEvent(m_settler.get(), new QEvent(Settler::kType), Qt::HighEventPriority);
    } else if (m_redrawing) {
        m_wiped |= m_drawnArea;
    } else {
        requestRepaint(m_drawnArea);
    }
    m_ops.clear();
    m_ops.reserve(drawn); // the next figure is often as large: grown once, not a dozen times
    ++m_revision;
    m_drawnArea = QRect();
    m_settled = QRect();
}

void Canvas::settle() const
{
    if (!m_redrawing)
        return;
    m_redrawing = false;
    const bool same = m_ops == m_shown;
    m_shown.clear();
    if (!same) {
        requestRepaint(m_wiped);
        requestRepaint(m_drawnArea);
    }
    m_settled = m_drawnArea & m_askedArea;
}

void Canvas::setAside(bool aside)
{
    if (aside == m_aside)
        return;
    settle();
    m_aside = aside;
    m_ops.swap(m_asideOps);
    ++m_revision;
    requestRepaint(m_drawnArea);
}

void Canvas::add(Op op)
{
    const QRect area = pixelArea(op);
    m_ops.push_back(std::move(op));
    ++m_revision;
    touch(area);
}

void Canvas::touch(const QRect &area)
{
    // A region's dots fall within its circles, drawn before them: for most of them there is
    // nothing to grow and nothing to ask for.
    if (area.left() >= m_settled.left() && area.right() <= m_settled.right()
        && area.top() >= m_settled.top() && area.bottom() <= m_settled.bottom())
        return;
    m_drawnArea |= area;
    if (m_redrawing) {
        m_settled = m_drawnArea; // asked for, if at all, when the figure settles
        return;
    }
    requestRepaint(area);
    m_settled = m_drawnArea & m_askedArea;
}

QRect Canvas::pixelArea(const Op &op) const
{
    const View view = m_surface ? viewOf(m_surface) : View();
    return areaAt(op, view.zoom).translated(view.origin);
}

QRect Canvas::areaAt(const Op &op, double zoom) const
{
    const double scale = cmToPx(1.0) * zoom;
    const QPointF a = op.a * scale;
    const double fringe = fringeOf(op.width, zoom);
    QRectF area(a, a);
    switch (op.kind) {
    case Op::Point:
        return pointArea(a, fringe);
    case Op::Circle: {
        const double r = std::abs(op.radius) * scale;
        area = QRectF(a.x() - r, a.y() - r, 2 * r, 2 * r);
        break;
    }
    case Op::Segment:
        area = QRectF(a, op.b * scale).normalized();
        break;
    case Op::Text: {
        // Generous all round: bold and italic glyphs may overhang their advance.
        const QFontMetricsF metrics(fontForDevice(zoomedFont(*op.font, zoom), m_surface));
        const double h = metrics.height();
        area = QRectF(a.x() - h, a.y() - h, metrics.horizontalAdvance(op.text) + 2 * h, 3 * h);
        break;
    }
    }
    return area.adjusted(-fringe, -fringe, fringe, fringe).toAlignedRect();
}

void Canvas::requestRepaint(const QRect &area) const
{
    if (!m_surface || area.isEmpty() || m_askedArea.contains(area))
        return;
    // The whole rectangle is asked for, so that everything inside it really is repainted.
    m_askedArea |= area;
    m_surface->update(m_askedArea);
}

void Canvas::point(double x, double y, const QColor &color)
{
    Op &op = m_ops.emplace_back();
    op.kind = Op::Point;
    op.a = QPointF(x, y);
    op.color = color;
    op.width = m_drawWidth;
    ++m_revision;
    if (m_surface && m_viewGeneration != viewGeneration()) {
        m_viewGeneration = viewGeneration();
        m_view = viewOf(m_surface);
    }
    const QPointF centre = op.a * (cmToPx(1.0) * m_view.zoom);
    const double fringe = fringeOf(m_drawWidth, m_view.zoom);
    // touch()'s own test, without building the area: whole-pixel bounds hold a span exactly
    // when they hold its unrounded ends.
    const double x0 = centre.x() + m_view.origin.x(), y0 = centre.y() + m_view.origin.y();
    if (x0 - fringe >= m_settled.left() && x0 + fringe <= m_settled.right() + 1
        && y0 - fringe >= m_settled.top() && y0 + fringe <= m_settled.bottom() + 1)
        return;
    touch(pointArea(centre, fringe).translated(m_view.origin));
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

const Canvas::Dot &Canvas::dotImage(const QPointF &centre, const QColor &color, double width, QPoint *at) const
{
    // The centre in whole pixels and sixteenths.
    static_assert(kDotPhases == 16, "a phase is four bits of each coordinate");
    const qint64 sx = roundToInt(centre.x() * kDotPhases);
    const qint64 sy = roundToInt(centre.y() * kDotPhases);
    const int ix = int(sx >> 4); // rounded down, below zero too
    const int iy = int(sy >> 4);
    const int fx = int(sx & 15);
    const int fy = int(sy & 15);
    const int margin = int(width / 2) + 2;
    // A region's dots share one colour and width: the key part is worked out once for them.
    if (width != m_styleWidth || std::memcmp(&color, &m_styleColor, sizeof color) != 0) {
        m_styleColor = color;
        m_styleWidth = width;
        m_style = (quint64(color.rgba()) << 24) | (quint64(std::lround(width * 16)) << 8);
    }
    const quint64 style = m_style;
    const int phase = fx << 4 | fy;
    *at = QPoint(ix - margin, iy - margin);
    if (style != m_phaseStyle) {
        m_phaseStyle = style;
        m_byPhase.fill(nullptr);
    } else if (const Dot *known = m_byPhase[size_t(phase)]) {
        return *known;
    }
    const quint64 key = style | quint64(phase);
    auto found = m_dotImages.find(key);
    if (found == m_dotImages.end()) {
        // The same antialiased ellipse as the vector path, at this sub-pixel offset.
        QImage dot(2 * margin + 1, 2 * margin + 1, QImage::Format_ARGB32_Premultiplied);
        dot.fill(Qt::transparent);
        QPainter p(&dot);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        p.drawEllipse(QPointF(margin + double(fx) / kDotPhases, margin + double(fy) / kDotPhases),
                      width / 2.0, width / 2.0);
        p.end();
        found = m_dotImages.emplace(key, Dot{dot, Ink(dot)}).first;
    }
    m_byPhase[size_t(phase)] = &found->second;
    return found->second;
}

void Canvas::stampDot(QPainter &painter, const QPointF &centre, const QColor &color, double width) const
{
    QPoint at;
    const Dot &dot = dotImage(centre, color, width, &at);
    painter.drawImage(at, dot.image);
}

void Canvas::stampDots(QPainter &painter, size_t first, size_t last, double zoom) const
{
    // The same dots as at the last repaint (the figure drawn again after Back and Next, or
    // a repaint that does not change it) are drawn from the layers built then.
    const auto from = m_ops.begin() + std::ptrdiff_t(first);
    const auto to = m_ops.begin() + std::ptrdiff_t(last);
    if (zoom != m_layersZoom || !std::equal(from, to, m_layersKey.begin(), m_layersKey.end())) {
        m_layersKey.assign(from, to);
        m_layersZoom = zoom;
        m_layers.clear();
        const double scale = cmToPx(1.0) * zoom;
        std::vector<std::pair<QPoint, const Dot *>> dots;
        dots.reserve(last - first);
        QRect area;
        for (size_t i = first; i < last; ++i) {
            const Op &op = m_ops[i];
            QPoint at;
            const Dot &dot = dotImage(op.a * scale, op.color, qMax(1, op.width) * zoom, &at);
            area |= QRect(at, dot.image.size());
            dots.emplace_back(at, &dot);
        }
        // Each pixel of a layer is one dot's own pixel or nothing, so drawing the layer blends
        // every pixel exactly as drawing that dot would. A dot that would share a pixel with one
        // already in the layer (the point Q on a grid point, say) waits for a fresh layer.
        QImage layer;
        quint32 *bits = nullptr;
        qsizetype stride = 0;
        const auto fresh = [&] {
            layer = QImage(area.size(), QImage::Format_ARGB32_Premultiplied);
            layer.fill(0);
            bits = reinterpret_cast<quint32 *>(layer.bits());
            stride = layer.bytesPerLine() / 4;
        };
        fresh();
        for (const auto &[at, dot] : dots) {
            const qsizetype offset = (at.y() - area.top()) * stride + (at.x() - area.left());
            for (const auto &[p, value] : dot->ink.pixels) {
                if (bits[offset + p.y() * stride + p.x()]) {
                    m_layers.emplace_back(area.topLeft(), layer);
                    fresh();
                    break;
                }
            }
            for (const auto &[p, value] : dot->ink.pixels)
                bits[offset + p.y() * stride + p.x()] = value;
        }
        m_layers.emplace_back(area.topLeft(), layer);
    }
    for (const auto &[at, image] : m_layers)
        drawInBands(painter, at, image);
}

bool Canvas::stampCircle(QPainter &painter, const QPointF &centre, double radius, const QColor &color,
                         double pen, QImage *direct, const QPoint &origin) const
{
    const int margin = int(std::ceil(radius + pen / 2.0)) + 2;
    const int side = 2 * margin + 2;
    if (!(radius > 0) || side > kLargestRing)
        return false;
    // Moved by whole pixels, the same stroke covers each pixel by the same share, and an
    // image of it blends into the page exactly as the stroke would.
    const QPoint whole(int(std::floor(centre.x())), int(std::floor(centre.y())));
    const QPointF phase = centre - QPointF(whole);
    const QRgb rgba = color.rgba();
    auto found = std::find_if(m_rings.begin(), m_rings.end(), [&](const Ring &ring) {
        return ring.phase == phase && ring.radius == radius && ring.pen == pen && ring.color == rgba;
    });
    if (found != m_rings.end()) {
        std::rotate(found, found + 1, m_rings.end());
    } else {
        if (m_rings.size() >= kRingsKept)
            m_rings.erase(m_rings.begin());
        QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(color, pen));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(margin, margin) + phase, radius, radius);
        p.end();
        m_rings.push_back({phase, radius, pen, rgba, image, Ink(image)});
    }
    // On the figure's picture only the stroke's own pixels are blended: a ring's image is
    // mostly transparent, and in full screen each is some 300,000 pixels.
    if (direct)
        m_rings.back().ink.blendInto(reinterpret_cast<quint32 *>(direct->bits()), direct->bytesPerLine() / 4,
                                     direct->size(), whole - QPoint(margin, margin) - origin,
                                     m_picture.ground);
    else
        drawInBands(painter, whole - QPoint(margin, margin), m_rings.back().image);
    return true;
}

void Canvas::paint(QPainter &painter, double zoom, const QColor &ground) const
{
    // The surface's own repaint takes in everything asked for so far.
    if (painter.device() == m_surface) {
        settle(); // a repaint before the figure settled: the screen shows neither figure whole
        m_askedArea = QRect();
        m_settled = QRect();
        // The figure on the surface at another zoom or place (full screen came or went): a
        // wipe must cover it where it now lies.
        const View view = viewOf(m_surface);
        if (!m_ops.empty() && (view.zoom != m_drawnZoom || view.origin != m_drawnOrigin))
            m_drawnArea = figureArea(view.zoom).translated(view.origin);
        m_drawnZoom = view.zoom;
        m_drawnOrigin = view.origin;
    }
    if (m_ops.empty() || paintFromPicture(painter, zoom, ground))
        return;
    drawOps(painter, zoom);
}

QRect Canvas::preparePicture(QPainter &painter, double zoom, const QColor &ground) const
{
    const Picture *picture = currentPicture(painter, zoom, ground);
    return picture ? picture->area : QRect();
}

bool Canvas::paintFromPicture(QPainter &painter, double zoom, const QColor &ground) const
{
    const Picture *picture = currentPicture(painter, zoom, ground);
    if (!picture)
        return false;
    if (!picture->image.isNull())
        drawInBands(painter, picture->area.topLeft(), picture->image);
    return true;
}

const Canvas::Picture *Canvas::currentPicture(QPainter &painter, double zoom, const QColor &ground) const
{
    // Only where the figure's own pixels on this ground are what the surface gets: whole
    // pixels of an opaque image, in its very format.
    if (m_ops.empty() || !ground.isValid() || ground.alpha() != 255 || !drawsWholePixels(painter))
        return nullptr;
    const auto *surface = dynamic_cast<const QImage *>(painter.paintEngine()->paintDevice());
    if (!surface || surface->hasAlphaChannel() || surface->devicePixelRatio() != 1.0)
        return nullptr;
    const QTransform toSurface = painter.deviceTransform();
    const QRect shown = surface->rect().translated(-int(toSurface.dx()), -int(toSurface.dy()));
    Picture &kept = m_picture;
    if (kept.zoom != zoom || kept.ground != ground.rgba() || kept.shown != shown
        || kept.image.format() != surface->format()
        || (kept.revision != m_revision && kept.ops != m_ops)) {
        const QRect area = figureArea(zoom) & shown;
        kept = {m_ops, m_revision, zoom, ground.rgba(), shown, area, {}};
        if (area.isEmpty())
            return &kept;
        kept.image = QImage(area.size(), surface->format());
        const int dotsPerMetre = qRound(m_surface ? m_surface->logicalDpiY() / 0.0254 : 3780.0);
        kept.image.setDotsPerMeterX(dotsPerMetre);
        kept.image.setDotsPerMeterY(dotsPerMetre);
        kept.image.fill(ground);
        QImage *direct = kept.image.format() == QImage::Format_RGB32 ? &kept.image : nullptr;
        if (direct)
            direct->bits(); // its own pixels, before the painter holds them
        QPainter picture(&kept.image);
        picture.translate(-area.topLeft());
        drawOps(picture, zoom, direct, area.topLeft());
    }
    kept.revision = m_revision; // the same figure, whatever was wiped and drawn again
    return &kept;
}

QRect Canvas::figureArea(double zoom) const
{
    // The dots by the box of their centres, with the widest fringe: a region has thousands.
    QRect area;
    double left = 0, top = 0, right = 0, bottom = 0;
    int widest = 0;
    for (const Op &op : m_ops) {
        if (op.kind != Op::Point) {
            area |= areaAt(op, zoom);
            continue;
        }
        if (widest == 0) {
            left = right = op.a.x();
            top = bottom = op.a.y();
        }
        left = std::min(left, op.a.x());
        right = std::max(right, op.a.x());
        top = std::min(top, op.a.y());
        bottom = std::max(bottom, op.a.y());
        widest = std::max(widest, qMax(1, op.width));
    }
    if (widest > 0) {
        const double scale = cmToPx(1.0) * zoom;
        const double fringe = fringeOf(widest, zoom);
        const QRect first = pointArea(QPointF(left, top) * scale, fringe);
        const QRect last = pointArea(QPointF(right, bottom) * scale, fringe);
        area |= first | last;
    }
    return area;
}

void Canvas::blendDots(QImage &image, const QPoint &origin, size_t first, size_t last, double zoom,
                       quint32 ground) const
{
    auto *bits = reinterpret_cast<quint32 *>(image.bits());
    const qsizetype stride = image.bytesPerLine() / 4;
    const double scale = cmToPx(1.0) * zoom;
    for (size_t i = first; i < last; ++i) {
        const Op &op = m_ops[i];
        QPoint at;
        const Dot &dot = dotImage(op.a * scale, op.color, qMax(1, op.width) * zoom, &at);
        dot.ink.blendInto(bits, stride, image.size(), at - origin, ground);
    }
}

Canvas::Ink::Ink(const QImage &stamp)
{
    for (int y = 0; y < stamp.height(); ++y) {
        const auto *row = reinterpret_cast<const quint32 *>(stamp.constScanLine(y));
        for (int x = 0; x < stamp.width(); ++x) {
            if (row[x]) {
                pixels.emplace_back(QPoint(x, y), row[x]);
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
}

void Canvas::Ink::blendInto(quint32 *bits, qsizetype imageStride, const QSize &image, const QPoint &at,
                            quint32 ground) const
{
    const QRect placed = bounds.translated(at);
    if (placed.left() < 0 || placed.top() < 0 || placed.right() >= image.width()
        || placed.bottom() >= image.height()) {
        // Partly off the image: each pixel is checked.
        for (const auto &[p, s] : pixels) {
            const QPoint q = at + p;
            if (q.x() >= 0 && q.y() >= 0 && q.x() < image.width() && q.y() < image.height()) {
                quint32 &d = bits[q.y() * imageStride + q.x()];
                d = over(s, d);
            }
        }
        return;
    }
    if (onGround.empty() || this->ground != ground) {
        this->ground = ground;
        onGround.clear();
        for (const auto &[p, s] : pixels)
            onGround.push_back(over(s, ground));
    }
    if (stride != imageStride) {
        stride = imageStride;
        offsets.clear();
        for (const auto &[p, s] : pixels)
            offsets.push_back(p.y() * stride + p.x());
    }
    quint32 *corner = bits + at.y() * stride + at.x();
    for (size_t k = 0; k < pixels.size(); ++k) {
        quint32 &d = corner[offsets[k]];
        d = d == ground ? onGround[k] : over(pixels[k].second, d);
    }
}

void Canvas::drawOps(QPainter &painter, double zoom, QImage *direct, const QPoint &origin) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const double scale = cmToPx(1.0) * zoom;
    const bool stamping = drawsWholePixels(painter);
    const auto stamped = [stamping, zoom](const Op &op) {
        const double pen = qMax(1, op.width) * zoom;
        return stamping && op.kind == Op::Point && pen > 1 && pen <= kLargestStampedDot;
    };
    for (size_t i = 0; i < m_ops.size(); ++i) {
        const Op &op = m_ops[i];
        const QPointF a = op.a * scale;
        const double pen = qMax(1, op.width) * zoom;
        switch (op.kind) {
        case Op::Point: {
            if (stamped(op)) {
                // A shaded region is some two thousand dots: drawn as one image, not one by one.
                size_t last = i + 1;
                while (last < m_ops.size() && stamped(m_ops[last]))
                    ++last;
                if (direct) {
                    blendDots(*direct, origin, i, last, zoom, m_picture.ground);
                    i = last - 1;
                } else if (last - i > 1) {
                    stampDots(painter, i, last, zoom);
                    i = last - 1;
                } else {
                    stampDot(painter, a, op.color, pen);
                }
                break;
            }
            // Wider points are round dots centred on their point.
            painter.setPen(Qt::NoPen);
            painter.setBrush(op.color);
            if (pen <= 1.0)
                painter.drawRect(QRectF(a.x() - 0.5, a.y() - 0.5, 1.0, 1.0));
            else
                painter.drawEllipse(a, pen / 2.0, pen / 2.0);
            break;
        }
        case Op::Circle:
            // A pen of one pixel is drawn another way, which may touch a pixel twice.
            if (stamping && pen > 1 && stampCircle(painter, a, op.radius * scale, op.color, pen, direct, origin))
                break;
            painter.setPen(QPen(op.color, pen));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(a, op.radius * scale, op.radius * scale);
            break;
        case Op::Segment:
            painter.setPen(QPen(op.color, pen, Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(a, op.b * scale);
            break;
        case Op::Text: {
            const QFont font = fontForDevice(zoomedFont(*op.font, zoom), painter.device());
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
