// The code page 932 decoder and encoder on any bytes.
//
// Decoding: the table decoder (with its sixteen-bytes-at-a-time ASCII path)
// gives exactly what the system's converter gives one character at a time, an
// invalid byte becoming one U+FFFD; it never writes past the room of one unit
// per byte; a clean decoding encodes back, to the same bytes except where two
// byte pairs stand for one character (the NEC and IBM duplicates in rows 87,
// ED/EE and FA-FC), and those re-encode to a pair that decodes to the same
// character.
// Encoding (the input read as UTF-16 units, lone surrogates included): either
// refused with the character named and the output untouched, or bytes that
// decode cleanly and encode again to themselves (a character with two
// Unicode forms, ～ and 〜, settles after one pass).
#include "core/text/sjis.h"
#include "fuzzsupport.h"

#include <QtEndian>

#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <vector>

using namespace kioku;
using kioku::fuzz::show;

namespace {

// One character of code page 932 by the system's converter: its length in
// bytes (1 or 2) and its UTF-16 unit, or length 1 and not valid for a byte
// that is not one.
struct RefChar {
    int length = 1;
    char16_t unit = 0;
    bool valid = false;
};

RefChar referenceChar(const uchar *p, const uchar *e)
{
    static iconv_t cd = iconv_open("UTF-16LE", "CP932");
    if (cd == iconv_t(-1))
        std::abort();
    for (int len = 1; len <= 2 && p + len <= e; ++len) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char in[2] = {char(p[0]), len == 2 ? char(p[1]) : '\0'};
        char *ip = in;
        size_t il = size_t(len);
        char out[8];
        char *op = out;
        size_t ol = sizeof out;
        if (iconv(cd, &ip, &il, &op, &ol) != size_t(-1)) {
            if (il == 0 && sizeof out - ol == 2)
                return RefChar{len, qFromLittleEndian<char16_t>(out), true};
            return RefChar{};
        }
        if (errno != EINVAL)
            return RefChar{}; // not a character, not even the start of one
    }
    return RefChar{};
}

// Rows where two byte pairs decode to one character.
bool duplicateRow(uchar lead)
{
    return lead == 0x87 || lead == 0xED || lead == 0xEE || lead == 0xFA || lead == 0xFB || lead == 0xFC;
}

void checkDecoding(const QByteArray &bytes)
{
    bool clean = false;
    const QString text = text::decodeCp932(bytes, &clean);
    FUZZ_CHECK(text.size() <= bytes.size(), show(bytes));

    // Into a buffer of exactly one unit per byte: the address sanitizer sees
    // any store past it.
    std::vector<char16_t> exact(size_t(bytes.size()));
    bool exactClean = true;
    const qsizetype units =
        text::decodeCp932To(bytes.constData(), bytes.constData() + bytes.size(), exact.data(), &exactClean);
    FUZZ_CHECK(QStringView(exact.data(), units) == text && exactClean == clean, show(bytes));

    // The system's converter, one character at a time.
    const uchar *p = reinterpret_cast<const uchar *>(bytes.constData());
    const uchar *const e = p + bytes.size();
    QString ref;
    QList<QByteArray> chars; // the bytes of each character
    bool refClean = true;
    while (p < e) {
        const RefChar c = referenceChar(p, e);
        ref += c.valid ? QChar(c.unit) : QChar(QChar::ReplacementCharacter);
        refClean = refClean && c.valid;
        chars.append(QByteArray(reinterpret_cast<const char *>(p), c.length));
        p += c.length;
    }
    FUZZ_CHECK(text == ref,
               show(bytes) + QStringLiteral(" decoded ") + show(text) + QStringLiteral(" system ") + show(ref));
    FUZZ_CHECK(clean == refClean, show(bytes));
    if (!clean)
        return;

    // A clean decoding always encodes back.
    QByteArray again;
    QString bad;
    FUZZ_CHECK(text::encodeCp932(text, &again, &bad), show(text) + QStringLiteral(" refused at ") + show(bad));
    bool againClean = false;
    FUZZ_CHECK(text::decodeCp932(again, &againClean) == text && againClean, show(bytes));
    if (again == bytes)
        return;
    // Bytes differ only where one character has two byte pairs.
    QByteArray joined;
    for (qsizetype i = 0; i < chars.size(); ++i) {
        QByteArray one;
        FUZZ_CHECK(text::encodeCp932(text.mid(i, 1), &one), show(text.mid(i, 1)));
        joined += one;
        if (one != chars.at(i)) {
            FUZZ_CHECK(chars.at(i).size() == 2 && duplicateRow(uchar(chars.at(i).at(0))),
                       show(chars.at(i)) + QStringLiteral(" encodes back as ") + show(one));
            FUZZ_CHECK(text::decodeCp932(one) == text.mid(i, 1), show(one));
        }
    }
    FUZZ_CHECK(joined == again, show(bytes));
}

void checkEncoding(const QByteArray &bytes)
{
    QString s;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        s += QChar(qFromLittleEndian<char16_t>(bytes.constData() + i));

    const QByteArray sentinel("untouched");
    QByteArray out = sentinel;
    QString bad;
    if (!text::encodeCp932(s, &out, &bad)) {
        FUZZ_CHECK(out == sentinel, show(s));
        FUZZ_CHECK(!bad.isEmpty() && s.contains(bad), show(s) + QStringLiteral(" named ") + show(bad));
        FUZZ_CHECK(!text::unstorableCharMessage(bad).isEmpty(), show(bad));
        return;
    }
    FUZZ_CHECK(out.size() <= 2 * s.size(), show(s));
    bool clean = false;
    const QString back = text::decodeCp932(out, &clean);
    FUZZ_CHECK(clean, show(s) + QStringLiteral(" as ") + show(out));
    QByteArray again;
    FUZZ_CHECK(text::encodeCp932(back, &again) && again == out, show(s));
    // A character that is ASCII comes back as itself, at the same place: no
    // other character may turn into a quote or comma of a record line.
    FUZZ_CHECK(back.size() == s.size(), show(s) + QStringLiteral(" back ") + show(back));
    for (qsizetype i = 0; i < s.size(); ++i)
        FUZZ_CHECK((s.at(i).unicode() < 0x80) == (back.at(i).unicode() < 0x80) || s.at(i) == QChar(0xA5)
                       || s.at(i) == QChar(0x203E),
                   show(s) + QStringLiteral(" back ") + show(back));
}

void checkFileBytes(const QByteArray &bytes)
{
    // A UTF-8 file with its mark: the mark goes, the rest is UTF-8.
    const QByteArray marked = QByteArray("\xEF\xBB\xBF") + bytes;
    FUZZ_CHECK(text::hasUtf8Mark(marked), show(marked));
    bool clean = false;
    const QString s = text::decodeFileBytes(marked, &clean);
    if (clean)
        FUZZ_CHECK(s == QString::fromUtf8(bytes), show(bytes));
    // Without the mark, code page 932 whatever the bytes.
    if (!text::hasUtf8Mark(bytes))
        FUZZ_CHECK(text::decodeFileBytes(bytes) == text::decodeCp932(bytes), show(bytes));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    checkDecoding(bytes);
    checkEncoding(bytes);
    checkFileBytes(bytes);
    return 0;
}
