#include "main/transferbox.h"

#include "main/importdialog.h"
#include "main/restoredialog.h"
#include "views/panel.h"
#include "widgets/flexgrid.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>

namespace kioku {

QGroupBox *makeTransferBox(AppContext &ctx, QWidget *parent, std::function<void()> changed)
{
    auto *box = new QGroupBox(QStringLiteral("データの引っ越し"), parent);
    box->setObjectName(QStringLiteral("fraHikkoshi"));
    auto *v = new QHBoxLayout(box);
    v->setSpacing(8);
    auto *import = new QPushButton(QStringLiteral("以前のデータを取り込む"), box);
    import->setObjectName(QStringLiteral("cmdTorikomi"));
    import->setMinimumHeight(28);
    auto *restore = new QPushButton(QStringLiteral("バックアップから戻す"), box);
    restore->setObjectName(QStringLiteral("cmdBackup"));
    restore->setMinimumHeight(28);
    v->addWidget(import);
    v->addWidget(restore);
    v->addStretch(1);

    QObject::connect(import, &QPushButton::clicked, box, [&ctx, box, changed] {
        if (ImportDialog *d = startImport(ctx, box->window()))
            QObject::connect(d, &ImportDialog::imported, box, changed);
    });
    QObject::connect(restore, &QPushButton::clicked, box, [&ctx, box, changed] {
        auto *d = new RestoreDialog(ctx, box->window());
        QObject::connect(d, &RestoreDialog::restored, box, changed);
        d->open();
    });
    return box;
}

void widenColumnsToText(FlexGrid *grid)
{
    constexpr int kPadding = 18; // the cell's margins and a little air
    const QFontMetrics cells = grid->fontMetrics();
    const QFontMetrics header = grid->horizontalHeader()->fontMetrics();
    for (int c = 0; c < grid->cols(); ++c) {
        int widest = header.horizontalAdvance(grid->model()->headerData(c, Qt::Horizontal).toString());
        for (int r = 1; r < grid->rows(); ++r)
            widest = std::max(widest, cells.horizontalAdvance(grid->textMatrix(r, c)));
        // Figures are drawn in a face of their own, a little wider than the text's.
        const int room = widest + widest / 8 + kPadding;
        if (room > grid->columnWidth(c))
            grid->setColumnWidth(c, room);
    }
}

void fitWindowToGrid(QWidget *window, FlexGrid *grid, int height)
{
    fitGridWidth(grid);
    const int wanted = std::max(window->sizeHint().width(), grid->minimumWidth() + 40);
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    const int room = screen ? screen->availableGeometry().width() - 40 : wanted;
    if (wanted > room) // a narrow screen: the grid scrolls sideways instead
        grid->setMinimumWidth(std::max(200, grid->minimumWidth() - (wanted - room)));
    window->resize(std::min(wanted, std::max(room, 400)), height);
}

} // namespace kioku
