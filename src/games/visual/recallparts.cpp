#include "games/visual/recallparts.h"

#include "core/rules/numbermemory.h"
#include "widgets/playparts.h"

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

RecallResultBox recallResultBox(QWidget *parent, const QString &countCaption, QLabel *lblJikan)
{
    RecallResultBox r;
    r.box = new QGroupBox(QStringLiteral("結果"), parent);
    r.box->setObjectName(QStringLiteral("fraKekka"));
    auto *rl = new QHBoxLayout(r.box);
    r.lblMoji_T = valueLabel(QStringLiteral("lblMoji_T"), r.box);
    r.lblOk = valueLabel(QStringLiteral("lblOk"), r.box);
    r.lblNg = valueLabel(QStringLiteral("lblNg"), r.box);
    r.lblRitu = valueLabel(QStringLiteral("lblRitu"), r.box);
    r.lblByou = valueLabel(QStringLiteral("lblByou"), r.box);
    lblJikan->setParent(r.box);
    styleValueLabel(lblJikan);
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

QLineEdit *recallAnswerBox(int position, QSize size, double pointSize, QWidget *parent)
{
    auto *t = new QLineEdit(parent);
    t->setObjectName(QStringLiteral("txtKaitou%1").arg(position));
    t->setFixedSize(size);
    QFont f = t->font();
    f.setPointSizeF(pointSize);
    t->setFont(f);
    QSizePolicy sp = t->sizePolicy();
    sp.setRetainSizeWhenHidden(true);
    t->setSizePolicy(sp);
    return t;
}

} // namespace kioku
