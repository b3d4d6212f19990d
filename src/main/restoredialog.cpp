#include "main/restoredialog.h"

#include "core/clock.h"
#include "core/transfer/fileset.h"
#include "main/transferbox.h"
#include "views/panel.h"
#include "widgets/appcontext.h"
#include "widgets/flexgrid.h"
#include "widgets/messages.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kioku {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString momentOf(const QDateTime &at)
{
    return at.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
}

} // namespace

RestoreDialog::RestoreDialog(AppContext &ctx, QWidget *parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmModosu"));
    setWindowTitle(QStringLiteral("バックアップから戻す"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);

    auto *v = new QVBoxLayout(this);
    v->setSpacing(8);
    v->addWidget(boldCaption(QStringLiteral("バックアップのコピー（新しい順）"), this));
    msgModosu = new FlexGrid(this);
    msgModosu->setObjectName(QStringLiteral("msgModosu"));
    connect(msgModosu, &FlexGrid::clicked, this, &RestoreDialog::msgModosu_Click);
    v->addWidget(msgModosu, 1);
    lblModosuNone = new QLabel(QStringLiteral("バックアップのコピーはまだありません。"), this);
    lblModosuNone->setObjectName(QStringLiteral("lblModosuNone"));
    v->addWidget(lblModosuNone);

    auto *note = new QLabel(QStringLiteral("戻すコピーをクリックしてから「戻す」を押してください。"
                                           "今のファイルは、戻す前にバックアップへコピーします。"),
                            this);
    note->setWordWrap(true);
    v->addWidget(note);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdModosu = new QPushButton(QStringLiteral("戻す"), this);
    cmdModosu->setObjectName(QStringLiteral("cmdModosu"));
    cmdModosu->setMinimumSize(96, 32);
    cmdModosuClose = new QPushButton(QStringLiteral("閉じる"), this);
    cmdModosuClose->setObjectName(QStringLiteral("cmdModosuClose"));
    cmdModosuClose->setMinimumSize(96, 32);
    buttons->addWidget(cmdModosu);
    buttons->addWidget(cmdModosuClose);
    v->addLayout(buttons);
    connect(cmdModosu, &QPushButton::clicked, this, &RestoreDialog::cmdModosu_Click);
    connect(cmdModosuClose, &QPushButton::clicked, this, &QDialog::reject);

    fillGrid();
    fitWindowToGrid(this, msgModosu, 520);
}

void RestoreDialog::fillGrid()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    bool notesClean = true;
    m_copies = transfer::listBackups(&notesClean);
    QGuiApplication::restoreOverrideCursor();
    if (!notesClean && m_ctx.session.tellOnce(QStringLiteral("garbled:") + transfer::kNotesFile))
        m_ctx.messages.warn(
            this,
            QStringLiteral("「%1」に Shift-JIS として読めない文字があります。").arg(transfer::kNotesFile) + kCrLf
                + QStringLiteral("読めないコピーの理由は表示しません。ファイルはそのまま残してあります。"),
            QStringLiteral("読み込みエラー"));
    msgModosu->setColumns({gridColumn("ファイル", 2700, kAlignLeft), gridColumn("コピーした日時", 2600, kAlignCenter),
                           gridColumn("何の前のコピーか", 3600, kAlignLeft), gridColumn("中身", 1500, kAlignRight),
                           gridColumn("今との違い", 3300, kAlignLeft)});
    QList<QStringList> rows;
    for (const transfer::BackupCopy &c : m_copies)
        rows.append({c.fileName, momentOf(c.at), c.reason.isEmpty() ? QStringLiteral("－") : c.reason, c.holds,
                     c.damaged ? QStringLiteral("傷んでいるため戻せません") : c.difference()});
    msgModosu->setDataRows(rows);
    const QColor trouble =
        palette().color(QPalette::Base).lightness() < 128 ? QColor(255, 150, 150) : QColor(176, 0, 0);
    for (int i = 0; i < m_copies.size(); ++i)
        if (m_copies.at(i).damaged)
            msgModosu->setCellForeColor(i + 1, 4, trouble);
    widenColumnsToText(msgModosu);
    msgModosu->horizontalHeader()->setStretchLastSection(true);
    lblModosuNone->setVisible(m_copies.isEmpty());
    cmdModosu->setEnabled(false);
}

void RestoreDialog::msgModosu_Click()
{
    cmdModosu->setEnabled(msgModosu->row() >= 1 && msgModosu->row() <= m_copies.size());
}

void RestoreDialog::cmdModosu_Click()
{
    const int r = msgModosu->row();
    if (r < 1 || r > m_copies.size())
        return;
    const transfer::BackupCopy c = m_copies.at(r - 1);
    if (c.damaged) {
        m_ctx.messages.warn(this, QStringLiteral("コピー「%1」は戻せません。").arg(c.copyName) + kCrLf + c.problem,
                            QStringLiteral("戻せないコピー"));
        return;
    }
    if (!m_ctx.messages.ask(this,
                            QStringLiteral("「%1」を %2 のコピーに戻します。").arg(c.fileName, momentOf(c.at)) + kCrLf
                                + QStringLiteral("今のファイルはバックアップに残ります。よろしいですか？"),
                            QStringLiteral("戻す確認")))
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const text::WriteResult w = transfer::restoreBackup(c.copyName, m_ctx.clock.now());
    QGuiApplication::restoreOverrideCursor();
    if (!w.ok) {
        m_ctx.messages.warn(this, w.message, QStringLiteral("戻せませんでした"));
        return;
    }
    m_ctx.messages.info(this,
                        QStringLiteral("「%1」を %2 のコピーに戻しました。").arg(c.fileName, momentOf(c.at)) + kCrLf
                            + QStringLiteral("戻す前のファイルもバックアップに残してあります。"),
                        QStringLiteral("戻す終了"));
    emit restored();
    fillGrid();
}

} // namespace kioku
