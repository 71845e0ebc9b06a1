// The toolkit as the handlers rely on it: where the pointer lands among stacked controls,
// which learner actions count as a selection, the rich-text steps, the kept drawing, timers.

#include "lesson_window/lesson_window.h"
#include "test_support.h"
#include "toolkit/units.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSignalSpy>
#include <QWheelEvent>
#include <QtTest>

#include <cmath>

namespace {

const QString kCase3 = QStringLiteral(
    " (3)  If | r1 - r2 | < PQ < r1 + r2  then the two circles intersect each other in 2 Points.");

QPoint twips(int x, int y) { return QPoint(toolkit::twipsToPixel(x), toolkit::twipsToPixel(y)); }

bool hasColour(const QImage &image, const QRect &area, const QColor &colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.rect().contains(x, y) && testing::near(image.pixelColor(x, y), colour, 40))
                return true;
    return false;
}

// Within `radius` pixels of a point given in device pixels.
bool colourNear(const QImage &image, QPointF at, const QColor &colour, int radius = 1)
{
    const QPoint c(int(std::floor(at.x())), int(std::floor(at.y())));
    return hasColour(image, QRect(c - QPoint(radius, radius), c + QPoint(radius, radius)), colour);
}

QRect areaOf(const QWidget *w) { return QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size()); }

// Lowest row with dark ink between columns [x0, x1), or -1.
int lowestInkRow(const QImage &image, int x0, int x1)
{
    for (int y = image.height() - 1; y >= 0; --y)
        for (int x = x0; x < x1; ++x)
            if (qGray(image.pixel(x, y)) < 140)
                return y;
    return -1;
}

enum class Act { Down, Up, WheelDown, WheelUp, ClickOther, ClickSame, Type, TypeEnter, TypeLeave,
                 TypeOther, Open };

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
    void comboSelectionEvents_data();
    void comboSelectionEvents();
    void subscriptStep_data();
    void subscriptStep();
    void findUpToSpan_data();
    void findUpToSpan();
    void drawingKeptThroughRepaintUntilClear();
    void pixelsWhereCentimetresSay_data();
    void pixelsWhereCentimetresSay();
    void timerEnabledFlag();
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
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, spot);
    QCOMPARE(back.count(), 1);
    QCOMPARE(next.count(), 1);
}

void ToolkitTest::comboLabelExposedStrip_data()
{
    QTest::addColumn<bool>("frameShown");
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<bool>("reachesLabel");
    // lblCombo spans 1080..1695 twips down the window, Frame_Cbo ends at 1575.
    QTest::newRow("frame shown, over CboR2") << true << twips(12750, 1350) << false;
    QTest::newRow("frame shown, over its bare bottom") << true << twips(12750, 1530) << false;
    QTest::newRow("frame shown, exposed strip") << true << twips(12750, 1635) << true;
    QTest::newRow("frame shown, strip at the left edge") << true << twips(11670, 1680) << true;
    QTest::newRow("frame hidden, upper part") << false << twips(12750, 1350) << true;
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
    // Real pointer delivery: the platform hands the movement to the topmost control there.
    QTest::mouseMove(w.windowHandle(), QPoint(5, 5));
    QSignalSpy moved(w.lblCombo, &toolkit::Label::mouseMoved);
    QTest::mouseMove(w.windowHandle(), pos);
    QTest::mouseMove(w.windowHandle(), pos + QPoint(2, 0));
    QCoreApplication::processEvents();
    QVERIFY2(moved.isEmpty() != reachesLabel,
             qPrintable(QStringLiteral("lblCombo got %1 movements").arg(moved.count())));
}

void ToolkitTest::framesHideTheirChildren_data()
{
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("child");
    QTest::addColumn<QColor>("childColour"); // a colour only that child shows in its place
    QTest::newRow("Frame_Cbo, list CboR1") << "Frame_Cbo" << "CboR1" << QColor(255, 255, 255);
    QTest::newRow("Frame_Cbo, caption lblR1") << "Frame_Cbo" << "lblR1" << QColor(0, 0, 255);
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
    auto *c = f->findChild<QWidget *>(child);
    const bool ownFlag = !c->isHidden(); // lblR1 is hidden itself until the lesson shows it
    const auto seen = [&] { return hasColour(testing::grabWindow(w), areaOf(c), childColour); };
    const auto printed = [&] { return hasColour(testing::paintedWindow(w), areaOf(c), childColour); };

    QVERIFY2(!c->isVisible() && !seen() && !printed(), "child of a hidden frame shows");
    f->show();
    QCOMPARE(c->isVisible(), ownFlag);
    QVERIFY2(seen() == ownFlag && printed() == ownFlag, "shown frame shows the child wrongly");
    f->hide();
    QVERIFY2(!c->isVisible() && !seen() && !printed(), "child of a hidden frame shows");
    QCOMPARE(!c->isHidden(), ownFlag);
}

void ToolkitTest::comboSelectionEvents_data()
{
    QTest::addColumn<Act>("act");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("selections");
    QTest::addColumn<QString>("textAfter");
    // Each starts with "4" shown out of "0".."12".
    QTest::newRow("arrow down") << Act::Down << true << 1 << "5";
    QTest::newRow("arrow up") << Act::Up << true << 1 << "3";
    QTest::newRow("wheel step down") << Act::WheelDown << true << 1 << "5";
    QTest::newRow("wheel step up") << Act::WheelUp << true << 1 << "3";
    QTest::newRow("click another item in the list") << Act::ClickOther << true << 1 << "9";
    QTest::newRow("click the item already shown") << Act::ClickSame << true << 1 << "4";
    QTest::newRow("typing an item") << Act::Type << true << 0 << "7";
    QTest::newRow("Enter after typing an item") << Act::TypeEnter << true << 0 << "7";
    QTest::newRow("leaving after typing an item") << Act::TypeLeave << true << 0 << "7";
    QTest::newRow("Enter after typing a non-item") << Act::TypeOther << true << 0 << "77";
    QTest::newRow("disabled: arrow down") << Act::Down << false << 0 << "4";
    QTest::newRow("disabled: wheel step") << Act::WheelDown << false << 0 << "4";
    QTest::newRow("disabled: typing") << Act::Type << false << 0 << "4";
    QTest::newRow("disabled: click to open") << Act::Open << false << 0 << "4";
}

void ToolkitTest::comboSelectionEvents()
{
    QFETCH(Act, act);
    QFETCH(bool, enabled);
    QFETCH(int, selections);
    QFETCH(QString, textAfter);

    QWidget host;
    toolkit::ComboBox combo(&host);
    combo.setGeometry(10, 10, 80, 28);
    QLineEdit elsewhere(&host);
    elsewhere.setGeometry(10, 100, 80, 28);
    combo.setText(QStringLiteral("PQ"));
    for (int n = 0; n <= 12; ++n)
        combo.appendItem(QString::number(n));
    QCOMPARE(combo.text(), QStringLiteral("PQ"));
    combo.setCurrentIndex(4);
    combo.setEnabled(enabled);
    host.show();
    QVERIFY(QTest::qWaitForWindowActive(&host));
    combo.setFocus();

    QSignalSpy selected(&combo, &toolkit::ComboBox::selected);
    const QPoint arrow(combo.geometry().right() - 6, combo.geometry().center().y());
    const auto wheel = [&](int delta) {
        const QPointF pos = combo.rect().center();
        QWheelEvent event(pos, combo.mapToGlobal(pos), {}, {0, delta}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&combo, &event);
    };
    const auto clickItem = [&](int row) {
        QTest::mouseClick(host.windowHandle(), Qt::LeftButton, {}, arrow);
        QTRY_VERIFY(combo.view()->isVisible());
        // The list ignores a release that comes sooner than a double click after it opened.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        const QRect item = combo.view()->visualRect(combo.model()->index(row, 0));
        QTest::mouseClick(combo.view()->viewport(), Qt::LeftButton, {}, item.center());
        QTRY_VERIFY(!combo.view()->isVisible());
    };
    const auto type = [&](const char *text) {
        combo.lineEdit()->selectAll();
        QTest::keyClicks(&combo, QString::fromLatin1(text));
    };
    switch (act) {
    case Act::Down: QTest::keyClick(&combo, Qt::Key_Down); break;
    case Act::Up: QTest::keyClick(&combo, Qt::Key_Up); break;
    case Act::WheelDown: wheel(-120); break;
    case Act::WheelUp: wheel(120); break;
    case Act::ClickOther: clickItem(9); break;
    case Act::ClickSame: clickItem(4); break;
    case Act::Type: type("7"); break;
    case Act::TypeEnter: type("7"); QTest::keyClick(&combo, Qt::Key_Return); break;
    case Act::TypeLeave: type("7"); elsewhere.setFocus(); QTRY_VERIFY(elsewhere.hasFocus()); break;
    case Act::TypeOther: type("77"); QTest::keyClick(&combo, Qt::Key_Return); break;
    case Act::Open:
        QTest::mouseClick(host.windowHandle(), Qt::LeftButton, {}, arrow);
        QVERIFY2(!combo.view()->isVisible(), "a disabled list opened");
        break;
    }
    QCoreApplication::processEvents();
    QCOMPARE(selected.count(), selections);
    QCOMPARE(combo.text(), textAfter);
    QCOMPARE(combo.count(), 13); // nothing typed is added to the list
}

void ToolkitTest::subscriptStep_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("offsetTwips");
    QTest::newRow("r1 of case (3), 80 twips") << kCase3 << "r1" << -80;
    QTest::newRow("r2 of case (3), 80 twips") << kCase3 << "r2" << -80;
    QTest::newRow("r1 of the r1 prompt, 60 twips")
        << "Now  select  length  of  radius  r1   for one circle." << "r1" << -60;
    QTest::newRow("absent name changes nothing") << "circle with centre Q and radius r2." << "r1" << -60;
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
    const QString digit = name.right(1);
    box.setSelStart(0);
    QCOMPARE(box.find(name), text.contains(name));
    box.upTo(digit);
    box.span(digit);
    box.setSelCharOffset(offsetTwips);
    box.setSelFontSize(7);

    const int lowered = text.contains(name) ? text.indexOf(name) + 1 : -1;
    QCOMPARE(box.text(), text);
    const double boxPoints = box.document()->defaultFont().pointSizeF();
    for (int i = 0; i < text.size(); ++i) {
        const QTextCharFormat f = box.charFormatAt(i);
        const double points = f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize() : boxPoints;
        const bool small = points == 7.0 && f.baselineOffset() < 0;
        const bool plain = points == boxPoints && f.baselineOffset() == 0;
        QVERIFY2(i == lowered ? small : plain,
                 qPrintable(QStringLiteral("character %1 '%2'").arg(i).arg(text.at(i))));
    }
    if (lowered < 0)
        return;

    // On screen the digit stands lower than its "r" by the offset (15 twips a pixel) and the
    // one-line box does not cut it off.
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    const QImage image = box.grab().toImage();
    const auto bottom = [&](int position) {
        QTextCursor c(box.document());
        c.setPosition(position);
        const int left = box.cursorRect(c).x() + 1;
        c.setPosition(position + 1);
        return lowestInkRow(image, left, box.cursorRect(c).x());
    };
    const int drop = bottom(lowered) - bottom(lowered - 1);
    QVERIFY2(std::abs(drop + offsetTwips / toolkit::kTwipsPerPixel) <= 1.0,
             qPrintable(QStringLiteral("lowered by %1 px").arg(drop)));
    QVERIFY2(bottom(lowered) < image.height() - 1, "the lowered digit is cut off");
}

void ToolkitTest::findUpToSpan_data()
{
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("op");
    QTest::addColumn<QString>("arg");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    const int r1 = kCase3.indexOf(QLatin1String("r1")), sum = kCase3.indexOf(QLatin1String("r1 + r2"));
    QTest::newRow("find from 0 takes the first match") << 0 << "find" << "r1" << r1 << 2;
    QTest::newRow("find skips what lies before the caret") << r1 + 1 << "find" << "r1" << sum << 2;
    QTest::newRow("find with no match keeps the caret") << 7 << "find" << "r3" << 7 << 0;
    QTest::newRow("find of an earlier text keeps the caret") << sum << "find" << "If" << sum << 0;
    QTest::newRow("up to a digit") << 0 << "upTo" << "2" << r1 + 6 << 0;
    QTest::newRow("up to an absent character: the end") << 0 << "upTo" << "#" << int(kCase3.size()) << 0;
    QTest::newRow("span a run of blanks") << 4 << "span" << " " << 4 << 2;
    QTest::newRow("span with none at the caret") << 0 << "span" << "x" << 0 << 0;
}

void ToolkitTest::findUpToSpan()
{
    QFETCH(int, caret);
    QFETCH(QString, op);
    QFETCH(QString, arg);
    QFETCH(int, selStart);
    QFETCH(int, selLength);

    toolkit::RichTextBox box;
    box.setText(kCase3);
    box.setSelStart(caret);
    if (op == QLatin1String("find"))
        QCOMPARE(box.find(arg), selLength > 0);
    else if (op == QLatin1String("upTo"))
        box.upTo(arg);
    else
        box.span(arg);
    QCOMPARE(box.selStart(), selStart);
    QCOMPARE(box.selLength(), selLength);
    QCOMPARE(box.text(), kCase3);
}

void ToolkitTest::drawingKeptThroughRepaintUntilClear()
{
    frmTarvolen_300413 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // A bare spot of the introduction page, below the invitation.
    const QPointF spot(toolkit::cmToPx(24.0), toolkit::cmToPx(17.0));
    const QColor blue(0, 0, 255);
    w.canvas.setDrawWidth(3);
    w.canvas.segment(23.0, 17.0, 25.0, 17.0, blue);
    w.canvas.setCurrentX(23.0);
    w.canvas.setCurrentY(16.0);
    w.canvas.print(QStringLiteral("PQ"));
    w.hide();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.repaint();
    QVERIFY2(colourNear(testing::grabWindow(w), spot, blue), "the drawing was lost on a repaint");
    QVERIFY2(colourNear(testing::paintedWindow(w), spot, blue), "the drawing is missing from the print");

    w.canvas.clear();
    QVERIFY2(!colourNear(testing::grabWindow(w), spot, blue, 2), "clear left the drawing");
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
    const QColor green(0, 192, 0), red(255, 0, 0), blue(0, 0, 255);
    toolkit::Canvas canvas(nullptr);
    canvas.setDrawWidth(3);
    canvas.point(5.0, 5.0, green);
    canvas.setDrawWidth(2);
    canvas.circle(13.0, 10.0, 3.0, red);
    canvas.segment(2.0, 17.0, 12.0, 17.0, blue);
    const QImage image = testing::renderCanvas(canvas, dpr);
    const auto at = [&](double x, double y) { return QPointF(x, y) * (566.929 / 15.0 * dpr); };

    QVERIFY(colourNear(image, at(5, 5), green, 0));
    QVERIFY2(!colourNear(image, at(5, 5) + QPointF(3 * dpr, 0), green, 0),
             "a point of width 3 is wider than 3 pixels");
    for (const QPointF &on : {at(16, 10), at(10, 10), at(13, 7), at(13, 13)})
        QVERIFY2(colourNear(image, on, red),
                 qPrintable(QStringLiteral("no red at (%1, %2)").arg(on.x()).arg(on.y())));
    QVERIFY(!colourNear(image, at(13, 10), red, 3));
    QVERIFY(!colourNear(image, at(15.8, 10), red) && !colourNear(image, at(16.2, 10), red));
    QVERIFY(colourNear(image, at(2.05, 17), blue) && colourNear(image, at(11.95, 17), blue));
    QVERIFY(!colourNear(image, at(7, 17.1), blue, 0) && !colourNear(image, at(12.2, 17), blue));
}

void ToolkitTest::timerEnabledFlag()
{
    toolkit::Timer timer(1500, true);
    QElapsedTimer clock;
    clock.start();
    QList<qint64> ticks;
    connect(&timer, &toolkit::Timer::tick, this, [&] { ticks << clock.elapsed(); });
    QTest::qWait(700);
    timer.setEnabled(true); // already running: its period goes on
    QTRY_VERIFY_WITH_TIMEOUT(!ticks.isEmpty(), 3000);
    QVERIFY2(ticks.first() < 1850,
             qPrintable(QStringLiteral("tick after %1 ms; a restart gives 2200").arg(ticks.first())));

    timer.setEnabled(false);
    QTest::qWait(1700);
    QVERIFY2(ticks.size() == 1, "a disabled timer ticked");
    const qint64 enabledAt = clock.elapsed();
    timer.setEnabled(true); // stopped: a full interval from now
    QTRY_VERIFY_WITH_TIMEOUT(ticks.size() == 2, 3000);
    QVERIFY2(ticks.last() - enabledAt >= 1350,
             qPrintable(QStringLiteral("tick %1 ms after enabling").arg(ticks.last() - enabledAt)));
}

QTEST_MAIN(ToolkitTest)
#include "tst_toolkit.moc"
