// The program natively on Wayland: the windows opened and closed as the player
// goes from the main window to a game and back, through the program's own
// navigator, on Qt's wayland platform under a headless Weston (see
// support/run_under_weston.sh). Each window must reach the screen and go
// again, and nothing may be told on the way: a warning from the platform (a
// surface that could not be made, a protocol error, a window without a
// buffer) means the window did not really work.
#include "core/datafolder.h"
#include "main/appnavigator.h"
#include "main/appsetup.h"
#include "mainfixture.h"
#include "testing/controls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QtTest>

using namespace kioku;

namespace {

QStringList g_warnings;
QtMessageHandler g_previous = nullptr;

void recordWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg)
        g_warnings << QStringLiteral("%1: %2").arg(QString::fromLatin1(context.category), message);
    if (g_previous)
        g_previous(type, context, message);
}

// The program's navigator, except that the end of the program is only noted:
// the test goes on after it.
class TestNavigator : public AppNavigator {
public:
    int ends = 0;

protected:
    void endProgram() override { ++ends; }
};

bool exposed(QWidget *w)
{
    return w && w->isVisible() && w->windowHandle() && w->windowHandle()->isExposed();
}

} // namespace

class TstWaylandWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init() { g_warnings.clear(); }
    void toAGameAndBack_data();
    void toAGameAndBack();
};

void TstWaylandWindows::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
    setUpApplication();
    g_previous = qInstallMessageHandler(recordWarnings);
}

void TstWaylandWindows::toAGameAndBack_data()
{
    QTest::addColumn<Game>("game");
    QTest::newRow("数字記憶 (a visual game)") << Game::NumberMemory;
    QTest::newRow("時間差記憶 (a typing game)") << Game::TimeLag;
}

void TstWaylandWindows::toAGameAndBack()
{
    QFETCH(Game, game);
    MainFixture f;
    prepareDataFolder();
    TestNavigator navigator;
    AppContext ctx(f.clock, f.services.random, f.messages, navigator);
    navigator.setContext(ctx);

    navigator.showMain();
    QPointer<QWidget> main = navigator.currentWindow();
    QVERIFY(main);
    QTRY_VERIFY_WITH_TIMEOUT(exposed(main), 60000);

    // ゲーム, then the game's button: the game opens and the main window goes.
    QTest::mouseClick(control<QAbstractButton>(main, QStringLiteral("cmdGame")), Qt::LeftButton);
    QTest::mouseClick(control<QAbstractButton>(main, gameInfo(game).launcherButton), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(main.isNull(), 60000);
    QPointer<QWidget> window = navigator.currentWindow();
    QVERIFY(window);
    QCOMPARE(window->objectName(), gameInfo(game).windowName);
    QTRY_VERIFY_WITH_TIMEOUT(exposed(window), 60000);

    // 戻り: the main window comes back and the game goes.
    QTest::mouseClick(control<QAbstractButton>(window, QStringLiteral("cmdEnd")), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(window.isNull(), 60000);
    main = navigator.currentWindow();
    QVERIFY(main);
    QCOMPARE(main->objectName(), QStringLiteral("frmMain"));
    QTRY_VERIFY_WITH_TIMEOUT(exposed(main), 60000);

    // The main window closed by the player ends the program.
    QVERIFY(main->close());
    QTRY_VERIFY_WITH_TIMEOUT(main.isNull(), 60000);
    QCOMPARE(navigator.ends, 1);
    QVERIFY2(g_warnings.isEmpty(), qPrintable(g_warnings.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TstWaylandWindows)
#include "waylandwindows.moc"
