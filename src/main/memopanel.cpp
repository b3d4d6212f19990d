#include "main/memopanel.h"

#include "core/memo.h"
#include "core/text/recordline.h"
#include "main/loggrid.h"
#include "widgets/appcontext.h"
#include "widgets/flexgrid.h"
#include "widgets/messages.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kioku {

namespace {
const QString kCrLf = QStringLiteral("\r\n");
constexpr int kCommentColumn = 5;
} // namespace

MemoPanel::MemoPanel(AppContext &ctx, QWidget *parent) : Panel(ctx, QStringLiteral("fraMemo"), parent)
{
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(0, 4, 0, 0);
    v->setSpacing(6);

    // ---- the diary: every record, and the comment of the one picked ----
    v->addWidget(boldCaption(QStringLiteral("一言日記（記録をクリックして一言を書き換えます）"), this));
    msgMemoList = new FlexGrid(this);
    msgMemoList->setObjectName(QStringLiteral("msgMemoList"));
    connect(msgMemoList, &FlexGrid::clicked, this, &MemoPanel::msgMemoList_Click);
    v->addWidget(msgMemoList, 3);

    auto *entry = new QHBoxLayout;
    entry->setSpacing(6);
    v->addLayout(entry);
    auto *entryLabel = new QLabel(QStringLiteral("一言入力欄 →"), this);
    entry->addWidget(entryLabel);
    txtMemo = new QLineEdit(this);
    txtMemo->setObjectName(QStringLiteral("txtMemo"));
    entryLabel->setBuddy(txtMemo);
    connect(txtMemo, &QLineEdit::returnPressed, this, [this] { txtMemo_KeyPress(13); });
    entry->addWidget(txtMemo, 1);
    cmdMemoHozon = new QPushButton(QStringLiteral("一言日記保存"), this);
    cmdMemoHozon->setObjectName(QStringLiteral("cmdMemoHozon"));
    cmdMemoHozon->setMinimumHeight(32);
    cmdMemoHozon->setEnabled(false);
    connect(cmdMemoHozon, &QPushButton::clicked, this, &MemoPanel::cmdMemoHozon_Click);
    entry->addWidget(cmdMemoHozon);

    // ---- the free memo ----
    v->addSpacing(4);
    auto *memoLabel = boldCaption(QStringLiteral("メモ"), this);
    v->addWidget(memoLabel);
    auto *memoRow = new QHBoxLayout;
    memoRow->setSpacing(6);
    v->addLayout(memoRow, 2);
    txtKizuki = new QPlainTextEdit(this);
    txtKizuki->setObjectName(QStringLiteral("txtKizuki"));
    txtKizuki->setTabChangesFocus(true);
    memoLabel->setBuddy(txtKizuki);
    memoRow->addWidget(txtKizuki, 1);
    cmdKizukiHozon = new QPushButton(QStringLiteral("メモ保存"), this);
    cmdKizukiHozon->setObjectName(QStringLiteral("cmdKizukiHozon"));
    cmdKizukiHozon->setMinimumHeight(32);
    cmdKizukiHozon->setMinimumWidth(cmdMemoHozon->sizeHint().width());
    connect(cmdKizukiHozon, &QPushButton::clicked, this, &MemoPanel::cmdKizukiHozon_Click);
    memoRow->addWidget(cmdKizukiHozon, 0, Qt::AlignBottom);

    setupLogGrid(msgMemoList);
    fitGridWidth(msgMemoList);
    // The comment column takes the room left over, so long comments stay readable.
    msgMemoList->horizontalHeader()->setStretchLastSection(true);
}

QString MemoPanel::helpText() const
{
    return QStringLiteral("一回一回の記録ごとにちょっとしたコメントを残すことができます。") + kCrLf
        + QStringLiteral("簡単な一言日記的な使い方でご利用ください") + kCrLf + kCrLf
        + QStringLiteral("メモはよりフリーにいろんなことが書き込めます。") + kCrLf
        + QStringLiteral("それぞれの項目についての効果や意味合いなどを残しておくのも良いと思います。") + kCrLf + kCrLf;
}

// ---------------------------------------------------------------------------
// Diary
// ---------------------------------------------------------------------------

void MemoPanel::fill(const LogSummary &log)
{
    setupLogGrid(msgMemoList);
    fillLogGrid(msgMemoList, log.records());
    // No row is picked in the new grid: nothing can be saved, and the box does
    // not show a comment of the grid that went.
    SelectedLogRow = 0;
    txtMemo->clear();
    cmdMemoHozon->setEnabled(false);
}

void MemoPanel::msgMemoList_Click()
{
    const int r = msgMemoList->row();
    if (r < 1 || r >= msgMemoList->rows())
        return; // the header row holds no record
    msgMemoList->setCol(kCommentColumn);
    txtMemo->setText(msgMemoList->textMatrix(r, kCommentColumn));
    SelectedLogRow = r;
    cmdMemoHozon->setEnabled(true);
    txtMemo->setFocus();
}

void MemoPanel::cmdMemoHozon_Click()
{
    const int r = SelectedLogRow;
    if (r < 1 || r >= msgMemoList->rows())
        return;
    msgMemoList->setRow(r);
    // The line form cannot hold a double quote or a line break: the comment is
    // stored (and shown) with ＂ and a blank in their place.
    const QString comment = text::quoteSafe(txtMemo->text());
    const QString before = msgMemoList->textMatrix(r, kCommentColumn);
    msgMemoList->setTextMatrix(r, kCommentColumn, comment);
    if (!rewriteLogFromGrid(msgMemoList, m_ctx.clock, m_ctx.messages, window())) {
        // The log is as it was, and so is the grid; the box keeps what was typed.
        msgMemoList->setTextMatrix(r, kCommentColumn, before);
        return;
    }
    txtMemo->setText(comment);
}

void MemoPanel::txtMemo_KeyPress(int keyAscii)
{
    if (keyAscii == 13 && cmdMemoHozon->isEnabled())
        cmdMemoHozon_Click();
}

// ---------------------------------------------------------------------------
// Memo
// ---------------------------------------------------------------------------

void MemoPanel::loadMemo()
{
    const MemoRead m = readMemo();
    txtKizuki->setPlainText(m.text);
    // What the box holds is the baseline: an unchanged box is never written back.
    m_savedMemo = txtKizuki->toPlainText();
    m_memoComplete = m.complete();
    // Told once per run: the main window loads the memo again after every game.
    if (m.readError && m_ctx.session.tellOnce(QStringLiteral("read:") + kMemoFile)) {
        m_ctx.messages.warn(window(),
                            QStringLiteral("メモ.TXT を読み込めませんでした。") + kCrLf
                                + (m.reason.isEmpty() ? QString() : m.reason + kCrLf)
                                + QStringLiteral("メモ欄は空で表示します。ファイルはそのまま残してあり、"
                                                 "メモ保存を押すまで書き換えません。"),
                            QStringLiteral("読み込みエラー"));
    } else if (!m.readError && !m.clean && m_ctx.session.tellOnce(QStringLiteral("garbled:") + kMemoFile)) {
        m_ctx.messages.warn(
            window(),
            QStringLiteral("メモ.TXT に Shift-JIS として読めない文字があります。") + kCrLf
                + QStringLiteral("読めない文字は「\uFFFD」として表示します。ファイルはそのまま残してあり、"
                                 "メモ保存を押すまで書き換えません。")
                + kCrLf + QStringLiteral("保存するときは「\uFFFD」を消すか、別の文字に直してください。"),
            QStringLiteral("読み込みエラー"));
    }
}

void MemoPanel::cmdKizukiHozon_Click()
{
    writeFailed(writeMemoBox());
}

bool MemoPanel::memoModified() const
{
    return txtKizuki->toPlainText() != m_savedMemo;
}

bool MemoPanel::saveUnsavedMemo(bool mayAsk)
{
    const QString memo = txtKizuki->toPlainText();
    if (!memoModified() || (m_givenUp && memo == m_givenUpMemo))
        return true;
    if (!m_memoComplete && mayAsk
        && !m_ctx.messages.ask(window(),
                               QStringLiteral("メモ.TXT は読み込めなかったため、書き換えたメモはまだ保存していません。")
                                   + kCrLf + QStringLiteral("書き換えたメモで メモ.TXT を上書きしますか？") + kCrLf
                                   + QStringLiteral("（キャンセルすると画面に戻ります）"),
                               QStringLiteral("メモ保存")))
        return false;
    // Without a question a file that could not be read is left as it is.
    const text::WriteResult w = m_memoComplete || mayAsk ? writeMemoBox() : text::WriteResult{false, QString()};
    if (w.ok)
        return true;
    // The file keeps what it held. The player may go back to the memo (the
    // default) or leave without it, knowing the edits are then lost.
    const bool leave = !mayAsk
        || m_ctx.messages.askDefaultCancel(
            window(),
            w.message + kCrLf + kCrLf + QStringLiteral("書き換えたメモを保存しないまま画面を閉じますか？") + kCrLf
                + QStringLiteral("OK を押すと、保存していないメモの書き換えは失われます。") + kCrLf
                + QStringLiteral("（キャンセルすると画面に戻り、メモを直せます）"),
            QStringLiteral("保存エラー"));
    if (leave) {
        m_givenUp = true;
        m_givenUpMemo = memo;
    }
    return leave;
}

text::WriteResult MemoPanel::writeMemoBox()
{
    const QString memo = txtKizuki->toPlainText();
    const text::WriteResult w = writeMemo(memo);
    if (w.ok) {
        m_savedMemo = memo;
        m_memoComplete = true;
        m_givenUp = false;
    }
    return w;
}

} // namespace kioku
