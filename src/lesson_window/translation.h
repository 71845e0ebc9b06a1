#pragma once

#include <QLocale>
#include <QString>

// The lesson speaks the first of the learner's languages that it knows: English, in which its
// texts are written, or one with a translation built into the program (translations/).
namespace lesson {

// Installs the lesson's translation for that language, and Qt's own (its dialogs) where the
// system has it; replaces whatever an earlier call installed. Returns the language's code,
// "en" when the lesson stays in English.
QString useLanguage(const QLocale &locale = QLocale::system());

// `text` of `context` in the system's language; usable before the application exists.
QString translateEarly(const char *context, const char *text);

} // namespace lesson
