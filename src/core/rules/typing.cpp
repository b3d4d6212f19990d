#include "core/rules/typing.h"

namespace kioku::rules {

const QStringList &playModeItems()
{
    static const QStringList items{QStringLiteral("秒数"), QStringLiteral("答数")};
    return items;
}

PlayMode playModeOf(const QString &item)
{
    return item == playModeItems().at(0) ? PlayMode::Timed : PlayMode::Counted;
}

QString playModeItem(PlayMode mode)
{
    return playModeItems().at(mode == PlayMode::Timed ? 0 : 1);
}

QList<FieldForm> typingHistoryFields(FieldForm last)
{
    return {FieldForm::Text, FieldForm::Text, FieldForm::Int,  FieldForm::Int,  FieldForm::Int,
            FieldForm::Int,  FieldForm::Text, FieldForm::Text, FieldForm::Text, last};
}

} // namespace kioku::rules
