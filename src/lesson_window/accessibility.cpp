// Keyboard and screen-reader access. Nothing here is drawn or reacts to the pointer: the
// window looks and behaves for a pointer user exactly as without it.

#include "lesson_window/lesson_window.h"

#include "lesson_window/lesson_texts.h"
#include "toolkit/accessibility.h"

#include <QKeySequence>
#include <QLabel>

void frmTarvolen_300413::setUpAccessibility()
{
    lblNext->setActsAsButton(QKeySequence(tr(lesson::kKeyNext)));
    lblBack->setActsAsButton(QKeySequence(tr(lesson::kKeyBack)));
    lblPrint->setActsAsButton(QKeySequence(tr(lesson::kKeyPrint)));
    lblHome->setActsAsButton(QKeySequence(tr(lesson::kKeyHome)));

    // On Linux a list's accessible name is its current text; screen readers take its label
    // from a QLabel buddy. The frame's captions are painted pieces ("r" and a small "1"), so
    // each list gets a label of no size that is never seen, and the pieces are not read.
    for (toolkit::Label *piece : {lblR1, lblR11, lblR2, lblR22, lblPQ1})
        toolkit::keepFromAssistiveTechnology(piece);
}

void frmTarvolen_300413::setUpListAccessibility()
{
    const std::pair<toolkit::ComboBox *, const char *> lists[] = {
        {CboR1, lesson::kListNameR1},
        {CboR2, lesson::kListNameR2},
        {CboPQ, lesson::kListNamePQ},
    };
    for (const auto &[list, name] : lists) {
        auto *caption = new QLabel(tr(name), Frame_Cbo);
        caption->setObjectName(QLatin1String("lblName") + list->objectName());
        caption->setGeometry(list->x(), list->y(), 0, 0);
        caption->setBuddy(list);
    }

    // The lists are built bottom of the stack first, which is PQ, r2, r1. A screen reader's
    // order is the reading order of the window and its frames (toolkit/accessibility.h).
    setTabOrder(CboR1, CboR2);
    setTabOrder(CboR2, CboPQ);
}
