#include "main/goalbox.h"

#include "core/clock.h"
#include "views/habitmarks.h"
#include "views/panel.h"
#include "widgets/appcontext.h"
#include "widgets/messages.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpinBox>

namespace kioku {

namespace {
// The kinds in the order of the box.
const QList<DailyGoal::Kind> kKinds = {DailyGoal::Kind::None, DailyGoal::Kind::Minutes, DailyGoal::Kind::Kinds};
// A new choice of kind starts from these.
int startValue(DailyGoal::Kind kind)
{
    return kind == DailyGoal::Kind::Minutes ? 10 : kind == DailyGoal::Kind::Kinds ? 3 : 0;
}
} // namespace

GoalBox::GoalBox(AppContext &ctx, QWidget *parent) : QGroupBox(QStringLiteral("1日の目標"), parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("fraMokuhyou"));
    auto *h = new QHBoxLayout(this);
    cboMokuhyou = new QComboBox(this);
    cboMokuhyou->setObjectName(QStringLiteral("cboMokuhyou"));
    cboMokuhyou->addItems({QStringLiteral("なし"), QStringLiteral("プレイ時間"), QStringLiteral("ゲームの種類")});
    cboMokuhyou->setToolTip(QStringLiteral("毎日の目標を、プレイした時間かゲームの種類の数で決めます"));
    h->addWidget(cboMokuhyou);
    spnMokuhyou = new QSpinBox(this);
    spnMokuhyou->setObjectName(QStringLiteral("spnMokuhyou"));
    spnMokuhyou->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    h->addWidget(spnMokuhyou);
    cmdMokuhyou = new QPushButton(QStringLiteral("目標変更"), this);
    cmdMokuhyou->setObjectName(QStringLiteral("cmdMokuhyou"));
    cmdMokuhyou->setMinimumHeight(32);
    h->addWidget(cmdMokuhyou);
    h->addStretch(1);
    connect(cboMokuhyou, &QComboBox::activated, this, [this] {
        kindChosen();
        spnMokuhyou->setValue(startValue(chosen().kind));
    });
    connect(cmdMokuhyou, &QPushButton::clicked, this, &GoalBox::cmdMokuhyou_Click);
    kindChosen();
}

void GoalBox::kindChosen()
{
    const DailyGoal::Kind kind = kKinds.value(cboMokuhyou->currentIndex(), DailyGoal::Kind::None);
    const bool none = kind == DailyGoal::Kind::None;
    spnMokuhyou->setEnabled(!none);
    spnMokuhyou->setRange(none ? 0 : 1, maxGoalValue(kind));
    spnMokuhyou->setSpecialValueText(none ? QStringLiteral("－") : QString()); // no goal, no figure
    spnMokuhyou->setSuffix(kind == DailyGoal::Kind::Minutes     ? QStringLiteral(" 分")
                               : kind == DailyGoal::Kind::Kinds ? QStringLiteral(" 種類")
                                                                : QString());
    // The box keeps the room of its widest value, so it never jumps.
    spnMokuhyou->setMinimumWidth(spnMokuhyou->fontMetrics().horizontalAdvance(QStringLiteral("600 種類")) + 40);
}

void GoalBox::load()
{
    const DailyGoal goal = loadDailyGoal(m_ctx, window());
    cboMokuhyou->setCurrentIndex(int(kKinds.indexOf(goal.kind)));
    kindChosen();
    spnMokuhyou->setValue(goal.value);
}

DailyGoal GoalBox::chosen() const
{
    DailyGoal g;
    g.kind = kKinds.value(cboMokuhyou->currentIndex(), DailyGoal::Kind::None);
    g.value = g.kind == DailyGoal::Kind::None ? 0 : spnMokuhyou->value();
    return g;
}

void GoalBox::cmdMokuhyou_Click()
{
    // What is stored is what the boxes show; a failed save leaves the old goal in the file.
    if (reportWriteFailure(m_ctx.messages, window(), writeDailyGoal(chosen(), m_ctx.clock.now())))
        return;
    emit goalStored();
    m_ctx.messages.info(window(), QStringLiteral("保存が終了しました"), QStringLiteral("保存終了"));
}

} // namespace kioku
