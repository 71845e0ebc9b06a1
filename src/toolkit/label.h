#pragma once

#include "toolkit/printable.h"

#include <QFont>
#include <QImage>
#include <QKeySequence>
#include <QWidget>

#include <vector>

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

    // The caption in the widget's font, in its palette's WindowText on its Window colour.
    void setForeColor(const QColor &color);
    void setBackColor(const QColor &color);
    void setTransparent(bool transparent);
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
    // Copies the pixels of one of the last whole paints when they would come out the same;
    // false where it cannot tell.
    bool paintAsBefore(QPainter &painter, const QRegion &region);

    QString m_caption;
    Alignment m_alignment = Alignment::Left;
    bool m_transparent = true;
    bool m_pressed = false;
    QShortcut *m_shortcut = nullptr;
    // What a whole paint wrote, on what ground, and the pixels that came of it.
    struct LastPaint
    {
        QString caption;
        QFont font;
        double zoom = 0.0;
        QRgb text = 0;
        QRgb back = 0;
        Alignment alignment = Alignment::Left;
        bool transparent = true;
        QImage ground;
        QImage result;
        bool sameWriting(const LastPaint &o) const
        {
            return caption == o.caption && zoom == o.zoom && text == o.text && back == o.back
                   && alignment == o.alignment && transparent == o.transparent && font == o.font;
        }
    };
    // The last two, most recent last: page turns change a heading and back again.
    std::vector<LastPaint> m_last;
};

} // namespace toolkit
