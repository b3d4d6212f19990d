#pragma once
// What the three typing games share on top of the game frame: the word list
// (read at opening, a window that has none refused), the play mode (timed or
// counted, one program-wide value), the answer count and play seconds boxes,
// the answer box with Enter and ESC, the counts and result labels, the time
// bar with its time-out, and the end of a play (endPlay). A typing game
// adds how it shows its words and how it judges them.
#include "core/rules/dictionary.h"
#include "core/rules/typing.h"
#include "games/frame/gameframe.h"

class QComboBox;
class QGroupBox;
class QListWidget;
class QHBoxLayout;
class QLabel;
class QRadioButton;

namespace kioku {

class AnswerBox;
class TimeBar;

// Where a typing game keeps the values the base works with (its settings
// enum), and the sizes of its parts. The answer counts and play seconds its
// boxes offer are those of its history's filters (cboKaisu2, cboJikan2).
struct TypingSetup {
    int answerCountSetting = 0; // cboKaisu: answers of a counted play
    int playSecondsSetting = 1; // cboJikan: seconds of a timed play
    int playModeSetting = 2;    // optMode: "秒数" or "答数"
    int barWidth = 480;         // design width of the time bar
    int maxWordLength = 0;      // words of the list longer than this are left out; 0: none is
};

class TypingFrame : public GameFrame {
    Q_OBJECT
public:
    TypingFrame(AppContext &ctx, GameDescription description, TypingSetup setup, QWidget *parent = nullptr);

    // ---- handlers ----
    // optMode(1) "秒数" (timed), optMode(0) "答数" (counted).
    void optMode_Click(int index);
    virtual void cboKaisu_Click();
    virtual void cboJikan_Click();
    // Enter (13) and ESC (27) in the answer box, once no input-method
    // conversion holds them: Enter answers, ESC gives up; other keys are the
    // box's own.
    void txtKaitou_KeyPress(int keyAscii);
    // The end of a play: `seconds` is the play-seconds setting at a time-out,
    // the number shown in lblJikan otherwise.
    void endPlay(double seconds);

    // ---- state ----
    // Whether the play (the one under way or the last one) is timed: fixed at
    // スタート, so switching the mode or the seconds during or after a play
    // never changes how that play ends or is saved. Before any play, the mode
    // chosen now.
    bool timedPlay() const;
    // The setting the play was started with, as shown: the play seconds of a
    // timed play, the answer count of a counted one.
    QString playSettingText() const { return m_play.settingText; }
    int rightCount() const { return m_right; }
    int wrongCount() const { return m_wrong; }
    int typedCharacters() const { return m_typed; }
    // The seconds value of the play: the setting in a timed play, the elapsed
    // seconds shown in lblJikan in a counted one; once the play has ended, the
    // value it ended with, whatever lblJikan or the settings show later.
    float playSecondsValue() const;
    int remaining() const { return m_remaining; }
    // The words of the game's list, read when the window opened.
    const rules::WordDictionary &dictionary() const { return m_dictionary; }

    // ---- controls ----
    QRadioButton *optMode(int index) const { return index == 1 ? m_optTimed : m_optCounted; }
    QComboBox *cboKaisu() const { return m_cboKaisu; }
    QComboBox *cboJikan() const { return m_cboJikan; }
    AnswerBox *txtKaitou() const { return m_txtKaitou; }
    QLabel *lblOk() const { return m_lblOk; }
    QLabel *lblNg() const { return m_lblNg; }
    QLabel *lblMoji_T() const { return m_lblMoji_T; }
    QLabel *lblRitu() const { return m_lblRitu; }
    QLabel *lblByou() const { return m_lblByou; }
    TimeBar *timeBar() const { return m_timeBar; }
    // The list of the words and its frame (the games that show it; nullptr in the others).
    QGroupBox *fraJisyo() const { return m_fraJisyo; }
    QListWidget *lstJisyo() const { return m_lstJisyo; }

protected:
    // A play is compared with the plays of its own mode for its best.
    rules::PlayMode playedMode() const override
    {
        return timedPlay() ? rules::PlayMode::Timed : rules::PlayMode::Counted;
    }
    // ---- hooks of a typing game ----
    // Enter with an answer while a play runs (not during the countdown).
    virtual void answerGiven(const QString &answer) = 0;
    // ESC while a play runs.
    virtual void giveUp() = 0;
    // The time of a timed play is up; endPlay with the play seconds unless a game says otherwise.
    virtual void timeUp();
    // Every second of a timed play, once the whole seconds left are taken and
    // before the time-out is looked at (a game that shows them counts down here).
    virtual void remainingTaken(int remaining) { Q_UNUSED(remaining) }
    // cmdStart, after the base emptied the counts and labels.
    virtual void prepareTyping() {}

    // ---- services for a typing game ----
    // The play begins now: the end of a timed play is fixed, a counted play's
    // clock starts, answers are taken.
    void startTyping();
    // An answer judged right; its characters join the typed ones unless
    // `countLength` is false (a game that counts its characters otherwise).
    void countRight(const QString &answer, bool countLength = true);
    void countWrong();
    void addTypedCharacters(int n);
    void setTypedCharacters(int n);
    // What ESC does (and a game's other ways of giving up): with no play, the
    // box is emptied and スタート takes the focus; during the countdown
    // nothing; during a play, giveUp().
    void escapeRequested();
    // A counted play has had its last answer.
    bool answersDone() const;
    // The large label of the word on display (lblMondai) and the answer row
    // (「解答」 and txtKaitou), for the game's board.
    QLabel *makeWordLabel(QWidget *board, int minWidth);
    QHBoxLayout *makeAnswerRow(QWidget *board);
    // The frame fraJisyo with the list of the words (lstJisyo), filled and
    // captioned with the word count when the window opens.
    QGroupBox *makeWordListBox(QWidget *parent, int minWidth, int maxHeight);
    // A box of the game's own among the settings, after its caption.
    QComboBox *addSettingBox(const QString &objectName, const QString &caption);
    // The settings and result boxes side by side, the results taking the room left.
    void addSettingsAndResults(QHBoxLayout *strip);
    QWidget *modeBox() const { return m_modeBox; }
    QWidget *resultBox() const { return m_resultBox; }
    // Fills a box with its choices and shows `current`, which a value written
    // into the file by hand adds to them.
    static void showChoices(QComboBox *box, const QStringList &items, const QString &current);
    const TypingSetup &setup() const { return m_setup; }

    // ---- the words ----
    // The list as it was read when the window opened (with what it left out).
    const rules::DictionaryLoad &dictionaryLoad() const { return m_load; }
    // A word of the list, drawn by the game's random source.
    QString pickWord() const;
    // Reads the list again at the start of a play, into the table of the size
    // it had at opening. A list that cannot be read leaves the table as it
    // was, and the player is told; false then.
    bool refillDictionary();
    // The counts of the finished play, as saved at `now`; nothing when no
    // answer was given.
    std::optional<rules::TypingResult> typingResult(const QDateTime &now) const;

    std::optional<OpenRefusal> openRefusal() override;
    void loadGame() override;
    void prepareBoard() override;
    QList<std::function<void()>> bpSteps() override;

private:
    void buildTypingParts();
    void applyPlayMode(int index);
    void showCounts();
    void txtKaitou_Enter();
    bool noPlay() const;
    void showWordList();

    TypingSetup m_setup;
    QStringList m_answerCountItems;
    QStringList m_playSecondsItems;
    rules::DictionaryLoad m_load;
    rules::WordDictionary m_dictionary;
    QStringList m_listed; // the words lstJisyo shows
    QRadioButton *m_optTimed = nullptr;
    QRadioButton *m_optCounted = nullptr;
    QComboBox *m_cboKaisu = nullptr;
    QComboBox *m_cboJikan = nullptr;
    AnswerBox *m_txtKaitou = nullptr;
    QLabel *m_lblOk = nullptr;
    QLabel *m_lblNg = nullptr;
    QLabel *m_lblMoji_T = nullptr;
    QLabel *m_lblRitu = nullptr;
    QLabel *m_lblByou = nullptr;
    TimeBar *m_timeBar = nullptr;
    QWidget *m_modeBox = nullptr;
    QWidget *m_resultBox = nullptr;
    QGroupBox *m_fraJisyo = nullptr;
    QListWidget *m_lstJisyo = nullptr;

    // The settings a play was started with: every figure of the play, while it
    // runs and once it has ended, comes from them, so a setting chosen
    // meanwhile is for the next play.
    struct PlaySettings {
        bool timed = false;
        float seconds = 0;   // the play seconds
        int answerCount = 0; // the answers of a counted play
        QString settingText; // as shown: the play seconds of a timed play, the answer count of a counted one
    };

    int m_right = 0;
    int m_wrong = 0;
    int m_typed = 0;
    int m_remaining = 0;
    int m_startMs = 0;          // milliseconds past the whole second of the time of day at the start
    bool m_playStarted = false; // a play has been started in this window
    PlaySettings m_play;        // that play's settings
    float m_endSeconds = 0;     // the seconds value it ended with
    qint64 m_startNs = 0;
};

} // namespace kioku
