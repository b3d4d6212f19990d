#include "main/habitbox.h"

#include "core/clock.h"
#include "views/habitmarks.h"
#include "widgets/appcontext.h"
#include "widgets/backcolor.h"
#include "widgets/monthcalendar.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>

namespace kioku {

namespace {
QLabel *figureLabel(const char *name, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setAlignment(Qt::AlignCenter);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}
} // namespace

HabitBox::HabitBox(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("habitBox"));
    setFrameShape(QFrame::StyledPanel);
    auto *g = new QGridLayout(this);
    g->setContentsMargins(8, 4, 8, 4);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(4);

    lblRenzoku = figureLabel("lblRenzoku", this);
    lblRenzoku->setToolTip(QStringLiteral("今日（今日がまだなら昨日）まで続けてプレイした日数です。"
                                          "カレンダーでは枠で囲んであります"));
    // The run's frame on the calendar is drawn in the same colour.
    lblRenzoku->setStyleSheet(
        QStringLiteral("QLabel { border: 2px solid %1; padding: 1px 4px; }").arg(runColour().name()));
    lblSaichou = figureLabel("lblSaichou", this);
    lblSaichou->setToolTip(QStringLiteral("これまでで一番長く続けてプレイした日数です"));
    lblKongetsu = figureLabel("lblKongetsu", this);
    lblKongetsu->setToolTip(QStringLiteral("今月プレイした日数と、今月の今日までの日数です"));
    g->addWidget(lblRenzoku, 0, 0);
    g->addWidget(lblSaichou, 0, 1);
    g->addWidget(lblKongetsu, 0, 2);

    lblMokuhyou = new QLabel(QStringLiteral("1日の目標"), this);
    lblMokuhyou->setObjectName(QStringLiteral("lblMokuhyou"));
    prgMokuhyou = new QProgressBar(this);
    prgMokuhyou->setObjectName(QStringLiteral("prgMokuhyou"));
    prgMokuhyou->setTextVisible(true);
    prgMokuhyou->setAlignment(Qt::AlignCenter);
    prgMokuhyou->setToolTip(QStringLiteral("目標を達成した日は、カレンダーに緑の印が付きます"));
    g->addWidget(lblMokuhyou, 1, 0);
    g->addWidget(prgMokuhyou, 1, 1, 1, 2);
    lblMokuhyou->hide();
    prgMokuhyou->hide();

    showHabit(HabitSummary(), DailyGoal(), GoalProgress());
}

void HabitBox::rebuild(AppContext &ctx, const LogSummary &log, qint64 daySeconds, int kinds, MonthCalendar *calendar)
{
    m_ctx = &ctx;
    m_log = log; // shares the records
    m_daySeconds = daySeconds;
    m_kinds = kinds;
    m_goal = loadDailyGoal(ctx, window());
    if (m_calendar != calendar) {
        m_calendar = calendar;
        // Another month paged to: its days are marked from the log held.
        connect(calendar, &QCalendarWidget::currentPageChanged, this, [this] { markPage(); });
    }
    const HabitSummary h = markPage();
    showHabit(h, m_goal, goalProgress(m_goal, daySeconds, kinds));
}

void HabitBox::showEvent(QShowEvent *event)
{
    QFrame::showEvent(event);
    // The goal may have been changed on the edit screen meanwhile.
    if (!m_ctx || !m_calendar)
        return;
    const DailyGoal goal = loadDailyGoal(*m_ctx, window());
    if (goal == m_goal)
        return;
    m_goal = goal;
    showHabit(markPage(), m_goal, goalProgress(m_goal, m_daySeconds, m_kinds));
}

HabitSummary HabitBox::markPage()
{
    if (!m_ctx || !m_calendar)
        return HabitSummary();
    // The page shows six weeks around its month: its games are added up.
    const QDate first(m_calendar->yearShown(), m_calendar->monthShown(), 1);
    const HabitSummary h =
        summarizeHabit(playDays(m_log, first.addDays(-7), first.addDays(45)), m_ctx->clock.today(), m_goal);
    markHabit(m_calendar, h);
    return h;
}

void HabitBox::showHabit(const HabitSummary &habit, const DailyGoal &goal, const GoalProgress &progress)
{
    lblRenzoku->setText(QStringLiteral("連続 %1 日").arg(habit.streak));
    lblSaichou->setText(QStringLiteral("最長 %1 日").arg(habit.longest));
    lblKongetsu->setText(QStringLiteral("今月 %1 / %2 日").arg(habit.monthDays).arg(habit.monthSoFar));

    const bool set = goal.isSet();
    lblMokuhyou->setVisible(set);
    prgMokuhyou->setVisible(set);
    if (!set)
        return;
    prgMokuhyou->setRange(0, qMax(1, progress.target));
    prgMokuhyou->setValue(qBound(0, progress.done, progress.target));
    // The text says the figures; a met goal says so too.
    prgMokuhyou->setFormat(progress.met ? progress.text + QStringLiteral("  達成") : progress.text);
    QPalette p = prgMokuhyou->palette();
    p.setColor(QPalette::Highlight, goalColour());
    prgMokuhyou->setPalette(p);
}

void markHabit(MonthCalendar *calendar, const HabitSummary &habit)
{
    calendar->setMarks(habit.streakFirst, habit.streakLast, habit.goalDays, runColour(), goalColour());
}

} // namespace kioku
