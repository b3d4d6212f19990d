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

bool isBlankUnit(char16_t c)
{
    return c == u' ' || c == u'\t';
}

bool isDigitUnit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// The length of the plain decimal number at the start of the `n` units of `s`
// (after leading blanks, which `skip` receives): optional sign, digits,
// optional "." digits. 0 when there is no digit. Bytes are taken unsigned, so
// a byte of a two-byte character never reads as a digit.
template <typename Unit> qsizetype numberPrefix(const Unit *s, qsizetype n, qsizetype *skip)
{
    qsizetype i = 0;
    while (i < n && isBlankUnit(s[i]))
        ++i;
    *skip = i;
    qsizetype j = i;
    if (j < n && (s[j] == Unit('+') || s[j] == Unit('-')))
        ++j;
    qsizetype digits = 0;
    while (j < n && isDigitUnit(s[j])) {
        ++j;
        ++digits;
    }
    if (j < n && s[j] == Unit('.')) {
        qsizetype k = j + 1;
        qsizetype frac = 0;
        while (k < n && isDigitUnit(s[k])) {
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

template <typename T, typename Unit> T parseNumber(const Unit *s, qsizetype n)
{
    qsizetype skip = 0;
    const qsizetype len = numberPrefix(s, n, &skip);
    if (len == 0)
        return T(0);
    // The prefix is ASCII by construction. The numbers of the program's files
    // fit the buffer on the stack; an absurdly long one goes to the heap.
    char small[64];
    QByteArray large;
    char *b = small;
    if (len > qsizetype(sizeof small)) {
        large.resize(len);
        b = large.data();
    }
    for (qsizetype k = 0; k < len; ++k)
        b[k] = char(s[skip + k]);
    const char *e = b + len;
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

template <typename T> T parseNumber(QStringView s)
{
    return parseNumber<T>(s.utf16(), s.size());
}

} // namespace

QStringList splitRecord(const QString &line, QList<bool> *quoted)
{
    QStringList fields;
    if (quoted)
        quoted->clear();
    if (line.isEmpty())
        return fields;
    fields.reserve(8); // the longest lines of the program's files (one allocation, no regrowth)
    FieldCursor cursor(line);
    QStringView field;
    bool q = false;
    while (cursor.next(&field, &q)) {
        fields.append(field.toString());
        if (quoted)
            quoted->append(q);
    }
    return fields;
}

RecordReader::RecordReader(const QString &line) : m_line(line)
{
    FieldCursor cursor(m_line);
    QStringView field;
    while (cursor.next(&field))
        m_fields.append(field);
}

QString RecordReader::text(int i) const
{
    return i >= 0 && i < m_fields.size() ? m_fields[i].toString() : QString();
}

int RecordReader::toInt(int i) const
{
    const QStringView f = view(i);
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
    return parseNumber<float>(view(i));
}

double RecordReader::toDouble(int i) const
{
    return parseNumber<double>(view(i));
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

float leadingFloat(QStringView s)
{
    return parseNumber<float>(s);
}

float leadingFloat(QByteArrayView bytes)
{
    return parseNumber<float>(reinterpret_cast<const uchar *>(bytes.data()), bytes.size());
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
