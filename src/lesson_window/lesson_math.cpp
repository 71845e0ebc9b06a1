#include "lesson_window/lesson_math.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace lesson {

int16_t clamp16(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= std::numeric_limits<int16_t>::max())
        return std::numeric_limits<int16_t>::max();
    if (value <= std::numeric_limits<int16_t>::min())
        return std::numeric_limits<int16_t>::min();
    return int16_t(value);
}

int16_t readParameter(const QString &text)
{
    // Only the leading number counts: sign, digits, a decimal point, an exponent.
    const QByteArray latin = text.toLatin1();
    const char *s = latin.constData();
    int i = 0;
    const int n = latin.size();
    while (i < n && (s[i] == ' ' || s[i] == '\t'))
        ++i;
    const int start = i;
    if (i < n && (s[i] == '+' || s[i] == '-'))
        ++i;
    int digits = 0;
    while (i < n && s[i] >= '0' && s[i] <= '9') {
        ++i;
        ++digits;
    }
    if (i < n && s[i] == '.') {
        ++i;
        while (i < n && s[i] >= '0' && s[i] <= '9') {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        int j = i + 1;
        if (j < n && (s[j] == '+' || s[j] == '-'))
            ++j;
        if (j < n && s[j] >= '0' && s[j] <= '9') {
            while (j < n && s[j] >= '0' && s[j] <= '9')
                ++j;
            i = j;
        }
    }
    const std::string number(s + start, s + i);
    const double value = std::strtod(number.c_str(), nullptr);
    // nearbyint rounds half to even in the default rounding mode.
    return clamp16(std::nearbyint(value));
}

int16_t add16(int16_t a, int16_t b)
{
    return clamp16(double(a) + double(b));
}

int16_t sub16(int16_t a, int16_t b)
{
    return clamp16(double(a) - double(b));
}

int16_t abs16(int16_t a)
{
    return clamp16(std::fabs(double(a)));
}

} // namespace lesson
