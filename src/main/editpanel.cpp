#include "main/editpanel.h"

#include "core/backup.h"
#include "core/clock.h"
#include "core/settings.h"
#include "core/text/recordline.h"
#include "core/text/sjis.h"
#include "main/exportdialog.h"
#include "main/goalbox.h"
#include "main/loggrid.h"
#include "main/textsizebox.h"
#include "main/transferbox.h"
#include "widgets/appcontext.h"
#include "widgets/flexgrid.h"
#include "widgets/messages.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kioku {

namespace {
const QString kCrLf = QStringLiteral("\r\n");
}

EditPanel::EditPanel(AppContext &ctx, QWidget *parent) : Panel(ctx, QStringLiteral("fraSettei"), parent)
{
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(0, 4, 0, 0);
    v->setSpacing(6);

    v->addWidget(boldCaption(QStringLiteral("これまでのプレイ記録"), this));
    msgHenList = new FlexGrid(this);
    msgHenList->setObjectName(QStringLiteral("msgHenList"));
    connect(msgHenList, &FlexGrid::clicked, this, &EditPanel::msgHenList_Click);
    v->addWidget(msgHenList, 1);

    // The boxes under the grid in a table of two columns, a box a cell: the
    // wide ones (deleting, the text size, moving in) on the left, the narrow
    // ones (the name, the goal, 書き出し) on the right, in the order Tab
    // takes them.
    auto *boxes = new QGridLayout;
    boxes->setHorizontalSpacing(10);
    boxes->setVerticalSpacing(6);
    v->addLayout(boxes);

    auto *delBox = new QGroupBox(QStringLiteral("記録の削除"), this);
    auto *dh = new QHBoxLayout(delBox);
    dh->addWidget(new QLabel(QStringLiteral("削除する行をクリックしてから押してください"), delBox));
    cmdRowDel = new QPushButton(QStringLiteral("個別削除"), delBox);
    cmdRowDel->setObjectName(QStringLiteral("cmdRowDel"));
    cmdRowDel->setMinimumHeight(32);
    cmdRowDel->setEnabled(false);
    connect(cmdRowDel, &QPushButton::clicked, this, &EditPanel::cmdRowDel_Click);
    dh->addWidget(cmdRowDel);
    dh->addSpacing(12);
    cmdNew1 = new QPushButton(QStringLiteral("新規スタート（全削除）"), delBox);
    cmdNew1->setObjectName(QStringLiteral("cmdNew1"));
    cmdNew1->setMinimumHeight(32);
    connect(cmdNew1, &QPushButton::clicked, this, &EditPanel::cmdNew1_Click);
    dh->addWidget(cmdNew1);
    dh->addStretch(1);
    boxes->addWidget(delBox, 0, 0);

    auto *nameBox = new QGroupBox(QStringLiteral("お名前の登録"), this);
    auto *nh = new QHBoxLayout(nameBox);
    auto *nameLabel = new QLabel(QStringLiteral("名前（ニックネーム）"), nameBox);
    nh->addWidget(nameLabel);
    txtPriData = new QLineEdit(nameBox);
    txtPriData->setObjectName(QStringLiteral("txtPriData"));
    txtPriData->setMinimumWidth(160);
    txtPriData->setMaxLength(60);
    nameLabel->setBuddy(txtPriData);
    nh->addWidget(txtPriData, 1);
    cmdPHozon1 = new QPushButton(QStringLiteral("名前変更"), nameBox);
    cmdPHozon1->setObjectName(QStringLiteral("cmdPHozon1"));
    cmdPHozon1->setMinimumHeight(32);
    connect(cmdPHozon1, &QPushButton::clicked, this, &EditPanel::cmdPHozon1_Click);
    nh->addWidget(cmdPHozon1);
    boxes->addWidget(nameBox, 0, 1);

    m_textSize = new TextSizeBox(ctx, this);
    boxes->addWidget(m_textSize, 1, 0);
    goalBox = new GoalBox(ctx, this);
    boxes->addWidget(goalBox, 1, 1);

    boxes->addWidget(makeTransferBox(m_ctx, this, [this] { emit dataReplaced(); }), 2, 0);
    boxes->addWidget(exportBox(ctx, this, [this] { return m_span; }), 2, 1);
    boxes->setColumnStretch(0, 3);
    boxes->setColumnStretch(1, 2);

    setupLogGrid();
    fitGridWidth(msgHenList);
    // The comment column takes the room left over, so long comments stay readable.
    msgHenList->horizontalHeader()->setStretchLastSection(true);
}

QString EditPanel::helpText() const
{
    return QStringLiteral("これまでのデータを全部削除して新規にスタートさせたり、個別に削除することができます。")
        + kCrLf + kCrLf + QStringLiteral("名前（ニックネームM）を登録することもできます") + kCrLf + kCrLf;
}

void EditPanel::fill(const LogSummary &log)
{
    txtPriData->setText(m_ctx.session.userName);
    goalBox->load();
    m_span = logSpan(log.firstPlayDate, log.lastPlayDate);
    cmdRowDel->setEnabled(false);
    m_textSize->showStored();
    setupLogGrid();
    fillLogGrid(log.records());
}

void EditPanel::setupLogGrid()
{
    kioku::setupLogGrid(msgHenList);
}

void EditPanel::fillLogGrid(const QList<PlayRecord> &records)
{
    kioku::fillLogGrid(msgHenList, records);
}

bool EditPanel::writeLog(const QList<PlayRecord> &records)
{
    return !writeFailed(rewritePlayLog(records, m_ctx.clock));
}

bool EditPanel::rewriteLogFromGrid()
{
    return kioku::rewriteLogFromGrid(msgHenList, m_ctx.clock, m_ctx.messages, this);
}

void EditPanel::msgHenList_Click()
{
    if (msgHenList->rows() < 2 || msgHenList->row() < 1)
        return; // the header alone, or the header row itself
    SelectedLogRow = msgHenList->row();
    cmdRowDel->setEnabled(true);
}

void EditPanel::cmdRowDel_Click()
{
    if (msgHenList->rows() == 2) {
        // The last record goes without a question (refused, as every rewrite
        // is, when the log holds bytes that are not Shift-JIS or when it
        // cannot be copied into the backup folder first).
        if (writeFailed(rewritePlayLog({}, m_ctx.clock)))
            return;
        emit lastRecordDeleted();
        msgHenList->setRows(1);
        cmdRowDel->setEnabled(false); // nothing is left to delete
        return;
    }
    const int r = msgHenList->row();
    if (r < 1 || r >= msgHenList->rows())
        return;
    const QString what = msgHenList->textMatrix(r, 1) + QLatin1Char(' ') + msgHenList->textMatrix(r, 2)
        + QLatin1Char(' ') + msgHenList->textMatrix(r, 3);
    if (!m_ctx.messages.ask(window(), what + QStringLiteral(" を削除します。よろしいですか？"),
                            QStringLiteral("クリア確認")))
        return;
    // The file is rewritten first; the row leaves the grid only once the log
    // on disk has lost it too.
    QList<PlayRecord> records = recordsFromGrid(msgHenList);
    records.removeAt(r - 1);
    if (!writeLog(records))
        return;
    msgHenList->removeItem(r);
    cmdRowDel->setEnabled(false);
}

void EditPanel::cmdNew1_Click()
{
    if (!m_ctx.messages.ask(window(),
                            QStringLiteral("これまでのデータを削除して新しくスタートします。よろしいですか？"),
                            QStringLiteral("クリア確認")))
        return;

    // A name the data files cannot hold is refused before anything is emptied.
    const QString name = text::quoteSafe(txtPriData->text());
    QByteArray encoded;
    QString bad;
    if (!text::encodeCp932(name, &encoded, &bad)) {
        writeFailed(text::WriteResult{false, text::unstorableCharMessage(bad)});
        return;
    }

    // Every file that is about to be emptied is copied first; when one copy
    // cannot be made nothing is emptied at all. The play log's own copy is
    // made by emptyPlayLog, still before anything is emptied.
    if (writeFailed(backUpFiles(historyFileNames(), m_ctx.clock.now()).asWrite()))
        return;
    if (writeFailed(emptyPlayLog(m_ctx.clock)) || writeFailed(writeUserName(name)))
        return;
    m_ctx.session.userName = name;
    for (const QString &history : historyFileNames())
        if (writeFailed(text::emptyFile(history)))
            return;

    m_ctx.messages.info(window(),
                        QStringLiteral("データを削除しました。") + kCrLf + kCrLf
                            + QStringLiteral("一旦プログラムを終了させていただきます。次の起動から新規スタートです！"),
                        QStringLiteral("新規スタート準備完了"));
    emit newStartDone();
}

void EditPanel::cmdPHozon1_Click()
{
    // What is shown is what is stored: a double quote, which the record line
    // cannot hold, is shown as the full-width ＂ it is stored as.
    const QString name = text::quoteSafe(txtPriData->text());
    // The record is written first, so a name that cannot be stored changes nothing.
    if (writeFailed(writeUserName(name)))
        return;
    m_ctx.session.userName = name;
    txtPriData->setText(name);
    emit userNameStored(name);
    m_ctx.messages.info(window(), QStringLiteral("保存が終了しました"), QStringLiteral("保存終了"));
}

} // namespace kioku
