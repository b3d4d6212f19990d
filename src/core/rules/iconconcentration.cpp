#include "core/rules/iconconcentration.h"

#include "core/random.h"
#include "core/text/formats.h"
#include "core/text/recordline.h"

#include <cmath>

namespace kioku::rules {

const QStringList &iconLevels()
{
    static const QStringList levels{QStringLiteral("イージー"), QStringLiteral("ノーマル"), QStringLiteral("ハード"),
                                    QStringLiteral("パニック")};
    return levels;
}

const SettingsFormat &iconConcentrationSettings()
{
    static const SettingsFormat format{gameInfo(Game::IconConcentration).settingsFile,
                                       {SettingField::text(QStringLiteral("ノーマル"), iconLevels()),
                                        SettingField::integer(1, 0, 1), SettingField::integer(1, 0, 1),
                                        SettingField::real(0.5f, 0.1f, 5.0f), SettingField::real(0.5f, 0.1f, 5.0f)}};
    return format;
}

const HistoryFormat &iconConcentrationHistory()
{
    static const HistoryFormat format{gameInfo(Game::IconConcentration).historyFile,
                                      {FieldForm::Text, FieldForm::Text, FieldForm::Text, FieldForm::OptionalText,
                                       FieldForm::Text, FieldForm::Text, FieldForm::OptionalText,
                                       FieldForm::OptionalText}};
    return format;
}

int levelIndex(const QString &level)
{
    return int(iconLevels().indexOf(level));
}

int kindsOfLevel(const QString &level)
{
    static const int kinds[] = {2, 4, 10, 20};
    const int i = levelIndex(level);
    return i >= 0 ? kinds[i] : 0;
}

QString recordTitle(const QString &level)
{
    if (levelIndex(level) < 0)
        return QString();
    // The shortest name is set off by a blank, so the four titles end in line.
    return (level == iconLevels().first() ? QStringLiteral(" ") : QString()) + level + QStringLiteral("最短");
}

QStringList delayItems()
{
    // 0.5 ends the tenths and begins the halves; it is offered once.
    QStringList items;
    for (int i = 1; i <= 5; ++i)
        items.append(text::shortestFloat(float(i) / 10.0f));
    for (int i = 2; i <= 10; ++i)
        items.append(text::shortestFloat(float(i) / 2.0f));
    return items;
}

Deal dealBoard(RandomSource &random, const QStringList &names, int kinds)
{
    Deal d;
    if (kinds < 1 || kinds > names.size())
        return d;
    // The kinds: each draw takes one of the names still left.
    QStringList left = names;
    random.reseed();
    for (int k = 0; k < kinds; ++k) {
        const int r = qBound(0, random.below(int(left.size())), int(left.size()) - 1);
        d.kinds.append(left.takeAt(r));
    }
    // The bag: every kind as often as it fits onto the board.
    const int copies = int(std::lround(double(kBoardPieces) / double(kinds)));
    QStringList bag;
    for (int c = 0; c < copies; ++c)
        bag += d.kinds;
    // The deal: position after position, each from what is left in the bag.
    random.reseed();
    for (int p = 0; p < kBoardPieces && !bag.isEmpty(); ++p) {
        const int r = qBound(0, random.below(int(bag.size())), int(bag.size()) - 1);
        d.board.append(bag.takeAt(r));
    }
    return d;
}

// ---------------------------------------------------------------- records

namespace {

const QString kNoSeconds = QStringLiteral("9999");

// One line of the records file; false when it is not a turn count and a time.
bool parseRecord(const QString &line, LevelRecord *r)
{
    const QStringList f = text::splitRecord(line);
    if (f.size() < 2 || !text::isPlainNumber(f.at(0), true) || !text::isPlainNumber(f.at(1)))
        return false;
    const int turns = f.at(0).toInt();
    const double seconds = text::leadingNumber(f.at(1));
    if (turns < 1 || turns > 9999 || !(seconds > 0))
        return false;
    r->turns = turns;
    r->seconds = f.at(1);
    return true;
}

} // namespace

QStringList IconRecords::lines() const
{
    QStringList out;
    for (const LevelRecord &r : levels)
        out.append(text::RecordWriter().number(r.turns).text(r.seconds).line());
    return out;
}

QString IconRecords::problem() const
{
    const QString file = kIconRecordsFile;
    if (readError)
        return QStringLiteral("記録ファイル「%1」を読み込めませんでした。").arg(file)
            + (reason.isEmpty() ? QString() : QStringLiteral("\r\n") + reason)
            + QStringLiteral("\r\n記録はないものとして扱います。");
    if (badLines.isEmpty() && clean)
        return QString();
    QStringList levelsNamed;
    for (int n : badLines)
        levelsNamed.append(iconLevels().value(n - 1));
    if (!badLines.isEmpty())
        return QStringLiteral("記録ファイル「%1」の%2の記録が読めません。\r\nその記録はないものとして扱います。")
            .arg(file, levelsNamed.join(QStringLiteral("、")));
    return QStringLiteral("記録ファイル「%1」に Shift-JIS として読めない文字があります。").arg(file);
}

IconRecords readIconRecords()
{
    IconRecords records;
    const text::ReadResult file = text::readLines(kIconRecordsFile);
    records.clean = file.clean;
    records.readError = file.readError;
    records.reason = file.reason;
    // A missing line leaves its level without a record; lines past the fourth are not records.
    for (int i = 0; i < records.levels.size() && i < file.lines.size(); ++i) {
        LevelRecord r;
        if (parseRecord(file.lines.at(i), &r))
            records.levels[i] = r;
        else
            records.badLines.append(i + 1);
    }
    return records;
}

text::WriteResult writeIconRecords(const IconRecords &records)
{
    return text::writeLines(kIconRecordsFile, records.lines());
}

RecordsBroken takeResult(IconRecords &records, const QString &level, int turns, const QString &seconds)
{
    RecordsBroken b;
    const int i = levelIndex(level);
    if (i < 0 || i >= records.levels.size())
        return b;
    LevelRecord &r = records.levels[i];
    // A level without a record takes any result, however long the game was.
    if (!r.hasTurns() || turns < r.turns) {
        r.turns = turns;
        b.turns = true;
    }
    const double now = text::leadingNumber(seconds);
    if (!r.hasSeconds() || text::leadingNumber(r.seconds) > now) {
        r.seconds = seconds;
        b.seconds = true;
    }
    return b;
}

// ---------------------------------------------------------------- the saved play

QString summaryText(const QString &level, int turns, const QString &seconds)
{
    return level + QStringLiteral(" ") + QString::number(turns) + QStringLiteral("回  ") + seconds
        + QStringLiteral("秒");
}

HistoryEntry historyEntry(const IconConcentrationResult &r)
{
    const QString mark = QStringLiteral("○");
    return HistoryEntry({text::dateSlash(r.saved.date()), text::timeText(r.saved.time()), r.level,
                         r.namesShown ? mark : QString(), QString::number(r.turns) + QStringLiteral("回"), r.seconds,
                         r.turnRecord ? mark : QString(), r.secondsRecord ? mark : QString()});
}

PlayRecord playRecord(const IconConcentrationResult &r)
{
    PlayRecord p;
    p.date = text::dateSlash(r.saved.date());
    p.time = text::timeText(r.saved.time());
    p.item = kIconConcentrationName;
    p.seconds = float(text::leadingNumber(r.seconds));
    p.comment = summaryText(r.level, r.turns, r.seconds);
    return p;
}

} // namespace kioku::rules
