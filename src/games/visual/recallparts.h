#pragma once
// What the two recall games (数字記憶 and 画像記憶) build alike around their
// boards: the settings box with the count and the display time, the result
// box with its six values, the answer box of one position, and the judged
// counts shown in the result box.
#include <QSize>
#include <QString>

class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QWidget;

namespace kioku {

// 「設定」: the count (cboKaisu) and the display time (cboJikan), each after its
// caption. The window fills and connects the boxes; `layout` takes more controls.
struct RecallSettingsBox {
    QGroupBox *box = nullptr;
    QHBoxLayout *layout = nullptr;
    QComboBox *cboKaisu = nullptr;
    QComboBox *cboJikan = nullptr;
};
RecallSettingsBox recallSettingsBox(QWidget *parent, const QString &countCaption);

// 「結果」: the count of the play (lblMoji_T), right (lblOk), wrong (lblNg), the
// rate (lblRitu), the seconds (the frame's lblJikan, moved in here) and lblByou.
struct RecallResultBox {
    QGroupBox *box = nullptr;
    QLabel *lblMoji_T = nullptr;
    QLabel *lblOk = nullptr;
    QLabel *lblNg = nullptr;
    QLabel *lblRitu = nullptr;
    QLabel *lblByou = nullptr;
};
RecallResultBox recallResultBox(QWidget *parent, const QString &countCaption, QLabel *lblJikan);

// A judged play: right and wrong counts, and right ÷ n as "0.0%".
void showRecallResult(const RecallResultBox &r, int right, int wrong, int n);

// The answer box of `position` (txtKaitou<position>), of a fixed size in a
// font of `pointSize`; it keeps its place in the row while hidden.
QLineEdit *recallAnswerBox(int position, QSize size, double pointSize, QWidget *parent);

} // namespace kioku
