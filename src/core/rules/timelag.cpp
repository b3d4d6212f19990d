#include "core/rules/timelag.h"

namespace kioku::rules {

const QStringList &lagItems()
{
    static const QStringList items{QStringLiteral("1回"), QStringLiteral("2回")};
    return items;
}

const SettingsFormat &timeLagSettings()
{
    static const SettingsFormat format{gameInfo(Game::TimeLag).settingsFile,
                                   {SettingField::integer(20, 1, 100), SettingField::integer(60, 10, 180),
                                    SettingField::text(QStringLiteral("2回"), lagItems()),
                                    SettingField::text(QStringLiteral("秒数"), playModeItems()), SettingField::integer(1, 0, 1)}};
    return format;
}

const HistoryFormat &timeLagHistory()
{
    static const HistoryFormat format{gameInfo(Game::TimeLag).historyFile, typingHistoryFields(FieldForm::Text)};
    return format;
}

} // namespace kioku::rules
