#pragma once

// The lesson's own words, blanks and all.
namespace lesson {

// Whose lesson this is: shown on the prompt line of the first page and after a figure.
// No digits here: the prompt formatting lowers the first "1" or "2" it meets.
inline constexpr const char kContactAddress[] = "tarvolen@example.org";
inline constexpr const char kWebAddress[] = "example.org/tarvolen";

inline constexpr const char kCaption[] = "Chapter 4:  Tarvolen in a Plane.";
inline constexpr const char kHeading[] = "Tarvolen in R\u00B2";
inline constexpr const char kInvitation[] = "Let us test it for practice..    Click 'Next'";
inline constexpr const char kPromptR1[] = "Now  select  length  of  radius  r1   for one circle.";
inline constexpr const char kPromptR2[] = "Select  length  of  radius  r2  for  the  other circle.";
inline constexpr const char kPromptPQ[] = " Select the distance PQ between  their centers P and Q";
inline constexpr const char kSuppose1[] = "Suppose that the centre of a circle is P and its radius is r1.";
inline constexpr const char kSuppose2a[] = "Suppose that in the same plane there is another ";
inline constexpr const char kSuppose2b[] = "circle with centre Q and radius r2.";
inline constexpr const char kHighlightA[] = "It  will  be  highlighted  according  to  your ";
inline constexpr const char kHighlightB[] = "selection  of  r1";
inline constexpr const char kHighlightC[] = "  r2  and  PQ.";
inline constexpr const char kHelpA[] = "Double Click any of these 3";
inline constexpr const char kHelpB[] = " buttons and turn mouse wheel.";

// The five cases, each written as its two parts one after the other.
struct CaseText
{
    const char *first;
    const char *second;
};
inline constexpr CaseText kCaseTexts[5] = {
    {" (1)  If PQ =  r1 + r2 then the two circles touch ", "each other externally."},
    {" (2)  If PQ = | r1 - r2 | then the two circles touch ", "each other internally."},
    {" (3)  If | r1 - r2 | < PQ < r1 + r2  then the two ", "circles intersect each other in 2 Points."},
    {" (4)  If PQ < | r1 - r2 |  then the two circles neither ",
     "intersect nor touch and one of them is inside the other."},
    {" (5)  If PQ > r1 + r2  then the two circles do not ",
     "intersect or touch and each is outside the other."},
};

// What a screen reader is told beyond what the window shows: the highlighted case, the
// names of the three lists and the keys of the labels that act as buttons.
inline constexpr const char kCaseHolds[] = "This case holds for the chosen r1 = %1, r2 = %2 and PQ = %3.";
inline constexpr const char kListNameR1[] = "r1";
inline constexpr const char kListNameR2[] = "r2";
inline constexpr const char kListNamePQ[] = "PQ";
inline constexpr const char kKeyNext[] = "Alt+N";
inline constexpr const char kKeyBack[] = "Alt+B";
inline constexpr const char kKeyPrint[] = "Alt+P";
inline constexpr const char kKeyHome[] = "Alt+H";

// Placeholders shown by the three lists until a value is chosen.
inline constexpr const char kPlaceholderR1[] = " r1";
inline constexpr const char kPlaceholderR2[] = " r2";
inline constexpr const char kPlaceholderPQ[] = "PQ";

} // namespace lesson
