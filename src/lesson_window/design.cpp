// The window's controls as they are at creation: one table per kind of control, in the
// design's own units (twips, &H00BBGGRR colours), and one loop per table that builds them.

#include "lesson_window/lesson_window.h"

#include "lesson_window/lesson_texts.h"
#include "lesson_window/look.h"
#include "toolkit/art.h"
#include "toolkit/units.h"

using toolkit::FontSpec;
using Align = toolkit::Label::Alignment;
using Window = frmTarvolen_300413;
using namespace look;

namespace {

constexpr uint32_t kWindowText = toolkit::kSystemWindowText;

enum class Parent { Window, FrameCbo, FrameHelp };

struct LabelDesign
{
    toolkit::Label *Window::*member;
    const char *name;
    Parent parent;
    int left, top, width, height;
    const char *caption;
    FontSpec font;
    uint32_t foreColor;
    bool filled;
    Align alignment;
    bool hand;
    bool visible;
};

const FontSpec kNavFont{"Arial", 9.75};


struct FrameDesign
{
    toolkit::Frame *Window::*member;
    const char *name;
    int left, top, width, height;
};


struct LineDesign
{
    const char *name;
    int x1, y1, x2, y2;
    uint32_t color;
    int width;
};

// The help arrow inside frameHelp, pointing right at the lists.
const LineDesign kHelpArrow[] = {
    {"Line24", 0, 120, 0, 960, kDeepGreen, 2},
    {"Line25", 0, 960, 2520, 960, kDeepGreen, 2},
    {"Line26", 0, 120, 2520, 120, kMagenta, 1},
    {"Line27", 2520, 1200, 2520, 960, kDeepGreen, 2},
    {"Line28", 2520, -120, 2520, 120, kMagenta, 1},
    {"Line29", 2520, 1200, 3600, 600, kDeepGreen, 2},
    {"Line30", 2520, -120, 3600, 600, kMagenta, 1},
};

struct ComboDesign
{
    toolkit::ComboBox *Window::*member;
    const char *name;
    int left, top, width, height;
    const char *text;
    bool enabled;
};

const FontSpec kComboFont{"MS Sans Serif", 12, true};

struct RichTextDesign
{
    toolkit::RichTextBox *Window::*member;
    const char *name;
    int left, top, width, height;
    FontSpec font;
    uint32_t backColor;
    bool visible;
};

const FontSpec kCaseFont{"Times New Roman", 14.25};
const FontSpec kSentenceFont{"Times New Roman", 15.75};


// Windows on the window, from the top of the stack down; all lie above the labels.
const char *const kWindowStack[] = {
    "Frame_Cbo", "frameHelp", "rtBox3", "rtfSuppose2", "rtfSuppose1", "rtfHighlight",
    "rtBox4", "rtBox5", "rtBox2", "rtBox1", "rtfSelect",
};

struct ShapeDesign
{
    std::unique_ptr<toolkit::Shape> Window::*member;
    int left, top, width, height;
    uint32_t color;
    int borderWidth;
};


struct TimerDesign
{
    toolkit::Timer *Window::*member;
    const char *name;
    int interval;
    bool enabled;
};


} // namespace

// The tables name the window's own members, so they belong to it.
struct Window::Design
{
    static const LabelDesign kLabels[];
    static const FrameDesign kFrames[];
    static const ComboDesign kCombos[];
    static const RichTextDesign kRichTexts[];
    static const ShapeDesign kShapes[];
    static const TimerDesign kTimers[];
};

// Within each container, listed from the top of the stack down.
const LabelDesign Window::Design::kLabels[] = {
    {&Window::lblPrint, "lblPrint", Parent::Window, 12600, 120, 495, 255, lesson::kPrint, kNavFont, kWindowText, false, Align::Centre, true, false},
    {&Window::lblCombo, "lblCombo", Parent::Window, 11640, 1080, 2415, 615, "", kNavFont, kWindowText, false, Align::Left, false, true},
    {&Window::lblPQ, "lblPQ", Parent::Window, 1680, 60, 10215, 435, lesson::kPQCaption, {"Trebuchet MS", 14.25, false, true}, kDarkBlue, true, Align::Centre, false, true},
    {&Window::lblNext, "lblNext", Parent::Window, 13440, 120, 495, 255, lesson::kNext, kNavFont, kWindowText, true, Align::Centre, true, true},
    {&Window::lblBack, "lblBack", Parent::Window, 13440, 120, 495, 255, lesson::kBack, kNavFont, kWindowText, false, Align::Centre, false, true},
    {&Window::lblHome, "lblHome", Parent::Window, 14280, 120, 495, 255, lesson::kHome, kNavFont, kWindowText, false, Align::Centre, true, true},
    {&Window::lblPossibility, "lblPossibility", Parent::Window, 1800, 2760, 9495, 375, lesson::kPossibility, {"Times New Roman", 15.75, false, true}, kDarkBlue, false, Align::Left, false, true},
    // Beside the figure, left of the largest circle: said in place of a case when the circles coincide.
    {&Window::lblCoincide, "lblCoincide", Parent::Window, 1701, 4592, 2948, 1560, lesson::kCoincide, {"Times New Roman", 15.75, false, true}, kDarkBlue, false, Align::Left, false, false},
    {&Window::lblTarvolen, "lblTarvolen", Parent::Window, 1800, 840, 9735, 495, "", {"Times New Roman", 20.25, true, true, true}, kBlack, false, Align::Left, false, true},

    {&Window::lblR1, "lblR1", Parent::FrameCbo, 345, 0, 75, 255, "r", {"Times New Roman", 14.25}, kBlue, false, Align::Right, false, false},
    {&Window::lblR2, "lblR2", Parent::FrameCbo, 1095, 0, 105, 255, "r", {"Times New Roman", 14.25}, kBlue, false, Align::Right, false, false},
    {&Window::lblPQ1, "lblPQ1", Parent::FrameCbo, 1785, 75, 375, 255, "PQ", {"MS Sans Serif", 9.75, true}, kBlue, false, Align::Centre, false, false},
    {&Window::lblR11, "lblR11", Parent::FrameCbo, 405, 165, 90, 165, "1", {"Arial", 6.75}, kBlue, false, Align::Left, false, false},
    {&Window::lblR22, "lblR22", Parent::FrameCbo, 1185, 120, 90, 165, "2", {"Arial", 6.75}, kBlue, false, Align::Left, false, false},

    {&Window::lblHelp, "lblHelp", Parent::FrameHelp, 120, 240, 3255, 735, lesson::kHelpCaption, {"Times New Roman", 12, true}, kPurple, false, Align::Left, false, true},
};

const FrameDesign Window::Design::kFrames[] = {
    {&Window::Frame_Cbo, "Frame_Cbo", 11640, 720, 2535, 855},
    {&Window::frameHelp, "frameHelp", 8040, 720, 3615, 1335},
};

const ComboDesign Window::Design::kCombos[] = {
    {&Window::CboR1, "CboR1", 120, 360, 690, 420, lesson::kPlaceholderR1, true},
    {&Window::CboR2, "CboR2", 900, 360, 660, 420, lesson::kPlaceholderR2, false},
    {&Window::CboPQ, "CboPQ", 1650, 360, 735, 420, lesson::kPlaceholderPQ, false},
};

const RichTextDesign Window::Design::kRichTexts[] = {
    {&Window::rtfSelect, "rtfSelect", 1680, 30, 10200, 435, {"Trebuchet MS", 14.25, false, true}, kPaleGreen, false},
    {&Window::rtfSuppose1, "rtfSuppose1", 1800, 1560, 8730, 375, kSentenceFont, kPaleGreen, true},
    {&Window::rtfSuppose2, "rtfSuppose2", 1800, 2040, 11595, 375, kSentenceFont, kPaleGreen, true},
    {&Window::rtBox1, "rtBox1", 2098, 3360, 7680, 405, kCaseFont, kPaleGreen, true},
    {&Window::rtBox2, "rtBox2", 2098, 4080, 7800, 405, kCaseFont, kPaleGreen, true},
    {&Window::rtBox3, "rtBox3", 2098, 4800, 9240, 405, kCaseFont, kPaleGreen, true},
    // Drawn 11640 wide, which cut "other." off the longest sentence.
    {&Window::rtBox4, "rtBox4", 2098, 5505, 11880, 405, kCaseFont, kPaleGreen, true},
    {&Window::rtBox5, "rtBox5", 2098, 6240, 10800, 405, kCaseFont, kPaleGreen, true},
    {&Window::rtfHighlight, "rtfHighlight", 1200, 7440, 11640, 495, {"Times New Roman", 15.75, true, true}, kLightYellow, true},
};

// Shape3 lies above the labels, Shape2 and Shape1 beneath them.
const ShapeDesign Window::Design::kShapes[] = {
    {&Window::Shape3, 360, 480, 14550, 10230, kOlive, 1},
    {&Window::Shape1, 480, 600, 14295, 9975, kOlive, 4},
    {&Window::Shape2, 540, 660, 14160, 9840, kTeal, 1},
};

const TimerDesign Window::Design::kTimers[] = {
    {&Window::Timer1, "Timer1", 400, true},
    {&Window::Timer2, "Timer2", 400, false},
    {&Window::Timer5, "Timer5", 400, false},
    {&Window::Timer6, "Timer6", 400, false},
};


void frmTarvolen_300413::createControls()
{
    using namespace toolkit;
    const QColor pale = bgr(kPaleGreen);

    for (const FrameDesign &d : Design::kFrames) {
        auto *frame = new Frame(this);
        frame->setObjectName(QLatin1String(d.name));
        placeTwips(frame, d.left, d.top, d.width, d.height);
        frame->setBackColor(pale);
        frame->hide();
        this->*d.member = frame;
    }
    for (const ShapeDesign &d : Design::kShapes)
        this->*d.member = std::make_unique<Shape>(this, d.left, d.top, d.width, d.height,
                                                  bgr(d.color), d.borderWidth);

    // One hand for every label that acts as a button: it is painted, so build it once.
    const QCursor hand = handCursor();
    // Created bottom of the stack first, so each new control lies above the ones before.
    for (auto it = std::rbegin(Design::kLabels); it != std::rend(Design::kLabels); ++it) {
        const LabelDesign &d = *it;
        QWidget *parent = d.parent == Parent::FrameCbo ? static_cast<QWidget *>(Frame_Cbo)
                          : d.parent == Parent::FrameHelp ? static_cast<QWidget *>(frameHelp)
                                                          : this;
        auto *label = new Label(parent);
        label->setObjectName(QLatin1String(d.name));
        placeTwips(label, d.left, d.top, d.width, d.height);
        label->setCaption(tr(d.caption));
        label->setLabelFont(makeFont(d.font));
        label->setForeColor(bgr(d.foreColor));
        label->setTransparent(!d.filled);
        label->setBackColor(pale);
        label->setAlignment(d.alignment);
        if (d.hand)
            label->setCursor(hand);
        label->setVisible(d.visible);
        this->*d.member = label;
    }

    // Above every label: the outermost border line on the window, the arrow over its hint.
    auto *borderOnTop = new LineLayer(this);
    borderOnTop->setObjectName(QStringLiteral("linesAboveLabels"));
    borderOnTop->addShape(Shape3.get());
    auto *arrow = new LineLayer(frameHelp);
    arrow->setObjectName(QStringLiteral("helpArrowLines"));
    for (const LineDesign &d : kHelpArrow)
        arrow->addLine({QPointF(twipsToPx(d.x1), twipsToPx(d.y1)),
                        QPointF(twipsToPx(d.x2), twipsToPx(d.y2)), bgr(d.color), d.width});

    for (const RichTextDesign &d : Design::kRichTexts) {
        auto *box = new RichTextBox(this);
        box->setObjectName(QLatin1String(d.name));
        placeTwips(box, d.left, d.top, d.width, d.height);
        box->setFont(makeFont(d.font));
        box->setBackColor(bgr(d.backColor));
        box->setText(QString::fromLatin1(d.name)); // placeholder, replaced before first show
        box->setVisible(d.visible);
        this->*d.member = box;
    }
    for (auto it = std::rbegin(kWindowStack); it != std::rend(kWindowStack); ++it)
        findChild<QWidget *>(QLatin1String(*it), Qt::FindDirectChildrenOnly)->raise();

    for (const TimerDesign &d : Design::kTimers) {
        auto *timer = new Timer(d.interval, d.enabled, this);
        timer->setObjectName(QLatin1String(d.name));
        this->*d.member = timer;
    }
}

void frmTarvolen_300413::setHandCursors(double zoom)
{
    const QCursor hand = toolkit::handCursor(zoom);
    for (const LabelDesign &d : Design::kLabels) {
        if (d.hand)
            (this->*d.member)->setCursor(hand);
    }
}

void frmTarvolen_300413::createLists()
{
    using namespace toolkit;
    for (auto it = std::rbegin(Design::kCombos); it != std::rend(Design::kCombos); ++it) {
        const ComboDesign &d = *it;
        auto *combo = new ComboBox(makeFont(kComboFont), Frame_Cbo);
        combo->setObjectName(QLatin1String(d.name));
        placeTwips(combo, d.left, d.top, d.width, d.height);
        combo->setText(QString::fromLatin1(d.text));
        combo->setEnabled(d.enabled);
        if (const double zoom = toolkit::viewOf(this).zoom; zoom != 1.0)
            combo->zoomChanged(zoom); // made after full screen began
        this->*d.member = combo;
    }
    // The lists lie above the captions of their frame.
    for (auto it = std::rbegin(Design::kCombos); it != std::rend(Design::kCombos); ++it)
        (this->*(it->member))->raise();
}
