#include "games/frame/playarea.h"

#include "widgets/pictures.h"
#include "widgets/textscale.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kioku {

namespace {
constexpr int kCountdownPictureSize = 72;
constexpr QSize kButtonSize(104, 40);
} // namespace

CountdownPictures::CountdownPictures(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("fraCountdown"));
    setFixedSize(boardSize(kCountdownPictureSize, kCountdownPictureSize));
    auto *cd = new QGridLayout(this);
    cd->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 3; ++i) {
        auto *img = new QLabel(this);
        img->setObjectName(QStringLiteral("imgStart%1").arg(i + 1));
        img->setPixmap(pictures::countdown(i + 1, boardPx(kCountdownPictureSize)));
        img->setAlignment(Qt::AlignCenter);
        img->hide();
        cd->addWidget(img, 0, 0);
        m_img[i] = img;
    }
}

QLabel *CountdownPictures::picture(int i) const
{
    return i >= 1 && i <= 3 ? m_img[i - 1] : nullptr;
}

void CountdownPictures::showTick(int tick)
{
    hideAll();
    if (QLabel *img = picture(tick))
        img->show();
}

void CountdownPictures::hideAll()
{
    for (QLabel *img : m_img)
        img->hide();
}

PlayAreaLayout buildStandardPlayArea(QWidget *area, QWidget *countdown, QPushButton *start)
{
    PlayAreaLayout l;
    auto *column = new QVBoxLayout(area);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    l.row = new QHBoxLayout;
    l.row->setSpacing(12);
    column->addLayout(l.row);
    l.row->addWidget(countdown, 0, Qt::AlignVCenter);

    l.board = new QGroupBox(QStringLiteral("問題"), area);
    l.board->setObjectName(QStringLiteral("fraMondai"));
    l.boardLayout = new QVBoxLayout(l.board);
    l.boardLayout->setSpacing(8);
    l.boardLayout->setContentsMargins(12, 10, 12, 12);
    l.row->addWidget(l.board, 1);

    l.buttons = new QVBoxLayout;
    l.buttons->setSpacing(10);
    l.buttons->addStretch(1);
    start->setParent(area);
    start->setMinimumSize(scaledSize(kButtonSize.width(), kButtonSize.height()));
    l.buttons->addWidget(start);
    l.buttons->addStretch(1);
    l.row->addLayout(l.buttons);

    l.strip = new QHBoxLayout;
    l.strip->setSpacing(12);
    column->addLayout(l.strip);
    return l;
}

void PlayAreaLayout::addButton(QWidget *button) const
{
    button->setMinimumSize(scaledSize(kButtonSize.width(), kButtonSize.height()));
    buttons->insertWidget(buttons->count() - 1, button);
}

} // namespace kioku
