#pragma once
// Rules of 追跡記憶 (tracking memory): nine panels light up in a growing sequence
// (the trace) that the player clicks back: its settings line and history file,
// the draws that make the trace grow, the judging of the clicks, and the saved
// play's history line and play-log record.
#include "core/game/catalogue.h"
#include "core/game/gamesettings.h"
#include "core/game/history.h"
#include "core/playlog/playlog.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace kioku {
class RandomSource;
}

namespace kioku::rules {

inline const QString &kTrackingName = gameInfo(Game::Tracking).itemName;

// The settings line: a spare value (written back as read), lighting time, auto-save.
struct TrackingSetting {
    enum : int { Spare = 0, LightingTime = 1, AutoSave = 2 };
};
const SettingsFormat &trackingSettings();
// Seven fields: date, time, turns, steps into the last turn, trace length, lighting time, seconds.
const HistoryFormat &trackingHistory();
// The lighting times offered: 0.1 to 0.9, then 1.
QStringList lightingTimeItems();
// A lighting time as the box shows it and the history keeps it: "0.5", "1".
QString lightingTimeText(float seconds);

// The nine panels, numbered row by row from the top left.
inline constexpr int kPanels = 9;
// A trace starts on one of the upper two rows (panels 1 to 6).
inline constexpr int kFirstPanels = 6;
// The position name of panel 1 … 9 ("左上段" … "右下段"); empty for any other number.
QString panelName(int panel);

// The first panel of a trace: the integer part of (a draw × 6 + 1), 1 to 6.
// The generator is reseeded first.
int drawFirstPanel(RandomSource &random);
// Each later panel: the integer part of (a draw × 9 + 1), any of 1 to 9, the
// panel just shown included. The generator is reseeded first.
int drawNextPanel(RandomSource &random);

// The trace of one game and the player's clicks of the turn being answered.
class Trace {
public:
    enum class Click {
        Right,    // as the trace goes on: wait for the next click
        TurnDone, // the whole trace reproduced: the trace grows
        Wrong,    // the first difference: the game ends
        Ignored,  // no click is due (no trace, a turn already done, a game already ended)
    };

    // A new game whose trace is the one panel `first`.
    void begin(int first);
    // One more panel at the end of the trace; the clicks of the next turn start afresh.
    void grow(int panel);
    // The player clicked `panel`.
    Click click(int panel);

    const QList<int> &panels() const { return m_panels; }
    // The clicks of the current turn, the wrong one included.
    const QList<int> &clicks() const { return m_clicks; }
    int length() const { return int(m_panels.size()); }
    // Right clicks in the whole game.
    int rightTotal() const { return m_right; }
    // Right clicks in the current turn.
    int rightInTurn() const;
    bool ended() const { return m_ended; }
    // The panel the trace has at click number `n` (1-based) of a turn; 0 past its end.
    int expectedAt(int n) const;

private:
    QList<int> m_panels;
    QList<int> m_clicks;
    int m_right = 0;
    bool m_ended = false;
};

// "2 / 5": the clicks made in this turn and the trace length.
QString progressText(int clicks, int length);
// "4 / 5 回  0.5秒": the progress as last shown, and the lighting time.
QString trackingSummary(const QString &progress, const QString &lightingText);
// "12.3秒".
QString elapsedText(float seconds);

// The saved play: the same values go to the history file and the play log.
struct TrackingResult {
    QDateTime saved;
    int turns = 0;      // the trace length reached
    int progress = 0;   // right clicks in the last (failed) turn
    int traceCount = 0; // right clicks in the whole game
    QString lightingText;
    float seconds = 0;     // the elapsed time, as shown to a tenth
    QString progressShown; // the progress text at the end ("2 / 4")
};
HistoryEntry trackingEntry(const TrackingResult &r);
PlayRecord trackingRecord(const TrackingResult &r);

} // namespace kioku::rules
