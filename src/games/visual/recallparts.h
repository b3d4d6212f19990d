#pragma once
// What the two recall games (数字記憶 and 画像記憶) build alike around their
// boards: the settings box with the count and the display time, the result
// box with its six values, the answer box of one position, and the judged
// counts shown in the result box.
#include <QLineEdit>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVariant>

class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
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
// Each box has room for the widest value it can show: `seconds` are the
// display times the game offers.
struct RecallResultBox {
    QGroupBox *box = nullptr;
    QLabel *lblMoji_T = nullptr;
    QLabel *lblOk = nullptr;
    QLabel *lblNg = nullptr;
    QLabel *lblRitu = nullptr;
    QLabel *lblByou = nullptr;
};
RecallResultBox recallResultBox(QWidget *parent, const QString &countCaption, QLabel *lblJikan,
                                const QStringList &seconds);

// A judged play: right and wrong counts, and right ÷ n as "0.0%".
void showRecallResult(const RecallResultBox &r, int right, int wrong, int n);

// The answer box of `position` (txtKaitou<position>), of a fixed size in a
// font of `pointSize`; it keeps its place in the row while hidden. A box for
// a digit is a DigitAnswerBox.
QLineEdit *recallAnswerBox(int position, QSize size, double pointSize, QWidget *parent, bool digit = false);

// A box for one digit. It tells the desktop's input method it takes none (a
// Japanese one left on from the typing games would hold the digits as its
// own text), so each key arrives as the digit it is.
class DigitAnswerBox : public QLineEdit {
    Q_OBJECT
public:
    explicit DigitAnswerBox(QWidget *parent = nullptr);
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    Q_INVOKABLE QVariant inputMethodQuery(Qt::InputMethodQuery query, QVariant argument) const;
};

} // namespace kioku
