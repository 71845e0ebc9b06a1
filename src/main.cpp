#include "lesson_window/lesson_window.h"
#include "lesson_window/translation.h"
#include "toolkit/units.h"

#include <QApplication>
#include <QStyleFactory>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "%s\n", qPrintable(lesson::translateEarly("main", QT_TRANSLATE_NOOP("main",
            "tarvolen: no display to open the lesson window on; "
            "run it under a virtual one with: xvfb-run -a tarvolen"))));
        return 1;
    }
    // The layout is fixed in 96-dpi pixels; fonts must agree with it on any screen.
    if (qEnvironmentVariableIsEmpty("QT_FONT_DPI"))
        qputenv("QT_FONT_DPI", "96");

    QApplication app(argc, argv);
    lesson::useLanguage(); // the system's, or English
    QApplication::setApplicationName(QStringLiteral("tarvolen"));
    // No application display name: on X11 Qt appends it to every window title, and the
    // caption must read exactly as designed.

    // The installed menu entry and icon carry the application's id (data/).
    QApplication::setDesktopFileName(QStringLiteral("org.example.tarvolen"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    toolkit::installFontSubstitutions();

    frmTarvolen_300413 window;
    window.show();
    return app.exec();
}
