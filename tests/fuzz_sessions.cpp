// Random learner sessions against the real window, offscreen: pointer moves and clicks anywhere,
// the opened lists, keys, wheel steps, any text typed into the lists, timer ticks, Print answered
// with cancel or copies, now and then Home, with the lesson's invariants checked after every action.
//
//   tarvolen_fuzz [--actions N] [--seed N] [--sessions N] [--length N] [--trace]
//
// Session i uses seed + i on a fresh window for --length actions and stops at its first failure;
// `--seed S --sessions 1 --trace` replays it action by action. The blink timers tick only when
// the session says so, so a replay does what the run did.

#include "lesson_window/lesson_window.h"
#include "printing/print_dialog.h"
#include "test_support.h"
#include "toolkit/units.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPrinter>
#include <QStyleHints>
#include <QWheelEvent>
#include <QtTest>

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <random>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace {

using Window = frmTarvolen_300413;
using Op = toolkit::Canvas::Op;

struct Options
{
    uint64_t seed = 1;
    long actions = 20000, sessions = -1; // -1: as many as the actions need
    int length = 400;
    bool trace = false;
};

int pick(std::mt19937_64 &rng, int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

// Trace lines and failure messages are built from these pieces; a point reads (x,y).
std::string piece(const char *text) { return text; }
std::string piece(const std::string &text) { return text; }
std::string piece(const QString &text) { return text.toStdString(); }
template <typename N, typename = std::enable_if_t<std::is_arithmetic_v<N>>>
std::string piece(N number) { return std::to_string(number); }
std::string piece(const QPoint &p) { return "(" + piece(p.x()) + "," + piece(p.y()) + ")"; }
template <typename... T>
std::string cat(const T &...parts) { return (std::string() + ... + piece(parts)); }

[[noreturn]] void fail(const std::string &message) { throw std::runtime_error(message); }
// The message is put together only when the check fails.
template <typename... T>
void check(bool ok, const T &...parts)
{
    if (!ok)
        fail(cat(parts...));
}

// Qt's own complaints (a painter on a bad device, a font of size 0, ...) are faults too; the
// offscreen platform's notes on what it leaves out and font noise for scripts the substitute
// fonts lack are not the lesson's doing.
std::vector<std::string> g_messages;
QtMessageHandler g_previousHandler = nullptr;

void collectMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtDebugMsg && type != QtInfoMsg
        && !message.startsWith(QLatin1String("This plugin does not support"))
        && !message.contains(QLatin1String("OpenType support missing")))
        g_messages.push_back(message.toStdString());
    if (type == QtFatalMsg && g_previousHandler)
        g_previousHandler(type, context, message);
}

// Answers Print as a learner might: mostly cancel, now and then some copies into a PDF file.
struct AnsweringDialog : PrintDialogRunner
{
    AnsweringDialog(std::mt19937_64 &rng, const QString &dir) : rng(rng), dir(dir) {}

    bool run(QPrinter &printer, QWidget *) override
    {
        ++opened;
        file.clear();
        expectedPages = 0;
        if (pick(rng, 10) != 0)
            return false;
        static const int kCopies[] = {1, 2, 3, 0, -1, 40000, 1, 2};
        const int copies = kCopies[pick(rng, 8)];
        file = QStringLiteral("%1/print-%2.pdf").arg(dir).arg(opened);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setCopyCount(copies);
        // The PDF engine makes no copies itself: each copy is a page.
        expectedPages = copies >= 1 && copies <= 32767 ? copies : 0;
        return true;
    }

    std::mt19937_64 &rng;
    const QString dir;
    int opened = 0, expectedPages = 0; // dialogs so far; the last one's pages
    QString file;                      // the last one's output, empty when it was cancelled
};

QString randomText(std::mt19937_64 &rng)
{
    auto pick = [&](int n) { return ::pick(rng, n); };
    static const char16_t *const kTexts[] = {
        u"", u" ", u"0", u"1", u"3", u"5", u"12", u"13", u"-3", u"-0", u"+4", u"2.5", u"3.5", u"0.49999",
        u".5", u"7.", u"1e3", u"1e309", u"-1e309", u"nan", u"inf", u"-inf", u"0x10", u"32767", u"32768",
        u"-32768", u"-32769", u"65536", u"99999999999999999999", u"12abc", u"abc", u" r1", u" r2", u"PQ",
        u"pq", u"r1", u"\u0661\u0662", u"\u00bd", u"\u00b2", u"\u00df\u00e9", u"\u05e9\u05dc\u05d5\u05dd",
        u"\U0001F600", u"e\u0301", u"\u200b5", u"\t4", u"5\n", u"1,5", u"--5", u"2e", u"1e-400", u"\u0000",
    };
    const int kind = pick(10);
    if (kind < 6)
        return QString::fromUtf16(kTexts[pick(int(std::size(kTexts)))]);
    QString text;
    if (kind < 8) {
        // A few characters from anywhere in the Basic Multilingual Plane, digits often.
        for (int i = 0, n = 1 + pick(12); i < n; ++i)
            text += QChar(char16_t(pick(3) == 0 ? '0' + pick(10) : 0x20 + pick(0xD7FF - 0x20)));
        return text;
    }
    // Huge: a long number or a long run of anything.
    const int n = 1000 + pick(40000);
    text.reserve(n + 1);
    if (pick(2))
        text += QLatin1Char('-');
    for (int i = 0; i < n; ++i)
        text += QChar(char16_t(pick(4) ? '0' + pick(10) : 0x21 + pick(0x5E)));
    return text;
}

// A widget by its design name, or by its kind and the control it belongs to.
std::string nameOf(const QWidget *widget)
{
    if (!widget)
        return "nothing";
    if (!widget->objectName().isEmpty())
        return widget->objectName().toStdString();
    return cat(widget->metaObject()->className(), " in ", nameOf(widget->parentWidget()));
}

// Keys reach the window that has the keyboard (the learner's window when no other shows),
// and Qt hands them to its focus widget or to an open popup, as for a real keyboard.
QWindow *keyWindow(Window &w)
{
    QWindow *focus = QGuiApplication::focusWindow();
    return focus && focus->isVisible() ? focus : w.windowHandle();
}

std::string keyReceiver(Window &w)
{
    QWidget *owner = QApplication::activePopupWidget() ? QApplication::activePopupWidget() : &w;
    return nameOf(owner->focusWidget() ? owner->focusWidget() : owner);
}

void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

struct Session
{
    Session(uint64_t seed, const Options &options, QTemporaryDir &dir)
        : options(options), rng(seed), dir(dir), listsOnly(pick(3) == 0) {}

    // Returns the number of actions done; on a failure, index is the failing action.
    long run()
    {
        createWindow();
        for (index = 0; index < options.length; ++index) {
            const std::string action = act();
            if (options.trace)
                std::printf("  %4ld %s\n", index, action.c_str());
            recent.push_back(action);
            if (recent.size() > 12)
                recent.pop_front();
            settle();
            checkInvariants();
        }
        return index;
    }

    int pick(int n) { return ::pick(rng, n); }
    bool chance(int percent) { return pick(100) < percent; }

    void createWindow()
    {
        window.reset();
        wentOn = false;
        QGuiApplication::clipboard()->clear();
        window = std::make_unique<Window>();
        timers = {window->Timer1, window->Timer2, window->Timer5, window->Timer6};
        // Real ticks would make a replay depend on the clock: the session ticks instead.
        for (toolkit::Timer *timer : timers)
            for (QTimer *inner : timer->findChildren<QTimer *>())
                inner->blockSignals(true);
        dialog = new AnsweringDialog(rng, dir.path());
        window->setPrintDialogRunner(std::unique_ptr<PrintDialogRunner>(dialog));
        window->move(0, 0);
        window->show();
        window->activateWindow();
        check(QTest::qWaitForWindowExposed(window.get()), "the window was never exposed");

        Window &w = *window;
        places.clear();
        for (QWidget *control : controls())
            places[control] = {control->geometry()};
        // The case boxes: design places or the practice column, 0.7 cm once highlighted.
        const auto boxes = w.caseBoxes();
        const int lowered = toolkit::cmToPixel(0.7);
        for (int i = 0; i < 5; ++i) {
            const QRect design = boxes[i]->geometry();
            const QPoint column(toolkit::cmToPixel(3), toolkit::cmToPixel(3 + i));
            places[boxes[i]] = {design, QRect(column, design.size()),
                                QRect(design.topLeft(), QSize(design.width(), lowered)),
                                QRect(column, QSize(design.width(), lowered))};
        }
        // lblPQ: the invitation at the bottom or the prompt line at the top.
        const QRect pq = w.lblPQ->geometry();
        places[w.lblPQ] = {pq, QRect(QPoint(pq.x(), toolkit::cmToPixel(0.106)), pq.size())};
        const float top = 7.595f, low = 17.595f;
        shapeHeights = {{w.Shape1->heightCm(), top, low},
                        {w.Shape2->heightCm(), float(top - 0.25), float(low - 0.25)},
                        {w.Shape3->heightCm(), float(top + 0.4), float(low + 0.4)}};
        settle();
        checkInvariants();
    }

    std::vector<QWidget *> controls() const
    {
        Window &w = *window;
        return {w.lblPrint, w.lblCombo, w.lblPQ, w.lblNext, w.lblBack, w.lblHome, w.lblPossibility,
                w.lblTarvolen, w.Frame_Cbo, w.CboR1, w.CboR2, w.CboPQ, w.lblR1, w.lblR11, w.lblR2,
                w.lblR22, w.lblPQ1, w.frameHelp, w.lblHelp, w.rtfSelect, w.rtfSuppose1, w.rtfSuppose2,
                w.rtBox1, w.rtBox2, w.rtBox3, w.rtBox4, w.rtBox5, w.rtfHighlight};
    }

    QWidget *anyList() { return std::vector<QWidget *>{window->CboR1, window->CboR2, window->CboPQ}[pick(3)]; }
    QPoint anywhere() { return QPoint(pick(Window::kClientWidth), pick(Window::kClientHeight)); }
    QPoint inside(const QWidget *w) { return QPoint(pick(qMax(1, w->width())), pick(qMax(1, w->height()))); }

    // A point of the window: inside some control (visible or not: the pointer lands on
    // whatever covers it), on the lists more often, or anywhere at all.
    std::pair<QPoint, std::string> somewhere()
    {
        Window &w = *window;
        const int where = pick(20);
        QWidget *target = nullptr;
        if (where < 6)
            target = anyList();
        else if (where < 9)
            target = std::vector<QWidget *>{w.lblNext, w.lblBack, w.lblCombo}[pick(3)];
        else if (where < 17)
            target = controls()[pick(int(controls().size()))];
        if (!target || (target == w.lblPrint && !chance(15)) || (target == w.lblHome && !chance(3)))
            return {anywhere(), "surface"};
        return {target->mapTo(&w, inside(target)), target->objectName().toStdString()};
    }

    std::string act()
    {
        if (QWidget *popup = QApplication::activePopupWidget(); popup && chance(70))
            return actOnPopup(popup);
        const int roll = pick(100);
        if (roll < 22) {
            const auto [point, name] = somewhere();
            QTest::mouseMove(window->windowHandle(), point);
            return cat("move over ", name, " ", point);
        }
        if (roll < 42)
            return click();
        if (roll < 54)
            return pressKey();
        if (roll < 64)
            return turnWheel();
        if (roll < 74 && !listsOnly)
            return typeText();
        std::vector<toolkit::Timer *> running;
        for (toolkit::Timer *timer : timers)
            if (timer->isEnabled())
                running.push_back(timer);
        if (running.empty())
            return "no timer runs";
        toolkit::Timer *timer = running[pick(int(running.size()))];
        timer->fire();
        return cat("tick ", timer->objectName());
    }

    std::string click()
    {
        const auto [point, name] = somewhere();
        const bool home = window->childAt(point) == window->lblHome;
        const int printsBefore = dialog->opened;
        QWindow *handle = window->windowHandle();
        QTest::mouseMove(handle, point);
        // The edit field's context menu offers cut, paste, undo: typing by other means.
        const int button = pick(20);
        const bool right = button == 0 && !listsOnly;
        if (button == 1)
            QTest::mouseDClick(handle, Qt::LeftButton, {}, point);
        else
            QTest::mouseClick(handle, right ? Qt::RightButton : Qt::LeftButton, {}, point);
        std::string what = right ? "right-click" : button == 1 ? "double-click" : "click";
        what += cat(" on ", name, " ", point);
        if (dialog->opened != printsBefore && dialog->file.isEmpty()) {
            what += " (print cancelled)";
        } else if (dialog->opened != printsBefore) {
            // A page is a "/Type /Page" object ("/Type /Pages" is their tree); unreadable counts -1.
            int pages = QFile::exists(dialog->file) ? -1 : 0;
            if (QFile pdf(dialog->file); pdf.open(QIODevice::ReadOnly)) {
                const QByteArray data = pdf.readAll();
                pages = 0;
                for (qsizetype at = data.indexOf("/Type /Page"); at >= 0; at = data.indexOf("/Type /Page", at + 1))
                    pages += at + 11 >= data.size() || data.at(at + 11) != 's';
            }
            QFile::remove(dialog->file);
            check(pages == dialog->expectedPages, "printing ", dialog->expectedPages, " copies gave ", pages, " pages");
            what += cat(" (printed ", pages, " pages)");
        }
        settle();
        if (!window->isVisible()) {
            // An open popup takes the click that closes it, so only a click that reaches Home
            // may end the lesson. Home stops every timer; the learner starts the program again.
            check(home, "the window closed after a ", what);
            for (toolkit::Timer *timer : timers)
                check(!timer->isEnabled(), "Home left ", timer->objectName(), " running");
            createWindow();
            what += " (Home: the lesson ended and starts again)";
        }
        return what;
    }

    std::string actOnPopup(QWidget *popup)
    {
        const int roll = pick(10);
        if (roll < 6) {
            // A row of the opened list (or any point of another popup).
            QPoint local = inside(popup);
            std::string what = "click in popup";
            auto *view = popup->findChild<QAbstractItemView *>();
            if (const int rows = view && view->model() ? view->model()->rowCount() : 0; rows > 0) {
                const QModelIndex item = view->model()->index(pick(rows), 0);
                local = view->viewport()->mapTo(popup, view->visualRect(item).center());
                what = cat("click item ", item.data().toString(), " of the list");
            }
            QTest::mouseClick(popup->windowHandle(), Qt::LeftButton, {}, local);
            return what;
        }
        if (roll < 8) {
            static const Qt::Key kKeys[] = {Qt::Key_Down,   Qt::Key_Up,       Qt::Key_Return,
                                            Qt::Key_Escape, Qt::Key_PageDown, Qt::Key_End};
            const Qt::Key key = kKeys[pick(int(std::size(kKeys)))];
            QTest::keyClick(keyWindow(*window), key);
            return cat("key ", int(key), " in popup");
        }
        // Somewhere else: the popup closes.
        const QPoint point = anywhere();
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, point);
        return cat("click beside the popup ", point);
    }

    std::string pressKey()
    {
        struct Key { Qt::Key key; Qt::KeyboardModifiers modifiers = {}; bool edits = false; };
        static const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
        static const Key kKeys[] = {
            {Qt::Key_Down}, {Qt::Key_Up}, {Qt::Key_PageDown}, {Qt::Key_PageUp}, {Qt::Key_Home},
            {Qt::Key_End}, {Qt::Key_Return}, {Qt::Key_Enter}, {Qt::Key_Escape}, {Qt::Key_Tab},
            {Qt::Key_Backtab, Qt::ShiftModifier}, {Qt::Key_Down, Qt::AltModifier}, {Qt::Key_F4},
            {Qt::Key_Space, {}, true}, {Qt::Key_Backspace, {}, true}, {Qt::Key_Delete, {}, true},
            {Qt::Key_A, ctrl}, {Qt::Key_Z, ctrl, true}, {Qt::Key_Y, ctrl, true},
            {Qt::Key_V, ctrl, true}, {Qt::Key_X, ctrl, true},
        };
        Key key;
        do
            key = kKeys[pick(int(std::size(kKeys)))];
        while (key.edits && listsOnly);
        const std::string receiver = keyReceiver(*window);
        QTest::keyClick(keyWindow(*window), key.key, key.modifiers);
        return cat("key ", int(key.key), " mod ", int(key.modifiers), " on ", receiver);
    }

    std::string turnWheel()
    {
        Window &w = *window;
        QWidget *list = chance(70) ? anyList() : nullptr;
        const QPoint point = list ? list->mapTo(&w, inside(list)) : anywhere();
        const int steps = (1 + pick(3)) * (pick(2) ? 1 : -1);
        QWidget *target = w.childAt(point) ? w.childAt(point) : &w;
        const QPointF local = target->mapFrom(&w, point), global = w.mapToGlobal(point);
        for (int i = 0; i < std::abs(steps); ++i) {
            QWheelEvent wheel(local, global, QPoint(), QPoint(0, steps > 0 ? 120 : -120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(target, &wheel);
        }
        return cat("wheel ", steps, " at ", point);
    }

    std::string typeText()
    {
        // Into a list's edit field: click it first when the focus is elsewhere.
        Window &w = *window;
        std::string how;
        if (!qobject_cast<QLineEdit *>(w.focusWidget()) || chance(30)) {
            QWidget *list = anyList();
            const QPoint point = list->mapTo(&w, QPoint(4 + pick(20), list->height() / 2));
            QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, point);
            how = cat("click ", point, ", ");
            settle();
        }
        if (chance(40))
            QTest::keyClick(keyWindow(w), Qt::Key_A, Qt::ControlModifier);
        const QString text = randomText(rng);
        const std::string receiver = keyReceiver(w);
        auto send = [&](const QString &keyText, Qt::Key key) {
            QTest::sendKeyEvent(QTest::Press, keyWindow(w), key, keyText, Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, keyWindow(w), key, keyText, Qt::NoModifier);
        };
        const int mode = pick(3);
        if (mode == 0 && text.size() <= 24) {
            // Key by key, as a keyboard sends them.
            for (const QChar c : text) {
                const char16_t u = c.toUpper().unicode();
                send(QString(c), u > 0x20 && u < 0x7F ? Qt::Key(u) : Qt::Key_unknown);
            }
            how += "keys";
        } else if (mode == 1) {
            // An input method commits the whole text at once to the focus object.
            QInputMethodEvent commit;
            commit.setCommitString(text);
            if (QObject *target = keyWindow(w)->focusObject())
                QApplication::sendEvent(target, &commit);
            how += "input method";
        } else {
            send(text, Qt::Key_unknown);
            how += "one key event";
        }
        if (chance(25)) {
            QTest::keyClick(keyWindow(w), Qt::Key_Return);
            how += " + Return";
        }
        return cat("type ", text.size(), " chars \"", text.left(16), text.size() > 16 ? "...\"" : "\"", " by ", how,
                   " into ", receiver);
    }

    void checkInvariants()
    {
        const std::vector<std::string> complaints = std::exchange(g_messages, {});
        check(complaints.empty(), "Qt complained: ", complaints.empty() ? std::string() : complaints.front());
        Window &w = *window;
        check(w.isVisible(), "the window is no longer shown");
        check(w.size() == QSize(Window::kClientWidth, Window::kClientHeight), "the window changed its size");

        // One of Next and Back is seen. Only at start does Back lie shown beneath Next; from
        // the first Next on exactly one of them is shown.
        const bool intro = !w.lblNext->isHidden();
        check(intro || !w.lblBack->isHidden(), "neither lblNext nor lblBack is shown");
        if (intro && !w.lblBack->isHidden()) {
            check(!wentOn, "both lblNext and lblBack are shown after a page change");
            check(w.childAt(w.lblNext->geometry().center()) == w.lblNext, "lblBack is seen above lblNext at start");
        }
        wentOn = wentOn || !intro;

        // Each case box is plain or highlighted, never half of each; at most one is
        // highlighted, none on the introduction page.
        int highlighted = 0, which = 0;
        const auto boxes = w.caseBoxes();
        for (int i = 0; i < 5; ++i) {
            const toolkit::RichTextBox &box = *boxes[i];
            const bool plain = box.backColor() == w.backColor() && !box.emphasis() && box.toolTip().isEmpty();
            const bool lit = box.backColor() == toolkit::bgr(0x0000FFFF) && box.emphasis()
                             && box.toolTip() == w.rtfHighlight->text();
            check(plain || lit, "rtBox", i + 1, " is neither plain nor highlighted");
            highlighted += lit;
            which = lit ? i + 1 : which;
        }
        check(highlighted <= 1, highlighted, " case boxes are highlighted");
        check(!intro || !highlighted, "rtBox", which, " is highlighted on the introduction page");

        for (const auto &[control, legal] : places) {
            const QRect g = control->geometry();
            check(std::find(legal.begin(), legal.end(), g) != legal.end(), control->objectName(),
                  " stands at an unknown place ", g.x(), ",", g.y(), " ", g.width(), "x", g.height());
        }
        const float heights[3] = {w.Shape1->heightCm(), w.Shape2->heightCm(), w.Shape3->heightCm()};
        for (int i = 0; i < 3; ++i) {
            const auto &legal = shapeHeights[i];
            check(std::find(legal.begin(), legal.end(), heights[i]) != legal.end(), "Shape", i + 1,
                  " has an unknown height ", heights[i]);
        }

        // The pages: what the introduction shows and the practice page hides.
        check(!intro || (w.Frame_Cbo->isHidden() && w.lblPrint->isHidden() && w.canvas.isEmpty()),
              "the introduction page shows the lists, Print or a figure");
        check(!intro || (!w.rtfSuppose1->isHidden() && !w.rtfHighlight->isHidden() && !w.lblPQ->isHidden()),
              "the introduction page lacks its sentences or invitation");
        check(intro || (!w.Frame_Cbo->isHidden() && w.rtfSuppose1->isHidden() && w.rtfHighlight->isHidden()),
              "the practice page does not show the lists alone");

        // The lists give radii 1 to 5 only; the centres are unset or about (13, 13).
        check(w.r1 >= 0 && w.r1 <= 5 && w.r2 >= 0 && w.r2 <= 5, "a radius outside the lists: r1 = ", w.r1,
              ", r2 = ", w.r2);
        check((w.MidX == 0 || w.MidX == 13) && w.CentreY == w.MidX, "the figure's middle moved away from (13, 13)");

        // Whatever was typed, the surface holds nothing or one figure: two circles, one
        // segment, three texts, and dots; it never piles up.
        const auto &ops = w.canvas.ops();
        auto count = [&](Op::Kind kind) {
            return int(std::count_if(ops.begin(), ops.end(), [&](const Op &op) { return op.kind == kind; }));
        };
        const int circles = count(Op::Circle), segments = count(Op::Segment), texts = count(Op::Text);
        check(ops.empty() || (circles == 2 && segments == 1 && texts == 3 && ops.size() <= 2500),
              "the surface holds ", ops.size(), " operations with ", circles, " circles, ", segments,
              " segments, ", texts, " texts");

        // With values from the lists only, the window must show exactly their lesson.
        if (!listsOnly)
            return;
        if (!w.r1Chosen() || !w.r2Chosen() || !w.pqChosen()) {
            check(w.canvas.isEmpty() && !which, "a figure or a highlight before all three values are chosen");
            return;
        }
        if (intro)
            return;
        bool ok1 = false, ok2 = false, ok3 = false;
        const int r1 = w.CboR1->text().toInt(&ok1), r2 = w.CboR2->text().toInt(&ok2), pq = w.CboPQ->text().toInt(&ok3);
        check(ok1 && ok2 && ok3, "a list shows something that is not one of its items");
        const std::string values = cat(" for r1=", r1, " r2=", r2, " PQ=", pq);
        const int expected = testing::expectedCase(r1, r2, pq);
        check(which == expected, "case ", which, " highlighted, not ", expected, values);

        const double px = 13 - pq / 2.0, qx = 13 + pq / 2.0;
        std::vector<Op> drawn;
        int dots = 0;
        for (const Op &op : ops) {
            if (op.kind == Op::Circle)
                drawn.push_back(op);
            if (op.kind == Op::Point && op.color == toolkit::bgr(0x0000C000)) {
                const double dp = std::hypot(op.a.x() - px, op.a.y() - 13);
                const double dq = std::hypot(op.a.x() - qx, op.a.y() - 13);
                const bool centre = dp < 1e-6 || dq < 1e-6;
                check(centre || !(dp >= r1 || dq >= r2), "a dot at (", op.a.x(), ", ", op.a.y(),
                      ") outside the common region", values);
                dots += !centre;
            }
        }
        auto near = [](double a, double b) { return std::abs(a - b) < 1e-4; };
        auto circle = [&](const Op &c, double x, int r) {
            return near(c.a.x(), x) && near(c.a.y(), 13) && near(c.radius, r);
        };
        check(drawn.size() == 2 && circle(drawn[0], px, r1) && circle(drawn[1], qx, r2),
              "the circles are not those", values);
        // Every common region the lists can make holds grid points; touching or apart, none.
        check((pq < r1 + r2) == (dots > 0), dots, " common-region dots", values);
    }

    const Options &options;
    std::mt19937_64 rng;
    QTemporaryDir &dir;
    const bool listsOnly; // a third of the sessions only choose from the lists: results are checked in full
    bool wentOn = false; // the practice page was reached in this window
    long index = 0;
    std::unique_ptr<Window> window;
    AnsweringDialog *dialog = nullptr;
    std::deque<std::string> recent;
    std::vector<toolkit::Timer *> timers;
    std::map<QWidget *, std::vector<QRect>> places;
    std::vector<std::vector<float>> shapeHeights;
};

bool parse(int argc, char **argv, Options &options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--trace")
            options.trace = true;
        else if (arg == "--seed" && hasValue)
            options.seed = std::strtoull(argv[++i], nullptr, 10);
        else if (arg == "--actions" && hasValue)
            options.actions = std::strtol(argv[++i], nullptr, 10);
        else if (arg == "--sessions" && hasValue)
            options.sessions = std::strtol(argv[++i], nullptr, 10);
        else if (arg == "--length" && hasValue)
            options.length = std::max(1, int(std::strtol(argv[++i], nullptr, 10)));
        else
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    if (!parse(argc, argv, options)) {
        std::fprintf(stderr, "usage: %s [--actions N] [--seed N] [--sessions N] [--length N] [--trace]\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::prepareApplication();
    QApplication::setQuitOnLastWindowClosed(false);
    // The opened list ignores a release sooner than this after it opens; with no interval the
    // session need not wait on the clock.
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(0);
    g_previousHandler = qInstallMessageHandler(collectMessages);

    QTemporaryDir dir;
    long done = 0, sessions = 0;
    int failures = 0;
    QElapsedTimer clock;
    clock.start();
    for (uint64_t seed = options.seed;
         done < options.actions && failures < 20 && (options.sessions < 0 || sessions < options.sessions); ++seed) {
        Options sessionOptions = options;
        sessionOptions.length = int(std::min<long>(options.length, options.actions - done));
        if (options.trace)
            std::printf("session seed %" PRIu64 "\n", seed);
        Session session(seed, sessionOptions, dir);
        ++sessions;
        try {
            done += session.run();
        } catch (const std::exception &error) {
            done += session.index + 1;
            ++failures;
            std::printf("FAIL seed %" PRIu64 " action %ld (%s session): %s\n  last actions:\n", seed, session.index,
                        session.listsOnly ? "lists-only" : "any-input", error.what());
            for (const std::string &action : session.recent)
                std::printf("    %s\n", action.c_str());
            std::printf("  replay: %s --seed %" PRIu64 " --sessions 1 --length %d --trace\n", argv[0], seed,
                        options.length);
            g_messages.clear();
        }
    }
    const double seconds = clock.elapsed() / 1000.0;
    std::printf("random sessions: %ld actions in %ld sessions, %.1f s, %.0f actions/s, %d failed\n", done,
                sessions, seconds, seconds > 0 ? done / seconds : 0.0, failures);
    return failures == 0 ? 0 : 1;
}
