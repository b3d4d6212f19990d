#include "core/rules/imagememory.h"

#include "core/random.h"
#include "core/rules/numbermemory.h"
#include "core/text/formats.h"

namespace kioku::rules {

const SettingsFormat &imageMemorySettings()
{
    // The spare value is no setting of ours: whatever the file holds there
    // goes back unchanged; a new file gets an empty text.
    static const SettingsFormat format{kImageMemorySettingsFile,
                                       {SettingField::integer(8, 1, kImagePositions), SettingField::integer(10, 1, 60),
                                        SettingField::integer(1, 0, 1), SettingField::kept(QStringLiteral("\"\"")),
                                        SettingField::integer(1, 0, 1)}};
    return format;
}

const HistoryFormat &imageMemoryHistory()
{
    static const HistoryFormat format{kImageMemoryHistoryFile,
                                      {FieldForm::Text, FieldForm::Text, FieldForm::Text, FieldForm::Int,
                                       FieldForm::Int, FieldForm::Text, FieldForm::Text}};
    return format;
}

QStringList iconCountItems()
{
    QStringList items;
    for (int i = 1; i <= kImagePositions; ++i)
        items.append(QString::number(i));
    return items;
}

QStringList imageDisplayTimeItems()
{
    QStringList items;
    for (int i = 1; i <= 60; ++i)
        items.append(QString::number(i));
    return items;
}

QList<IconFile> iconPool(const QList<IconFile> &listing)
{
    QList<IconFile> pool;
    for (const IconFile &icon : listing) {
        if (pool.size() == kImagePositions)
            break;
        if (!icon.name.isEmpty())
            pool.append(icon);
    }
    return pool;
}

QString iconShortageText(int count)
{
    if (count >= kImagePositions)
        return QString();
    const QString have = count <= 0 ? QStringLiteral("データフォルダに１つもありません。")
                                    : QStringLiteral("データフォルダには %1 個しかありません。").arg(count);
    return QStringLiteral("画像記憶には %1 個のアイコン（.ico ファイル）が必要ですが、").arg(kImagePositions) + have
        + QStringLiteral("\r\nアイコンを %1 個以上入れてからプレイしてください。").arg(kImagePositions);
}

QStringList dealIcons(RandomSource &random, const QStringList &pool)
{
    QStringList left = pool;
    QStringList dealt;
    dealt.reserve(left.size());
    random.reseed();
    while (!left.isEmpty()) {
        // A source that returned 1.0 would point past the end: the last entry.
        const int r = qBound(0, random.below(int(left.size())), int(left.size()) - 1);
        dealt.append(left.takeAt(r));
    }
    return dealt;
}

QString imageDisplayTimeText(int seconds)
{
    return QString::number(seconds) + QStringLiteral("秒");
}

HistoryEntry historyEntry(const ImageMemoryResult &r)
{
    return HistoryEntry({text::dateSlash(r.saved.date()), text::timeText(r.saved.time()), r.marks,
                         QString::number(r.right), QString::number(r.wrong), r.rate,
                         imageDisplayTimeText(r.displayTime)});
}

PlayRecord playRecord(const ImageMemoryResult &r)
{
    PlayRecord p;
    p.date = text::dateSlash(r.saved.date());
    p.time = text::timeText(r.saved.time());
    p.item = kImageMemoryName;
    p.seconds = float(r.displayTime);
    p.comment = summaryText(r.right, r.wrong, r.rate);
    return p;
}

} // namespace kioku::rules
