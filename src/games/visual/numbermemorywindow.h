#pragma once
// 数字記憶 (number memory): a row of random digits is shown for a set time,
// then covered; the player types them back, one per box, and has them judged.
#include "core/rules/numbermemory.h"
#include "games/frame/gameframe.h"
#include "games/visual/recallparts.h"

#include <QList>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;

namespace kioku {
class Shape;
class TimeBar;

// What its frame is made of.
GameDescription numberMemoryDescription();

class NumberMemoryWindow : public kioku::GameFrame {
    Q_OBJECT
public:
    explicit NumberMemoryWindow(kioku::AppContext &ctx, QWidget *parent = nullptr);

    // The digit count of the current play and its result.
    int playDigits() const { return m_n; }
    int rightCount() const { return m_right; }
    int wrongCount() const { return m_wrong; }
    int fullBarWidth() const;

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
    std::optional<SavedPlay> result(const QDateTime &now) const override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildPlayArea();
    // Text an input method commits into box `index` (or a key typed in full
    // width): plain digits, one to a box from there on. False: the box takes
    // the event as it came.
    bool typedIntoBoxes(int index, QEvent *event);
    QStringList digitTexts() const;
    QStringList answerTexts() const;

    QList<QLabel *> m_lblMondai;
    QList<QLineEdit *> m_txtKaitou;
    QWidget *m_digitRow = nullptr;
    kioku::Shape *m_shpWaku = nullptr;
    kioku::TimeBar *m_timeBar = nullptr;
    QLabel *m_lblMoji_T = nullptr;
    QLabel *m_lblOk = nullptr;
    QLabel *m_lblNg = nullptr;
    QLabel *m_lblRitu = nullptr;
    QLabel *m_lblByou = nullptr;
    QComboBox *m_cboKaisu = nullptr;
    QComboBox *m_cboJikan = nullptr;
    QPushButton *m_cmdKekka = nullptr;
    kioku::RecallResultBox m_result;

    int m_n = 8;             // digits of the current play
    float m_playTime = 0.5f; // display time of the current play
    int m_right = 0;
    int m_wrong = 0;
    QString m_marks; // result marks of the judged play
};

} // namespace kioku
