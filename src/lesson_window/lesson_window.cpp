#include "lesson_window/lesson_window.h"

#include "lesson_window/lesson_math.h"
#include "lesson_window/icon.h"
#include "lesson_window/lesson_texts.h"
#include "lesson_window/look.h"
#include "printing/print_dialog.h"
#include "toolkit/units.h"

#include <QMouseEvent>
#include <QPainter>

using namespace toolkit;

frmTarvolen_300413::frmTarvolen_300413(QWidget *parent, Lists lists)
    : QWidget(parent)
    , canvas(this)
    , m_printDialog(std::make_unique<QtPrintDialogRunner>())
{
    setObjectName(QStringLiteral("frmTarvolen_300413"));
    setWindowTitle(tr(lesson::kCaption));
    setWindowIcon(lesson::appIcon());
    setFixedSize(kClientWidth, kClientHeight);
    setWindowFlags(windowFlags() & ~Qt::WindowMaximizeButtonHint);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, bgr(look::kPaleGreen));
    setPalette(pal);
    setAutoFillBackground(false);
    // paintEvent() fills every pixel itself: a ground filled first by Qt would be written twice.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);

    createControls();
    connectHandlers();
    setUpAccessibility();
    setUpFullScreen();
    if (lists == Lists::AtOnce)
        makeLists();
    else
        m_listsPending = true;
    Form_Load();
}

frmTarvolen_300413::~frmTarvolen_300413()
{
    // The lists outlive the window's own members by a moment: nothing they say then may reach it.
    for (ComboBox *list : {CboR1, CboR2, CboPQ})
        if (list) // none yet when the window goes before its first frame
            list->disconnect(this);
}

void frmTarvolen_300413::connectHandlers()
{
    using Self = frmTarvolen_300413;
    // Next shows the lists: whatever clicks it (pointer, key, screen reader), they exist by then.
    connect(lblNext, &Label::clicked, this, &Self::makeLists);
    connect(lblNext, &Label::clicked, this, &Self::lblNext_Click);
    connect(lblNext, &Label::mouseMoved, this, &Self::lblNext_MouseMove);
    connect(lblBack, &Label::clicked, this, &Self::lblBack_Click);
    connect(lblBack, &Label::mouseMoved, this, &Self::lblBack_MouseMove);
    connect(lblHome, &Label::clicked, this, &Self::lblHome_Click);
    connect(lblHome, &Label::mouseMoved, this, &Self::lblHome_MouseMove);
    connect(lblPrint, &Label::clicked, this, &Self::lblPrint_Click);
    connect(lblPrint, &Label::mouseMoved, this, &Self::lblPrint_MouseMove);
    connect(lblCombo, &Label::mouseMoved, this, &Self::lblCombo_MouseMove);
    connect(rtfSelect, &RichTextBox::mouseMoved, this, &Self::rtfSelect_MouseMove);
    connect(Timer1, &Timer::tick, this, &Self::Timer1_Timer);
    connect(Timer2, &Timer::tick, this, &Self::Timer2_Timer);
    connect(Timer5, &Timer::tick, this, &Self::Timer5_Timer);
    connect(Timer6, &Timer::tick, this, &Self::Timer6_Timer);
}

void frmTarvolen_300413::makeLists()
{
    m_listsPending = false;
    if (CboR1)
        return;
    using Self = frmTarvolen_300413;
    createLists();
    fillLists();
    connect(CboR1, &ComboBox::selected, this, &Self::CboR1_Click);
    connect(CboR2, &ComboBox::selected, this, &Self::CboR2_Click);
    connect(CboPQ, &ComboBox::selected, this, &Self::CboPQ_Click);
    for (ComboBox *list : {CboR1, CboR2, CboPQ}) {
        // Typed text names the item of the same value, as the lesson reads a value.
        list->setReading([](const QString &text) -> std::optional<int> {
            if (!lesson::leadingNumber(text))
                return std::nullopt;
            return lesson::readParameter(text);
        });
        connect(list, &ComboBox::draftChanged, this, &Self::Cbo_Change);
        // After its handler too: a choice drawn while another list holds a draft is put aside.
        connect(list, &ComboBox::selected, this, &Self::Cbo_Change);
    }
    setUpListAccessibility();
}

QColor frmTarvolen_300413::backColor() const
{
    return palette().color(QPalette::Window);
}

bool frmTarvolen_300413::r1Chosen() const
{
    return CboR1->text() != QLatin1String(lesson::kPlaceholderR1);
}

bool frmTarvolen_300413::r2Chosen() const
{
    return CboR2->text() != QLatin1String(lesson::kPlaceholderR2);
}

bool frmTarvolen_300413::pqChosen() const
{
    return CboPQ->text() != QLatin1String(lesson::kPlaceholderPQ);
}

QString frmTarvolen_300413::creditLine() const
{
    return tr("Programmer: ") + QLatin1String(lesson::kContactAddress) + QLatin1Char(' ')
           + QLatin1String("    ") + tr("(Website, ") + QLatin1String(lesson::kWebAddress)
           + QLatin1Char(')');
}

void frmTarvolen_300413::colourWholeText(RichTextBox *box, const QColor &color)
{
    // Outside a batch, each caret move would measure the caret's x on the laid-out line.
    const RichTextBox::Batch batch(box);
    box->setSelStart(0);
    box->find(box->text());
    box->setSelColor(color);
}

void frmTarvolen_300413::lowerDigit(RichTextBox *box, const QString &name, int offsetTwips)
{
    const RichTextBox::Batch batch(box);
    for (const QChar character : name) {
        if (!character.isDigit())
            continue;
        // Found afresh for each digit: the first of that digit from the first `name` on.
        const QString digit(character);
        box->setSelStart(0);
        box->find(name);
        box->upTo(digit);
        box->span(digit);
        box->setSelCharOffset(offsetTwips);
        box->setSelFontSize(7);
    }
}

void frmTarvolen_300413::formatPrompt(RichTextBox *box, const QString &text, const QStringList &names)
{
    // The same prompt again (the credit line on every new PQ) would only cost a relayout.
    const QString written = QLatin1String("prompt ") + text;
    if (box->backToCheckpoint(written))
        return;
    {
        const RichTextBox::Batch batch(box);
        box->setText(text);
        box->setSelAlignment(Qt::AlignHCenter);
        colourWholeText(box, bgr(look::kBlue));
        for (const QString &name : names)
            lowerDigit(box, name, look::kDigitDrop);
    }
    box->markCheckpoint(written);
}

void frmTarvolen_300413::setBorderHeight(float shape1Height)
{
    Shape1->setHeightCm(shape1Height);
    Shape2->setHeightCm(float(double(Shape1->heightCm()) - 0.25));
    Shape3->setHeightCm(float(double(Shape1->heightCm()) + 0.4));
}

void frmTarvolen_300413::paintEvent(QPaintEvent *)
{
    if (m_listsPending) {
        // Queued: made once this frame is flushed. Next, the only way to them, makes them
        // first should it come sooner.
        m_listsPending = false;
        QMetaObject::invokeMethod(this, &frmTarvolen_300413::makeLists, Qt::QueuedConnection);
    }
    QPainter painter(this);
    // The figure's picture is opaque, its ground included: the ground is filled around it,
    // which in full screen spares writing a few megabytes twice.
    const View view = viewOf(this);
    painter.translate(view.origin);
    const QRect figure = canvas.preparePicture(painter, view.zoom, backColor()).translated(view.origin);
    painter.resetTransform();
    for (const QRect &part : QRegion(rect()) - figure)
        painter.fillRect(part, backColor());
    paintSurface(painter);
}

void frmTarvolen_300413::paintSurface(QPainter &painter) const
{
    const View view = viewOf(this);
    painter.save();
    painter.translate(view.origin);
    canvas.paint(painter, view.zoom, backColor()); // the ground both callers fill
    for (const Shape *shape : {Shape1.get(), Shape2.get()})
        shape->paintTo(painter);
    painter.restore();
}

void frmTarvolen_300413::paintWindow(QPainter &painter)
{
    // The design page whatever the screen shows: laid out at its own size for this painter.
    const View shown = viewOf(this);
    const bool zoomed = shown.zoom != 1.0 || !shown.origin.isNull();
    if (zoomed)
        setView(this, View());
    painter.save();
    const QRectF page(0, 0, kClientWidth, kClientHeight);
    painter.setClipRect(page, Qt::IntersectClip);
    painter.fillRect(page, backColor());
    paintSurface(painter);
    paintChildren(painter, this);
    painter.restore();
    if (zoomed)
        setView(this, shown);
}

void frmTarvolen_300413::mouseMoveEvent(QMouseEvent *event)
{
    // Only movement over the bare surface (or the lines and shapes it draws) arrives here:
    // every control takes its own pointer movement.
    event->accept();
    Form_MouseMove();
}

void frmTarvolen_300413::setPrintDialogRunner(std::unique_ptr<PrintDialogRunner> runner)
{
    m_printDialog = std::move(runner);
}
