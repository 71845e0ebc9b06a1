#pragma once

// frmTarvolen_300413: the one window of the lesson "Tarvolen in a Plane".
//
// The window owns every control for the whole run (created from the design tables in
// design.cpp, never added or removed), the lesson state (a few 16-bit values and the two
// centres), and the figure drawn on its own surface (toolkit::Canvas, painted beneath the
// controls). Pages are made by showing, hiding, moving and re-texting controls; which page
// is up is read from lblNext / lblBack, how far the learner has chosen from the lists.
//
// A learner's event travels: Qt event -> toolkit control signal (clicked, selected,
// mouseMoved, tick) -> the handler named after the control and event (CboPQ_Click,
// Timer5_Timer, ...), which runs to its end on the GUI thread. Handlers live in the folder
// of their subsystem: walkthrough/, analysis/, drawing/, feedback/, printing/.

#include "toolkit/canvas.h"
#include "toolkit/combo_box.h"
#include "toolkit/frame.h"
#include "toolkit/label.h"
#include "toolkit/rich_text_box.h"
#include "toolkit/shapes.h"
#include "toolkit/timer.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>

class PrintDialogRunner;

class frmTarvolen_300413 : public QWidget
{
    Q_OBJECT
    // A screen reader meets the controls in reading order, not in stacking order.
    Q_CLASSINFO("AccessibleChildren", "ReadingOrder")

public:
    // The program's own window makes its three lists just after its first frame: they are
    // hidden until Next, and the learner waits for that frame. A window made any other way
    // (tests, tools) has them at once.
    enum class Lists { AtOnce, AfterFirstFrame };
    explicit frmTarvolen_300413(QWidget *parent = nullptr, Lists lists = Lists::AtOnce);
    ~frmTarvolen_300413() override;

    // Client area of the design: 15270 x 11040 twips.
    static constexpr int kClientWidth = 1018;
    static constexpr int kClientHeight = 736;

    // Shows the window for the first time: at its design size where the screen holds it with
    // its frame, scaled down to fit where not, or filling the screen.
    void showOnScreen(bool fullScreen);

    // The print dialog is behind a seam so that tests can answer it.
    void setPrintDialogRunner(std::unique_ptr<PrintDialogRunner> runner);

    // The whole window as it stands, figure and controls, as vectors; one unit of the
    // painter is one design pixel. Printing goes through it.
    void paintWindow(QPainter &painter) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    // The tables of design.cpp the controls are built from.
    struct Design;

    // Tests and tools find the controls by object name and act on them as a learner does; the
    // members below, the lesson state and the handlers stay the window's own.
    // --- Controls (children of the window or of its frames) ---
    toolkit::Label *lblPrint = nullptr;
    toolkit::Label *lblCombo = nullptr;
    toolkit::Label *lblPQ = nullptr;
    toolkit::Label *lblNext = nullptr;
    toolkit::Label *lblBack = nullptr;
    toolkit::Label *lblHome = nullptr;
    toolkit::Label *lblPossibility = nullptr;
    toolkit::Label *lblTarvolen = nullptr;
    toolkit::Label *lblCoincide = nullptr;

    toolkit::Frame *Frame_Cbo = nullptr;
    toolkit::ComboBox *CboR1 = nullptr;
    toolkit::ComboBox *CboR2 = nullptr;
    toolkit::ComboBox *CboPQ = nullptr;
    toolkit::Label *lblR1 = nullptr;
    toolkit::Label *lblR11 = nullptr;
    toolkit::Label *lblR2 = nullptr;
    toolkit::Label *lblR22 = nullptr;
    toolkit::Label *lblPQ1 = nullptr;

    toolkit::Frame *frameHelp = nullptr;
    toolkit::Label *lblHelp = nullptr;

    toolkit::RichTextBox *rtfSelect = nullptr;
    toolkit::RichTextBox *rtfSuppose1 = nullptr;
    toolkit::RichTextBox *rtfSuppose2 = nullptr;
    toolkit::RichTextBox *rtBox1 = nullptr;
    toolkit::RichTextBox *rtBox2 = nullptr;
    toolkit::RichTextBox *rtBox3 = nullptr;
    toolkit::RichTextBox *rtBox4 = nullptr;
    toolkit::RichTextBox *rtBox5 = nullptr;
    toolkit::RichTextBox *rtfHighlight = nullptr;

    std::unique_ptr<toolkit::Shape> Shape1;
    std::unique_ptr<toolkit::Shape> Shape2;
    std::unique_ptr<toolkit::Shape> Shape3;

    toolkit::Timer *Timer1 = nullptr;
    toolkit::Timer *Timer2 = nullptr;
    toolkit::Timer *Timer5 = nullptr;
    toolkit::Timer *Timer6 = nullptr;

    toolkit::Canvas canvas; // the window's own drawing surface

    std::array<toolkit::RichTextBox *, 5> caseBoxes() const
    {
        return {rtBox1, rtBox2, rtBox3, rtBox4, rtBox5};
    }
    QColor backColor() const;

    // --- Lesson state: zero at creation, never reset, never saved ---
    int16_t r1 = 0, r2 = 0, PQ = 0; // as chosen
    int16_t SumR = 0, DiffR = 0;
    int16_t MidX = 0, CentreY = 0;
    float Px = 0.0f, Qx = 0.0f; // the centres' x
    // Scratch values of ShadeCommonRegion; they keep their last values between calls.
    float x = 0.0f, y = 0.0f, d1 = 0.0f, d2 = 0.0f;

    // Placeholder tests: a parameter is chosen once its list shows anything else.
    bool r1Chosen() const;
    bool r2Chosen() const;
    bool pqChosen() const;

    // --- Handlers ---
    void Form_Load();
    void Form_MouseMove();
    void lblNext_Click();
    void lblNext_MouseMove();
    void lblBack_Click();
    void lblBack_MouseMove();
    void lblHome_Click();
    void lblHome_MouseMove();
    void lblPrint_Click();
    void lblPrint_MouseMove();
    void lblCombo_MouseMove();
    void rtfSelect_MouseMove();
    void CboR1_Click();
    void CboR2_Click();
    void CboPQ_Click();
    void Cbo_Change(); // text typed into any of the three lists, or its end
    void radiusChosen(toolkit::Label *name, toolkit::Label *digit, toolkit::ComboBox *list);
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer5_Timer();
    void Timer6_Timer();

    void createControls();
    void connectHandlers();
    // Names, roles, keys and tab order for keyboard and screen-reader users.
    void setUpAccessibility();
    // The lists: made, filled, connected and named for screen readers. Does nothing the
    // second time.
    void makeLists();
    void createLists();
    void fillLists();
    void setUpListAccessibility();

    // Full screen (F11, Esc) and the page's zoom: lesson_window/full_screen.cpp.
    void setUpFullScreen();
    void toggleFullScreen();
    void leaveFullScreen();
    void fitIntoScreen();
    void setHandCursors(double zoom);

    void ResetCaseTexts();
    void writeCaseText(toolkit::RichTextBox *box, int index);
    void HighlightCase();
    void DrawCircles();
    void ShadeCommonRegion();
    // P and Q beneath their centres in the surface's colour and font, a dot on each centre.
    void drawCentres(const QColor &qDot);
    // The circles, PQ and its length above it.
    void drawCirclesAndLength();

    void formatPrompt(toolkit::RichTextBox *box, const QString &text, const QStringList &names);
    void colourWholeText(toolkit::RichTextBox *box, const QColor &color);
    // Lowers and shrinks each digit of `name` (the 1 of r1) where it first stands from the
    // first `name` in the box's text on.
    void lowerDigit(toolkit::RichTextBox *box, const QString &name, int offsetTwips);
    void setBorderHeight(float shape1Height);
    QString creditLine() const;

    std::unique_ptr<PrintDialogRunner> m_printDialog;
    bool m_listsPending = false; // to be made once the first frame is on screen
    QSize m_normalSize{kClientWidth, kClientHeight}; // outside full screen
    QPoint m_normalPlace; // of the client area, before full screen
    bool m_normalPlaced = false;
    bool m_fitsScreen = false; // until the window's frame is known
};
