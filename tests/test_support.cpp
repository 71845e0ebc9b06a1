#include "test_support.h"

#include "lesson_window/lesson_window.h"
#include "toolkit/combo_box.h"
#include "toolkit/rich_text_box.h"
#include "toolkit/timer.h"
#include "toolkit/units.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QStyleFactory>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace testing {

void prepareApplication()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    toolkit::installFontSubstitutions();
    QApplication::setCursorFlashTime(0); // a text cursor that stays, so two pictures agree
}

QImage grabWindow(QWidget &window)
{
    return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage figure(QWidget &window)
{
    QImage image(window.size(), QImage::Format_RGB32);
    image.fill(QColor(213, 255, 220));
    QPainter(&image).drawPixmap(kFigureArea.topLeft(), window.grab(kFigureArea));
    return image;
}

bool figureShown(QWidget &window)
{
    const QRect row(kFigureArea.left(), cmToPixel(0, 13).y() - 2, kFigureArea.width(), 5); // both centres lie on it
    return !inkBox(window.grab(row).toImage(), QRect(QPoint(), row.size()), Qt::red).isEmpty();
}

QPoint cmToPixel(double x, double y)
{
    const double pxPerCm = 1440 / 2.54 / 15; // twips per centimetre over twips per pixel
    return QPoint(int(std::lround(x * pxPerCm)), int(std::lround(y * pxPerCm)));
}

bool near(const QColor &a, const QColor &b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
           && std::abs(a.blue() - b.blue()) <= tolerance;
}

QRect inkBox(const QImage &source, const QRect &area, const QColor &colour, int tolerance)
{
    const bool direct = source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32_Premultiplied;
    const QImage image = direct ? source : source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRect within = area & image.rect();
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    for (int y = within.top(); y <= within.bottom(); ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = within.left(); x <= within.right(); ++x)
            if (std::abs(qRed(row[x]) - colour.red()) <= tolerance && std::abs(qGreen(row[x]) - colour.green()) <= tolerance
                && std::abs(qBlue(row[x]) - colour.blue()) <= tolerance)
                left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

void freezeBlinks(QWidget &window)
{
    for (const char *name : {"Timer1", "Timer2", "Timer5", "Timer6"})
        find<toolkit::Timer>(window, name)->findChild<QTimer *>()->blockSignals(true);
}

void click(QWidget &window, const QString &name)
{
    QTest::mouseClick(find(window, name), Qt::LeftButton);
}

void choose(QWidget &window, const QString &name, int value)
{
    auto *list = find<toolkit::ComboBox>(window, name);
    const int index = list->findText(QString::number(value));
    if (index < 0)
        qFatal("%s offers no item %d", qPrintable(name), value);
    QTest::mouseClick(list->lineEdit(), Qt::LeftButton);
    QTest::keyClick(window.windowHandle(), Qt::Key_Down, Qt::AltModifier);
    QWindow *popup = list->view()->window()->windowHandle(); // keys through the windows, as the keyboard gives them
    if (!popup || !popup->isVisible())
        qFatal("%s did not open", qPrintable(name));
    QTest::keyClick(popup, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Return);
}

void chooseAll(QWidget &window, int r1, int r2, int pq)
{
    choose(window, "CboR1", r1);
    choose(window, "CboR2", r2);
    choose(window, "CboPQ", pq);
}

QString caseLooks(QWidget &window)
{
    QString looks;
    const QString highlight = find<toolkit::RichTextBox>(window, "rtfHighlight")->text();
    for (const char *name : {"rtBox1", "rtBox2", "rtBox3", "rtBox4", "rtBox5"}) {
        QWidget *box = find(window, name);
        const QImage i = box->grab(QRect(box->width() / 2, 0, 1, 2)).toImage();
        const QColor top = i.pixelColor(0, 0), in = i.pixelColor(0, 1);
        const bool lit = near(in, Qt::yellow, 10) && qGray(top.rgb()) < 100 && box->toolTip().endsWith('\n' + highlight);
        looks += lit ? 'y' : near(in, QColor(213, 255, 220), 10) && near(top, QColor(213, 255, 220), 10) && box->toolTip().isEmpty() ? 'g' : '?';
    }
    return looks;
}

int expectedCase(int r1, int r2, int pq)
{
    if (pq == 0)
        return r1 == r2 ? 0 : 4; // coinciding circles share every point: none of the five
    // The common chord stands n / (2 pq) from P; the sign of 4 pq² r1² - n² gives 2, 1 or 0
    // shared points.
    const long n = long(pq) * pq + long(r1) * r1 - long(r2) * r2;
    const long chord = 4L * pq * pq * r1 * r1 - n * n;
    if (chord > 0)
        return 3;
    if (chord == 0) // one contact point: between the centres, or beyond them
        return (n >= 0 && n <= 2L * pq * pq) ? 1 : 2;
    return pq + std::min(r1, r2) < std::max(r1, r2) ? 4 : 5;
}

} // namespace testing
