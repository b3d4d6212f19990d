#pragma once
// 輪廻記憶 (cycle typing): type every word shown so far, then the new one.
#include "core/rules/cycle.h"
#include "games/frame/gamedescription.h"
#include "games/typing/typingframe.h"

namespace kioku {

// What its frame is made of.
GameDescription cycleDescription();

class FlexGrid;

class CycleTypingWindow : public kioku::TypingFrame {
    Q_OBJECT
public:
    explicit CycleTypingWindow(kioku::AppContext &ctx, QWidget *parent = nullptr);
    // With a smaller limit of turns than the sequence's 1000 (for trying the limit out).
    CycleTypingWindow(kioku::AppContext &ctx, int turnLimit, QWidget *parent = nullptr);

    // ---- routines ----
    // The answer grid for the turn about to begin: a header and one empty row
    // per word so far; lblMonsu shows the number of that turn.
    void resetAnswerGrid();
    // The next turn: one more word, drawn, shown and added to the sequence.
    void startNextTurn();

    // ---- state ----
    const kioku::rules::CycleSequence &sequence() const { return m_sequence; }
    // The word the player must type now ("" while none is due).
    QString dueWord() const { return m_sequence.dueWord(); }

    // ---- controls ----
    QLabel *lblMondai() const { return m_lblMondai; }
    QLabel *lblMonsu() const { return m_lblMonsu; }
    kioku::FlexGrid *msgInp() const { return m_msgInp; }

protected:
    void loadGame() override;
    void prepareTyping() override;
    void beginPlay() override;
    void answerGiven(const QString &answer) override;
    void giveUp() override;
    std::optional<SavedPlay> result(const QDateTime &now) const override;

private:
    void buildPlayArea();
    // The width of the two answer columns: their design width, or wider when
    // the longest word of the list would not fit.
    void fitAnswerColumns();
    void fitAnswerGridSize();

    kioku::rules::CycleSequence m_sequence;
    int m_columnTwips;
    QLabel *m_lblMondai = nullptr;
    QLabel *m_lblMonsu = nullptr;
    kioku::FlexGrid *m_msgInp = nullptr;
};

} // namespace kioku
