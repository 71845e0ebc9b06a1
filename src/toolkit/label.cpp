#include "toolkit/label.h"

#include "toolkit/accessibility.h"
#include "toolkit/units.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QShortcut>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace toolkit {

Label::Label(QWidget *parent)
    : QWidget(parent)
{
    // Before anything can ask for this control's interface, which is then kept.
    installAccessibility();
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void Label::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
    // The caption is the label's accessible name; a screen reader must not keep the old one.
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void Label::setAlignment(Alignment alignment)
{
    m_alignment = alignment;
    update();
}

void Label::setForeColor(const QColor &color)
{
    setRoleColor(this, {QPalette::WindowText}, color);
}

void Label::setBackColor(const QColor &color)
{
    setRoleColor(this, {QPalette::Window}, color);
}

void Label::setTransparent(bool transparent)
{
    m_transparent = transparent;
    // A filled label covers its whole rectangle: what lies beneath (Back under Next) need not be painted.
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent);
    update();
}

namespace {

template <typename Change>
void changeFont(QWidget *widget, Change change)
{
    QFont font = widget->font();
    change(font);
    widget->setFont(font);
}

} // namespace

void Label::setFontName(const QString &name)
{
    changeFont(this, [&name](QFont &font) { font.setFamily(name); });
}

void Label::setFontSize(double points)
{
    changeFont(this, [points](QFont &font) { font.setPointSizeF(points); });
}

void Label::setFontBold(bool bold)
{
    changeFont(this, [bold](QFont &font) { font.setBold(bold); });
}

void Label::setFontUnderline(bool underline)
{
    changeFont(this, [underline](QFont &font) { font.setUnderline(underline); });
}

void Label::paintTo(QPainter &painter) const
{
    const QRectF area(0, 0, width(), height());
    painter.save();
    if (!m_transparent)
        painter.fillRect(area, palette().color(QPalette::Window));
    int flags = Qt::AlignTop | Qt::TextWordWrap;
    switch (m_alignment) {
    case Alignment::Left: flags |= Qt::AlignLeft; break;
    case Alignment::Right: flags |= Qt::AlignRight; break;
    case Alignment::Centre: flags |= Qt::AlignHCenter; break;
    }
    painter.setFont(fontForDevice(zoomedFont(font(), viewOf(this).zoom), painter.device()));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(area, flags, m_caption);
    painter.restore();
}

void Label::setActsAsButton(const QKeySequence &shortcut)
{
    if (!m_shortcut) {
        // Owned by the label, so it only fires while the label is shown.
        m_shortcut = new QShortcut(this);
        m_shortcut->setContext(Qt::WindowShortcut);
        connect(m_shortcut, &QShortcut::activated, this, &Label::activate);
    }
    m_shortcut->setKey(shortcut);
}

QKeySequence Label::shortcutKey() const
{
    return m_shortcut ? m_shortcut->key() : QKeySequence();
}

bool Label::isReachable() const
{
    if (!isVisible())
        return false;
    QWidget *top = window();
    return top->childAt(mapTo(top, rect().center())) == this;
}

void Label::activate()
{
    if (isReachable())
        emit clicked();
}

bool Label::event(QEvent *event)
{
    const bool result = QWidget::event(event);
    if ((event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)
        && QAccessible::isActive())
        announceUncoveredSiblings();
    return result;
}

void Label::announceUncoveredSiblings() const
{
    // Showing or hiding a label covers or uncovers the button labels beneath it (Next and
    // Back share one place); they change nothing themselves, so tell screen readers here.
    if (!parentWidget())
        return;
    for (QObject *object : parentWidget()->children()) {
        auto *sibling = qobject_cast<Label *>(object);
        if (!sibling || sibling == this || !sibling->actsAsButton() || sibling->isHidden()
            || !sibling->geometry().intersects(geometry()))
            continue;
        QAccessibleEvent shown(sibling, sibling->isReachable() ? QAccessible::ObjectShow
                                                               : QAccessible::ObjectHide);
        QAccessible::updateAccessibility(&shown);
    }
}

void Label::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    if (!paintAsBefore(painter, event->region()))
        paintTo(painter);
}

namespace {

// The part's pixels of the surface, whose label of that size has its top left at `at`,
// against a label-sized image.
bool samePixelsIn(const QImage &surface, const QRect &label, const QImage &image, const QRegion &part)
{
    if (surface.format() != image.format() || image.size() != label.size())
        return false;
    const int bytesPerPixel = image.depth() / 8;
    for (const QRect &r : part) {
        const size_t bytes = size_t(r.width()) * size_t(bytesPerPixel);
        for (int y = r.top(); y <= r.bottom(); ++y) {
            if (std::memcmp(surface.constScanLine(label.top() + y) + (label.left() + r.left()) * bytesPerPixel,
                            image.constScanLine(y) + r.left() * bytesPerPixel, bytes) != 0)
                return false;
        }
    }
    return true;
}

} // namespace

bool Label::paintAsBefore(QPainter &painter, const QRegion &region)
{
    // A label's pixels follow from what lies beneath it and what it writes there, pixel by
    // pixel. Page turns repaint the labels, whole or in part, over an unchanged ground with
    // unchanged captions: when both are as at a recent whole paint, its pixels are copied
    // instead of the text being laid out and drawn again.
    auto *surface = dynamic_cast<const QImage *>(painter.paintEngine()->paintDevice());
    const QTransform toSurface = painter.deviceTransform();
    if (!surface || surface->devicePixelRatio() != 1.0 || surface->depth() != 32
        || toSurface.type() > QTransform::TxTranslate || toSurface.dx() != std::floor(toSurface.dx())
        || toSurface.dy() != std::floor(toSurface.dy())) {
        m_last.clear();
        return false;
    }
    const QRect onSurface = rect().translated(int(toSurface.dx()), int(toSurface.dy()));
    if (!surface->rect().contains(onSurface)) {
        m_last.clear();
        return false;
    }
    LastPaint now{m_caption, font(), viewOf(this).zoom, palette().color(QPalette::WindowText).rgba(),
                  palette().color(QPalette::Window).rgba(), m_alignment, m_transparent, {}, {}};
    const QRegion part = region & rect();
    const auto same = std::find_if(m_last.begin(), m_last.end(), [&](const LastPaint &last) {
        return now.sameWriting(last) && samePixelsIn(*surface, onSurface, last.ground, part);
    });
    if (same != m_last.end()) {
        // The painter is clipped to the region repainted.
        painter.save();
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, same->result);
        painter.restore();
        std::rotate(same, same + 1, m_last.end());
        return true;
    }
    if (!(QRegion(rect()) - part).isEmpty())
        return false; // only a whole paint is kept
    now.ground = surface->copy(onSurface);
    paintTo(painter);
    now.result = surface->copy(onSurface);
    if (m_last.size() >= 2)
        m_last.erase(m_last.begin());
    m_last.push_back(std::move(now));
    return true;
}

void Label::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void Label::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        emit clicked();
}

void Label::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    emit mouseMoved();
}

} // namespace toolkit
