#include "widgets/playparts.h"

#include "widgets/backcolor.h"
#include "widgets/shape.h"
#include "widgets/textscale.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionButton>

namespace kioku {

namespace {
const QColor kBar(255, 140, 40);
// The narrowest a value box is, whatever it shows.
constexpr int kValueMinWidth = 64;
} // namespace

ValueLabel::ValueLabel(QWidget *parent) : QLabel(parent)
{
}

void ValueLabel::setWidestValues(const QStringList &texts)
{
    m_widest = texts;
    updateGeometry();
}

QSize ValueLabel::sizeFor(const QString &text) const
{
    // What QLabel puts around its text: the frame and margins, and beside a
    // framed text the width of an "x" (half of it on each side).
    const QFontMetrics fm(font());
    const QRect ink = fm.boundingRect(QRect(0, 0, 2000, 2000), int(alignment()), text);
    const int width = qMax(fm.horizontalAdvance(text), ink.width());
    int indent = this->indent();
    if (indent < 0 && frameWidth() > 0)
        indent = fm.horizontalAdvance(QLatin1Char('x'));
    const QMargins m = contentsMargins();
    return {width + qMax(0, indent) + 2 * margin() + m.left() + m.right() + 2,
            ink.height() + 2 * margin() + m.top() + m.bottom()};
}

QSize ValueLabel::reservedSize() const
{
    // Also as tall as a line of digits while it is empty: a value that
    // comes does not make the row taller.
    QSize s = sizeFor(QStringLiteral("0")).expandedTo(QSize(kValueMinWidth, 0));
    for (const QString &t : m_widest)
        s = s.expandedTo(sizeFor(t));
    return s;
}

QSize ValueLabel::sizeHint() const
{
    return QLabel::sizeHint().expandedTo(reservedSize());
}

QSize ValueLabel::minimumSizeHint() const
{
    return QLabel::minimumSizeHint().expandedTo(reservedSize());
}

QLabel *captionLabel(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

void styleValueLabel(QLabel *l, const QStringList &widest)
{
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (auto *v = qobject_cast<ValueLabel *>(l))
        v->setWidestValues(widest); // its width follows its font and frame
    else
        l->setMinimumWidth(scaledPx(kValueMinWidth));
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

ValueLabel *valueLabel(const QString &name, QWidget *parent, const QStringList &widest)
{
    auto *l = new ValueLabel(parent);
    l->setObjectName(name);
    styleValueLabel(l, widest);
    return l;
}

void addCaptionedValues(QBoxLayout *row, const QList<QPair<QString, QLabel *>> &values)
{
    // At a larger text size a long row of values goes on two lines, so the
    // window stays as wide as a small screen.
    const bool twoLines = textScale() > 1.0 && values.size() > 4;
    QBoxLayout *line = row;
    QGridLayout *grid = nullptr;
    if (twoLines) {
        grid = new QGridLayout;
        grid->setHorizontalSpacing(6);
        row->addLayout(grid);
    }
    const int perLine = int(values.size() + 1) / 2;
    for (int i = 0; i < values.size(); ++i) {
        QLabel *caption = captionLabel(values.at(i).first, row->parentWidget());
        if (grid) {
            grid->addWidget(caption, i / perLine, (i % perLine) * 2);
            grid->addWidget(values.at(i).second, i / perLine, (i % perLine) * 2 + 1);
            continue;
        }
        if (i > 0)
            line->addSpacing(6);
        line->addWidget(caption);
        line->addWidget(values.at(i).second);
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
    setFixedSize(m_fullWidth, m_height);
    m_bar = new Shape(Shape::Kind::Rectangle, this);
    m_bar->setObjectName(QStringLiteral("shpJikanK"));
    m_bar->setFillColor(kBar);
    m_bar->setBorderColor(kBar.darker(140));
    m_bar->setGeometry(0, 0, m_fullWidth, m_height);
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

WideCheckBox::WideCheckBox(const QString &widestCaption, QWidget *parent) : QCheckBox(parent), m_widest(widestCaption)
{
}

QSize WideCheckBox::sizeHint() const
{
    QStyleOptionButton opt;
    initStyleOption(&opt);
    opt.text = m_widest;
    const QSize text = style()->itemTextRect(fontMetrics(), QRect(), Qt::TextShowMnemonic, false, m_widest).size();
    return QCheckBox::sizeHint().expandedTo(style()->sizeFromContents(QStyle::CT_CheckBox, &opt, text, this));
}

} // namespace kioku
