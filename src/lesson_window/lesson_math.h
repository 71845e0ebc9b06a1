#pragma once

#include <QString>

#include <cstdint>

// The lesson keeps its values as 16-bit signed integers. A learner can type any number into
// a list's edit field, so every sum, difference and reading saturates at the ends of the
// 16-bit range instead of overflowing.
namespace lesson {

// Reads the number a text begins with (blanks first are skipped; "12abc" is 12, "abc" is 0),
// rounds it half to even and clamps it to the 16-bit range.
int16_t readParameter(const QString &text);

int16_t add16(int16_t a, int16_t b);
int16_t sub16(int16_t a, int16_t b);
int16_t abs16(int16_t a);
int16_t clamp16(double value);

} // namespace lesson
