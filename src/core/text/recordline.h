#pragma once
// The record line of every data file: fields separated by commas, text in
// double quotes, numbers unquoted with "." as decimal point, no escaping.
// A quoted field is read to its closing quote (commas inside belong to the text;
// anything between the closing quote and the next comma is ignored); an unquoted
// field runs to the next comma or the line end, without surrounding blanks.
#include <QList>
#include <QString>
#include <QStringList>

namespace kioku::text {

// The raw field texts of one line. An empty line gives no fields. `quoted`
// (when given) tells for each field whether it stood in double quotes.
QStringList splitRecord(const QString &line, QList<bool> *quoted = nullptr);

// Typed reading of a line: a reader asks for the type it expects; a missing or
// garbled field reads as empty text or 0. Never fails.
class RecordReader {
public:
    explicit RecordReader(const QString &line) : m_fields(splitRecord(line)) {}
    int count() const { return int(m_fields.size()); }
    QString text(int i) const;
    int toInt(int i) const;     // leading integer of the field, 0 when none
    float toFloat(int i) const; // leading decimal number (".5" and "0.5" alike), 0 when none
    double toDouble(int i) const;

private:
    QStringList m_fields;
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

// Whether `s` is a plain decimal number and nothing else ("8", "-1", "0.5", ".5");
// "abc", "8x" and "" are not. With `integer`, a decimal point is refused too.
bool isPlainNumber(const QString &s, bool integer = false);

} // namespace kioku::text
