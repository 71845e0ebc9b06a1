// Random learner sessions against the real window, offscreen: seeded sequences of everything
// the window accepts (pointer moves and clicks anywhere, the opened lists, arrow keys, wheel
// steps, text of any kind typed into the lists, timer ticks, Print answered with cancel or
// copies, now and then Home), with the lesson's invariants checked after every action.
//
//   tarvolen_fuzz [--actions N] [--seed N] [--length N] [--trace]
//
// Sessions are numbered from the seed: session i uses seed + i, runs --length actions on a
// fresh window and stops at its first failure, which is printed with its seed and action
// index. `--seed S --sessions 1` replays session S alone (with --trace, action by action).
// The blink timers tick only when the session says so, so a replay does what the run did.

#include "lesson_window/lesson_window.h"
#include "printing/print_dialog.h"
#include "test_support.h"
#include "toolkit/units.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPrinter>
#include <QStyleHints>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Window = frmTarvolen_300413;

struct Options
{
    uint64_t seed = 1;
    long actions = 20000;
    long sessions = -1; // unlimited: as many as the actions need
    int length = 400;
    bool trace = false;
};

// Qt's own complaints (a painter on a bad device, a font of size 0, ...) are faults too.
std::vector<std::string> g_messages;
QtMessageHandler g_previousHandler = nullptr;

void collectMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    // The offscreen platform says which window operations it leaves out; that is not the
    // lesson's doing.
    // Font noise for scripts that the substitute fonts do not cover is not the lesson's either.
    const bool platformNote = message.startsWith(QLatin1String("This plugin does not support"))
                              || message.contains(QLatin1String("OpenType support missing"));
    if (type != QtDebugMsg && type != QtInfoMsg && !platformNote)
        g_messages.push_back(message.toStdString());
    if (type == QtFatalMsg && g_previousHandler)
        g_previousHandler(type, context, message);
}

class Failure : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Answers the print dialog as a learner might: mostly cancel, now and then some copies into
// a PDF file, whose pages are counted afterwards.
class AnsweringDialog : public PrintDialogRunner
{
public:
    AnsweringDialog(std::mt19937_64 &rng, const QString &dir)
        : m_rng(rng)
        , m_dir(dir)
    {
    }

    bool run(QPrinter &printer, QWidget *) override
    {
        ++m_opened;
        m_file.clear();
        m_expectedPages = 0;
        if (std::uniform_int_distribution<int>(0, 9)(m_rng) != 0)
            return false;
        static const int kCopies[] = {1, 2, 3, 0, -1, 40000, 1, 2};
        const int copies = kCopies[std::uniform_int_distribution<int>(0, 7)(m_rng)];
        m_file = QStringLiteral("%1/print-%2.pdf").arg(m_dir).arg(m_opened);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_file);
        printer.setCopyCount(copies);
        // The PDF engine makes no copies itself: each copy is a page.
        m_expectedPages = copies >= 1 && copies <= 32767 ? copies : 0;
        return true;
    }

    // What the last dialog asked for and what came out of it.
    int opened() const { return m_opened; }
    QString file() const { return m_file; }
    int expectedPages() const { return m_expectedPages; }

private:
    std::mt19937_64 &m_rng;
    QString m_dir;
    int m_opened = 0;
    QString m_file;
    int m_expectedPages = 0;
};

int pdfPages(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray data = file.readAll();
    int pages = 0;
    for (qsizetype at = data.indexOf("/Type /Page"); at >= 0; at = data.indexOf("/Type /Page", at + 1))
        if (at + 11 >= data.size() || data.at(at + 11) != 's')
            ++pages;
    return pages;
}

// The case that r1, r2 and PQ make, worked out afresh: 1 touching outside, 2 touching inside,
// 3 two points, 4 one inside the other, 5 each outside the other.
int expectedCase(int r1, int r2, int pq)
{
    const int sum = r1 + r2;
    const int diff = std::abs(r1 - r2);
    if (pq == sum)
        return 1;
    if (pq == diff)
        return 2;
    if (diff < pq && pq < sum)
        return 3;
    return pq > sum ? 5 : 4;
}

QString randomText(std::mt19937_64 &rng)
{
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    static const char16_t *const kTexts[] = {
        u"", u" ", u"0", u"1", u"3", u"5", u"12", u"13", u"-3", u"-0", u"+4", u"2.5", u"3.5",
        u"0.49999", u".5", u"7.", u"1e3", u"1e309", u"-1e309", u"nan", u"inf", u"-inf",
        u"0x10", u"32767", u"32768", u"-32768", u"-32769", u"65536", u"99999999999999999999",
        u"12abc", u"abc", u" r1", u" r2", u"PQ", u"pq", u"r1", u"\u0661\u0662", u"\u00bd",
        u"\u00b2", u"\u00df\u00e9", u"\u05e9\u05dc\u05d5\u05dd", u"\U0001F600", u"e\u0301",
        u"\u200b5", u"\t4", u"5\n", u"1,5", u"--5", u"2e", u"1e-400", u"\u0000",
    };
    const int kind = pick(10);
    if (kind < 6)
        return QString::fromUtf16(kTexts[pick(int(std::size(kTexts)))]);
    if (kind < 8) {
        // A few characters from anywhere in the Basic Multilingual Plane, digits often.
        QString text;
        const int n = 1 + pick(12);
        for (int i = 0; i < n; ++i) {
            const int c = pick(3) == 0 ? '0' + pick(10) : 0x20 + pick(0xD7FF - 0x20);
            text += QChar(char16_t(c));
        }
        return text;
    }
    // Huge: a long number or a long run of anything.
    const int n = 1000 + pick(40000);
    QString text;
    text.reserve(n + 1);
    if (pick(2))
        text += QLatin1Char('-');
    for (int i = 0; i < n; ++i)
        text += QChar(char16_t(pick(4) ? '0' + pick(10) : 0x21 + pick(0x5E)));
    return text;
}

class Session
{
public:
    Session(uint64_t seed, const Options &options, QTemporaryDir &dir)
        : m_seed(seed)
        , m_options(options)
        , m_rng(seed)
        , m_dir(dir)
    {
        // A third of the sessions only choose from the lists: there the lesson's results
        // can be checked in full.
        m_listsOnly = pick(3) == 0;
    }

    // Returns the number of actions done; throws Failure with the index of the failing one.
    int run()
    {
        createWindow();
        for (m_index = 0; m_index < m_options.length; ++m_index) {
            const std::string action = act();
            remember(action);
            settle();
            checkInvariants();
        }
        return m_index;
    }

    long actionIndex() const { return m_index; }
    bool listsOnly() const { return m_listsOnly; }
    const std::deque<std::string> &recent() const { return m_recent; }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
    bool chance(int percent) { return pick(100) < percent; }

    void createWindow()
    {
        m_window.reset();
        m_wentOn = false;
        QGuiApplication::clipboard()->clear();
        m_window = std::make_unique<Window>();
        // Real ticks would make a replay depend on the clock: the session ticks instead.
        for (toolkit::Timer *timer : timers())
            for (QTimer *inner : timer->findChildren<QTimer *>())
                inner->blockSignals(true);
        auto dialog = std::make_unique<AnsweringDialog>(m_rng, m_dir.path());
        m_dialog = dialog.get();
        m_window->setPrintDialogRunner(std::move(dialog));
        m_window->move(0, 0);
        m_window->show();
        m_window->activateWindow();
        if (!QTest::qWaitForWindowExposed(m_window.get()))
            throw Failure("the window was never exposed");
        recordLegalPlaces();
        settle();
        checkInvariants();
    }

    std::vector<toolkit::Timer *> timers() const
    {
        return {m_window->Timer1, m_window->Timer2, m_window->Timer5, m_window->Timer6};
    }

    void remember(const std::string &action)
    {
        if (m_options.trace)
            std::printf("  %4ld %s\n", m_index, action.c_str());
        m_recent.push_back(action);
        if (m_recent.size() > 12)
            m_recent.pop_front();
    }

    void settle()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // --- where a learner can point ---------------------------------------------------------

    std::vector<QWidget *> controls() const
    {
        Window &w = *m_window;
        return {w.lblPrint, w.lblCombo, w.lblPQ, w.lblNext, w.lblBack, w.lblHome,
                w.lblPossibility, w.lblTarvolen, w.Frame_Cbo, w.CboR1, w.CboR2, w.CboPQ,
                w.lblR1, w.lblR11, w.lblR2, w.lblR22, w.lblPQ1, w.frameHelp, w.lblHelp,
                w.rtfSelect, w.rtfSuppose1, w.rtfSuppose2, w.rtBox1, w.rtBox2, w.rtBox3,
                w.rtBox4, w.rtBox5, w.rtfHighlight};
    }

    // A point of the window: inside some control (visible or not: the pointer lands on
    // whatever covers it), on the lists more often, or anywhere at all.
    std::pair<QPoint, std::string> somewhere()
    {
        Window &w = *m_window;
        const int where = pick(20);
        QWidget *target = nullptr;
        if (where < 6)
            target = std::vector<QWidget *>{w.CboR1, w.CboR2, w.CboPQ}[pick(3)];
        else if (where < 9)
            target = std::vector<QWidget *>{w.lblNext, w.lblBack, w.lblCombo}[pick(3)];
        else if (where < 17) {
            const auto all = controls();
            target = all[pick(int(all.size()))];
        }
        if (!target || (target == w.lblPrint && !chance(15)) || (target == w.lblHome && !chance(3)))
            return {QPoint(pick(Window::kClientWidth), pick(Window::kClientHeight)), "surface"};
        const QPoint local(pick(qMax(1, target->width())), pick(qMax(1, target->height())));
        return {target->mapTo(&w, local), target->objectName().toStdString()};
    }

    // A widget by its design name, or by its kind and the control it belongs to.
    static std::string nameOf(const QWidget *widget)
    {
        if (!widget)
            return "nothing";
        if (!widget->objectName().isEmpty())
            return widget->objectName().toStdString();
        return std::string(widget->metaObject()->className()) + " in " + nameOf(widget->parentWidget());
    }

    static std::string at(const QPoint &p)
    {
        return "(" + std::to_string(p.x()) + "," + std::to_string(p.y()) + ")";
    }

    // --- actions ---------------------------------------------------------------------------

    std::string act()
    {
        if (QWidget *popup = QApplication::activePopupWidget(); popup && chance(70))
            return actOnPopup(popup);
        const int roll = pick(100);
        if (roll < 22)
            return movePointer();
        if (roll < 42)
            return clickSomewhere();
        if (roll < 54)
            return pressKey();
        if (roll < 64)
            return turnWheel();
        if (roll < 74 && !m_listsOnly)
            return typeText();
        return tick();
    }

    std::string movePointer()
    {
        const auto [point, name] = somewhere();
        QTest::mouseMove(m_window->windowHandle(), point);
        return "move over " + name + " " + at(point);
    }

    std::string clickSomewhere()
    {
        const auto [point, name] = somewhere();
        const bool home = m_window->childAt(point) == m_window->lblHome;
        const int printsBefore = m_dialog->opened();
        QTest::mouseMove(m_window->windowHandle(), point);
        std::string what = "click";
        const int button = pick(20);
        if (button == 0 && !m_listsOnly) {
            // The edit field's context menu offers cut, paste, undo: typing by other means.
            QTest::mouseClick(m_window->windowHandle(), Qt::RightButton, {}, point);
            what = "right-click";
        } else if (button == 1) {
            QTest::mouseDClick(m_window->windowHandle(), Qt::LeftButton, {}, point);
            what = "double-click";
        } else {
            QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, point);
        }
        what += " on " + name + " " + at(point);
        if (m_dialog->opened() != printsBefore)
            what += afterPrint();
        settle();
        if (!m_window->isVisible()) {
            // An open popup takes the click that closes it, so only a click that reaches
            // Home may end the lesson.
            if (!home)
                throw Failure("the window closed after a " + what);
            afterHome();
            what += " (Home: the lesson ended and starts again)";
        }
        return what;
    }

    // Home ends the lesson: the window closes with every timer stopped. The learner starts
    // the program again.
    void afterHome()
    {
        for (toolkit::Timer *timer : timers())
            if (timer->isEnabled())
                throw Failure("Home left " + timer->objectName().toStdString() + " running");
        createWindow();
    }

    std::string afterPrint()
    {
        const QString file = m_dialog->file();
        if (file.isEmpty())
            return " (print cancelled)";
        const int expected = m_dialog->expectedPages();
        const int pages = QFile::exists(file) ? pdfPages(file) : 0;
        QFile::remove(file);
        if (pages != expected)
            throw Failure("printing " + std::to_string(expected) + " copies gave "
                          + std::to_string(pages) + " pages");
        return " (printed " + std::to_string(pages) + " pages)";
    }

    std::string actOnPopup(QWidget *popup)
    {
        const int roll = pick(10);
        if (roll < 6) {
            // A row of the opened list (or any point of another popup).
            QPoint local(pick(qMax(1, popup->width())), pick(qMax(1, popup->height())));
            std::string what = "click in popup";
            if (auto *view = popup->findChild<QAbstractItemView *>(); view && view->model()) {
                const int rows = view->model()->rowCount();
                if (rows > 0) {
                    const QModelIndex index = view->model()->index(pick(rows), 0);
                    const QRect cell = view->visualRect(index);
                    local = view->viewport()->mapTo(popup, cell.center());
                    what = "click item " + index.data().toString().toStdString() + " of the list";
                }
            }
            QTest::mouseClick(popup->windowHandle(), Qt::LeftButton, {}, local);
            return what;
        }
        if (roll < 8) {
            static const Qt::Key kKeys[] = {Qt::Key_Down, Qt::Key_Up, Qt::Key_Return,
                                            Qt::Key_Escape, Qt::Key_PageDown, Qt::Key_End};
            const Qt::Key key = kKeys[pick(int(std::size(kKeys)))];
            QTest::keyClick(keyWindow(), key);
            return "key " + std::to_string(int(key)) + " in popup";
        }
        // Somewhere else: the popup closes.
        const QPoint point(pick(Window::kClientWidth), pick(Window::kClientHeight));
        QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, point);
        return "click beside the popup " + at(point);
    }

    // Keys reach the window that has the keyboard (the learner's window when no other shows),
    // and Qt hands them to its focus widget or to an open popup, as for a real keyboard.
    QWindow *keyWindow() const
    {
        QWindow *focus = QGuiApplication::focusWindow();
        return focus && focus->isVisible() ? focus : m_window->windowHandle();
    }

    std::string keyReceiver() const
    {
        if (QWidget *popup = QApplication::activePopupWidget())
            return nameOf(popup->focusWidget() ? popup->focusWidget() : popup);
        return nameOf(m_window->focusWidget() ? m_window->focusWidget() : m_window.get());
    }

    void sendText(const QString &text, Qt::Key key = Qt::Key_unknown)
    {
        QTest::sendKeyEvent(QTest::Press, keyWindow(), key, text, Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, keyWindow(), key, text, Qt::NoModifier);
    }

    std::string pressKey()
    {
        struct Key
        {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            bool edits;
        };
        static const Key kKeys[] = {
            {Qt::Key_Down, {}, false},      {Qt::Key_Up, {}, false},
            {Qt::Key_PageDown, {}, false},  {Qt::Key_PageUp, {}, false},
            {Qt::Key_Home, {}, false},      {Qt::Key_End, {}, false},
            {Qt::Key_Return, {}, false},    {Qt::Key_Enter, {}, false},
            {Qt::Key_Escape, {}, false},    {Qt::Key_Tab, {}, false},
            {Qt::Key_Backtab, Qt::ShiftModifier, false},
            {Qt::Key_Down, Qt::AltModifier, false},
            {Qt::Key_F4, {}, false},        {Qt::Key_Space, {}, true},
            {Qt::Key_Backspace, {}, true},  {Qt::Key_Delete, {}, true},
            {Qt::Key_A, Qt::ControlModifier, false},
            {Qt::Key_Z, Qt::ControlModifier, true},
            {Qt::Key_Y, Qt::ControlModifier, true},
            {Qt::Key_V, Qt::ControlModifier, true},
            {Qt::Key_X, Qt::ControlModifier, true},
        };
        Key key;
        do
            key = kKeys[pick(int(std::size(kKeys)))];
        while (key.edits && m_listsOnly);
        const std::string receiver = keyReceiver();
        QTest::keyClick(keyWindow(), key.key, key.modifiers);
        return "key " + std::to_string(int(key.key)) + " mod " + std::to_string(int(key.modifiers))
               + " on " + receiver;
    }

    std::string turnWheel()
    {
        QPoint point;
        if (chance(70)) {
            Window &w = *m_window;
            QWidget *list = std::vector<QWidget *>{w.CboR1, w.CboR2, w.CboPQ}[pick(3)];
            point = list->mapTo(&w, QPoint(pick(list->width()), pick(list->height())));
        } else {
            point = QPoint(pick(Window::kClientWidth), pick(Window::kClientHeight));
        }
        const int steps = (1 + pick(3)) * (pick(2) ? 1 : -1);
        QWidget *target = m_window->childAt(point);
        if (!target)
            target = m_window.get();
        const QPointF local = target->mapFrom(m_window.get(), point);
        const QPointF global = m_window->mapToGlobal(point);
        for (int i = 0; i < std::abs(steps); ++i) {
            QWheelEvent wheel(local, global, QPoint(), QPoint(0, steps > 0 ? 120 : -120),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(target, &wheel);
        }
        return "wheel " + std::to_string(steps) + " at " + at(point);
    }

    std::string typeText()
    {
        // Into a list's edit field: click it first when the focus is elsewhere.
        Window &w = *m_window;
        QWidget *focus = w.focusWidget();
        std::string how;
        if (!qobject_cast<QLineEdit *>(focus) || chance(30)) {
            QWidget *list = std::vector<QWidget *>{w.CboR1, w.CboR2, w.CboPQ}[pick(3)];
            const QPoint point = list->mapTo(&w, QPoint(4 + pick(20), list->height() / 2));
            QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, point);
            how = "click " + at(point) + ", ";
            settle();
        }
        if (chance(40))
            QTest::keyClick(keyWindow(), Qt::Key_A, Qt::ControlModifier);
        const QString text = randomText(m_rng);
        const std::string receiver = keyReceiver();
        const int mode = pick(3);
        if (mode == 0 && text.size() <= 24) {
            // Key by key, as a keyboard sends them.
            for (const QChar c : text) {
                const char16_t u = c.toUpper().unicode();
                sendText(QString(c), u > 0x20 && u < 0x7F ? Qt::Key(u) : Qt::Key_unknown);
            }
            how += "keys";
        } else if (mode == 1) {
            // An input method commits the whole text at once to the focus object.
            QInputMethodEvent commit;
            commit.setCommitString(text);
            if (QObject *target = keyWindow()->focusObject())
                QApplication::sendEvent(target, &commit);
            how += "input method";
        } else {
            sendText(text);
            how += "one key event";
        }
        if (chance(25)) {
            QTest::keyClick(keyWindow(), Qt::Key_Return);
            how += " + Return";
        }
        std::string shown = text.left(16).toStdString();
        return "type " + std::to_string(text.size()) + " chars \"" + shown
               + (text.size() > 16 ? "...\"" : "\"") + " by " + how + " into " + receiver;
    }

    std::string tick()
    {
        // Only a running timer ticks.
        std::vector<toolkit::Timer *> running;
        for (toolkit::Timer *timer : timers())
            if (timer->isEnabled())
                running.push_back(timer);
        if (running.empty())
            return "no timer runs";
        toolkit::Timer *timer = running[pick(int(running.size()))];
        timer->fire();
        return "tick " + timer->objectName().toStdString();
    }

    // --- invariants ------------------------------------------------------------------------

    void recordLegalPlaces()
    {
        m_places.clear();
        for (QWidget *control : controls())
            m_places[control] = {control->geometry()};
        Window &w = *m_window;
        // The case boxes: design places or the practice column, 0.7 cm once highlighted.
        const auto boxes = w.caseBoxes();
        for (int i = 0; i < 5; ++i) {
            const QRect design = boxes[i]->geometry();
            const QPoint column(toolkit::cmToPixel(3), toolkit::cmToPixel(3 + i));
            const int lowered = toolkit::cmToPixel(0.7);
            m_places[boxes[i]] = {design, QRect(column, design.size()),
                                  QRect(design.topLeft(), QSize(design.width(), lowered)),
                                  QRect(column, QSize(design.width(), lowered))};
        }
        // lblPQ: the invitation at the bottom or the prompt line at the top.
        const QRect pq = w.lblPQ->geometry();
        m_places[w.lblPQ] = {pq, QRect(QPoint(pq.x(), toolkit::cmToPixel(0.106)), pq.size())};
        m_shapeHeights = {{w.Shape1->heightCm(), 7.595f, 17.595f},
                          {w.Shape2->heightCm(), float(double(7.595f) - 0.25), float(double(17.595f) - 0.25)},
                          {w.Shape3->heightCm(), float(double(7.595f) + 0.4), float(double(17.595f) + 0.4)}};
    }

    void fail(const std::string &message) { throw Failure(message); }

    void checkInvariants()
    {
        if (!g_messages.empty()) {
            const std::string message = g_messages.front();
            g_messages.clear();
            fail("Qt complained: " + message);
        }
        Window &w = *m_window;
        if (!w.isVisible())
            fail("the window is no longer shown");
        if (w.size() != QSize(Window::kClientWidth, Window::kClientHeight))
            fail("the window changed its size");

        // One of Next and Back is seen. Only at start does Back lie shown beneath Next; from
        // the first Next on exactly one of them is shown.
        const bool intro = !w.lblNext->isHidden();
        if (!intro && w.lblBack->isHidden())
            fail("neither lblNext nor lblBack is shown");
        if (intro && !w.lblBack->isHidden()) {
            if (m_wentOn)
                fail("both lblNext and lblBack are shown after a page change");
            if (w.childAt(w.lblNext->geometry().center()) != w.lblNext)
                fail("lblBack is seen above lblNext at start");
        }
        m_wentOn = m_wentOn || !intro;

        // Each case box is plain or highlighted, never half of each; at most one is
        // highlighted, none on the introduction page.
        int highlighted = 0;
        int which = 0;
        const auto boxes = w.caseBoxes();
        for (int i = 0; i < 5; ++i) {
            toolkit::RichTextBox *box = boxes[i];
            const bool yellow = box->backColor() == toolkit::bgr(0x0000FFFF);
            const bool plain = box->backColor() == w.backColor() && !box->emphasis()
                               && box->toolTip().isEmpty();
            const bool lit = yellow && box->emphasis() && box->toolTip() == w.rtfHighlight->text();
            if (!plain && !lit)
                fail("rtBox" + std::to_string(i + 1) + " is neither plain nor highlighted");
            if (lit) {
                ++highlighted;
                which = i + 1;
            }
        }
        if (highlighted > 1)
            fail(std::to_string(highlighted) + " case boxes are highlighted");
        if (intro && highlighted)
            fail("rtBox" + std::to_string(which) + " is highlighted on the introduction page");

        for (const auto &[control, legal] : m_places)
            if (std::find(legal.begin(), legal.end(), control->geometry()) == legal.end()) {
                const QRect g = control->geometry();
                fail(control->objectName().toStdString() + " stands at an unknown place "
                     + std::to_string(g.x()) + "," + std::to_string(g.y()) + " "
                     + std::to_string(g.width()) + "x" + std::to_string(g.height()));
            }
        const float heights[3] = {w.Shape1->heightCm(), w.Shape2->heightCm(), w.Shape3->heightCm()};
        for (int i = 0; i < 3; ++i)
            if (std::find(m_shapeHeights[i].begin(), m_shapeHeights[i].end(), heights[i])
                == m_shapeHeights[i].end())
                fail("Shape" + std::to_string(i + 1) + " has an unknown height "
                     + std::to_string(heights[i]));

        // The pages: what the introduction shows and the practice page hides.
        if (intro) {
            if (!w.Frame_Cbo->isHidden() || !w.lblPrint->isHidden() || !w.canvas.isEmpty())
                fail("the introduction page shows the lists, Print or a figure");
            if (w.rtfSuppose1->isHidden() || w.rtfHighlight->isHidden() || w.lblPQ->isHidden())
                fail("the introduction page lacks its sentences or invitation");
        } else if (w.Frame_Cbo->isHidden() || !w.rtfSuppose1->isHidden() || !w.rtfHighlight->isHidden()) {
            fail("the practice page does not show the lists alone");
        }

        // The lists give radii 1 to 5 only; the centres are unset or about (13, 13).
        if (w.r1 < 0 || w.r1 > 5 || w.r2 < 0 || w.r2 > 5)
            fail("a radius outside the lists: r1 = " + std::to_string(w.r1) + ", r2 = "
                 + std::to_string(w.r2));
        if ((w.MidX != 0 && w.MidX != 13) || w.CentreY != w.MidX)
            fail("the figure's middle moved away from (13, 13)");

        checkFigureShape();
        if (m_listsOnly)
            checkListChoices(intro, which);
    }

    // Whatever was typed, the surface holds nothing or one figure: two circles, one segment,
    // three texts, and dots; it never piles up.
    void checkFigureShape()
    {
        const auto &ops = m_window->canvas.ops();
        if (ops.empty())
            return;
        int circles = 0, segments = 0, texts = 0;
        for (const auto &op : ops) {
            circles += op.kind == toolkit::Canvas::Op::Circle;
            segments += op.kind == toolkit::Canvas::Op::Segment;
            texts += op.kind == toolkit::Canvas::Op::Text;
        }
        if (circles != 2 || segments != 1 || texts != 3 || ops.size() > 2500)
            fail("the surface holds " + std::to_string(ops.size()) + " operations with "
                 + std::to_string(circles) + " circles, " + std::to_string(segments)
                 + " segments, " + std::to_string(texts) + " texts");
    }

    // With values from the lists only, the window must show exactly their lesson.
    void checkListChoices(bool intro, int highlighted)
    {
        Window &w = *m_window;
        const bool all = w.r1Chosen() && w.r2Chosen() && w.pqChosen();
        if (!all) {
            if (!w.canvas.isEmpty() || highlighted)
                fail("a figure or a highlight before all three values are chosen");
            return;
        }
        if (intro)
            return;
        bool ok1 = false, ok2 = false, ok3 = false;
        const int r1 = w.CboR1->text().toInt(&ok1);
        const int r2 = w.CboR2->text().toInt(&ok2);
        const int pq = w.CboPQ->text().toInt(&ok3);
        if (!ok1 || !ok2 || !ok3)
            fail("a list shows something that is not one of its items");
        const std::string values = " for r1=" + std::to_string(r1) + " r2=" + std::to_string(r2)
                                   + " PQ=" + std::to_string(pq);
        const int expected = expectedCase(r1, r2, pq);
        if (highlighted != expected)
            fail("case " + std::to_string(highlighted) + " highlighted, not " + std::to_string(expected) + values);

        const double px = 13 - pq / 2.0, qx = 13 + pq / 2.0;
        std::vector<toolkit::Canvas::Op> circles;
        int dots = 0;
        for (const auto &op : w.canvas.ops()) {
            if (op.kind == toolkit::Canvas::Op::Circle)
                circles.push_back(op);
            if (op.kind == toolkit::Canvas::Op::Point && op.color == toolkit::bgr(0x0000C000)) {
                const double dp = std::hypot(op.a.x() - px, op.a.y() - 13);
                const double dq = std::hypot(op.a.x() - qx, op.a.y() - 13);
                const bool centre = dp < 1e-6 || dq < 1e-6;
                if (!centre && (dp >= r1 || dq >= r2))
                    fail("a dot at (" + std::to_string(op.a.x()) + ", " + std::to_string(op.a.y())
                         + ") outside the common region" + values);
                dots += !centre;
            }
        }
        auto near = [](double a, double b) { return std::abs(a - b) < 1e-4; };
        if (circles.size() != 2 || !near(circles[0].a.x(), px) || !near(circles[0].a.y(), 13)
            || !near(circles[0].radius, r1) || !near(circles[1].a.x(), qx)
            || !near(circles[1].a.y(), 13) || !near(circles[1].radius, r2))
            fail("the circles are not those" + values);
        // Every common region the lists can make holds grid points; touching or apart, none.
        if ((pq < r1 + r2) != (dots > 0))
            fail(std::to_string(dots) + " common-region dots" + values);
    }

    uint64_t m_seed;
    const Options &m_options;
    std::mt19937_64 m_rng;
    QTemporaryDir &m_dir;
    bool m_listsOnly = false;
    bool m_wentOn = false; // the practice page was reached in this window
    long m_index = 0;
    std::unique_ptr<Window> m_window;
    AnsweringDialog *m_dialog = nullptr;
    std::deque<std::string> m_recent;
    std::map<QWidget *, std::vector<QRect>> m_places;
    std::vector<std::vector<float>> m_shapeHeights;
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
        std::fprintf(stderr, "usage: %s [--actions N] [--seed N] [--sessions N] [--length N] [--trace]\n",
                     argv[0]);
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
    long done = 0;
    long sessions = 0;
    int failures = 0;
    QElapsedTimer clock;
    clock.start();
    for (uint64_t seed = options.seed; done < options.actions; ++seed) {
        if (options.sessions >= 0 && sessions >= options.sessions)
            break;
        Options sessionOptions = options;
        sessionOptions.length = int(std::min<long>(options.length, options.actions - done));
        if (options.trace)
            std::printf("session seed %" PRIu64 "\n", seed);
        Session session(seed, sessionOptions, dir);
        ++sessions;
        try {
            done += session.run();
        } catch (const std::exception &error) {
            done += session.actionIndex() + 1;
            ++failures;
            std::printf("FAIL seed %" PRIu64 " action %ld (%s session): %s\n", seed,
                        session.actionIndex(), session.listsOnly() ? "lists-only" : "any-input",
                        error.what());
            std::printf("  last actions:\n");
            for (const std::string &action : session.recent())
                std::printf("    %s\n", action.c_str());
            std::printf("  replay: %s --seed %" PRIu64 " --sessions 1 --length %d --trace\n",
                        argv[0], seed, options.length);
            g_messages.clear();
            if (failures >= 20)
                break;
        }
    }
    const double seconds = clock.elapsed() / 1000.0;
    std::printf("random sessions: %ld actions in %ld sessions, %.1f s, %.0f actions/s, %d failed\n",
                done, sessions, seconds, seconds > 0 ? done / seconds : 0.0, failures);
    return failures == 0 ? 0 : 1;
}
