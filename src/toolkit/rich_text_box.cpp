#include "toolkit/rich_text_box.h"

#include "toolkit/accessibility.h"
#include "toolkit/units.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QTextBlock>
#include <QTextLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <vector>

namespace toolkit {

namespace {

// The lowering asked for, in twips, rides along in the format; Qt wants it as a percentage
// of the character's own font height, which changes when the size does.
constexpr int kOffsetTwipsProperty = QTextFormat::UserProperty + 1;
// The size asked for, in design points; the format holds it at the box's zoom.
constexpr int kDesignPointsProperty = QTextFormat::UserProperty + 2;
constexpr int kDocumentMargin = 2;
constexpr size_t kPicturesKept = 3;

} // namespace

RichTextBox::RichTextBox(QWidget *parent)
    : QWidget(parent)
{
    // Before anything can ask for this control's interface, which is then kept.
    installAccessibility();
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setCursor(Qt::ArrowCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_document = newDocument();
    m_cursor = QTextCursor(m_document);
}

QTextDocument *RichTextBox::newDocument()
{
    auto *document = new QTextDocument(this);
    document->setUndoRedoEnabled(false);
    document->setDocumentMargin(kDocumentMargin * m_zoom);
    // One line per box: a sentence wider than its box is cut at the edge, never wrapped.
    QTextOption option = document->defaultTextOption();
    option.setWrapMode(QTextOption::NoWrap);
    document->setDefaultTextOption(option);
    document->setDefaultFont(zoomedFont(font(), m_zoom));
    // Emitted with or without a layout, for text and formats alike.
    connect(document, &QTextDocument::contentsChanged, this, [this] {
        ++m_revision;
        ++m_edits;
        update();
    });
    return document;
}

void RichTextBox::ensureLayout()
{
    if (m_layoutMade)
        return;
    settleBaselineOffsets();
    m_layoutMade = true;
    m_document->setPageSize(QSizeF(width(), -1));
    QAbstractTextDocumentLayout *layout = m_document->documentLayout();
    layout->setPaintDevice(this);
    // Laid out at a width while painting: the paint under way shows it.
    connect(layout, &QAbstractTextDocumentLayout::update, this, [this] {
        if (!m_layingOutInPaint)
            update();
    });
    connect(layout, &QAbstractTextDocumentLayout::documentSizeChanged, this,
            [this] { keepScrollInRange(); });
    if (m_startPending)
        revealStart();
}

void RichTextBox::settleWidth() const
{
    // Centred paragraphs are centred in the box's width.
    if (m_layoutMade && m_document->pageSize().width() != width())
        m_document->setPageSize(QSizeF(width(), -1));
}

// A scroll at the start is in range at any size: kept so, the layout is not read.
void RichTextBox::keepScrollInRange()
{
    if (!m_scroll.isNull())
        scrollTo(m_scroll);
}

QRectF RichTextBox::caretRect(int position, bool across) const
{
    settleWidth();
    const QTextBlock block = m_document->findBlock(position);
    const QPointF origin = m_document->documentLayout()->blockBoundingRect(block).topLeft();
    position -= block.position();
    const QTextLine line = block.layout()->lineForTextPosition(position);
    if (!line.isValid())
        return QRectF(origin, QSizeF(1, 10));
    // Finding the x walks the whole line's items, as much as drawing it does.
    const double x = across ? line.cursorToX(&position) : 0.0;
    return QRectF(origin.x() + x, origin.y() + line.y(), 1, line.height());
}

QRect RichTextBox::cursorRect(const QTextCursor &cursor) const
{
    if (cursor.isNull())
        return QRect();
    return caretRect(cursor.position()).toRect().translated(-m_scroll);
}

void RichTextBox::revealStart()
{
    if (!m_layoutMade || m_batches > 0) {
        m_startPending = true;
        return;
    }
    m_startPending = false;
    // A caret at the start; the text is scrolled fully left whatever its x, so only its line counts.
    const QRect caret = caretRect(0, false).toRect();
    QPoint scroll(0, m_scroll.y());
    if (caret.y() < scroll.y())
        scroll.setY(caret.y());
    else if (caret.y() + caret.height() > scroll.y() + height())
        scroll.setY(caret.y() + caret.height() - height());
    scrollTo(scroll);
}

QSize RichTextBox::scrollRange() const
{
    settleWidth();
    const QSize content = m_document->documentLayout()->documentSize().toSize();
    return QSize(qMax(0, content.width() - width()), qMax(0, content.height() - height()));
}

void RichTextBox::scrollTo(QPoint scroll)
{
    const QSize range = scrollRange();
    scroll = QPoint(qBound(0, scroll.x(), range.width()), qBound(0, scroll.y(), range.height()));
    if (scroll == m_scroll)
        return;
    m_scroll = scroll;
    update();
}

void RichTextBox::setText(const QString &text)
{
    m_document->setPlainText(text);
    m_cursor = QTextCursor(m_document);
    revealStart();
    // The sentence is the box's accessible name (toolkit/accessibility.cpp).
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

RichTextBox::Batch::Batch(RichTextBox *box)
    : m_box(box)
    , m_block(box->document())
{
    ++box->m_batches;
    m_block.beginEditBlock();
}

RichTextBox::Batch::~Batch()
{
    m_block.endEditBlock();
    if (--m_box->m_batches == 0 && m_box->m_startPending)
        m_box->revealStart();
}

void RichTextBox::markCheckpoint(const QString &written)
{
    m_checkpointRevision = m_revision;
    m_checkpointSelection = m_cursor;
    m_checkpointWritten = written;
}

bool RichTextBox::backToCheckpoint(const QString &written)
{
    const bool current = !m_checkpointSelection.isNull() && m_revision == m_checkpointRevision;
    if (current && written == m_checkpointWritten) {
        m_cursor = m_checkpointSelection;
        return true;
    }
    if (m_batches > 0)
        return false;
    if (!m_aside.selection.isNull() && written == m_aside.written) {
        swapAside();
        if (!current)
            m_aside.selection = QTextCursor(); // it was changed since its checkpoint
        m_cursor = m_checkpointSelection;
        // Another sentence: screen readers hear of it as of a new text.
        if (QAccessible::isActive()) {
            QAccessibleEvent event(this, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&event);
        }
        return true;
    }
    if (current) {
        // Kept aside for when its writer comes back; the caller writes into the other document.
        if (!m_aside.document)
            m_aside.document = newDocument();
        swapAside();
        m_checkpointSelection = QTextCursor();
        m_cursor = QTextCursor(m_document);
    }
    return false;
}

void RichTextBox::forgetAside()
{
    if (!m_aside.document)
        return;
    m_aside.selection = QTextCursor();
    delete m_aside.document;
    m_aside = Aside();
}

void RichTextBox::swapAside()
{
    std::swap(m_document, m_aside.document);
    std::swap(m_layoutMade, m_aside.layoutMade);
    std::swap(m_offsetsPending, m_aside.offsetsPending);
    std::swap(m_startPending, m_aside.startPending);
    std::swap(m_scroll, m_aside.scroll);
    std::swap(m_checkpointSelection, m_aside.selection);
    std::swap(m_checkpointWritten, m_aside.written);
    m_checkpointRevision = m_revision;
    ++m_edits; // what the box shows is worked out again
    update();
}

QString RichTextBox::text() const
{
    return m_document->toPlainText();
}

void RichTextBox::setSelStart(int position)
{
    m_cursor.setPosition(qBound(0, position, m_document->characterCount() - 1));
}

bool RichTextBox::find(const QString &text)
{
    const QTextCursor match =
        m_document->find(text, m_cursor.selectionStart(), QTextDocument::FindCaseSensitively);
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
    format.setFontPointSize(points * m_zoom);
    format.setProperty(kDesignPointsProperty, points);
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
}

void RichTextBox::refreshBaselineOffsets()
{
    if (!m_layoutMade) {
        // Worked out when the text is first laid out: the fonts it takes are loaded then.
        m_offsetsPending = true;
        return;
    }
    if (m_cursor.hasSelection())
        applyBaselineOffsets(m_cursor.selectionStart(), m_cursor.selectionEnd());
}

void RichTextBox::applyBaselineOffsets(int start, int end)
{
    for (QTextBlock block = m_document->findBlock(start); block.isValid() && block.position() < end;
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
            QFont font = current.font().resolve(m_document->defaultFont());
            const QFontMetricsF metrics(font);
            const double height = metrics.ascent() + metrics.descent();
            const double offsetPx = twips / kTwipsPerPixel * m_zoom;
            QTextCharFormat format;
            format.setBaselineOffset(height > 0 ? 100.0 * offsetPx / height : 0.0);
            QTextCursor part(m_document);
            part.setPosition(from);
            part.setPosition(to, QTextCursor::KeepAnchor);
            part.mergeCharFormat(format);
        }
    }
}

void RichTextBox::settleBaselineOffsets()
{
    if (!m_offsetsPending)
        return;
    m_offsetsPending = false;
    // Carrying out what was asked for is no change of the text or its formats.
    const quint64 revision = m_revision;
    applyBaselineOffsets(0, m_document->characterCount());
    m_revision = revision;
}

QTextCharFormat RichTextBox::charFormatAt(int position) const
{
    QTextCursor probe(m_document);
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
    if (on == m_emphasis)
        return;
    m_emphasis = on;
    update();
}

void RichTextBox::setBackColor(const QColor &color)
{
    setRoleColor(this, {QPalette::Base, QPalette::Window}, color);
}

void RichTextBox::paintTo(QPainter &painter) const
{
    settleWidth();
    const QRectF area(0, 0, width(), height());
    painter.fillRect(area, palette().color(QPalette::Base));
    painter.save();
    painter.translate(-m_scroll);
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette = palette();
    context.clip = area.translated(m_scroll);
    m_document->documentLayout()->draw(&painter, context);
    painter.restore();
    if (m_emphasis) {
        // The frame keeps its proportion to the box at any zoom.
        const double w = zoomedWidth(1, m_zoom);
        for (const QRectF &edge : {QRectF(0, 0, width(), w), QRectF(0, height() - w, width(), w),
                                   QRectF(0, 0, w, height()), QRectF(width() - w, 0, w, height())})
            painter.fillRect(edge, Qt::black);
    }
}

void RichTextBox::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    emit mouseMoved();
}

bool RichTextBox::Look::operator==(const Look &o) const
{
    return size == o.size && scroll == o.scroll && emphasis == o.emphasis && back == o.back
           && ink == o.ink && format == o.format && zoom == o.zoom && margin == o.margin
           && lengths == o.lengths && text == o.text && font == o.font && formats == o.formats;
}

RichTextBox::Look RichTextBox::currentLook(QImage::Format format)
{
    if (m_contentEdits != m_edits) {
        m_contentEdits = m_edits;
        m_content.text = m_document->toRawText();
        m_content.formats.clear();
        m_content.lengths.clear();
        for (QTextBlock block = m_document->begin(); block.isValid(); block = block.next()) {
            // The block's character format sets the height of an empty line.
            m_content.formats.insert(m_content.formats.end(), {block.blockFormat(), block.charFormat()});
            m_content.lengths.insert(m_content.lengths.end(), {-1, -1});
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                m_content.formats.push_back(it.fragment().charFormat());
                m_content.lengths.push_back(it.fragment().length());
            }
        }
    }
    Look look = m_content;
    look.font = m_document->defaultFont();
    look.margin = m_document->documentMargin();
    look.zoom = m_zoom;
    look.size = size();
    look.scroll = m_scroll;
    look.emphasis = m_emphasis;
    look.back = palette().color(QPalette::Base).rgba();
    look.ink = palette().color(QPalette::Text).rgba();
    look.format = format;
    return look;
}

void RichTextBox::paintEvent(QPaintEvent *event)
{
    ensureLayout();
    QPainter painter(this);
    // The box covers itself with its colour, so its pixels depend on nothing beneath: kept as
    // images, a page switch or a highlight elsewhere copies them instead of drawing every
    // glyph again, whenever the box comes back to a look it had. Kept in the very format of
    // the surface, at whole pixels, so they are the same pixels. The first frame paints it
    // directly: the learner waits for that one.
    const auto *surface = dynamic_cast<const QImage *>(painter.paintEngine()->paintDevice());
    const bool first = !m_paintedOnce;
    m_paintedOnce = true;
    if (first || !surface || surface->devicePixelRatio() != 1.0
        || palette().color(QPalette::Base).alpha() != 255) {
        paintTo(painter);
        return;
    }
    const auto same = [this](const Look &look) {
        return std::find_if(m_pictures.begin(), m_pictures.end(),
                            [&look](const Picture &p) { return p.look == look; });
    };
    Look look = currentLook(surface->format());
    auto kept = same(look);
    if (kept == m_pictures.end()) {
        // A picture is drawn at the box's width; the scroll stays in range at it.
        m_layingOutInPaint = true;
        settleWidth();
        m_layingOutInPaint = false;
        look.scroll = m_scroll;
        kept = same(look);
    }
    if (kept == m_pictures.end()) {
        QImage image;
        if (m_pictures.size() == kPicturesKept) {
            image = std::move(m_pictures.back().image);
            m_pictures.pop_back();
        }
        if (image.size() != size() || image.format() != surface->format())
            image = QImage(size(), surface->format());
        QPainter picture(&image);
        paintTo(picture);
        picture.end();
        m_pictures.insert(m_pictures.begin(), {std::move(look), std::move(image)});
        kept = m_pictures.begin();
    } else if (kept != m_pictures.begin()) {
        std::rotate(m_pictures.begin(), kept, kept + 1);
        kept = m_pictures.begin();
    }
    painter.drawImage(event->rect().topLeft(), kept->image, event->rect());
}

void RichTextBox::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::ApplicationFontChange) {
        m_document->setDefaultFont(zoomedFont(font(), m_zoom));
        forgetAside();
    }
}

void RichTextBox::zoomChanged(double zoom)
{
    if (zoom == m_zoom)
        return;
    const double ratio = zoom / m_zoom;
    m_zoom = zoom;
    forgetAside(); // laid out at the old size
    const Batch batch(this);
    m_document->setDefaultFont(zoomedFont(font(), zoom));
    m_document->setDocumentMargin(kDocumentMargin * zoom);
    // Gathered first: merging formats joins and splits the fragments being walked.
    struct Run { int from, to; double points; };
    std::vector<Run> runs;
    for (QTextBlock block = m_document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat current = fragment.charFormat();
            if (current.hasProperty(kDesignPointsProperty))
                runs.push_back({fragment.position(), fragment.position() + fragment.length(),
                                current.doubleProperty(kDesignPointsProperty)});
        }
    }
    for (const Run &run : runs) {
        QTextCharFormat format;
        format.setFontPointSize(run.points * zoom);
        QTextCursor part(m_document);
        part.setPosition(run.from);
        part.setPosition(run.to, QTextCursor::KeepAnchor);
        part.mergeCharFormat(format);
    }
    // The lowering is a share of each character's new font height.
    m_offsetsPending = true;
    if (!m_layoutMade)
        return;
    settleBaselineOffsets();
    scrollTo(QPoint(int(std::lround(m_scroll.x() * ratio)), int(std::lround(m_scroll.y() * ratio))));
}

void RichTextBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_layoutMade)
        keepScrollInRange();
}

void RichTextBox::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        revealStart();
    }
}

// The boxes hold one sentence each at its place: the wheel neither scrolls nor zooms it (a
// zoomed sentence would run past its box for the rest of the run).
void RichTextBox::wheelEvent(QWheelEvent *event)
{
    event->ignore();
}

} // namespace toolkit
