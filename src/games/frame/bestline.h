#pragma once
// The line beside 保存 that tells the player, after a saved play, how it
// stands against their own best in the game at the play's setting: a
// highlighted 「自己ベスト更新です」 (lblBestNew) when the play beats it, and
// the best so far (lblBest, 「これまでのベスト: 12 桁」). It interrupts
// nothing, keeps the history lines the bests are taken from, and starts
// afresh when the history is cleared.
#include "core/game/catalogue.h"
#include "core/game/history.h"
#include "core/rules/typing.h"
#include "core/stats/personalbest.h"

#include <QWidget>

class QLabel;

namespace kioku {

class BestLine : public QWidget {
    Q_OBJECT
public:
    BestLine(Game game, QWidget *parent = nullptr);

    // The history as read from its file.
    void setHistory(const QList<HistoryEntry> &entries) { m_history = entries; }
    // A play was saved: its standing is shown, and it joins the history.
    void played(const HistoryEntry &entry, rules::PlayMode mode);
    // The history was emptied: no best any more, nothing shown.
    void cleared();
    // Nothing shown (a new play begins).
    void hideStanding();

    QLabel *lblBestNew() const { return m_new; }
    QLabel *lblBest() const { return m_best; }

private:
    Game m_game;
    QList<HistoryEntry> m_history;
    QLabel *m_new = nullptr;
    QLabel *m_best = nullptr;
};

} // namespace kioku
