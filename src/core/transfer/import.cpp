#include "core/transfer/import.h"

#include "core/memo.h"
#include "core/playlog/playlog.h"
#include "core/rules/dictionary.h"
#include "core/rules/iconconcentration.h"
#include "core/settings.h"
#include "core/text/linereader.h"
#include "core/text/recordline.h"
#include "core/text/sjis.h"
#include "core/transfer/fileset.h"
#include "core/transfer/scanfile.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QSet>

#include <algorithm>

namespace kioku::transfer {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The data folder's files the program knows, with what each holds.
struct Known {
    QString name;
    FileKind kind;
    int game;
};

const QList<Known> &knownFiles()
{
    static const QList<Known> files = [] {
        QList<Known> k;
        k.append({kPlayLogFile, FileKind::PlayLog, -1});
        const QList<GameInfo> &games = gameCatalogue();
        for (int i = 0; i < games.size(); ++i)
            k.append({games.at(i).historyFile, FileKind::History, i});
        k.append({rules::kIconRecordsFile, FileKind::IconRecords, -1});
        k.append({kMemoFile, FileKind::Memo, -1});
        k.append({kNameFile, FileKind::Name, -1});
        k.append({kSettingsFile, FileKind::Settings, -1});
        for (int i = 0; i < games.size(); ++i)
            k.append({games.at(i).settingsFile, FileKind::GameSettings, i});
        k.append({rules::kTimeLagDictionaryFile, FileKind::WordList, int(Game::TimeLag)});
        k.append({rules::kCycleDictionaryFile, FileKind::WordList, int(Game::Cycle)});
        k.append({rules::kScrambledDictionaryFile, FileKind::WordList, int(Game::Scrambled)});
        return k;
    }();
    return files;
}

// Files of a data folder that are never data of their own: the pieces cut
// off the play log and the lock.
bool isHousekeeping(const QString &name)
{
    return name.endsWith(kFragmentSuffix, Qt::CaseInsensitive)
        || name.compare(QStringLiteral("kioku.lock"), Qt::CaseInsensitive) == 0
        || name.compare(kNotesFile, Qt::CaseInsensitive) == 0;
}

int fieldsOf(const FoundFile &f)
{
    return f.kind == FileKind::History ? historyFieldCount(Game(f.game)) : 0;
}

QString lineNumbers(const QList<int> &numbers)
{
    constexpr int kShown = 10;
    QStringList shown;
    for (int i = 0; i < numbers.size() && i < kShown; ++i)
        shown.append(QString::number(numbers.at(i)));
    QString s = shown.join(QStringLiteral(", ")) + QStringLiteral(" 行目");
    if (numbers.size() > kShown)
        s += QStringLiteral("ほか %1 行").arg(numbers.size() - kShown);
    return s;
}

QString number(qsizetype n)
{
    return QLocale(QLocale::Japanese, QLocale::Japan).toString(qlonglong(n));
}

// ---------------------------------------------------------------------------
// Merging
// ---------------------------------------------------------------------------

bool sameRecord(const QString &a, const QString &b, int fields)
{
    if (a == b)
        return true;
    if (fields == 0) // a game's line and a rewritten one hold the same record
        return PlayRecord::parse(a) == PlayRecord::parse(b);
    return HistoryEntry::parse(a, fields) == HistoryEntry::parse(b, fields);
}

rules::LevelRecord better(const rules::LevelRecord &a, const rules::LevelRecord &b)
{
    rules::LevelRecord r = a;
    if (b.hasTurns() && (!a.hasTurns() || b.turns < a.turns))
        r.turns = b.turns;
    if (b.hasSeconds() && (!a.hasSeconds() || text::leadingNumber(b.seconds) < text::leadingNumber(a.seconds)))
        r.seconds = b.seconds;
    return r;
}

rules::IconRecords iconRecordsOf(const QStringList &lines)
{
    rules::IconRecords records;
    for (int i = 0; i < records.levels.size() && i < lines.size(); ++i) {
        rules::LevelRecord r;
        if (parseLevelRecord(lines.at(i), &r))
            records.levels[i] = r;
    }
    return records;
}

// The name a name record holds: the second field of its first filled line.
QString nameIn(const QStringList &lines)
{
    for (const QString &l : lines)
        if (!text::isBlankLine(l))
            return text::splitRecord(l).value(1).trimmed();
    return QString();
}

bool hasFilledLine(const QStringList &lines)
{
    return std::any_of(lines.begin(), lines.end(), [](const QString &l) { return !text::isBlankLine(l); });
}

QStringList unionOfLines(const QStringList &current, const QStringList &incoming)
{
    QStringList out = current;
    QSet<QString> seen;
    for (const QString &l : current)
        seen.insert(l.trimmed());
    for (const QString &l : incoming) {
        const QString t = l.trimmed();
        if (t.isEmpty() || seen.contains(t))
            continue;
        seen.insert(t);
        out.append(l);
    }
    return out;
}

// The lines the data folder ends with for `found`, given what it holds now.
QStringList mergedLines(const FoundFile &found, const ScannedText &current)
{
    switch (found.kind) {
    case FileKind::PlayLog:
    case FileKind::History:
        return mergeRecordLines(current.lines, found.lines, fieldsOf(found));
    case FileKind::IconRecords: {
        const rules::IconRecords mine = iconRecordsOf(current.lines);
        const rules::IconRecords theirs = iconRecordsOf(found.lines);
        rules::IconRecords both;
        for (int i = 0; i < both.levels.size(); ++i)
            both.levels[i] = better(mine.levels.at(i), theirs.levels.at(i));
        return both.lines();
    }
    case FileKind::Memo: {
        const QString mine = memoFromFileText(current.lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
        const QString theirs = memoFromFileText(found.lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
        // The older text goes after the current one, once: a second import adds nothing.
        if (text::isBlankLine(theirs) || mine.contains(theirs))
            return current.lines;
        const QString both = text::isBlankLine(mine) ? theirs : mine + QLatin1Char('\n') + theirs;
        return both.split(QLatin1Char('\n'));
    }
    case FileKind::WordList:
        return hasFilledLine(current.lines) ? unionOfLines(current.lines, found.lines) : found.lines;
    case FileKind::Name:
        // A name left empty is no name: the older one comes in its place.
        return nameIn(current.lines).isEmpty() ? found.lines : current.lines;
    default:
        // The name, the settings and files of their own stay as they are,
        // unless the data folder has none.
        return hasFilledLine(current.lines) ? current.lines : found.lines;
    }
}

} // namespace

// ---------------------------------------------------------------------------
// What a found file shows
// ---------------------------------------------------------------------------

QString FoundFile::what() const
{
    const QString game = this->game >= 0 ? gameCatalogue().value(this->game).itemName : QString();
    switch (kind) {
    case FileKind::PlayLog:
        return QStringLiteral("プレイ記録");
    case FileKind::History:
        return QStringLiteral("%1の履歴").arg(game);
    case FileKind::IconRecords:
        return QStringLiteral("アイコン衰弱の最高記録");
    case FileKind::Memo:
        return QStringLiteral("メモ");
    case FileKind::Name:
        return QStringLiteral("お名前");
    case FileKind::Settings:
        return QStringLiteral("ヘルプツアーの設定");
    case FileKind::GameSettings:
        return QStringLiteral("%1の設定").arg(game);
    case FileKind::WordList:
        return QStringLiteral("%1の単語リスト").arg(game);
    case FileKind::Icon:
        return QStringLiteral("アイコン");
    case FileKind::Other:
        break;
    }
    return QStringLiteral("そのほかのファイル");
}

QString FoundFile::contents() const
{
    if (!usable)
        return QStringLiteral("－");
    switch (kind) {
    case FileKind::PlayLog:
    case FileKind::History:
        if (count == 0)
            return QStringLiteral("0 件");
        return QStringLiteral("%1 件（%2 ～ %3）").arg(number(count), firstDate, lastDate);
    case FileKind::IconRecords:
        return QStringLiteral("%1 レベル").arg(count);
    case FileKind::WordList:
        return QStringLiteral("%1 語").arg(number(count));
    case FileKind::Icon:
        return QStringLiteral("%1 バイト").arg(number(bytes.size()));
    case FileKind::Name:
        return nameIn(lines).isEmpty() ? QStringLiteral("（なし）") : nameIn(lines);
    default:
        return QStringLiteral("%1 行").arg(number(count));
    }
}

QString FoundFile::trouble() const
{
    if (!usable)
        return problem;
    if (badLines.isEmpty())
        return QString();
    return lineNumbers(badLines) + QStringLiteral("を読めません（取り込みません）");
}

bool Preview::usable() const
{
    return error.isEmpty() && std::any_of(files.begin(), files.end(), [](const FoundFile &f) { return f.usable; });
}

// ---------------------------------------------------------------------------
// Scanning
// ---------------------------------------------------------------------------

Preview scan(const QString &folder)
{
    Preview p;
    p.folder = QFileInfo(folder).absoluteFilePath();
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir()) {
        p.error = QStringLiteral("フォルダ「%1」が見つかりません。").arg(QDir::toNativeSeparators(folder));
        return p;
    }
    if (info.canonicalFilePath() == QFileInfo(QDir::currentPath()).canonicalFilePath()) {
        p.error = QStringLiteral("選んだフォルダは、今使っているデータフォルダです。") + kCrLf
            + QStringLiteral("以前のデータが入っている別のフォルダを選んでください。");
        return p;
    }
    const QDir dir(folder);
    const QStringList entries =
        dir.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    if (!dir.isReadable() || (entries.isEmpty() && !dir.exists())) {
        p.error = QStringLiteral("フォルダ「%1」を開けませんでした。").arg(QDir::toNativeSeparators(folder));
        return p;
    }
    QSet<QString> taken; // each data folder name once, whichever spelling comes first
    const auto take = [&](const QString &entry, FileKind kind, int game, const QString &name) {
        if (taken.contains(name.toLower()))
            return;
        taken.insert(name.toLower());
        p.files.append(scanFile(dir.filePath(entry), kind, game, name));
    };
    // The known files in the order they are shown, then icons and the rest.
    for (const Known &k : knownFiles())
        for (const QString &entry : entries)
            if (entry.compare(k.name, Qt::CaseInsensitive) == 0)
                take(entry, k.kind, k.game, k.name);
    for (const QString &entry : entries)
        if (entry.endsWith(QLatin1String(".ico"), Qt::CaseInsensitive))
            take(entry, FileKind::Icon, -1, entry);
    for (const QString &entry : entries) {
        if (!entry.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive) || isHousekeeping(entry))
            continue;
        const bool known = std::any_of(knownFiles().begin(), knownFiles().end(),
                                       [&](const Known &k) { return entry.compare(k.name, Qt::CaseInsensitive) == 0; });
        if (!known)
            take(entry, FileKind::Other, -1, entry);
    }
    if (p.files.isEmpty())
        p.error = QStringLiteral("フォルダ「%1」には、取り込めるデータがありません。").arg(dir.dirName()) + kCrLf
            + QStringLiteral("「データ.txt」などが入っているフォルダを選んでください。");
    return p;
}

// ---------------------------------------------------------------------------
// Planning and applying
// ---------------------------------------------------------------------------

Plan plan(const Preview &preview, Mode mode)
{
    Plan result;
    if (!preview.error.isEmpty()) {
        result.error = preview.error;
        return result;
    }
    for (const FoundFile &found : preview.files) {
        if (!found.usable)
            continue;
        const QString path = text::resolve(found.name);
        FileChange change;
        change.name = QFileInfo(path).fileName();
        const ScannedText current = readCurrent(path, &change.existed, &change.oldBytes);
        if (change.existed && !current.readable) {
            result.skipped.append(QStringLiteral("「%1」: %2").arg(change.name, current.problem));
            continue;
        }
        if (found.kind == FileKind::Icon) {
            if (mode == Mode::Merge && change.existed)
                continue; // the data folder's own picture of that name stays
            change.bytes = found.bytes;
        } else {
            const QStringList lines =
                mode == Mode::Replace || !change.existed ? found.lines : mergedLines(found, current);
            if (!encodeLines(lines, &change.bytes)) {
                result.skipped.append(
                    QStringLiteral("「%1」: Shift-JIS にできない文字があるため、取り込みません。").arg(change.name));
                continue;
            }
        }
        if (change.existed && change.bytes == change.oldBytes)
            continue;
        result.changes.append(change);
    }
    return result;
}

text::WriteResult apply(const Plan &plan, const QDateTime &at)
{
    if (!plan.error.isEmpty())
        return text::WriteResult{false, plan.error};
    return replaceFiles(plan.changes, at, QStringLiteral("以前のデータを取り込む前"));
}

bool encodeLines(const QStringList &lines, QByteArray *out)
{
    qsizetype size = 0;
    for (const QString &l : lines)
        size += l.size() * 2 + 2;
    QString all;
    all.reserve(size / 2);
    for (const QString &l : lines) {
        all += l;
        all += kCrLf;
    }
    return text::encodeCp932(all, out);
}

qint64 recordStamp(QStringView line)
{
    text::BasicFieldCursor<char16_t> cursor(line.utf16(), line.size());
    qsizetype start = 0, size = 0;
    if (!cursor.next(&start, &size))
        return -1;
    const QStringView date = line.mid(start, size);
    if (!cursor.next(&start, &size))
        return -1;
    const QStringView time = line.mid(start, size);
    return stampOf(date, time);
}

QStringList mergeRecordLines(const QStringList &current, const QStringList &incoming, int fields)
{
    struct Line {
        qint64 stamp;
        int index; // current: 0 …, incoming: current.size() …
    };
    const int mine = int(current.size());
    QList<Line> all;
    all.reserve(current.size() + incoming.size());
    qint64 last = 0;
    for (int i = 0; i < mine; ++i) {
        const qint64 s = recordStamp(current.at(i));
        last = s >= 0 ? s : last; // a line without a date stays behind the one before it
        all.append({last, i});
    }
    for (int i = 0; i < incoming.size(); ++i)
        all.append({recordStamp(incoming.at(i)), mine + i});
    std::stable_sort(all.begin(), all.end(), [](const Line &a, const Line &b) { return a.stamp < b.stamp; });

    const auto textOf = [&](int index) -> const QString & {
        return index < mine ? current.at(index) : incoming.at(index - mine);
    };
    QStringList out;
    out.reserve(all.size());
    QList<int> group;
    QList<bool> matched;
    for (qsizetype g = 0; g < all.size();) {
        qsizetype end = g + 1;
        while (end < all.size() && all.at(end).stamp == all.at(g).stamp)
            ++end;
        // A line of the incoming file equal to one of the data folder's of the
        // same moment is that record again: kept once.
        group.clear();
        matched.clear();
        for (qsizetype i = g; i < end; ++i) {
            const int index = all.at(i).index;
            if (index < mine) {
                group.append(index);
                matched.append(false);
                out.append(current.at(index));
                continue;
            }
            bool again = false;
            for (int j = 0; j < group.size() && !again; ++j) {
                if (!matched.at(j) && sameRecord(textOf(group.at(j)), textOf(index), fields)) {
                    matched[j] = true;
                    again = true;
                }
            }
            if (!again)
                out.append(textOf(index));
        }
        g = end;
    }
    return out;
}

} // namespace kioku::transfer
