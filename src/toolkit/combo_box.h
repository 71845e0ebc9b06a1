#pragma once

#include "toolkit/printable.h"
#include "toolkit/units.h"

#include <QComboBox>

#include <functional>
#include <optional>

namespace toolkit {

// An editable drop-down list. selected() is the lesson's selection event: raised for every
// change of the selected item made with the list, the arrow keys or the mouse wheel (and for
// a click on the item already selected), and for typed text once it is committed and names
// an item.
//
// Typed text stays the learner's draft until it is committed: by Enter, or by leaving the
// list (Tab, a click elsewhere, a button's shortcut). A draft whose reading is an item's
// becomes that item, in the item's own spelling; any other is dropped, and the list shows
// again what it showed before (Escape drops it too). text() is always the committed text.
class ComboBox : public QComboBox, public Printable, public Zoomable
{
    Q_OBJECT

public:
    // The number a text stands for, or none.
    using Reading = std::function<std::optional<int>(const QString &)>;

    // With its font from the start: the edit field is then laid out once, in that font,
    // rather than in the default font first and again when the font is set.
    ComboBox(const QFont &font, QWidget *parent);

    // The chosen item, or the placeholder until one is chosen; never a draft.
    QString text() const { return m_committed; }
    void setText(const QString &text);
    // Typed text not yet committed is shown.
    bool hasDraft() const;
    // How a draft is matched with the items; without one only an item's exact text is.
    void setReading(Reading reading) { m_reading = std::move(reading); }

    // Appends to the list without disturbing the text shown.
    void appendItem(const QString &item);

    void setBackColor(const QColor &color);

    void paintTo(QPainter &painter) const override;
    // The edit field and the opened list's items take the zoomed font.
    void zoomChanged(double zoom) override;

signals:
    void selected();
    // A draft was begun, changed, committed or dropped.
    void draftChanged();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void setUp();
    void commitDraft();
    void dropDraft();
    int itemFor(const QString &typed) const;

    QFont m_designFont;
    QColor m_backColor;
    bool m_backColorSet = false; // until then the style's own look
    QString m_committed;
    Reading m_reading;
};

} // namespace toolkit
