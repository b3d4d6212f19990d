#include "core/rules/typing.h"

#include "core/text/formats.h"

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

QString perSecondText(int typedCharacters, float seconds)
{
    const float perSecond = seconds > 0 ? float(typedCharacters) / seconds : 0.0f;
    return text::format0_00(double(perSecond)) + QStringLiteral("/秒");
}

QString typingRate(int right, int wrong)
{
    return text::formatPercent(right + wrong > 0 ? double(right) / double(right + wrong) : 0.0);
}

QString secondsText(float seconds)
{
    return text::shortestFloat(seconds) + QStringLiteral("秒");
}

int remainingSeconds(int playSeconds, int startMs, qint64 elapsedMs)
{
    return playSeconds - int((qint64(startMs) + qMax<qint64>(0, elapsedMs)) / 1000);
}

QStringList typingHistoryStart(const TypingResult &r)
{
    return {r.saved.toString(QStringLiteral("yyyy/MM/dd")),
            r.saved.toString(QStringLiteral("HH:mm:ss")),
            QString::number(r.right + r.wrong),
            QString::number(r.right),
            QString::number(r.wrong),
            QString::number(r.typed),
            typingRate(r.right, r.wrong),
            perSecondText(r.typed, r.seconds),
            secondsText(r.seconds)};
}

PlayRecord typingPlayRecord(const TypingResult &r, const QString &itemName, const QString &comment)
{
    PlayRecord p;
    p.date = r.saved.toString(QStringLiteral("yyyy/MM/dd"));
    p.time = r.saved.toString(QStringLiteral("HH:mm:ss"));
    p.item = itemName;
    p.seconds = r.seconds;
    p.comment = comment;
    return p;
}

QList<FieldForm> typingHistoryFields(FieldForm last)
{
    return {FieldForm::Text, FieldForm::Text, FieldForm::Int,  FieldForm::Int,  FieldForm::Int,
            FieldForm::Int,  FieldForm::Text, FieldForm::Text, FieldForm::Text, last};
}

} // namespace kioku::rules
