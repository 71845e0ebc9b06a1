// The toolkit as the handlers rely on it: where the pointer lands among stacked controls,
// which learner actions count as a selection, the rich-text steps, canvas pixels, timers.

#include "lesson_window/lesson_window.h"
#include "test_support.h"
#include "toolkit/units.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QtTest>

#include <cmath>

namespace {

const QString kCase3 = QStringLiteral(
    " (3)  If | r1 - r2 | < PQ < r1 + r2  then the two circles intersect each other in 2 Points.");

// The colour within `radius` pixels of a point given in device pixels.
bool colourNear(const QImage &image, QPointF at, const QColor &colour, int radius = 1)
{
    const int cx = int(std::floor(at.x())), cy = int(std::floor(at.y()));
    for (int y = cy - radius; y <= cy + radius; ++y)
        for (int x = cx - radius; x <= cx + radius; ++x)
            if (image.rect().contains(x, y) && testing::near(image.pixelColor(x, y), colour))
                return true;
    return false;
}

// The typing acts first type the row's text over the item shown.
enum class Act { Arrow, Wheel, Click, Open, TypeEnter, TypeLeave };
struct ComboAct { Act act; bool enabled; int selections; QString shownAfter; };

} // namespace

Q_DECLARE_METATYPE(ComboAct)

class ToolkitTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::prepareApplication(); }

    // Stacked controls: the platform hands the pointer to the topmost one at that spot.
    void pointerReachesTheTopmostControl()
    {
        frmTarvolen_300413 w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // lblCombo spans 1080..1695 twips down the window, Frame_Cbo ends at 1575 and covers the rest.
        const struct { bool frameShown; int yTwips; bool reachesLabel; const char *where; } spots[] = {
            {true, 1350, false, "over CboR2"}, {true, 1530, false, "over the frame's bare bottom"},
            {true, 1635, true, "on the strip below the frame"}, {false, 1350, true, "frame hidden"}};
        for (const auto &spot : spots) {
            w.Frame_Cbo->setVisible(spot.frameShown);
            const QPoint pos(toolkit::twipsToPixel(12750), toolkit::twipsToPixel(spot.yTwips));
            QVERIFY(w.lblCombo->geometry().contains(pos));
            QTest::mouseMove(w.windowHandle(), QPoint(5, 5));
            QSignalSpy moved(w.lblCombo, &toolkit::Label::mouseMoved);
            QTest::mouseMove(w.windowHandle(), pos);
            QTest::mouseMove(w.windowHandle(), pos + QPoint(2, 0));
            QCoreApplication::processEvents();
            QVERIFY2(moved.isEmpty() != spot.reachesLabel, spot.where);
        }

        // Next and Back share one spot; Next lies on top until its click turns the page.
        QCOMPARE(w.lblNext->geometry(), w.lblBack->geometry());
        QSignalSpy next(w.lblNext, &toolkit::Label::clicked), back(w.lblBack, &toolkit::Label::clicked);
        const QPoint spot = w.lblNext->geometry().center();
        QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, spot);
        QVERIFY2(next.count() == 1 && back.isEmpty(), "lblBack beneath lblNext got the click");
        QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, spot);
        QVERIFY(next.count() == 1 && back.count() == 1);
    }

    void comboSelectionEvents_data()
    {
        QTest::addColumn<ComboAct>("c"); // each starts with "4" shown out of "0".."12"
        QTest::newRow("arrow down") << ComboAct{Act::Arrow, true, 1, "5"};
        QTest::newRow("wheel step up") << ComboAct{Act::Wheel, true, 1, "3"};
        QTest::newRow("click another item") << ComboAct{Act::Click, true, 1, "9"};
        QTest::newRow("click the item shown") << ComboAct{Act::Click, true, 1, "4"};
        QTest::newRow("Enter after typing an item") << ComboAct{Act::TypeEnter, true, 0, "7"};
        QTest::newRow("leaving after typing an item") << ComboAct{Act::TypeLeave, true, 0, "7"};
        QTest::newRow("Enter after typing a non-item") << ComboAct{Act::TypeEnter, true, 0, "77"};
        QTest::newRow("disabled: arrow down") << ComboAct{Act::Arrow, false, 0, "4"};
        QTest::newRow("disabled: wheel step") << ComboAct{Act::Wheel, false, 0, "4"};
        QTest::newRow("disabled: click to open") << ComboAct{Act::Open, false, 0, "4"};
    }
    void comboSelectionEvents()
    {
        QFETCH(ComboAct, c);
        QWidget host;
        toolkit::ComboBox combo(&host);
        QLineEdit elsewhere(&host);
        combo.setGeometry(10, 10, 80, 28);
        elsewhere.setGeometry(10, 100, 80, 28);
        for (int n = 0; n <= 12; ++n)
            combo.appendItem(QString::number(n));
        combo.setCurrentIndex(4);
        combo.setEnabled(c.enabled);
        host.show();
        QVERIFY(QTest::qWaitForWindowActive(&host));
        combo.setFocus();

        // Everything the learner does is watched, typing included.
        QSignalSpy selected(&combo, &toolkit::ComboBox::selected);
        const QPoint arrow(combo.geometry().right() - 6, combo.geometry().center().y());
        QWheelEvent wheel(QPointF(20, 14), combo.mapToGlobal(QPointF(20, 14)), {}, {0, 120}, Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        if (c.act >= Act::TypeEnter) {
            combo.lineEdit()->selectAll();
            QTest::keyClicks(&combo, c.shownAfter);
        }
        if (c.act == Act::Click || c.act == Act::Open)
            QTest::mouseClick(host.windowHandle(), Qt::LeftButton, {}, arrow);
        switch (c.act) {
        case Act::Arrow: QTest::keyClick(&combo, Qt::Key_Down); break;
        case Act::Wheel: QApplication::sendEvent(&combo, &wheel); break;
        case Act::Click: {
            QTRY_VERIFY(combo.view()->isVisible());
            // The list ignores a release that comes sooner than a double click after it opened.
            QTest::qWait(QApplication::doubleClickInterval() + 50);
            const QRect item = combo.view()->visualRect(combo.model()->index(c.shownAfter.toInt(), 0));
            QTest::mouseClick(combo.view()->viewport(), Qt::LeftButton, {}, item.center());
            QTRY_VERIFY(!combo.view()->isVisible());
            break;
        }
        case Act::Open: QVERIFY2(!combo.view()->isVisible(), "a disabled list opened"); break;
        case Act::TypeEnter: QTest::keyClick(&combo, Qt::Key_Return); break;
        case Act::TypeLeave: elsewhere.setFocus(); QTRY_VERIFY(elsewhere.hasFocus()); break;
        }
        QCoreApplication::processEvents();
        QCOMPARE(selected.count(), c.selections);
        QCOMPARE(combo.text(), c.shownAfter);
        QCOMPARE(combo.count(), 13); // nothing typed is added to the list
    }

    void findUpToSpan()
    {
        const int r1 = kCase3.indexOf("r1"), sum = kCase3.indexOf("r1 + r2"), end = kCase3.size();
        const struct { const char *what; int caret; QString op, arg; int selStart, selLength; } steps[] = {
            {"find skips what lies before the caret", r1 + 1, "find", "r1", sum, 2},
            {"find of an earlier text keeps the caret", sum, "find", "If", sum, 0},
            {"up to a digit", 0, "upTo", "2", r1 + 6, 0},
            {"up to an absent character: the end", 0, "upTo", "#", end, 0},
            {"span a run of blanks", 4, "span", " ", 4, 2},
            {"span with none at the caret", 0, "span", "x", 0, 0}};
        toolkit::RichTextBox box;
        box.setText(kCase3);
        for (const auto &s : steps) {
            box.setSelStart(s.caret);
            if (s.op == "find")
                QVERIFY2(box.find(s.arg) == (s.selLength > 0), s.what);
            else
                s.op == "upTo" ? box.upTo(s.arg) : box.span(s.arg);
            QVERIFY2(box.selStart() == s.selStart && box.selLength() == s.selLength,
                     qPrintable(QString("%1: %2 + %3").arg(s.what).arg(box.selStart()).arg(box.selLength())));
        }
        QCOMPARE(box.text(), kCase3);
    }

    void subscriptStep_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("offsetTwips");
        // Two offsets, so the lowering has to follow the twips rather than be a fixed amount.
        QTest::newRow("case (3), 80 twips") << kCase3 << -80;
        QTest::newRow("r1 prompt, 60 twips") << "Now  select  length  of  radius  r1   for one circle." << -60;
        QTest::newRow("absent name changes nothing") << "circle with centre Q and radius r2." << -60;
    }
    void subscriptStep()
    {
        QFETCH(QString, text);
        QFETCH(int, offsetTwips);
        toolkit::RichTextBox box;
        box.setFont(toolkit::makeFont({"Times New Roman", 14.25}));
        box.setGeometry(0, 0, 700, 27); // one line high, like a case box
        box.setText(text);
        box.setSelStart(0);
        QCOMPARE(box.find("r1"), text.contains("r1"));
        box.upTo("1");
        box.span("1");
        box.setSelCharOffset(offsetTwips);
        box.setSelFontSize(7);

        const int lowered = text.contains("r1") ? text.indexOf("r1") + 1 : -1;
        QCOMPARE(box.text(), text);
        const double boxPoints = box.document()->defaultFont().pointSizeF();
        for (int i = 0; i < text.size(); ++i) {
            const QTextCharFormat f = box.charFormatAt(i);
            const double pt = f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize() : boxPoints;
            const bool small = pt == 7.0 && f.baselineOffset() < 0;
            const bool plain = pt == boxPoints && f.baselineOffset() == 0;
            QVERIFY2(i == lowered ? small : plain, qPrintable(QString("character %1 '%2'").arg(i).arg(text[i])));
        }
        if (lowered < 0)
            return;
        // On screen the digit stands lower than its "r" by the offset to within a pixel (15 twips
        // a pixel: 80 and 60 twips land a pixel apart) and the one-line box does not cut it off.
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        const QImage image = box.grab().toImage();
        const auto bottom = [&](int position) { // lowest row of dark ink in that character's column
            QTextCursor c(box.document());
            c.setPosition(position);
            const int x0 = box.cursorRect(c).x() + 1;
            c.setPosition(position + 1);
            for (int y = image.height() - 1; y >= 0; --y)
                for (int x = x0; x < box.cursorRect(c).x(); ++x)
                    if (qGray(image.pixel(x, y)) < 140)
                        return y;
            return -1;
        };
        const int drop = bottom(lowered) - bottom(lowered - 1);
        QVERIFY2(std::abs(drop + offsetTwips / toolkit::kTwipsPerPixel) < 1.0,
                 qPrintable(QString("lowered by %1 px").arg(drop)));
        QVERIFY2(bottom(lowered) < image.height() - 1, "the lowered digit is cut off");
    }

    void pixelsWhereCentimetresSay_data()
    {
        QTest::addColumn<double>("dpr");
        QTest::newRow("ratio 1") << 1.0;
        QTest::newRow("ratio 2") << 2.0;
    }
    void pixelsWhereCentimetresSay()
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
        // Twips per centimetre over twips per pixel, worked out here, not taken from units.h.
        const auto at = [&](double x, double y) { return QPointF(x, y) * (566.929 / 15.0 * dpr); };

        QVERIFY(colourNear(image, at(5, 5), green, 0));
        QVERIFY2(!colourNear(image, at(5, 5) + QPointF(3 * dpr, 0), green, 0), "point wider than 3 px");
        for (const QPointF &on : {at(16, 10), at(10, 10), at(13, 7), at(13, 13)})
            QVERIFY2(colourNear(image, on, red), qPrintable(QString("no red at %1,%2").arg(on.x()).arg(on.y())));
        QVERIFY(!colourNear(image, at(13, 10), red, 3));
        QVERIFY(!colourNear(image, at(15.8, 10), red) && !colourNear(image, at(16.2, 10), red));
        QVERIFY(colourNear(image, at(2.05, 17), blue) && colourNear(image, at(11.95, 17), blue));
        QVERIFY(!colourNear(image, at(7, 17.1), blue, 0) && !colourNear(image, at(12.2, 17), blue));
    }

    void timerEnabledFlag()
    {
        toolkit::Timer timer(1500, true);
        QElapsedTimer clock;
        clock.start();
        QList<qint64> ticks;
        connect(&timer, &toolkit::Timer::tick, this, [&] { ticks << clock.elapsed(); });
        QTest::qWait(700);
        timer.setEnabled(true); // already running: its period goes on (a restart ticks at 2200 ms)
        QTRY_VERIFY_WITH_TIMEOUT(!ticks.isEmpty(), 3000);
        QVERIFY2(ticks.first() < 1850, qPrintable(QString("first tick at %1 ms").arg(ticks.first())));
        timer.setEnabled(false);
        QTest::qWait(1700);
        QVERIFY2(ticks.size() == 1, "a disabled timer ticked");
        const qint64 enabledAt = clock.elapsed();
        timer.setEnabled(true); // stopped: a full interval from now
        QTRY_VERIFY_WITH_TIMEOUT(ticks.size() == 2, 3000);
        const qint64 waited = ticks.last() - enabledAt;
        QVERIFY2(waited >= 1350, qPrintable(QString("tick %1 ms after enabling").arg(waited)));
    }
};

QTEST_MAIN(ToolkitTest)
#include "tst_toolkit.moc"
