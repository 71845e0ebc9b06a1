// Paints the program's icon with its own routine into the PNG sizes of the hicolor theme,
// at build time, so the installed icons are the window's icon and nothing is kept twice.
// Usage: render_icons <out-dir> <icon-name> <size>...   writes <out-dir>/<N>x<N>/apps/<name>.png

#include "toolkit/art.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>

#include <cstdio>

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
        bool ok = false;
        const int size = args.at(i).toInt(&ok);
        if (!ok || size < 1) {
            std::fprintf(stderr, "render_icons: not a size: %s\n", qPrintable(args.at(i)));
            return 2;
        }
        const QString dir = QStringLiteral("%1x%1/apps").arg(size);
        const QString file = out.filePath(dir + QLatin1Char('/') + args.at(2) + QLatin1String(".png"));
        if (!out.mkpath(dir) || !toolkit::iconPixmap(size).save(file, "PNG")) {
            std::fprintf(stderr, "render_icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
