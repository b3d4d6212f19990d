// The windows under the desktop's default palette and under a dark one (Fusion
// with the colours KDE's Breeze Dark hands to Qt), drawn as a high-density
// screen shows them (twice the scale): every surface the program colours is
// found in the rendered pixels of the main window's panels (the game windows'
// in tst_darkgames), and its text reads on it (contrast at least 4.5:1); the
// charts follow the desktop; every window fits a 2560×1600 screen with nothing
// cut off, and grid columns in twips scale with the screen.
#include "../games/gamefixture.h"
#include "mainfixture.h"
#include "surfacecheck.h"

#include "core/datafolder.h"
#include "main/appsetup.h"
#include "testing/controls.h"
#include "testing/darkpalette.h"
#include "widgets/answerbox.h"
#include "widgets/backcolor.h"
#include "widgets/chart.h"
#include "widgets/flexgrid.h"
#include "widgets/graphbuttons.h"
#include "widgets/helpviewer.h"
#include "widgets/messages.h"
#include "widgets/monthcalendar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QStyle>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextTable>
#include <QtTest>

#include <functional>
#include <memory>

using namespace kioku;

class tst_darkPalette : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void helperKeepsColoursAndShadesTexts_data();
    void helperKeepsColoursAndShadesTexts();
    void mainWindowSurfacesRead_data();
    void mainWindowSurfacesRead();
    void aThemeChangedWhileOpenIsFollowed();
    void helpPagesColourTheirCellsReadably();
    void windowsFitAHighDensityScreen_data();
    void windowsFitAHighDensityScreen();

private:
    void usePalette(bool dark) { m_surfaces.usePalette(dark); }
    void check(QWidget *window, const QString &where) { m_surfaces.check(window, where); }
    void expectChecked(const QStringList &names) { m_surfaces.expectChecked(names); }

    SurfaceFindings m_surfaces;
};

void tst_darkPalette::initTestCase()
{
    setUpApplication();
    QCOMPARE(qApp->devicePixelRatio(), qreal(kScale));
    m_surfaces.useDefaultLook();
}

void tst_darkPalette::cleanup()
{
    m_surfaces.reset();
}

// ---------------------------------------------------------------- the helper

void tst_darkPalette::helperKeepsColoursAndShadesTexts_data()
{
    QTest::addColumn<QColor>("back");
    QTest::addColumn<QColor>("preferred");
    QTest::addColumn<bool>("kept");
    // The red total of the aggregates and the red give-up letters: a shade
    // darker on white and ivory, lighter on a dark grid; black that reads stays.
    QTest::newRow("red on white") << QColor(255, 255, 255) << QColor(255, 0, 0) << false;
    QTest::newRow("red on ivory") << QColor(255, 255, 240) << QColor(255, 0, 0) << false;
    QTest::newRow("red on a dark grid") << QColor(27, 30, 32) << QColor(255, 0, 0) << false;
    QTest::newRow("weekend blue on a dark calendar") << QColor(27, 30, 32) << QColor(0x1e, 0x5a, 0xd2) << false;
    QTest::newRow("dark blue digits on white") << QColor(255, 255, 255) << QColor(20, 30, 90) << true;
    QTest::newRow("black on ivory") << QColor(255, 255, 240) << QColor(0, 0, 0) << true;
    QTest::newRow("hidden in its back colour") << QColor(255, 255, 240) << QColor(255, 255, 240) << true;
}

void tst_darkPalette::helperKeepsColoursAndShadesTexts()
{
    QFETCH(QColor, back);
    QFETCH(QColor, preferred);
    QFETCH(bool, kept);
    const QColor text = readableTextOn(back, preferred);
    QCOMPARE(text == preferred, kept);
    if (preferred != back) {
        QVERIFY(contrastRatio(text, back) >= kReadableContrast);
        // Still the same hue: a red stays red, a blue blue.
        if (preferred.hsvHue() >= 0)
            QVERIFY(qAbs(text.hsvHue() - preferred.hsvHue()) <= 12);
    }
    // On a label: the back colour reads back exactly, the text asked for too.
    QLabel l(QStringLiteral("字"));
    QPushButton b(QStringLiteral("字"));
    setBackColor(&l, back, preferred);
    QCOMPARE(backColor(&l), back);
    QCOMPARE(textColor(&l), preferred);
    QCOMPARE(l.palette().color(QPalette::WindowText), text);
    // The button face on a button is an unselected button: it follows the desktop.
    setBackColor(&b, back);
    QVERIFY(hasBackColor(&b));
    setBackColor(&b, buttonFace());
    QVERIFY(!hasBackColor(&b));
    QCOMPARE(backColor(&b), buttonFace());
    QCOMPARE(b.palette().color(QPalette::ButtonText), QApplication::palette(&b).color(QPalette::ButtonText));
}

// ---------------------------------------------------------------- the main window

void tst_darkPalette::mainWindowSurfacesRead_data()
{
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("graph");
    QTest::addColumn<QStringList>("surfaces");
    struct Screen {
        const char *button;
        const char *graph;
        QStringList surfaces;
    };
    const QList<Screen> screens = {
        {"cmdMain", "cmdDay", {"lblMHyouka", "cmdDay", "mcrMain"}},
        {"cmdGame", "", {"fraGame"}},
        {"cmdRentai", "cmdHigoto2", {"cmdHigoto2"}},
        {"cmdRentai", "cmdTotal2", {"cmdTotal2"}},
        {"cmdTaijyu", "cmdJikan3", {"cmdAllDay", "cmdAllact", "cmdAllWeek", "cmdJikan3"}},
        {"cmdSyuukei", "", {"msgKakei1", "msgKakei2"}},
        {"cmdBunseki", "", {}},
        {"cmdCale", "", {"lblHan0", "lblHan1", "lblHan4", "lblHan6", "msgCale", "msgCale_w"}},
        {"cmdMemo", "", {}},
        {"cmdSettei", "", {}},
    };
    for (bool dark : {false, true})
        for (const Screen &s : screens)
            QTest::addRow("%s %s%s%s", dark ? "dark" : "default", s.button, *s.graph ? " " : "", s.graph)
                << dark << QString::fromLatin1(s.button) << QString::fromLatin1(s.graph) << s.surfaces;
}

void tst_darkPalette::mainWindowSurfacesRead()
{
    QFETCH(bool, dark);
    QFETCH(QString, button);
    QFETCH(QString, graph);
    QFETCH(QStringList, surfaces);
    usePalette(dark);
    MainFixture f;
    f.dir.write(QStringLiteral("データ.txt"), viewsLogWithToday());
    auto w = f.load();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QCOMPARE(w->fraMain->lblMHyouka->text(), QStringLiteral("4 種類の脳刺激"));
    QCOMPARE(backColor(w->fraMain->lblMHyouka), QColor(192, 255, 192)); // light green, as the fourth lamp

    w->findChild<QPushButton *>(button)->click();
    if (!graph.isEmpty())
        w->findChild<QPushButton *>(graph)->click();
    check(w.get(), button + QLatin1Char(' ') + graph);
    expectChecked(surfaces);
    QVERIFY(f.messages.shown.isEmpty());
}

// ---------------------------------------------------------------- the games

// A desktop that changes its theme while the program runs: the windows follow,
// and every coloured surface keeps its colour and reads on it.
void tst_darkPalette::aThemeChangedWhileOpenIsFollowed()
{
    MainFixture f;
    f.dir.write(QStringLiteral("データ.txt"), viewsLogWithToday());
    auto w = f.load();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    w->cmdTaijyu->click();
    control<QPushButton>(w, QStringLiteral("cmdDay3"))->click();
    const QColor selected = backColor(control<QPushButton>(w, QStringLiteral("cmdDay3")));
    w->cmdSyuukei->click();

    usePalette(true);
    QCoreApplication::processEvents();
    check(w.get(), QStringLiteral("syuukei after the switch"));
    w->cmdMain->click();
    check(w.get(), QStringLiteral("today after the switch"));
    w->cmdTaijyu->click();
    check(w.get(), QStringLiteral("taijyu after the switch"));
    // The selected graph is still the one selected, in its own colour.
    QCOMPARE(backColor(control<QPushButton>(w, QStringLiteral("cmdDay3"))), selected);
    QVERIFY(!hasBackColor(control<QPushButton>(w, QStringLiteral("cmdTotal3"))));
    expectChecked({"msgKakei1", "lblMHyouka", "mcrMain", "cmdDay3", "cmdAllDay"});
}

// The help pages colour some table cells; their text must read on them
// whatever the viewer's own text colour is.
void tst_darkPalette::helpPagesColourTheirCellsReadably()
{
    for (bool dark : {false, true}) {
        usePalette(dark);
        MainFixture f;
        QVERIFY(prepareDataFolder().failed.isEmpty());
        auto w = f.load();
        w->cmdHelp->click();
        auto *viewer = w->findChild<HelpViewer *>();
        QVERIFY(viewer);
        auto *browser = viewer->findChild<QTextBrowser *>();
        QVERIFY(browser);
        int cells = 0;
        for (QTextBlock b = browser->document()->begin(); b.isValid(); b = b.next()) {
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextFragment frag = it.fragment();
                if (frag.text().trimmed().isEmpty())
                    continue;
                QTextCursor c(b);
                c.setPosition(frag.position());
                const QTextTable *table = c.currentTable();
                if (!table)
                    continue;
                const QTextTableCell cell = table->cellAt(c);
                const QBrush cellBack = cell.format().background();
                const QBrush rowBack = frag.charFormat().background();
                const QColor back = cellBack.style() != Qt::NoBrush ? cellBack.color()
                    : rowBack.style() != Qt::NoBrush                ? rowBack.color()
                                                                    : QColor();
                if (!back.isValid())
                    continue;
                const QBrush fore = frag.charFormat().foreground();
                QVERIFY2(fore.style() != Qt::NoBrush, qPrintable(frag.text()));
                QVERIFY2(contrastRatio(fore.color(), back) >= kReadableContrast, qPrintable(frag.text()));
                ++cells;
            }
        }
        QVERIFY(cells >= 10);
        HelpViewer::closeAll();
        cleanup();
    }
}

// ---------------------------------------------------------------- high scale

void tst_darkPalette::windowsFitAHighDensityScreen_data()
{
    QTest::addColumn<QString>("window");
    for (const char *w : {"frmMain", "frmMain cmdSyuukei", "frmMain cmdCale", "frmMain cmdTaijyu", "HelpViewer",
                          "welcome box", "frmG1", "frmG2", "frmG3", "frmG4", "frmG5", "frmG6", "frmG7"})
        QTest::newRow(w) << QString::fromLatin1(w);
}

void tst_darkPalette::windowsFitAHighDensityScreen()
{
    QFETCH(QString, window);
    MainFixture f;
    QVERIFY(prepareDataFolder().failed.isEmpty());
    f.dir.write(QStringLiteral("データ.txt"), viewsLogWithToday());
    std::unique_ptr<QWidget> owned;
    std::unique_ptr<MainWindow> main;
    QWidget *w = nullptr;
    const auto game = [&](auto *typed) {
        owned.reset(typed);
        typed->tmrStart()->stop();
        typed->tmrBp()->stop();
        typed->Form_Load();
        typed->show();
        return typed;
    };
    if (window.startsWith(QLatin1String("frmMain"))) {
        main = f.load();
        main->show();
        if (window.contains(QLatin1Char(' ')))
            main->findChild<QPushButton *>(window.section(QLatin1Char(' '), 1))->click();
        w = main.get();
    } else if (window == QLatin1String("HelpViewer")) {
        main = f.load();
        main->cmdHelp->click();
        w = main->findChild<HelpViewer *>();
    } else if (window == QLatin1String("welcome box")) {
        owned = QtMessageService::createBox(nullptr, MainWindow::welcomeText(), QStringLiteral("ヘルプツアー"),
                                            MsgButtons::Ok, MsgIcon::Information);
        owned->show();
        w = owned.get();
    } else if (window == QLatin1String("frmG1")) {
        w = game(new NumberMemoryWindow(f.ctx));
    } else if (window == QLatin1String("frmG2")) {
        w = game(new IconConcentrationWindow(f.ctx));
    } else if (window == QLatin1String("frmG3")) {
        w = game(new TimeLagTypingWindow(f.ctx));
    } else if (window == QLatin1String("frmG4")) {
        w = game(new CycleTypingWindow(f.ctx));
    } else if (window == QLatin1String("frmG5")) {
        w = game(new TrackingMemoryWindow(f.ctx));
    } else if (window == QLatin1String("frmG6")) {
        w = game(new ImageMemoryWindow(f.ctx));
    } else if (window == QLatin1String("frmG7")) {
        w = game(new ScrambledTypingWindow(f.ctx));
    }
    QVERIFY(w);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(w->devicePixelRatio(), qreal(kScale));

    // The window as it opens, and as small as it may be made, fits the screen
    // with a desktop panel and its title bar.
    const QSize room(kLogicalScreen.width(), kLogicalScreen.height() - kPanelAndTitle);
    const QString sizes = QStringLiteral("opens at %1×%2, at least %3×%4")
                              .arg(w->width())
                              .arg(w->height())
                              .arg(w->minimumSizeHint().width())
                              .arg(w->minimumSizeHint().height());
    QVERIFY2(w->width() <= room.width() && w->height() <= room.height(), qPrintable(sizes));
    QVERIFY2(w->minimumSizeHint().width() <= room.width() && w->minimumSizeHint().height() <= room.height(),
             qPrintable(sizes));

    // Nothing cut off: every control lies inside the window and is as large as
    // it needs to be; every caption fits its label.
    QStringList clipped;
    for (QWidget *c : w->findChildren<QWidget *>()) {
        if (!c->isVisibleTo(w) || c->objectName().startsWith(QLatin1String("qt_")))
            continue;
        const QRect at(c->mapTo(w, QPoint(0, 0)), c->size());
        const bool control = qobject_cast<QAbstractButton *>(c) || qobject_cast<QLabel *>(c)
            || qobject_cast<QLineEdit *>(c) || qobject_cast<QComboBox *>(c);
        if (!control)
            continue;
        if (!w->rect().contains(at))
            clipped
                << QStringLiteral("%1 %2 lies outside the window").arg(c->metaObject()->className(), c->objectName());
        const QSize need = c->minimumSizeHint();
        if (auto *l = qobject_cast<QLabel *>(c)) {
            if (l->wordWrap() || l->text().isEmpty() || !l->pixmap().isNull())
                continue;
            const QFontMetrics m(l->font());
            const int textWidth = m.boundingRect(QRect(), int(l->alignment()), l->text()).width();
            if (textWidth > l->contentsRect().width() + 1)
                clipped << QStringLiteral("label %1 「%2」 %3 wide for %4")
                               .arg(l->objectName(), l->text())
                               .arg(textWidth)
                               .arg(l->contentsRect().width());
        } else if (auto *b = qobject_cast<QPushButton *>(c)) {
            // The style asks 80 pixels of every push button; what matters is its caption.
            const QFontMetrics m(b->font());
            QString caption = b->text();
            caption.remove(QLatin1Char('&'));
            int width = m.horizontalAdvance(caption) + 8;
            if (!b->icon().isNull())
                width += b->iconSize().width() + 4;
            if (b->width() < width || b->height() < m.height() + 4)
                clipped << QStringLiteral("button %1 「%2」 is %3×%4 for %5×%6")
                               .arg(b->objectName(), b->text())
                               .arg(b->width())
                               .arg(b->height())
                               .arg(width)
                               .arg(m.height() + 4);
        } else if (need.isValid() && (c->width() + 1 < need.width() || c->height() + 1 < need.height())) {
            clipped << QStringLiteral("%1 %2 is %3×%4 for %5×%6")
                           .arg(c->metaObject()->className(), c->objectName())
                           .arg(c->width())
                           .arg(c->height())
                           .arg(need.width())
                           .arg(need.height());
        }
    }
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));

    // Grid columns are given in twips: 15 to a pixel of the design, so twice
    // as many screen pixels at twice the scale.
    for (FlexGrid *g : w->findChildren<FlexGrid *>()) {
        if (!g->isVisibleTo(w))
            continue;
        for (int c = 0; c < g->cols(); ++c) {
            if (g->isColumnHidden(c))
                continue;
            const double device = g->columnWidth(c) * g->devicePixelRatio();
            const double designed = g->colWidth(c) / 15.0 * kScale;
            QVERIFY2(qAbs(device - designed) <= kScale,
                     qPrintable(QStringLiteral("%1 column %2: %3 px for %4 twips")
                                    .arg(g->objectName())
                                    .arg(c)
                                    .arg(device)
                                    .arg(g->colWidth(c))));
        }
    }
    HelpViewer::closeAll();
}

// The windows are drawn as a high-density screen shows them: twice the scale.
int main(int argc, char *argv[])
{
    qputenv("QT_SCALE_FACTOR", QByteArray::number(kScale));
    QApplication app(argc, argv);
    tst_darkPalette t;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&t, argc, argv);
}

#include "tst_darkpalette.moc"
