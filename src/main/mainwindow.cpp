#include "main/mainwindow.h"

#include "widgets/backcolor.h"

#include "core/clock.h"
#include "core/datafolder.h"
#include "core/playlog/playlog.h"
#include "core/settings.h"
#include "core/text/textfile.h"
#include "main/editpanel.h"
#include "main/importdialog.h"
#include "main/memopanel.h"
#include "main/textsizebox.h"
#include "main/todaypanel.h"
#include "views/aggregatesview.h"
#include "views/calendarview.h"
#include "views/rangelistview.h"
#include "views/sortedlistview.h"
#include "views/totalsview.h"
#include "widgets/helpviewer.h"
#include "widgets/messages.h"
#include "widgets/monthcalendar.h"
#include "widgets/pictures.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QPointer>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSessionManager>
#include <QToolButton>
#include <QVBoxLayout>

namespace kioku {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// ---- the menu row ----

// Makes the panel class that the window member `Member` points to, and keeps
// it there (the members are how tests and tools find the panels).
template <class T> struct PanelMember;
template <class P> struct PanelMember<P * MainWindow::*> {
    using Class = P;
};
template <auto Member> Panel *makePanel(MainWindow &w, AppContext &ctx, QWidget *host)
{
    auto *p = new typename PanelMember<decltype(Member)>::Class(ctx, host);
    w.*Member = p;
    return p;
}
// A panel the window keeps no member for.
template <class P> Panel *makePanel(MainWindow &, AppContext &ctx, QWidget *host)
{
    return new P(ctx, host);
}

// The menu row, left to right. A button either shows its panel (showPanel,
// the same for every panel) or runs a handler of its own. A new panel is its
// class (main/panel.h) and one row here, e.g.
//   {nullptr, "cmdFoo", "フー", nullptr, makePanel<FooView>},
// or makePanel<&MainWindow::fraFoo> when the window keeps members for it.
struct MenuEntry {
    QPushButton *MainWindow::*button; // the window's member for it (optional)
    const char *name;
    const char *caption;
    void (MainWindow::*click)();                                // a button of its own, or
    Panel *(*makePanel)(MainWindow &, AppContext &, QWidget *); // the panel it shows
};
const MenuEntry kMenu[] = {
    {&MainWindow::cmdGame, "cmdGame", "ゲーム", &MainWindow::cmdGame_Click, nullptr},
    {&MainWindow::cmdMain, "cmdMain", "メイン", nullptr, makePanel<&MainWindow::fraMain>},
    {&MainWindow::cmdRentai, "cmdRentai", "全グラフ", nullptr, makePanel<&MainWindow::fraRenTai>},
    {&MainWindow::cmdTaijyu, "cmdTaijyu", "範囲指定", nullptr, makePanel<&MainWindow::fraTaijyu>},
    {&MainWindow::cmdSyuukei, "cmdSyuukei", "集計表示", nullptr, makePanel<&MainWindow::fraSyuukei>},
    {&MainWindow::cmdBunseki, "cmdBunseki", "並び替え", nullptr, makePanel<&MainWindow::fraBunseki>},
    {&MainWindow::cmdCale, "cmdCale", "カレンダー", nullptr, makePanel<&MainWindow::fraCale>},
    {&MainWindow::cmdMemo, "cmdMemo", "一言日記", nullptr, makePanel<&MainWindow::fraMemo>},
    {&MainWindow::cmdSettei, "cmdSettei", "編集", nullptr, makePanel<&MainWindow::fraSettei>},
    {&MainWindow::cmdHelp, "cmdHelp", "ヘルプ", &MainWindow::cmdHelp_Click, nullptr},
    {&MainWindow::cmdOwari, "cmdOwari", "終了", &MainWindow::cmdOwari_Click, nullptr},
};

} // namespace

// ---------------------------------------------------------------------------
// Construction
// ---------------------------------------------------------------------------

MainWindow::MainWindow(AppContext &ctx, QWidget *parent) : QWidget(parent, Qt::Window), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmMain"));
    buildUi();
    connect(qApp, &QGuiApplication::commitDataRequest, this, &MainWindow::commitData);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildUi()
{
    setWindowTitle(mainWindowTitle(QString()));
    resize(1000, 700);

    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(8, 8, 8, 8);
    root->setSpacing(6);
    root->addWidget(buildMenuRow());

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    root->addWidget(line);

    root->addWidget(buildPanels(), 1);
    connectPanels();
    buildGameStrip();
}

QWidget *MainWindow::buildMenuRow()
{
    auto *row = new QWidget(this);
    row->setObjectName(QStringLiteral("menuRow"));
    auto *h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(4);

    for (const MenuEntry &e : kMenu) {
        auto *btn = new QPushButton(QString::fromUtf8(e.caption), row);
        btn->setObjectName(QString::fromLatin1(e.name));
        btn->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        btn->setMinimumHeight(36);
        btn->setMinimumWidth(btn->fontMetrics().horizontalAdvance(btn->text()) + 20);
        h->addWidget(btn, 1);
        if (e.button)
            this->*(e.button) = btn;
        if (e.click)
            connect(btn, &QPushButton::clicked, this, e.click);
    }

    chkHelp = new QToolButton(row);
    chkHelp->setObjectName(QStringLiteral("chkHelp"));
    chkHelp->setCheckable(true);
    chkHelp->setToolTip(QStringLiteral("ヘルプツアーのＯｎ／Ｏｆｆです"));
    QIcon badge;
    badge.addPixmap(pictures::helpBadge(true, 24), QIcon::Normal, QIcon::On);
    badge.addPixmap(pictures::helpBadge(false, 24), QIcon::Normal, QIcon::Off);
    chkHelp->setIcon(badge);
    chkHelp->setIconSize(QSize(24, 24));
    chkHelp->setFixedSize(36, 36);
    h->addSpacing(4);
    h->addWidget(chkHelp);
    connect(chkHelp, &QToolButton::toggled, this, &MainWindow::chkHelp_Click);

    return row;
}

// The panels share one place under the menu row; a hidden panel takes no
// room, and exactly one is shown at a time. Each is shown by its menu button.
QWidget *MainWindow::buildPanels()
{
    auto *host = new QWidget(this);
    host->setObjectName(QStringLiteral("panelHost"));
    auto *hostLayout = new QVBoxLayout(host);
    hostLayout->setContentsMargins(0, 0, 0, 0);
    hostLayout->setSpacing(0);
    for (const MenuEntry &e : kMenu) {
        if (!e.makePanel)
            continue;
        Panel *panel = e.makePanel(*this, m_ctx, host);
        hostLayout->addWidget(panel);
        m_panels.append(panel);
        auto *button = findChild<QPushButton *>(QLatin1String(e.name));
        connect(button, &QPushButton::clicked, this, [this, panel] { showPanel(panel); });
    }
    return host;
}

// What the today panel and the edit screen tell the window.
void MainWindow::connectPanels()
{
    connect(fraMain, &TodayPanel::dateClicked, this, &MainWindow::mtvmain_DateClick);

    connect(fraSettei, &EditPanel::lastRecordDeleted, this, &MainWindow::refreshToday);
    connect(fraSettei, &EditPanel::userNameStored, this,
            [this](const QString &name) { setWindowTitle(mainWindowTitle(name)); });
    connect(fraSettei, &EditPanel::newStartDone, this, &MainWindow::quitProgram);
    connect(fraSettei, &EditPanel::dataReplaced, this, &MainWindow::reloadData);
}

void MainWindow::buildGameStrip()
{
    fraGame = new QFrame(this);
    fraGame->setObjectName(QStringLiteral("fraGame"));
    fraGame->setFrameShape(QFrame::StyledPanel);
    fraGame->setFrameShadow(QFrame::Raised);
    // A light strip under any desktop; its buttons keep the desktop's colours.
    setBackColor(fraGame, QColor(236, 242, 250));

    auto *h = new QHBoxLayout(fraGame);
    h->setContentsMargins(8, 8, 8, 8);
    h->setSpacing(6);

    const int iconSize = 52;
    auto makeButton = [&](const QString &name, const QString &caption, int position) {
        auto *b = new QToolButton(fraGame);
        b->setObjectName(name);
        b->setText(caption);
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setIcon(QIcon(pictures::gameIcon(position, 2 * iconSize)));
        b->setIconSize(QSize(iconSize, iconSize));
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        b->setMinimumSize(96, iconSize + b->fontMetrics().height() + 22);
        h->addWidget(b, 1);
        return b;
    };

    // The strip follows the game catalogue: a button per game, left to right.
    for (const Game game : launcherOrder()) {
        const GameInfo &g = gameInfo(game);
        QToolButton *b = makeButton(g.launcherButton, g.launcherCaption, g.launcherPosition);
        m_launcher.insert(b, game);
        connect(b, &QToolButton::clicked, this, [this, game] { launchGame(game); });
    }
    cmdG1 = launcherButton(Game::NumberMemory);
    cmdModori = makeButton(QStringLiteral("cmdModori"), QStringLiteral("戻る"), 8);
    connect(cmdModori, &QToolButton::clicked, this, &MainWindow::cmdModori_Click);

    fraGame->hide();
}

void MainWindow::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    placeGameStrip();
}

// The game strip lies over the top of the panels, just under the menu row.
void MainWindow::placeGameStrip()
{
    if (!fraGame)
        return;
    if (layout())
        layout()->activate();
    const QWidget *menu = findChild<QWidget *>(QStringLiteral("menuRow"));
    const int top = menu ? menu->geometry().bottom() + 4 : 0;
    const int margin = 6;
    fraGame->setGeometry(margin, top, width() - 2 * margin, fraGame->sizeHint().height());
    fraGame->raise();
}

// ---------------------------------------------------------------------------
// Start-up and settings
// ---------------------------------------------------------------------------

QString MainWindow::welcomeText()
{
    return QStringLiteral("ソラミルプロジェクトに興味をもっていただきありがとうございます。(^o^)／") + kCrLf + kCrLf
        + QStringLiteral("このソフトは「記憶力」「暗記力」などが要求されるプチゲームを楽しみながら ") + kCrLf
        + QStringLiteral("脳を活性化し、健康に保つことを目的としたソラミル支援ソフトです。") + kCrLf + kCrLf
        + QStringLiteral("ソラミルプロジェクトを使って身体の健康だけでなく脳の健康にも気を配りましょう！") + kCrLf
        + kCrLf + kCrLf + QStringLiteral("<使用方法>") + kCrLf
        + QStringLiteral("①「ゲーム」ボタンを押すと収録しているゲームアイコンが表示されるので選択します。") + kCrLf
        + kCrLf + QStringLiteral("②あとはそれぞれのゲームで遊ぶだけ！") + kCrLf
        + QStringLiteral("　自動的にプレイしたゲームと時間が記録され、継続を促すデータとなります。") + kCrLf + kCrLf
        + QStringLiteral("データはリストとグラフで表示されます。") + kCrLf
        + QStringLiteral("グラフは時系列、項目別、時間別の３つに切り替えることができます。") + kCrLf + kCrLf
        + QStringLiteral("左上のフェイスマークはその日プレイしたゲームの種類数に連動しています。") + kCrLf
        + QStringLiteral("１種類で「ムスッ」、２種類で「ニコ」、３種類以上で「笑い」です。") + kCrLf + kCrLf
        + QStringLiteral("その他、色の変化でも把握できます。") + kCrLf;
}

void MainWindow::Form_Load()
{
    HelpFileName = kHelpFile;
    SubtotalColWidth = QStringLiteral("1250");
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    IsLoading = true;
    hideAllPanels();
    fraMain->mtvmain->setValue(m_ctx.clock.today());
    recoverLogTail();
    showUserName();
    refreshToday();
    loadMemo();
    readSettings();
    tellTextSizeProblem(m_ctx, this);

    show();
    fraMain->show();
    chkHelp->setChecked(m_ctx.session.helpTourOn != 0); // IsLoading keeps this from switching anything

    if (!m_ctx.session.welcomeShown) {
        if (!letEventsRun())
            return;
        show();
        if (!letEventsRun())
            return;
        m_ctx.session.welcomeShown = true;
        m_ctx.showHelpTour(this, welcomeText());
    }
    if (m_ctx.session.offerImport) {
        m_ctx.session.offerImport = false;
        offerImport(m_ctx, this, [this] { reloadData(); });
    }

    IsLoading = false;
    cmdGame->setFocus();
}

namespace {

const QString kReadErrorTitle = QStringLiteral("読み込みエラー");

// A file that cannot be read is told once per run, with what the window does
// instead (`instead`), whichever screen meets it first.
void tellUnreadable(AppContext &ctx, QWidget *parent, const QString &name, const text::ReadResult &r,
                    const QString &instead)
{
    if (!r.readError || !ctx.session.tellOnce(QStringLiteral("read:") + name))
        return;
    ctx.messages.warn(parent, text::readFailureMessage(name, r) + kCrLf + instead, kReadErrorTitle);
}

} // namespace

void MainWindow::readSettings()
{
    text::ReadResult status;
    bool garbled = false;
    m_ctx.session.helpTourOn = readHelpTour(&status, &garbled);
    tellUnreadable(m_ctx, this, kSettingsFile, status,
                   QStringLiteral("ヘルプツアーはオンとして扱います。ファイルはそのまま残してあります。"));
    // A file that holds something else than the setting is told once per run too.
    if (garbled && m_ctx.session.tellOnce(QStringLiteral("garbled:") + kSettingsFile))
        m_ctx.messages.warn(
            this,
            QStringLiteral("「%1」の内容を読み取れませんでした。").arg(kSettingsFile) + kCrLf
                + QStringLiteral("ヘルプツアーはオンとして扱います。ファイルはそのまま残してあります。"),
            kReadErrorTitle);
}

void MainWindow::recoverLogTail()
{
    const TailRecovery r = recoverPlayLogTail();
    if (r.outcome == TailRecovery::Outcome::Nothing)
        return;
    // A line moved out is moved once, so it is told once; a line that could
    // not be moved is met again at every start of the window, and told once per run.
    if (r.outcome == TailRecovery::Outcome::Moved || m_ctx.session.tellOnce(QStringLiteral("tail:") + kPlayLogFile))
        m_ctx.messages.warn(this, r.message, QStringLiteral("データの修復"));
}

void MainWindow::chkHelp_Click()
{
    if (IsLoading)
        return;
    if (chkHelp->isChecked()) {
        m_ctx.messages.info(this, QStringLiteral("ヘルプツアー機能をオンにします。"),
                            QStringLiteral("ヘルプツアーＯＮ"));
        m_ctx.session.helpTourOn = 1;
    } else {
        m_ctx.messages.info(this, QStringLiteral("ヘルプツアー機能をオフにします。"),
                            QStringLiteral("ヘルプツアーＯＦＦ"));
        m_ctx.session.helpTourOn = 0;
    }
    reportWriteFailure(m_ctx.messages, this, writeHelpTour(m_ctx.session.helpTourOn));
}

void MainWindow::hideAllPanels()
{
    for (Panel *p : std::as_const(m_panels)) {
        p->hide();
        p->release(); // rebuilt when shown again: a long log is held by one panel at a time
    }
}

void MainWindow::loadMemo()
{
    fraMemo->loadMemo();
}

void MainWindow::showUserName()
{
    text::ReadResult status;
    m_ctx.session.userName = readUserName(&status);
    setWindowTitle(mainWindowTitle(m_ctx.session.userName));
    tellUnreadable(m_ctx, this, kNameFile, status,
                   QStringLiteral("名前は登録されていないものとして扱います。ファイルはそのまま残してあります。"));
    if (!status.readError && !status.clean && m_ctx.session.tellOnce(QStringLiteral("garbled:") + kNameFile))
        m_ctx.messages.warn(
            this,
            QStringLiteral("%1 に Shift-JIS として読めない文字があります。").arg(kNameFile) + kCrLf
                + QStringLiteral("読めない文字は「\uFFFD」として表示します。ファイルはそのまま残してあります。") + kCrLf
                + QStringLiteral("「編集」の画面で名前を登録し直すと直ります。"),
            kReadErrorTitle);
}

LogSummary MainWindow::readSummary()
{
    // The log is read once and shared by every panel; it is read again only
    // when the file changed (a game appended, a screen rewrote it, an editor
    // saved it). The stamp is taken before the read: a change during the read
    // leaves a stamp that no longer matches, so the next screen reads again.
    const LogStamp stamp = playLogStamp();
    if (stamp.known && stamp == m_logStamp)
        return summarizeLog(m_summary.log, selectedDay());
    // The records of the last read go first, so a big log is never held twice.
    m_summary.log = PlayLog();
    m_logStamp = LogStamp();
    PlayLog log = readPlayLog();
    if (!log.readError)
        m_logStamp = stamp;
    if (log.readError && m_ctx.session.tellOnce(QStringLiteral("read:") + kPlayLogFile)) {
        // Told once per run; every screen then shows an empty log.
        QString text = QStringLiteral("データ.txt を読み込めませんでした。");
        if (!log.readFailure.isEmpty())
            text += kCrLf + log.readFailure;
        text += kCrLf + QStringLiteral("記録のない状態で表示します。ファイルはそのまま残してあります。");
        m_ctx.messages.warn(this, text, kReadErrorTitle);
    }
    if (!log.clean && !m_ctx.session.damagedLogWarned) {
        // The file itself is kept as it is: a rewrite would have to drop the
        // unreadable bytes, so the screens that rewrite the log refuse to.
        m_ctx.session.damagedLogWarned = true;
        const QString kept = QStringLiteral("ファイルはそのまま残し、記録の削除や一言日記の保存はできません。");
        const QString text = log.longLines > 0
            ? QStringLiteral("データ.txt に、記録とは考えられない長い行（1 MB を超える行）が %1 行あります。")
                    .arg(log.longLines)
                + kCrLf + QStringLiteral("その行は読まずに表示します。") + kept + kCrLf
                + QStringLiteral("テキストエディタでその行を取り除いてください。")
            : QStringLiteral("データ.txt に Shift-JIS として読めない文字があります。") + kCrLf
                + QStringLiteral("読めない文字は「\uFFFD」として表示します。") + kept + kCrLf
                + QStringLiteral("テキストエディタで文字コードを Shift-JIS にして保存し直してください。");
        m_ctx.messages.warn(this, text, QStringLiteral("読み込みエラー"));
    }
    return summarizeLog(log, selectedDay());
}

// ---------------------------------------------------------------------------
// Menu row and panels
// ---------------------------------------------------------------------------

void MainWindow::showPanel(Panel *panel)
{
    if (!panel->isHidden())
        return;
    hideAllPanels();
    if (panel->rebuildsWhenShown()) {
        m_summary = readSummary();
        panel->rebuild(m_summary);
    }
    panel->show();
    if (!letEventsRun())
        return;
    const QString help = panel->helpText();
    if (!help.isEmpty())
        m_ctx.showHelpTour(this, help);
}

bool MainWindow::letEventsRun()
{
    QPointer<MainWindow> self(this);
    QCoreApplication::processEvents();
    return self && !self->m_closed;
}

void MainWindow::closeEvent(QCloseEvent *e)
{
    // Closed by its frame button: memo edits are saved first, and when they
    // cannot be the player chooses whether the window stays open with them.
    if (!m_closed && !memoLetsGo()) {
        e->ignore();
        return;
    }
    m_closed = true;
    QWidget::closeEvent(e);
}

bool MainWindow::memoLetsGo(bool mayAsk)
{
    if (m_askingMemo)
        return false;
    const QScopedValueRollback<bool> asking(m_askingMemo, true);
    return fraMemo->saveUnsavedMemo(mayAsk);
}

void MainWindow::commitData(QSessionManager &manager)
{
    if (m_closed || m_askingMemo || !fraMemo->memoModified())
        return;
    // The session is asked for its turn only when there are edits to save.
    const bool mayAsk = manager.allowsInteraction();
    const bool mayEnd = memoLetsGo(mayAsk);
    if (mayAsk)
        manager.release();
    if (!mayEnd)
        manager.cancel();
}

void MainWindow::cmdHelp_Click()
{
    HelpViewer::open(this, HelpFileName);
}

void MainWindow::cmdOwari_Click()
{
    quitProgram();
}

void MainWindow::quitProgram()
{
    if (!memoLetsGo())
        return; // the player went back to memo edits that could not be saved
    HelpViewer::closeAll();
    close();
    m_ctx.navigator.quit();
}

// ---------------------------------------------------------------------------
// Game launcher
// ---------------------------------------------------------------------------

void MainWindow::cmdGame_Click()
{
    const QDate today = m_ctx.clock.today();
    if (!firstPlayDate().isEmpty() && fraMain->mtvmain->value() != today) {
        fraMain->mtvmain->setValue(today);
        refreshToday();
    }
    placeGameStrip();
    fraGame->show();
    fraGame->raise();
    cmdG1->setFocus();
}

void MainWindow::cmdModori_Click()
{
    fraGame->hide();
}

void MainWindow::launchGame(Game game)
{
    if (!memoLetsGo())
        return; // the player went back to memo edits that could not be saved: no game
    m_ctx.navigator.showGame(game);
    close();
}

QToolButton *MainWindow::launcherButton(Game game) const
{
    return m_launcher.key(game);
}

// ---------------------------------------------------------------------------
// Today panel
// ---------------------------------------------------------------------------

QDate MainWindow::selectedDay() const
{
    return fraMain->mtvmain->value();
}

void MainWindow::reloadData()
{
    // Files were taken in or put back: the name, the memo, the settings and
    // the log are read again, and the screen on show with them.
    showUserName();
    loadMemo();
    readSettings();
    IsLoading = true;
    chkHelp->setChecked(m_ctx.session.helpTourOn != 0);
    IsLoading = false;
    refreshToday();
    for (Panel *panel : m_panels)
        if (panel != fraMain && !panel->isHidden())
            panel->rebuild(m_summary);
}

void MainWindow::refreshToday()
{
    m_summary = readSummary();
    fraMain->rebuild(m_summary);
}

void MainWindow::mtvmain_DateClick(const QDate &)
{
    refreshToday();
    cmdMain->setFocus();
}

} // namespace kioku
