#pragma once
// Rules of 輪廻記憶 (cycle typing): type every word shown so far, then the new one: its settings line and history file.
#include "core/game/catalogue.h"
#include "core/game/gamesettings.h"
#include "core/game/history.h"
#include "core/rules/typing.h"

#include <QStringList>

namespace kioku::rules {

// The settings line: answer count, play seconds, play mode, auto-save.
struct CycleSetting {
    enum : int { AnswerCount = 0, PlaySeconds = 1, PlayModeSetting = 2, AutoSave = 3 };
};
const SettingsFormat &cycleSettings();
// Ten fields as time-lag typing; the last field is the turn reached (a whole number).
const HistoryFormat &cycleHistory();

// The sequence holds at most this many words, so a play has at most this many turns.
inline constexpr int kCycleTurnLimit = 1000;

// The words of a cycle play, oldest first. Turn n holds n words; the player
// types them in order, from slot 1 to slot n, and the next turn adds one word.
class CycleSequence {
public:
    explicit CycleSequence(int turnLimit = kCycleTurnLimit) : m_limit(qMax(1, turnLimit)) {}

    // No turn yet (before the first word of a play).
    void clear();
    // The turn number: how many words the sequence holds (0 before the first).
    int turn() const { return int(m_words.size()); }
    // The slot due next, 1 … turn(); turn() + 1 once the whole turn is typed.
    int position() const { return m_position; }
    // Slot k (1 ≤ k ≤ turn()); empty text for any other k.
    QString word(int slot) const;
    const QStringList &words() const { return m_words; }
    // The word the player must type now; empty when none is due.
    QString dueWord() const { return word(m_position); }
    QString newestWord() const { return m_words.isEmpty() ? QString() : m_words.last(); }
    int turnLimit() const { return m_limit; }
    // The last turn the sequence can hold has been reached.
    bool full() const { return turn() >= m_limit; }
    // Every word of the current turn has been typed.
    bool turnComplete() const { return turn() > 0 && m_position > turn(); }

    // Starts the next turn with `word` as its newest word; position 1 again.
    // False (and nothing changes) when the sequence is full.
    bool addTurn(const QString &word);

    enum class Judgement {
        Wrong,    // not the due word: the same position again
        Right,    // the due word: the next position is due
        TurnDone, // the due word, and it was the newest: the turn is complete
    };
    // Compares `typed` with the due word exactly, character by character.
    Judgement answer(const QString &typed);

private:
    QStringList m_words;
    int m_position = 1;
    int m_limit;
};

// The play-log comment: the words typed right in the last turn, then the
// turn: "3 / 5 回" (in turn 5, three words were typed when the play ended).
QString cycleComment(int position, int turn);
// The saved play: its history line (the turn as the tenth, unquoted field)
// and its play-log record.
HistoryEntry cycleEntry(const TypingResult &r, int turn);
PlayRecord cycleRecord(const TypingResult &r, int position, int turn);

} // namespace kioku::rules
