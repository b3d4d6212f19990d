#include "main/importdialog.h"

#include "core/clock.h"
#include "core/transfer/fileset.h"
#include "main/transferbox.h"
#include "views/panel.h"
#include "widgets/appcontext.h"
#include "widgets/filechooser.h"
#include "widgets/flexgrid.h"
#include "widgets/messages.h"

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kioku {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kTitle = QStringLiteral("以前のデータを取り込む");

// A colour for what cannot be used that reads on a light and a dark window.
QColor troubleColor(const QWidget *w)
{
    return w->palette().color(QPalette::Base).lightness() < 128 ? QColor(255, 150, 150) : QColor(176, 0, 0);
}

QLabel *wrapped(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setWordWrap(true);
    return l;
}

} // namespace

ImportDialog::ImportDialog(AppContext &ctx, transfer::Preview preview, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_preview(std::move(preview))
{
    setObjectName(QStringLiteral("frmTorikomi"));
    setWindowTitle(kTitle);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);

    auto *v = new QVBoxLayout(this);
    v->setSpacing(8);
    lblTorikomiFolder = new QLabel(this);
    lblTorikomiFolder->setObjectName(QStringLiteral("lblTorikomiFolder"));
    lblTorikomiFolder->setTextFormat(Qt::PlainText);
    lblTorikomiFolder->setWordWrap(true);
    lblTorikomiFolder->setText(QStringLiteral("取り込むフォルダ：") + QDir::toNativeSeparators(m_preview.folder));
    v->addWidget(lblTorikomiFolder);

    v->addWidget(boldCaption(QStringLiteral("このフォルダに見つかったデータ（まだ何も変えていません）"), this));
    msgTorikomi = new FlexGrid(this);
    msgTorikomi->setObjectName(QStringLiteral("msgTorikomi"));
    v->addWidget(msgTorikomi, 1);

    auto *how = new QGroupBox(QStringLiteral("取り込み方"), this);
    auto *grid = new QGridLayout(how);
    grid->setColumnStretch(1, 1);
    optMatomeru = new QRadioButton(QStringLiteral("まとめる"), how);
    optMatomeru->setObjectName(QStringLiteral("optMatomeru"));
    optMatomeru->setChecked(true);
    grid->addWidget(optMatomeru, 0, 0, Qt::AlignTop);
    grid->addWidget(
        wrapped(QStringLiteral("今のデータに以前のデータを加えます。プレイ記録と履歴は両方を日付順に並べ、"
                               "同じ記録は一つにします。アイコン衰弱の記録はよいほうを残し、メモは今のメモの"
                               "後ろに以前のメモを足します。お名前と設定は、今のものをそのまま使います。"),
                how),
        0, 1);
    optOkikaeru = new QRadioButton(QStringLiteral("置き換える"), how);
    optOkikaeru->setObjectName(QStringLiteral("optOkikaeru"));
    grid->addWidget(optOkikaeru, 1, 0, Qt::AlignTop);
    grid->addWidget(wrapped(QStringLiteral("今のファイルを、このフォルダのファイルと入れ替えます。"
                                           "このフォルダにないファイルは今のまま残ります。"),
                            how),
                    1, 1);
    v->addWidget(how);

    v->addWidget(wrapped(
        QStringLiteral("変わるファイルは、先に「バックアップ」フォルダへコピーします。"
                       "「バックアップから戻す」でいつでも元に戻せます。選んだフォルダのファイルは変えません。"),
        this));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdTorikomiOK = new QPushButton(QStringLiteral("OK"), this);
    cmdTorikomiOK->setObjectName(QStringLiteral("cmdTorikomiOK"));
    cmdTorikomiOK->setMinimumSize(96, 32);
    cmdTorikomiOK->setDefault(true);
    cmdTorikomiCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cmdTorikomiCancel->setObjectName(QStringLiteral("cmdTorikomiCancel"));
    cmdTorikomiCancel->setMinimumSize(96, 32);
    buttons->addWidget(cmdTorikomiOK);
    buttons->addWidget(cmdTorikomiCancel);
    v->addLayout(buttons);
    connect(cmdTorikomiOK, &QPushButton::clicked, this, &ImportDialog::cmdTorikomiOK_Click);
    connect(cmdTorikomiCancel, &QPushButton::clicked, this, &QDialog::reject);

    fillGrid();
    cmdTorikomiOK->setEnabled(m_preview.usable());
    fitWindowToGrid(this, msgTorikomi, 560);
}

void ImportDialog::fillGrid()
{
    msgTorikomi->setColumns({gridColumn("ファイル", 2700, kAlignLeft), gridColumn("データ", 2900, kAlignLeft),
                             gridColumn("件数など", 3500, kAlignLeft), gridColumn("使えないところ", 5200, kAlignLeft)});
    QList<QStringList> rows;
    for (const transfer::FoundFile &f : m_preview.files)
        rows.append({f.sourceName, f.what(), f.contents(), f.trouble()});
    msgTorikomi->setDataRows(rows);
    const QColor trouble = troubleColor(this);
    for (int i = 0; i < m_preview.files.size(); ++i)
        if (!m_preview.files.at(i).trouble().isEmpty())
            msgTorikomi->setCellForeColor(i + 1, 3, trouble);
    widenColumnsToText(msgTorikomi);
    msgTorikomi->horizontalHeader()->setStretchLastSection(true);
}

void ImportDialog::cmdTorikomiOK_Click()
{
    const transfer::Mode mode = optOkikaeru->isChecked() ? transfer::Mode::Replace : transfer::Mode::Merge;
    if (mode == transfer::Mode::Replace
        && !m_ctx.messages.askDefaultCancel(
            this,
            QStringLiteral("今のデータを、選んだフォルダのデータで置き換えます。") + kCrLf
                + QStringLiteral("今のファイルはバックアップに残ります。よろしいですか？"),
            QStringLiteral("置き換えの確認")))
        return;

    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const transfer::Plan p = transfer::plan(m_preview, mode);
    const text::WriteResult r = p.changes.isEmpty() ? text::WriteResult() : transfer::apply(p, m_ctx.clock.now());
    QGuiApplication::restoreOverrideCursor();
    if (!r.ok) {
        m_ctx.messages.warn(this, r.message, QStringLiteral("取り込みエラー"));
        return; // the window stays: the player may free room and try again, or cancel
    }
    QString text;
    if (p.changes.isEmpty()) {
        text = QStringLiteral("今のデータと同じ内容のため、変えたファイルはありません。");
    } else {
        QStringList names;
        for (const transfer::FileChange &c : p.changes)
            names.append(QStringLiteral("・") + c.name);
        constexpr int kNamed = 12;
        if (names.size() > kNamed) {
            const qsizetype more = names.size() - kNamed;
            names = names.mid(0, kNamed);
            names.append(QStringLiteral("ほか %1 個").arg(more));
        }
        text = QStringLiteral("以前のデータを取り込みました。") + kCrLf + kCrLf + names.join(kCrLf) + kCrLf + kCrLf
            + QStringLiteral("元のファイルは「バックアップ」フォルダに残してあります。");
    }
    if (!p.skipped.isEmpty())
        text += kCrLf + kCrLf + QStringLiteral("次のファイルは取り込みませんでした。") + kCrLf + p.skipped.join(kCrLf);
    m_ctx.messages.info(this, text, QStringLiteral("取り込み終了"));
    if (!p.changes.isEmpty())
        emit imported();
    accept();
}

ImportDialog *startImport(AppContext &ctx, QWidget *parent)
{
    const QString folder =
        fileChooser(ctx).chooseFolder(parent, QStringLiteral("以前のデータが入っているフォルダを選んでください"));
    if (folder.isEmpty())
        return nullptr;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    transfer::Preview preview = transfer::scan(folder);
    QGuiApplication::restoreOverrideCursor();
    if (!preview.error.isEmpty()) {
        ctx.messages.warn(parent, preview.error, kTitle);
        return nullptr;
    }
    auto *dialog = new ImportDialog(ctx, std::move(preview), parent);
    dialog->open();
    return dialog;
}

void offerImport(AppContext &ctx, QWidget *parent, std::function<void()> changed)
{
    if (!ctx.messages.askDefaultCancel(
            parent,
            QStringLiteral("以前にこのソフトを使っていたときのデータがあれば、取り込んで続きから使えます。") + kCrLf
                + kCrLf + QStringLiteral("以前のデータのフォルダを、今選びますか？") + kCrLf
                + QStringLiteral("（あとからでも「編集」の画面の「以前のデータを取り込む」で取り込めます）"),
            kTitle))
        return;
    if (ImportDialog *d = startImport(ctx, parent))
        QObject::connect(d, &ImportDialog::imported, parent, std::move(changed));
}

} // namespace kioku
