// Print and Home. The print dialog is answered through its seam by a runner that does what
// the system's dialog does (output file, copy count, paper) and the pages are read back from
// the PDF files with poppler's tools, measured on paper.
//
// To keep one printed page: TARVOLEN_PRINT_SAMPLE=<file.pdf> tst_printing pageIsTrueScale

#include "lesson_window/lesson_window.h"
#include "printing/print_dialog.h"
#include "test_support.h"
#include "toolkit/units.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Answer
{
    bool accepted = true;
    int copies = 1;
    QPageSize::PageSizeId paper = QPageSize::A4;
};

// Answers the dialog as a learner would, leaving the choices in the printer.
class AnsweringDialog : public PrintDialogRunner
{
public:
    AnsweringDialog(Answer answer, QString file, int *shown)
        : m_answer(answer), m_file(std::move(file)), m_shown(shown)
    {
    }
    bool run(QPrinter &printer, QWidget *) override
    {
        ++*m_shown;
        printer.setOutputFileName(m_file);
        printer.setPageSize(QPageSize(m_answer.paper));
        printer.setCopyCount(m_answer.copies);
        return m_answer.accepted;
    }

private:
    Answer m_answer;
    QString m_file;
    int *m_shown;
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
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                           .match(runTool(QStringLiteral("pdfinfo"), {pdf}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QImage rasterise(const QString &pdf, int dpi, const QString &prefix)
{
    runTool(QStringLiteral("pdftoppm"),
            QStringLiteral("-r %1 -png -f 1 -l 1 -singlefile").arg(dpi).split(QLatin1Char(' '))
                << pdf << prefix);
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

void pick(toolkit::ComboBox *combo, int value)
{
    combo->setCurrentIndex(combo->findText(QString::number(value)));
    emit combo->selected();
}

// The practice page with a figure drawn and its case highlighted.
void drawFigure(frmTarvolen_300413 &window, int r1, int r2, int pq)
{
    window.lblNext_Click();
    pick(window.CboR1, r1);
    pick(window.CboR2, r2);
    pick(window.CboPQ, pq);
}

// Any modal window that opens while the handler runs (a message box) is noted and closed.
class ModalWatch : public QObject
{
public:
    ModalWatch()
    {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                m_seen << modal->metaObject()->className();
                modal->close();
            }
        });
        m_timer.start();
    }
    QStringList seen() const { return m_seen; }

private:
    QTimer m_timer;
    QStringList m_seen;
};

constexpr double kCmPerInch = 2.54;
// The page kept as a sample: a lens and its case highlighted.
const char *const firstRow = "A4, intersect r1=3 r2=2 PQ=4";

} // namespace

class PrintingTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testing::prepareApplication();
        for (const char *tool : {"pdfinfo", "pdftoppm", "pdffonts", "pdfimages"})
            QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty(),
                     "poppler-utils must be installed (scripts/install-deps.sh)");
        QVERIFY(m_dir.isValid());
    }

    void printsOncePerCopy_data();
    void printsOncePerCopy();
    void pageIsTrueScale_data();
    void pageIsTrueScale();
    void homeEndsTheEventLoop();

private:
    QString freshFile(const QString &stem)
    {
        return m_dir.filePath(QStringLiteral("%1-%2.pdf").arg(stem).arg(++m_files));
    }

    QTemporaryDir m_dir;
    int m_files = 0;
};

void PrintingTest::printsOncePerCopy_data()
{
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("copies");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<int>("pages"); // 0: no file at all

    QTest::newRow("cancel") << false << 1 << true << 0;
    QTest::newRow("1 copy") << true << 1 << true << 1;
    QTest::newRow("3 copies") << true << 3 << true << 3;
    QTest::newRow("0 copies") << true << 0 << true << 0;
    QTest::newRow("-1 copies") << true << -1 << true << 0;
    QTest::newRow("40000 copies, beyond 16 bits") << true << 40000 << true << 0;
    QTest::newRow("printer failure: file cannot be written") << true << 2 << false << 0;
}

void PrintingTest::printsOncePerCopy()
{
    QFETCH(bool, accepted);
    QFETCH(int, copies);
    QFETCH(bool, writable);
    QFETCH(int, pages);

    frmTarvolen_300413 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    drawFigure(window, 2, 3, 4);
    QVERIFY2(window.lblPrint->isVisible(), "Print is offered once a figure is drawn");

    const QString file = writable ? freshFile(QStringLiteral("copies"))
                                  : m_dir.filePath(QStringLiteral("missing/dir/page.pdf"));
    int shown = 0;
    window.setPrintDialogRunner(std::make_unique<AnsweringDialog>(
        Answer{accepted, copies, QPageSize::A4}, file, &shown));
    const QImage before = testing::grabWindow(window);

    ModalWatch watch;
    QTest::mouseClick(window.lblPrint, Qt::LeftButton);
    QCoreApplication::processEvents();

    QCOMPARE(shown, 1);
    QVERIFY2(watch.seen().isEmpty(), qPrintable(QStringLiteral("no message expected, saw: ")
                                                + watch.seen().join(QLatin1Char(' '))));
    QVERIFY2(testing::grabWindow(window) == before, "printing leaves the window as it was");
    if (pages == 0) {
        QVERIFY2(!QFile::exists(file), "nothing may be printed");
        return;
    }
    QVERIFY2(QFile::exists(file), "the page(s) should have been printed");
    QCOMPARE(pageCount(file), pages);
}

void PrintingTest::pageIsTrueScale_data()
{
    QTest::addColumn<QPageSize::PageSizeId>("paper");
    QTest::addColumn<int>("r1");
    QTest::addColumn<int>("r2");
    QTest::addColumn<int>("pq");
    QTest::addColumn<int>("caseBox");
    QTest::addColumn<bool>("trueScale");

    QTest::newRow(firstRow) << QPageSize::A4 << 3 << 2 << 4 << 3 << true;
    QTest::newRow("Letter, outside r1=3 r2=1 PQ=6") << QPageSize::Letter << 3 << 1 << 6 << 5 << true;
    QTest::newRow("A4, inside r1=3 r2=1 PQ=1") << QPageSize::A4 << 3 << 1 << 1 << 4 << true;
    QTest::newRow("A5 too small: shrunk to fit, touch r1=3 r2=2 PQ=5")
        << QPageSize::A5 << 3 << 2 << 5 << 1 << false;
}

void PrintingTest::pageIsTrueScale()
{
    QFETCH(QPageSize::PageSizeId, paper);
    QFETCH(int, r1);
    QFETCH(int, r2);
    QFETCH(int, pq);
    QFETCH(int, caseBox);
    QFETCH(bool, trueScale);

    frmTarvolen_300413 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    drawFigure(window, r1, r2, pq);
    const auto boxes = window.caseBoxes();
    QVERIFY2(boxes[caseBox - 1]->emphasis(), "the screen highlights the expected case");

    const QString file = freshFile(QStringLiteral("page"));
    int shown = 0;
    window.setPrintDialogRunner(
        std::make_unique<AnsweringDialog>(Answer{true, 1, paper}, file, &shown));
    window.lblPrint_Click();
    QCOMPARE(pageCount(file), 1);
    if (!qEnvironmentVariableIsEmpty("TARVOLEN_PRINT_SAMPLE") && qstrcmp(QTest::currentDataTag(), firstRow) == 0) {
        const QString sample = qEnvironmentVariable("TARVOLEN_PRINT_SAMPLE");
        QFile::remove(sample);
        QVERIFY(QFile::copy(file, sample));
    }

    // Texts stay text: a 96-dpi picture of the window would carry no font.
    QVERIFY2(runTool(QStringLiteral("pdffonts"), {file}).contains(QLatin1String("Liberation")),
             "the page's texts should be printed as text");
    // Pictures on the page (the lists' frames) are at the printer's resolution too.
    const QStringList images = runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), file})
                                   .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                   .mid(2);
    for (const QString &line : images) {
        const QStringList columns = line.simplified().split(QLatin1Char(' '));
        QVERIFY2(columns.size() > 13 && columns.at(12).toInt() >= 600,
                 qPrintable(QStringLiteral("a coarse picture on the page: ") + line));
    }

    constexpr int dpi = 200;
    const double pxPerCm = dpi / kCmPerInch;
    const QImage page = rasterise(file, dpi, m_dir.filePath(QStringLiteral("raster%1").arg(m_files)));
    QVERIFY2(!page.isNull(), "pdftoppm should rasterise the page");
    const QSizeF paperCm = QPageSize(paper).size(QPageSize::Millimeter) / 10.0;
    QVERIFY2(page.width() > page.height(), "the page is landscape");
    QVERIFY(qAbs(page.width() / pxPerCm - paperCm.height()) < 0.05);

    // The window is its pale green background, which reaches every edge of it.
    const QColor pale = toolkit::bgr(0x00DCFFD5);
    QRect found;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (testing::near(page.pixelColor(x, y), pale, 6))
                found |= QRect(x, y, 1, 1);
    QVERIFY2(!found.isEmpty(), "the window should be on the page");
    const double widthCm = found.width() / pxPerCm;
    const double heightCm = found.height() / pxPerCm;
    const double scale = heightCm / toolkit::pxToCm(window.kClientHeight);
    QVERIFY2(qAbs(widthCm / heightCm - double(window.kClientWidth) / window.kClientHeight) < 0.005,
             "the window keeps its proportions");
    if (trueScale) {
        QVERIFY2(qAbs(widthCm - 26.935) < 0.05, qPrintable(QStringLiteral("window %1 cm wide on paper").arg(widthCm)));
        QVERIFY2(qAbs(heightCm - 19.473) < 0.05, qPrintable(QStringLiteral("window %1 cm high on paper").arg(heightCm)));
    } else {
        QVERIFY2(scale < 0.99 && widthCm < paperCm.height() && heightCm < paperCm.width(),
                 "the window is shrunk to the paper");
        QVERIFY2(heightCm > paperCm.width() - 1.0, "shrunk no more than the paper needs");
    }
    // Centred: the PDF's margins are equal on every side.
    QVERIFY(qAbs(found.left() - (page.width() - 1 - found.right())) / pxPerCm < 0.05);
    QVERIFY(qAbs(found.top() - (page.height() - 1 - found.bottom())) / pxPerCm < 0.05);

    // The circle of radius 3 about P, measured down the column through P between the
    // middles of its top and bottom strokes.
    const auto onPaper = [&](double xCm, double yCm) {
        return QPoint(found.left() + int(xCm * scale * pxPerCm), found.top() + int(yCm * scale * pxPerCm));
    };
    const QPoint centre = onPaper(window.Px, window.CentreY);
    const QColor red(255, 0, 0);
    QList<int> rows;
    for (int y = onPaper(0, 9.0).y(); y <= onPaper(0, 17.0).y(); ++y)
        if (testing::near(page.pixelColor(centre.x(), y), red, 60))
            rows << y;
    QVERIFY2(rows.size() > 4, "the circle's strokes should cross the column through P");
    int topEnd = rows.first();
    while (rows.contains(topEnd + 1))
        ++topEnd;
    int bottomStart = rows.last();
    while (rows.contains(bottomStart - 1))
        --bottomStart;
    const double diameterCm =
        ((bottomStart + rows.last()) - (rows.first() + topEnd)) / 2.0 / pxPerCm;
    const double expected = 6.0 * (trueScale ? 1.0 : scale);
    QVERIFY2(qAbs(diameterCm - expected) < 0.05,
             qPrintable(QStringLiteral("circle of radius 3 is %1 cm across on paper, expected %2")
                            .arg(diameterCm).arg(expected)));

    // The highlighted case box is yellow on paper, the others are not.
    const QColor yellow = toolkit::bgr(0x0000FFFF);
    for (int i = 0; i < 5; ++i) {
        const QRectF cm(toolkit::pxToCm(boxes[i]->x()), toolkit::pxToCm(boxes[i]->y()),
                        toolkit::pxToCm(boxes[i]->width()), toolkit::pxToCm(boxes[i]->height()));
        const QRect area = QRect(onPaper(cm.left(), cm.top()), onPaper(cm.right(), cm.bottom()))
                               .adjusted(4, 4, -4, -4);
        int yellowPixels = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                yellowPixels += testing::near(page.pixelColor(x, y), yellow, 20);
        const double share = double(yellowPixels) / (area.width() * area.height());
        if (i == caseBox - 1)
            QVERIFY2(share > 0.6, qPrintable(QStringLiteral("rtBox%1 should be yellow on paper (%2)").arg(i + 1).arg(share)));
        else
            QVERIFY2(share < 0.01, qPrintable(QStringLiteral("rtBox%1 should not be yellow on paper").arg(i + 1)));
    }
}

void PrintingTest::homeEndsTheEventLoop()
{
    frmTarvolen_300413 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    int ticks = 0;
    int ticksAtHome = -1;
    for (toolkit::Timer *timer : {window.Timer1, window.Timer2})
        connect(timer, &toolkit::Timer::tick, this, [&ticks] { ++ticks; });

    // Once both blink timers run, the learner clicks Home; a watchdog ends a loop that Home
    // failed to end, with a status of its own.
    QTimer clicker;
    clicker.setInterval(10);
    connect(&clicker, &QTimer::timeout, this, [&] {
        if (!window.Timer1->isEnabled() || !window.Timer2->isEnabled())
            return;
        clicker.stop();
        ticksAtHome = ticks;
        QTest::mouseClick(window.lblHome, Qt::LeftButton);
    });
    clicker.start();
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, this, [] { QCoreApplication::exit(99); });
    watchdog.start(10000);

    QCOMPARE(QApplication::exec(), 0);
    QVERIFY2(ticksAtHome >= 1, "Home was clicked while both blink timers ran");
    QVERIFY2(!window.isVisible(), "the window closes");
    QVERIFY(!window.Timer1->isEnabled());
    QVERIFY(!window.Timer2->isEnabled());
    QTest::qWait(1000); // longer than two blink intervals
    QCOMPARE(ticks, ticksAtHome);
}

QTEST_MAIN(PrintingTest)
#include "tst_printing.moc"
