#pragma once
// 画像記憶 (image memory): number memory with icons. A row of icons is shown
// for a set time, with their names when 文字表示 is ticked, then hidden; the
// player types the name of each icon into the box under its place and has
// the names judged.
#include "core/rules/imagememory.h"
#include "games/frame/gameframe.h"
#include "games/visual/recallparts.h"

#include <QHash>
#include <QList>
#include <QPixmap>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace kioku {
class TimeBar;

// What its frame is made of.
GameDescription imageMemoryDescription();

class ImageMemoryWindow : public kioku::GameFrame {
    Q_OBJECT
public:
    explicit ImageMemoryWindow(kioku::AppContext &ctx, QWidget *parent = nullptr);

    // The back colour of an answer box while the player types (RGB(255,255,240)).
    static const QColor kAnswerBack;

    // The icon count of the current play, the names dealt to positions 1..15
    // (lstKoma) and the result of the judged play.
    int playIcons() const { return m_n; }
    QStringList dealtNames() const { return m_dealt; }
    int rightCount() const { return m_right; }
    int wrongCount() const { return m_wrong; }
    int fullBarWidth() const;

    // ---- handlers ----
    void cboKaisu_Click();
    void cboJikan_Click();
    void chkHint_Click();
    // A key in answer box `index` (1..15); true when the key was used up here.
    bool txtKaitou_KeyPress(int index, int key);
    void imgKoma_Click(int index); // 1..15
    void cmdKekka_Click();

    // ---- routines ----
    // Deals the fifteen icons anew: positions get their names and pictures, the
    // name labels are hidden.
    void dealIcons();

    // ---- controls (1..15) ----
    QLabel *imgKoma(int i) const { return m_imgKoma.value(i - 1); }
    QLabel *lblKoma(int i) const { return m_lblKoma.value(i - 1); }
    QLineEdit *txtKaitou(int i) const { return m_txtKaitou.value(i - 1); }
    QCheckBox *chkHint() const { return m_chkHint; }

protected:
    std::optional<OpenRefusal> openRefusal() override;
    void loadGame() override;
    void prepareBoard() override;
    void beginPlay() override;
    std::optional<SavedPlay> result(const QDateTime &now) const override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildPlayArea();
    void loadPictures();
    void showIcons(int count, bool withNames);
    void hideIcons();
    QStringList answerTexts() const;

    QList<QLabel *> m_imgKoma;
    QList<QLabel *> m_lblKoma;
    QList<QLineEdit *> m_txtKaitou;
    kioku::TimeBar *m_timeBar = nullptr;
    kioku::RecallSettingsBox m_settingsBox;
    kioku::RecallResultBox m_resultBox;
    QCheckBox *m_chkHint = nullptr;
    QPushButton *m_cmdKekka = nullptr;

    QStringList m_pool;                // the icons dealt from (lstInp), in listing order
    QHash<QString, QString> m_files;   // icon name → its file
    QHash<QString, QPixmap> m_picture; // icon name → its picture, read once at opening
    QStringList m_dealt;               // the names of positions 1..15 (lstKoma)

    int m_n = 8;        // icons of the current play
    int m_playTime = 0; // display time of the current play, seconds
    int m_right = 0;
    int m_wrong = 0;
    QString m_marks; // result marks of the judged play
    QString m_rate;  // its rate, "0.0%"
};

} // namespace kioku
