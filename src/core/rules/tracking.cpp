#include "core/rules/tracking.h"

namespace kioku::rules {

QStringList lightingTimeItems()
{
    QStringList items;
    for (int i = 1; i <= 9; ++i)
        items.append(QStringLiteral("0.%1").arg(i));
    items.append(QStringLiteral("1"));
    return items;
}

const SettingsFormat &trackingSettings()
{
    static const SettingsFormat format{gameInfo(Game::Tracking).settingsFile,
                                       {SettingField::kept(QStringLiteral("0")), SettingField::real(0.5f, 0.1f, 1.0f),
                                        SettingField::integer(1, 0, 1)}};
    return format;
}

const HistoryFormat &trackingHistory()
{
    static const HistoryFormat format{gameInfo(Game::Tracking).historyFile,
                                      {FieldForm::Text, FieldForm::Text, FieldForm::Int, FieldForm::Int, FieldForm::Int,
                                       FieldForm::Text, FieldForm::Text}};
    return format;
}

} // namespace kioku::rules
