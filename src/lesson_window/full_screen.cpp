// Full screen for a projector, and a page scaled down on a screen too small for it: the
// window's size decides one zoom for the whole page, which the toolkit applies wherever
// design units become pixels (toolkit/units.h).

#include "lesson_window/lesson_window.h"

#include "toolkit/units.h"

#include <QResizeEvent>
#include <QScreen>
#include <QShortcut>

#include <cmath>

using namespace toolkit;

void frmTarvolen_300413::setUpFullScreen()
{
    auto *toggle = new QShortcut(QKeySequence(Qt::Key_F11), this);
    connect(toggle, &QShortcut::activated, this, &frmTarvolen_300413::toggleFullScreen);
    // An opened list is a window of its own: there Esc closes the list, not full screen.
    auto *leave = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(leave, &QShortcut::activated, this, &frmTarvolen_300413::leaveFullScreen);
}

void frmTarvolen_300413::showOnScreen(bool fullScreen)
{
    m_fitsScreen = true;
    fitIntoScreen();
    if (fullScreen) {
        toggleFullScreen();
        return;
    }
    show();
    fitIntoScreen(); // again with the frame, where the platform knows it by now
}

void frmTarvolen_300413::toggleFullScreen()
{
    if (isFullScreen()) {
        leaveFullScreen();
        return;
    }
    // A window that starts full screen has no place of its own yet: the window manager gives one.
    m_normalPlaced = isVisible();
    m_normalPlace = geometry().topLeft();
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    showFullScreen();
    // Where no window manager takes the request (a bare X server, a kiosk), fill the screen
    // ourselves; a window manager that does gives the same place.
    if (screen())
        setGeometry(screen()->geometry());
}

void frmTarvolen_300413::leaveFullScreen()
{
    if (!isFullScreen())
        return;
    showNormal();
    setFixedSize(m_normalSize);
    if (m_normalPlaced && geometry().topLeft() != m_normalPlace)
        setGeometry(QRect(m_normalPlace, m_normalSize));
}

void frmTarvolen_300413::fitIntoScreen()
{
    if (!screen() || isFullScreen())
        return;
    // The frame is known only once a window manager has framed the shown window.
    const QRect outer = frameGeometry();
    const QSize frame = outer.size() - geometry().size();
    const QRect available = screen()->availableGeometry();
    const double zoom = qMin(1.0, qMin((available.width() - frame.width()) / double(kClientWidth),
                                       (available.height() - frame.height()) / double(kClientHeight)));
    const QSize size(int(std::lround(kClientWidth * zoom)), int(std::lround(kClientHeight * zoom)));
    if (size != m_normalSize) {
        m_normalSize = size;
        setFixedSize(size);
    }
    if (zoom < 1.0 && !available.contains(QRect(outer.topLeft(), size + frame)))
        move(qBound(available.left(), outer.x(), available.right() + 1 - size.width() - frame.width()),
             qBound(available.top(), outer.y(), available.bottom() + 1 - size.height() - frame.height()));
    if (frame.width() > 0 || frame.height() > 0)
        m_fitsScreen = false;
}

void frmTarvolen_300413::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    if (m_fitsScreen && isVisible())
        fitIntoScreen();
}

void frmTarvolen_300413::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The largest page the window holds, the same zoom across and down, centred; the margins
    // are the window's own pale green.
    const double zoom = qMin(width() / double(kClientWidth), height() / double(kClientHeight));
    const QPoint origin(int(std::lround((width() - kClientWidth * zoom) / 2)),
                        int(std::lround((height() - kClientHeight * zoom) / 2)));
    const View shown = viewOf(this);
    if (zoom == shown.zoom && origin == shown.origin)
        return;
    setView(this, {zoom, origin});
    setHandCursors(zoom);
}
