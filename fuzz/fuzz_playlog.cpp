// The play log "データ.txt" on any bytes: the record line, and the file as the
// program reads, rewrites, appends to and mends it.
//
// - A record read from any line writes as one line that reads back as the same
//   record in both forms (the game line and the rewrite line), and writing that
//   again gives the same line: parse → write → parse → write settles after one
//   pass. A record from a clean code page 932 line always encodes.
// - readPlayLog() (bytes split and decoded field by field, a block at a time)
//   gives the records a plain reading of the decoded file gives, whatever the
//   block size, and the same `clean`.
// - A clean log always rewrites (its rewrite reads back as the records it was
//   made from, and rewriting those gives the same bytes); a log that is not is
//   refused and left byte for byte.
// - An appended record is the last record afterwards, the others unchanged; a
//   refused append leaves the file as it was.
#include "core/backup.h"
#include "core/clock.h"
#include "core/playlog/playlog.h"
#include "core/text/formats.h"
#include "core/text/recordline.h"
#include "core/text/sjis.h"
#include "core/text/textfile.h"
#include "fuzzsupport.h"

#include <QStringDecoder>

#include <cstdint>

using namespace kioku;
using kioku::fuzz::show;

namespace {

class FixedClock : public Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 7), QTime(14, 5, 33)); }
    qint64 elapsedNs() const override { return 0; }
    void wait(double) override {}
    void wake() override {}
};

QString show(const PlayRecord &r)
{
    return QStringLiteral("{%1 %2 %3 %4 %5 %6}")
        .arg(show(r.date), show(r.time), show(r.item), text::shortestFloat(r.seconds), show(r.comment),
             show(r.reserved));
}

void checkLine(const QString &line, bool clean)
{
    const PlayRecord p = PlayRecord::parse(line);
    const QString game = p.gameLine();
    FUZZ_CHECK(!game.contains(QLatin1Char('\r')) && !game.contains(QLatin1Char('\n')), show(line));
    const PlayRecord once = PlayRecord::parse(game);
    FUZZ_CHECK(once.gameLine() == game,
               show(line) + QStringLiteral(" -> ") + show(game) + QStringLiteral(" -> ") + show(once.gameLine()));
    FUZZ_CHECK(PlayRecord::parse(once.gameLine()) == once, show(line));
    // The rewrite form holds the same record.
    const QString rewrite = p.rewriteLine();
    FUZZ_CHECK(PlayRecord::parse(rewrite) == once, show(line) + QStringLiteral(" -> ") + show(rewrite));
    FUZZ_CHECK(once.rewriteLine() == rewrite, show(line));
    FUZZ_CHECK(isWholeRecordLine(QStringView(game)) && isWholeRecordLine(QStringView(rewrite)), show(game));
    if (clean) {
        QByteArray bytes;
        QString bad;
        FUZZ_CHECK(text::encodeCp932(game, &bytes, &bad) && text::encodeCp932(rewrite, &bytes, &bad),
                   show(line) + QStringLiteral(" cannot hold ") + show(bad));
    }
}

// What readPlayLog() must give for the bytes of a log: the records of a plain
// reading of the decoded file, blank lines skipped, and a last line without its
// line end left out when it is not a whole record.
struct Expected {
    QList<PlayRecord> records;
    bool clean = true;
    bool cutTail = false;
    // A log in UTF-8 is decoded whole; with a cut-off last line the reader
    // then looks for U+FFFD in the text before it, so a U+FFFD that the file
    // holds as a character also makes that log count as not clean: it is
    // only refused a rewrite until the next start moves the line out.
    bool cleanEither = false;
};

Expected expectedLog(const QByteArray &bytes)
{
    Expected e;
    QByteArray kept = bytes;
    const qsizetype lastEnd = bytes.lastIndexOf('\n');
    const QByteArray tail = bytes.mid(lastEnd + 1);
    const bool marked = text::hasUtf8Mark(bytes);
    // The last line as the reader sees it: after the mark when the file has
    // one and no line end at all, without a CR at its end.
    QByteArray tailLine = lastEnd < 0 && marked ? tail.mid(3) : tail;
    if (tailLine.endsWith('\r'))
        tailLine.chop(1);
    // A mark at the start of a later line is a character, not a mark; a
    // second mark straight after the file's own is dropped, as the decoder of
    // the whole file drops it.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        lastEnd < 0 ? QStringDecoder::Flag::Stateless
                                    : QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QString tailText = marked ? QString(utf8.decode(tailLine)) : text::decodeCp932(tailLine);
    if (!tailLine.isEmpty() && !text::isBlankLine(tailText)
        && !(marked ? isWholeRecordLine(QStringView(tailText)) : isWholeRecordLine(QByteArrayView(tailLine)))) {
        e.cutTail = true;
        kept.chop(tail.size() - (lastEnd < 0 && marked ? 3 : 0));
    }
    const QString all = text::decodeFileBytes(kept, &e.clean);
    e.cleanEither = marked && e.cutTail && e.clean && all.contains(QChar::ReplacementCharacter);
    for (const QString &l : fuzz::fileLines(all)) {
        if (!text::isBlankLine(l))
            e.records.append(PlayRecord::parse(l));
    }
    return e;
}

QString rewriteText(const QList<PlayRecord> &records)
{
    QString all;
    for (const PlayRecord &r : records)
        all += r.rewriteLine() + QStringLiteral("\r\n");
    return all;
}

void checkFile(const QByteArray &bytes, qsizetype blockSize)
{
    text::testing::setReadBlockSize(blockSize);
    fuzz::putFile(kPlayLogFile, bytes);
    const PlayLog log = readPlayLog();
    const Expected expected = expectedLog(bytes);
    FUZZ_CHECK(!log.readError, show(bytes));
    FUZZ_CHECK(log.records.size() == expected.records.size(),
               show(bytes)
                   + QStringLiteral(" %1 records, expected %2").arg(log.records.size()).arg(expected.records.size()));
    for (qsizetype i = 0; i < log.records.size(); ++i)
        FUZZ_CHECK(log.records.at(i) == expected.records.at(i),
                   show(bytes) + QStringLiteral(" record %1: ").arg(i) + show(log.records.at(i))
                       + QStringLiteral(" expected ") + show(expected.records.at(i)));
    FUZZ_CHECK((log.clean == expected.clean || expected.cleanEither) && log.cutTail == expected.cutTail,
               show(bytes)
                   + QStringLiteral(" clean %1 cut %2, expected %3 %4")
                         .arg(log.clean)
                         .arg(log.cutTail)
                         .arg(expected.clean)
                         .arg(expected.cutTail));
    FUZZ_CHECK(fuzz::fileBytes(kPlayLogFile) == bytes, show(bytes)); // reading changes nothing

    // The rewrite of everything that was read.
    const FixedClock clock;
    const text::WriteResult w = rewritePlayLog(log.records, clock);
    QByteArray rewritten;
    QString bad;
    const bool storable = text::encodeCp932(rewriteText(log.records), &rewritten, &bad);
    if (!log.clean || !storable) {
        FUZZ_CHECK(!w.ok && !w.message.isEmpty(), show(bytes));
        // Left as it was (but for a cut-off last line, which may have been moved out).
        const QByteArray now = fuzz::fileBytes(kPlayLogFile);
        FUZZ_CHECK(now == bytes || (expected.cutTail && bytes.startsWith(now) && now.endsWith('\n')), show(bytes));
        return;
    }
    FUZZ_CHECK(w.ok, show(bytes) + QStringLiteral(" ") + w.message);
    FUZZ_CHECK(fuzz::fileBytes(kPlayLogFile) == rewritten, show(bytes));
    const PlayLog again = readPlayLog();
    FUZZ_CHECK(again.clean && !again.cutTail && again.records.size() == log.records.size(), show(bytes));
    for (qsizetype i = 0; i < again.records.size(); ++i)
        FUZZ_CHECK(again.records.at(i) == PlayRecord::parse(log.records.at(i).rewriteLine()), show(bytes));
    FUZZ_CHECK(rewritePlayLog(again.records, clock).ok && fuzz::fileBytes(kPlayLogFile) == rewritten, show(bytes));
}

// As at start-up: a cut-off last line is moved out of the log, byte for byte;
// then a game appends a record.
void checkRecoveryAndAppend(const QByteArray &bytes, const QString &line)
{
    fuzz::putFile(kPlayLogFile, bytes);
    const PlayLog before = readPlayLog();
    const TailRecovery recovery = recoverPlayLogTail();
    QByteArray now = fuzz::fileBytes(kPlayLogFile);
    if (before.cutTail) {
        FUZZ_CHECK(recovery.outcome == TailRecovery::Outcome::Moved && !recovery.message.isEmpty(), show(bytes));
        FUZZ_CHECK(bytes.startsWith(now) && bytes.mid(now.size()) == recovery.tail,
                   show(bytes) + QStringLiteral(" left ") + show(now));
        FUZZ_CHECK(fuzz::fileBytes(kPlayLogFile + kFragmentSuffix).endsWith(recovery.tail + "\r\n"), show(bytes));
        const PlayLog mended = readPlayLog();
        FUZZ_CHECK(!mended.cutTail && mended.records == before.records && mended.clean == expectedLog(bytes).clean,
                   show(bytes));
    } else {
        FUZZ_CHECK(recovery.outcome == TailRecovery::Outcome::Nothing && now == bytes, show(bytes));
    }

    PlayRecord p = PlayRecord::parse(line);
    const text::WriteResult w = appendPlayRecord(p);
    if (!w.ok) {
        FUZZ_CHECK(!w.message.isEmpty() && fuzz::fileBytes(kPlayLogFile) == now, show(bytes));
        return;
    }
    const PlayLog after = readPlayLog();
    FUZZ_CHECK(!after.cutTail && after.records.size() == before.records.size() + 1,
               show(bytes) + QStringLiteral(" + ") + show(line));
    FUZZ_CHECK(after.records.last() == PlayRecord::parse(p.gameLine()),
               show(bytes) + QStringLiteral(" + ") + show(line));
    if (before.clean)
        FUZZ_CHECK(after.records.mid(0, before.records.size()) == before.records && after.clean, show(bytes));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::enterScratchFolder();
    // Each input starts without the fragment file and the backup copies of the inputs before it.
    QFile::remove(kPlayLogFile + kFragmentSuffix);
    QDir(kBackupFolder).removeRecursively();
    if (size == 0)
        return 0;
    // The first byte chooses the reader's block size: the normal one, or a
    // few bytes, so that the ends of blocks fall anywhere in a line.
    const qsizetype blockSize = data[0] < 128 ? 0 : qsizetype(data[0] - 127);
    const QByteArray bytes(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));

    bool clean = false;
    const QString decoded = text::decodeFileBytes(bytes, &clean);
    const QStringList lines = fuzz::fileLines(decoded);
    for (const QString &l : lines)
        checkLine(l, clean && !text::hasUtf8Mark(bytes));

    checkFile(bytes, blockSize);
    checkRecoveryAndAppend(bytes, lines.value(0));
    text::testing::setReadBlockSize(0);
    return 0;
}
