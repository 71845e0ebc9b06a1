#include "toolkit/rich_text_box.h"

#include "toolkit/accessibility.h"
#include "toolkit/units.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

namespace toolkit {

namespace {

// The lowering asked for, in twips, rides along in the format; Qt wants it as a percentage
// of the character's own font height, which changes when the size does.
constexpr int kOffsetTwipsProperty = QTextFormat::UserProperty + 1;
constexpr int kDocumentMargin = 2;

class EmphasisMark : public QWidget
{
public:
    explicit EmphasisMark(QWidget *parent)
        : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

} // namespace

RichTextBox::RichTextBox(QWidget *parent)
    : QTextEdit(parent)
{
    // Before anything can ask for this control's interface, which is then kept.
    installAccessibility();
    setReadOnly(true);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setFocusPolicy(Qt::NoFocus);
    setFrameStyle(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUndoRedoEnabled(false);
    // One line per box: a sentence wider than its box is cut at the edge, never wrapped.
    setLineWrapMode(QTextEdit::NoWrap);
    document()->setDocumentMargin(kDocumentMargin);
    viewport()->setMouseTracking(true);
    viewport()->setCursor(Qt::ArrowCursor);
    m_cursor = QTextCursor(document());
    connect(document(), &QTextDocument::contentsChange, this, [this] { ++m_revision; });
    m_backColor = palette().color(QPalette::Base);
    m_emphasisMark = new EmphasisMark(this);
    m_emphasisMark->hide();
}

void RichTextBox::setText(const QString &text)
{
    document()->setPlainText(text);
    m_cursor = QTextCursor(document());
    // The view follows Qt's own caret; keep it at the start so the sentence shows from its
    // first character.
    moveCursor(QTextCursor::Start);
    horizontalScrollBar()->setValue(0);
    // The sentence is the box's accessible name (toolkit/accessibility.cpp).
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

RichTextBox::Batch::Batch(RichTextBox *box)
    : m_block(box->document())
{
    m_block.beginEditBlock();
}

RichTextBox::Batch::~Batch()
{
    m_block.endEditBlock();
}

void RichTextBox::markCheckpoint()
{
    m_checkpointRevision = m_revision;
    m_checkpointSelection = m_cursor;
}

bool RichTextBox::backToCheckpoint()
{
    if (m_checkpointSelection.isNull() || m_revision != m_checkpointRevision)
        return false;
    m_cursor = m_checkpointSelection;
    return true;
}

QString RichTextBox::text() const
{
    return document()->toPlainText();
}

void RichTextBox::setSelStart(int position)
{
    m_cursor.setPosition(qBound(0, position, document()->characterCount() - 1));
}

bool RichTextBox::find(const QString &text)
{
    const QTextCursor match =
        document()->find(text, m_cursor.selectionStart(), QTextDocument::FindCaseSensitively);
    if (match.isNull())
        return false;
    m_cursor = match;
    return true;
}

void RichTextBox::upTo(const QString &characters)
{
    const QString all = text();
    int position = m_cursor.selectionStart();
    while (position < all.size() && !characters.contains(all.at(position)))
        ++position;
    m_cursor.setPosition(position);
}

void RichTextBox::span(const QString &characters)
{
    const QString all = text();
    const int anchor = m_cursor.position();
    int end = anchor;
    while (end < all.size() && characters.contains(all.at(end)))
        ++end;
    m_cursor.setPosition(anchor);
    m_cursor.setPosition(end, QTextCursor::KeepAnchor);
}

void RichTextBox::mergeSelectionFormat(const QTextCharFormat &format)
{
    m_cursor.mergeCharFormat(format);
}

void RichTextBox::setSelColor(const QColor &color)
{
    QTextCharFormat format;
    format.setForeground(color);
    mergeSelectionFormat(format);
}

void RichTextBox::setSelFontSize(double points)
{
    QTextCharFormat format;
    format.setFontPointSize(points);
    mergeSelectionFormat(format);
    refreshBaselineOffsets();
}

void RichTextBox::setSelCharOffset(int twips)
{
    QTextCharFormat format;
    format.setProperty(kOffsetTwipsProperty, twips);
    mergeSelectionFormat(format);
    refreshBaselineOffsets();
}

void RichTextBox::setSelBold(bool bold)
{
    QTextCharFormat format;
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    mergeSelectionFormat(format);
}

void RichTextBox::setSelAlignment(Qt::Alignment alignment)
{
    QTextBlockFormat format;
    format.setAlignment(alignment);
    m_cursor.mergeBlockFormat(format);
    // Without wrapping, QTextEdit lays out a document that had no aligned paragraph at its
    // last relayout against a width of 0, where centring moves nothing: give it the box's.
    document()->setPageSize(QSizeF(viewport()->width(), -1));
}

void RichTextBox::refreshBaselineOffsets()
{
    if (!m_cursor.hasSelection())
        return;
    const int start = m_cursor.selectionStart();
    const int end = m_cursor.selectionEnd();
    for (QTextBlock block = document()->findBlock(start); block.isValid() && block.position() < end;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int from = qMax(start, fragment.position());
            const int to = qMin(end, fragment.position() + fragment.length());
            if (from >= to)
                continue;
            const QTextCharFormat current = fragment.charFormat();
            if (!current.hasProperty(kOffsetTwipsProperty))
                continue;
            const double twips = current.property(kOffsetTwipsProperty).toDouble();
            QFont font = current.font().resolve(document()->defaultFont());
            const QFontMetricsF metrics(font);
            const double height = metrics.ascent() + metrics.descent();
            const double offsetPx = twips / kTwipsPerPixel;
            QTextCharFormat format;
            format.setBaselineOffset(height > 0 ? 100.0 * offsetPx / height : 0.0);
            QTextCursor part(document());
            part.setPosition(from);
            part.setPosition(to, QTextCursor::KeepAnchor);
            part.mergeCharFormat(format);
        }
    }
}

QTextCharFormat RichTextBox::charFormatAt(int position) const
{
    QTextCursor probe(document());
    probe.setPosition(position);
    probe.setPosition(position + 1, QTextCursor::KeepAnchor);
    return probe.charFormat();
}

double RichTextBox::charOffsetTwipsAt(int position) const
{
    return charFormatAt(position).property(kOffsetTwipsProperty).toDouble();
}

void RichTextBox::setEmphasis(bool on)
{
    m_emphasis = on;
    m_emphasisMark->setVisible(on);
    if (on)
        m_emphasisMark->raise();
}

void RichTextBox::setBackColor(const QColor &color)
{
    if (color == m_backColor)
        return;
    m_backColor = color;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, color);
    pal.setColor(QPalette::Window, color);
    setPalette(pal);
}

void RichTextBox::paintTo(QPainter &painter) const
{
    const QRectF area(0, 0, width(), height());
    painter.save();
    painter.setClipRect(area, Qt::IntersectClip);
    painter.fillRect(area, m_backColor);
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette = palette();
    context.clip = area;
    document()->documentLayout()->draw(&painter, context);
    if (m_emphasis) {
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(area.adjusted(0.5, 0.5, -0.5, -0.5));
    }
    painter.restore();
}

void RichTextBox::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    emit mouseMoved();
}

void RichTextBox::resizeEvent(QResizeEvent *event)
{
    QTextEdit::resizeEvent(event);
    m_emphasisMark->setGeometry(rect());
}

} // namespace toolkit
