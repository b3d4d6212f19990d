#include "main/exportdialog.h"

#include "core/clock.h"
#include "core/stats/aggregates.h"
#include "core/transfer/monthfigures.h"
#include "main/exportjob.h"
#include "widgets/appcontext.h"
#include "widgets/filechooser.h"
#include "widgets/messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kioku {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kErrorTitle = QStringLiteral("書き出しエラー");

// The folder the last export of this run went to: the next one starts there.
QString &lastFolder()
{
    static QString folder;
    return folder;
}

QString startFolder()
{
    const QString last = lastFolder();
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    return QDir::homePath();
}

// `path` with `suffix` at its end, unless it has it already (in any letter case).
QString withSuffix(const QString &path, const QString &suffix)
{
    if (QFileInfo(path).suffix().compare(suffix, Qt::CaseInsensitive) == 0)
        return path;
    return path + QLatin1Char('.') + suffix;
}

} // namespace

ExportDialog::ExportDialog(AppContext &ctx, const LogSpan &span, QWidget *parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmExport"));
    setWindowTitle(QStringLiteral("記録の書き出し"));

    auto *v = new QVBoxLayout(this);
    v->setSpacing(10);
    v->setContentsMargins(16, 14, 16, 14);

    auto *what = new QGroupBox(QStringLiteral("書き出すもの"), this);
    auto *w = new QVBoxLayout(what);
    w->setSpacing(6);
    optCsv = new QRadioButton(QStringLiteral("プレイの記録（CSV ファイル、表計算ソフト用）"), what);
    optCsv->setObjectName(QStringLiteral("optCsv"));
    optCsv->setChecked(true);
    w->addWidget(optCsv);
    chkRireki = new QCheckBox(QStringLiteral("各ゲームの履歴も書き出す"), what);
    chkRireki->setObjectName(QStringLiteral("chkRireki"));
    auto *indentCheck = new QHBoxLayout;
    indentCheck->addSpacing(24);
    indentCheck->addWidget(chkRireki);
    w->addLayout(indentCheck);

    optPdf = new QRadioButton(QStringLiteral("月ごとの記録表（PDF ファイル、印刷用）"), what);
    optPdf->setObjectName(QStringLiteral("optPdf"));
    w->addSpacing(4);
    w->addWidget(optPdf);
    auto *monthRow = new QHBoxLayout;
    monthRow->addSpacing(24);
    auto *monthLabel = new QLabel(QStringLiteral("月"), what);
    monthRow->addWidget(monthLabel);
    cboTsuki = new QComboBox(what);
    cboTsuki->setObjectName(QStringLiteral("cboTsuki"));
    monthLabel->setBuddy(cboTsuki);
    const QDate today = ctx.clock.now().date();
    for (const QDate &m : reportMonths(span, today))
        cboTsuki->addItem(QStringLiteral("%1年%2月").arg(m.year()).arg(m.month(), 2, 10, QLatin1Char('0')), m);
    // The month of the last play is the one most likely wanted.
    if (span.isValid()) {
        const int last = cboTsuki->findData(QDate(span.last.year(), span.last.month(), 1));
        if (last >= 0)
            cboTsuki->setCurrentIndex(last);
    }
    monthRow->addWidget(cboTsuki);
    monthRow->addStretch(1);
    w->addLayout(monthRow);
    v->addWidget(what);

    m_about = new QLabel(this);
    m_about->setObjectName(QStringLiteral("lblSetsumei"));
    m_about->setWordWrap(true);
    v->addWidget(m_about);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdKakidasu = new QPushButton(QStringLiteral("書き出す"), this);
    cmdKakidasu->setObjectName(QStringLiteral("cmdKakidasu"));
    cmdKakidasu->setDefault(true);
    cmdKakidasu->setMinimumSize(96, 32);
    cmdCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setMinimumSize(96, 32);
    buttons->addWidget(cmdKakidasu);
    buttons->addWidget(cmdCancel);
    v->addLayout(buttons);

    connect(optCsv, &QRadioButton::toggled, this, &ExportDialog::updateChoices);
    connect(optPdf, &QRadioButton::toggled, this, &ExportDialog::updateChoices);
    connect(chkRireki, &QCheckBox::toggled, this, &ExportDialog::updateChoices);
    connect(cmdKakidasu, &QPushButton::clicked, this, [this] {
        if (cmdKakidasu_Click())
            accept();
    });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    updateChoices();
    // The explanation wraps within the width of the choices.
    m_about->setMinimumWidth(what->sizeHint().width());
    m_about->setMinimumHeight(m_about->fontMetrics().lineSpacing() * 3);
}

void ExportDialog::updateChoices()
{
    const bool csv = optCsv->isChecked();
    chkRireki->setEnabled(csv);
    cboTsuki->setEnabled(!csv);
    if (!csv)
        m_about->setText(QStringLiteral("選んだ月のカレンダー、ゲーム別の合計、日別の推移のグラフを、"
                                        "A4 一枚の PDF ファイルにします。"));
    else if (chkRireki->isChecked())
        m_about->setText(QStringLiteral("全部の記録を CSV ファイルに書き出し、同じフォルダに"
                                        "ゲームごとの履歴の CSV ファイルを７つ作ります。"));
    else
        m_about->setText(QStringLiteral("全部の記録を、表計算ソフトで開ける CSV ファイルに書き出します。"
                                        "（文字コード UTF-8）"));
}

bool ExportDialog::cmdKakidasu_Click()
{
    const bool csv = optCsv->isChecked();
    const QDate today = m_ctx.clock.now().date();
    const QDate month = cboTsuki->currentData().toDate();
    const QString suffix = csv ? QStringLiteral("csv") : QStringLiteral("pdf");
    const QString suggested = csv
        ? QStringLiteral("プレイの記録_%1.csv").arg(today.toString(QStringLiteral("yyyyMMdd")))
        : QStringLiteral("%1年%2月の記録.pdf").arg(month.year()).arg(month.month());
    QString path = fileChooser(m_ctx).saveFileName(
        this, QStringLiteral("書き出し先"), QDir(startFolder()).filePath(suggested),
        csv ? QStringLiteral("CSV ファイル (*.csv)") : QStringLiteral("PDF ファイル (*.pdf)"));
    if (path.isEmpty())
        return false;
    path = withSuffix(path, suffix);

    const ExportPlan plan =
        csv ? csvExport(path, chkRireki->isChecked()) : reportExport(path, month, m_ctx.session.userName, today);
    if (!plan.problem.isEmpty()) {
        m_ctx.messages.warn(this, plan.problem, kErrorTitle);
        return false;
    }

    QStringList there;
    for (const ExportFile &f : plan.files)
        if (QFileInfo::exists(f.path))
            there.append(QFileInfo(f.path).fileName());
    if (!there.isEmpty()) {
        const QString question = there.size() == 1
            ? QStringLiteral("「%1」はもうあります。置き換えますか？").arg(there.first())
            : QStringLiteral("次のファイルはもうあります。置き換えますか？") + kCrLf + kCrLf + there.join(kCrLf);
        if (!m_ctx.messages.askDefaultCancel(this, question, QStringLiteral("書き出し確認")))
            return false;
    }

    const text::WriteResult written = writeExportFiles(plan.files);
    if (!written) {
        m_ctx.messages.warn(this, written.message, kErrorTitle);
        return false;
    }
    lastFolder() = QFileInfo(path).absolutePath();

    QString done = QStringLiteral("「%1」に書き出しました。").arg(QFileInfo(path).fileName());
    if (plan.files.size() > 1)
        done += kCrLf + QStringLiteral("各ゲームの履歴も、同じフォルダに書き出しました。");
    for (const QString &note : plan.notes)
        done += kCrLf + kCrLf + note;
    m_ctx.messages.info(this, done, QStringLiteral("書き出し終了"));
    return true;
}

QGroupBox *exportBox(AppContext &ctx, QWidget *panel, std::function<LogSpan()> span)
{
    auto *box = new QGroupBox(QStringLiteral("記録の書き出し"), panel);
    auto *h = new QHBoxLayout(box);
    auto *button = new QPushButton(QStringLiteral("書き出し"), box);
    button->setObjectName(QStringLiteral("cmdKakidashi"));
    button->setMinimumHeight(32);
    button->setToolTip(QStringLiteral("記録を CSV ファイルや PDF ファイルに書き出します"));
    // A wide target, as the screen's other buttons that open a window.
    button->setMinimumWidth(button->sizeHint().width()
                            + button->fontMetrics().horizontalAdvance(QStringLiteral("書き出し")));
    h->addWidget(button);
    h->addStretch(1);
    QObject::connect(button, &QPushButton::clicked, panel, [&ctx, panel, span] {
        auto *dialog = new ExportDialog(ctx, span(), panel->window());
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setWindowModality(Qt::WindowModal);
        dialog->show();
    });
    return box;
}

} // namespace kioku
