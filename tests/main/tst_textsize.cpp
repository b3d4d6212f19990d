// The player's text size: every window at 標準, 大きい and とても大きい fits a
// 1366×768 screen with nothing clipped (no control outside the one holding
// it, no caption wider than its control); the size is chosen on the edit
// screen by the keyboard, stored in "文字の大きさ.txt" (code page 932, CR LF,
// the old file copied first) and used by the next window; a damaged file
// gives 標準 and is told once.
#include "mainfixture.h"

#include "core/backup.h"
#include "core/datafolder.h"
#include "core/textsize.h"
#include "games/frame/gameframe.h"
#include "games/frame/historypanel.h"
#include "games/registry.h"
#include "main/appnavigator.h"
#include "main/appsetup.h"
#include "testing/controls.h"
#include "widgets/textscale.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QToolButton>
#include <QtTest>

using namespace kioku;

namespace {

// What a 1366×768 screen leaves a window's inside (kSmallScreenHeight).
const QSize kSmallScreen(kSmallScreenWidth, kSmallScreenHeight);

void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QApplication::processEvents();
    }
}

// Whether `w` lies inside a scrolled area's contents (placed anywhere on purpose).
bool scrolled(const QWidget *w)
{
    for (const QWidget *p = w->parentWidget(); p; p = p->parentWidget())
        if (qobject_cast<const QAbstractScrollArea *>(p))
            return true;
    return false;
}

// The room a caption has in its control, and the width its text needs.
int textRoom(const QWidget *w)
{
    if (const auto *l = qobject_cast<const QLabel *>(w))
        return l->contentsRect().width() - 2 * l->margin();
    if (const auto *b = qobject_cast<const QCheckBox *>(w)) {
        QStyleOptionButton o;
        o.initFrom(b);
        return b->style()->subElementRect(QStyle::SE_CheckBoxContents, &o, b).width();
    }
    if (const auto *b = qobject_cast<const QRadioButton *>(w)) {
        QStyleOptionButton o;
        o.initFrom(b);
        return b->style()->subElementRect(QStyle::SE_RadioButtonContents, &o, b).width();
    }
    return w->contentsRect().width();
}

// What of `window` a player would call clipped, one line per fault.
QStringList clipped(const QWidget *window)
{
    QStringList faults;
    if (window->width() > kSmallScreen.width() || window->height() > kSmallScreen.height())
        faults << QStringLiteral("%1 is %2×%3").arg(window->objectName()).arg(window->width()).arg(window->height());
    for (const QWidget *c : window->findChildren<QWidget *>()) {
        if (!c->isVisibleTo(window) || c->isWindow() || scrolled(c))
            continue;
        // Smaller than the least its content needs (a calendar's weeks, a grid's header).
        // (A button's least width is the style's, not its text's, which is checked
        // below; a control's inner parts are checked as the control.)
        const QSize least = c->minimumSizeHint();
        const bool part = c->objectName().isEmpty() || c->objectName().startsWith(QLatin1String("qt_"));
        if (least.isValid() && !part && !qobject_cast<const QAbstractButton *>(c)
            && c->sizePolicy().horizontalPolicy() != QSizePolicy::Ignored
            && (c->width() < least.width() || c->height() < least.height()))
            faults << QStringLiteral("%1 (%2) is %3×%4, needs %5×%6")
                          .arg(c->objectName(), c->metaObject()->className())
                          .arg(c->width())
                          .arg(c->height())
                          .arg(least.width())
                          .arg(least.height());
        const QRect inParent(QPoint(0, 0), c->parentWidget()->size());
        if (!inParent.contains(c->geometry()))
            faults << QStringLiteral("%1 (%2) lies outside %3")
                          .arg(c->objectName(), c->metaObject()->className(), c->parentWidget()->objectName());
        QString text;
        if (const auto *l = qobject_cast<const QLabel *>(c)) {
            if (!l->wordWrap() && l->pixmap().isNull() && !l->text().contains(QLatin1Char('<')))
                text = l->text();
        } else if (const auto *b = qobject_cast<const QAbstractButton *>(c)) {
            text = b->text();
            text.remove(QLatin1Char('&'));
        }
        if (text.isEmpty())
            continue;
        int widest = 0;
        for (const QString &line : text.split(QLatin1Char('\n')))
            widest = qMax(widest, QFontMetrics(c->font()).horizontalAdvance(line));
        if (widest > textRoom(c))
            faults << QStringLiteral("%1 「%2」 needs %3 px, has %4")
                          .arg(c->objectName(), text)
                          .arg(widest)
                          .arg(textRoom(c));
    }
    return faults;
}

} // namespace

class tst_textSize : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void everyWindowFitsASmallScreen_data();
    void everyWindowFitsASmallScreen();
    void theSizeChosenByKeysIsStoredForTheNextWindow_data();
    void theSizeChosenByKeysIsStoredForTheNextWindow();
    void aDamagedFileIsStandardAndToldOnce_data();
    void aDamagedFileIsStandardAndToldOnce();
};

void tst_textSize::initTestCase()
{
    setUpApplication();
}

void tst_textSize::cleanup()
{
    setTextScale(1.0);
}

void tst_textSize::everyWindowFitsASmallScreen_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<QString>("window"); // frmG<n>, or a main-window panel's menu button
    const QStringList windows = {"cmdMain", "cmdGame", "cmdRentai", "cmdTaijyu", "cmdSyuukei", "cmdBunseki",
                                 "cmdCale", "cmdMemo", "cmdSettei", "frmG1",     "frmG2",      "frmG3",
                                 "frmG4",   "frmG5",   "frmG6",     "frmG7"};
    for (double scale : {1.0, 1.25, 1.5})
        for (const QString &w : windows)
            QTest::addRow("%s at %g", qPrintable(w), scale) << scale << w;
}

void tst_textSize::everyWindowFitsASmallScreen()
{
    QFETCH(double, scale);
    QFETCH(QString, window);
    setTextScale(scale);
    MainFixture f;
    QVERIFY(prepareDataFolder().failed.isEmpty());
    f.dir.write(QStringLiteral("データ.txt"), fixture("views.txt"));

    std::unique_ptr<QWidget> w;
    if (window.startsWith(QLatin1String("frmG"))) {
        w.reset(openGame(*gameByWindowName(window), f.ctx));
        QVERIFY(w);
        static_cast<GameFrame *>(w.get())->tmrStart()->stop();
        w->show();
    } else {
        auto main = f.load();
        main->show();
        QTest::mouseClick(control<QAbstractButton>(main, window), Qt::LeftButton);
        w = std::move(main);
    }
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    settle();
    QStringList faults = clipped(w.get());
    // A game window with each chart drawn (the history panel grows tall in some).
    if (auto *frame = qobject_cast<GameFrame *>(w.get())) {
        for (QPushButton *view : frame->fraRireki()->findChildren<QPushButton *>()) {
            if (!view->objectName().startsWith(QLatin1String("cmd")) || !view->isEnabled() || !view->isVisible()
                || view == frame->cmdAllDsp())
                continue;
            QTest::mouseClick(view, Qt::LeftButton);
            settle();
            for (const QString &fault : clipped(w.get()))
                faults << view->objectName() + QStringLiteral(": ") + fault;
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("\n"))));
}

void tst_textSize::theSizeChosenByKeysIsStoredForTheNextWindow_data()
{
    QTest::addColumn<QByteArray>("before"); // the file as it was ("": none)
    QTest::addColumn<int>("presses");       // Right presses from the option ticked
    QTest::addColumn<QString>("line");
    QTest::addColumn<double>("scale");
    QTest::newRow("標準 to 大きい, no file yet")
        << QByteArray() << 1 << QStringLiteral("\"文字の大きさ\",1.25") << 1.25;
    QTest::newRow("標準 to とても大きい")
        << sjisLines({QStringLiteral("\"文字の大きさ\",1")}) << 2 << QStringLiteral("\"文字の大きさ\",1.5") << 1.5;
    QTest::newRow("大きい back to 標準") << sjisLines({QStringLiteral("\"文字の大きさ\",1.25")}) << -1
                                         << QStringLiteral("\"文字の大きさ\",1") << 1.0;
}

void tst_textSize::theSizeChosenByKeysIsStoredForTheNextWindow()
{
    QFETCH(QByteArray, before);
    QFETCH(int, presses);
    QFETCH(QString, line);
    QFETCH(double, scale);
    MainFixture f;
    if (!before.isEmpty())
        f.dir.write(kTextSizeFile, before);
    auto main = f.load();
    main->show();
    QVERIFY(QTest::qWaitForWindowActive(main.get()));
    QTest::mouseClick(control<QPushButton>(main, QStringLiteral("cmdSettei")), Qt::LeftButton);

    // The option of the stored size is ticked; the arrow keys choose another.
    auto *stored = control<QRadioButton>(main, QStringLiteral("optMoji%1").arg(before.contains("1.25") ? 1 : 0));
    QVERIFY(stored->isChecked());
    stored->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < qAbs(presses); ++i)
        QTest::keyClick(QApplication::focusWidget(), presses > 0 ? Qt::Key_Right : Qt::Key_Left);

    QCOMPARE(f.dir.bytes(kTextSizeFile), sjisLines({line}));
    // Each change copied the file it replaced (none the first time, when there was none).
    QCOMPARE(backupsOf(kTextSizeFile).size(), qAbs(presses) - (before.isEmpty() ? 1 : 0));
    QVERIFY(f.messages.shown.isEmpty());
    QVERIFY(control<QLabel>(main, QStringLiteral("lblMojiNote"))->isVisible());
    QCOMPARE(textScale(), 1.0); // the window open keeps its size

    // The next window is built at the new size.
    AppNavigator nav;
    AppContext ctx(f.clock, f.services.random, f.messages, nav);
    nav.setContext(ctx);
    nav.showMain();
    QCOMPARE(textScale(), scale);
    delete nav.currentWindow();
}

void tst_textSize::aDamagedFileIsStandardAndToldOnce_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("a size that is no step") << sjisLines({QStringLiteral("\"文字の大きさ\",3")});
    QTest::newRow("words") << sjisLines({QStringLiteral("おおきく")});
    QTest::newRow("bytes that are not code page 932") << QByteArray("\"\x82\",1.5\r\n", 9);
}

void tst_textSize::aDamagedFileIsStandardAndToldOnce()
{
    QFETCH(QByteArray, bytes);
    MainFixture f;
    f.dir.write(kTextSizeFile, bytes);
    QCOMPARE(readTextSize(), 1.0);
    for (int load = 0; load < 2; ++load)
        f.load(); // back from a game: the main window's start-up again
    QCOMPARE(f.messages.shown.size(), 1);
    QVERIFY(f.messages.shown.first().text.contains(kTextSizeFile));
    QCOMPARE(f.dir.bytes(kTextSizeFile), bytes); // kept as it was
}

QTEST_MAIN(tst_textSize)
#include "tst_textsize.moc"
