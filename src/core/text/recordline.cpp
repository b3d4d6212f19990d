#include "recordline.h"

#include "formats.h"

#include <QByteArray>

#include <charconv>
#include <limits>

namespace kioku::text {

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// The length of the plain decimal number at the start of `s` (after leading
// blanks, which `skip` receives): optional sign, digits, optional "." digits.
// 0 when there is no digit.
qsizetype numberPrefix(QStringView s, qsizetype *skip)
{
    qsizetype i = 0;
    while (i < s.size() && isBlank(s[i]))
        ++i;
    *skip = i;
    qsizetype j = i;
    if (j < s.size() && (s[j] == QLatin1Char('+') || s[j] == QLatin1Char('-')))
        ++j;
    qsizetype digits = 0;
    while (j < s.size() && s[j] >= QLatin1Char('0') && s[j] <= QLatin1Char('9')) {
        ++j;
        ++digits;
    }
    if (j < s.size() && s[j] == QLatin1Char('.')) {
        qsizetype k = j + 1;
        qsizetype frac = 0;
        while (k < s.size() && s[k] >= QLatin1Char('0') && s[k] <= QLatin1Char('9')) {
            ++k;
            ++frac;
        }
        if (frac > 0) {
            j = k;
            digits += frac;
        }
    }
    return digits > 0 ? j - i : 0;
}

template <typename T> T parseNumber(const QString &s)
{
    qsizetype skip = 0;
    const qsizetype len = numberPrefix(s, &skip);
    if (len == 0)
        return T(0);
    QByteArray latin = QStringView(s).mid(skip, len).toLatin1();
    const char *b = latin.constData();
    const char *e = b + latin.size();
    if (*b == '+')
        ++b;
    T v = 0;
    const auto r = std::from_chars(b, e, v);
    if (r.ec == std::errc::result_out_of_range)
        return *b == '-' ? -std::numeric_limits<T>::max() : std::numeric_limits<T>::max();
    if (r.ec != std::errc())
        return T(0);
    return v;
}

} // namespace

QStringList splitRecord(const QString &line, QList<bool> *quoted)
{
    QStringList fields;
    if (quoted)
        quoted->clear();
    const qsizetype n = line.size();
    if (n == 0)
        return fields;
    fields.reserve(8); // the longest lines of the program's files (one allocation, no regrowth)
    const QChar *d = line.constData();
    qsizetype i = 0;
    for (;;) {
        while (i < n && isBlank(d[i]))
            ++i;
        if (i < n && d[i] == QLatin1Char('"')) {
            // Quoted: up to the closing quote (or the line end when it is
            // missing); what follows the quote up to the next comma is ignored.
            const qsizetype start = i + 1;
            qsizetype close = line.indexOf(QLatin1Char('"'), start);
            if (close < 0)
                close = n;
            fields.append(line.mid(start, close - start));
            if (quoted)
                quoted->append(true);
            i = close < n ? close + 1 : n;
            const qsizetype comma = i < n ? line.indexOf(QLatin1Char(','), i) : -1;
            i = comma < 0 ? n : comma;
        } else {
            qsizetype comma = line.indexOf(QLatin1Char(','), i);
            if (comma < 0)
                comma = n;
            qsizetype end = comma;
            while (end > i && isBlank(d[end - 1]))
                --end;
            fields.append(line.mid(i, end - i));
            if (quoted)
                quoted->append(false);
            i = comma;
        }
        if (i >= n)
            break;
        ++i; // the comma; a comma at the line end leaves one more, empty field
    }
    return fields;
}

QString RecordReader::text(int i) const
{
    return i >= 0 && i < m_fields.size() ? m_fields.at(i) : QString();
}

int RecordReader::toInt(int i) const
{
    const QString f = text(i);
    qsizetype j = 0;
    while (j < f.size() && isBlank(f.at(j)))
        ++j;
    bool neg = false;
    if (j < f.size() && (f.at(j) == QLatin1Char('+') || f.at(j) == QLatin1Char('-'))) {
        neg = f.at(j) == QLatin1Char('-');
        ++j;
    }
    qint64 v = 0;
    for (; j < f.size() && f.at(j) >= QLatin1Char('0') && f.at(j) <= QLatin1Char('9'); ++j) {
        v = v * 10 + (f.at(j).unicode() - '0');
        if (v > qint64(std::numeric_limits<int>::max()) + 1)
            v = qint64(std::numeric_limits<int>::max()) + 1;
    }
    if (neg)
        v = -v;
    return int(qBound(qint64(std::numeric_limits<int>::min()), v, qint64(std::numeric_limits<int>::max())));
}

float RecordReader::toFloat(int i) const
{
    return parseNumber<float>(text(i));
}

double RecordReader::toDouble(int i) const
{
    return parseNumber<double>(text(i));
}

RecordWriter &RecordWriter::text(const QString &s)
{
    m_fields.append(QLatin1Char('"') + quoteSafe(s) + QLatin1Char('"'));
    return *this;
}

RecordWriter &RecordWriter::number(int v)
{
    m_fields.append(QString::number(v));
    return *this;
}

RecordWriter &RecordWriter::number(float v)
{
    m_fields.append(shortestFloat(v));
    return *this;
}

RecordWriter &RecordWriter::number(double v)
{
    m_fields.append(shortestDouble(v));
    return *this;
}

RecordWriter &RecordWriter::bare(const QString &s)
{
    m_fields.append(s);
    return *this;
}

QString RecordWriter::line(bool trailingComma) const
{
    QString l = m_fields.join(QLatin1Char(','));
    if (trailingComma)
        l += QLatin1Char(',');
    return l;
}

QString quoteSafe(const QString &s)
{
    QString r = s;
    r.replace(QLatin1Char('"'), QChar(0xFF02));
    // A line break would split the record into two lines.
    r.replace(QLatin1String("\r\n"), QLatin1String(" "));
    r.replace(QLatin1Char('\r'), QLatin1Char(' '));
    r.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return r;
}

double leadingNumber(const QString &s)
{
    return parseNumber<double>(s);
}

bool isPlainNumber(const QString &s, bool integer)
{
    if (s.isEmpty())
        return false;
    qsizetype i = 0;
    if (s.at(0) == QLatin1Char('-') || s.at(0) == QLatin1Char('+'))
        ++i;
    int digits = 0;
    bool point = false;
    for (; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            ++digits;
        else if (c == QLatin1Char('.') && !point && !integer)
            point = true;
        else
            return false;
    }
    return digits > 0;
}

} // namespace kioku::text
