#pragma once

#include "toolkit/printable.h"
#include "toolkit/units.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QTextCursor>
#include <QTextDocument>
#include <QWidget>

#include <vector>

namespace toolkit {

// A box of formatted text that the lesson writes and the learner only reads. It keeps its
// own selection, on which every formatting operation acts, in the manner of a classic
// rich-text control: find from the selection start, move up to a character, span a run.
// It paints its document itself, which is laid out only when the box is first painted: the
// steps that write and format the text before the window is shown cost no layout.
class RichTextBox : public QWidget, public Printable, public Zoomable
{
    Q_OBJECT

public:
    explicit RichTextBox(QWidget *parent = nullptr);

    void setText(const QString &text);
    QString text() const;

    QTextDocument *document() const { return m_document; }
    // Where a caret at the cursor's position would stand, in the box's coordinates.
    QRect cursorRect(const QTextCursor &cursor) const;

    // While one of these lives, the text set and the formatting steps on the box are laid out
    // once, when it ends, instead of after every step: each step would otherwise lay out the
    // whole text. The start of a text set meanwhile is scrolled into view then.
    class Batch
    {
    public:
        explicit Batch(RichTextBox *box);
        ~Batch();
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        RichTextBox *m_box;
        QTextCursor m_block;
    };

    // Remembers the text, its formats and the selection as they stand, under a name for what
    // was written; coming back to them with the same name puts the selection back and succeeds
    // only while nothing has changed the text or its formats since (otherwise it says so, and
    // the caller writes its text anew with setText()). A writer that would produce the same
    // text again can skip the rewrite, its relayout and its repaint; the name keeps two writers
    // of one text (centred or not) apart. Two writers that take turns each find their own:
    // the text written before the latest is kept aside, laid out, with its checkpoint.
    void markCheckpoint(const QString &written);
    bool backToCheckpoint(const QString &written);

    void setSelStart(int position); // empty selection there

    // Searches from the selection start; the match becomes the selection. No match: false,
    // and the selection stays as it was.
    bool find(const QString &text);
    // Caret forward from the selection start to the first of the given characters (the end
    // of the text when there is none).
    void upTo(const QString &characters);
    // Grows the selection from the caret over the following run of the given characters.
    void span(const QString &characters);

    // With an empty selection these set the format of text typed at the caret, so nothing
    // visible changes.
    void setSelColor(const QColor &color);
    void setSelFontSize(double points);
    void setSelCharOffset(int twips); // negative lowers
    void setSelBold(bool bold);
    void setSelAlignment(Qt::Alignment alignment);

    // Reading back what a character shows (its lowering as a share of its height is worked
    // out when the box is first painted), for tests.
    QTextCharFormat charFormatAt(int position) const;
    double charOffsetTwipsAt(int position) const;

    void setEmphasis(bool on);
    void setBackColor(const QColor &color);

    void paintTo(QPainter &painter) const override;
    // Lays the text out again in its fonts at the new size; the design sizes are kept.
    void zoomChanged(double zoom) override;

signals:
    void mouseMoved();

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void mergeSelectionFormat(const QTextCharFormat &format);
    void refreshBaselineOffsets();
    void applyBaselineOffsets(int start, int end);
    void settleBaselineOffsets();
    // Gives the document its width, paint device and pending offsets: once, when first painted.
    void ensureLayout();
    // After a resize the text is laid out at the new width only when something reads the
    // layout: a box whose picture at that width is kept need not lay it out at all.
    void settleWidth() const;
    void keepScrollInRange();
    QRectF caretRect(int position, bool across = true) const; // in the document; x only when across
    // The start of the text scrolled into view, once there is a layout to measure it by.
    void revealStart();
    QSize scrollRange() const;
    void scrollTo(QPoint scroll); // kept within the range

    QTextDocument *newDocument();
    // Trades the document and its state for those kept aside.
    void swapAside();
    // The document aside was made for another font or zoom: gone, not to be written into.
    void forgetAside();

    QTextDocument *m_document;
    bool m_layoutMade = false;
    bool m_offsetsPending = false;
    bool m_startPending = false;
    int m_batches = 0; // open
    bool m_shownOnce = false;
    QPoint m_scroll; // of the text within the box
    QTextCursor m_cursor;
    quint64 m_revision = 0; // changes of the text or its formats so far
    quint64 m_checkpointRevision = 0;
    QTextCursor m_checkpointSelection; // null: no checkpoint
    QString m_checkpointWritten;
    // The document before the latest, unchanged since its checkpoint (none: no document),
    // with its own state as the members above hold the current one's.
    struct Aside
    {
        QTextDocument *document = nullptr;
        bool layoutMade = false;
        bool offsetsPending = false;
        bool startPending = false;
        QPoint scroll;
        QTextCursor selection; // null: nothing to come back to
        QString written;
    };
    Aside m_aside;
    bool m_emphasis = false;
    double m_zoom = 1.0;

    // Everything a picture of the box depends on: two equal looks are the same pixels.
    struct Look
    {
        QString text;
        std::vector<QTextFormat> formats; // each block's two, then each fragment's
        std::vector<int> lengths;         // of the fragments; -1 for a block's formats
        QFont font;
        double margin = 0;
        double zoom = 1;
        QSize size;
        QPoint scroll;
        bool emphasis = false;
        QRgb back = 0, ink = 0;
        QImage::Format format = QImage::Format_Invalid;
        bool operator==(const Look &other) const;
    };
    struct Picture
    {
        Look look;
        QImage image;
    };
    Look currentLook(QImage::Format format);
    // The few latest pictures, the latest first: a case box lit and plain by turns has both.
    std::vector<Picture> m_pictures;
    Look m_content; // the text and formats part, worked out again after each edit
    quint64 m_edits = 0;
    quint64 m_contentEdits = ~quint64(0);
    bool m_paintedOnce = false;
    bool m_layingOutInPaint = false;
};

} // namespace toolkit
