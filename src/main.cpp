#include "lesson_window/lesson_texts.h"
#include "lesson_window/lesson_window.h"
#include "lesson_window/translation.h"
#include "toolkit/units.h"

#include <QApplication>
#include <QStyleFactory>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

namespace {

// When no platform plugin can start, Qt warns over several lines and then aborts. While the
// application starts, its messages are held back: on that fatal one the learner gets one line
// and status 1, naming the displays tried, or the platform Qt has no plugin for and those it
// has; otherwise they go out as Qt would have sent them.
struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};
std::mutex heldMutex; // Qt may report from its own threads while it starts
std::vector<HeldMessage> heldMessages;
QtMessageHandler qtMessageHandler = nullptr;
const char *programPath = "tarvolen";

// The platform named in one of Qt's messages about loading its plugin.
QString platformIn(const QString &text, QLatin1String prefix)
{
    return text.startsWith(prefix) ? text.mid(prefix.size()).section(QLatin1Char('"'), 0, 0) : QString();
}

void holdOrGiveUp(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    QStringList notFound; // platforms asked for that Qt has no plugin for
    bool foundButFailed = false; // a plugin that loaded but reached no display
    {
        const std::lock_guard<std::mutex> lock(heldMutex);
        if (type != QtFatalMsg) {
            heldMessages.push_back({type, context.category, text});
            return;
        }
        for (const HeldMessage &m : heldMessages) {
            const QString missing = platformIn(m.text, QLatin1String("Could not find the Qt platform plugin \""));
            if (!missing.isEmpty())
                notFound << missing;
            foundButFailed |= m.text.startsWith(QLatin1String("Could not load the Qt platform plugin"));
        }
    }
    const QString program = QString::fromLocal8Bit(programPath);
    QString line;
    if (!notFound.isEmpty() && !foundButFailed) {
        // No display was tried: blaming one would send the learner the wrong way.
        QString available = text.section(QLatin1String("Available platform plugins are: "), 1).trimmed();
        if (available.endsWith(QLatin1Char('.')))
            available.chop(1);
        line = lesson::translateEarly("main", lesson::kNoSuchPlatform)
                   .arg(notFound.join(QLatin1String(", ")), available);
    } else {
        QStringList tried;
        for (const char *name : {"WAYLAND_DISPLAY", "DISPLAY", "QT_QPA_PLATFORM"}) {
            const QString value = qEnvironmentVariable(name);
            tried << QLatin1String(name) + (value.isEmpty() ? QStringLiteral(" not set") : QLatin1Char('=') + value);
        }
        // Looked up only here, unlocked: a start that finds its display pays nothing for it.
        const QString missing = notFound.contains(QLatin1String("wayland")) ? lesson::translateEarly("main", QT_TRANSLATE_NOOP("main",
            "Qt's Wayland plugin is missing (package qt6-wayland); ")) : QString();
        line = lesson::translateEarly("main", QT_TRANSLATE_NOOP("main",
            "tarvolen: no display could be opened for the lesson window (%1); %2run it under a virtual one with: "
            "xvfb-run -a %3")).arg(tried.join(QLatin1String(", ")), missing, program);
    }
    std::fprintf(stderr, "%s\n", qPrintable(line));
    std::fflush(stderr);
    std::_Exit(1);
}

void holdStartMessages(const char *program)
{
    programPath = program;
    qtMessageHandler = qInstallMessageHandler(holdOrGiveUp);
}

void releaseStartMessages()
{
    qInstallMessageHandler(qtMessageHandler);
    const std::lock_guard<std::mutex> lock(heldMutex);
    for (const HeldMessage &message : heldMessages)
        qtMessageHandler(message.type, QMessageLogContext(nullptr, 0, nullptr, message.category.constData()),
                         message.text);
    heldMessages.clear();
}

} // namespace

int main(int argc, char *argv[])
{
    // The layout is fixed in 96-dpi pixels; fonts must agree with it on any screen.
    if (qEnvironmentVariableIsEmpty("QT_FONT_DPI"))
        qputenv("QT_FONT_DPI", "96");

    holdStartMessages(argc > 0 ? argv[0] : "tarvolen");
    QApplication app(argc, argv);
    releaseStartMessages();
    lesson::useLanguage(); // the system's, or English
    QApplication::setApplicationName(QStringLiteral("tarvolen"));
    // No application display name: on X11 Qt appends it to every window title, and the
    // caption must read exactly as designed.

    // The installed menu entry and icon carry the application's id (data/).
    QApplication::setDesktopFileName(QStringLiteral("org.example.tarvolen"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    toolkit::installFontSubstitutions();

    frmTarvolen_300413 window(nullptr, frmTarvolen_300413::Lists::AfterFirstFrame);
    // For a projector: the whole page as large as the screen holds it (F11 and Esc leave).
    window.showOnScreen(QApplication::arguments().contains(QLatin1String("--full-screen")));
    return app.exec();
}
