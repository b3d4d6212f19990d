// The record line (fields separated by commas, texts in double quotes) on any
// line of code page 932 bytes.
//
// - splitRecord(), RecordReader and the field cursor on the bytes agree field
//   by field (the play log's reader splits the bytes, everything else the
//   decoded text), and so do the leading numbers read from either.
// - Written back with RecordWriter, every text field reads back as the text
//   made safe (no quote, no line break), and a second write is the first one
//   again: parse → write → parse → write settles after one pass, for texts
//   and for the numbers (int, single and double precision) alike.
// - leadingNumber() and friends never overflow or read out of bounds.
#include "core/text/formats.h"
#include "core/text/recordline.h"
#include "core/text/sjis.h"
#include "fuzzsupport.h"

#include <cmath>
#include <cstdint>
#include <cstring>

using namespace kioku;
using kioku::fuzz::show;

namespace {

void checkReaders(const QByteArray &bytes, const QString &line)
{
    QList<bool> quoted;
    const QStringList fields = text::splitRecord(line, &quoted);
    FUZZ_CHECK(quoted.size() == fields.size(), show(line));
    FUZZ_CHECK(line.isEmpty() == fields.isEmpty(), show(line));

    const text::RecordReader reader(line);
    FUZZ_CHECK(reader.count() == fields.size(), show(line));
    for (int i = 0; i < reader.count(); ++i) {
        FUZZ_CHECK(reader.text(i) == fields.at(i) && reader.view(i) == fields.at(i), show(line));
        // Every reading of a number is defined behaviour whatever the field holds.
        (void)reader.toInt(i);
        const float f = reader.toFloat(i);
        const double d = reader.toDouble(i);
        FUZZ_CHECK(std::isfinite(f) && std::isfinite(d), show(fields.at(i)));
        FUZZ_CHECK(f == text::leadingFloat(QStringView(fields.at(i))), show(fields.at(i)));
        FUZZ_CHECK(d == text::leadingNumber(fields.at(i)), show(fields.at(i)));
    }
    FUZZ_CHECK(reader.text(-1).isEmpty() && reader.text(reader.count()).isEmpty() && reader.toInt(reader.count()) == 0,
               show(line));

    // The same fields found in the bytes, as the play log's reader finds them.
    if (!text::cp932KeepsAsciiApart())
        return;
    text::BasicFieldCursor<char> cursor(bytes.constData(), bytes.size());
    qsizetype start = 0, size = 0;
    bool q = false;
    int n = 0;
    while (cursor.next(&start, &size, &q)) {
        FUZZ_CHECK(n < fields.size(), show(bytes));
        const QByteArray field = bytes.mid(start, size);
        FUZZ_CHECK(text::decodeCp932(field) == fields.at(n) && q == quoted.at(n),
                   show(bytes) + QStringLiteral(" field ") + QString::number(n));
        const float fromBytes = text::leadingFloat(QByteArrayView(field));
        const float fromText = text::leadingFloat(QStringView(fields.at(n)));
        FUZZ_CHECK(std::memcmp(&fromBytes, &fromText, sizeof(float)) == 0, show(field));
        ++n;
    }
    FUZZ_CHECK(n == fields.size(), show(bytes));
}

// Every field as a quoted text.
QString textLine(const QStringList &fields)
{
    text::RecordWriter w;
    for (const QString &f : fields)
        w.text(f);
    return w.line();
}

// Every field in the form a reader takes it in: quoted ones as texts,
// unquoted ones as a number of the kind chosen by `kind`.
QString typedLine(const QStringList &fields, const QList<bool> &quoted, uchar kind)
{
    text::RecordWriter w;
    for (int i = 0; i < fields.size(); ++i) {
        if (quoted.at(i)) {
            w.text(fields.at(i));
            continue;
        }
        const QString &f = fields.at(i);
        switch ((kind + i) % 3) {
        case 0:
            w.number(text::RecordReader(f).toInt(0));
            break;
        case 1:
            w.number(text::leadingFloat(QStringView(f)));
            break;
        default:
            w.number(text::leadingNumber(f));
            break;
        }
    }
    return w.line();
}

void checkWriteBack(const QString &line, uchar kind)
{
    QList<bool> quoted;
    const QStringList fields = text::splitRecord(line, &quoted);

    // Texts: each reads back as itself made safe; the line then settles.
    const QString once = textLine(fields);
    FUZZ_CHECK(!once.contains(QLatin1Char('\r')) && !once.contains(QLatin1Char('\n')), show(line));
    QList<bool> onceQuoted;
    const QStringList back = text::splitRecord(once, &onceQuoted);
    QStringList safe;
    for (const QString &f : fields)
        safe.append(text::quoteSafe(f));
    FUZZ_CHECK(back == safe, show(line) + QStringLiteral(" -> ") + show(once) + QStringLiteral(" -> ") + show(back));
    FUZZ_CHECK(!onceQuoted.contains(false), show(once));
    FUZZ_CHECK(textLine(back) == once, show(line));

    // Texts and numbers.
    const QString typed = typedLine(fields, quoted, kind);
    QList<bool> typedQuoted;
    const QStringList typedBack = text::splitRecord(typed, &typedQuoted);
    FUZZ_CHECK(typedBack.size() == fields.size() && typedQuoted == quoted,
               show(line) + QStringLiteral(" -> ") + show(typed));
    const QString twice = typedLine(typedBack, typedQuoted, kind);
    FUZZ_CHECK(twice == typed,
               show(line) + QStringLiteral(" -> ") + show(typed) + QStringLiteral(" -> ") + show(twice));

    FUZZ_CHECK(text::quoteSafe(text::quoteSafe(line)) == text::quoteSafe(line), show(line));
}

// The shortest texts of numbers read back as a fixed point after one pass.
void checkNumbers(const QString &line)
{
    const double d = text::leadingNumber(line);
    const QString dt = text::shortestDouble(d);
    FUZZ_CHECK(text::shortestDouble(text::leadingNumber(dt)) == dt, show(line) + QStringLiteral(" -> ") + show(dt));
    const float f = text::leadingFloat(QStringView(line));
    const QString ft = text::shortestFloat(f);
    FUZZ_CHECK(text::shortestFloat(text::leadingFloat(QStringView(ft))) == ft,
               show(line) + QStringLiteral(" -> ") + show(ft));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte chooses how unquoted fields are written back.
    const uchar kind = data[0];
    const QByteArray bytes(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    const QString line = text::decodeCp932(bytes);
    checkReaders(bytes, line);
    checkWriteBack(line, kind);
    checkNumbers(line);
    return 0;
}
