// What a screen reader reads of the windows: the program's windows are shown on
// the xcb platform with Qt's accessibility on, and their accessible tree is read
// back over AT-SPI by a separate reader (support/atspi_tree.py, pyatspi), as
// Orca reads it. Every control a player meets must have a name there; the
// controls without one are listed by objectName. Runs under
// support/run_with_atspi.sh (its own session bus, the AT-SPI bus and a virtual
// X server); skipped there when those are not installed.
#include "core/datafolder.h"
#include "games/registry.h"
#include "main/appsetup.h"
#include "mainfixture.h"
#include "testing/controls.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QProcess>
#include <QTimer>
#include <QtTest>

#include <algorithm>

using namespace kioku;

namespace {

// One object as the reader saw it.
struct Seen {
    QList<int> path;
    QString role;
    QString name;
    QString description;
    int children = 0;
    QStringList labelledBy; // the objects that label it, as "role:name"
};

// The roles a player meets as controls; containers (panels, fillers, the
// window frame) and the parts of a grid's header and scroll bars are reached
// through them. Table cells are counted apart: an empty cell has nothing to read.
bool isControl(const QString &role)
{
    static const QStringList roles{
        "push button",   "toggle button", "check box", "radio button", "combo box",     "text",         "entry",
        "password text", "spin button",   "slider",    "label",        "static",        "image",        "canvas",
        "chart",         "table",         "list",      "list box",     "list item",     "progress bar", "page tab",
        "calendar",      "tree",          "tree item", "animation",    "column header", "row header",   "scroll bar"};
    return roles.contains(role);
}

// The objects of this program the AT-SPI reader finds showing.
QList<Seen> readTree(QString *error)
{
    const QString script = qEnvironmentVariable("KIOKU_ATSPI_TREE");
    QProcess reader;
    reader.start(qEnvironmentVariable("KIOKU_ATSPI_PYTHON", QStringLiteral("python3")),
                 {script, QString::number(QCoreApplication::applicationPid())});
    // The reader asks this program over the bus: its questions are answered
    // by our event loop, which QTRY keeps running while we wait.
    if (!reader.waitForStarted(60000)) {
        *error = QStringLiteral("python3 did not start");
        return {};
    }
    // An event loop of our own answers the reader at once (QTest::qWait
    // would sleep between its rounds of events).
    if (reader.state() != QProcess::NotRunning) {
        QEventLoop loop;
        QObject::connect(&reader, &QProcess::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(300000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    if (reader.state() != QProcess::NotRunning) {
        reader.kill();
        reader.waitForFinished();
        *error = QStringLiteral("the AT-SPI reader did not finish");
        return {};
    }
    if (reader.exitCode() != 0) {
        *error = QString::fromUtf8(reader.readAllStandardError());
        return {};
    }
    QList<Seen> seen;
    const QList<QByteArray> lines = reader.readAllStandardOutput().split('\n');
    for (const QByteArray &line : lines) {
        const QList<QByteArray> f = line.split('\t');
        if (f.size() < 5)
            continue;
        Seen s;
        for (const QByteArray &i : f[0].split('/'))
            s.path << i.toInt();
        s.role = QString::fromUtf8(f[1]);
        s.name = QString::fromUtf8(f[2]);
        s.description = QString::fromUtf8(f[3]);
        s.children = f[4].toInt();
        if (f.size() > 5 && !f[5].isEmpty())
            s.labelledBy = QString::fromUtf8(f[5]).split(QLatin1Char('|'));
        seen << s;
    }
    return seen;
}

// The objectName (and those of its parents up to the window) of the object at
// `path` below the application, as Qt's own accessibility tree walks it.
QString whereIs(const QList<int> &path)
{
    QAccessibleInterface *node = QAccessible::queryAccessibleInterface(qApp);
    for (int i : path) {
        node = node ? node->child(i) : nullptr;
    }
    if (!node)
        return QStringLiteral("?");
    QStringList names;
    for (QObject *o = node->object(); o; o = o->parent()) {
        if (!o->objectName().isEmpty() && !o->objectName().startsWith(QLatin1String("qt_")))
            names.prepend(o->objectName());
        if (o->isWidgetType() && static_cast<QWidget *>(o)->isWindow())
            break;
    }
    if (!node->object())
        return QStringLiteral("(part of) ") + whereIs(path.mid(0, path.size() - 1));
    QString own = QString::fromLatin1(node->object()->metaObject()->className());
    return names.join(QLatin1Char('/')) + QStringLiteral(" [") + own + QLatin1Char(']');
}

// A data folder as the program fills it at its first start, with a few plays.
void fillDataFolder(MainFixture &f)
{
    prepareDataFolder();
    f.setLog({play("2026/12/06", "10:00:00", "数字記憶", 65), play("2026/12/07", "09:30:00", "時間差記憶", 120),
              play("2026/12/07", "11:15:00", "アイコン衰弱", 80)});
}

} // namespace

class TstAtspiNames : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void everyControlHasAName_data();
    void everyControlHasAName();
};

void TstAtspiNames::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    setUpApplication(); // as the program sets itself up
    // Qt switches its accessibility on once it has reached the AT-SPI bus.
    QVERIFY2(QTest::qWaitFor([] { return QAccessible::isActive(); }, 60000),
             "Qt's accessibility is off: run under support/run_with_atspi.sh");
}

void TstAtspiNames::everyControlHasAName_data()
{
    QTest::addColumn<QString>("window"); // frmMain, or a game window's name
    QTest::addColumn<QString>("button"); // a menu button pressed first, or ""
    QTest::newRow("main window, today") << "frmMain"
                                        << "";
    QTest::newRow("main window, game launcher") << "frmMain"
                                                << "cmdGame";
    for (const char *panel : {"cmdRentai", "cmdTaijyu", "cmdSyuukei", "cmdBunseki", "cmdCale", "cmdMemo", "cmdSettei"})
        QTest::newRow(qPrintable(QStringLiteral("main window, ") + QLatin1String(panel))) << "frmMain" << panel;
    for (const GameInfo &g : gameCatalogue())
        QTest::newRow(qPrintable(g.itemName + QStringLiteral(" (") + g.windowName + QLatin1Char(')')))
            << g.windowName << "";
}

void TstAtspiNames::everyControlHasAName()
{
    QFETCH(QString, window);
    QFETCH(QString, button);
    MainFixture f;
    fillDataFolder(f);

    std::unique_ptr<QWidget> w;
    if (window == QLatin1String("frmMain")) {
        w = f.load();
    } else {
        w.reset(openGame(*gameByWindowName(window), f.ctx));
        QVERIFY2(w != nullptr, "the game window did not open");
    }
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    if (!button.isEmpty())
        QTest::mouseClick(control<QAbstractButton>(w, button), Qt::LeftButton);

    QString error;
    const QList<Seen> seen = readTree(&error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY2(!seen.isEmpty(), "the AT-SPI reader found nothing of this program");

    int controls = 0, named = 0, cells = 0, readableCells = 0;
    QStringList unnamed;
    const bool dump = qEnvironmentVariableIsSet("KIOKU_ATSPI_DUMP"); // every object, to see what a reader sees
    for (const Seen &s : seen) {
        if (dump)
            qInfo("%s | %s | %s | %s", qPrintable(whereIs(s.path)), qPrintable(s.role), qPrintable(s.name),
                  qPrintable(s.description));
        if (s.role == QLatin1String("table cell")) {
            ++cells;
            readableCells += !s.name.isEmpty();
            continue;
        }
        // A filler with nothing inside is something drawn (a lamp, a chart, a
        // picture): a reader that finds it unnamed says nothing of it.
        if (!isControl(s.role) && !(s.role == QLatin1String("filler") && s.children == 0))
            continue;
        ++controls;
        // A choice box is read by its choice: what it sets is told by the
        // caption that labels it, without which a reader says "20" alone (or
        // only the title of the group around it, "設定 20").
        const bool choice = s.role == QLatin1String("combo box");
        const bool labelled = std::any_of(s.labelledBy.begin(), s.labelledBy.end(), [](const QString &l) {
            return l.startsWith(QLatin1String("label:")) && !l.mid(6).trimmed().isEmpty();
        });
        if (!s.name.trimmed().isEmpty() && (!choice || labelled))
            ++named;
        else
            unnamed << QStringLiteral("  %1 (%2%3)")
                           .arg(whereIs(s.path), s.role, choice ? QStringLiteral(", no caption") : QString());
    }
    qInfo("%s: %d objects showing, %d controls, %d named; %d grid cells, %d with text", QTest::currentDataTag(),
          int(seen.size()), controls, named, cells, readableCells);
    QVERIFY2(unnamed.isEmpty(),
             qPrintable(QStringLiteral("controls without an accessible name:\n") + unnamed.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TstAtspiNames)
#include "atspinames.moc"
