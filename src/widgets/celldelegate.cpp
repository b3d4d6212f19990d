#include "widgets/celldelegate.h"

#include "widgets/figurefont.h"
#include "widgets/flexgrid.h"

#include <QPainter>
#include <QStyle>

namespace kioku {

CellDelegate::CellDelegate(FlexGrid *grid) : QStyledItemDelegate(grid), m_grid(grid)
{
}

void CellDelegate::paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (option.state & (QStyle::State_Selected | QStyle::State_HasFocus)) {
        QStyledItemDelegate::paint(p, option, index);
        return;
    }
    const QString text = index.data(Qt::DisplayRole).toString();
    const QRect r = textRect(option);
    const QStaticText *laid = nullptr;
    QFont font = option.font;
    if (!text.isEmpty()) {
        // In the figure face where it fits, else in that face drawn narrower,
        // else in the grid's font where that does.
        if (holdsFigures(text)) {
            font = m_grid->figureFont();
            laid = laidOut(m_figures, text, font);
            if (laid->size().width() > r.width()) {
                font = narrowFigures(font);
                laid = laidOut(m_narrow, text, font);
            }
        }
        if (!laid || laid->size().width() > r.width()) {
            font = option.font;
            laid = laidOut(m_texts, text, font);
        }
    }
    if (laid && laid->size().width() > r.width()) {
        QStyledItemDelegate::paint(p, option, index);
        return;
    }
    const QVariant back = index.data(Qt::BackgroundRole);
    if (back.isValid())
        p->fillRect(option.rect, back.value<QColor>());
    if (!laid)
        return;
    const QVariant fore = index.data(Qt::ForegroundRole);
    QPalette::ColorGroup group = QPalette::Disabled;
    if (option.state & QStyle::State_Enabled)
        group = (option.state & QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
    const QColor pen = fore.isValid() ? fore.value<QColor>() : option.palette.color(group, QPalette::Text);
    const Qt::Alignment align = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
    const QSizeF size = laid->size();
    qreal x = r.left();
    if (align & Qt::AlignRight)
        x = r.right() + 1 - size.width();
    else if (align & Qt::AlignHCenter)
        x = r.left() + (r.width() - size.width()) / 2;
    const qreal y = r.top() + (r.height() - size.height()) / 2;
    p->save();
    p->setFont(font);
    p->setPen(pen);
    p->drawStaticText(QPointF(x, y), *laid);
    p->restore();
}

// The standard drawing (selected, focused and cut-off cells) chooses its font alike.
void CellDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (!holdsFigures(option->text))
        return;
    const int room = textRect(*option).width();
    const QFont figures = m_grid->figureFont();
    const QFontMetrics fm(figures);
    if (option->rect.isEmpty() || fm.horizontalAdvance(option->text) <= room) {
        option->font = figures;
        option->fontMetrics = fm;
        return;
    }
    const QFont narrow = narrowFigures(figures);
    const QFontMetrics nm(narrow);
    if (nm.horizontalAdvance(option->text) <= room || option->fontMetrics.horizontalAdvance(option->text) > room) {
        option->font = narrow;
        option->fontMetrics = nm;
    }
}

QFont CellDelegate::narrowFigures(const QFont &figures)
{
    // Three quarters of the width: a figure then takes no more room than in
    // the Japanese face, whose figures are half a square wide.
    QFont f = figures;
    f.setStretch(76);
    return f;
}

QRect CellDelegate::textRect(const QStyleOptionViewItem &option)
{
    const QWidget *view = option.widget;
    const int margin = (view ? view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) : 2) + 1;
    return option.rect.adjusted(margin, 0, -margin, 0);
}

const QStaticText *CellDelegate::laidOut(Cache &cache, const QString &text, const QFont &font)
{
    if (font != cache.font || cache.texts.size() > 4096) {
        cache.texts.clear();
        cache.font = font;
    }
    auto it = cache.texts.find(text);
    if (it == cache.texts.end()) {
        QStaticText st(text);
        st.setTextFormat(Qt::PlainText);
        st.prepare(QTransform(), font);
        it = cache.texts.insert(text, st);
    }
    return &it.value();
}

} // namespace kioku
