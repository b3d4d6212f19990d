#include "core/text/linereader.h"

#include "core/text/sjis.h"

#include <QFileInfo>
#include <QtAlgorithms>

#include <algorithm>
#include <cerrno>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kioku::text {

namespace {
qsizetype g_readBlockSize = 0;
} // namespace

namespace testing {
void setReadBlockSize(qsizetype bytes)
{
    g_readBlockSize = bytes;
}
} // namespace testing

ReadResult readFileBytes(const QString &name, QByteArray *bytes)
{
    ReadResult r;
    const QString path = resolve(name);
    QFileInfo info(path);
    if (!info.exists())
        return r;
    r.exists = true;
    QFile file(path);
    errno = 0;
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        r.readError = true;
        r.reason = readFailureReason(path, errno);
        return r;
    }
    errno = 0;
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        r.readError = true;
        r.reason = readFailureReason(path, errno);
    }
    return r;
}

qsizetype countLineFeeds(QByteArrayView bytes)
{
    qsizetype count = 0;
    const char *p = bytes.constData();
    const char *const end = p + bytes.size();
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    for (; end - p >= 16; p += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        count += qPopulationCount(uint(_mm_movemask_epi8(_mm_cmpeq_epi8(v, lf))));
    }
#endif
    for (; p < end; ++p)
        count += *p == '\n';
    return count;
}

LineReader::LineReader(const QString &name)
{
    clearUpperVectorState();
    m_result = readFileBytes(name, &m_bytes);
    if (m_result.readError)
        m_bytes.clear();
    if (hasUtf8Mark(m_bytes)) {
        // UTF-8 goes through Qt's decoder whole, as readAll() does.
        m_text = decodeFileBytes(m_bytes, &m_result.clean);
        m_bytes.clear();
    }
}

qsizetype LineReader::lineCountHint() const
{
    if (!m_text.isEmpty())
        return m_text.count(QLatin1Char('\n')) + 1;
    return m_bytes.isEmpty() ? 0 : countLineFeeds(m_bytes) + 1;
}

bool LineReader::next(QStringView *line)
{
    if (!m_text.isEmpty()) {
        const qsizetype n = m_text.size();
        if (m_pos >= n)
            return false;
        qsizetype end = m_text.indexOf(QLatin1Char('\n'), m_pos);
        const qsizetype next = end < 0 ? n : end + 1;
        if (end < 0)
            end = n;
        qsizetype stop = end;
        if (stop > m_pos && m_text.at(stop - 1) == QLatin1Char('\r'))
            --stop;
        *line = QStringView(m_text).sliced(m_pos, stop - m_pos);
        m_lineEnded = end < n;
        m_pos = next;
        return true;
    }
    // Code page 932: the line is found on the bytes, then decoded. LF and CR
    // are never part of a two-byte character (a second byte is 0x40 or more),
    // so this splits exactly where a split of the decoded text would.
    const qsizetype n = m_bytes.size();
    if (m_pos >= n)
        return false;
    const char *d = m_bytes.constData();
    const char *lf = static_cast<const char *>(memchr(d + m_pos, '\n', size_t(n - m_pos)));
    const qsizetype end = lf ? lf - d : n;
    qsizetype stop = end;
    if (stop > m_pos && d[stop - 1] == '\r')
        --stop;
    const qsizetype bytes = stop - m_pos;
    if (m_line.size() < bytes)
        m_line.resize(std::max(bytes, 2 * m_line.size()));
    const qsizetype units = decodeCp932To(d + m_pos, d + stop, m_line.data(), &m_result.clean);
    *line = QStringView(m_line.constData(), units);
    m_lineEnded = lf != nullptr;
    m_pos = lf ? end + 1 : n;
    return true;
}

ByteLineReader::ByteLineReader(const QString &name)
{
    const QString path = resolve(name);
    const QFileInfo info(path);
    if (!info.exists()) {
        m_eof = true;
        return;
    }
    m_result.exists = true;
    m_file.setFileName(path);
    // Unbuffered: each block goes from the system straight into m_buffer.
    errno = 0;
    if (!info.isFile() || !m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        m_result.readError = true;
        m_result.reason = readFailureReason(path, errno);
        m_eof = true;
        return;
    }
    m_size = m_file.size();
    // A block that stays in the processor's cache while its lines are parsed.
    constexpr qsizetype kBlock = 256 * 1024;
    const qsizetype block = g_readBlockSize > 0 ? g_readBlockSize : kBlock;
    m_buffer.resize(qsizetype(std::min<qint64>(block, std::max<qint64>(m_size + 1, 16))));
    // At least the three bytes of a UTF-8 mark in the head.
    while (m_end < 3 && !m_eof && fill()) {}
}

QByteArrayView ByteLineReader::head() const
{
    return QByteArrayView(m_buffer.constData() + m_begin, m_end - m_begin);
}

bool ByteLineReader::fill()
{
    // The part of a line not yet ended moves to the front; a line longer than
    // the whole buffer makes it grow.
    if (m_begin > 0) {
        memmove(m_buffer.data(), m_buffer.constData() + m_begin, size_t(m_end - m_begin));
        m_end -= m_begin;
        m_begin = 0;
    }
    if (m_end == m_buffer.size())
        m_buffer.resize(2 * m_buffer.size());
    errno = 0;
    const qint64 n = m_file.read(m_buffer.data() + m_end, m_buffer.size() - m_end);
    if (n < 0 || m_file.error() != QFileDevice::NoError) {
        m_result.readError = true;
        m_result.reason = readFailureReason(m_file.fileName(), errno);
        m_eof = true;
        return false;
    }
    if (n == 0)
        m_eof = true;
    m_end += qsizetype(n);
    return true;
}

bool ByteLineReader::next(QByteArrayView *line)
{
    for (;;) {
        const char *d = m_buffer.constData();
        const char *lf =
            m_begin < m_end ? static_cast<const char *>(memchr(d + m_begin, '\n', size_t(m_end - m_begin))) : nullptr;
        if (lf || (m_eof && m_begin < m_end)) {
            const qsizetype end = lf ? lf - d : m_end;
            if (m_longest > 0 && end - m_begin > m_longest) { // too long, if only just
                ++m_skipped;
                m_begin = lf ? end + 1 : m_end;
                continue;
            }
            qsizetype stop = end;
            if (stop > m_begin && d[stop - 1] == '\r')
                --stop;
            *line = QByteArrayView(d + m_begin, stop - m_begin);
            m_lineEnded = lf != nullptr;
            m_begin = lf ? end + 1 : m_end;
            return true;
        }
        if (m_longest > 0 && m_end - m_begin > m_longest) {
            if (!skipLine())
                return false;
            continue;
        }
        if (m_eof || !fill())
            return false;
    }
}

bool ByteLineReader::skipLine()
{
    ++m_skipped;
    for (;;) {
        m_begin = m_end = 0; // what was read of the line goes
        if (m_eof || !fill())
            return false;
        const char *d = m_buffer.constData();
        if (const char *lf = static_cast<const char *>(memchr(d, '\n', size_t(m_end)))) {
            m_begin = lf - d + 1;
            return true;
        }
    }
}

} // namespace kioku::text
