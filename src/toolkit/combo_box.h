#pragma once

#include "toolkit/printable.h"
#include "toolkit/units.h"

#include <QComboBox>

namespace toolkit {

// An editable drop-down list. selected() is the lesson's selection event: raised for every
// change of the selected item made with the list, the arrow keys or the mouse wheel (and for
// a click on the item already selected), never for anything typed into the edit field.
class ComboBox : public QComboBox, public Printable, public Zoomable
{
    Q_OBJECT

public:
    explicit ComboBox(QWidget *parent = nullptr);
    // With its font from the start: the edit field is then laid out once, in that font,
    // rather than in the default font first and again when the font is set.
    ComboBox(const QFont &font, QWidget *parent);

    // The text shown in the edit field (a placeholder, a chosen item or typed text).
    QString text() const { return currentText(); }
    void setText(const QString &text);

    // Appends to the list without disturbing the text shown.
    void appendItem(const QString &item);

    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor &color);

    void paintTo(QPainter &painter) const override;
    // The edit field and the opened list's items take the zoomed font.
    void zoomChanged(double zoom) override;

signals:
    void selected();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void setUp();
    void onActivated();

    QFont m_designFont;
    QColor m_backColor;
    bool m_backColorSet = false; // until then the style's own look

    // Qt commits typed text that matches an item (Enter, leaving the box) through the same
    // signal as a real choice; those commits are not selections.
    bool m_committingTypedText = false;
};

} // namespace toolkit
