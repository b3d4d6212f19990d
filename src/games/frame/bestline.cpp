#include "games/frame/bestline.h"

#include "widgets/backcolor.h"

#include <QHBoxLayout>
#include <QLabel>

namespace kioku {

BestLine::BestLine(Game game, QWidget *parent) : QWidget(parent), m_game(game)
{
    setObjectName(QStringLiteral("fraBest"));
    auto *h = new QHBoxLayout(this);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(8);
    m_new = new QLabel(QStringLiteral("自己ベスト更新です"), this);
    m_new->setObjectName(QStringLiteral("lblBestNew"));
    m_new->setMargin(4);
    QFont f = m_new->font();
    f.setBold(true);
    m_new->setFont(f);
    // Light yellow with dark text, as it reads on a light and a dark desktop alike.
    setBackColor(m_new, QColor(255, 236, 160), QColor(0x40, 0x30, 0x00));
    m_best = new QLabel(this);
    m_best->setObjectName(QStringLiteral("lblBest"));
    h->addWidget(m_new);
    h->addWidget(m_best);
    hideStanding();
}

void BestLine::played(const HistoryEntry &entry, rules::PlayMode mode)
{
    const BestStanding s = bestStanding(m_game, m_history, entry, mode);
    m_history.append(entry);
    m_new->setVisible(s.beaten);
    // The first play that counts at a setting is its first best.
    m_best->setText(s.hadBest ? QStringLiteral("これまでのベスト: ") + s.bestText
                              : QStringLiteral("この設定では初めての記録です"));
    m_best->setVisible(s.hadBest || s.counts);
}

void BestLine::cleared()
{
    m_history.clear();
    hideStanding();
}

void BestLine::hideStanding()
{
    m_new->hide();
    m_best->hide();
}

} // namespace kioku
