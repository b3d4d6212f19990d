#include "playlog.h"

#include "core/backup.h"
#include "core/clock.h"
#include "core/text/recordline.h"
#include "core/text/sjis.h"

namespace kioku {

PlayRecord PlayRecord::parse(const QString &line)
{
    const text::RecordReader r(line);
    PlayRecord p;
    p.date = r.text(0);
    p.time = r.text(1);
    p.item = r.text(2);
    p.seconds = r.toFloat(3);
    p.comment = r.text(4);
    p.reserved = r.text(5);
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

PlayLog readPlayLog()
{
    PlayLog log;
    const text::ReadResult file = text::readLines(kPlayLogFile);
    log.clean = file.clean;
    log.readError = file.readError;
    log.records.reserve(file.lines.size());
    for (const QString &line : file.lines) {
        if (!text::isBlankLine(line))
            log.records.append(PlayRecord::parse(line));
    }
    return log;
}

text::WriteResult appendPlayRecord(const PlayRecord &r)
{
    return text::appendLine(kPlayLogFile, r.gameLine());
}

text::WriteResult rewritePlayLog(const QList<PlayRecord> &records, const Clock &clock)
{
    // A log holding bytes that are not Shift-JIS is never rewritten: whatever
    // part of a record they fell in, the rewrite would drop them for good.
    const text::ReadResult now = text::readAll(kPlayLogFile, nullptr);
    if (now.readError || !now.clean) {
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
