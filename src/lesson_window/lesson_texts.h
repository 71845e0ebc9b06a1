#pragma once

#include <QtGlobal>

// The lesson's own words, blanks and all. The window's tr() finds each under the window's class
// name; with no translation for the learner's language a text stays exactly as written here.
// A sentence written in pieces is still one text to its translators. lupdate reads only the
// macro as written, so each text names its context in full. The //: lines are its notes to
// translators: the window lowers the digit of the first "r1" and "r2" it finds in a text, or
// else the first "1" or "2", and no box grows for a longer sentence.

namespace lesson {

// Whose lesson this is: shown on the prompt line of the first page and after a figure.
// No digits here: the prompt formatting lowers the first "1" or "2" it meets.
inline constexpr const char kContactAddress[] = "tarvolen@example.org";
inline constexpr const char kWebAddress[] = "example.org/tarvolen";

inline constexpr const char kCaption[] = QT_TRANSLATE_NOOP("frmTarvolen_300413", "Chapter 4:  Tarvolen in a Plane.");
inline constexpr const char kHeading[] = QT_TRANSLATE_NOOP("frmTarvolen_300413", "Tarvolen in R\u00B2");
inline constexpr const char kInvitation[] =
    QT_TRANSLATE_NOOP("frmTarvolen_300413", "Let us test it for practice..    Click 'Next'");
//: Keep "r1"; no "2" or other "r1".
inline constexpr const char kPromptR1[] =
    QT_TRANSLATE_NOOP("frmTarvolen_300413", "Now  select  length  of  radius  r1   for one circle.");
//: Keep "r2"; no "1" or other "r2".
inline constexpr const char kPromptR2[] =
    QT_TRANSLATE_NOOP("frmTarvolen_300413", "Select  length  of  radius  r2  for  the  other circle.");
inline constexpr const char kPromptPQ[] =
    QT_TRANSLATE_NOOP("frmTarvolen_300413", " Select the distance PQ between  their centers P and Q");
//: Keep "r1" once; no "2" anywhere.
inline constexpr const char kSuppose1[] =
    QT_TRANSLATE_NOOP("frmTarvolen_300413", "Suppose that the centre of a circle is P and its radius is r1.");
//: Keep "r2" once; no "1" anywhere.
inline constexpr const char kSuppose2[] = QT_TRANSLATE_NOOP("frmTarvolen_300413",
    "Suppose that in the same plane there is another " "circle with centre Q and radius r2.");
//: Keep "r1", "r2" and "PQ" once each.
inline constexpr const char kHighlight[] = QT_TRANSLATE_NOOP("frmTarvolen_300413",
    "It  will  be  highlighted  according  to  your " "selection  of  r1" " " "," "  r2  and  PQ.");
inline constexpr const char kHelp[] =
    QT_TRANSLATE_NOOP("frmTarvolen_300413", "Double Click any of these 3" " buttons and turn mouse wheel.");

// The five cases in their order, each written as its two parts one after the other.
inline constexpr const char *kCaseTexts[5] = {
    //: Keep " (1)  " first and the formula as written; no other "r1" or "r2".
    QT_TRANSLATE_NOOP("frmTarvolen_300413",
                      " (1)  If PQ =  r1 + r2 then the two circles touch " "each other externally."),
    //: Keep " (2)  " first and the formula as written; no other "r1" or "r2".
    QT_TRANSLATE_NOOP("frmTarvolen_300413",
                      " (2)  If PQ = | r1 - r2 | then the two circles touch " "each other internally."),
    //: Keep " (3)  " first and the formula as written, "r1 + r2" last; no other "r1" or "r2".
    QT_TRANSLATE_NOOP("frmTarvolen_300413",
                      " (3)  If | r1 - r2 | < PQ < r1 + r2  then the two " "circles intersect each other in 2 Points."),
    //: Keep " (4)  " first and the formula as written; no other "r1" or "r2".
    QT_TRANSLATE_NOOP("frmTarvolen_300413", " (4)  If PQ < | r1 - r2 |  then the two circles neither "
                                            "intersect nor touch and one of them is inside the other."),
    //: Keep " (5)  " first and the formula "r1 + r2" as written; no other "r1" or "r2".
    QT_TRANSLATE_NOOP("frmTarvolen_300413", " (5)  If PQ > r1 + r2  then the two circles do not "
                                            "intersect or touch and each is outside the other."),
};

// The words of the window's own controls and of the printed document.
//: One short word on a button 33 pixels wide, as are Back, Print and Home.
inline constexpr const char kNext[] = QT_TRANSLATE_NOOP("frmTarvolen_300413", "Next");
inline constexpr const char kBack[] = QT_TRANSLATE_NOOP("frmTarvolen_300413", "Back");
inline constexpr const char kPrint[] = QT_TRANSLATE_NOOP("frmTarvolen_300413", "Print");
inline constexpr const char kHome[] = QT_TRANSLATE_NOOP("frmTarvolen_300413", "Home");
inline constexpr const char kHelpCaption[] = QT_TRANSLATE_NOOP("frmTarvolen_300413", "Help");
inline constexpr const char kPossibility[] = QT_TRANSLATE_NOOP(
    "frmTarvolen_300413", "In this Situation one and only one Possibility exists, out of below five..");
inline constexpr const char kPQCaption[] =
    QT_TRANSLATE_NOOP("frmTarvolen_300413", " Select the distance PQ between  their centers P and Q.");
// The print dialog offers "<document name>.pdf" as the file: no colons or dots in any language.
inline constexpr const char kDocumentName[] = QT_TRANSLATE_NOOP("frmTarvolen_300413", "Tarvolen in a Plane");

// What a screen reader is told beyond what the window shows: the highlighted case, the
// names of the three lists and the keys of the labels that act as buttons.
inline constexpr const char kCaseHolds[] =
    QT_TRANSLATE_NOOP("frmTarvolen_300413", "This case holds for the chosen r1 = %1, r2 = %2 and PQ = %3.");
// The lit case's condition with the chosen values put in, in its tooltip and told to a screen
// reader: %1 is r1, %2 r2, %3 PQ, %4 |r1 − r2| and %5 r1 + r2; "−" is the minus sign U+2212.
inline constexpr const char *const kWorkedConditions[5] = {
    QT_TRANSLATE_NOOP("frmTarvolen_300413", "%3 = %1 + %2"),
    QT_TRANSLATE_NOOP("frmTarvolen_300413", "%3 = |%1 − %2|"),
    QT_TRANSLATE_NOOP("frmTarvolen_300413", "|%1 − %2| = %4 < %3 < %5 = %1 + %2"),
    QT_TRANSLATE_NOOP("frmTarvolen_300413", "%3 < %4 = |%1 − %2|"),
    QT_TRANSLATE_NOOP("frmTarvolen_300413", "%3 > %5 = %1 + %2"),
};
// Said where a case would be lit when the two circles are one: no case of the five holds.
inline constexpr const char kCoincide[] =
    QT_TRANSLATE_NOOP("frmTarvolen_300413", "The two circles coincide: they have every point in common.");
//: %1 is the printer's name or the file's path.
inline constexpr const char kPrintFailed[] =
    QT_TRANSLATE_NOOP("frmTarvolen_300413", "Nothing was printed: %1 could not be opened.");
//: %1 is the platform asked for, %2 the list of those Qt has.
inline constexpr const char kNoSuchPlatform[] = QT_TRANSLATE_NOOP("main",
    "tarvolen: the Qt platform plugin \"%1\" could not be loaded; the platforms Qt has are: %2");
inline constexpr const char kListNameR1[] = QT_TRANSLATE_NOOP("frmTarvolen_300413", "r1");
inline constexpr const char kListNameR2[] = QT_TRANSLATE_NOOP("frmTarvolen_300413", "r2");
inline constexpr const char kListNamePQ[] = QT_TRANSLATE_NOOP("frmTarvolen_300413", "PQ");
//: Alt and the first letter of the translated Next; Back, Print and Home likewise.
inline constexpr const char kKeyNext[] = QT_TRANSLATE_NOOP("frmTarvolen_300413", "Alt+N");
inline constexpr const char kKeyBack[] = QT_TRANSLATE_NOOP("frmTarvolen_300413", "Alt+B");
inline constexpr const char kKeyPrint[] = QT_TRANSLATE_NOOP("frmTarvolen_300413", "Alt+P");
inline constexpr const char kKeyHome[] = QT_TRANSLATE_NOOP("frmTarvolen_300413", "Alt+H");

// Placeholders shown by the three lists until a value is chosen: never translated, since a
// list counts as chosen by comparing its text with these.
inline constexpr const char kPlaceholderR1[] = " r1";
inline constexpr const char kPlaceholderR2[] = " r2";
inline constexpr const char kPlaceholderPQ[] = "PQ";

} // namespace lesson
