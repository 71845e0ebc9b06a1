// Print and Home. The print dialog is answered through its seam as the system's dialog would
// be; the pages are read back from the PDF with poppler's tools and measured on paper.
// To keep one printed page: TARVOLEN_PRINT_SAMPLE=<file.pdf> tst_printing print

#include "lesson_window/lesson_window.h"
#include "printing/print_dialog.h"
#include "test_support.h"
#include "toolkit/units.h"

#include <QApplication>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using Window = frmTarvolen_300413;

namespace {

struct Answer { bool accepted; int copies; QPageSize::PageSizeId paper; QString file; int shown = 0; };

// Leaves the learner's choices in the printer, as the system's dialog does.
struct AnsweringDialog : PrintDialogRunner
{
    Answer &answer;
    explicit AnsweringDialog(Answer &answer) : answer(answer) {}
    bool run(QPrinter &printer, QWidget *) override
    {
        ++answer.shown;
        printer.setOutputFileName(answer.file);
        printer.setPageSize(QPageSize(answer.paper));
        printer.setCopyCount(answer.copies);
        return answer.accepted;
    }
};

QString runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qWarning("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

int pageCount(const QString &pdf)
{
    return runTool("pdfinfo", {pdf}).section("Pages:", 1).section('\n', 0, 0).trimmed().toInt();
}

// The pixels of `area` near `colour`.
QPolygon pixelsNear(const QImage &page, const QRect &area, const QColor &colour, int tolerance)
{
    QPolygon found;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (testing::near(page.pixelColor(x, y), colour, tolerance))
                found << QPoint(x, y);
    return found;
}

const char *const kSampleRow = "A4, intersect r1=3 r2=2 PQ=4"; // a lens and its case
} // namespace

class PrintingTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_files = 0;
    QString freshFile() { return m_dir.filePath(QStringLiteral("page-%1.pdf").arg(++m_files)); }

private slots:
    void initTestCase()
    {
        testing::prepareApplication();
        for (const char *tool : {"pdfinfo", "pdftoppm", "pdffonts", "pdfimages"})
            QVERIFY2(!QStandardPaths::findExecutable(tool).isEmpty(), "poppler-utils must be installed (scripts/install-deps.sh)");
        QVERIFY(m_dir.isValid());
    }

    void print_data()
    {
        QTest::addColumn<QPageSize::PageSizeId>("paper");
        QTest::addColumn<int>("r2"); // r1 = 3 throughout: its circle is measured
        QTest::addColumn<int>("pq");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("copies");
        QTest::addColumn<bool>("writable");
        QTest::addColumn<int>("pages"); // 0: no file at all; a single page is measured
        QTest::newRow(kSampleRow) << QPageSize::A4 << 2 << 4 << true << 1 << true << 1;
        QTest::newRow("Letter, outside r1=3 r2=1 PQ=6") << QPageSize::Letter << 1 << 6 << true << 1 << true << 1;
        QTest::newRow("A5, too small: shrunk, touch r1=3 r2=2 PQ=5") << QPageSize::A5 << 2 << 5 << true << 1 << true << 1;
        QTest::newRow("cancel") << QPageSize::A4 << 2 << 4 << false << 1 << true << 0;
        QTest::newRow("3 copies") << QPageSize::A4 << 2 << 4 << true << 3 << true << 3;
        QTest::newRow("0 copies") << QPageSize::A4 << 2 << 4 << true << 0 << true << 0;
        QTest::newRow("-1 copies") << QPageSize::A4 << 2 << 4 << true << -1 << true << 0;
        QTest::newRow("40000 copies, beyond 16 bits") << QPageSize::A4 << 2 << 4 << true << 40000 << true << 0;
        QTest::newRow("printer failure: file cannot be written") << QPageSize::A4 << 2 << 4 << true << 2 << false << 0;
    }

    // Print as the dialog is answered: no message box whatever the answer, the window as it
    // was, one page per copy; a single page is the window at true scale, centred.
    void print()
    {
        QFETCH(QPageSize::PageSizeId, paper);
        QFETCH(int, r2);
        QFETCH(int, pq);
        QFETCH(bool, accepted);
        QFETCH(int, copies);
        QFETCH(bool, writable);
        QFETCH(int, pages);
        Answer answer{accepted, copies, paper, writable ? freshFile() : m_dir.filePath("missing/dir/page.pdf")};
        const QString &file = answer.file;
        Window window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.lblNext_Click();
        testing::chooseAll(window, 3, r2, pq);
        window.setPrintDialogRunner(std::make_unique<AnsweringDialog>(answer));
        const QImage before = testing::grabWindow(window);
        QStringList modals; // a modal window opening meanwhile is noted and closed
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&modals] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                modals << modal->metaObject()->className();
                modal->close();
            }
        });
        watch.start(20);
        QTest::mouseClick(window.lblPrint, Qt::LeftButton);
        QCoreApplication::processEvents();

        QCOMPARE(answer.shown, 1);
        QVERIFY2(modals.isEmpty(), qPrintable("no message expected, saw: " + modals.join(' ')));
        QVERIFY2(testing::grabWindow(window) == before, "printing leaves the window as it was");
        QCOMPARE(QFile::exists(file), pages > 0);
        QCOMPARE(pages ? pageCount(file) : 0, pages);
        if (pages != 1)
            return;
        const QString sample = qEnvironmentVariable("TARVOLEN_PRINT_SAMPLE");
        if (!sample.isEmpty() && QTest::currentDataTag() == QLatin1String(kSampleRow)) {
            QFile::remove(sample);
            QVERIFY(QFile::copy(file, sample));
        }

        // Texts stay text (a screen-resolution picture of the window would carry no font);
        // the pictures on the page (the lists' frames) are at the printer's resolution.
        QVERIFY2(runTool("pdffonts", {file}).contains("Liberation"), "the page's texts should be printed as text");
        for (const QString &line : runTool("pdfimages", {"-list", file}).split('\n', Qt::SkipEmptyParts).mid(2)) {
            const QStringList columns = line.simplified().split(' '); // 12: x-ppi
            QVERIFY2(columns.size() > 13 && columns.at(12).toInt() >= 600, qPrintable("a coarse picture: " + line));
        }

        const bool trueScale = paper != QPageSize::A5; // else shrunk to the paper, no more than it needs
        constexpr double dpi = 200, pxPerCm = dpi / 2.54;
        runTool("pdftoppm", {"-r", QString::number(dpi), "-png", "-singlefile", file, file.chopped(4)});
        const QImage page = QImage(file.chopped(4) + ".png").convertToFormat(QImage::Format_RGB32);
        const QSizeF paperCm = QPageSize(paper).size(QPageSize::Millimeter) / 10.0; // portrait

        // The window is where its pale green reaches: every edge of it.
        const QRect found = pixelsNear(page, page.rect(), toolkit::bgr(0x00DCFFD5), 6).boundingRect();
        const double widthCm = found.width() / pxPerCm, heightCm = found.height() / pxPerCm;
        const double scale = heightCm / toolkit::pxToCm(Window::kClientHeight);
        QVERIFY2(qAbs(widthCm / heightCm - double(Window::kClientWidth) / Window::kClientHeight) < 0.005,
                 "the window keeps its proportions");
        QVERIFY2(trueScale ? qAbs(widthCm - 26.935) < 0.05 && qAbs(heightCm - 19.473) < 0.05
                           : scale < 0.99 && widthCm < paperCm.height() && heightCm < paperCm.width()
                                 && heightCm > paperCm.width() - 1,
                 qPrintable(QStringLiteral("window %1 x %2 cm on paper").arg(widthCm).arg(heightCm)));
        // Centred: the margins are equal on opposite sides.
        QVERIFY(qAbs(found.left() + found.right() + 1 - page.width()) / pxPerCm < 0.05);
        QVERIFY(qAbs(found.top() + found.bottom() + 1 - page.height()) / pxPerCm < 0.05);

        // The circle of radius 3 about P, down the column through P: from the middle of its top
        // stroke to that of its bottom one is the outer span less half the strokes' pixels.
        const auto onPaper = [&](double xCm, double yCm) {
            return found.topLeft() + QPoint(int(xCm * scale * pxPerCm), int(yCm * scale * pxPerCm));
        };
        const QPolygon strokes = pixelsNear(page, QRect(onPaper(window.Px, 9), onPaper(window.Px, 17)), Qt::red, 60);
        QVERIFY2(strokes.size() > 4, "the circle's strokes should cross the column through P");
        const double diameterCm = (strokes.last().y() - strokes.first().y() + 1 - strokes.size() / 2.0) / pxPerCm;
        QVERIFY2(qAbs(diameterCm - 6.0 * (trueScale ? 1.0 : scale)) < 0.05,
                 qPrintable(QStringLiteral("circle of radius 3 is %1 cm across on paper").arg(diameterCm)));

        // The highlighted case box, and it alone, is yellow on paper.
        const auto corner = [&](QPoint px) { return onPaper(toolkit::pxToCm(px.x()), toolkit::pxToCm(px.y())); };
        for (int i = 0; i < 5; ++i) {
            const QRect box = window.caseBoxes()[i]->geometry();
            const QRect area = QRect(corner(box.topLeft()), corner(box.bottomRight() + QPoint(1, 1))).adjusted(4, 4, -4, -4);
            const double share = pixelsNear(page, area, toolkit::bgr(0x0000FFFF), 20).size() / double(area.width() * area.height());
            QVERIFY2(i + 1 == testing::expectedCase(3, r2, pq) ? share > 0.6 : share < 0.01,
                     qPrintable(QStringLiteral("rtBox%1 is %2 yellow on paper").arg(i + 1).arg(share)));
        }
    }

    // Home while Next blinks: the loop ends with 0, the window closes, no tick follows.
    void homeEndsTheEventLoop()
    {
        Window window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        int ticks = 0, ticksAtHome = -1;
        for (toolkit::Timer *timer : {window.Timer1, window.Timer2})
            connect(timer, &toolkit::Timer::tick, this, [&ticks] { ++ticks; });
        QTRY_VERIFY(ticks > 0 && (window.Timer1->isEnabled() || window.Timer2->isEnabled()));
        QTimer::singleShot(0, &window, [&] { ticksAtHome = ticks; QTest::mouseClick(window.lblHome, Qt::LeftButton); });
        QTimer::singleShot(10000, &window, [] { QCoreApplication::exit(99); }); // Home failed to end it

        QCOMPARE(QApplication::exec(), 0);
        QVERIFY2(!window.isVisible(), "the window closes");
        QVERIFY(!window.Timer1->isEnabled() && !window.Timer2->isEnabled());
        QTest::qWait(1000); // longer than two blink intervals
        QCOMPARE(ticks, ticksAtHome);
    }
};

QTEST_MAIN(PrintingTest)
#include "tst_printing.moc"
