// How the seven game windows hold their shape: result boxes wide enough for
// the widest value their game can show, windows that go back to their size
// after the history panel grew or hid, and save buttons that stay where they
// are. Run at scale 1 and, as a second test, at QT_SCALE_FACTOR=2.
#include "core/datafolder.h"
#include "gamefixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QtTest>

using namespace kioku;

namespace {

// Window frmG<n>, opened as the launcher opens it (timers stopped: nothing
// runs on its own while the test looks at it) and shown.
GameFrame *openShown(GameFixture &f, int n)
{
    if (!prepareDataFolder().failed.isEmpty()) // flags and word lists, as a first start leaves them
        return nullptr;
    GameFrame *w = nullptr;
    switch (n) {
    case 1:
        w = f.open<NumberMemoryWindow>();
        break;
    case 2:
        w = f.open<IconConcentrationWindow>();
        break;
    case 3:
        w = f.open<TimeLagTypingWindow>();
        break;
    case 4:
        w = f.open<CycleTypingWindow>();
        break;
    case 5:
        w = f.open<TrackingMemoryWindow>();
        break;
    case 6:
        w = f.open<ImageMemoryWindow>();
        break;
    case 7:
        w = f.open<ScrambledTypingWindow>();
        break;
    default:
        break;
    }
    if (!w)
        return nullptr;
    w->show();
    if (!QTest::qWaitForWindowExposed(w))
        return nullptr;
    return w;
}

// Lets the layouts take in what changed.
void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QApplication::processEvents();
    }
}

// The room a label's text has: its contents rect without the margin and the
// indent a framed label keeps on the side its text is aligned to.
int textRoom(const QLabel *l)
{
    int indent = l->indent();
    if (indent < 0 && l->frameWidth() > 0)
        indent = QFontMetrics(l->font()).horizontalAdvance(QLatin1Char('x')) / 2 - l->margin();
    const Qt::Alignment a = l->alignment();
    const bool oneSide = (a & Qt::AlignLeft) || (a & Qt::AlignRight);
    return l->contentsRect().width() - 2 * l->margin() - (oneSide ? qMax(0, indent) : 0);
}

// Where every control of `area` lies, relative to it.
QList<QRect> childPlaces(const QWidget *area)
{
    QList<QRect> places;
    for (const QWidget *c : area->findChildren<QWidget *>())
        places << QRect(c->mapTo(area, QPoint(0, 0)), c->size());
    return places;
}

// Clicks the box itself, as the player ticks it (its caption may be empty).
void tick(QCheckBox *box)
{
    QStyleOptionButton opt;
    opt.initFrom(box);
    QTest::mouseClick(box, Qt::LeftButton, {},
                      box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &opt, box).center());
}

QWidget *boardOf(const GameFrame *w)
{
    for (const char *name : {"fraMondai", "fraBan", "fraKey"})
        if (auto *b = w->findChild<QGroupBox *>(name))
            return b;
    return nullptr;
}

} // namespace

class tst_GameLayout : public QObject {
    Q_OBJECT
private slots:
    void resultBoxesFitTheirWidestValues_data();
    void resultBoxesFitTheirWidestValues();
    void windowsGoBackToTheirSizeAfterThePanelGrows_data();
    void windowsGoBackToTheirSizeAfterThePanelGrows();
    void saveButtonsStayWhereTheyAre_data();
    void saveButtonsStayWhereTheyAre();
};

void tst_GameLayout::resultBoxesFitTheirWidestValues_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("widest");
    const auto row = [](int window, const char *box, const QString &widest) {
        QTest::addRow("frmG%d %s %s", window, box, qPrintable(widest)) << window << QString::fromLatin1(box) << widest;
    };
    // The recall games: at most 15 places, every one right, a display of up
    // to 30 (数字記憶, 0.2 and 0.5 are the widest) or 60 seconds; 記録 shows "-----".
    for (int w : {1, 6}) {
        for (const char *count : {"lblMoji_T", "lblOk", "lblNg"})
            row(w, count, QStringLiteral("15"));
        row(w, "lblRitu", QStringLiteral("100.0%"));
        row(w, "lblJikan", w == 1 ? QStringLiteral("0.5") : QStringLiteral("60"));
        row(w, "lblByou", QStringLiteral("-----"));
    }
    // アイコン衰弱: turns and misses up to the records' 9999, forty pieces, a
    // clear time in tenths; the records show "-----" when there is none.
    for (const char *count : {"lblTrun", "lblNg", "lblKiroku"})
        row(2, count, QStringLiteral("9999"));
    row(2, "lblZan", QStringLiteral("40"));
    row(2, "lblKiroku", QStringLiteral("-----"));
    row(2, "lblJikan", QStringLiteral("9999.9"));
    row(2, "lblKirokuByou", QStringLiteral("9999.9"));
    // 追跡記憶: a long trace, its clicks, and the seconds in tenths.
    row(5, "lblMoji_T", QStringLiteral("99"));
    row(5, "lblOk", QStringLiteral("9999"));
    row(5, "lblbun", QStringLiteral("99 / 99"));
    row(5, "lblJikan", QStringLiteral("9999.9"));
    // The typing games: counts of answers, the rate, characters per second
    // and the seconds (left of a timed play, or elapsed of a counted one).
    for (int w : {3, 4, 7}) {
        for (const char *count : {"lblOk", "lblNg", "lblMoji_T"})
            row(w, count, QStringLiteral("9999"));
        row(w, "lblRitu", QStringLiteral("100.0%"));
        row(w, "lblByou", QStringLiteral("99.99/秒"));
        row(w, "lblByou", QStringLiteral("50.00/秒"));
        row(w, "lblJikan", QStringLiteral("9999.9"));
    }
    row(4, "lblMonsu", QStringLiteral("100"));
    row(7, "lblLoop", QStringLiteral("99"));
}

void tst_GameLayout::resultBoxesFitTheirWidestValues()
{
    QFETCH(int, window);
    QFETCH(QString, box);
    QFETCH(QString, widest);
    GameFixture f;
    GameFrame *w = openShown(f, window);
    QVERIFY(w);
    auto *label = w->findChild<QLabel *>(box);
    QVERIFY(label);
    settle();
    const QRect before = label->geometry();

    // The value as the game shows it, after the window has laid itself out.
    label->setText(widest);
    settle();
    const QFontMetrics m(label->font());
    const int need = m.horizontalAdvance(widest);
    QVERIFY2(need <= textRoom(label),
             qPrintable(QStringLiteral("「%1」 needs %2 px, %3 has %4 (%5 wide)")
                            .arg(widest)
                            .arg(need)
                            .arg(box)
                            .arg(textRoom(label))
                            .arg(label->width())));
    // The room was there before the value came: nothing beside it moves.
    QCOMPARE(label->geometry(), before);
}

void tst_GameLayout::windowsGoBackToTheirSizeAfterThePanelGrows_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<QString>("view");   // the view button pressed
    QTest::addColumn<QString>("goneBy"); // how the grown panel goes: "panel" click, "スタート" or none
    QTest::newRow("数字記憶") << 1 << "cmdRitu"
                              << "";
    QTest::newRow("アイコン衰弱") << 2 << "background"
                                  << "panel";
    QTest::newRow("時間差記憶") << 3 << "cmdRitu"
                                << "";
    QTest::newRow("輪廻記憶") << 4 << "cmdRitu"
                              << "";
    QTest::newRow("追跡記憶") << 5 << "cmdMoji"
                              << "スタート";
    QTest::newRow("画像記憶") << 6 << "cmdRitu"
                              << "panel";
    QTest::newRow("バラバラ記憶") << 7 << "cmdRitu"
                                  << "スタート";
}

void tst_GameLayout::windowsGoBackToTheirSizeAfterThePanelGrows()
{
    QFETCH(int, window);
    QFETCH(QString, view);
    QFETCH(QString, goneBy);
    GameFixture f;
    GameFrame *w = openShown(f, window);
    QVERIFY(w);
    QWidget *board = boardOf(w);
    QVERIFY(board);
    settle();
    const QSize size = w->size();
    const QList<QRect> places = childPlaces(board);

    // A view (or, in アイコン衰弱, a click on the window's background) may grow the panel.
    if (view == QLatin1String("background"))
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() / 2, 2));
    else
        QTest::mouseClick(w->viewButton(view), Qt::LeftButton);
    settle();
    QCOMPARE(childPlaces(board), places);
    if (goneBy.isEmpty()) {
        QCOMPARE(w->size(), size);
        return;
    }
    QVERIFY(w->panelTall());

    // The grown panel goes: clicked away (the board alone is left) or made
    // compact by the next play.
    if (goneBy == QLatin1String("panel"))
        QTest::mouseClick(w->fraRireki(), Qt::LeftButton, {}, QPoint(2, 2));
    else
        QTest::mouseClick(w->cmdStart(), Qt::LeftButton);
    settle();
    QVERIFY(!board->isHidden());
    QCOMPARE(w->size(), size);
    QCOMPARE(childPlaces(board), places);

    // A panel clicked away comes back, compact (画像記憶 with スタート,
    // アイコン衰弱 at the end of the game): the window as it opened.
    if (goneBy == QLatin1String("panel")) {
        QTest::mouseClick(w->cmdStart(), Qt::LeftButton);
        w->showHistoryPanel();
        settle();
        QVERIFY(w->historyPanelShown());
        QVERIFY(!w->panelTall());
        QCOMPARE(w->size(), size);
        QCOMPARE(childPlaces(board), places);
    }
}

void tst_GameLayout::saveButtonsStayWhereTheyAre_data()
{
    QTest::addColumn<int>("window");
    for (int n = 1; n <= 7; ++n)
        QTest::addRow("frmG%d", n) << n;
}

void tst_GameLayout::saveButtonsStayWhereTheyAre()
{
    QFETCH(int, window);
    GameFixture f;
    GameFrame *w = openShown(f, window);
    QVERIFY(w);
    settle();
    QVERIFY(w->chkAs()->isChecked()); // a first start saves automatically
    const QRect hozon = w->cmdHozon()->geometry();
    const QRect clear = w->cmdClear()->geometry();

    // Switched to manual saving, its caption appears; 保存 and クリア stay put,
    // so a second click where 保存 was saves rather than switching back.
    tick(w->chkAs());
    settle();
    QVERIFY(!w->chkAs()->isChecked());
    QCOMPARE(w->chkAs()->text(), QStringLiteral("手動保存モード"));
    QCOMPARE(w->cmdHozon()->geometry(), hozon);
    QCOMPARE(w->cmdClear()->geometry(), clear);
    QVERIFY(!w->chkAs()->geometry().intersects(hozon));
    const QFontMetrics m(w->chkAs()->font());
    QVERIFY(m.horizontalAdvance(w->chkAs()->text()) < w->chkAs()->width());

    tick(w->chkAs());
    settle();
    QVERIFY(w->chkAs()->isChecked());
    QCOMPARE(w->cmdHozon()->geometry(), hozon);
    QCOMPARE(w->cmdClear()->geometry(), clear);
}

QTEST_MAIN(tst_GameLayout)
#include "tst_gamelayout.moc"
