// Random learner sessions against the real window, offscreen, with the lesson's invariants
// checked after every action:
//
//   tarvolen_fuzz [--actions N] [--seed N] [--sessions N] [--trace]
//
// Session i uses seed + i on a fresh window for up to 400 actions; a failure prints its seed
// and action, and `--seed S --sessions 1 --trace` replays it action by action. The blink
// timers tick only when the session says so, so a replay does what the run did.

#include "lesson_window/lesson_window.h"
#include "test_support.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QPrinter>
#include <QStyleHints>
#include <QtTest>

#include <functional>
#include <random>

namespace {

QStringList g_complaints;

void check(bool ok, const QString &what) { if (!ok) throw what; }

struct Session
{
    explicit Session(uint64_t seed) : rng(seed)
    {
        // Print is answered as a learner might: mostly cancelled, now and then with some copies (a PDF file here).
        w.setPrintDialogRunner(std::make_unique<testing::AnsweringDialog>([this](QPrinter &printer) {
            printer.setOutputFileName(dir.filePath("print.pdf"));
            printer.setCopyCount(std::array{1, 3, 0, -1, 40000}[pick(5)]);
            return pick(10) == 0;
        }));
        // Real ticks would make a replay depend on the clock: the session ticks instead.
        testing::freezeBlinks(w);
        QGuiApplication::clipboard()->clear(); // nothing an earlier session cut may be pasted here
        w.show();
    }

    int pick(int n) { return int(rng() % uint64_t(qMax(n, 1))); }
    // A point of the window over a control or an open popup; the pointer lands on whatever is on top there.
    QPoint inside(QWidget *c) { return w.mapFromGlobal(c->mapToGlobal(QPoint(pick(c->width()), pick(c->height())))); }

    QString act()
    {
        // Keys and clicks go to the lesson's window; Qt hands them on to an open popup, as for a real learner.
        const int roll = pick(100);
        if (roll < 50) { // the pointer over a list, an open popup, a control or anywhere; Home seldom
            QWidget *popup = QApplication::activePopupWidget();
            const QStringList places = {"CboR1", "CboR2", "CboPQ", "CboPQ", "frmTarvolen_300413", "lblNext", "lblCombo",
                                        "rtBox3", "frameHelp", "lblPrint", "lblHome"};
            const int place = pick(pick(20) ? 10 : 11);
            const QPoint at = inside(place == 3 && popup ? popup : place == 4 ? &w : c(places[place]));
            QWidget *under = w.childAt(at) ? w.childAt(at) : &w;
            const int how = pick(10); // move; left click; wheel notch; right click
            QWheelEvent wheel(under->mapFrom(&w, at), w.mapToGlobal(at), {}, {0, pick(2) ? 120 : -120}, Qt::NoButton,
                              {}, Qt::NoScrollPhase, false);
            QTest::mouseMove(w.windowHandle(), at);
            if (how == 8)
                QApplication::sendEvent(under, &wheel);
            else if (how > 3)
                QTest::mouseClick(w.windowHandle(), how == 9 ? Qt::RightButton : Qt::LeftButton, {}, at);
            homeClicked = how > 3 && how != 8 && under == c("lblHome") && !popup;
            return QString::asprintf("pointer %d at %d,%d", how, at.x(), at.y());
        }
        // Text typed after Ctrl+A replaces what a list shows; Enter, Tab and Escape end it.
        if (roll < 70) {
            static const QKeyCombination kKeys[] = {Qt::Key_Down, Qt::Key_Up, Qt::Key_Return, Qt::Key_Escape,
                Qt::Key_Tab, Qt::Key_Backtab, Qt::ALT | Qt::Key_Down, Qt::CTRL | Qt::Key_A, Qt::ALT | Qt::Key_N,
                Qt::ALT | Qt::Key_B, Qt::ALT | Qt::Key_P, Qt::CTRL | Qt::Key_X, Qt::CTRL | Qt::Key_V};
            const QKeyCombination key = kKeys[pick(int(std::size(kKeys)))];
            QTest::keyClick(w.windowHandle(), key.key(), key.keyboardModifiers());
            return QString::asprintf("key %x", key.toCombined());
        }
        if (roll < 82) { // a short number, decimals and letters too, or text of any kind and length
            static const QString kSigns = QStringLiteral("-+.,e x\t\n\u0661\u00bd\u200b\u0301");
            QString text(pick(8) ? 0 : 1000 + pick(40000), QChar(u'1' + pick(9))); // now and then a huge number
            if (pick(2))
                text = QString::number(pick(14)) + std::array{"", ".5", ".6", ",5", "abc", "e1"}[pick(6)];
            for (int i = 0, n = pick(2) ? 0 : pick(12); i < n; ++i)
                text += pick(2) ? QChar(u'0' + pick(10)) : pick(3) ? kSigns[pick(kSigns.size())] : QChar(pick(0xD800));
            // At once, as an input method or a paste tool gives it.
            QTest::sendKeyEvent(QTest::Click, w.windowHandle(), Qt::Key_unknown, text, {});
            return QStringLiteral("type %1 characters").arg(text.size());
        }
        auto *timer = testing::find<toolkit::Timer>(w, std::array{"Timer1", "Timer2", "Timer5", "Timer6"}[pick(4)]);
        if (timer->isEnabled())
            timer->fire();
        return QStringLiteral("tick if running: ") + timer->objectName();
    }

    void checkInvariants()
    {
        check(g_complaints.isEmpty(), "Qt complained: " + g_complaints.value(0));
        if (!w.isVisible()) // only Home ends the lesson (and the session), and no blink outlives it
            return check(homeClicked && std::none_of(timers.begin(), timers.end(), [](auto *t) { return t->isEnabled(); }),
                         "the lesson ended without Home or left a blink running");
        // Next and Back share one place (13440, 120 twips): the one on top there is the one a learner can reach.
        // The client area is 15270 x 11040 twips.
        QWidget *top = w.childAt(912, 16);
        const bool intro = top == c("lblNext");
        check(w.size() == QSize(1018, 736) && (intro || top == c("lblBack")), "the window resized or lost Next and Back");
        // The introduction shows its sentences and nothing of the practice page, which shows the lists instead.
        check(c("Frame_Cbo")->isVisible() != intro && c("rtfSuppose1")->isVisible() == intro
              && (!intro || (c("lblPrint")->isHidden() && !testing::figureShown(w))), "the pages are mixed up");
        const QString lists = list("CboR1")->currentText() + u'|' + list("CboR2")->currentText() + u'|' + list("CboPQ")->currentText();
        check(hiddenLists.isNull() || c("Frame_Cbo")->isVisible() || lists == hiddenLists, "a hidden list took input");
        hiddenLists = c("Frame_Cbo")->isHidden() ? lists : QString();

        const QString looks = testing::caseLooks(w); // the yellow of a highlighted case, as the learner sees it
        const int lit = int(looks.count('y')), which = int(looks.indexOf('y')) + 1;
        check(lit <= (intro ? 0 : 1), QStringLiteral("%1 case boxes are yellow").arg(lit));

        // The figure and the lit case agree with what the three lists show, or none is there.
        // The circles cross the row 0.5 cm above their centres (13 cm down), where no dot, text or control lies.
        const QImage row = w.grab(QRect(0, 472, 1018, 1)).toImage();
        QList<int> red;
        for (int x = 0; x < row.width(); ++x)
            if (testing::near(row.pixelColor(x, 0), Qt::red, 60))
                red << x;
        const bool coincide = w.findChild<QWidget *>("lblCoincide")->isVisible();
        int v[3], listed = 0; // the values shown, where each is an item of its list
        for (const char *name : {"CboR1", "CboR2", "CboPQ"}) {
            const QString t = list(name)->currentText();
            v[listed] = t.toInt();
            listed += list(name)->findText(t) >= 0;
        }
        const auto [r1, r2, pq] = std::tuple(v[0], v[1], v[2]);
        if (red.isEmpty() && !lit && !coincide) { // none there: no choice to show, or the list with the keyboard holds a draft
            const QWidget *focus = w.focusWidget();
            return check(intro || listed < 3 || (focus && (focus->inherits("QComboBox") || focus->parentWidget()->inherits("QComboBox"))),
                         "no figure for the lists' " + lists);
        }
        check(!intro && listed == 3, "a figure or a highlight beside lists that show " + lists);
        const QString values = QStringLiteral("r1 = %1, r2 = %2 and PQ = %3").arg(r1).arg(r2).arg(pq);
        const int holds = testing::expectedCase(r1, r2, pq);
        check(which == holds && coincide == !holds, QStringLiteral("case %1 is lit for ").arg(which) + values);
        if (holds) {
            const QString said = QAccessible::queryAccessibleInterface(c(QString("rtBox%1").arg(holds)))->text(QAccessible::Description);
            check(said.startsWith("This case holds for the chosen " + values + ". "), "a screen reader hears: " + said);
        }
        const QPointF p(13 - pq / 2.0, 13), q(13 + pq / 2.0, 13); // the centres in cm, the middle at (13, 13)
        QList<double> crossings; // in pixels, 37.8 to the cm
        for (const auto &[c, r] : {std::pair(p.x(), r1), std::pair(q.x(), r2)})
            for (const int side : {-1, 1})
                crossings << (c + side * std::sqrt(r * r - 0.25)) * 1440 / 2.54 / 15;
        const auto near = [](int x, double c) { return std::abs(x + 0.5 - c) < 2.5; };
        bool off = false; // a crossing without red ink, or red ink off the crossings
        for (const double c : crossings)
            off |= std::none_of(red.begin(), red.end(), [&](int x) { return near(x, c); });
        for (const int x : red)
            off |= std::none_of(crossings.begin(), crossings.end(), [&](double c) { return near(x, c); });
        check(!off, "circles off for " + values);
        // Green dots only inside both circles (the centres' own aside), looked for where either circle is.
        const double cm = 1440 / 2.54 / 15, px = p.x() * cm, qx = q.x() * cm, y = 13 * cm;
        const QRect area = QRectF(QPointF(std::min(px - r1 * cm, qx - r2 * cm), y - std::max(r1, r2) * cm),
                                  QPointF(std::max(px + r1 * cm, qx + r2 * cm), y + std::max(r1, r2) * cm)).toRect().adjusted(-4, -4, 4, 4);
        const QImage figure = w.grab(area).toImage().convertToFormat(QImage::Format_RGB32);
        int dots = 0, strays = 0;
        for (int j = 0; j < figure.height(); ++j) {
            const QRgb *row = reinterpret_cast<const QRgb *>(figure.constScanLine(j));
            for (int i = 0; i < figure.width(); ++i) {
                const double toP = std::hypot(area.x() + i - px, area.y() + j - y), toQ = std::hypot(area.x() + i - qx, area.y() + j - y);
                if (qGreen(row[i]) > 150 && qRed(row[i]) < 60 && qBlue(row[i]) < 60 && toP > 4 && toQ > 4)
                    ++(toP < r1 * cm + 2 && toQ < r2 * cm + 2 ? dots : strays); // a dot's edge may reach 2 px out
            }
        }
        // Every common region the lists can make holds grid points; touching or apart, none.
        check(!strays && (pq < r1 + r2) == (dots > 0), "wrong common region for " + values);
    }

    QWidget *c(const QString &name) const { return testing::find(w, name); }
    toolkit::ComboBox *list(const QString &name) const { return testing::find<toolkit::ComboBox>(w, name); }

    std::mt19937_64 rng;
    QTemporaryDir dir;
    frmTarvolen_300413 w;
    const QList<toolkit::Timer *> timers = w.findChildren<toolkit::Timer *>();
    bool homeClicked = false;
    QString hiddenLists; // the lists' texts while they are hidden
};

} // namespace

int main(int argc, char **argv)
{
    long seed = 1, actions = 20000, sessions = -1; // -1: as many as the actions need
    bool trace = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray opt = argv[i];
        long *value = opt == "--seed" ? &seed : opt == "--actions" ? &actions : opt == "--sessions" ? &sessions : nullptr;
        if (value && i + 1 < argc)
            *value = std::atol(argv[++i]);
        else if (!(trace = opt == "--trace")) // anything else is a mistake
            return std::fprintf(stderr, "usage: %s [--actions N] [--seed N] [--sessions N] [--trace]\n", argv[0]), 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "1"); // the case boxes' pixels are read at a ratio of 1
    QApplication app(argc, argv);
    testing::prepareApplication();
    // An opened list ignores a release this soon after it opens: with none, no waiting on the clock.
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(0);
    // Qt's own complaints (a painter on a bad device, a font of size 0) are faults too; the
    // offscreen platform's notes and font noise for scripts the fonts lack are not.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type != QtDebugMsg && !message.contains("does not support") && !message.contains("OpenType"))
            g_complaints << message;
    });
    long done = 0, run = 0, failures = 0;
    QElapsedTimer clock;
    for (clock.start(); done < actions && failures < 20 && run != sessions; ++seed, ++run) {
        QString action = QStringLiteral("opening the window");
        long index = 0;
        try {
            Session s(seed);
            for (s.checkInvariants(); index < 400 && done < actions && s.w.isVisible(); ++index, ++done) {
                action = s.act();
                if (trace)
                    std::printf("%ld %s\n", index, qPrintable(action));
                QCoreApplication::processEvents();
                s.checkInvariants();
            }
        } catch (const QString &error) {
            ++failures;
            std::printf("FAIL seed %ld action %ld (%s): %s\n", seed, index, qPrintable(action), qPrintable(error));
            g_complaints.clear();
        }
    }
    std::printf("random sessions: %ld actions in %ld sessions, %.1f s, %.0f actions/s, %ld failed\n", done, run,
                clock.elapsed() / 1000.0, done * 1000.0 / qMax<qint64>(1, clock.elapsed()), failures);
    return failures ? 1 : 0;
}
