#include "toolkit/combo_box.h"

#include "toolkit/units.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <cmath>

namespace toolkit {

ComboBox::ComboBox(const QFont &font, QWidget *parent)
    : QComboBox(parent)
{
    setFont(font);
    m_designFont = font;
    setUp();
}

void ComboBox::zoomChanged(double zoom)
{
    setFont(zoomedFont(m_designFont, zoom));
}

namespace {

// A list holding a draft watches the whole application: a click elsewhere or a button's
// shortcut is leaving the list, and commits the draft before the click or the button acts.
class LeaveWatcher : public QObject
{
public:
    LeaveWatcher(ComboBox *list, std::function<void()> commit)
        : QObject(list), m_list(list), m_commit(std::move(commit))
    {
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const bool press = event->type() == QEvent::MouseButtonPress;
        if ((press || event->type() == QEvent::Shortcut) && m_list->hasDraft()) {
            auto *widget = qobject_cast<QWidget *>(watched);
            if (!press || !widget || !(widget == m_list || m_list->isAncestorOf(widget)))
                m_commit();
        }
        return false;
    }

private:
    ComboBox *m_list;
    std::function<void()> m_commit;
};

} // namespace

void ComboBox::setUp()
{
    setEditable(true);
    // The box paints its background colour itself, beneath a see-through edit field: a new
    // palette at every blink tick would make the style cache a new bitmap under a new key
    // each time, and the cache would grow for as long as the list blinks.
    QPalette clear = lineEdit()->palette();
    clear.setColor(QPalette::Base, Qt::transparent);
    lineEdit()->setPalette(clear);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setMaxVisibleItems(13);
    m_backColor = palette().color(QPalette::Base);
    connect(this, &QComboBox::activated, this, &ComboBox::selected);
    // A new item puts its text in the field: that is what the list has chosen now.
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0)
            return;
        m_committed = itemText(index);
        emit draftChanged();
    });
    connect(lineEdit(), &QLineEdit::textEdited, this, &ComboBox::draftChanged);
    // Qt would match the text with an item on its own terms whenever the field loses the focus,
    // the window's closing included; the list commits its drafts itself.
    QObject::disconnect(lineEdit(), SIGNAL(editingFinished()), this, nullptr);
    new LeaveWatcher(this, [this] { commitDraft(); });
}

void ComboBox::setText(const QString &text)
{
    setEditText(text);
    m_committed = text;
}

bool ComboBox::hasDraft() const
{
    return lineEdit()->text() != m_committed;
}

int ComboBox::itemFor(const QString &typed) const
{
    if (!m_reading)
        return findText(typed, Qt::MatchExactly);
    const std::optional<int> wanted = m_reading(typed);
    for (int i = 0; wanted && i < count(); ++i)
        if (m_reading(itemText(i)) == wanted)
            return i;
    return -1;
}

void ComboBox::commitDraft()
{
    if (!hasDraft())
        return;
    const int index = itemFor(lineEdit()->text());
    if (index < 0)
        return dropDraft();
    setCurrentIndex(index);
    // In the item's own spelling, also where that item was chosen already.
    m_committed = itemText(index);
    setEditText(m_committed);
    emit draftChanged();
    emit selected();
}

void ComboBox::dropDraft()
{
    if (!hasDraft())
        return;
    setEditText(m_committed);
    emit draftChanged();
}

void ComboBox::appendItem(const QString &item)
{
    const bool nothingSelected = currentIndex() < 0;
    const QString shown = currentText();
    addItem(item);
    if (nothingSelected && currentIndex() >= 0) {
        setCurrentIndex(-1);
        setText(shown);
    }
}

void ComboBox::setBackColor(const QColor &color)
{
    if (color == m_backColor && m_backColorSet)
        return;
    m_backColor = color;
    m_backColorSet = true;
    update();
}

void ComboBox::paintEvent(QPaintEvent *event)
{
    QComboBox::paintEvent(event);
    if (!m_backColorSet)
        return;
    QStyleOptionComboBox option;
    initStyleOption(&option);
    QPainter painter(this);
    painter.fillRect(style()->subControlRect(QStyle::CC_ComboBox, &option,
                                             QStyle::SC_ComboBoxEditField, this),
                     m_backColor);
}

bool ComboBox::event(QEvent *event)
{
    // Escape drops a draft before the window may take it as a shortcut (leaving full screen).
    if (event->type() == QEvent::ShortcutOverride && hasDraft()
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    return QComboBox::event(event);
}

void ComboBox::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return commitDraft();
    case Qt::Key_Tab: // leaving, even where no other control takes the focus
    case Qt::Key_Backtab:
        commitDraft();
        break;
    case Qt::Key_Escape:
        if (hasDraft())
            return dropDraft();
        break;
    case Qt::Key_Up: // with Alt: open the list
    case Qt::Key_Down:
        break;
    default:
        // Alt with a key is a button's shortcut: a shown button's is taken before it gets
        // here, and a hidden one's must not type its letter.
        if (event->modifiers() & Qt::AltModifier)
            return event->ignore();
    }
    QComboBox::keyPressEvent(event);
}

void ComboBox::focusOutEvent(QFocusEvent *event)
{
    // Opening its own list or a menu, or another window coming to the front, is no leaving; a
    // list hidden with its page keeps nothing of a draft.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason) {
        if (isVisible())
            commitDraft();
        else
            dropDraft();
    }
    QComboBox::focusOutEvent(event);
}

void ComboBox::paintTo(QPainter &painter) const
{
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.rect = QRect(0, 0, width(), height());
    option.palette.setColor(QPalette::Base, m_backColor);
    option.palette.setColor(QPalette::Button, m_backColor);
    painter.save();
    // The style draws a combo box from a bitmap cached at the device's pixel ratio: on a
    // printer that is a 96-dpi picture scaled up. Draw it at the resolution it lands on.
    const double scale = std::sqrt(std::abs(painter.deviceTransform().determinant()));
    if (scale > 1.0) {
        QImage image(QSize(width(), height()) * scale, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(scale);
        image.fill(Qt::transparent);
        QPainter sharp(&image);
        style()->drawComplexControl(QStyle::CC_ComboBox, &option, &sharp, this);
        sharp.end();
        painter.drawImage(QRectF(0, 0, width(), height()), image);
    } else {
        style()->drawComplexControl(QStyle::CC_ComboBox, &option, &painter, this);
    }
    const QRect textArea = style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                   QStyle::SC_ComboBoxEditField, this);
    painter.setFont(fontForDevice(font(), painter.device()));
    painter.setPen(option.palette.color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                        QPalette::Text));
    painter.drawText(textArea.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, currentText());
    painter.restore();
}

} // namespace toolkit
