#pragma once
// The record line of every data file: fields separated by commas, text in
// double quotes, numbers unquoted with "." as decimal point, no escaping.
// A quoted field is read to its closing quote (commas inside belong to the text;
// anything between the closing quote and the next comma is ignored); an unquoted
// field runs to the next comma or the line end, without surrounding blanks.
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVarLengthArray>

namespace kioku::text {

// The fields of one line, one after the other, as positions in the line (no
// copies): what splitRecord() returns, for readers of large files. `Char` is
// char16_t for decoded text, or char for code page 932 bytes: every character
// that delimits a field (quote, comma, blank) is an ASCII byte below 0x40, no
// byte below 0x40 is ever the second byte of a two-byte character, and nothing
// else decodes to ASCII (cp932KeepsAsciiApart()), so the bytes split exactly
// where their decoded text would.
template <typename Char> class BasicFieldCursor {
public:
    BasicFieldCursor(const Char *line, qsizetype size) : m_d(line), m_n(size), m_done(size == 0) {}
    // The next field as `size` units from `start`, and whether it stood in
    // double quotes; false after the last field.
    bool next(qsizetype *start, qsizetype *size, bool *quoted = nullptr)
    {
        if (m_done)
            return false;
        const Char *d = m_d;
        const qsizetype n = m_n;
        qsizetype i = m_pos;
        while (i < n && isBlank(d[i]))
            ++i;
        if (i < n && d[i] == Char('"')) {
            // Quoted: up to the closing quote (or the line end when it is
            // missing); what follows the quote up to the next comma is ignored.
            const qsizetype open = i + 1;
            qsizetype close = open;
            while (close < n && d[close] != Char('"'))
                ++close;
            *start = open;
            *size = close - open;
            if (quoted)
                *quoted = true;
            i = close < n ? close + 1 : n;
            while (i < n && d[i] != Char(','))
                ++i;
        } else {
            qsizetype comma = i;
            while (comma < n && d[comma] != Char(','))
                ++comma;
            qsizetype end = comma;
            while (end > i && isBlank(d[end - 1]))
                --end;
            *start = i;
            *size = end - i;
            if (quoted)
                *quoted = false;
            i = comma;
        }
        if (i >= n)
            m_done = true;
        else
            m_pos = i + 1; // the comma; a comma at the line end leaves one more, empty field
        return true;
    }

private:
    static bool isBlank(Char c) { return c == Char(' ') || c == Char('\t'); }

    const Char *m_d;
    qsizetype m_n;
    qsizetype m_pos = 0;
    bool m_done;
};

// The fields of a line of text as views into it.
class FieldCursor {
public:
    explicit FieldCursor(QStringView line) : m_line(line), m_cursor(line.utf16(), line.size()) {}
    // The next field and whether it stood in double quotes; false after the last.
    bool next(QStringView *field, bool *quoted = nullptr)
    {
        qsizetype start = 0, size = 0;
        if (!m_cursor.next(&start, &size, quoted))
            return false;
        *field = m_line.sliced(start, size);
        return true;
    }

private:
    QStringView m_line;
    BasicFieldCursor<char16_t> m_cursor;
};

// The raw field texts of one line. An empty line gives no fields. `quoted`
// (when given) tells for each field whether it stood in double quotes.
QStringList splitRecord(const QString &line, QList<bool> *quoted = nullptr);

// Typed reading of a line: a reader asks for the type it expects; a missing or
// garbled field reads as empty text or 0. Never fails.
class RecordReader {
public:
    explicit RecordReader(const QString &line);
    int count() const { return int(m_fields.size()); }
    QString text(int i) const;
    // The field as a view into the line (valid while the reader lives).
    QStringView view(int i) const { return i >= 0 && i < m_fields.size() ? m_fields[i] : QStringView(); }
    int toInt(int i) const;     // leading integer of the field, 0 when none
    float toFloat(int i) const; // leading decimal number (".5" and "0.5" alike), 0 when none
    double toDouble(int i) const;

private:
    QString m_line; // holds the text the views point into
    QVarLengthArray<QStringView, 8> m_fields;
};

// Builds one line in the write form.
class RecordWriter {
public:
    // A text field in double quotes. A double quote inside is replaced by the
    // full-width ＂, since the line form has no way to escape it; a line break
    // by a blank, so one record stays one line.
    RecordWriter &text(const QString &s);
    RecordWriter &number(int v);
    RecordWriter &number(float v);  // shortest decimal text of the single-precision value
    RecordWriter &number(double v); // shortest decimal text of the value
    // A field written as nothing between its commas.
    RecordWriter &bare(const QString &s = QString());
    // The line so far; `trailingComma` adds a final comma (the play log's game lines end so).
    QString line(bool trailingComma = false) const;

private:
    QStringList m_fields;
};

// Makes a text safe to write as a quoted field: double quotes become ＂,
// line breaks (CR LF, CR, LF) become one blank each.
QString quoteSafe(const QString &s);

// Leading number of a text: "0.5秒" gives 0.5, "75.0%" 75, "abc" and "" give 0.
double leadingNumber(const QString &s);
// The same in single precision, read as such (not rounded twice through double).
float leadingFloat(QStringView s);
// The same from code page 932 bytes (or any ASCII-compatible bytes): the
// characters of a number are ASCII bytes below 0x40, never part of a
// two-byte character, so the bytes read as their decoded text would.
float leadingFloat(QByteArrayView bytes);

// Whether `s` is a plain decimal number and nothing else ("8", "-1", "0.5", ".5");
// "abc", "8x" and "" are not. With `integer`, a decimal point is refused too.
bool isPlainNumber(const QString &s, bool integer = false);

} // namespace kioku::text
