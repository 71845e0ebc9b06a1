#pragma once

#include "toolkit/printable.h"

#include <QColor>
#include <QFont>
#include <QWidget>

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

signals:
    void clicked();
    void mouseMoved();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QString m_caption;
    Alignment m_alignment = Alignment::Left;
    QColor m_foreColor = Qt::black;
    QColor m_backColor = Qt::white;
    bool m_transparent = true;
    bool m_pressed = false;
    QFont m_font;
};

} // namespace toolkit
