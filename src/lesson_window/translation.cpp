#include "lesson_window/translation.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

QString lessonFile(const QString &language)
{
    return QStringLiteral(":/i18n/tarvolen_%1.qm").arg(language);
}

// English counts as known: without this, LANGUAGE=en on a German desktop would fall through
// to the German translation.
QString knownLanguage(const QLocale &locale)
{
    for (const QString &name : locale.uiLanguages()) {
        const QLocale::Language language = QLocale(name).language();
        if (language == QLocale::English)
            break;
        const QString code = QLocale::languageToCode(language);
        if (QFile::exists(lessonFile(code)))
            return code;
    }
    return QStringLiteral("en");
}

} // namespace

namespace lesson {

QString useLanguage(const QLocale &locale)
{
    static QTranslator lessonTexts;
    static QTranslator qtTexts;
    QCoreApplication::removeTranslator(&lessonTexts);
    QCoreApplication::removeTranslator(&qtTexts);
    const QString language = knownLanguage(locale);
    if (language == QLatin1String("en"))
        return language;
    if (lessonTexts.load(lessonFile(language)))
        QCoreApplication::installTranslator(&lessonTexts);
    // Debian's qt6-translations-l10n; without it Qt's dialogs stay English. Asked for in the
    // lesson's own variant (pt_BR), since Qt ships no plain qtbase_pt.
    const QString variant = lessonTexts.language().isEmpty() ? language : lessonTexts.language();
    if (qtTexts.load(QStringLiteral("qtbase_") + variant, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);
    return language;
}

QString translateEarly(const char *context, const char *text)
{
    QTranslator translator;
    const QString language = knownLanguage(QLocale::system());
    QString translated;
    if (language != QLatin1String("en") && translator.load(lessonFile(language)))
        translated = translator.translate(context, text);
    return translated.isEmpty() ? QString::fromUtf8(text) : translated;
}

} // namespace lesson
