#include "core/rules/iconconcentration.h"

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

} // namespace kioku::rules
