// The toolkit layer as the handlers rely on it: where the pointer lands among stacked
// controls, which learner actions count as a selection, the rich-text operations, the kept
// drawing and the timer's enabled flag.

#include "lesson_window/lesson_window.h"
#include "test_support.h"
#include "toolkit/units.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QTextBlock>
#include <QWheelEvent>
#include <QtTest>

#include <cmath>
#include <functional>

namespace {

QPoint twipsPoint(int x, int y)
{
    return QPoint(toolkit::twipsToPixel(x), toolkit::twipsToPixel(y));
}

// The window's own pointer delivery: the platform routes the event to the topmost control
// under the point, as it does for a real pointer.
void pointerTo(frmTarvolen_300413 &w, QPoint pos)
{
    QTest::mouseMove(w.windowHandle(), pos);
    QCoreApplication::processEvents();
}

bool isInk(QRgb pixel)
{
    return qGray(pixel) < 140;
}

// Lowest row holding ink between columns [x0, x1), or -1.
int lowestInkRow(const QImage &image, int x0, int x1)
{
    for (int y = image.height() - 1; y >= 0; --y)
        for (int x = qMax(0, x0); x < qMin(image.width(), x1); ++x)
            if (isInk(image.pixel(x, y)))
                return y;
    return -1;
}

bool anyPixelNear(const QImage &image, QPointF at, const QColor &colour, int radius = 1)
{
    const QPoint c(int(std::floor(at.x())), int(std::floor(at.y())));
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const QPoint p = c + QPoint(dx, dy);
            if (image.rect().contains(p) && testing::near(image.pixelColor(p), colour, 60))
                return true;
        }
    return false;
}

bool hasColour(const QImage &image, const QRect &area, const QColor &colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (testing::near(image.pixelColor(x, y), colour, 30))
                return true;
    return false;
}

QImage printedWindow(const frmTarvolen_300413 &w)
{
    QImage image(w.size(), QImage::Format_RGB32);
    image.setDevicePixelRatio(1.0);
    image.fill(Qt::black);
    QPainter painter(&image);
    w.paintWindow(painter);
    return image;
}

const char kCase3[] = " (3)  If | r1 - r2 | < PQ < r1 + r2  then the two circles intersect each other in 2 Points.";

enum class ComboAction {
    ArrowDown, ArrowUp, WheelDown, WheelUp, ClickOther, ClickSame,
    Type, TypeEnter, TypeLeave, TypeUnknownEnter,
};

} // namespace

class ToolkitTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::prepareApplication(); }

    void nextAndBackShareOneSpot();
    void comboLabelExposedStrip_data();
    void comboLabelExposedStrip();
    void framesHideTheirChildren_data();
    void framesHideTheirChildren();
    void frameKeepsItsHiddenChildrenHidden();
    void comboSelectionEvents_data();
    void comboSelectionEvents();
    void disabledComboGivesNothing();
    void subscriptStep_data();
    void subscriptStep();
    void findUpToSpan_data();
    void findUpToSpan();
    void drawingSurvivesRepaintAndClear();
    void pixelsWhereCentimetresSay_data();
    void pixelsWhereCentimetresSay();
    void enablingRunningTimerKeepsItsPeriod();
    void enablingStoppedTimerStartsFullInterval();
};

void ToolkitTest::nextAndBackShareOneSpot()
{
    frmTarvolen_300413 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.lblNext->geometry(), w.lblBack->geometry());

    QSignalSpy next(w.lblNext, &toolkit::Label::clicked);
    QSignalSpy back(w.lblBack, &toolkit::Label::clicked);
    const QPoint spot = w.lblNext->geometry().center();
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, spot);
    QCOMPARE(next.count(), 1);
    QVERIFY2(back.isEmpty(), "lblBack lies beneath lblNext and must not get the click");

    // Next has switched the page: the same spot now belongs to Back alone.
    QVERIFY(w.lblNext->isHidden());
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, spot);
    QCOMPARE(back.count(), 1);
    QCOMPARE(next.count(), 1);
}

void ToolkitTest::comboLabelExposedStrip_data()
{
    QTest::addColumn<bool>("frameShown");
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<bool>("reachesLabel");

    // lblCombo spans 1080..1695 twips down; Frame_Cbo ends at 1575.
    QTest::newRow("frame shown, over CboR2") << true << twipsPoint(12750, 1350) << false;
    QTest::newRow("frame shown, over its bare bottom") << true << twipsPoint(12750, 1530) << false;
    QTest::newRow("frame shown, exposed strip") << true << twipsPoint(12750, 1635) << true;
    QTest::newRow("frame shown, strip near the left edge") << true << twipsPoint(11670, 1680) << true;
    QTest::newRow("frame hidden, upper part") << false << twipsPoint(12750, 1350) << true;
    QTest::newRow("frame hidden, strip") << false << twipsPoint(12750, 1635) << true;
}

void ToolkitTest::comboLabelExposedStrip()
{
    QFETCH(bool, frameShown);
    QFETCH(QPoint, pos);
    QFETCH(bool, reachesLabel);

    frmTarvolen_300413 w;
    w.Frame_Cbo->setVisible(frameShown);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.lblCombo->geometry().contains(pos));

    pointerTo(w, QPoint(5, 5));
    QSignalSpy moved(w.lblCombo, &toolkit::Label::mouseMoved);
    pointerTo(w, pos);
    pointerTo(w, pos + QPoint(2, 0));
    QVERIFY2(moved.isEmpty() != reachesLabel,
             qPrintable(QStringLiteral("pointer at (%1, %2): lblCombo got %3 movements")
                            .arg(pos.x()).arg(pos.y()).arg(moved.count())));
}

void ToolkitTest::framesHideTheirChildren_data()
{
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("child");
    QTest::addColumn<QColor>("childColour"); // a colour only that child shows in its place

    QTest::newRow("Frame_Cbo, list CboR1") << "Frame_Cbo" << "CboR1" << QColor(255, 255, 255);
    QTest::newRow("frameHelp, hint lblHelp") << "frameHelp" << "lblHelp" << QColor(192, 0, 192);
}

void ToolkitTest::framesHideTheirChildren()
{
    QFETCH(QString, frame);
    QFETCH(QString, child);
    QFETCH(QColor, childColour);

    frmTarvolen_300413 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *f = w.findChild<toolkit::Frame *>(frame);
    QVERIFY(f);
    auto *c = f->findChild<QWidget *>(child);
    QVERIFY(c);
    const QRect area(c->mapTo(&w, QPoint(0, 0)), c->size());

    // Hidden at start although the child's own flag says shown.
    QVERIFY(!c->isHidden());
    QVERIFY(!c->isVisible());
    QVERIFY2(!hasColour(testing::grabWindow(w), area, childColour), "child of a hidden frame is seen");
    QVERIFY2(!hasColour(printedWindow(w), area, childColour), "child of a hidden frame is printed");

    f->show();
    QVERIFY(c->isVisible());
    QVERIFY2(hasColour(testing::grabWindow(w), area, childColour), "shown child is not seen");
    QVERIFY2(hasColour(printedWindow(w), area, childColour), "shown child is not printed");

    f->hide();
    QVERIFY(!c->isVisible());
    QVERIFY(!c->isHidden());
    QVERIFY(!hasColour(testing::grabWindow(w), area, childColour));
    QVERIFY(!hasColour(printedWindow(w), area, childColour));
}

void ToolkitTest::frameKeepsItsHiddenChildrenHidden()
{
    frmTarvolen_300413 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Frame_Cbo->show();
    // The blue captions above the lists stay hidden until the lesson shows them.
    for (toolkit::Label *label : {w.lblR1, w.lblR11, w.lblR2, w.lblR22, w.lblPQ1}) {
        QVERIFY2(!label->isVisible(), qPrintable(label->objectName()));
        const QRect area(label->mapTo(&w, QPoint(0, 0)), label->size());
        QVERIFY2(!hasColour(testing::grabWindow(w), area, QColor(0, 0, 255)),
                 qPrintable(label->objectName() + QStringLiteral(" is seen")));
        QVERIFY2(!hasColour(printedWindow(w), area, QColor(0, 0, 255)),
                 qPrintable(label->objectName() + QStringLiteral(" is printed")));
    }
    w.lblR1->show();
    const QRect area(w.lblR1->mapTo(&w, QPoint(0, 0)), w.lblR1->size());
    QVERIFY(hasColour(printedWindow(w), area, QColor(0, 0, 255)));
}

void ToolkitTest::comboSelectionEvents_data()
{
    QTest::addColumn<ComboAction>("action");
    QTest::addColumn<int>("selections");
    QTest::addColumn<QString>("textAfter");

    // Each starts from "4" chosen out of "0".."12".
    QTest::newRow("arrow down") << ComboAction::ArrowDown << 1 << "5";
    QTest::newRow("arrow up") << ComboAction::ArrowUp << 1 << "3";
    QTest::newRow("wheel one step down") << ComboAction::WheelDown << 1 << "5";
    QTest::newRow("wheel one step up") << ComboAction::WheelUp << 1 << "3";
    QTest::newRow("click another item in the list") << ComboAction::ClickOther << 1 << "9";
    QTest::newRow("click the item already shown") << ComboAction::ClickSame << 1 << "4";
    QTest::newRow("typing an item") << ComboAction::Type << 0 << "7";
    QTest::newRow("Enter after typing an item") << ComboAction::TypeEnter << 0 << "7";
    QTest::newRow("leaving after typing an item") << ComboAction::TypeLeave << 0 << "7";
    QTest::newRow("Enter after typing a non-item") << ComboAction::TypeUnknownEnter << 0 << "77";
}

void ToolkitTest::comboSelectionEvents()
{
    QFETCH(ComboAction, action);
    QFETCH(int, selections);
    QFETCH(QString, textAfter);

    QWidget host;
    host.resize(300, 200);
    toolkit::ComboBox combo(&host);
    combo.setGeometry(10, 10, 80, 28);
    QLineEdit elsewhere(&host);
    elsewhere.setGeometry(10, 100, 80, 28);
    combo.setText(QStringLiteral("PQ"));
    for (int n = 0; n <= 12; ++n)
        combo.appendItem(QString::number(n));
    QCOMPARE(combo.text(), QStringLiteral("PQ"));
    combo.setCurrentIndex(4);
    host.show();
    QVERIFY(QTest::qWaitForWindowActive(&host));
    combo.setFocus();
    QTRY_VERIFY(combo.hasFocus());

    QSignalSpy selected(&combo, &toolkit::ComboBox::selected);
    const auto wheel = [&](int delta) {
        const QPointF pos = combo.rect().center();
        QWheelEvent event(pos, combo.mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&combo, &event);
    };
    const auto clickItem = [&](int row) {
        combo.showPopup();
        QAbstractItemView *view = combo.view();
        QTRY_VERIFY(view->isVisible());
        // The list ignores a release that comes sooner than a double click after it opened.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        const QRect item = view->visualRect(combo.model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
        QTRY_VERIFY(!view->isVisible());
    };
    const auto type = [&](const QString &text) {
        combo.lineEdit()->selectAll();
        QTest::keyClicks(&combo, text);
    };

    switch (action) {
    case ComboAction::ArrowDown: QTest::keyClick(&combo, Qt::Key_Down); break;
    case ComboAction::ArrowUp: QTest::keyClick(&combo, Qt::Key_Up); break;
    case ComboAction::WheelDown: wheel(-120); break;
    case ComboAction::WheelUp: wheel(120); break;
    case ComboAction::ClickOther: clickItem(9); break;
    case ComboAction::ClickSame: clickItem(4); break;
    case ComboAction::Type: type(QStringLiteral("7")); break;
    case ComboAction::TypeEnter:
        type(QStringLiteral("7"));
        QTest::keyClick(&combo, Qt::Key_Return);
        break;
    case ComboAction::TypeLeave:
        type(QStringLiteral("7"));
        elsewhere.setFocus();
        QTRY_VERIFY(elsewhere.hasFocus());
        break;
    case ComboAction::TypeUnknownEnter:
        type(QStringLiteral("77"));
        QTest::keyClick(&combo, Qt::Key_Return);
        break;
    }
    QCoreApplication::processEvents();
    QCOMPARE(selected.count(), selections);
    QCOMPARE(combo.text(), textAfter);
    QCOMPARE(combo.count(), 13); // nothing typed is ever added to the list
}

void ToolkitTest::disabledComboGivesNothing()
{
    QWidget host;
    host.resize(300, 200);
    toolkit::ComboBox combo(&host);
    combo.setGeometry(10, 10, 80, 28);
    combo.setText(QStringLiteral(" r2"));
    for (int n = 1; n <= 5; ++n)
        combo.appendItem(QString::number(n));
    combo.setEnabled(false);
    host.show();
    QVERIFY(QTest::qWaitForWindowActive(&host));

    QSignalSpy selected(&combo, &toolkit::ComboBox::selected);
    QTest::mouseClick(host.windowHandle(), Qt::LeftButton, {}, combo.geometry().center());
    QVERIFY2(!combo.view()->isVisible(), "a disabled list opened");
    QTest::keyClick(&combo, Qt::Key_Down);
    QTest::keyClicks(&combo, QStringLiteral("3"));
    const QPointF pos = combo.rect().center();
    QWheelEvent event(pos, combo.mapToGlobal(pos), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&combo, &event);
    QCoreApplication::processEvents();
    QCOMPARE(selected.count(), 0);
    QCOMPARE(combo.text(), QStringLiteral(" r2"));
}

void ToolkitTest::subscriptStep_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("offsetTwips");

    QTest::newRow("r1 of case (3), 80 twips") << QString(kCase3) << "r1" << -80;
    QTest::newRow("r2 of case (3), 80 twips") << QString(kCase3) << "r2" << -80;
    QTest::newRow("r1 of the r1 prompt, 60 twips")
        << "Now  select  length  of  radius  r1   for one circle." << "r1" << -60;
    QTest::newRow("absent name changes nothing")
        << "Suppose that in the same plane there is another circle with centre Q and radius r2."
        << "r1" << -60;
}

void ToolkitTest::subscriptStep()
{
    QFETCH(QString, text);
    QFETCH(QString, name);
    QFETCH(int, offsetTwips);

    toolkit::RichTextBox box;
    box.setFont(toolkit::makeFont({"Times New Roman", 14.25}));
    box.setGeometry(0, 0, 700, 27); // one line high, like a case box
    box.setText(text);

    // The subscript step: caret to 0, find the name, up to its digit, span it, lower, shrink.
    const QString digit = name.right(1);
    box.setSelStart(0);
    const bool found = box.find(name);
    box.upTo(digit);
    box.span(digit);
    box.setSelCharOffset(offsetTwips);
    box.setSelFontSize(7);

    const int lowered = text.indexOf(name) < 0 ? -1 : text.indexOf(name) + 1;
    QCOMPARE(found, lowered >= 0);
    QCOMPARE(box.text(), text);
    const double boxPoints = box.document()->defaultFont().pointSizeF();
    for (int i = 0; i < text.size(); ++i) {
        const QTextCharFormat format = box.charFormatAt(i);
        const double points =
            format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize() : boxPoints;
        const QString where = QStringLiteral("character %1 '%2'").arg(i).arg(text.at(i));
        if (i == lowered) {
            QVERIFY2(points == 7.0, qPrintable(where + " is not 7 pt"));
            QVERIFY2(format.baselineOffset() < 0, qPrintable(where + " is not lowered"));
        } else {
            QVERIFY2(points == boxPoints, qPrintable(where + " changed size"));
            QVERIFY2(format.baselineOffset() == 0, qPrintable(where + " moved off the line"));
        }
    }
    if (lowered < 0)
        return;

    // On screen the digit sits lower than its "r" by the offset (15 twips per pixel) and is
    // not cut off by the one-line box.
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    const QImage image = box.grab().toImage();
    const auto columns = [&](int position) {
        QTextCursor c(box.document());
        c.setPosition(position);
        const int left = box.cursorRect(c).x();
        c.setPosition(position + 1);
        return qMakePair(left, box.cursorRect(c).x());
    };
    const auto r = columns(lowered - 1);
    const auto d = columns(lowered);
    const int rBottom = lowestInkRow(image, r.first + 1, r.second);
    const int digitBottom = lowestInkRow(image, d.first + 1, d.second);
    QVERIFY(rBottom > 0 && digitBottom > 0);
    const double expected = -offsetTwips / toolkit::kTwipsPerPixel;
    QVERIFY2(std::abs((digitBottom - rBottom) - expected) <= 1.0,
             qPrintable(QStringLiteral("digit bottom %1, r bottom %2: lowered by %3 px, expected %4")
                            .arg(digitBottom).arg(rBottom).arg(digitBottom - rBottom).arg(expected)));
    QVERIFY2(digitBottom < image.height() - 1, "the lowered digit is cut off by the box");
}

void ToolkitTest::findUpToSpan_data()
{
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");

    const int firstR1 = QString(kCase3).indexOf(QLatin1String("r1"));
    const int sum = QString(kCase3).indexOf(QLatin1String("r1 + r2"));
    const int end = QString(kCase3).size();
    QTest::newRow("find from 0 takes the first match") << 0 << "find" << "r1" << firstR1 << 2;
    QTest::newRow("find from the caret skips what lies before")
        << firstR1 + 1 << "find" << "r1" << sum << 2;
    QTest::newRow("find with no match keeps the caret") << 7 << "find" << "r3" << 7 << 0;
    QTest::newRow("find of an earlier text keeps the caret") << sum << "find" << "If" << sum << 0;
    QTest::newRow("up to a digit") << 0 << "upTo" << "2" << firstR1 + 6 << 0;
    QTest::newRow("up to an absent character goes to the end") << 0 << "upTo" << "#" << end << 0;
    QTest::newRow("up to starts at the caret") << firstR1 + 2 << "upTo" << "1" << sum + 1 << 0;
    QTest::newRow("span a run of blanks") << 4 << "span" << " " << 4 << 2;
    QTest::newRow("span with none at the caret") << 0 << "span" << "x" << 0 << 0;
}

void ToolkitTest::findUpToSpan()
{
    QFETCH(int, caret);
    QFETCH(QString, operation);
    QFETCH(QString, argument);
    QFETCH(int, selStart);
    QFETCH(int, selLength);

    toolkit::RichTextBox box;
    box.setText(QString(kCase3));
    box.setSelStart(caret);
    if (operation == QLatin1String("find"))
        QCOMPARE(box.find(argument), selLength > 0);
    else if (operation == QLatin1String("upTo"))
        box.upTo(argument);
    else
        box.span(argument);
    QCOMPARE(box.selStart(), selStart);
    QCOMPARE(box.selLength(), selLength);
    QCOMPARE(box.text(), QString(kCase3));
}

void ToolkitTest::drawingSurvivesRepaintAndClear()
{
    frmTarvolen_300413 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    // A bare spot of the introduction page, right of the case boxes, below the invitation.
    const QPointF at(24.0, 17.0);
    const QPointF px(toolkit::cmToPx(at.x()), toolkit::cmToPx(at.y()));
    const QColor blue(0, 0, 255);
    QVERIFY(!anyPixelNear(testing::grabWindow(w), px, blue, 2));

    w.canvas.setDrawWidth(3);
    w.canvas.segment(23.0, 17.0, 25.0, 17.0, blue);
    w.canvas.setCurrentX(23.0);
    w.canvas.setCurrentY(16.0);
    w.canvas.print(QStringLiteral("PQ"));
    QTRY_VERIFY(anyPixelNear(testing::grabWindow(w), px, blue));
    w.hide();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.repaint();
    QVERIFY2(anyPixelNear(testing::grabWindow(w), px, blue), "the drawing was lost on a repaint");
    QVERIFY2(anyPixelNear(printedWindow(w), px, blue), "the drawing is missing from the print");

    w.canvas.clear();
    QVERIFY(w.canvas.isEmpty());
    QTRY_VERIFY2(!anyPixelNear(testing::grabWindow(w), px, blue, 2), "clear left the drawing");
    QCOMPARE(w.canvas.current(), QPointF(0, 0));
    w.canvas.print(QStringLiteral("P"));
    QCOMPARE(w.canvas.ops().back().a, QPointF(0, 0));
}

void ToolkitTest::pixelsWhereCentimetresSay_data()
{
    QTest::addColumn<double>("dpr");
    QTest::newRow("device-pixel ratio 1") << 1.0;
    QTest::newRow("device-pixel ratio 2") << 2.0;
}

void ToolkitTest::pixelsWhereCentimetresSay()
{
    QFETCH(double, dpr);

    toolkit::Canvas canvas(nullptr);
    canvas.setDrawWidth(3);
    canvas.point(5.0, 5.0, QColor(0, 192, 0));
    canvas.setDrawWidth(2);
    canvas.circle(13.0, 10.0, 3.0, QColor(255, 0, 0));
    canvas.segment(2.0, 17.0, 12.0, 17.0, QColor(0, 0, 255));
    const QImage image = testing::renderCanvas(canvas, dpr);

    const double scale = 566.929 / 15.0 * dpr; // device pixels per centimetre
    const auto at = [&](double x, double y) { return QPointF(x * scale, y * scale); };
    const QColor green(0, 192, 0), red(255, 0, 0), blue(0, 0, 255);

    QVERIFY(anyPixelNear(image, at(5.0, 5.0), green, 0));
    QVERIFY2(!anyPixelNear(image, at(5.0, 5.0) + QPointF(3 * dpr, 0), green, 0),
             "a point of width 3 is wider than 3 pixels");
    for (const QPointF &onCircle : {at(16, 10), at(10, 10), at(13, 7), at(13, 13)})
        QVERIFY2(anyPixelNear(image, onCircle, red),
                 qPrintable(QStringLiteral("no red at (%1, %2)").arg(onCircle.x()).arg(onCircle.y())));
    QVERIFY(!anyPixelNear(image, at(13, 10), red, 3));
    QVERIFY(!anyPixelNear(image, at(15.8, 10), red, 1));
    QVERIFY(!anyPixelNear(image, at(16.2, 10), red, 1));
    QVERIFY(anyPixelNear(image, at(2.05, 17), blue));
    QVERIFY(anyPixelNear(image, at(11.95, 17), blue));
    QVERIFY(!anyPixelNear(image, at(7, 17.1), blue, 0));
    QVERIFY(!anyPixelNear(image, at(12.2, 17), blue, 1));
}

void ToolkitTest::enablingRunningTimerKeepsItsPeriod()
{
    toolkit::Timer timer(1000, true);
    QElapsedTimer clock;
    clock.start();
    QSignalSpy ticks(&timer, &toolkit::Timer::tick);
    QTest::qWait(400);
    QVERIFY(ticks.isEmpty());
    timer.setEnabled(true);
    QVERIFY(ticks.wait(2000));
    // Restarting would put the tick at 1400 ms.
    QVERIFY2(clock.elapsed() < 1250,
             qPrintable(QStringLiteral("first tick after %1 ms").arg(clock.elapsed())));
}

void ToolkitTest::enablingStoppedTimerStartsFullInterval()
{
    toolkit::Timer timer(1000, true);
    QSignalSpy ticks(&timer, &toolkit::Timer::tick);
    QTest::qWait(400);
    timer.setEnabled(false);
    QVERIFY(!timer.isEnabled());
    QTest::qWait(900); // past the first tick that would have come
    QVERIFY2(ticks.isEmpty(), "a disabled timer ticked");
    QElapsedTimer clock;
    clock.start();
    timer.setEnabled(true);
    QVERIFY(ticks.wait(2000));
    QVERIFY2(clock.elapsed() >= 900,
             qPrintable(QStringLiteral("tick %1 ms after enabling").arg(clock.elapsed())));
}

QTEST_MAIN(ToolkitTest)
#include "tst_toolkit.moc"
