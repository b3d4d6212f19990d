#include "main/transferbox.h"

#include "main/importdialog.h"
#include "main/restoredialog.h"

#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace kioku {

QGroupBox *makeTransferBox(AppContext &ctx, QWidget *parent, std::function<void()> changed)
{
    auto *box = new QGroupBox(QStringLiteral("データの引っ越し"), parent);
    box->setObjectName(QStringLiteral("fraHikkoshi"));
    auto *v = new QVBoxLayout(box);
    v->setSpacing(4);
    auto *import = new QPushButton(QStringLiteral("以前のデータを取り込む"), box);
    import->setObjectName(QStringLiteral("cmdTorikomi"));
    import->setMinimumHeight(28);
    auto *restore = new QPushButton(QStringLiteral("バックアップから戻す"), box);
    restore->setObjectName(QStringLiteral("cmdBackup"));
    restore->setMinimumHeight(28);
    v->addWidget(import);
    v->addWidget(restore);

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

} // namespace kioku
