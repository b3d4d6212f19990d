#include "widgets/graphbuttons.h"

#include "widgets/backcolor.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace kioku {

GraphButtons::GraphButtons(const QColor &selected, QWidget *parent)
    : QWidget(parent), m_selected(selected), m_row(new QHBoxLayout(this))
{
    m_row->setContentsMargins(0, 0, 0, 0);
    m_row->setSpacing(4);
}

QPushButton *GraphButtons::add(const QString &name, const QString &caption, std::function<void()> draw)
{
    auto *b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setEnabled(bool(draw));
    setBackColor(b, QColor()); // the desktop's button face
    m_row->addWidget(b);
    m_order.append(name);
    m_buttons.insert(name, b);
    m_draw.insert(name, std::move(draw));
    connect(b, &QPushButton::clicked, this, [this, name] {
        click(name);
        if (m_draw.value(name))
            emit pressed(name);
    });
    return b;
}

QPushButton *GraphButtons::button(const QString &name) const
{
    return m_buttons.value(name);
}

void GraphButtons::click(const QString &name)
{
    if (!m_buttons.contains(name))
        qFatal("no graph button %s", qPrintable(name));
    const std::function<void()> draw = m_draw.value(name);
    if (!draw)
        return; // a spare draws nothing
    resetColors();
    draw();
    setBackColor(m_buttons.value(name), m_selected);
    emit drawn(name);
}

void GraphButtons::markSelected(const QString &name)
{
    if (!m_buttons.contains(name))
        qFatal("no graph button %s", qPrintable(name));
    resetColors();
    setBackColor(m_buttons.value(name), m_selected);
}

void GraphButtons::resetColors()
{
    for (QPushButton *b : std::as_const(m_buttons))
        setBackColor(b, QColor()); // the desktop's button face
}

QString GraphButtons::selected() const
{
    for (const QString &name : m_order)
        if (backColor(m_buttons.value(name)) == m_selected)
            return name;
    return QString();
}

void GraphButtons::refreshSelected(const QStringList &order)
{
    for (const QString &name : order) {
        if (!m_buttons.contains(name))
            qFatal("no graph button %s", qPrintable(name));
        if (hasBackColor(m_buttons.value(name)))
            click(name);
    }
}

} // namespace kioku
