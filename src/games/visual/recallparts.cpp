#include "games/visual/recallparts.h"

#include "core/rules/numbermemory.h"
#include "widgets/playparts.h"
#include "widgets/textscale.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace kioku {

RecallSettingsBox recallSettingsBox(QWidget *parent, const QString &countCaption)
{
    RecallSettingsBox s;
    s.box = new QGroupBox(QStringLiteral("設定"), parent);
    s.box->setObjectName(QStringLiteral("fraSettei"));
    s.layout = new QHBoxLayout(s.box);
    s.cboKaisu = new QComboBox(s.box);
    s.cboKaisu->setObjectName(QStringLiteral("cboKaisu"));
    s.cboKaisu->setMinimumContentsLength(3);
    s.cboJikan = new QComboBox(s.box);
    s.cboJikan->setObjectName(QStringLiteral("cboJikan"));
    s.cboJikan->setMinimumContentsLength(4);
    s.layout->addWidget(captionLabel(countCaption, s.box));
    s.layout->addWidget(s.cboKaisu);
    s.layout->addSpacing(8);
    s.layout->addWidget(captionLabel(QStringLiteral("表示秒"), s.box));
    s.layout->addWidget(s.cboJikan);
    return s;
}

RecallResultBox recallResultBox(QWidget *parent, const QString &countCaption, QLabel *lblJikan,
                                const QStringList &seconds)
{
    RecallResultBox r;
    r.box = new QGroupBox(QStringLiteral("結果"), parent);
    r.box->setObjectName(QStringLiteral("fraKekka"));
    auto *rl = new QHBoxLayout(r.box);
    // At most fifteen places, every one right.
    const QStringList count = {QString::number(rules::kDigitPositions)};
    r.lblMoji_T = valueLabel(QStringLiteral("lblMoji_T"), r.box, count);
    r.lblOk = valueLabel(QStringLiteral("lblOk"), r.box, count);
    r.lblNg = valueLabel(QStringLiteral("lblNg"), r.box, count);
    r.lblRitu = valueLabel(QStringLiteral("lblRitu"), r.box, {widest::kRate});
    r.lblByou = valueLabel(QStringLiteral("lblByou"), r.box, {widest::kNone});
    lblJikan->setParent(r.box);
    styleValueLabel(lblJikan, seconds); // the display time, then its whole seconds counting down
    addCaptionedValues(rl,
                       {{countCaption, r.lblMoji_T},
                        {QStringLiteral("正解"), r.lblOk},
                        {QStringLiteral("不正解"), r.lblNg},
                        {QStringLiteral("正解率"), r.lblRitu},
                        {QStringLiteral("秒"), lblJikan},
                        {QStringLiteral("記録"), r.lblByou}});
    return r;
}

void showRecallResult(const RecallResultBox &r, int right, int wrong, int n)
{
    r.lblOk->setText(QString::number(right));
    r.lblNg->setText(QString::number(wrong));
    r.lblRitu->setText(rules::correctRate(right, n));
}

QLineEdit *recallAnswerBox(int position, QSize size, double pointSize, QWidget *parent, bool digit)
{
    QLineEdit *t = digit ? new DigitAnswerBox(parent) : new QLineEdit(parent);
    t->setObjectName(QStringLiteral("txtKaitou%1").arg(position));
    t->setFixedSize(boardSize(size.width(), size.height()));
    QFont f = t->font();
    f.setPointSizeF(boardPt(pointSize));
    t->setFont(f);
    QSizePolicy sp = t->sizePolicy();
    sp.setRetainSizeWhenHidden(true);
    t->setSizePolicy(sp);
    return t;
}

DigitAnswerBox::DigitAnswerBox(QWidget *parent) : QLineEdit(parent)
{
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setInputMethodHints(Qt::ImhDigitsOnly | Qt::ImhLatinOnly | Qt::ImhNoPredictiveText);
}

QVariant DigitAnswerBox::inputMethodQuery(Qt::InputMethodQuery query) const
{
    return inputMethodQuery(query, QVariant());
}

QVariant DigitAnswerBox::inputMethodQuery(Qt::InputMethodQuery query, QVariant argument) const
{
    // A line edit says it takes input-method text whenever it is editable,
    // whatever its attribute says; this one never does.
    if (query == Qt::ImEnabled)
        return false;
    return QLineEdit::inputMethodQuery(query, std::move(argument));
}

} // namespace kioku
