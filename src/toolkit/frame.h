#pragma once

#include "toolkit/printable.h"

#include <QWidget>

namespace toolkit {

// A borderless container filled with its background colour. Its children are placed
// relative to it and are hidden whenever it is.
class Frame : public QWidget, public Printable
{
    Q_OBJECT

public:
    explicit Frame(QWidget *parent = nullptr);

    void setBackColor(const QColor &color);

    void paintTo(QPainter &painter) const override;

    // A hidden frame takes the keyboard focus away from its children.
    void setVisible(bool visible) override;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// Paints the visible Printable children of a widget and theirs, bottom of the stack first.
void paintChildren(QPainter &painter, const QWidget *parent);

} // namespace toolkit
