#include "views/placeholderpanel.h"

#include <QLabel>
#include <QVBoxLayout>

namespace kioku {

PlaceholderPanel::PlaceholderPanel(AppContext &ctx, const QString &name, const QString &caption, QWidget *parent)
    : Panel(ctx, name, parent)
{
    setFrameShape(QFrame::StyledPanel);
    auto *v = new QVBoxLayout(this);
    auto *l = new QLabel(caption, this);
    l->setObjectName(name + QStringLiteral("Caption"));
    l->setAlignment(Qt::AlignCenter);
    QFont font = l->font();
    font.setPointSizeF(font.pointSizeF() * 1.6);
    l->setFont(font);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, QColor(110, 110, 110));
    l->setPalette(p);
    v->addWidget(l);
}

} // namespace kioku
