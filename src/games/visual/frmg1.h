#pragma once
// 数字記憶 (number memory): a row of random digits is shown for a set time,
// then covered; the player types them back, one per box, and has them judged.
#include "core/rules/numbermemory.h"
#include "games/frame/gameframe.h"

#include <QList>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;

namespace kioku {
class Shape;
}

class frmG1 : public kioku::GameFrame {
    Q_OBJECT
public:
    explicit frmG1(kioku::AppContext &ctx, QWidget *parent = nullptr);

    enum class Phase { Idle, Countdown, Display, Answering, Judged };
    Phase phase() const { return m_phase; }
    // The digit count of the current play and its result.
    int playDigits() const { return m_n; }
    int rightCount() const { return m_right; }
    int wrongCount() const { return m_wrong; }
    int fullBarWidth() const { return m_fullWidth; }

    // ---- handlers ----
    void cboKaisu_Click();
    void cboJikan_Click();
    void txtKaitou_Change(int index); // 1..15
    void txtKaitou_Click(int index);
    void cmdKekka_Click();

    // ---- controls ----
    QLabel *lblMondai(int i) const { return m_lblMondai.value(i - 1); }
    QLineEdit *txtKaitou(int i) const { return m_txtKaitou.value(i - 1); }

protected:
    void loadGame() override;
    void prepareBoard() override;
    void beginPlay() override;
    bool hasResult() const override;
    bool playRunning() const override;
    kioku::HistoryEntry historyEntry(const QDateTime &now) const override;
    kioku::PlayRecord playRecord(const QDateTime &now) const override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildPlayArea();
    // The digits stay on screen until the clock passes the end of the display time.
    // False when the window is closing: the caller returns at once.
    bool runDisplayPhase(float displayTime);
    void setBarWidth(int width);
    void setBoxColor(QLineEdit *box, const QColor &c);
    QStringList digitTexts() const;
    QStringList answerTexts() const;
    kioku::rules::NumberMemoryResult judgedResult(const QDateTime &now) const;

    QList<QLabel *> m_lblMondai;
    QList<QLineEdit *> m_txtKaitou;
    QWidget *m_digitRow = nullptr;
    kioku::Shape *m_shpWaku = nullptr;
    QWidget *m_barTrack = nullptr;
    kioku::Shape *m_shpJikanK = nullptr;
    QLabel *m_lblMoji_T = nullptr;
    QLabel *m_lblOk = nullptr;
    QLabel *m_lblNg = nullptr;
    QLabel *m_lblRitu = nullptr;
    QLabel *m_lblByou = nullptr;
    QComboBox *m_cboKaisu = nullptr;
    QComboBox *m_cboJikan = nullptr;
    QPushButton *m_cmdKekka = nullptr;

    Phase m_phase = Phase::Idle;
    int m_n = 8;                // digits of the current play
    float m_playTime = 0.5f;    // display time of the current play
    int m_right = 0;
    int m_wrong = 0;
    QString m_marks;            // result marks of the judged play
    int m_fullWidth = 0;
};
