#include "toolkit/combo_box.h"

#include "toolkit/units.h"

#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScopedValueRollback>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <cmath>

namespace toolkit {

ComboBox::ComboBox(QWidget *parent)
    : QComboBox(parent)
{
    m_designFont = font();
    setUp();
}

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
    connect(this, &QComboBox::activated, this, &ComboBox::onActivated);
}

void ComboBox::setText(const QString &text)
{
    setEditText(text);
}

void ComboBox::appendItem(const QString &item)
{
    const bool nothingSelected = currentIndex() < 0;
    const QString shown = currentText();
    addItem(item);
    if (nothingSelected && currentIndex() >= 0) {
        setCurrentIndex(-1);
        setEditText(shown);
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

void ComboBox::keyPressEvent(QKeyEvent *event)
{
    const bool commits = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    QScopedValueRollback<bool> guard(m_committingTypedText, m_committingTypedText || commits);
    QComboBox::keyPressEvent(event);
}

void ComboBox::focusOutEvent(QFocusEvent *event)
{
    QScopedValueRollback<bool> guard(m_committingTypedText, true);
    QComboBox::focusOutEvent(event);
}

void ComboBox::onActivated()
{
    if (!m_committingTypedText)
        emit selected();
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
