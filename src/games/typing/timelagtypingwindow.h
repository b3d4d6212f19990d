#pragma once
// 時間差記憶 (time-lag typing): words appear one at a time, and the player
// types not the word on display but the one shown one or two words before.
#include "games/typing/typingframe.h"

#include <QStringList>

namespace kioku {

// What its frame is made of.
GameDescription timeLagDescription();

class TimeLagTypingWindow : public kioku::TypingFrame {
    Q_OBJECT
public:
    explicit TimeLagTypingWindow(kioku::AppContext &ctx, QWidget *parent = nullptr);

    // ---- handlers ----
    void cboMode_Click();
    void cboMode2_Click() { filter_Click(QStringLiteral("cboMode2")); }

    // ---- state ----
    // The words that have left the display, oldest first (ShownWords 1 … k).
    const QStringList &shownWords() const { return m_shown; }
    QString currentWord() const { return m_current; }
    // The word the player must type now ("" while none is due), by the lag of the play.
    QString dueWord() const;
    // The lag the play (the one under way or the last one) was started with;
    // before any play, the one chosen now.
    QString playLag() const;

    // ---- controls ----
    QLabel *lblMondai() const { return m_lblMondai; }
    QComboBox *cboMode() const { return m_cboMode; }

protected:
    void loadGame() override;
    void prepareTyping() override;
    void beginPlay() override;
    void answerGiven(const QString &answer) override;
    void giveUp() override;
    std::optional<SavedPlay> result(const QDateTime &now) const override;

private:
    void buildPlayArea();
    // The next word: the one on display joins the shown words, a new one is
    // drawn and shown after a blank of a tenth of a second, during which the
    // player's keys are held, not lost. False when the window went meanwhile.
    bool showNextWord();

    QStringList m_shown;
    QString m_current;
    QString m_playLag; // taken at スタート
    QLabel *m_lblMondai = nullptr;
    QComboBox *m_cboMode = nullptr;
};

} // namespace kioku
