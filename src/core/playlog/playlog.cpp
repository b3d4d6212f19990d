#include "playlog.h"

#include "core/backup.h"
#include "core/clock.h"
#include "core/text/linereader.h"
#include "core/text/recordline.h"
#include "core/text/sjis.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>

namespace kioku {

namespace {

// The fields of a line of decoded text become texts as they are. The date of
// all the plays of one day and the item (nearly always one of seven names)
// repeat from record to record: with sharing on, equal texts are kept once.
class TextFields {
public:
    explicit TextFields(bool share) : m_share(share) {}

    QString date(const char16_t *s, qsizetype n)
    {
        const QStringView v(s, n);
        if (!m_share)
            return v.toString();
        if (m_lastDate.isNull() || v != m_lastDate)
            m_lastDate = v.toString();
        return m_lastDate;
    }
    QString item(const char16_t *s, qsizetype n)
    {
        const QStringView v(s, n);
        if (!m_share)
            return v.toString();
        for (const QString &known : m_items) {
            if (v == known)
                return known;
        }
        QString t = v.toString();
        if (m_items.size() < kMaxItems)
            m_items.append(t);
        return t;
    }
    QString text(const char16_t *s, qsizetype n) { return QStringView(s, n).toString(); }
    float seconds(const char16_t *s, qsizetype n) { return text::leadingFloat(QStringView(s, n)); }
    void skipped(const char16_t *, qsizetype) {}

private:
    static constexpr qsizetype kMaxItems = 32; // the seven games and a few of the user's own
    bool m_share;
    QString m_lastDate;
    QList<QString> m_items;
};

// The fields of a line of code page 932 bytes, decoded one by one: the date and
// the item are compared as bytes with the ones before and then not decoded
// again but shared. Every byte between the fields is checked too, so `clean`
// ends as a decoding of the whole file would leave it.
class ByteFields {
public:
    bool clean = true;

    QString date(const char *s, qsizetype n)
    {
        const QByteArrayView v(s, n);
        if (m_lastDate.isNull() || v != m_lastDateBytes) {
            m_lastDate = decode(s, n);
            m_lastDateBytes = v.toByteArray();
        }
        return m_lastDate;
    }
    QString item(const char *s, qsizetype n)
    {
        const QByteArrayView v(s, n);
        for (const Known &known : m_items) {
            if (v == known.bytes)
                return known.text;
        }
        QString t = decode(s, n);
        if (m_items.size() < kMaxItems)
            m_items.append({v.toByteArray(), t});
        return t;
    }
    QString text(const char *s, qsizetype n) { return decode(s, n); }
    float seconds(const char *s, qsizetype n)
    {
        skipped(s, n);
        return text::leadingFloat(QByteArrayView(s, n));
    }
    // Bytes that become no text (quotes, commas, what follows a closing quote,
    // fields after the sixth): only checked.
    void skipped(const char *s, qsizetype n)
    {
        for (qsizetype i = 0; i < n; ++i) {
            if (uchar(s[i]) >= 0x80) {
                decode(s + i, n - i);
                return;
            }
        }
    }
    // Whether the line is blank, as text::isBlankLine() would find its text.
    bool isBlank(const char *s, qsizetype n)
    {
        for (qsizetype i = 0; i < n; ++i) {
            const uchar c = uchar(s[i]);
            if (c == ' ' || (c >= '\t' && c <= '\r'))
                continue;
            if (c < 0x80)
                return false;
            // Blanks beyond ASCII (the full-width one) need the decoded text.
            bool ok = true;
            const qsizetype units = text::decodeCp932To(s + i, s + n, buffer(n - i), &ok);
            return text::isBlankLine(QStringView(m_buffer.constData(), units));
        }
        return true;
    }

private:
    struct Known {
        QByteArray bytes;
        QString text;
    };
    static constexpr qsizetype kMaxItems = 32;

    char16_t *buffer(qsizetype n)
    {
        if (m_buffer.size() < n)
            m_buffer.resize(std::max(n, 2 * m_buffer.size()));
        return m_buffer.data();
    }
    QString decode(const char *s, qsizetype n)
    {
        if (n == 0)
            return QStringView(u"").toString(); // empty, not null, as a field read from text
        const qsizetype units = text::decodeCp932To(s, s + n, buffer(n), &clean);
        return QString(reinterpret_cast<const QChar *>(m_buffer.constData()), units);
    }

    QString m_lastDate;
    QByteArray m_lastDateBytes;
    QList<Known> m_items;
    QList<char16_t> m_buffer;
};

// Fills `p` from the fields of one line of `n` units; a short or garbled line
// leaves empty texts and 0.
template <typename Char, typename Fields> void fillRecord(PlayRecord &p, const Char *line, qsizetype n, Fields &f)
{
    text::BasicFieldCursor<Char> cursor(line, n);
    qsizetype done = 0, start = 0, size = 0;
    for (int i = 0; i < 6 && cursor.next(&start, &size); ++i) {
        f.skipped(line + done, start - done);
        const Char *s = line + start;
        switch (i) {
        case 0:
            p.date = f.date(s, size);
            break;
        case 1:
            p.time = f.text(s, size);
            break;
        case 2:
            p.item = f.item(s, size);
            break;
        case 3:
            p.seconds = f.seconds(s, size);
            break;
        case 4:
            p.comment = f.text(s, size);
            break;
        default:
            p.reserved = f.text(s, size);
            break;
        }
        done = start + size;
    }
    f.skipped(line + done, n - done);
}

template <typename Char> bool wholeRecord(const Char *d, qsizetype n)
{
    auto blank = [](Char c) { return c == Char(' ') || c == Char('\t'); };
    int fields = 0;
    bool fifthQuoted = false;
    qsizetype i = 0;
    for (;;) {
        while (i < n && blank(d[i]))
            ++i;
        bool quoted = false;
        if (i < n && d[i] == Char('"')) {
            qsizetype close = i + 1;
            while (close < n && d[close] != Char('"'))
                ++close;
            if (close >= n)
                return false; // a quote left open: the line was cut inside the field
            quoted = true;
            i = close + 1;
        }
        while (i < n && d[i] != Char(','))
            ++i;
        ++fields;
        if (fields == 5)
            fifthQuoted = quoted;
        if (i >= n)
            break;
        ++i; // the comma; one at the line end leaves one more, empty field
        if (i == n) {
            ++fields;
            break;
        }
    }
    return fields >= 6 || (fields == 5 && fifthQuoted);
}

// The play log in UTF-8 (saved so by hand), through the generic line reader.
void readTextLines(PlayLog *log)
{
    text::LineReader lines(kPlayLogFile);
    log->records.reserve(lines.lineCountHint());
    TextFields fields(true);
    QStringView line;
    QStringView before; // the text before the cut-off line (the lines are views into one text)
    const char16_t *first = nullptr;
    while (lines.next(&line)) {
        if (!first)
            first = line.utf16();
        if (text::isBlankLine(line))
            continue;
        if (!lines.lineEnded() && !isWholeRecordLine(line)) {
            log->cutTail = true;
            before = QStringView(first, line.utf16() - first);
            break;
        }
        fillRecord(log->records.emplaceBack(), line.utf16(), line.size(), fields);
    }
    log->clean = lines.result().clean;
    // The whole text was decoded at once: a fault only in the cut-off line
    // (a cut inside its last character) does not count against the records.
    if (!log->clean && log->cutTail)
        log->clean = !before.contains(QChar::ReplacementCharacter);
    log->readError = lines.result().readError;
    log->readFailure = lines.result().reason;
}

// Room for the records of the whole file, judged from the lines of its first
// block; never more than a file of the shortest record lines could hold (a
// first block of blank lines must not reserve gigabytes).
qsizetype expectedRecords(const text::ByteLineReader &file)
{
    const QByteArrayView head = file.head();
    if (head.isEmpty())
        return 0;
    const qsizetype lines = text::countLineFeeds(head) + 1;
    if (head.size() >= file.fileSize())
        return lines;
    constexpr qint64 kShortestRecordLine = 34; // "yyyy/mm/dd","HH:MM:SS","",0,"", CR LF
    const double estimate = double(lines) * double(file.fileSize()) / double(head.size()) * 1.05;
    return qsizetype(std::min(estimate, double(file.fileSize() / kShortestRecordLine))) + 16;
}

} // namespace

PlayLog readPlayLog()
{
    text::clearUpperVectorState();
    PlayLog log;
    text::ByteLineReader file(kPlayLogFile);
    if (text::hasUtf8Mark(file.head()) || !text::cp932KeepsAsciiApart()) {
        readTextLines(&log);
        return log;
    }
    // Code page 932: lines are found in the bytes, a block of the file at a
    // time, and each field is decoded straight into its text; neither the
    // file's bytes nor its decoded text nor a list of its lines is ever held
    // whole, only the records.
    log.records.reserve(expectedRecords(file));
    file.skipLinesLongerThan(kLongestRecordLine);
    ByteFields fields;
    QByteArrayView line;
    while (file.next(&line)) {
        if (fields.isBlank(line.data(), line.size()))
            continue;
        if (!file.lineEnded() && !isWholeRecordLine(line)) {
            log.cutTail = true; // the last line, cut off while it was appended
            break;
        }
        fillRecord(log.records.emplaceBack(), line.data(), line.size(), fields);
    }
    log.readError = file.result().readError;
    log.readFailure = file.result().reason;
    log.longLines = file.skippedLines();
    if (log.readError)
        log.records.clear(); // a log read in part is no log: nothing is shown from it
    else
        log.clean = fields.clean && log.longLines == 0;
    return log;
}

bool isWholeRecordLine(QByteArrayView line)
{
    if (text::hasUtf8Mark(line))
        line = line.sliced(3);
    return wholeRecord(line.data(), line.size());
}

bool isWholeRecordLine(QStringView line)
{
    return wholeRecord(line.utf16(), line.size());
}

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The bytes after the last LF of the open file `f` of `size` bytes, read back
// from its end a block at a time; `start` gets where they begin. False when
// the file cannot be read.
bool readLastLine(QFile &f, qint64 size, QByteArray *tail, qint64 *start)
{
    constexpr qint64 kBlock = 64 * 1024;
    qint64 pos = size;
    // A last line longer than any record is no record cut off: the reader
    // passes over it as damage; it is never read in whole here either.
    const qint64 stop = std::max<qint64>(0, size - kLongestRecordLine - kBlock);
    QList<QByteArray> after; // the blocks behind the one read, last first
    const auto join = [&](QByteArray first) {
        for (auto it = after.crbegin(); it != after.crend(); ++it)
            first += *it;
        return first;
    };
    while (pos > 0) {
        const qint64 from = std::max<qint64>(0, pos - kBlock);
        if (!f.seek(from))
            return false;
        QByteArray block = f.read(pos - from);
        if (block.size() != pos - from)
            return false;
        const qsizetype lf = block.lastIndexOf('\n');
        if (lf >= 0) {
            *tail = join(block.mid(lf + 1));
            *start = from + lf + 1;
            return true;
        }
        after.append(std::move(block));
        pos = from;
        if (pos > 0 && pos <= stop)
            return false;
    }
    *tail = join(QByteArray());
    *start = 0;
    return true;
}

// Whether a line of the log is blank as the reader finds it: its text, in
// UTF-8 or code page 932 as the file is, holds only spaces (the full-width
// one too). The reader passes over such a line, so it is never a cut-off record.
bool isBlankLogLine(QByteArrayView bytes, bool utf8, bool firstLine)
{
    if (!utf8)
        return ByteFields().isBlank(bytes.data(), bytes.size()); // the reader's own test
    // As the reader decodes the file: a mark in the middle of the file is a
    // character (U+FEFF); a second mark straight after the file's own (a file
    // marked twice) is dropped. The file's own mark is never in `bytes`.
    QStringDecoder decoder(QStringDecoder::Utf8,
                           firstLine ? QStringDecoder::Flag::Stateless
                                     : QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return text::isBlankLine(QString(decoder.decode(bytes)));
}

TailRecovery tailFailure(const QByteArray &tail, const QString &logName, const QString &fragmentName,
                         const QString &reason)
{
    TailRecovery r;
    r.outcome = TailRecovery::Outcome::Failed;
    r.tail = tail;
    r.message = QStringLiteral("%1 の最後の行は書き込みの途中で切れています。記録としては扱いませんが、"
                               "「%2」に移せませんでした。")
                    .arg(logName, fragmentName)
        + kCrLf + reason;
    return r;
}

} // namespace

TailRecovery recoverPlayLogTail()
{
    const QString path = text::resolve(kPlayLogFile);
    const QFileInfo info(path);
    if (!info.isFile() || info.size() == 0)
        return TailRecovery();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return TailRecovery(); // told by the reader
    char head[3] = {0, 0, 0};
    const bool utf8 = f.read(head, 3) == 3 && text::hasUtf8Mark(QByteArrayView(head, 3));
    QByteArray tail;
    qint64 start = 0;
    if (!readLastLine(f, info.size(), &tail, &start))
        return TailRecovery();
    f.close();
    const bool firstLine = start == 0;
    if (firstLine && text::hasUtf8Mark(tail)) { // the mark stays: the rest of the file is UTF-8
        tail = tail.mid(3);
        start = 3;
    }
    QByteArrayView line(tail);
    if (line.endsWith('\r'))
        line.chop(1);
    if (tail.isEmpty() || isBlankLogLine(line, utf8, firstLine) || isWholeRecordLine(line))
        return TailRecovery();

    const QString logName = info.fileName();
    const QString fragmentName = logName + kFragmentSuffix;
    // The fragment file first, whole: the line is never only in neither.
    const QByteArray entry = tail + "\r\n";
    const text::ReadResult existing = text::readAll(fragmentName, nullptr);
    if (existing.readError)
        return tailFailure(tail, logName, fragmentName, text::readFailureMessage(fragmentName, existing));
    QFile fragment(text::resolve(fragmentName));
    QByteArray kept;
    if (existing.exists && fragment.open(QIODevice::ReadOnly)) {
        kept = fragment.readAll();
        fragment.close();
    }
    // Already there from a recovery that was cut short before the log was cut.
    const bool already =
        kept.endsWith(entry) && (kept.size() == entry.size() || kept.at(kept.size() - entry.size() - 1) == '\n');
    if (!already) {
        if (!kept.isEmpty() && !kept.endsWith('\n'))
            kept += "\r\n";
        kept += entry;
        const text::WriteResult w = text::writeBytes(fragmentName, kept);
        if (!w)
            return tailFailure(tail, logName, fragmentName, w.message);
    }
    if (!QFile::resize(path, start))
        return tailFailure(tail, logName, fragmentName, text::writeFailureReason(path, errno));

    TailRecovery r;
    r.outcome = TailRecovery::Outcome::Moved;
    r.tail = tail;
    r.message = QStringLiteral("%1 の最後の行は書き込みの途中で切れていたため、記録から外しました。").arg(logName)
        + kCrLf + QStringLiteral("その行は「%1」にそのまま残してあります。").arg(fragmentName);
    return r;
}

PlayRecord PlayRecord::parse(const QString &line)
{
    PlayRecord p;
    TextFields fields(false);
    const QStringView v(line);
    fillRecord(p, v.utf16(), v.size(), fields);
    return p;
}

QString PlayRecord::gameLine() const
{
    return text::RecordWriter().text(date).text(time).text(item).number(seconds).text(comment).line(true);
}

QString PlayRecord::rewriteLine() const
{
    return text::RecordWriter().text(date).text(time).text(item).number(seconds).text(comment).text(QString()).line();
}

bool PlayRecord::operator==(const PlayRecord &o) const
{
    return date == o.date && time == o.time && item == o.item && seconds == o.seconds && comment == o.comment
        && reserved == o.reserved;
}

text::WriteResult appendPlayRecord(const PlayRecord &r)
{
    return text::appendLine(kPlayLogFile, r.gameLine());
}

namespace {

bool hasLongLines()
{
    text::ByteLineReader file(kPlayLogFile);
    file.skipLinesLongerThan(kLongestRecordLine);
    QByteArrayView line;
    while (file.next(&line)) {}
    return file.skippedLines() > 0;
}

} // namespace

text::WriteResult rewritePlayLog(const QList<PlayRecord> &records, const Clock &clock)
{
    // A log holding bytes that are not Shift-JIS is never rewritten: whatever
    // part of a record they fell in, the rewrite would drop them for good.
    const TailRecovery tail = recoverPlayLogTail();
    if (tail.outcome == TailRecovery::Outcome::Failed) {
        text::WriteResult refused;
        refused.ok = false;
        refused.message = tail.message + QStringLiteral("\r\nデータ.txt は書き換えていません。");
        return refused;
    }
    // A line too long for any record is damage the rewrite would drop for
    // good (and reading it whole would cost its size in memory, twice).
    if (hasLongLines()) {
        text::WriteResult refused;
        refused.ok = false;
        refused.message = QStringLiteral("データ.txt に、記録とは考えられない長い行（1 MB を超える行）があるため、"
                                         "書き換えられません。\r\nファイルはそのまま残してあります。\r\n"
                                         "テキストエディタでその行を取り除いてください。");
        return refused;
    }
    const text::ReadResult now = text::readAll(kPlayLogFile, nullptr);
    if (now.readError) {
        text::WriteResult refused;
        refused.ok = false;
        refused.message = text::readFailureMessage(kPlayLogFile, now)
            + QStringLiteral("\r\n読み込めないため、書き換えられません。ファイルはそのまま残してあります。");
        return refused;
    }
    if (!now.clean) {
        text::WriteResult refused;
        refused.ok = false;
        refused.message =
            QStringLiteral("データ.txt に Shift-JIS として読めない文字があるため、書き換えられません。\r\n"
                           "ファイルはそのまま残してあります。\r\n"
                           "テキストエディタで文字コードを Shift-JIS にして保存し直してください。");
        return refused;
    }
    // The new content is made first: a text the file cannot hold refuses the
    // rewrite before any copy is made (retries never push old copies out).
    QString all;
    for (const PlayRecord &r : records)
        all += r.rewriteLine() + QStringLiteral("\r\n");
    QByteArray bytes;
    QString bad;
    if (!text::encodeCp932(all, &bytes, &bad)) {
        text::WriteResult refused;
        refused.ok = false;
        refused.message = text::unstorableCharMessage(bad);
        return refused;
    }
    // Every rewrite may drop records (a deletion) or a comment: the log as it
    // was is kept first, and without that copy nothing is rewritten.
    const BackupResult copy = backUpFile(kPlayLogFile, clock.now());
    if (!copy)
        return copy.asWrite();
    return text::writeBytes(kPlayLogFile, bytes);
}

text::WriteResult emptyPlayLog(const Clock &clock) // the new start: whatever the log held goes
{
    const BackupResult copy = backUpFile(kPlayLogFile, clock.now());
    if (!copy)
        return copy.asWrite();
    return text::emptyFile(kPlayLogFile);
}

} // namespace kioku
