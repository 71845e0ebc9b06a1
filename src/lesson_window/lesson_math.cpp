#include "lesson_window/lesson_math.h"

#include <QLocale>

#include <cmath>
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

std::optional<double> leadingNumber(const QString &text)
{
    // Only the leading number counts: sign, digits, a decimal point, an exponent.
    int i = 0;
    const int n = int(text.size());
    const auto digitAt = [&text, n](int at) { return at < n && text[at] >= u'0' && text[at] <= u'9'; };
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    const int start = i;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    int digits = 0;
    for (; digitAt(i); ++i)
        ++digits;
    if (i < n && text[i] == u'.')
        for (++i; digitAt(i); ++i)
            ++digits;
    if (digits == 0)
        return std::nullopt;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        int j = i + 1;
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        if (digitAt(j)) {
            while (digitAt(j))
                ++j;
            i = j;
        }
    }
    // Not strtod: it follows the desktop's LC_NUMERIC, and a German desktop stops at the point.
    return QLocale::c().toDouble(QStringView(text).mid(start, i - start));
}

int16_t readParameter(const QString &text)
{
    // nearbyint rounds half to even in the default rounding mode.
    return clamp16(std::nearbyint(leadingNumber(text).value_or(0.0)));
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

int caseOf(int16_t r1, int16_t r2, int16_t pq)
{
    const int16_t sum = add16(r1, r2);
    const int16_t difference = abs16(sub16(r1, r2));
    if (pq == 0 && difference == 0)
        return 0;
    if (pq == sum)
        return 1;
    if (pq == difference)
        return 2;
    if (difference < pq && pq < sum)
        return 3;
    return pq > sum ? 5 : 4;
}

} // namespace lesson
