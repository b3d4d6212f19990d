#include "core/rules/timelag.h"

namespace kioku::rules {

const QStringList &lagItems()
{
    static const QStringList items{QStringLiteral("1回"), QStringLiteral("2回")};
    return items;
}

int lagOf(const QString &lagText)
{
    return lagText.startsWith(QLatin1Char('2')) ? 2 : 1;
}

QString dueWord(const QStringList &shown, int lag)
{
    // Slot k - L + 1 of the k shown words (counted from 1).
    const qsizetype i = shown.size() - lag;
    return i >= 0 && i < shown.size() ? shown.at(i) : QString();
}

HistoryEntry timeLagEntry(const TypingResult &r, const QString &lagText)
{
    return HistoryEntry(typingHistoryStart(r) << lagText.left(1));
}

PlayRecord timeLagRecord(const TypingResult &r, const QString &modeText, const QString &setting, const QString &lagText)
{
    return typingPlayRecord(r, gameInfo(Game::TimeLag).itemName,
                            modeText + QStringLiteral(" : ") + setting + QStringLiteral("  ") + lagText
                                + QStringLiteral("モード"));
}

const SettingsFormat &timeLagSettings()
{
    static const SettingsFormat format{gameInfo(Game::TimeLag).settingsFile,
                                       {SettingField::integer(20, 1, 100), SettingField::integer(60, 10, 180),
                                        SettingField::text(QStringLiteral("2回"), lagItems()),
                                        SettingField::text(QStringLiteral("秒数"), playModeItems()),
                                        SettingField::integer(1, 0, 1)}};
    return format;
}

const HistoryFormat &timeLagHistory()
{
    static const HistoryFormat format{gameInfo(Game::TimeLag).historyFile, typingHistoryFields(FieldForm::Text)};
    return format;
}

} // namespace kioku::rules
