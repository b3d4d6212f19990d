#include "frmmain.h"

#include "widgets/backcolor.h"

#include "core/clock.h"
#include "core/playlog/playlog.h"
#include "core/settings.h"
#include "core/stats/today.h"
#include "core/text/formats.h"
#include "core/text/recordline.h"
#include "core/text/sjis.h"
#include "core/text/textfile.h"
#include "widgets/chart.h"
#include "widgets/flexgrid.h"
#include "widgets/helpviewer.h"
#include "widgets/messages.h"
#include "widgets/monthcalendar.h"
#include "widgets/pictures.h"
#include "widgets/shape.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace kioku;

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QColor kWhite(255, 255, 255);

// ---- grid layouts ----
GridColumn col(const char *header, int twips, Qt::Alignment align)
{
    GridColumn c;
    c.header = QString::fromUtf8(header);
    c.twips = twips;
    c.alignment = align;
    return c;
}
const Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;
const Qt::Alignment kCenter = Qt::AlignCenter;
const Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;

const QList<GridColumn> kDayListColumns = {col("", 500, kRight), col("時間", 1040, kCenter), col("項目", 2400, kLeft),
                                           col("秒", 810, kRight)};
const QList<GridColumn> kDayTotalColumns = {col("", 350, kRight), col("項目", 1840, kLeft), col("回", 500, kRight),
                                            col("秒合計", 750, kRight)};

// The log grids show every record of the play log with the same six columns;
// each grid has its own font size, widths and the row count past which a fill
// scrolls to the last record.
struct LogGridLayout {
    const char *grid;
    double fontSize;
    QList<int> widths;
    int scrollPast;
};
const char *const kLogHeaders[] = {"回数", "日付", "時間", "項目", "秒数", "一言日記"};
const Qt::Alignment kLogAlign[] = {kRight, kCenter, kCenter, kLeft, kRight, kLeft};
const LogGridLayout kLogGrids[] = {
    {"msgHenList", 11, {800, 1400, 1000, 1750, 850, 5230}, 24},
    {"msgMemoList", 9, {570, 1140, 870, 1850, 650, 6000}, 16},
};

const LogGridLayout &logGridLayout(const FlexGrid *grid)
{
    for (const LogGridLayout &l : kLogGrids)
        if (grid->objectName() == QLatin1String(l.grid))
            return l;
    return kLogGrids[0];
}

// Keeps a grid at least as wide as its columns, so nothing is cut off.
void fitGridWidth(FlexGrid *grid)
{
    int w = grid->horizontalHeader()->length() + 2 * grid->frameWidth();
    if (grid->verticalHeader()->isVisible())
        w += grid->verticalHeader()->width();
    w += grid->verticalScrollBar()->sizeHint().width() + 2;
    grid->setMinimumWidth(w);
}

// The picture of the help-tour switch: a round badge with a question mark,
// coloured while the tour is on and grey while it is off.
QPixmap helpBadge(bool on, int size)
{
    const qreal dpr = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap pm(QSize(size, size) * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(1.5, 1.5, size - 3, size - 3);
    p.setPen(QPen(on ? QColor(30, 90, 170) : QColor(140, 140, 140), 1.5));
    p.setBrush(on ? QColor(70, 140, 220) : QColor(215, 215, 215));
    p.drawEllipse(r);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(int(size * 0.66));
    p.setFont(f);
    p.setPen(on ? Qt::white : QColor(110, 110, 110));
    p.drawText(r, Qt::AlignCenter, QStringLiteral("?"));
    return pm;
}

QLabel *captionLabel(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

} // namespace

// ---------------------------------------------------------------------------
// Construction
// ---------------------------------------------------------------------------

frmMain::frmMain(AppContext &ctx, QWidget *parent) : QWidget(parent, Qt::Window), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmMain"));
    buildUi();
}

frmMain::~frmMain() = default;

void frmMain::buildUi()
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

    // The eight panels share one place; a hidden panel takes no room, and
    // exactly one is shown at a time.
    auto *host = new QWidget(this);
    host->setObjectName(QStringLiteral("panelHost"));
    auto *hostLayout = new QVBoxLayout(host);
    hostLayout->setContentsMargins(0, 0, 0, 0);
    hostLayout->setSpacing(0);
    root->addWidget(host, 1);

    buildTodayPanel();
    buildEditPanel();
    fraMemo = buildPlaceholderPanel(QStringLiteral("fraMemo"), QStringLiteral("一言日記とメモ"));
    fraCale = buildPlaceholderPanel(QStringLiteral("fraCale"), QStringLiteral("練習カレンダー"));
    fraTaijyu =
        buildPlaceholderPanel(QStringLiteral("fraTaijyu"), QStringLiteral("範囲を指定したプレイ一覧"));
    fraSyuukei =
        buildPlaceholderPanel(QStringLiteral("fraSyuukei"), QStringLiteral("月別・日別の集計表"));
    fraRenTai =
        buildPlaceholderPanel(QStringLiteral("fraRenTai"), QStringLiteral("全体の集計とグラフ"));
    fraBunseki =
        buildPlaceholderPanel(QStringLiteral("fraBunseki"), QStringLiteral("並び替えたプレイ一覧"));

    // The item list that the range view filters by; filled at start-up.
    lstAct2 = new QListWidget(fraTaijyu);
    lstAct2->setObjectName(QStringLiteral("lstAct2"));
    lstAct2->hide();

    for (QFrame *f : allPanels())
        hostLayout->addWidget(f);

    buildGameStrip();
}

QWidget *frmMain::buildMenuRow()
{
    auto *row = new QWidget(this);
    row->setObjectName(QStringLiteral("menuRow"));
    auto *h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(4);

    struct MenuButton {
        QPushButton *frmMain::*member;
        const char *name;
        const char *caption;
        void (frmMain::*click)();
    };
    const MenuButton buttons[] = {
        {&frmMain::cmdGame, "cmdGame", "ゲーム", &frmMain::cmdGame_Click},
        {&frmMain::cmdMain, "cmdMain", "メイン", &frmMain::cmdMain_Click},
        {&frmMain::cmdRentai, "cmdRentai", "全グラフ", &frmMain::cmdRentai_Click},
        {&frmMain::cmdTaijyu, "cmdTaijyu", "範囲指定", &frmMain::cmdTaijyu_Click},
        {&frmMain::cmdSyuukei, "cmdSyuukei", "集計表示", &frmMain::cmdSyuukei_Click},
        {&frmMain::cmdBunseki, "cmdBunseki", "並び替え", &frmMain::cmdBunseki_Click},
        {&frmMain::cmdCale, "cmdCale", "カレンダー", &frmMain::cmdCale_Click},
        {&frmMain::cmdMemo, "cmdMemo", "一言日記", &frmMain::cmdMemo_Click},
        {&frmMain::cmdSettei, "cmdSettei", "編集", &frmMain::cmdSettei_Click},
        {&frmMain::cmdHelp, "cmdHelp", "ヘルプ", &frmMain::cmdHelp_Click},
        {&frmMain::cmdOwari, "cmdOwari", "終了", &frmMain::cmdOwari_Click},
    };
    for (const MenuButton &b : buttons) {
        auto *btn = new QPushButton(QString::fromUtf8(b.caption), row);
        btn->setObjectName(QString::fromLatin1(b.name));
        btn->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        btn->setMinimumHeight(36);
        btn->setMinimumWidth(btn->fontMetrics().horizontalAdvance(btn->text()) + 20);
        h->addWidget(btn, 1);
        this->*(b.member) = btn;
        connect(btn, &QPushButton::clicked, this, b.click);
    }

    chkHelp = new QToolButton(row);
    chkHelp->setObjectName(QStringLiteral("chkHelp"));
    chkHelp->setCheckable(true);
    chkHelp->setToolTip(QStringLiteral("ヘルプツアーのＯｎ／Ｏｆｆです"));
    QIcon badge;
    badge.addPixmap(helpBadge(true, 24), QIcon::Normal, QIcon::On);
    badge.addPixmap(helpBadge(false, 24), QIcon::Normal, QIcon::Off);
    chkHelp->setIcon(badge);
    chkHelp->setIconSize(QSize(24, 24));
    chkHelp->setFixedSize(36, 36);
    h->addSpacing(4);
    h->addWidget(chkHelp);
    connect(chkHelp, &QToolButton::toggled, this, &frmMain::chkHelp_Click);
    return row;
}

void frmMain::buildGameStrip()
{
    fraGame = new QFrame(this);
    fraGame->setObjectName(QStringLiteral("fraGame"));
    fraGame->setFrameShape(QFrame::StyledPanel);
    fraGame->setFrameShadow(QFrame::Raised);
    fraGame->setAutoFillBackground(true);
    QPalette pal = fraGame->palette();
    pal.setColor(QPalette::Window, QColor(236, 242, 250));
    fraGame->setPalette(pal);

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
        if (!m_ctx.navigator.hasGame(game)) {
            b->setEnabled(false);
            b->setToolTip(QStringLiteral("準備中です"));
        }
    }
    cmdG1 = launcherButton(Game::NumberMemory);
    cmdModori = makeButton(QStringLiteral("cmdModori"), QStringLiteral("戻る"), 8);
    connect(cmdModori, &QToolButton::clicked, this, &frmMain::cmdModori_Click);

    fraGame->hide();
}

void frmMain::buildTodayPanel()
{
    fraMain = new QFrame(this);
    fraMain->setObjectName(QStringLiteral("fraMain"));
    auto *v = new QVBoxLayout(fraMain);
    v->setContentsMargins(0, 4, 0, 0);
    v->setSpacing(6);
    auto *top = new QHBoxLayout;
    top->setSpacing(10);
    v->addLayout(top, 11);

    // ---- left column: the rating of the day, the calendar, the day total ----
    auto *left = new QVBoxLayout;
    left->setSpacing(8);
    top->addLayout(left);

    auto *rating = new QFrame(fraMain);
    rating->setObjectName(QStringLiteral("ratingBox"));
    rating->setFrameShape(QFrame::StyledPanel);
    auto *rh = new QHBoxLayout(rating);
    rh->setContentsMargins(8, 6, 8, 6);
    rh->setSpacing(10);

    // The four faces lie at one place; exactly one is shown.
    auto *faces = new QGridLayout;
    faces->setContentsMargins(0, 0, 0, 0);
    const int faceSize = 64;
    auto makeFace = [&](const char *name, pictures::Face f) {
        auto *l = new QLabel(rating);
        l->setObjectName(QString::fromLatin1(name));
        l->setPixmap(pictures::face(f, faceSize));
        l->setFixedSize(faceSize, faceSize);
        l->setAlignment(Qt::AlignCenter);
        faces->addWidget(l, 0, 0);
        return l;
    };
    imgNashi = makeFace("imgNashi", pictures::Face::Nashi);
    imgkana = makeFace("imgkana", pictures::Face::Kana);
    imgniko = makeFace("imgniko", pictures::Face::Niko);
    imgwara = makeFace("imgwara", pictures::Face::Wara);
    imgkana->hide();
    imgniko->hide();
    imgwara->hide();
    rh->addLayout(faces);

    auto *lampsAndCaption = new QVBoxLayout;
    lampsAndCaption->setSpacing(6);
    auto *lamps = new QHBoxLayout;
    lamps->setSpacing(6);
    lamps->addStretch(1);
    for (int i = 1; i <= 7; ++i) {
        auto *s = new Shape(Shape::Kind::Circle, rating);
        s->setObjectName(QStringLiteral("shpLed%1").arg(i));
        s->setFixedSize(22, 22);
        s->setFillColor(kWhite);
        s->setBorderColor(QColor(120, 120, 120));
        shpLed.append(s);
        lamps->addWidget(s);
    }
    lamps->addStretch(1);
    lampsAndCaption->addLayout(lamps);
    lblMHyouka = new QLabel(QStringLiteral("今日の脳も健康元気"), rating);
    lblMHyouka->setObjectName(QStringLiteral("lblMHyouka"));
    lblMHyouka->setAlignment(Qt::AlignCenter);
    lblMHyouka->setFrameShape(QFrame::Box);
    lblMHyouka->setMinimumHeight(30);
    {
        QFont f = lblMHyouka->font();
        f.setBold(true);
        f.setPointSizeF(f.pointSizeF() * 1.1);
        lblMHyouka->setFont(f);
    }
    setBackColor(lblMHyouka, kWhite);
    lampsAndCaption->addWidget(lblMHyouka);
    rh->addLayout(lampsAndCaption, 1);
    left->addWidget(rating);

    mtvmain = new MonthCalendar(fraMain);
    mtvmain->setObjectName(QStringLiteral("mtvmain"));
    mtvmain->setMinimumSize(300, 200);
    connect(mtvmain, &MonthCalendar::dateClick, this,
            [this](const QDate &d) { mtvmain_DateClick(d); });
    left->addWidget(mtvmain, 1);

    auto *totalBox = new QFrame(fraMain);
    totalBox->setObjectName(QStringLiteral("dayTotalBox"));
    totalBox->setFrameShape(QFrame::StyledPanel);
    auto *th = new QHBoxLayout(totalBox);
    th->setContentsMargins(10, 4, 10, 4);
    th->addWidget(new QLabel(QStringLiteral("この日のプレイ時間"), totalBox));
    th->addStretch(1);
    lblDayTotal = new QLabel(QStringLiteral("0:00:00"), totalBox);
    lblDayTotal->setObjectName(QStringLiteral("lblDayTotal"));
    lblDayTotal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    {
        QFont f = lblDayTotal->font();
        f.setBold(true);
        f.setPointSizeF(f.pointSizeF() * 1.6);
        lblDayTotal->setFont(f);
    }
    th->addWidget(lblDayTotal);
    left->addWidget(totalBox);

    // ---- the day's plays and the totals per game ----
    auto *playsCol = new QVBoxLayout;
    playsCol->setSpacing(3);
    lblDayCaption = captionLabel(QStringLiteral("この日のプレイ"), fraMain);
    lblDayCaption->setObjectName(QStringLiteral("lblDayCaption"));
    playsCol->addWidget(lblDayCaption);
    msgDayList = new FlexGrid(fraMain);
    msgDayList->setObjectName(QStringLiteral("msgDayList"));
    playsCol->addWidget(msgDayList, 1);
    top->addLayout(playsCol, 3);

    auto *totalsCol = new QVBoxLayout;
    totalsCol->setSpacing(3);
    totalsCol->addWidget(captionLabel(QStringLiteral("ゲーム別の合計"), fraMain));
    msgDayTotal = new FlexGrid(fraMain);
    msgDayTotal->setObjectName(QStringLiteral("msgDayTotal"));
    totalsCol->addWidget(msgDayTotal, 1);
    top->addLayout(totalsCol, 2);

    // ---- the day chart under them, across the panel ----
    auto *chartBar = new QHBoxLayout;
    chartBar->setSpacing(4);
    chartBar->addWidget(captionLabel(QStringLiteral("グラフ"), fraMain));
    chartBar->addSpacing(8);
    auto makeGraphButton = [&](const char *name, const char *caption, void (frmMain::*click)()) {
        auto *b = new QPushButton(QString::fromUtf8(caption), fraMain);
        b->setObjectName(QString::fromLatin1(name));
        b->setMinimumWidth(84);
        chartBar->addWidget(b);
        connect(b, &QPushButton::clicked, this, click);
        return b;
    };
    cmdDay = makeGraphButton("cmdDay", "時系列", &frmMain::cmdDay_Click);
    cmdTotal = makeGraphButton("cmdTotal", "項目別", &frmMain::cmdTotal_Click);
    cmdJikan = makeGraphButton("cmdJikan", "時間別", &frmMain::cmdJikan_Click);
    chartBar->addStretch(1);
    v->addLayout(chartBar);

    mcrMain = new Chart(fraMain);
    mcrMain->setObjectName(QStringLiteral("mcrMain"));
    mcrMain->setMinimumHeight(180);
    v->addWidget(mcrMain, 8);

    SetupTodayGrids();
    fitGridWidth(msgDayList);
    fitGridWidth(msgDayTotal);
    // The last column takes the room left over, so the header runs across the grid.
    msgDayList->horizontalHeader()->setStretchLastSection(true);
    msgDayTotal->horizontalHeader()->setStretchLastSection(true);
}

void frmMain::buildEditPanel()
{
    fraSettei = new QFrame(this);
    fraSettei->setObjectName(QStringLiteral("fraSettei"));
    auto *v = new QVBoxLayout(fraSettei);
    v->setContentsMargins(0, 4, 0, 0);
    v->setSpacing(6);

    v->addWidget(captionLabel(QStringLiteral("これまでのプレイ記録"), fraSettei));
    msgHenList = new FlexGrid(fraSettei);
    msgHenList->setObjectName(QStringLiteral("msgHenList"));
    connect(msgHenList, &FlexGrid::clicked, this, &frmMain::msgHenList_Click);
    v->addWidget(msgHenList, 1);

    auto *bottom = new QHBoxLayout;
    bottom->setSpacing(10);
    v->addLayout(bottom);

    auto *delBox = new QGroupBox(QStringLiteral("記録の削除"), fraSettei);
    auto *dh = new QHBoxLayout(delBox);
    auto *hint = new QLabel(QStringLiteral("削除する行をクリックしてから押してください"), delBox);
    dh->addWidget(hint);
    cmdRowDel = new QPushButton(QStringLiteral("個別削除"), delBox);
    cmdRowDel->setObjectName(QStringLiteral("cmdRowDel"));
    cmdRowDel->setMinimumHeight(32);
    cmdRowDel->setEnabled(false);
    connect(cmdRowDel, &QPushButton::clicked, this, &frmMain::cmdRowDel_Click);
    dh->addWidget(cmdRowDel);
    dh->addSpacing(12);
    cmdNew1 = new QPushButton(QStringLiteral("新規スタート（全削除）"), delBox);
    cmdNew1->setObjectName(QStringLiteral("cmdNew1"));
    cmdNew1->setMinimumHeight(32);
    connect(cmdNew1, &QPushButton::clicked, this, &frmMain::cmdNew1_Click);
    dh->addWidget(cmdNew1);
    bottom->addWidget(delBox);

    auto *nameBox = new QGroupBox(QStringLiteral("お名前の登録"), fraSettei);
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
    connect(cmdPHozon1, &QPushButton::clicked, this, &frmMain::cmdPHozon1_Click);
    nh->addWidget(cmdPHozon1);
    bottom->addWidget(nameBox, 1);

    SetupLogGrid(msgHenList);
    fitGridWidth(msgHenList);
    // The comment column takes the room left over, so long comments stay readable.
    msgHenList->horizontalHeader()->setStretchLastSection(true);
}

QFrame *frmMain::buildPlaceholderPanel(const QString &name, const QString &caption)
{
    auto *f = new QFrame(this);
    f->setObjectName(name);
    f->setFrameShape(QFrame::StyledPanel);
    auto *v = new QVBoxLayout(f);
    auto *l = new QLabel(caption, f);
    l->setObjectName(name + QStringLiteral("Caption"));
    l->setAlignment(Qt::AlignCenter);
    QFont font = l->font();
    font.setPointSizeF(font.pointSizeF() * 1.6);
    l->setFont(font);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, QColor(110, 110, 110));
    l->setPalette(p);
    v->addWidget(l);
    return f;
}

QList<QFrame *> frmMain::allPanels() const
{
    return {fraMain, fraSettei, fraMemo, fraCale, fraTaijyu, fraSyuukei, fraRenTai, fraBunseki};
}

void frmMain::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    placeGameStrip();
}

// The game strip lies over the top of the panels, just under the menu row.
void frmMain::placeGameStrip()
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

QString frmMain::welcomeText()
{
    return QStringLiteral("ソラミルプロジェクトに興味をもっていただきありがとうございます。(^o^)／") + kCrLf + kCrLf
        + QStringLiteral("このソフトは「記憶力」「暗記力」などが要求されるプチゲームを楽しみながら ") + kCrLf
        + QStringLiteral("脳を活性化し、健康に保つことを目的としたソラミル支援ソフトです。") + kCrLf + kCrLf
        + QStringLiteral("ソラミルプロジェクトを使って身体の健康だけでなく脳の健康にも気を配りましょう！") + kCrLf + kCrLf + kCrLf
        + QStringLiteral("<使用方法>") + kCrLf
        + QStringLiteral("①「ゲーム」ボタンを押すと収録しているゲームアイコンが表示されるので選択します。") + kCrLf + kCrLf
        + QStringLiteral("②あとはそれぞれのゲームで遊ぶだけ！") + kCrLf
        + QStringLiteral("　自動的にプレイしたゲームと時間が記録され、継続を促すデータとなります。") + kCrLf + kCrLf
        + QStringLiteral("データはリストとグラフで表示されます。") + kCrLf
        + QStringLiteral("グラフは時系列、項目別、時間別の３つに切り替えることができます。") + kCrLf + kCrLf
        + QStringLiteral("左上のフェイスマークはその日プレイしたゲームの種類数に連動しています。") + kCrLf
        + QStringLiteral("１種類で「ムスッ」、２種類で「ニコ」、３種類以上で「笑い」です。") + kCrLf + kCrLf
        + QStringLiteral("その他、色の変化でも把握できます。") + kCrLf;
}

QString frmMain::setteiHelpText()
{
    return QStringLiteral("これまでのデータを全部削除して新規にスタートさせたり、個別に削除することができます。")
        + kCrLf + kCrLf + QStringLiteral("名前（ニックネームM）を登録することもできます") + kCrLf + kCrLf;
}

void frmMain::Form_Load()
{
    HelpFileName = QStringLiteral("SoramiruHelp.html");
    ItemColWidth = QStringLiteral("1180");
    SubtotalColWidth = QStringLiteral("1250");
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    IsLoading = true;
    HideAllPanels();
    mtvmain->setValue(m_ctx.clock.today());
    ShowUserName();
    LoadItemNames();
    SetupTodayGrids();
    RefreshToday();
    LoadMemo();
    READ_SETTEI();

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

    IsLoading = false;
    cmdGame->setFocus();
}

void frmMain::READ_SETTEI()
{
    m_ctx.session.helpTourOn = readHelpTour();
}

void frmMain::chkHelp_Click()
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
    const text::WriteResult w = writeHelpTour(m_ctx.session.helpTourOn);
    writeFailed(w.ok, w.message);
}

void frmMain::HideAllPanels()
{
    for (QFrame *f : {fraTaijyu, fraBunseki, fraRenTai, fraMain, fraSettei, fraCale, fraMemo,
                      fraSyuukei})
        f->hide();
}

void frmMain::LoadItemNames()
{
    lstAct2->clear();
    lstAct2->addItems(itemNames());
}

QStringList frmMain::itemList() const
{
    QStringList items;
    items.reserve(lstAct2->count());
    for (int i = 0; i < lstAct2->count(); ++i)
        items.append(lstAct2->item(i)->text());
    return items;
}

void frmMain::LoadMemo()
{
    // The diary and memo panel loads the free memo into its text box here.
}

void frmMain::ShowUserName()
{
    m_ctx.session.userName = readUserName();
    setWindowTitle(mainWindowTitle(m_ctx.session.userName));
}

bool frmMain::writeFailed(bool ok, const QString &message)
{
    if (ok)
        return false;
    m_ctx.messages.warn(this, message, QStringLiteral("保存エラー"));
    return true;
}

PlayLog frmMain::readLog()
{
    PlayLog log = readPlayLog();
    if (log.readError)
        m_ctx.messages.warn(this, QStringLiteral("データ.txt を読み込めませんでした。"),
                             QStringLiteral("読み込みエラー"));
    if (!log.clean && !m_ctx.session.damagedLogWarned) {
        // The file itself is kept as it is: a rewrite would have to drop the
        // unreadable bytes, so the screens that rewrite the log refuse to.
        m_ctx.session.damagedLogWarned = true;
        m_ctx.messages.warn(
            this,
            QStringLiteral("データ.txt に Shift-JIS として読めない文字があります。") + kCrLf
                + QStringLiteral("読めない文字は「\uFFFD」として表示します。ファイルはそのまま残し、"
                                 "記録の削除や一言日記の保存はできません。") + kCrLf
                + QStringLiteral("テキストエディタで文字コードを Shift-JIS にして保存し直してください。"),
            QStringLiteral("読み込みエラー"));
    }
    return log;
}

// ---------------------------------------------------------------------------
// Menu row and panels
// ---------------------------------------------------------------------------

bool frmMain::switchToPanel(QFrame *panel, const std::function<void()> &fill)
{
    if (!panel->isHidden())
        return false;
    HideAllPanels();
    if (fill)
        fill();
    panel->show();
    return letEventsRun();
}

bool frmMain::letEventsRun()
{
    QPointer<frmMain> self(this);
    QCoreApplication::processEvents();
    return self && !self->m_closed;
}

void frmMain::closeEvent(QCloseEvent *e)
{
    m_closed = true;
    QWidget::closeEvent(e);
}

void frmMain::cmdMain_Click()
{
    if (!fraMain->isHidden())
        return;
    HideAllPanels();
    fraMain->show();
}

void frmMain::cmdRentai_Click()
{
    if (!switchToPanel(fraRenTai))
        return;
    // The totals view composes its help text and shows the help tour here.
}

void frmMain::cmdTaijyu_Click()
{
    if (!switchToPanel(fraTaijyu))
        return;
    // The range view composes its help text and shows the help tour here.
}

void frmMain::cmdSyuukei_Click()
{
    if (!switchToPanel(fraSyuukei))
        return;
    // The aggregates view composes its help text and shows the help tour here.
}

void frmMain::cmdBunseki_Click()
{
    if (!switchToPanel(fraBunseki))
        return;
    // The sorted list composes its help text and shows the help tour here.
}

void frmMain::cmdCale_Click()
{
    if (!switchToPanel(fraCale))
        return;
    // The calendar view composes its help text and shows the help tour here.
}

void frmMain::cmdMemo_Click()
{
    if (!switchToPanel(fraMemo))
        return;
    // The diary panel composes its help text and shows the help tour here.
}

void frmMain::cmdSettei_Click()
{
    const bool opened = switchToPanel(fraSettei, [this] {
        txtPriData->setText(m_ctx.session.userName);
        cmdRowDel->setEnabled(false);
        SetupLogGrid(msgHenList);
        FillLogGrid(msgHenList);
    });
    if (!opened)
        return;
    m_ctx.showHelpTour(this, setteiHelpText());
}

void frmMain::cmdHelp_Click()
{
    HelpViewer::open(this, HelpFileName);
}

void frmMain::cmdOwari_Click()
{
    HelpViewer::closeAll();
    close();
    m_ctx.navigator.quit();
}

// ---------------------------------------------------------------------------
// Game launcher
// ---------------------------------------------------------------------------

void frmMain::cmdGame_Click()
{
    const QDate today = m_ctx.clock.today();
    if (!m_firstPlayDate.isEmpty() && mtvmain->value() != today) {
        mtvmain->setValue(today);
        RefreshToday();
    }
    placeGameStrip();
    fraGame->show();
    fraGame->raise();
    cmdG1->setFocus();
}

void frmMain::cmdModori_Click()
{
    fraGame->hide();
}

void frmMain::launchGame(Game game)
{
    if (!m_ctx.navigator.hasGame(game))
        return; // not part of this build yet: the button is disabled
    m_ctx.navigator.showGame(game);
    close();
}

QToolButton *frmMain::launcherButton(Game game) const
{
    return m_launcher.key(game);
}

// ---------------------------------------------------------------------------
// Today panel
// ---------------------------------------------------------------------------

QDate frmMain::SelectedDay() const
{
    return mtvmain->value();
}

void frmMain::SetupTodayGrids()
{
    msgDayList->setColumns(kDayListColumns, 11);
    msgDayTotal->setColumns(kDayTotalColumns, 10);
}

void frmMain::RefreshToday()
{
    const QDate day0 = SelectedDay();
    lblDayCaption->setText(QStringLiteral("%1年%2月%3日（%4）のプレイ")
                               .arg(day0.year())
                               .arg(day0.month())
                               .arg(day0.day())
                               .arg(text::weekdayLetter(day0)));
    SetupTodayGrids();
    mcrMain->setSeriesCount(1);
    mcrMain->setRowCount(0);
    mcrMain->setRowCount(1);
    mcrMain->setRowLabel(0, QString());
    mcrMain->setValue(0, 0, 0);
    mcrMain->clearAxisRange();
    m_maxSeconds = 0;

    const PlayLog log = readLog();
    const DaySummary day = summarizeDay(log.records, SelectedDay(), itemList());

    if (day.logEmpty) {
        m_logIsEmpty = true;
        m_firstPlayDate.clear();
        m_lastPlayDate.clear();
        for (Shape *s : shpLed)
            s->setFillColor(kWhite);
        imgkana->hide();
        imgniko->hide();
        imgwara->hide();
        imgNashi->show();
        setBackColor(lblMHyouka, kWhite);
        lblMHyouka->setText(QStringLiteral("今日の脳も健康元気"));
        // No play is left: the day's time is nothing, not what was there before.
        m_dayTotal = 0;
        lblDayTotal->setText(text::formatHms(0));
        return;
    }
    m_logIsEmpty = false;
    m_firstPlayDate = day.firstDate;
    m_lastPlayDate = day.lastDate;

    QList<QStringList> rows;
    rows.reserve(day.plays.size());
    int n = 1;
    for (const DayPlay &p : day.plays)
        rows.append({QString::number(n++), p.time, p.item, text::shortestFloat(p.seconds)});
    msgDayList->setDataRows(std::move(rows));
    m_maxSeconds = day.maxSeconds;
    msgDayList->scrollToLastIfMoreThan(10);
    mcrMain->setAxisRange(0, m_maxSeconds);

    QList<QStringList> totals;
    n = 1;
    for (const ItemTotal &t : day.totals)
        totals.append({QString::number(n++), t.name, QString::number(t.count),
                       QString::number(t.seconds)});
    msgDayTotal->setDataRows(std::move(totals));
    m_dayTotal = day.dayTotal; // wide, so a long day of play never wraps
    lblDayTotal->setText(text::formatHms(m_dayTotal));

    // The day chart follows the new day in whichever view is selected.
    if (backColor(cmdDay) == kSelectedLightRed)
        cmdDay_Click();
    else if (backColor(cmdTotal) == kSelectedLightRed)
        cmdTotal_Click();
    else if (backColor(cmdJikan) == kSelectedLightRed)
        cmdJikan_Click();

    for (Shape *s : shpLed)
        s->setFillColor(kWhite);
    for (QLabel *f : {imgNashi, imgkana, imgniko, imgwara})
        f->hide();
    const int k = day.kinds();
    const int lit = litLamps(k);
    if (k == 0)
        imgNashi->show();
    else if (k == 1)
        imgkana->show();
    else if (k == 2)
        imgniko->show();
    else
        imgwara->show();
    for (int i = 1; i <= lit; ++i)
        shpLedAt(i)->setFillColor(QColor::fromRgb(QRgb(lampColor(i))));
    setBackColor(lblMHyouka, lit > 0 ? QColor::fromRgb(QRgb(lampColor(lit))) : kWhite);
    lblMHyouka->setText(ratingCaption(k));
}

void frmMain::mtvmain_DateClick(const QDate &)
{
    RefreshToday();
    cmdMain->setFocus();
}

void frmMain::cmdDay_Click()
{
    // The day chart's views draw the time series of the day's plays here.
}

void frmMain::cmdTotal_Click()
{
    // The day chart's views draw the per-game totals here.
}

void frmMain::cmdJikan_Click()
{
    // The day chart's views draw the seconds per hour of the day here.
}

// ---------------------------------------------------------------------------
// Play log grids and the edit screen
// ---------------------------------------------------------------------------

void frmMain::SetupLogGrid(FlexGrid *grid)
{
    const LogGridLayout &l = logGridLayout(grid);
    QList<GridColumn> columns;
    for (int c = 0; c < 6; ++c)
        columns.append(col(kLogHeaders[c], l.widths[c], kLogAlign[c]));
    grid->setColumns(columns, l.fontSize);
}

void frmMain::FillLogGrid(FlexGrid *grid)
{
    const PlayLog log = readLog();
    QList<QStringList> rows;
    rows.reserve(log.records.size());
    int n = 1;
    for (const PlayRecord &r : log.records)
        rows.append({QString::number(n++), r.date, r.time, r.item,
                     text::shortestFloat(r.seconds), r.comment});
    grid->setDataRows(std::move(rows));
    grid->scrollToLastIfMoreThan(logGridLayout(grid).scrollPast);
}

QList<PlayRecord> frmMain::recordsFromGrid(const FlexGrid *grid) const
{
    QList<PlayRecord> records;
    records.reserve(grid->rows() - 1);
    for (int r = 1; r < grid->rows(); ++r) {
        PlayRecord rec;
        rec.date = grid->textMatrix(r, 1);
        rec.time = grid->textMatrix(r, 2);
        rec.item = grid->textMatrix(r, 3);
        rec.seconds = float(text::leadingNumber(grid->textMatrix(r, 4)));
        rec.comment = grid->textMatrix(r, 5);
        records.append(rec);
    }
    return records;
}

bool frmMain::writeLog(const QList<PlayRecord> &records)
{
    const text::WriteResult w = rewritePlayLog(records);
    return !writeFailed(w.ok, w.message);
}

bool frmMain::RewriteLogFromGrid(FlexGrid *grid)
{
    return writeLog(recordsFromGrid(grid));
}

void frmMain::msgHenList_Click()
{
    if (msgHenList->rows() < 2 || msgHenList->row() < 1)
        return; // the header alone, or the header row itself
    SelectedLogRow = msgHenList->row();
    cmdRowDel->setEnabled(true);
}

void frmMain::cmdRowDel_Click()
{
    if (msgHenList->rows() == 2) {
        // The last record goes without a question (refused, as every rewrite
        // is, when the log holds bytes that are not Shift-JIS).
        const text::WriteResult w = rewritePlayLog({});
        if (writeFailed(w.ok, w.message))
            return;
        RefreshToday();
        msgHenList->setRows(1);
        cmdRowDel->setEnabled(false); // nothing is left to delete
        return;
    }
    const int r = msgHenList->row();
    if (r < 1 || r >= msgHenList->rows())
        return;
    const QString what = msgHenList->textMatrix(r, 1) + QLatin1Char(' ')
        + msgHenList->textMatrix(r, 2) + QLatin1Char(' ') + msgHenList->textMatrix(r, 3);
    if (!m_ctx.messages.ask(this, what + QStringLiteral(" を削除します。よろしいですか？"),
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

void frmMain::cmdNew1_Click()
{
    if (!m_ctx.messages.ask(
            this, QStringLiteral("これまでのデータを削除して新しくスタートします。よろしいですか？"),
            QStringLiteral("クリア確認")))
        return;

    // A name the data files cannot hold is refused before anything is emptied.
    const QString name = text::quoteSafe(txtPriData->text());
    QByteArray encoded;
    QString bad;
    if (!text::encodeCp932(name, &encoded, &bad)) {
        writeFailed(false, text::unstorableCharMessage(bad));
        return;
    }

    text::WriteResult w = emptyPlayLog();
    if (writeFailed(w.ok, w.message))
        return;
    w = writeUserName(name);
    if (writeFailed(w.ok, w.message))
        return;
    m_ctx.session.userName = name;
    for (const QString &history : historyFileNames()) {
        w = text::emptyFile(history);
        if (writeFailed(w.ok, w.message))
            return;
    }

    m_ctx.messages.info(this,
                         QStringLiteral("データを削除しました。") + kCrLf + kCrLf
                             + QStringLiteral("一旦プログラムを終了させていただきます。次の起動から新規スタートです！"),
                         QStringLiteral("新規スタート準備完了"));
    HelpViewer::closeAll();
    close();
    m_ctx.navigator.quit();
}

void frmMain::cmdPHozon1_Click()
{
    // What is shown is what is stored: a double quote, which the record line
    // cannot hold, is shown as the full-width ＂ it is stored as.
    const QString name = text::quoteSafe(txtPriData->text());
    // The record is written first, so a name that cannot be stored changes nothing.
    const text::WriteResult w = writeUserName(name);
    if (writeFailed(w.ok, w.message))
        return;
    m_ctx.session.userName = name;
    txtPriData->setText(name);
    setWindowTitle(mainWindowTitle(name));
    m_ctx.messages.info(this, QStringLiteral("保存が終了しました"), QStringLiteral("保存終了"));
}
