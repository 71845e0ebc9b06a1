#include "lesson_window/lesson_window.h"
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

// When no platform plugin can connect, Qt warns over several lines and then aborts. While the
// application starts, its messages are held back: on that fatal one the learner gets one line
// naming the displays tried and status 1; otherwise they go out as Qt would have sent them.
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

void holdOrGiveUp(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    const std::lock_guard<std::mutex> lock(heldMutex);
    if (type != QtFatalMsg) {
        heldMessages.push_back({type, context.category, text});
        return;
    }
    std::string tried;
    for (const char *name : {"WAYLAND_DISPLAY", "DISPLAY", "QT_QPA_PLATFORM"}) {
        const QByteArray value = qgetenv(name);
        tried += (tried.empty() ? "" : ", ") + std::string(name)
            + (value.isEmpty() ? " not set" : "=" + value.toStdString());
    }
    const bool noWaylandPlugin = std::any_of(heldMessages.begin(), heldMessages.end(), [](const HeldMessage &m) {
        return m.text.startsWith(QLatin1String("Could not find the Qt platform plugin \"wayland\""));
    });
    std::fprintf(stderr,
                 "tarvolen: no display could be opened for the lesson window (%s); %srun it under "
                 "a virtual one with: xvfb-run -a %s\n",
                 tried.c_str(), noWaylandPlugin ? "Qt's Wayland plugin is missing (package qt6-wayland); " : "",
                 programPath);
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
