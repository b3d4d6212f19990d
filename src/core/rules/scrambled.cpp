#include "core/rules/scrambled.h"

#include "core/random.h"
#include "core/text/formats.h"

#include <cmath>

namespace kioku::rules {

const SettingsFormat &scrambledSettings()
{
    static const SettingsFormat format{gameInfo(Game::Scrambled).settingsFile,
                                       {SettingField::integer(10, 1, 30), SettingField::real(60.0f, 10.0f, 180.0f),
                                        SettingField::real(0.5f, 0.1f, 1.0f),
                                        SettingField::text(QStringLiteral("答数"), playModeItems()),
                                        SettingField::integer(1, 0, 1)}};
    return format;
}

const HistoryFormat &scrambledHistory()
{
    static const HistoryFormat format{gameInfo(Game::Scrambled).historyFile,
                                      {FieldForm::Text, FieldForm::Text, FieldForm::Int, FieldForm::Int, FieldForm::Int,
                                       FieldForm::Int, FieldForm::Text, FieldForm::Text, FieldForm::Text}};
    return format;
}

QStringList displaySecondsItems()
{
    QStringList items;
    for (int i = 1; i <= 10; ++i)
        items << text::format0_0(i * 0.1);
    return items;
}

QString displaySecondsItem(float seconds)
{
    const double tenths = double(seconds) * 10.0;
    if (std::abs(tenths - std::round(tenths)) < 1e-4)
        return text::format0_0(std::round(tenths) / 10.0);
    return text::shortestFloat(seconds);
}

QStringList lettersOf(const QString &word)
{
    QStringList letters;
    const qsizetype size = word.size();
    for (qsizetype i = 0; i < size; ++i) {
        const bool pair = word.at(i).isHighSurrogate() && i + 1 < size && word.at(i + 1).isLowSurrogate();
        letters.append(word.mid(i, pair ? 2 : 1));
        if (pair)
            ++i;
    }
    return letters;
}

QStringList scrambleLetters(RandomSource &random, QStringList letters)
{
    random.reseed();
    QStringList order;
    order.reserve(letters.size());
    while (!letters.isEmpty()) {
        const int left = int(letters.size());
        // A source that ever gave 1.0 would point past the end: the last letter.
        const int j = qBound(0, random.below(left), left - 1);
        order.append(letters.takeAt(j));
    }
    return order;
}

QString scrambledSecondsText(PlayMode mode, float seconds)
{
    return mode == PlayMode::Timed ? text::shortestFloat(seconds) : text::format0_0(double(seconds));
}

HistoryEntry scrambledEntry(const TypingResult &r, const QString &secondsText)
{
    QStringList fields = typingHistoryStart(r);
    fields[8] = secondsText + QStringLiteral("秒");
    return HistoryEntry(fields);
}

PlayRecord scrambledRecord(const TypingResult &r, const QString &secondsText)
{
    PlayRecord p = typingPlayRecord(r, gameInfo(Game::Scrambled).itemName,
                                    QStringLiteral("秒数 : ") + secondsText + QStringLiteral("   答数 : ")
                                        + QString::number(r.typed));
    p.seconds = secondsText.toFloat();
    return p;
}

} // namespace kioku::rules
