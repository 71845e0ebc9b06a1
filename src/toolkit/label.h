#pragma once

#include "toolkit/printable.h"

#include <QColor>
#include <QFont>
#include <QKeySequence>
#include <QWidget>

class QShortcut;

namespace toolkit {

// A caption word-wrapped at the label's width and clipped at its edges; transparent or
// filled. Raises clicked() for a press and release on it, and mouseMoved() for every
// pointer movement over it (so the movement does not reach the window beneath).
class Label : public QWidget, public Printable
{
    Q_OBJECT

public:
    enum class Alignment { Left, Right, Centre };

    explicit Label(QWidget *parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    void setAlignment(Alignment alignment);
    Alignment alignment() const { return m_alignment; }

    QColor foreColor() const { return m_foreColor; }
    void setForeColor(const QColor &color);
    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor &color);
    bool isTransparent() const { return m_transparent; }
    void setTransparent(bool transparent);

    QFont labelFont() const { return m_font; }
    void setLabelFont(const QFont &font);
    void setFontName(const QString &name);
    void setFontSize(double points);
    void setFontBold(bool bold);
    void setFontUnderline(bool underline);

    void paintTo(QPainter &painter) const override;

    // A label that acts as a button: announced as one to assistive technology, and clicked
    // by its shortcut key or an assistive "press" wherever a pointer could click it.
    void setActsAsButton(const QKeySequence &shortcut);
    bool actsAsButton() const { return m_shortcut != nullptr; }
    QKeySequence shortcutKey() const;
    // Shown and not lying beneath another control (as lblBack lies beneath lblNext).
    bool isReachable() const;
    // A click that does not come from the pointer; ignored where the pointer could not click.
    void activate();

signals:
    void clicked();
    void mouseMoved();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool event(QEvent *event) override;

private:
    void announceUncoveredSiblings() const;

    QString m_caption;
    Alignment m_alignment = Alignment::Left;
    QColor m_foreColor = Qt::black;
    QColor m_backColor = Qt::white;
    bool m_transparent = true;
    bool m_pressed = false;
    QFont m_font;
    QShortcut *m_shortcut = nullptr;
};

} // namespace toolkit
