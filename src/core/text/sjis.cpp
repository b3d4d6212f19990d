#include "sjis.h"

#include <QStringDecoder>
#include <QtAlgorithms>
#include <QtEndian>

#include <array>
#include <cerrno>
#include <iconv.h>
#include <limits>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kioku::text {

namespace {

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr const char *kUtf16 = "UTF-16LE";
#else
constexpr const char *kUtf16 = "UTF-16BE";
#endif

// One conversion descriptor per direction and thread, opened on first use and
// reset before every call: opening one costs far more than a short conversion.
class Converter {
public:
    Converter(const char *to, const char *from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (valid())
            iconv_close(m_cd);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;
    bool valid() const { return m_cd != iconv_t(-1); }
    iconv_t get()
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        return m_cd;
    }

private:
    iconv_t m_cd;
};

Converter &encoder()
{
    thread_local Converter c("CP932", kUtf16);
    return c;
}

Converter &decoder()
{
    thread_local Converter c(kUtf16, "CP932");
    return c;
}

// The first unpaired surrogate of `s`, or -1.
qsizetype loneSurrogate(const QString &s)
{
    const QChar *d = s.constData();
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = d[i].unicode();
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 < n && QChar::isLowSurrogate(d[i + 1].unicode()))
                ++i;
            else
                return i;
        } else if (QChar::isLowSurrogate(c)) {
            return i;
        }
    }
    return -1;
}

// The whole character (a surrogate pair counts as one) at unit index `i`.
QString charAt(const QString &s, qsizetype i)
{
    if (i < 0 || i >= s.size())
        return QString();
    if (QChar::isHighSurrogate(s.at(i).unicode()) && i + 1 < s.size() && QChar::isLowSurrogate(s.at(i + 1).unicode()))
        return s.mid(i, 2);
    return s.mid(i, 1);
}

} // namespace

bool encodeCp932(const QString &s, QByteArray *out, QString *badChar)
{
    if (s.isEmpty()) {
        if (out)
            out->clear();
        return true;
    }
    const qsizetype bad = loneSurrogate(s);
    if (bad >= 0) {
        if (badChar)
            *badChar = charAt(s, bad);
        return false;
    }
    Converter &conv = encoder();
    if (!conv.valid()) {
        if (badChar)
            *badChar = charAt(s, 0);
        return false;
    }
    iconv_t cd = conv.get();
    // Every UTF-16 unit becomes at most two bytes.
    QByteArray result(s.size() * 2 + 4, Qt::Uninitialized);
    char *in = reinterpret_cast<char *>(const_cast<QChar *>(s.constData()));
    size_t inLeft = size_t(s.size()) * 2;
    char *outp = result.data();
    size_t outLeft = size_t(result.size());
    while (inLeft > 0) {
        const size_t r = iconv(cd, &in, &inLeft, &outp, &outLeft);
        if (r != size_t(-1))
            break;
        if (errno == E2BIG) {
            const qsizetype used = outp - result.data();
            result.resize(result.size() * 2);
            outp = result.data() + used;
            outLeft = size_t(result.size() - used);
            continue;
        }
        // EILSEQ (a character code page 932 lacks) or EINVAL (cut short).
        if (badChar) {
            const qsizetype unit = (in - reinterpret_cast<const char *>(s.constData())) / 2;
            *badChar = charAt(s, unit);
        }
        return false;
    }
    // Flush any shift state (none for code page 932, but harmless).
    iconv(cd, nullptr, nullptr, &outp, &outLeft);
    result.truncate(outp - result.data());
    if (out)
        *out = std::move(result);
    return true;
}

namespace {

// The decoding table, built once from iconv: reading a large play log is then
// a table look-up per character instead of a trip through the converter.
struct DecodeTable {
    char16_t single[256] = {};                    // 0: not a character on its own
    qint8 leadIndex[256] = {};                    // -1: not a lead byte
    std::vector<std::array<char16_t, 256>> pairs; // per lead byte, by trail byte; 0: invalid
    bool ok = false;
    bool asciiApart = true; // nothing but an ASCII byte decodes to ASCII

    DecodeTable()
    {
        std::fill(std::begin(leadIndex), std::end(leadIndex), qint8(-1));
        Converter &conv = decoder();
        if (!conv.valid())
            return;
        for (int b = 0; b < 256; ++b) {
            iconv_t cd = conv.get();
            char in[1] = {char(b)};
            char *ip = in;
            size_t il = 1;
            char16_t buf[4];
            char *op = reinterpret_cast<char *>(buf);
            size_t ol = sizeof buf;
            if (iconv(cd, &ip, &il, &op, &ol) != size_t(-1)) {
                if (sizeof buf - ol == 2)
                    single[b] = buf[0];
            } else if (errno == EINVAL) {
                // Cut short: the first byte of a two-byte character.
                leadIndex[b] = qint8(pairs.size());
                pairs.push_back(leadRow(cd, uchar(b)));
            }
        }
        for (int b = 0x80; b < 256; ++b) {
            if (single[b] && single[b] < 0x80)
                asciiApart = false;
        }
        for (const auto &row : pairs) {
            for (const char16_t c : row) {
                if (c && c < 0x80)
                    asciiApart = false;
            }
        }
        ok = true;
    }

    // Every pair of `lead` with a trail byte, converted in one run: an invalid
    // pair stops the converter, is marked as such and the run goes on after it.
    static std::array<char16_t, 256> leadRow(iconv_t cd, uchar lead)
    {
        std::array<char16_t, 256> row{};
        constexpr int first = 0x40, last = 0xFC; // the trail bytes code page 932 uses
        constexpr int count = last - first + 1;
        char in[2 * count];
        for (int i = 0; i < count; ++i) {
            in[2 * i] = char(lead);
            in[2 * i + 1] = char(first + i);
        }
        char16_t out[count];
        int pos = 0;
        while (pos < count) {
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            char *ip = in + 2 * pos;
            size_t il = size_t(2 * (count - pos));
            char *op = reinterpret_cast<char *>(out);
            size_t ol = sizeof out;
            const size_t r = iconv(cd, &ip, &il, &op, &ol);
            const size_t usedBytes = size_t(2 * (count - pos)) - il;
            const int produced = int((op - reinterpret_cast<char *>(out)) / 2);
            if (usedBytes % 2 != 0 || produced != int(usedBytes / 2))
                return pairByPair(cd, lead); // not one unit per pair: go slowly
            for (int i = 0; i < produced; ++i)
                row[std::size_t(first + pos + i)] = out[i];
            pos += produced;
            if (r != size_t(-1))
                break;
            ++pos; // the pair at `pos` is not a character
        }
        return row;
    }

    static std::array<char16_t, 256> pairByPair(iconv_t cd, uchar lead)
    {
        std::array<char16_t, 256> row{};
        for (int t = 0x40; t <= 0xFC; ++t) {
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            char in[2] = {char(lead), char(t)};
            char *ip = in;
            size_t il = 2;
            char16_t buf[4];
            char *op = reinterpret_cast<char *>(buf);
            size_t ol = sizeof buf;
            if (iconv(cd, &ip, &il, &op, &ol) != size_t(-1) && il == 0 && sizeof buf - ol == 2)
                row[std::size_t(t)] = buf[0];
        }
        return row;
    }
};

const DecodeTable &decodeTable()
{
    static const DecodeTable table;
    return table;
}

} // namespace

namespace {
#if defined(__SSE2__)
constexpr qsizetype kAsciiBlock = 16; // bytes widened at once
#else
constexpr qsizetype kAsciiBlock = std::numeric_limits<qsizetype>::max(); // never
#endif
} // namespace

qsizetype decodeCp932To(const char *begin, const char *end, char16_t *out, bool *clean)
{
    const DecodeTable &t = decodeTable();
    const uchar *p = reinterpret_cast<const uchar *>(begin);
    const uchar *const e = reinterpret_cast<const uchar *>(end);
    char16_t *const base = out;
    bool ok = true;
    for (;;) {
#if defined(__SSE2__)
        // Runs of ASCII (the digits, quotes and commas of every record line)
        // are widened sixteen bytes at a time. The block is stored whole: units
        // past the first non-ASCII byte are overwritten below, and there is
        // room for them since no character takes more units than bytes.
        const __m128i zero = _mm_setzero_si128();
        while (e - p >= 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
            _mm_storeu_si128(reinterpret_cast<__m128i *>(out), _mm_unpacklo_epi8(v, zero));
            _mm_storeu_si128(reinterpret_cast<__m128i *>(out + 8), _mm_unpackhi_epi8(v, zero));
            const uint high = uint(_mm_movemask_epi8(v));
            if (high) {
                const int ascii = qCountTrailingZeroBits(high);
                p += ascii;
                out += ascii;
                break;
            }
            p += 16;
            out += 16;
        }
#endif
        if (p >= e)
            break;
        // One character at a time through a run of non-ASCII characters, and
        // for the last few bytes.
        do {
            const uchar b = *p;
            if (b < 0x80) {
                *out++ = b;
                ++p;
            } else if (t.single[b]) {
                *out++ = t.single[b];
                ++p;
            } else if (t.leadIndex[b] >= 0 && p + 1 < e && t.pairs[std::size_t(t.leadIndex[b])][p[1]]) {
                *out++ = t.pairs[std::size_t(t.leadIndex[b])][p[1]];
                p += 2;
            } else {
                // Not code page 932: one replacement character for this byte,
                // then carry on with the next one.
                *out++ = QChar::ReplacementCharacter;
                ++p;
                ok = false;
            }
        } while (p < e && (*p >= 0x80 || e - p < kAsciiBlock));
    }
    if (!ok && clean)
        *clean = false;
    return out - base;
}

QString decodeCp932(const QByteArray &bytes, bool *clean)
{
    bool ok = true;
    QString result;
    const qsizetype n = bytes.size();
    if (n > 0) {
        // Every byte gives at most one UTF-16 unit.
        result.resize(n);
        const qsizetype units =
            decodeCp932To(bytes.constData(), bytes.constData() + n, reinterpret_cast<char16_t *>(result.data()), &ok);
        result.truncate(units);
    }
    if (clean)
        *clean = ok;
    return result;
}

bool cp932KeepsAsciiApart()
{
    return decodeTable().asciiApart;
}

void clearUpperVectorState()
{
#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
    static const bool avx = __builtin_cpu_supports("avx");
    if (avx)
        __asm__ __volatile__("vzeroupper");
#endif
}

bool hasUtf8Mark(QByteArrayView bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF");
}

QString decodeFileBytes(const QByteArray &bytes, bool *clean)
{
    if (hasUtf8Mark(bytes)) {
        QStringDecoder dec(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString s = dec(QByteArrayView(bytes).sliced(3));
        if (clean)
            *clean = !dec.hasError();
        return s;
    }
    return decodeCp932(bytes, clean);
}

QString unstorableCharMessage(const QString &badChar)
{
    QString shown = badChar;
    if (shown.size() == 1 && shown.at(0).isSurrogate())
        shown = QStringLiteral("U+%1").arg(uint(shown.at(0).unicode()), 4, 16, QLatin1Char('0')).toUpper();
    return QStringLiteral("「%1」は保存できない文字です（Shift-JISで表せません）。").arg(shown)
        + QStringLiteral("\r\n別の文字に置き換えてください。");
}

} // namespace kioku::text
