#include "core/rules/cycle.h"

namespace kioku::rules {

const SettingsFormat &cycleSettings()
{
    static const SettingsFormat format{gameInfo(Game::Cycle).settingsFile,
                                       {SettingField::integer(20, 1, 100), SettingField::integer(60, 10, 180),
                                        SettingField::text(QStringLiteral("答数"), playModeItems()),
                                        SettingField::integer(1, 0, 1)}};
    return format;
}

const HistoryFormat &cycleHistory()
{
    static const HistoryFormat format{gameInfo(Game::Cycle).historyFile, typingHistoryFields(FieldForm::Int)};
    return format;
}

void CycleSequence::clear()
{
    m_words.clear();
    m_position = 1;
}

QString CycleSequence::word(int slot) const
{
    if (slot < 1 || slot > turn())
        return QString();
    return m_words.at(slot - 1);
}

bool CycleSequence::addTurn(const QString &word)
{
    if (full())
        return false;
    m_words.append(word);
    m_position = 1;
    return true;
}

CycleSequence::Judgement CycleSequence::answer(const QString &typed)
{
    if (m_position > turn() || typed != dueWord())
        return Judgement::Wrong;
    ++m_position;
    return m_position > turn() ? Judgement::TurnDone : Judgement::Right;
}

QString cycleComment(int position, int turn)
{
    return QStringLiteral("%1 / %2 回").arg(position - 1).arg(turn);
}

HistoryEntry cycleEntry(const TypingResult &r, int turn)
{
    return HistoryEntry(typingHistoryStart(r) << QString::number(turn));
}

PlayRecord cycleRecord(const TypingResult &r, int position, int turn)
{
    return typingPlayRecord(r, gameInfo(Game::Cycle).itemName, cycleComment(position, turn));
}

} // namespace kioku::rules
