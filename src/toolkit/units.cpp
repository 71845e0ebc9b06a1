#include "toolkit/units.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QPaintDevice>
#include <QPalette>
#include <QWidget>

#include <cmath>

namespace toolkit {

int twipsToPixel(int twips)
{
    return int(std::lround(twipsToPx(twips)));
}

int cmToPixel(double cm)
{
    return int(std::lround(cmToPx(cm)));
}

void placeTwips(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(twipsToPixel(left), twipsToPixel(top), twipsToPixel(width), twipsToPixel(height));
}

void setLeftCm(QWidget *widget, double left)
{
    widget->move(cmToPixel(left), widget->y());
}

void setTopCm(QWidget *widget, double top)
{
    widget->move(widget->x(), cmToPixel(top));
}

void moveCm(QWidget *widget, double left, double top)
{
    widget->move(cmToPixel(left), cmToPixel(top));
}

void setHeightCm(QWidget *widget, double height)
{
    widget->resize(widget->width(), cmToPixel(height));
}

double leftCm(const QWidget *widget)
{
    return pxToCm(widget->x());
}

double topCm(const QWidget *widget)
{
    return pxToCm(widget->y());
}

double heightCm(const QWidget *widget)
{
    return pxToCm(widget->height());
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
