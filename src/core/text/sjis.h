#pragma once
// Code page 932 (Shift-JIS as Windows writes it, windows-31j), the encoding of
// every data file. Conversion goes through glibc's iconv "CP932", which maps
// ①, ～ (U+FF5E), － (U+FF0D) and the NEC and IBM extensions both ways.
#include <QByteArray>
#include <QString>

namespace kioku::text {

// Encodes `s`. On a character code page 932 cannot hold, returns false, leaves
// `out` untouched and puts that character into `badChar` (when given).
bool encodeCp932(const QString &s, QByteArray *out, QString *badChar = nullptr);

// Decodes code page 932 bytes. Bytes that are not valid code page 932 become
// U+FFFD and `clean` (when given) is set to false.
QString decodeCp932(const QByteArray &bytes, bool *clean = nullptr);

// Decodes a whole file's bytes: UTF-8 when they start with a UTF-8 byte-order
// mark (the mark is dropped), code page 932 otherwise.
QString decodeFileBytes(const QByteArray &bytes, bool *clean = nullptr);

// The Japanese message shown when a text holds a character that cannot be stored.
QString unstorableCharMessage(const QString &badChar);

} // namespace kioku::text
