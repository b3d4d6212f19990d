// bench_start: how soon the program is on screen.
//
//   bench_start [--runs N] [--sizes 0,100000]
//
// For each size a data folder is made in a temporary XDG data folder: the
// files of a first start, the help tour off, and a play log of that many
// records (0: the empty log of a first start; see playloggen.h).
//
// Measures at each size, each as the median of N runs (default 7):
//   - the cold start: the program itself (its executable) started as a child
//     process on the offscreen platform, from the moment before it is started
//     to the first paint of its main window, as the program reports it with
//     KIOKU_REPORT_FIRST_PAINT=quit (see src/main/firstpaint.h);
//   - the round trip of a game: 戻り (cmdEnd) clicked in number memory's window
//     until the main window that replaces it has first been painted, in this
//     process, with the program's own navigator and real clock.
// Targets: cold start <= 200 ms, round trip <= 100 ms; each line says PASS or
// FAIL, and the exit code is 1 when any fails.
// Run with QT_QPA_PLATFORM=offscreen (scripts/bench.sh sets it).
#include "benchargs.h"
#include "playloggen.h"

#include "core/clock.h"
#include "core/datafolder.h"
#include "core/random.h"
#include "core/settings.h"
#include "main/appnavigator.h"
#include "main/appsetup.h"
#include "main/firstpaint.h"
#include "testing/headless.h"
#include "widgets/appcontext.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QWidget>

#include <algorithm>
#include <functional>

namespace {

QTextStream &out()
{
    static QTextStream s(stdout);
    return s;
}

int g_failures = 0;

double median(QList<double> v)
{
    if (v.isEmpty())
        return -1;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void row(const QString &what, const QList<double> &ms, double limitMs)
{
    const double m = median(ms);
    const bool ok = m >= 0 && m <= limitMs;
    if (!ok)
        ++g_failures;
    const double worst = ms.isEmpty() ? -1 : *std::max_element(ms.begin(), ms.end());
    out() << QStringLiteral("%1 %2 ms  (worst %3 ms)   target <= %4 ms  %5\n")
                 .arg(what, -46)
                 .arg(m, 9, 'f', 2)
                 .arg(worst, 0, 'f', 2)
                 .arg(limitMs)
                 .arg(ok ? QStringLiteral("PASS") : QStringLiteral("FAIL"));
    out().flush();
}

int usage(const QString &error)
{
    QTextStream(stderr) << "bench_start: " << error << "\n"
                        << "usage: bench_start [--runs N] [--sizes N[,N…]]\n";
    return 2;
}

// A data folder as the program finds it after its first start, with `records`
// plays in its log and the help tour off (its welcome box would wait for a click).
bool makeDataFolder(const QString &folder, int records, const kioku::Clock &clock)
{
    if (!QDir().mkpath(folder) || !QDir::setCurrent(folder))
        return false;
    if (!kioku::prepareDataFolder().failed.isEmpty() || !kioku::writeHelpTour(0))
        return false;
    if (records == 0)
        return true;
    kioku::bench::GenOptions gen;
    gen.records = records;
    gen.endDate = clock.today();
    gen.years = records > 50000 ? 10 : 6;
    return kioku::bench::writePlayLogTo(folder, kioku::bench::PlayLogGenerator(gen).generate()).ok;
}

// One start of the program on the data folder of `xdgHome`: the milliseconds
// from just before it was started to its main window's first paint; -1 when it
// reported none.
double coldStart(const QString &xdgHome)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), xdgHome);
    env.remove(QStringLiteral("KIOKU_DATA_DIR"));
    env.insert(QStringLiteral("KIOKU_NO_MESSAGE_BOXES"), QStringLiteral("1"));
    env.insert(QString::fromLatin1(kioku::kReportFirstPaintVariable), QStringLiteral("quit"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::SeparateChannels);
    const qint64 t0 = kioku::monotonicNs();
    p.start(QStringLiteral(KIOKU_EXE), {});
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        return -1;
    }
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("kioku: first paint "))) {
            const qint64 paintNs = line.section(QLatin1Char(' '), 3, 3).toLongLong();
            return double(paintNs - t0) / 1e6;
        }
    }
    QTextStream(stderr) << "bench_start: no first paint reported; stderr:\n" << p.readAllStandardError();
    return -1;
}

// Notes the first paint of a main window (frmMain) after arm().
class PaintWatch : public QObject {
public:
    void arm()
    {
        m_paintedNs = -1;
        m_armed = true;
    }
    qint64 paintedNs() const { return m_paintedNs; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (m_armed && event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->window()->objectName() == QLatin1String("frmMain")) {
            m_paintedNs = kioku::monotonicNs();
            m_armed = false;
        }
        return false;
    }

private:
    bool m_armed = false;
    qint64 m_paintedNs = -1;
};

// Lets events run, deferred deletions included, until `done` or 10 s.
bool runUntil(const std::function<bool()> &done)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > 10000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

// Rounds trips from number memory back to the main window, in this process.
QList<double> roundTrips(int runs)
{
    QList<double> ms;
    kioku::SystemClock clock;
    kioku::SystemRandom random(clock);
    kioku::ScriptedMessageService messages;
    kioku::AppNavigator navigator;
    kioku::AppContext ctx(clock, random, messages, navigator);
    navigator.setContext(ctx);
    PaintWatch watch;
    qApp->installEventFilter(&watch);

    const auto current = [&navigator](const QString &name) {
        QWidget *w = navigator.currentWindow();
        return w && w->objectName() == name && w->isVisible() ? w : nullptr;
    };
    const QString game = kioku::gameInfo(kioku::Game::NumberMemory).windowName;
    watch.arm();
    navigator.showMain();
    if (!runUntil([&] { return watch.paintedNs() >= 0; }))
        return ms;
    for (int i = 0; i < runs; ++i) {
        // The game opened by its launcher button, as the player opens it.
        QWidget *main = current(QStringLiteral("frmMain"));
        auto *launch = main
            ? main->findChild<QAbstractButton *>(kioku::gameInfo(kioku::Game::NumberMemory).launcherButton)
            : nullptr;
        if (!launch)
            return ms;
        launch->click();
        if (!runUntil([&] { return current(game) != nullptr; }))
            return ms;
        auto *back = current(game)->findChild<QAbstractButton *>(QStringLiteral("cmdEnd"));
        if (!back)
            return ms;
        watch.arm();
        const qint64 t0 = kioku::monotonicNs();
        back->click();
        if (!runUntil([&] { return watch.paintedNs() >= 0; }))
            return ms;
        ms.append(double(watch.paintedNs() - t0) / 1e6);
    }
    qApp->removeEventFilter(&watch);
    navigator.quit();
    if (QWidget *w = navigator.currentWindow())
        delete w;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    kioku::bench::offscreenUnlessAsked();
    QApplication app(argc, argv);
    kioku::setUpApplication(); // as the program does

    QStringList args = app.arguments();
    args.removeFirst();
    int runs = 7;
    QList<int> sizes = {0, 100000};
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        bool ok = true;
        if (a == QLatin1String("--runs")) {
            ok = kioku::bench::readRuns(args.value(++i), &runs);
        } else if (a == QLatin1String("--sizes")) {
            ok = kioku::bench::readSizes(args.value(++i), &sizes);
        } else {
            return usage(QStringLiteral("unknown argument %1").arg(a));
        }
        if (!ok)
            return usage(QStringLiteral("bad value for %1").arg(a));
    }

    kioku::SystemClock clock;
    out() << "start-up of the program (" << KIOKU_EXE << "), median of " << runs << " runs\n";
    for (const int size : sizes) {
        QTemporaryDir xdg;
        const QString folder = QDir(xdg.path()).filePath(QStringLiteral("kioku"));
        if (!xdg.isValid() || !makeDataFolder(folder, size, clock))
            return usage(QStringLiteral("cannot make a data folder of %1 records").arg(size));
        out() << "\nplay log: " << size << " records\n";
        QList<double> starts;
        for (int i = 0; i < runs; ++i) {
            const double ms = coldStart(xdg.path());
            if (ms < 0)
                break;
            starts.append(ms);
        }
        row(QStringLiteral("cold start: process start .. main window painted"), starts, 200);
        row(QStringLiteral("round trip: 戻り in 数字記憶 .. main window painted"), roundTrips(runs), 100);
        QDir::setCurrent(QDir::tempPath());
    }
    return g_failures > 0 ? 1 : 0;
}
