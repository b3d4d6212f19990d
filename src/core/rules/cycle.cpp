#include "core/rules/cycle.h"

namespace kioku::rules {

const SettingsFormat &cycleSettings()
{
    static const SettingsFormat format{gameInfo(Game::Cycle).settingsFile,
                                   {SettingField::integer(20, 1, 100), SettingField::integer(60, 10, 180),
                                    SettingField::text(QStringLiteral("答数"), playModeItems()), SettingField::integer(1, 0, 1)}};
    return format;
}

const HistoryFormat &cycleHistory()
{
    static const HistoryFormat format{gameInfo(Game::Cycle).historyFile, typingHistoryFields(FieldForm::Int)};
    return format;
}

} // namespace kioku::rules
