#include "games/frame/gameframe.h"

#include "core/backup.h"
#include "core/clock.h"
#include "core/game/historyview.h"
#include "core/game/saveplay.h"
#include "core/text/formats.h"
#include "widgets/appcontext.h"
#include "widgets/backcolor.h"
#include "widgets/chart.h"
#include "widgets/flexgrid.h"
#include "widgets/graphbuttons.h"
#include "widgets/messages.h"
#include "widgets/pictures.h"
#include "widgets/playparts.h"
#include "widgets/twips.h"
#include "widgets/wait.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>
#include <memory>
#include <utility>

namespace kioku {

const QColor GameFrame::kSelectedView(192, 255, 255);
const QColor GameFrame::kAllShown(255, 255, 192);

namespace {

constexpr int kCountdownPictureSize = 72;

// Whether a press on `hit` (the deepest widget under the pointer, null for the
// area itself) lands on the bare background of `area`: only plain layout
// containers lie between. A control, a label, a picture, a frame or a grid's
// viewport has a click of its own.
bool onBackground(const QWidget *area, const QWidget *hit)
{
    for (const QWidget *w = hit; w && w != area; w = w->parentWidget()) {
        if (w->metaObject() != &QWidget::staticMetaObject)
            return false;
        if (qobject_cast<const QAbstractScrollArea *>(w->parentWidget()))
            return false;
    }
    return true;
}

// The history panel: a press on its bare background is its click.
class HistoryPanel : public QFrame {
public:
    HistoryPanel(QWidget *parent, std::function<void()> clicked) : QFrame(parent), m_clicked(std::move(clicked)) {}

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && onBackground(this, childAt(event->position().toPoint()))) {
            event->accept();
            m_clicked();
            return;
        }
        QFrame::mousePressEvent(event);
    }

private:
    std::function<void()> m_clicked;
};

// The caption of the save-mode box while saving is manual (empty while automatic).
const QString kManualSaveCaption = QStringLiteral("手動保存モード");

// The save-mode box keeps the room of its longer caption whichever it shows,
// so 保存 and クリア beside it never move under the pointer.
class SaveModeBox : public QCheckBox {
public:
    explicit SaveModeBox(QWidget *parent) : QCheckBox(parent) {}
    QSize sizeHint() const override
    {
        QStyleOptionButton opt;
        initStyleOption(&opt);
        opt.text = kManualSaveCaption;
        const QSize text =
            style()->itemTextRect(fontMetrics(), QRect(), Qt::TextShowMnemonic, false, kManualSaveCaption).size();
        return QCheckBox::sizeHint().expandedTo(style()->sizeFromContents(QStyle::CT_CheckBox, &opt, text, this));
    }
    QSize minimumSizeHint() const override { return sizeHint(); }
};

// How often a wait with a stop condition looks at it, at the latest.
constexpr double kStopLookMs = 10.0;

// The widget an input event is for: a shortcut object is no widget, its owner is.
QWidget *widgetOf(QObject *o)
{
    while (o && !o->isWidgetType())
        o = o->parent();
    return static_cast<QWidget *>(o);
}

bool isUserInput(QEvent::Type t)
{
    switch (t) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::InputMethod:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
        return true;
    default:
        return false;
    }
}

// Drops the user's clicks and keys to one area (and what lies in it) while it
// is installed.
class InputBlocker : public QObject {
public:
    explicit InputBlocker(QWidget *area) : m_area(area)
    {
        if (qApp)
            qApp->installEventFilter(this);
    }
    ~InputBlocker() override
    {
        if (qApp)
            qApp->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!isUserInput(event->type()))
            return false;
        const QWidget *w = widgetOf(watched);
        return w && m_area && (w == m_area || m_area->isAncestorOf(w));
    }

private:
    QPointer<QWidget> m_area;
};

// Holds back the keys and input-method text sent to one window while it is
// installed; release() hands them over in the order they came.
class InputHolder : public QObject {
public:
    struct Held {
        QPointer<QObject> receiver;
        QEvent *event;
    };
    explicit InputHolder(QWidget *window) : m_window(window)
    {
        if (qApp)
            qApp->installEventFilter(this);
    }
    ~InputHolder() override
    {
        if (qApp)
            qApp->removeEventFilter(this);
        for (const Held &h : m_held)
            delete h.event;
    }
    QList<Held> release() { return std::exchange(m_held, {}); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type t = event->type();
        if (t != QEvent::KeyPress && t != QEvent::KeyRelease && t != QEvent::InputMethod
            && t != QEvent::ShortcutOverride)
            return false;
        QWidget *w = widgetOf(watched);
        if (!w || !m_window || w->window() != m_window)
            return false;
        if (t != QEvent::ShortcutOverride) // asked again when the key is delivered
            m_held.append({watched, event->clone()});
        return true;
    }

private:
    QPointer<QWidget> m_window;
    QList<Held> m_held;
};

} // namespace

GameFrame::GameFrame(AppContext &ctx, GameDescription description, QWidget *parent)
    : QWidget(parent), m_ctx(ctx), m_desc(std::move(description)), m_settings(m_desc.settings)
{
    setObjectName(m_desc.windowName());
    setWindowTitle(m_desc.caption);
    setAttribute(Qt::WA_DeleteOnClose);
    // A name the frame looks up that names nothing is a mistake in the
    // description, not something to pass over quietly.
    const QStringList problems = m_desc.problems();
    if (!problems.isEmpty())
        qFatal("%s: %s", qPrintable(m_desc.windowName()), qPrintable(problems.join(QStringLiteral("; "))));
    buildFrame();
}

GameFrame::~GameFrame()
{
    // A phase that is still waiting inside a handler of this window ends now.
    m_closing = true;
    m_ctx.clock.wake();
}

void GameFrame::buildFrame()
{
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(8, 8, 8, 8);
    root->setSpacing(6);

    m_playArea = new QWidget(this);
    m_playArea->setObjectName(QStringLiteral("fraGame"));
    // Never taller than it needs: room the history panel leaves goes below it
    // (the stretch under the panel), and the board keeps its spacing.
    m_playArea->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    root->addWidget(m_playArea, 0);

    // Controls every game places in its play area.
    m_cmdStart = new QPushButton(QStringLiteral("スタート"), this);
    m_cmdStart->setAutoDefault(true); // the focus goes here after a play: Enter starts the next
    m_cmdStart->setObjectName(QStringLiteral("cmdStart"));
    m_cmdStart->setMinimumHeight(36);
    connect(m_cmdStart, &QPushButton::clicked, this, &GameFrame::cmdStart_Click);

    m_lblJikan = new ValueLabel(this); // the game gives it its look and its widest values
    m_lblJikan->setObjectName(QStringLiteral("lblJikan"));

    m_countdownPanel = new QWidget(this);
    m_countdownPanel->setObjectName(QStringLiteral("fraCountdown"));
    m_countdownPanel->setFixedSize(kCountdownPictureSize, kCountdownPictureSize);
    auto *cd = new QGridLayout(m_countdownPanel);
    cd->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 3; ++i) {
        auto *img = new QLabel(m_countdownPanel);
        img->setObjectName(QStringLiteral("imgStart%1").arg(i + 1));
        img->setPixmap(pictures::countdown(i + 1, kCountdownPictureSize));
        img->setAlignment(Qt::AlignCenter);
        img->hide();
        cd->addWidget(img, 0, 0);
        m_imgStart[i] = img;
    }

    // The history panel: filters, grid, charts and view buttons.
    m_fraRireki = new HistoryPanel(this, [this] { fraRireki_Click(); });
    m_fraRireki->setObjectName(QStringLiteral("fraRireki"));
    m_fraRireki->setFrameShape(QFrame::StyledPanel);
    auto *rl = new QVBoxLayout(m_fraRireki);
    rl->setContentsMargins(6, 6, 6, 6);
    rl->setSpacing(4);

    auto *top = new QHBoxLayout;
    auto *title = new QLabel(QStringLiteral("履歴"), m_fraRireki);
    QFont tf = title->font();
    tf.setBold(true);
    title->setFont(tf);
    top->addWidget(title);
    top->addSpacing(8);
    for (const FilterBox &f : std::as_const(m_desc.filters)) {
        auto *lbl = new QLabel(f.label, m_fraRireki);
        auto *box = new QComboBox(m_fraRireki);
        box->setObjectName(f.objectName);
        box->addItems(f.items);
        box->setCurrentIndex(-1);
        box->setMinimumContentsLength(4);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        lbl->setBuddy(box);
        top->addWidget(lbl);
        top->addWidget(box);
        const QString name = f.objectName;
        connect(box, &QComboBox::activated, this, [this, name](int) { filter_Click(name); });
        m_filters.insert(name, box);
    }
    m_cmdAllDsp = new QPushButton(QStringLiteral("全部表示"), m_fraRireki);
    m_cmdAllDsp->setObjectName(QStringLiteral("cmdAllDsp"));
    connect(m_cmdAllDsp, &QPushButton::clicked, this, &GameFrame::cmdAllDsp_Click);
    top->addWidget(m_cmdAllDsp);
    top->addStretch(1);

    m_fraView = new QGroupBox(QStringLiteral("グラフ指定"), m_fraRireki);
    m_fraView->setObjectName(QStringLiteral("fraView"));
    auto *vl = new QHBoxLayout(m_fraView);
    vl->setContentsMargins(6, 2, 6, 4);
    m_views = new GraphButtons(kSelectedView, m_fraView);
    vl->addWidget(m_views);
    for (const ViewButton &v : std::as_const(m_desc.views)) {
        std::function<void()> draw;
        if (!v.columns.isEmpty())
            draw = [this, v] { drawView(v); };
        QPushButton *b = m_views->add(v.objectName, v.caption, draw);
        b->setEnabled(v.enabled && draw);
    }
    // A view the player asks for grows the panel; the redraw that follows a
    // save or a filter does not, so the board just judged stays in sight.
    connect(m_views, &GraphButtons::pressed, this, [this] { viewPressed(); });
    if (!m_desc.initialView.isEmpty())
        m_views->markSelected(m_desc.initialView);
    top->addWidget(m_fraView);
    rl->addLayout(top);

    auto *mid = new QHBoxLayout;
    m_grid = new FlexGrid(m_fraRireki);
    m_grid->setObjectName(QStringLiteral("msgRireki"));
    if (m_desc.gridFontSize > 0)
        m_grid->setFontSize(m_desc.gridFontSize);
    {
        // Wide enough for every column without a horizontal scroll bar.
        int width = 0;
        for (const GridColumn &c : std::as_const(m_desc.columns))
            width += twipsToPixels(this, c.twips);
        m_grid->setMinimumWidth(width + m_grid->verticalScrollBar()->sizeHint().width() + 2 * m_grid->frameWidth() + 2);
    }
    mid->addWidget(m_grid, 3);
    m_chart1 = new Chart(m_fraRireki);
    m_chart1->setObjectName(QStringLiteral("mcrRireki"));
    m_chart1->setStyle(Chart::Style::Lines);
    m_chart1->setSeriesCount(1);
    m_chart2 = new Chart(m_fraRireki);
    m_chart2->setObjectName(QStringLiteral("mcrRireki2"));
    m_chart2->setStyle(Chart::Style::Bars);
    m_chart2->setSeriesCount(2);
    for (Chart *c : {m_chart1, m_chart2}) {
        c->setMinimumWidth(300);
        mid->addWidget(c, 2);
    }
    m_chart1->hide();
    rl->addLayout(mid, 1);
    root->addWidget(m_fraRireki, 1);
    root->addStretch(0); // takes the panel's room while the panel is hidden

    // Saving, clearing and the way back.
    auto *bottom = new QHBoxLayout;
    m_chkAs = new SaveModeBox(this);
    m_chkAs->setObjectName(QStringLiteral("chkAs"));
    m_chkAs->setToolTip(QStringLiteral("履歴の自動保存を制御します"));
    connect(m_chkAs, &QCheckBox::clicked, this, [this] { chkAs_Click(); });
    m_cmdHozon = new QPushButton(QStringLiteral("保存"), this);
    m_cmdHozon->setObjectName(QStringLiteral("cmdHozon"));
    connect(m_cmdHozon, &QPushButton::clicked, this, &GameFrame::cmdHozon_Click);
    m_cmdClear = new QPushButton(QStringLiteral("クリア"), this);
    m_cmdClear->setObjectName(QStringLiteral("cmdClear"));
    connect(m_cmdClear, &QPushButton::clicked, this, &GameFrame::cmdClear_Click);
    m_cmdEnd = new QPushButton(QStringLiteral("戻り"), this);
    m_cmdEnd->setObjectName(QStringLiteral("cmdEnd"));
    m_cmdEnd->setMinimumWidth(96);
    connect(m_cmdEnd, &QPushButton::clicked, this, &GameFrame::cmdEnd_Click);
    bottom->addWidget(m_chkAs);
    bottom->addWidget(m_cmdHozon);
    bottom->addWidget(m_cmdClear);
    bottom->addStretch(1);
    bottom->addWidget(m_cmdEnd);
    root->addLayout(bottom);

    // Timers: the countdown and tmrBp run all the time; tmrPlay only while a game runs its clock.
    m_tmrStart = new QTimer(this);
    m_tmrStart->setObjectName(QStringLiteral("tmrStart"));
    m_tmrStart->setInterval(1000);
    connect(m_tmrStart, &QTimer::timeout, this, &GameFrame::tmrStart_Timer);
    m_tmrPlay = new QTimer(this);
    m_tmrPlay->setObjectName(QStringLiteral("tmrPlay"));
    m_tmrPlay->setInterval(m_desc.playTimerMs);
    connect(m_tmrPlay, &QTimer::timeout, this, &GameFrame::tmrPlay_Timer);
    m_tmrBp = new QTimer(this);
    m_tmrBp->setObjectName(QStringLiteral("tmrBp"));
    m_tmrBp->setInterval(1000);
    connect(m_tmrBp, &QTimer::timeout, this, &GameFrame::tmrBp_Timer);
    m_tmrStart->start();
    m_tmrBp->start();

    applyPanelLayout();
}

GameFrame::PlayAreaLayout GameFrame::standardPlayArea()
{
    PlayAreaLayout l;
    QWidget *area = m_playArea;
    auto *column = new QVBoxLayout(area);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    l.row = new QHBoxLayout;
    l.row->setSpacing(12);
    column->addLayout(l.row);
    l.row->addWidget(m_countdownPanel, 0, Qt::AlignVCenter);

    l.board = new QGroupBox(QStringLiteral("問題"), area);
    l.board->setObjectName(QStringLiteral("fraMondai"));
    l.boardLayout = new QVBoxLayout(l.board);
    l.boardLayout->setSpacing(8);
    l.boardLayout->setContentsMargins(12, 10, 12, 12);
    l.row->addWidget(l.board, 1);

    l.buttons = new QVBoxLayout;
    l.buttons->setSpacing(10);
    l.buttons->addStretch(1);
    m_cmdStart->setParent(area);
    m_cmdStart->setMinimumSize(104, 40);
    l.buttons->addWidget(m_cmdStart);
    l.buttons->addStretch(1);
    l.row->addLayout(l.buttons);

    l.strip = new QHBoxLayout;
    l.strip->setSpacing(12);
    column->addLayout(l.strip);
    return l;
}

void GameFrame::PlayAreaLayout::addButton(QWidget *button) const
{
    button->setMinimumSize(104, 40);
    buttons->insertWidget(buttons->count() - 1, button);
}

QPushButton *GameFrame::viewButton(const QString &name) const
{
    return m_views->button(name);
}

QLabel *GameFrame::imgStart(int i) const
{
    return i >= 1 && i <= 3 ? m_imgStart[i - 1] : nullptr;
}

// ---------------------------------------------------------------- opening

void GameFrame::Form_Load()
{
    if (std::optional<OpenRefusal> refusal = openRefusal()) {
        refuseOpening(*refusal);
        return;
    }
    cmdAllDsp_Click();
    // The settings file is only read here: a value that is not valid is
    // replaced by its default in the window, and the file keeps what it holds
    // until the player changes a setting. A missing file gets the defaults.
    const bool hadSettings = text::fileExists(m_desc.settings.fileName);
    text::ReadResult settingsRead;
    bool garbled = false;
    m_settings = GameSettings::read(m_desc.settings, nullptr, &settingsRead, &garbled);
    if (settingsRead.readError)
        reportProblem(text::readFailureMessage(m_desc.settings.fileName, settingsRead)
                      + QStringLiteral("\r\n設定は既定の値で始めます。ファイルはそのまま残してあります。"));
    else if (garbled)
        reportProblem(QStringLiteral("「%1」に読み取れない設定がありました。")
                          .arg(QFileInfo(text::resolve(m_desc.settings.fileName)).fileName())
                      + QStringLiteral("\r\nその設定は既定の値で始めます。ファイルはそのまま残してあります。"));
    m_chkAs->setChecked(autoSave());
    showSaveMode();
    if (!hadSettings)
        writeSettings();
    loadGame();
    if (m_desc.panel.enabled)
        setPanelTall(false);
}

void GameFrame::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_helpShown) {
        m_helpShown = true;
        // After the window is on screen, not inside show().
        QTimer::singleShot(0, this, &GameFrame::afterShown);
    }
}

void GameFrame::afterShown()
{
    if (m_closing)
        return;
    QPointer<GameFrame> self(this);
    const QStringList problems = std::exchange(m_pendingProblems, {});
    for (const QString &p : problems) {
        m_ctx.messages.warn(this, p, m_desc.caption);
        if (!self || m_closing)
            return;
    }
    m_ctx.showHelpTour(this, m_desc.helpText);
}

// ---------------------------------------------------------------- history grid

void GameFrame::ResetHistoryGrid()
{
    m_grid->setColumns(m_desc.columns);
    m_grid->setRow(0);
    m_grid->setCol(0);
}

void GameFrame::fillHistory(const QString &filterName, const QString &chosen)
{
    const FilterBox *filter = filterName.isEmpty() ? nullptr : m_desc.filter(filterName);

    // The grid is drawn once, after it is filled.
    m_grid->setUpdatesEnabled(false);
    ResetHistoryGrid();
    for (const FilterBox &f : std::as_const(m_desc.filters)) {
        const bool empty = filter ? filter->empties.contains(f.objectName) : f.emptiedByAllDsp;
        if (empty)
            if (QComboBox *box = m_filters.value(f.objectName))
                box->setCurrentIndex(-1);
    }

    const HistoryFile h = readHistory(m_desc.history);
    QList<QStringList> rows;
    rows.reserve(h.entries.size());
    for (const HistoryEntry &e : h.entries) {
        if (filter && !matchesFilter(e, filter->rule, chosen))
            continue;
        rows.append(historyRow(e, m_desc.columns, int(rows.size()) + 1));
    }
    m_grid->setDataRows(rows);
    m_grid->scrollToLastIfMoreThan(m_desc.fillScrollMoreThan);
    if (m_desc.panel.enabled)
        scrollAfterLayout();
    m_grid->setUpdatesEnabled(true);

    const bool yellow = !filter || m_desc.allDspYellowWhenFiltered;
    setBackColor(m_cmdAllDsp, yellow ? kAllShown : QColor()); // else the desktop's button face

    // A damaged history file is told once per window, not at every filter.
    if ((h.readError || !h.clean) && !std::exchange(m_historyProblemTold, true)) {
        if (h.readError)
            reportProblem(QStringLiteral("履歴ファイル「%1」を読み込めませんでした。").arg(m_desc.history.fileName)
                          + (h.reason.isEmpty() ? QString() : QStringLiteral("\r\n") + h.reason));
        else
            reportProblem(QStringLiteral("履歴ファイル「%1」に Shift-JIS として読めない文字があります。\r\n"
                                         "読めない文字は「\uFFFD」で表示します。")
                              .arg(m_desc.history.fileName));
    }

    RefreshSelectedView();
}

void GameFrame::cmdAllDsp_Click()
{
    fillHistory(QString(), QString());
}

void GameFrame::filter_Click(const QString &filterName)
{
    QComboBox *box = m_filters.value(filterName);
    if (!box)
        qFatal("%s has no filter box %s", qPrintable(m_desc.windowName()), qPrintable(filterName));
    if (box->currentIndex() < 0)
        return;
    fillHistory(filterName, box->currentText());
}

// ---------------------------------------------------------------- charts

void GameFrame::ResetViewButtons()
{
    m_views->resetColors();
}

void GameFrame::RefreshSelectedView()
{
    m_views->refreshSelected(m_desc.refreshOrder);
}

void GameFrame::view_Click(const QString &buttonName)
{
    m_views->click(buttonName);
    if (m_desc.view(buttonName)->columns.size() > 0)
        viewPressed();
}

void GameFrame::viewPressed()
{
    if (!m_desc.panel.enabled || !m_desc.panel.viewMakesTall)
        return;
    // From スタート to the end of the play the board is the player's: a view
    // asked for meanwhile is drawn in the panel as it is.
    if (m_desc.panel.tallCoversPlayArea && m_state != PlayState::Idle && m_state != PlayState::Finished)
        return;
    setPanelTall(true);
}

void GameFrame::drawView(const ViewButton &v)
{
    Chart *shown = v.chart == 2 ? m_chart2 : m_chart1;
    Chart *hidden = v.chart == 2 ? m_chart1 : m_chart2;
    hidden->hide();
    shown->show();

    const int series = int(qBound(qsizetype(1), v.columns.size(), qsizetype(2)));
    shown->setSeriesCount(series);
    shown->setTitle(v.caption);
    QStringList names = v.seriesNames;
    for (int s = int(names.size()); s < series; ++s) {
        const int c = v.columns.at(s);
        names.append(c >= 0 && c < m_desc.columns.size() ? m_desc.columns.at(c).header : QString());
    }
    shown->setSeriesNames(names.mid(0, series));

    const int n = m_grid->rows() - 1;
    if (n <= 0) {
        shown->clearData();
        return;
    }
    shown->setRowCount(n);
    for (int r = 1; r <= n; ++r) {
        shown->setRowLabel(r - 1, m_grid->textMatrix(r, 0));
        for (int s = 0; s < series; ++s)
            shown->setValue(r - 1, s, chartValue(m_grid->textMatrix(r, v.columns.at(s)), v.rule));
    }
}

// ---------------------------------------------------------------- panel sizes

void GameFrame::setPanelTall(bool tall)
{
    if (!m_desc.panel.enabled)
        return;
    m_panelTall = tall;
    applyPanelLayout();
    scrollAfterLayout();
}

void GameFrame::Form_Click()
{
    if (m_closing || !m_desc.panel.enabled || !m_desc.panel.formClickMakesTall)
        return;
    setPanelTall(true);
}

void GameFrame::fraRireki_Click()
{
    if (m_closing || !m_desc.panel.enabled || !m_desc.panel.panelClickHides)
        return;
    m_panelShown = false;
    m_fraRireki->hide();
    applyPanelLayout();
}

void GameFrame::showHistoryPanel()
{
    if (m_panelShown)
        return;
    m_panelShown = true;
    // Laid out for the panel first: a child shown lays its window out at once,
    // and a tall panel beside the board would grow the window for nothing.
    applyPanelLayout();
    m_fraRireki->show();
}

void GameFrame::mousePressEvent(QMouseEvent *event)
{
    // Presses that no control took come here; only the bare background is Form_Click.
    if (event->button() == Qt::LeftButton && onBackground(this, childAt(event->position().toPoint()))) {
        event->accept();
        Form_Click();
        return;
    }
    QWidget::mousePressEvent(event);
}

void GameFrame::applyPanelLayout()
{
    const PanelStates &p = m_desc.panel;
    const int twips = p.enabled ? (m_panelTall ? p.tallGridTwips : p.compactGridTwips) : m_desc.gridTwips;
    const int h = twipsToPixels(this, twips);
    m_grid->setMinimumHeight(h);
    m_chart1->setMinimumHeight(h);
    m_chart2->setMinimumHeight(h);
    // The tall panel lies over the play area; a hidden one leaves it free. (The
    // heights are set first: a child shown lays its window out at once.)
    if (p.enabled && p.tallCoversPlayArea)
        m_playArea->setVisible(!(m_panelTall && m_panelShown));
    fitWindowToPanel();
}

void GameFrame::fitWindowToPanel()
{
    // A tall panel may have grown the window; once it is compact or hidden
    // again the window goes back to the size it had before.
    const bool grown = m_desc.panel.enabled && m_panelTall && m_panelShown;
    if (grown == m_panelGrown)
        return;
    m_panelGrown = grown;
    if (grown) {
        m_sizeBeforeTall = isVisible() ? size() : QSize();
        return;
    }
    if (!isVisible() || !m_sizeBeforeTall.isValid())
        return;
    if (QLayout *l = layout()) {
        // The window's smallest size as it is now, not as the panel left it:
        // the panel's own layout takes in its smaller grid first.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        l->invalidate();
        l->activate();
    }
    resize(m_sizeBeforeTall.expandedTo(minimumSize()));
}

void GameFrame::scrollAfterLayout()
{
    const PanelStates &p = m_desc.panel;
    m_grid->scrollToLastIfMoreThan(m_panelTall ? p.tallScrollMoreThan : p.compactScrollMoreThan);
}

// ---------------------------------------------------------------- settings and saving

bool GameFrame::autoSave() const
{
    return m_desc.autoSaveSetting >= 0 && m_settings.toInt(m_desc.autoSaveSetting) == 1;
}

void GameFrame::writeSettings()
{
    const text::WriteResult r = m_settings.write();
    if (!r)
        reportProblem(r.message);
}

void GameFrame::reportProblem(const QString &message)
{
    if (m_closing)
        return;
    if (!m_helpShown) {
        // While the window opens, problems are told once it is on screen, and
        // once per run: the same file read again at the next opening of the
        // window is not told again.
        if (!m_pendingProblems.contains(message) && m_ctx.session.tellOnce(QStringLiteral("open:") + message))
            m_pendingProblems.append(message);
        return;
    }
    m_ctx.messages.warn(this, message, m_desc.caption);
}

bool GameFrame::backUp(const QString &fileName)
{
    const BackupResult r = backUpFile(fileName, m_ctx.clock.now());
    // Asked for by the player's own command: told at once, never held back
    // as the problems of the opening are.
    if (!r && !m_closing)
        m_ctx.messages.warn(this, r.message, m_desc.caption);
    return r.ok;
}

void GameFrame::chkAs_Click()
{
    const bool on = m_chkAs->isChecked();
    if (m_desc.autoSaveSetting >= 0)
        m_settings.setInt(m_desc.autoSaveSetting, on ? 1 : 0);
    writeSettings();
    showSaveMode();
}

void GameFrame::showSaveMode()
{
    const bool on = m_chkAs->isChecked();
    m_cmdHozon->setEnabled(!on);
    m_chkAs->setText(on ? QString() : kManualSaveCaption);
}

void GameFrame::cmdHozon_Click()
{
    if (m_closing || m_state != PlayState::Finished)
        return;
    const QDateTime now = m_ctx.clock.now();
    const std::optional<SavedPlay> saved = result(now);
    if (!saved)
        return;
    const HistoryEntry &entry = saved->entry;
    // Nothing is half saved: the history and the play log get the play together or not at all.
    bool retryable = true;
    const text::WriteResult w = savePlay(m_desc.history, entry, saved->record, &retryable);
    if (!w) {
        // The result stays on screen and can be saved again, nothing of it
        // being left behind (with auto-save on, 保存 waits for manual mode).
        QString message = w.message;
        if (retryable)
            message += m_chkAs->isChecked()
                ? QStringLiteral(
                    "\r\n問題を解決してから、手動保存モードにして「保存」を押すと、この結果を保存し直せます。")
                : QStringLiteral("\r\n問題を解決してから「保存」を押すと、この結果を保存し直せます。");
        reportProblem(message);
        return;
    }
    const int number = m_grid->rows();
    m_grid->addRow(saved->gridRow.isEmpty() ? historyRow(entry, m_desc.columns, number) : saved->gridRow);
    m_grid->scrollToLastIfMoreThan(m_desc.saveScrollMoreThan);
    RefreshSelectedView();
    if (m_desc.panel.enabled && m_desc.panel.saveMakesCompact) {
        showHistoryPanel(); // a panel put away comes back to show the new row
        setPanelTall(false);
    }
}

bool GameFrame::saveIfAutomatic()
{
    QPointer<GameFrame> self(this);
    if (autoSave())
        cmdHozon_Click();
    return self && !self->m_closing;
}

void GameFrame::cmdClear_Click()
{
    if (!m_ctx.messages.ask(this, QStringLiteral("履歴データをクリアします。よろしいですか？"),
                            QStringLiteral("クリア確認")))
        return;
    // The history and whatever the game resets with it are copied first; one
    // copy missing and nothing is cleared.
    if (!backUp(m_desc.history.fileName) || !backUpBeforeClear())
        return;
    const text::WriteResult r = clearHistory(m_desc.history);
    if (!r) {
        reportProblem(r.message);
        return;
    }
    m_chart1->clearData();
    m_chart2->clearData();
    m_grid->setRows(1);
    historyCleared();
    m_ctx.messages.info(this, QStringLiteral("履歴データをクリアしました"), QStringLiteral("クリア終了"));
}

// ---------------------------------------------------------------- way back

void GameFrame::leaveWindow()
{
    if (m_closing)
        return;
    m_closing = true;
    m_state = PlayState::Idle;
    m_tmrStart->stop();
    m_tmrPlay->stop();
    m_tmrBp->stop();
    // Any display or delay still waiting inside a handler ends now.
    m_ctx.clock.wake();
    m_ctx.navigator.showMain();
}

void GameFrame::refuseOpening(const OpenRefusal &refusal)
{
    // Nothing of the window has been loaded and nothing will be: no timer runs,
    // no file is touched and the help text is never handed on.
    m_closing = true;
    m_tmrStart->stop();
    m_tmrPlay->stop();
    m_tmrBp->stop();
    m_ctx.messages.warn(nullptr, refusal.text, refusal.title);
    if (refusal.endProgram)
        m_ctx.navigator.quit();
    else
        m_ctx.navigator.showMain();
    // Still inside its opening: the window goes once control is back in the
    // event loop. The factory that built it sees closing() and does not show it.
    deleteLater();
}

void GameFrame::cmdEnd_Click()
{
    QPointer<GameFrame> self(this);
    leaveWindow();
    if (self)
        close(); // deleted later; a handler still waiting in a nested loop sees it gone (waitMs)
}

void GameFrame::closeEvent(QCloseEvent *event)
{
    leaveWindow();
    event->accept();
}

// ---------------------------------------------------------------- countdown and timers

void GameFrame::cmdStart_Click()
{
    // A play starts from no play or a finished one, never over a running one.
    if (m_closing || (m_state != PlayState::Idle && m_state != PlayState::Finished))
        return;
    m_state = PlayState::Countdown;
    m_tick = 0;
    if (m_desc.panel.enabled && m_desc.panel.startMakesCompact) {
        // A panel the player hid comes back with a new play, compact.
        if (m_desc.panel.startShowsPanel)
            showHistoryPanel();
        setPanelTall(false);
    }
    prepareBoard();
    m_cmdStart->setEnabled(false);
}

void GameFrame::hideCountdownPictures()
{
    for (QLabel *img : m_imgStart)
        img->hide();
}

void GameFrame::tmrStart_Timer()
{
    if (m_closing)
        return;
    if (m_state != PlayState::Countdown) {
        m_tick = 0;
        return;
    }
    hideCountdownPictures();
    ++m_tick;
    if (m_tick >= 1 && m_tick <= 3)
        m_imgStart[m_tick - 1]->show();
    if (m_tick >= 3) {
        m_state = PlayState::Showing;
        beginPlay(); // the window may be gone when this returns
    }
}

void GameFrame::startPlayClock()
{
    m_playStartNs = m_ctx.clock.elapsedNs();
    m_lblJikan->setText(text::format0_0(0.0));
    m_tmrPlay->start();
}

void GameFrame::stopPlayClock()
{
    m_tmrPlay->stop();
}

double GameFrame::playSeconds() const
{
    return double(m_ctx.clock.elapsedNs() - m_playStartNs) / 1e9;
}

void GameFrame::tmrPlay_Timer()
{
    if (m_closing)
        return;
    m_lblJikan->setText(text::format0_0(playSeconds()));
}

void GameFrame::tmrBp_Timer()
{
    if (m_closing || !busy())
        return;
    QPointer<GameFrame> self(this);
    const QList<std::function<void()>> steps = bpSteps();
    for (const std::function<void()> &step : steps) {
        if (!self || self->m_closing || !self->busy())
            return;
        try {
            step();
        } catch (...) {
            // A failing step is skipped; the next one still runs.
        }
    }
}

// ---------------------------------------------------------------- play state and waiting

void GameFrame::setPlayState(PlayState state)
{
    m_state = state;
}

GameFrame::WaitEnd GameFrame::waitGuarded(double ms, const std::function<bool()> &stop)
{
    if (m_closing)
        return WaitEnd::Closed;
    QPointer<GameFrame> self(this);
    const quint64 generation = m_waitGeneration;
    WaitEnd end = WaitEnd::Elapsed;
    const bool reached = waitFor(
        m_ctx.clock, this, ms,
        [&] {
            if (!self || self->m_closing) {
                end = WaitEnd::Closed;
                return true;
            }
            if (self->m_waitGeneration != generation) {
                end = WaitEnd::Superseded;
                return true;
            }
            if (stop && stop()) {
                end = WaitEnd::Stopped;
                return true;
            }
            return false;
        },
        stop ? kStopLookMs : 0.0);
    if (!self || self->m_closing)
        return WaitEnd::Closed;
    return reached ? WaitEnd::Elapsed : end;
}

GameFrame::WaitEnd GameFrame::waitMs(double ms, const std::function<bool()> &stop)
{
    return waitGuarded(ms, stop);
}

GameFrame::WaitEnd GameFrame::holdInputFor(double ms, const std::function<bool()> &stop)
{
    if (m_closing)
        return WaitEnd::Closed;
    QPointer<GameFrame> self(this);
    auto holder = std::make_unique<InputHolder>(this);
    const WaitEnd end = waitGuarded(ms, stop);
    const QList<InputHolder::Held> held = holder->release();
    holder.reset();
    if ((end == WaitEnd::Elapsed || end == WaitEnd::Stopped) && self) {
        // Delivered after the caller has set up what comes next (a new word).
        for (const InputHolder::Held &h : held)
            if (h.receiver)
                QCoreApplication::postEvent(h.receiver, h.event);
            else
                delete h.event;
    } else {
        // The window went, or what the keys were typed for ended (a play that
        // timed out): they are dropped rather than landing somewhere else.
        for (const InputHolder::Held &h : held)
            delete h.event;
    }
    return end;
}

GameFrame::WaitEnd GameFrame::blockFor(double ms, QWidget *area)
{
    if (m_closing)
        return WaitEnd::Closed;
    InputBlocker blocker(area ? area : m_playArea);
    return waitGuarded(ms, {});
}

GameFrame::WaitEnd GameFrame::runDisplayCountdown(float seconds, TimeBar *bar)
{
    const double total = double(seconds);
    // Monotonic nanoseconds: the display never stalls when the day changes.
    const qint64 start = m_ctx.clock.elapsedNs();
    const qint64 end = start + qint64(std::llround(total * 1e9));
    qint64 barValue = 0; // the remaining value the bar was last drawn for
    for (;;) {
        const qint64 now = m_ctx.clock.elapsedNs();
        if (now > end)
            return WaitEnd::Elapsed;
        const double left = double(end - now) / 1e9;
        const qint64 remaining = text::roundHalfEven(left);
        m_lblJikan->setText(QString::number(remaining));
        if (remaining != barValue && bar) {
            barValue = remaining;
            const int percent = total > 0 ? int(double(remaining) / total * 100.0) : 0;
            bar->setBarWidth(percent * bar->fullWidth() / 100);
        }
        // Sleep until the shown number changes (half a second before the next
        // whole number) or the display ends, whichever comes first. The clock's
        // wait ends within a fraction of a millisecond of its time, so one
        // microsecond more is enough to be past that moment: a whole extra
        // millisecond here would show the display a millisecond too long.
        const double untilChange = left - (double(remaining) - 0.5);
        const double ms = qMax(0.0, qMin(untilChange, left)) * 1000.0 + 0.001;
        const WaitEnd w = waitMs(ms);
        if (w != WaitEnd::Elapsed)
            return w;
    }
}

void GameFrame::supersedeWaits()
{
    ++m_waitGeneration;
    m_ctx.clock.wake();
}

void GameFrame::wakeWaits()
{
    m_ctx.clock.wake();
}

bool GameFrame::letEventsRun()
{
    if (m_closing)
        return false;
    QPointer<GameFrame> self(this);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return self && !self->m_closing;
}

} // namespace kioku
