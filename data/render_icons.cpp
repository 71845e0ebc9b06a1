// Paints the program's icon with the window's own routine into the hicolor theme, at build
// time, so the installed icons are the window's icon and nothing is kept twice: a PNG for
// each size given, and the SVG for the size "scalable".
// Usage: render_icons <out-dir> <icon-name> <size>...
//   writes <out-dir>/<N>x<N>/apps/<name>.png, or <out-dir>/scalable/apps/<name>.svg

#include "lesson_window/icon.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

namespace {

bool writeSvg(const QString &file)
{
    QSvgGenerator svg;
    svg.setFileName(file);
    // At 96 dpi the 32 units of the icon are 32 pixels to an SVG reader.
    svg.setResolution(96);
    svg.setSize(QSize(32, 32));
    svg.setViewBox(QRectF(0, 0, 32, 32));
    svg.setTitle(QStringLiteral("Tarvolen in a Plane"));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    lesson::paintIcon(painter);
    return painter.end();
}

} // namespace

int main(int argc, char *argv[])
{
    // Runs on build machines without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 4) {
        std::fputs("usage: render_icons <out-dir> <icon-name> <size>...\n", stderr);
        return 2;
    }
    const QDir out(args.at(1));
    for (int i = 3; i < args.size(); ++i) {
        const bool scalable = args.at(i) == QLatin1String("scalable");
        bool ok = false;
        const int size = args.at(i).toInt(&ok);
        if (!scalable && (!ok || size < 1)) {
            std::fprintf(stderr, "render_icons: not a size: %s\n", qPrintable(args.at(i)));
            return 2;
        }
        const QString dir = (scalable ? args.at(i) : QStringLiteral("%1x%1").arg(size))
                            + QLatin1String("/apps");
        const QString file = out.filePath(dir + QLatin1Char('/') + args.at(2)
                                          + QLatin1String(scalable ? ".svg" : ".png"));
        const bool written = out.mkpath(dir)
                             && (scalable ? writeSvg(file) : lesson::iconPixmap(size).save(file, "PNG"));
        if (!written) {
            std::fprintf(stderr, "render_icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
