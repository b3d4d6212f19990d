#pragma once
// バラバラ記憶 (scrambled typing): the letters of a word appear one by one in a
// scrambled order, pass after pass, each pass freshly shuffled, until the
// player types the word in its right order. ESC or a click on the letter tiles
// gives the word up and the play goes on with the next one.
#include "games/frame/gamedescription.h"
#include "games/typing/typingframe.h"

#include <QStringList>

class QGroupBox;

namespace kioku {

// What its frame is made of.
GameDescription scrambledDescription();

class ScrambledTypingWindow : public kioku::TypingFrame {
    Q_OBJECT
public:
    // The tiles: ivory; a letter is hidden in the tile's own colour, shown
    // black, and red at a give-up.
    static const QColor kTileBack;
    static const QColor kGiveUpRed;
    static constexpr int kTiles = 9;

    explicit ScrambledTypingWindow(kioku::AppContext &ctx, QWidget *parent = nullptr);

    // ---- handlers ----
    void cboMode_Click();
    // A click on a tile (1 … 9), or on the frame of the tiles (0): a give-up.
    void lblKanjiP_Click(int index);

    // ---- state ----
    QString currentWord() const { return m_word; }
    // The letters of the current pass in their scrambled order (tile k holds letter k).
    const QStringList &currentOrder() const { return m_order; }
    int pass() const { return m_pass; }
    // The colour a tile's letter is drawn in (kTileBack while hidden).
    QColor tileLetterColor(int index) const;

    // ---- controls ----
    QGroupBox *fraGattai() const { return m_fraGattai; }
    QLabel *lblKanjiP(int index) const; // 1 … 9
    QLabel *lblKanjiK() const { return m_lblKanjiK; }
    QLabel *lblLoop() const { return m_lblLoop; }
    QLabel *lblKaitou() const { return m_lblKaitou; }
    QComboBox *cboMode() const { return m_cboMode; }
    // The note about words of the list too long for the nine tiles (hidden when there are none).
    QLabel *lblChui() const { return m_lblChui; }

protected:
    void loadGame() override;
    void prepareTyping() override;
    void beginPlay() override;
    void answerGiven(const QString &answer) override;
    void giveUp() override;
    void timeUp() override;
    void remainingTaken(int remaining) override;

public:
    // The play seconds chosen are shown in lblJikan as well.
    void cboJikan_Click() override;

protected:
    std::optional<SavedPlay> result(const QDateTime &now) const override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // How the display of one word ended.
    enum class WordEnd {
        Answered, // Enter: the answer is judged
        GivenUp,  // ESC or a tile: the word is abandoned
        Over,     // the play ended, a new one began or the window went: touch nothing more
    };

    void buildPlayArea();
    void showSkippedWords();
    // The words of a play, one after the other, until the play ends. One loop:
    // a give-up ends the running display and the loop goes on with the next
    // word, so no display is ever started inside another's wait.
    void runWords(quint64 play);
    // One word: its passes of scrambled letters until an answer, a give-up or the end.
    WordEnd showScrambledWord(quint64 play);
    WordEnd wordEnd(WaitEnd wait, quint64 play) const;
    // The answer given by Enter; false when the play is over.
    bool judgeAnswer(quint64 play);
    // The scrambled letters shown red, counted wrong; false when the play is over.
    bool giveUpWord(quint64 play);
    void revealWord();
    void countedEnd();
    bool playRuns(quint64 play) const;

    void clearTiles();
    void placeTiles(const QStringList &order);
    void colourTiles(const QColor &letters);
    void showLetter(const QString &letter);
    void showWholeWord(const QString &word);
    double displayMs() const;

    QString m_word;
    QStringList m_order;
    int m_pass = 0;
    QString m_submitted;
    bool m_answerFlag = false;
    bool m_giveUpFlag = false;
    bool m_wordShown = false; // a word's letters are on show: Enter, ESC and the tiles act
    quint64 m_playNumber = 0; // raised at every スタート

    QGroupBox *m_fraGattai = nullptr;
    QList<QLabel *> m_lblKanjiP;
    QLabel *m_lblKanjiK = nullptr;
    QLabel *m_lblLoop = nullptr;
    QLabel *m_lblKaitou = nullptr;
    QLabel *m_lblChui = nullptr;
    QComboBox *m_cboMode = nullptr;
};

} // namespace kioku
