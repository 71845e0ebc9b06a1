#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// The lesson keeps its values as 16-bit signed integers. A learner can type any number into
// a list's edit field, so every sum, difference and reading saturates at the ends of the
// 16-bit range instead of overflowing.
namespace lesson {

// The number a text begins with (blanks first are skipped; "12abc" is 12), written with a
// decimal point whatever the desktop's locale; nothing when the text does not begin with one.
std::optional<double> leadingNumber(const QString &text);

// The leading number rounded half to even and clamped to the 16-bit range; 0 when there is none.
int16_t readParameter(const QString &text);

int16_t add16(int16_t a, int16_t b);
int16_t sub16(int16_t a, int16_t b);
int16_t abs16(int16_t a);
int16_t clamp16(double value);

// Which of the five cases two circles show, numbered as the lesson lists them, tested in the
// lesson's order; 0 when they coincide, which none of the five describes.
int caseOf(int16_t r1, int16_t r2, int16_t pq);

} // namespace lesson
