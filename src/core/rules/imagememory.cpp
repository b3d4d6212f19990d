#include "core/rules/imagememory.h"

namespace kioku::rules {

const SettingsFormat &imageMemorySettings()
{
    static const SettingsFormat format{gameInfo(Game::ImageMemory).settingsFile,
                                       {SettingField::integer(8, 1, 15), SettingField::integer(10, 1, 60),
                                        SettingField::integer(1, 0, 1), SettingField::text(QString()),
                                        SettingField::integer(1, 0, 1)}};
    return format;
}

const HistoryFormat &imageMemoryHistory()
{
    static const HistoryFormat format{gameInfo(Game::ImageMemory).historyFile,
                                      {FieldForm::Text, FieldForm::Text, FieldForm::Text, FieldForm::Int,
                                       FieldForm::Int, FieldForm::Text, FieldForm::Text}};
    return format;
}

} // namespace kioku::rules
