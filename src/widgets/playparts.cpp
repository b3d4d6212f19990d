#include "widgets/playparts.h"

#include "widgets/backcolor.h"
#include "widgets/shape.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace kioku {

namespace {
const QColor kBar(255, 140, 40);
} // namespace

QLabel *captionLabel(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

void styleValueLabel(QLabel *l)
{
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(64);
    l->setFrameShape(QFrame::StyledPanel);
    l->setFrameShadow(QFrame::Sunken);
    showAsField(l);
    QFont f = l->font();
    f.setPointSizeF(f.pointSizeF() * 1.25);
    f.setBold(true);
    l->setFont(f);
}

void showAsField(QLabel *l)
{
    setBackColor(l, QColor()); // no colour of its own
    l->setBackgroundRole(QPalette::Base);
    l->setForegroundRole(QPalette::Text);
    l->setAutoFillBackground(true);
}

QLabel *valueLabel(const QString &name, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    styleValueLabel(l);
    return l;
}

void addCaptionedValues(QBoxLayout *row, const QList<QPair<QString, QLabel *>> &values)
{
    for (int i = 0; i < values.size(); ++i) {
        if (i > 0)
            row->addSpacing(6);
        row->addWidget(captionLabel(values.at(i).first, row->parentWidget()));
        row->addWidget(values.at(i).second);
    }
}

void setAnswerColor(QLineEdit *box, const QColor &c)
{
    setBackColor(box, c);
}

QColor answerColor(const QLineEdit *box)
{
    return backColor(box);
}

TimeBar::TimeBar(int fullWidth, int height, QWidget *parent, const QString &trackName)
    : QWidget(parent), m_fullWidth(fullWidth), m_height(height)
{
    setObjectName(trackName);
    setFixedSize(fullWidth, height);
    m_bar = new Shape(Shape::Kind::Rectangle, this);
    m_bar->setObjectName(QStringLiteral("shpJikanK"));
    m_bar->setFillColor(kBar);
    m_bar->setBorderColor(kBar.darker(140));
    m_bar->setGeometry(0, 0, fullWidth, height);
}

void TimeBar::setBarWidth(int width)
{
    width = qBound(0, width, m_fullWidth);
    m_bar->setGeometry(0, 0, width, m_height);
    m_bar->setVisible(width > 0);
}

int TimeBar::barWidth() const
{
    return m_bar->isHidden() ? 0 : m_bar->width();
}

} // namespace kioku
