#include "textfile.h"

#include "sjis.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtAlgorithms>

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kioku::text {

namespace {

bool g_failNextWrite = false;

bool takeFailHook()
{
    const bool fail = g_failNextWrite;
    g_failNextWrite = false;
    return fail;
}

QString shownName(const QString &path)
{
    return QFileInfo(path).fileName();
}

WriteResult failure(const QString &path, const QString &reason)
{
    WriteResult r;
    r.ok = false;
    r.message = QStringLiteral("ファイル「%1」に書き込めませんでした。").arg(shownName(path))
        + QStringLiteral("\r\nディスクの空きと書き込みの許可を確認してください。");
    if (!reason.isEmpty())
        r.message += QStringLiteral("\r\n（%1）").arg(reason);
    return r;
}

WriteResult refused(const QString &badChar)
{
    WriteResult r;
    r.ok = false;
    r.message = unstorableCharMessage(badChar);
    return r;
}

// Writes all of `bytes` to a file opened unbuffered, so that each write() goes
// to the system at once and a full disk shows in its result. The system may
// take part of the bytes and refuse the rest: the loop asks again, and the
// refusal then comes with its reason. Empty `reason` on success.
bool writeFully(QFileDevice &file, const QByteArray &bytes, QString *reason)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            *reason = file.errorString();
            return false;
        }
        done += n;
    }
    if (!file.flush()) {
        *reason = file.errorString();
        return false;
    }
    return true;
}

// Writes `bytes` to a temporary file beside `path` and renames it over `path`,
// so the old file stays whole until the new one is complete on disk.
// The temporary file is unbuffered: QSaveFile::commit() flushes its own buffer
// but does not report a failed flush, and would rename a short file over the old one.
WriteResult writeAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failure(path, file.errorString());
    if (takeFailHook()) {
        // Test hook: behave like a disk that fills up half-way through.
        file.write(bytes.left(bytes.size() / 2));
        file.cancelWriting();
        file.commit();
        return failure(path, QStringLiteral("書き込みが中断されました"));
    }
    QString reason;
    if (!writeFully(file, bytes, &reason)) {
        file.cancelWriting();
        file.commit();
        return failure(path, reason);
    }
    if (!file.commit())
        return failure(path, file.errorString());
    return WriteResult();
}

} // namespace

qsizetype g_readBlockSize = 0;

namespace testing {
void failNextWrite(bool fail)
{
    g_failNextWrite = fail;
}
void setReadBlockSize(qsizetype bytes)
{
    g_readBlockSize = bytes;
}
} // namespace testing

QString resolve(const QString &name)
{
    const QDir dir = QDir::current();
    if (QFileInfo::exists(dir.filePath(name)))
        return dir.filePath(name);
    // A bare name only: a name with a folder part is taken as spelled.
    if (!name.contains(QLatin1Char('/'))) {
        const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QString &entry : entries) {
            if (entry.compare(name, Qt::CaseInsensitive) == 0)
                return dir.filePath(entry);
        }
    }
    return dir.filePath(name);
}

bool fileExists(const QString &name)
{
    return QFileInfo::exists(resolve(name));
}

namespace {

ReadResult readBytes(const QString &name, QByteArray *bytes)
{
    ReadResult r;
    const QString path = resolve(name);
    QFileInfo info(path);
    if (!info.exists())
        return r;
    r.exists = true;
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        r.readError = true;
        return r;
    }
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        r.readError = true;
    return r;
}

} // namespace

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
    m_result = readBytes(name, &m_bytes);
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
    if (!info.isFile() || !m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        m_result.readError = true;
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
    const qint64 n = m_file.read(m_buffer.data() + m_end, m_buffer.size() - m_end);
    if (n < 0 || m_file.error() != QFileDevice::NoError) {
        m_result.readError = true;
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
            qsizetype stop = end;
            if (stop > m_begin && d[stop - 1] == '\r')
                --stop;
            *line = QByteArrayView(d + m_begin, stop - m_begin);
            m_begin = lf ? end + 1 : m_end;
            return true;
        }
        if (m_eof || !fill())
            return false;
    }
}

ReadResult readLines(const QString &name)
{
    LineReader reader(name);
    QStringList lines;
    lines.reserve(reader.lineCountHint());
    QStringView line;
    while (reader.next(&line))
        lines.append(line.toString());
    ReadResult r = reader.result();
    r.lines = std::move(lines);
    return r;
}

ReadResult readAll(const QString &name, QString *text)
{
    QByteArray bytes;
    ReadResult r = readBytes(name, &bytes);
    const QString decoded = decodeFileBytes(bytes, &r.clean);
    if (text)
        *text = decoded;
    return r;
}

bool isBlankLine(QStringView line)
{
    for (const QChar c : line) {
        if (!c.isSpace())
            return false;
    }
    return true;
}

QString firstFilledLine(const QString &name)
{
    const ReadResult r = readLines(name);
    for (const QString &line : r.lines) {
        if (!isBlankLine(line))
            return line;
    }
    return QString();
}

WriteResult writeLines(const QString &name, const QStringList &lines)
{
    QString all;
    qsizetype size = 0;
    for (const QString &l : lines)
        size += l.size() + 2;
    all.reserve(size);
    for (const QString &l : lines) {
        all += l;
        all += QLatin1String("\r\n");
    }
    return writeAll(name, all);
}

WriteResult writeAll(const QString &name, const QString &content)
{
    QByteArray bytes;
    QString bad;
    if (!encodeCp932(content, &bytes, &bad))
        return refused(bad);
    return writeBytes(name, bytes);
}

WriteResult writeBytes(const QString &name, const QByteArray &bytes)
{
    return writeAtomically(resolve(name), bytes);
}

WriteResult appendLine(const QString &name, const QString &line)
{
    QByteArray bytes;
    QString bad;
    if (!encodeCp932(line, &bytes, &bad))
        return refused(bad);
    bytes += "\r\n";
    const QString path = resolve(name);
    const bool existed = QFileInfo::exists(path);
    {
        // A file edited by hand may lack its final line end: start a new line
        // so the appended record never merges with the last one.
        QFile existing(path);
        if (existing.exists() && existing.size() > 0 && existing.open(QIODevice::ReadOnly)) {
            if (existing.seek(existing.size() - 1)) {
                char last = 0;
                if (existing.getChar(&last) && last != '\n')
                    bytes.prepend("\r\n");
            }
        }
    }
    // Unbuffered, so that close() has nothing left to retry after a refused write.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return failure(path, file.errorString());
    const qint64 oldSize = file.size();
    // A line cut short by a full disk would be read back as a garbled record:
    // what reached the file is taken back, so the file is as it was.
    auto takeBack = [&](const QString &reason) {
        file.close();
        const bool restored = existed ? QFile::resize(path, oldSize) : QFile::remove(path);
        WriteResult r = failure(path, reason);
        if (!restored)
            r.message += QStringLiteral("\r\nファイルの最後の行が途中で切れているかもしれません。");
        return r;
    };
    if (takeFailHook()) {
        // Test hook: behave like a disk that fills up half-way through the line.
        file.write(bytes.left(bytes.size() / 2));
        file.flush();
        return takeBack(QStringLiteral("書き込みが中断されました"));
    }
    QString reason;
    if (!writeFully(file, bytes, &reason))
        return takeBack(reason);
    file.close();
    if (file.error() != QFileDevice::NoError)
        return takeBack(file.errorString());
    return WriteResult();
}

WriteResult emptyFile(const QString &name)
{
    return writeBytes(name, QByteArray());
}

} // namespace kioku::text
