#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QPoint>
#include <QString>

#include <cstdint>
#include <initializer_list>

class QPaintDevice;
class QWidget;

// The lesson is laid out in twips (1440 per inch) and draws in centimetres, on a
// window designed for 96 dots per inch. Every conversion lives here.
namespace toolkit {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kDesignDpi = 96.0;
constexpr double kTwipsPerPixel = kTwipsPerInch / kDesignDpi; // 15
constexpr double kTwipsPerCm = kTwipsPerInch / 2.54;          // 566.929

constexpr double twipsToPx(double twips) { return twips / kTwipsPerPixel; }
constexpr double cmToPx(double cm) { return cm * kTwipsPerCm / kTwipsPerPixel; }
constexpr double pxToCm(double px) { return px * kTwipsPerPixel / kTwipsPerCm; }

// The page can be shown larger or smaller than designed (full screen, a small screen): one
// zoom and the page's top left per window. Controls keep their design places, which is what
// the lesson reads back; only the pixels those become follow the zoom. Fonts are laid out at
// the zoomed size and lines drawn at it, so nothing is a magnified picture.
struct View
{
    double zoom = 1.0;
    QPoint origin; // of the page in the window
};
View viewOf(const QWidget *widget); // of the widget's window
// Grows with every change of any window's view: a view read since is still true while it holds.
quint64 viewGeneration();
// Re-places every control of the window and tells each Zoomable one.
void setView(QWidget *window, const View &view);
QFont zoomedFont(QFont font, double zoom);
// Scales a design length (pixels) to whole pixels; lines keep at least one pixel.
int zoomedWidth(int pixels, double zoom);

class Zoomable
{
public:
    virtual ~Zoomable() = default;
    virtual void zoomChanged(double zoom) = 0;
};

// Places and sizes of controls: design values in twips, run-time values in centimetres.
void placeTwips(QWidget *widget, int left, int top, int width, int height);
void setTopCm(QWidget *widget, double top);
void moveCm(QWidget *widget, double left, double top);
void setHeightCm(QWidget *widget, double height);

// Colours are written &H00BBGGRR (red in the low byte). &H800000xx names a system colour.
constexpr uint32_t kSystemWindowBackground = 0x80000005;
constexpr uint32_t kSystemWindowText = 0x80000008;
QColor bgr(uint32_t value);
// The widget's palette with `color` in these roles; a palette that has it already is left alone,
// since every change of it repaints and restyles the widget.
void setRoleColor(QWidget *widget, std::initializer_list<QPalette::ColorRole> roles, const QColor &color);

struct FontSpec {
    const char *face;
    double points;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};
QFont makeFont(const FontSpec &design);

// Font sizes are meant in points of the 96-dpi design. Painting on a device of another
// resolution through a painter scaled from design pixels (a printer, a QImage) must not
// apply that device's resolution a second time.
QFont fontForDevice(QFont font, const QPaintDevice *device);

// The design names fonts of another platform; these are their metric twins here.
void installFontSubstitutions();

} // namespace toolkit
