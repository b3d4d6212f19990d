#include "core/rules/scrambled.h"

namespace kioku::rules {

const SettingsFormat &scrambledSettings()
{
    static const SettingsFormat format{gameInfo(Game::Scrambled).settingsFile,
                                   {SettingField::integer(10, 1, 30), SettingField::real(60.0f, 10.0f, 180.0f),
                                    SettingField::real(0.5f, 0.1f, 1.0f),
                                    SettingField::text(QStringLiteral("答数"), playModeItems()), SettingField::integer(1, 0, 1)}};
    return format;
}

const HistoryFormat &scrambledHistory()
{
    static const HistoryFormat format{gameInfo(Game::Scrambled).historyFile,
                                   {FieldForm::Text, FieldForm::Text, FieldForm::Int, FieldForm::Int, FieldForm::Int, FieldForm::Int,
                                    FieldForm::Text, FieldForm::Text, FieldForm::Text}};
    return format;
}

} // namespace kioku::rules
