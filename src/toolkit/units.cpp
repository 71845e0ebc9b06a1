#include "toolkit/units.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QPaintDevice>
#include <QPalette>
#include <QVariant>
#include <QWidget>

#include <cmath>

namespace toolkit {

namespace {

int twipsToPixel(int twips)
{
    return int(std::lround(twipsToPx(twips)));
}

int cmToPixel(double cm)
{
    return int(std::lround(cmToPx(cm)));
}

const char kDesignGeometry[] = "designGeometry";

// By window. Read for every dot of a shaded region: a property looked up by name costs more
// than drawing the dot.
QHash<const QWidget *, View> &views()
{
    static QHash<const QWidget *, View> byWindow;
    return byWindow;
}

quint64 &generation()
{
    static quint64 changes = 0;
    return changes;
}

QRect designGeometry(const QWidget *widget)
{
    const QVariant stored = widget->property(kDesignGeometry);
    return stored.isValid() ? stored.toRect() : widget->geometry();
}

// Edges are rounded, not sizes, so that controls that meet in the design still meet.
void applyGeometry(QWidget *widget, const QRect &design, const View &view)
{
    const double z = view.zoom;
    const int left = int(std::lround(design.x() * z));
    const int top = int(std::lround(design.y() * z));
    const int right = int(std::lround((design.x() + design.width()) * z));
    const int bottom = int(std::lround((design.y() + design.height()) * z));
    const QWidget *parent = widget->parentWidget();
    const QPoint origin = parent && parent->isWindow() ? view.origin : QPoint();
    widget->setGeometry(QRect(left, top, right - left, bottom - top).translated(origin));
}

void setDesignGeometry(QWidget *widget, const QRect &design)
{
    widget->setProperty(kDesignGeometry, design);
    applyGeometry(widget, design, viewOf(widget));
}

} // namespace

View viewOf(const QWidget *widget)
{
    return views().value(widget->window());
}

quint64 viewGeneration()
{
    return generation();
}

void setView(QWidget *window, const View &view)
{
    if (!views().contains(window))
        QObject::connect(window, &QObject::destroyed, [window] {
            views().remove(window);
            ++generation();
        });
    views().insert(window, view);
    ++generation();
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (widget->isWindow())
            continue;
        const QVariant design = widget->property(kDesignGeometry);
        if (design.isValid())
            applyGeometry(widget, design.toRect(), view);
        if (auto *zoomable = dynamic_cast<Zoomable *>(widget))
            zoomable->zoomChanged(view.zoom);
    }
    window->update();
}

QFont zoomedFont(QFont font, double zoom)
{
    if (zoom != 1.0 && font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * zoom);
    return font;
}

int zoomedWidth(int pixels, double zoom)
{
    return qMax(1, int(std::lround(pixels * zoom)));
}

void placeTwips(QWidget *widget, int left, int top, int width, int height)
{
    setDesignGeometry(widget, QRect(twipsToPixel(left), twipsToPixel(top), twipsToPixel(width), twipsToPixel(height)));
}

void setTopCm(QWidget *widget, double top)
{
    QRect design = designGeometry(widget);
    design.moveTop(cmToPixel(top));
    setDesignGeometry(widget, design);
}

void moveCm(QWidget *widget, double left, double top)
{
    QRect design = designGeometry(widget);
    design.moveTo(cmToPixel(left), cmToPixel(top));
    setDesignGeometry(widget, design);
}

void setHeightCm(QWidget *widget, double height)
{
    QRect design = designGeometry(widget);
    design.setHeight(cmToPixel(height));
    setDesignGeometry(widget, design);
}

void setRoleColor(QWidget *widget, std::initializer_list<QPalette::ColorRole> roles, const QColor &color)
{
    QPalette palette = widget->palette();
    for (const QPalette::ColorRole role : roles)
        palette.setColor(role, color);
    if (palette != widget->palette())
        widget->setPalette(palette);
}

QColor bgr(uint32_t value)
{
    if (value & 0x80000000u) {
        const QPalette palette = QGuiApplication::palette();
        switch (value) {
        case kSystemWindowBackground:
            return palette.color(QPalette::Base);
        case kSystemWindowText:
        default:
            return palette.color(QPalette::Text);
        }
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

QFont makeFont(const FontSpec &design)
{
    // Asked for a family it lacks, Qt first searches fontconfig's fallbacks for it, which costs
    // as much as loading the font, and then takes the substitute anyway: name the substitute
    // at once. Looked up once per face.
    static QHash<QString, QString> families;
    const QString face = QString::fromLatin1(design.face);
    auto family = families.constFind(face);
    if (family == families.cend()) {
        const bool installed = QFontDatabase::families().contains(face, Qt::CaseInsensitive);
        family = families.insert(face, installed ? face : QFont::substitute(face));
    }
    QFont font(*family);
    font.setPointSizeF(design.points);
    font.setBold(design.bold);
    font.setItalic(design.italic);
    font.setUnderline(design.underline);
    return font;
}

QFont fontForDevice(QFont font, const QPaintDevice *device)
{
    if (!device)
        return font;
    const int dpi = device->logicalDpiY();
    if (dpi > 0 && dpi != int(kDesignDpi) && font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * kDesignDpi / dpi);
    return font;
}

void installFontSubstitutions()
{
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Trebuchet MS"), QStringLiteral("Liberation Sans"));
}

} // namespace toolkit
