// The floor the lesson is measured against: a bare Qt 6 window of the lesson's size holding
// one combo box, one text edit and one label, set up and linked as tarvolen is.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPrintDialog>
#include <QStyleFactory>
#include <QTextEdit>
#include <QWidget>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_FONT_DPI"))
        qputenv("QT_FONT_DPI", "96");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // tarvolen loads the print support library at start (it prints on demand); so does this.
    const void *volatile printSupport = &QPrintDialog::staticMetaObject;
    (void)printSupport;

    QWidget window;
    window.setWindowTitle(QStringLiteral("Baseline"));
    window.setFixedSize(1018, 736);

    auto *combo = new QComboBox(&window);
    combo->setEditable(true);
    for (int n = 0; n <= 12; ++n)
        combo->addItem(QString::number(n));
    combo->setGeometry(110, 72, 49, 28);

    auto *text = new QTextEdit(&window);
    text->setPlainText(QStringLiteral("Suppose that the centre of a circle is P and its radius is r1."));
    text->setGeometry(120, 104, 582, 25);

    auto *label = new QLabel(QStringLiteral("Let us test it for practice..    Click 'Next'"), &window);
    label->setGeometry(112, 567, 681, 29);

    window.show();
    return app.exec();
}
