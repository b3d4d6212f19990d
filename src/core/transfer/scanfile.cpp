#include "core/transfer/scanfile.h"

#include "core/playlog/playlog.h"
#include "core/rules/cycle.h"
#include "core/rules/imagememory.h"
#include "core/rules/numbermemory.h"
#include "core/rules/scrambled.h"
#include "core/rules/timelag.h"
#include "core/rules/tracking.h"
#include "core/text/recordline.h"
#include "core/text/sjis.h"
#include "core/text/textfile.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cerrno>

namespace kioku::transfer {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Digits of `s` from `from` up to `sep` (or its end): 1 to `most` of them.
int digitsUpTo(QStringView s, qsizetype *from, QChar sep, int most)
{
    qsizetype i = *from;
    int v = 0, n = 0;
    while (i < s.size() && s[i] != sep) {
        const char16_t c = s[i].unicode();
        if (c < u'0' || c > u'9' || ++n > most)
            return -1;
        v = v * 10 + (c - u'0');
        ++i;
    }
    if (n == 0)
        return -1;
    *from = i + 1;
    return v;
}

} // namespace

qint64 stampOf(QStringView date, QStringView time)
{
    qsizetype i = 0;
    const int y = digitsUpTo(date, &i, u'/', 4);
    const int m = y < 1000 ? -1 : digitsUpTo(date, &i, u'/', 2);
    const int d = m < 0 ? -1 : digitsUpTo(date, &i, u'/', 2);
    if (d < 0 || i != date.size() + 1) // nothing may follow the day
        return -1;
    if (!QDate::isValid(y, m, d))
        return -1;
    qsizetype j = 0;
    const int h = digitsUpTo(time, &j, u':', 2);
    const int mi = h < 0 ? -1 : digitsUpTo(time, &j, u':', 2);
    const int s = mi < 0 ? -1 : digitsUpTo(time, &j, u':', 2);
    if (s < 0 || j != time.size() + 1 || h > 23 || mi > 59 || s > 59)
        return -1;
    return ((qint64(y) * 100 + m) * 100 + d) * 1000000 + h * 10000 + mi * 100 + s;
}

int historyFieldCount(Game game)
{
    switch (game) {
    case Game::NumberMemory:
        return rules::numberMemoryHistory().fieldCount();
    case Game::ImageMemory:
        return rules::imageMemoryHistory().fieldCount();
    case Game::IconConcentration:
        return rules::iconConcentrationHistory().fieldCount();
    case Game::Tracking:
        return rules::trackingHistory().fieldCount();
    case Game::TimeLag:
        return rules::timeLagHistory().fieldCount();
    case Game::Cycle:
        return rules::cycleHistory().fieldCount();
    case Game::Scrambled:
        return rules::scrambledHistory().fieldCount();
    }
    return 2;
}

bool parseLevelRecord(const QString &line, rules::LevelRecord *r)
{
    const QStringList f = text::splitRecord(line);
    if (f.size() < 2 || !text::isPlainNumber(f.at(0), true) || !text::isPlainNumber(f.at(1)))
        return false;
    const int turns = f.at(0).toInt();
    if (turns < 1 || turns > 9999 || !(text::leadingNumber(f.at(1)) > 0))
        return false;
    r->turns = turns;
    r->seconds = f.at(1);
    return true;
}

bool isPlayLogRecord(QStringView line)
{
    return isWholeRecordLine(line) && recordStamp(line) >= 0;
}

bool isHistoryRecord(QStringView line)
{
    return line.count(u'"') % 2 == 0 && recordStamp(line) >= 0;
}

bool readWhole(const QString &path, QByteArray *bytes, QString *reason)
{
    const QFileInfo info(path);
    if (!text::isOpenable(path) || !info.isFile()) {
        *reason = QStringLiteral("ふつうのファイルではないため、読み込みません。");
        return false;
    }
    if (info.size() > kLargestDataFile) {
        *reason = QStringLiteral("データのファイルとしては大きすぎるため、読み込みません。");
        return false;
    }
    QFile f(path);
    errno = 0;
    if (!f.open(QIODevice::ReadOnly)) {
        *reason = text::readFailureReason(path, errno);
        return false;
    }
    errno = 0;
    *bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        *reason = text::readFailureReason(path, errno);
        return false;
    }
    return true;
}

ScannedText decodeText(const QByteArray &bytes)
{
    ScannedText t;
    QString all;
    if (text::hasUtf8Mark(bytes)) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        all = utf8.decode(QByteArrayView(bytes).sliced(3));
        t.readable = !utf8.hasError();
    } else {
        bool clean = true;
        all = text::decodeCp932(bytes, &clean);
        t.readable = clean;
    }
    if (!t.readable) {
        t.problem = QStringLiteral("Shift-JIS でも BOM 付きの UTF-8 でもない文字があるため、読み込みません。");
        return t;
    }
    if (all.isEmpty())
        return t;
    t.lastLineEnded = all.endsWith(QLatin1Char('\n'));
    if (t.lastLineEnded)
        all.chop(1);
    t.lines = all.split(QLatin1Char('\n'));
    for (QString &l : t.lines)
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    return t;
}

ScannedText readCurrent(const QString &path, bool *existed, QByteArray *bytes, bool decode)
{
    *existed = QFileInfo::exists(path) || QFileInfo(path).isSymLink();
    if (!*existed)
        return ScannedText();
    QString reason;
    if (!readWhole(path, bytes, &reason)) {
        ScannedText t;
        t.readable = false;
        t.problem = reason;
        return t;
    }
    if (!decode)
        return ScannedText();
    ScannedText t = decodeText(*bytes);
    if (!t.readable)
        t.problem = QStringLiteral("今のファイルに Shift-JIS として読めない文字があるため、変えずに残します。");
    return t;
}

FoundFile scanFile(const QString &path, FileKind kind, int game, const QString &name)
{
    FoundFile f;
    f.kind = kind;
    f.game = game;
    f.name = name;
    f.sourceName = QFileInfo(path).fileName();
    QByteArray bytes;
    QString reason;
    if (!readWhole(path, &bytes, &reason)) {
        f.usable = false;
        f.problem = reason;
        return f;
    }
    if (kind == FileKind::Icon) {
        // An icon file starts with its reserved word 0 and type 1.
        f.usable = bytes.size() >= 6 && bytes.startsWith(QByteArray("\0\0\1\0", 4));
        if (!f.usable)
            f.problem = QStringLiteral("アイコンの形式ではないため、取り込みません。");
        f.bytes = bytes;
        f.count = 1;
        return f;
    }
    ScannedText t = decodeText(bytes);
    if (!t.readable) {
        f.usable = false;
        f.problem = t.problem;
        return f;
    }
    const bool utf8 = text::hasUtf8Mark(bytes);
    const auto storable = [utf8](const QString &line) {
        QByteArray ignored;
        return !utf8 || text::encodeCp932(line, &ignored);
    };
    if (kind == FileKind::PlayLog || kind == FileKind::History) {
        f.lines.reserve(t.lines.size());
        qint64 first = -1, last = -1;
        for (int i = 0; i < t.lines.size(); ++i) {
            const QString &line = t.lines.at(i);
            if (text::isBlankLine(line))
                continue;
            const bool whole = kind == FileKind::PlayLog ? isPlayLogRecord(line) : isHistoryRecord(line);
            // A last line without its line end that is no whole record was cut off in its writing.
            if (!whole || !storable(line)) {
                f.badLines.append(i + 1);
                continue;
            }
            const qint64 s = recordStamp(line);
            first = first < 0 ? s : std::min(first, s);
            last = std::max(last, s);
            f.lines.append(line);
        }
        f.count = f.lines.size();
        const auto dateOf = [](qint64 s) {
            const qint64 d = s / 1000000;
            return QDate(int(d / 10000), int(d / 100 % 100), int(d % 100)).toString(QStringLiteral("yyyy/MM/dd"));
        };
        if (first >= 0) {
            f.firstDate = dateOf(first);
            f.lastDate = dateOf(last);
        }
        return f;
    }
    if (kind == FileKind::IconRecords) {
        rules::IconRecords records;
        for (int i = 0; i < t.lines.size() && i < records.levels.size(); ++i) {
            rules::LevelRecord r;
            if (parseLevelRecord(t.lines.at(i), &r))
                records.levels[i] = r;
            else
                f.badLines.append(i + 1);
        }
        f.lines = records.lines();
        f.count = std::count_if(records.levels.begin(), records.levels.end(),
                                [](const rules::LevelRecord &r) { return r.hasTurns() || r.hasSeconds(); });
        return f;
    }
    // The memo, settings, word lists and files of their own: taken whole or not at all.
    for (const QString &line : t.lines) {
        if (!storable(line)) {
            f.usable = false;
            f.problem = QStringLiteral("Shift-JIS にできない文字があるため、取り込みません。");
            return f;
        }
    }
    f.lines = t.lines;
    if (kind == FileKind::WordList)
        f.count = std::count_if(f.lines.begin(), f.lines.end(), [](const QString &l) { return !text::isBlankLine(l); });
    else
        f.count = f.lines.size();
    return f;
}

} // namespace kioku::transfer
