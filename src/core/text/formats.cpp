#include "formats.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace kioku::text {

namespace {

// A decimal number as significant digits and the place of its decimal point:
// value = 0.d1d2d3… × 10^intLen (so intLen digits stand before the point).
struct Decimal {
    bool negative = false;
    std::string digits; // no leading zeros; empty for zero
    int intLen = 0;
};

// The value in scientific notation with `sig` significant digits (correctly rounded).
template <typename T> std::string scientific(T v, int sig)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, sig - 1);
    return std::string(buf, r.ptr);
}

Decimal toDecimal(const std::string &s)
{
    Decimal d;
    std::size_t i = 0;
    if (i < s.size() && s[i] == '-') {
        d.negative = true;
        ++i;
    }
    const std::size_t e = s.find('e', i);
    for (std::size_t k = i; k < e; ++k)
        if (s[k] != '.')
            d.digits += s[k];
    const int exp = std::stoi(s.substr(e + 1));
    d.intLen = exp + 1;
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty()) {
        d.negative = false;
        d.intLen = 0;
    }
    return d;
}

// Rounds to `decimals` places, halves away from zero.
void roundTo(Decimal &d, int decimals)
{
    const int keep = d.intLen + decimals;
    if (keep >= int(d.digits.size()))
        return;
    if (keep < 0) {
        d.digits.clear();
    } else {
        const bool up = d.digits[std::size_t(keep)] >= '5';
        d.digits.resize(std::size_t(keep));
        if (up) {
            int k = keep - 1;
            while (k >= 0 && d.digits[std::size_t(k)] == '9') {
                d.digits[std::size_t(k)] = '0';
                --k;
            }
            if (k >= 0) {
                ++d.digits[std::size_t(k)];
            } else {
                d.digits.insert(d.digits.begin(), '1');
                ++d.intLen;
            }
        }
        while (!d.digits.empty() && d.digits.back() == '0')
            d.digits.pop_back();
    }
    if (d.digits.empty()) {
        d.negative = false;
        d.intLen = 0;
    }
}

// Plain text without exponent; at least `minDecimals` places after the point.
QString plain(const Decimal &d, int minDecimals)
{
    std::string out;
    if (d.negative)
        out += '-';
    const int n = int(d.digits.size());
    if (d.intLen <= 0) {
        out += '0';
    } else {
        for (int k = 0; k < d.intLen; ++k)
            out += k < n ? d.digits[std::size_t(k)] : '0';
    }
    std::string frac;
    if (d.intLen < 0)
        frac = std::string(std::size_t(-d.intLen), '0') + d.digits; // 0.00ddd
    else if (d.intLen < n)
        frac = d.digits.substr(std::size_t(d.intLen));
    while (int(frac.size()) < minDecimals)
        frac += '0';
    if (!frac.empty())
        out += '.' + frac;
    return QString::fromLatin1(out.data(), qsizetype(out.size()));
}

template <typename T> QString shortest(T v, int maxDigits)
{
    if (!std::isfinite(v))
        return QStringLiteral("0");
    if (v == 0)
        return QStringLiteral("0");
    // The fewest significant digits that read back to the same value.
    for (int p = 1; p < maxDigits; ++p) {
        const std::string s = scientific(v, p);
        T back = 0;
        std::from_chars(s.data(), s.data() + s.size(), back);
        if (back == v)
            return plain(toDecimal(s), 0);
    }
    return plain(toDecimal(scientific(v, maxDigits)), 0);
}

QString fixed(double v, int decimals)
{
    if (!std::isfinite(v))
        v = 0;
    // The value as its 15-digit decimal text, then rounded on that text, so
    // 0.075 × 100 (7.4999999…) counts as the 7.5 it stands for.
    Decimal d = v == 0 ? Decimal() : toDecimal(scientific(v, 15));
    roundTo(d, decimals);
    return plain(d, decimals);
}

QString pad2(int v)
{
    return QString::number(v).rightJustified(2, QLatin1Char('0'));
}

} // namespace

// The common case at the speed of the standard library: the shortest text
// that reads back as `v` (std::to_chars finds the fewest digits, and among
// texts of that length the nearest, as the search in shortest() does), when
// it has at most 7 significant digits and needs no exponent. Otherwise empty.
QString shortestFloatFast(float v)
{
    const float a = std::fabs(v);
    if (!(a >= 1e-4f && a < 1e7f))
        return QString();
    char buf[48];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    if (r.ec != std::errc())
        return QString();
    int significant = 0;
    bool leading = true;
    for (const char *p = buf; p < r.ptr; ++p) {
        if (*p < '0' || *p > '9')
            continue;
        if (leading && *p == '0')
            continue;
        leading = false;
        ++significant;
    }
    if (significant > 7)
        return QString();
    return QString::fromLatin1(buf, qsizetype(r.ptr - buf));
}

QString shortestFloat(float v)
{
    const QString fast = shortestFloatFast(v);
    return fast.isNull() ? shortest(v, 7) : fast;
}

QString shortestDouble(double v)
{
    return shortest(v, 15);
}

QString format0_0(double v)
{
    return fixed(v, 1);
}

QString format0_00(double v)
{
    return fixed(v, 2);
}

QString formatPercent(double ratio)
{
    return fixed(ratio * 100.0, 1) + QLatin1Char('%');
}

qint64 roundHalfEven(double v)
{
    if (!std::isfinite(v))
        return 0;
    // nearbyint rounds halves to even in the default rounding mode.
    const double r = std::nearbyint(v);
    if (r >= 9.2e18)
        return std::numeric_limits<qint64>::max();
    if (r <= -9.2e18)
        return std::numeric_limits<qint64>::min();
    return qint64(r);
}

QString formatHms(qint64 seconds)
{
    QString sign;
    if (seconds < 0) {
        sign = QStringLiteral("-");
        seconds = -seconds;
    }
    const qint64 h = seconds / 3600;
    const qint64 m = (seconds - h * 3600) / 60;
    const qint64 s = seconds - h * 3600 - m * 60;
    return sign + QString::number(h) + QLatin1Char(':') + pad2(int(m)) + QLatin1Char(':') + pad2(int(s));
}

QString dateSlash(const QDate &d)
{
    if (!d.isValid())
        return QString();
    return QString::number(d.year()).rightJustified(4, QLatin1Char('0')) + QLatin1Char('/') + pad2(d.month())
        + QLatin1Char('/') + pad2(d.day());
}

QString dateShort(const QDate &d)
{
    if (!d.isValid())
        return QString();
    return pad2(d.year() % 100) + QLatin1Char('/') + pad2(d.month()) + QLatin1Char('/') + pad2(d.day());
}

QString dateKanji(const QDate &d)
{
    if (!d.isValid())
        return QString();
    return pad2(d.year() % 100) + QStringLiteral("年") + pad2(d.month()) + QStringLiteral("月") + pad2(d.day())
        + QStringLiteral("日");
}

QString monthKanji(const QDate &d)
{
    if (!d.isValid())
        return QString();
    return QString::number(d.year()).rightJustified(4, QLatin1Char('0')) + QStringLiteral("年") + pad2(d.month())
        + QStringLiteral("月");
}

QString monthShort(const QDate &d)
{
    if (!d.isValid())
        return QString();
    return pad2(d.year() % 100) + QLatin1Char('/') + pad2(d.month());
}

QString timeText(const QTime &t)
{
    if (!t.isValid())
        return QString();
    return pad2(t.hour()) + QLatin1Char(':') + pad2(t.minute()) + QLatin1Char(':') + pad2(t.second());
}

QDate parseDateSlash(const QString &s)
{
    const QStringView v(s);
    int parts[3] = {0, 0, 0};
    int part = 0;
    int digits = 0;
    for (qsizetype i = 0; i < v.size(); ++i) {
        const QChar c = v[i];
        if (c == QLatin1Char('/')) {
            if (digits == 0 || part == 2)
                return QDate();
            ++part;
            digits = 0;
        } else if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            if (++digits > (part == 0 ? 4 : 2))
                return QDate();
            parts[part] = parts[part] * 10 + (c.unicode() - '0');
        } else {
            return QDate();
        }
    }
    if (part != 2 || digits == 0 || parts[0] < 1)
        return QDate();
    return QDate(parts[0], parts[1], parts[2]); // invalid when no such day
}

QString shortenDateText(const QString &s)
{
    const QDate d = parseDateSlash(s);
    return d.isValid() ? dateShort(d) : s;
}

QString weekdayLetter(const QDate &d)
{
    if (!d.isValid())
        return QString();
    // Seven shared texts: a list of every play holds one per row.
    static const QString letters[7] = {QStringLiteral("日"), QStringLiteral("月"), QStringLiteral("火"),
                                       QStringLiteral("水"), QStringLiteral("木"), QStringLiteral("金"),
                                       QStringLiteral("土")};
    return letters[d.dayOfWeek() % 7];
}

} // namespace kioku::text
