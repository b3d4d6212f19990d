#pragma once
// Code page 932 (Shift-JIS as Windows writes it, windows-31j), the encoding of
// every data file. Conversion goes through glibc's iconv "CP932", which maps
// ①, ～ (U+FF5E), － (U+FF0D) and the NEC and IBM extensions both ways.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace kioku::text {

// Encodes `s`. On a character code page 932 cannot hold, returns false, leaves
// `out` untouched and puts that character into `badChar` (when given).
bool encodeCp932(const QString &s, QByteArray *out, QString *badChar = nullptr);

// Decodes code page 932 bytes. Bytes that are not valid code page 932 become
// U+FFFD and `clean` (when given) is set to false.
QString decodeCp932(const QByteArray &bytes, bool *clean = nullptr);

// Decodes the code page 932 bytes [begin, end) into `out`, which must have room
// for `end - begin` units (no character takes more units than bytes). Returns
// the number of units written. Bytes that are not valid code page 932 become
// U+FFFD and set `*clean` to false; `*clean` is never set to true here, so one
// flag can gather the result of many calls.
qsizetype decodeCp932To(const char *begin, const char *end, char16_t *out, bool *clean);

// Whether no byte sequence but an ASCII byte itself decodes to an ASCII
// character (so for code page 932 as glibc maps it): record readers then find
// the quotes, commas, blanks and digits of a line in its bytes.
bool cp932KeepsAsciiApart();

// Clears the upper halves of the processor's wide vector registers (x86 with
// AVX: vzeroupper; elsewhere nothing). Something in the start-up of the GUI
// leaves them marked as in use, and from then on every SSE instruction (the
// decoder's, Qt's string code, the number parser) runs several times slower.
// Costs a cycle: the large readers call it on entry.
void clearUpperVectorState();

// Whether `bytes` start with a UTF-8 byte-order mark.
bool hasUtf8Mark(QByteArrayView bytes);

// Decodes a whole file's bytes: UTF-8 when they start with a UTF-8 byte-order
// mark (the mark is dropped), code page 932 otherwise.
QString decodeFileBytes(const QByteArray &bytes, bool *clean = nullptr);

// The Japanese message shown when a text holds a character that cannot be stored.
QString unstorableCharMessage(const QString &badChar);

} // namespace kioku::text
