// bench_kioku: how fast the program is on a big play log.
//
//   bench_kioku [FOLDER] [--runs N] [--records N] [--floor-only]
//
// Without FOLDER a six-year log of 30,000 records ending today (see
// playloggen.h) is generated into a temporary folder. With FOLDER, its
// "データ.txt" is copied into a temporary folder first, so the given folder is
// never touched.
//
// Measures, each as the median of several runs:
//   - reading and parsing the play log alone (kioku::readPlayLog): "the floor",
//     the least any screen that shows the log can cost;
//   - the main window's start-up (construction and Form_Load until shown),
//     RefreshToday, and the edit screen's fill (cmdSettei_Click with the read
//     of the log, FillLogGrid from the records already read),
//     each in ms and as a multiple of the floor;
//   - the process's peak memory (VmHWM).
// Targets: start-up <= 250 ms, edit-grid fill <= 100 ms, peak memory <= 150 MB.
// Run with QT_QPA_PLATFORM=offscreen (scripts/bench.sh sets it).
#include "playloggen.h"

#include "core/clock.h"
#include "core/datafolder.h"
#include "core/playlog/playlog.h"
#include "core/random.h"
#include "core/text/textfile.h"
#include "main/editpanel.h"
#include "main/frmmain.h"
#include "testing/headless.h"
#include "widgets/appcontext.h"
#include "widgets/flexgrid.h"
#include "widgets/messages.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

QTextStream &out()
{
    static QTextStream s(stdout);
    return s;
}

// Peak resident memory of this process in MB, from /proc/self/status; -1 when unknown.
double peakMemoryMb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    // /proc files report no size, so read them whole rather than testing atEnd().
    const QList<QByteArray> lines = f.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("VmHWM:")) {
            const QList<QByteArray> parts = line.mid(6).simplified().split(' ');
            bool ok = false;
            const double kb = parts.value(0).toDouble(&ok);
            return ok ? kb / 1024.0 : -1;
        }
    }
    return -1;
}

// Median wall time in ms of `runs` calls of `f`; `before` (untimed) runs ahead of each.
double medianMs(const kioku::Clock &clock, int runs, const std::function<void()> &f,
                const std::function<void()> &before = {})
{
    QList<double> ms;
    for (int i = 0; i < runs; ++i) {
        if (before)
            before();
        const qint64 t0 = clock.elapsedNs();
        f();
        ms.append(double(clock.elapsedNs() - t0) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms.isEmpty() ? 0 : ms[ms.size() / 2];
}

void row(const QString &what, double ms, double floorMs, const QString &target = QString(), double limit = -1)
{
    QString line = QStringLiteral("%1 %2 ms").arg(what, -40).arg(ms, 9, 'f', 2);
    if (floorMs > 0)
        line += QStringLiteral("  %1 x floor").arg(ms / floorMs, 7, 'f', 1);
    else
        line += QString(17, QLatin1Char(' '));
    if (!target.isEmpty())
        line += QStringLiteral("   target %1  %2")
                    .arg(target, limit < 0 || ms <= limit ? QStringLiteral("ok") : QStringLiteral("OVER"));
    out() << line << "\n";
    out().flush();
}

int usage(const QString &error)
{
    QTextStream(stderr) << "bench_kioku: " << error << "\n"
                        << "usage: bench_kioku [FOLDER] [--runs N] [--records N] [--floor-only]\n";
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    kioku::quietOffscreenWarnings();
    QApplication app(argc, argv);

    QStringList args = app.arguments();
    args.removeFirst();
    QString source;
    int runs = 7;
    bool floorOnly = false;
    kioku::bench::GenOptions gen;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        bool ok = true;
        if (a == QLatin1String("--runs")) {
            runs = args.value(++i).toInt(&ok);
            ok = ok && runs >= 1;
        } else if (a == QLatin1String("--records")) {
            gen.records = args.value(++i).toInt(&ok);
            ok = ok && gen.records >= 0;
        } else if (a == QLatin1String("--floor-only")) {
            floorOnly = true;
        } else if (!a.startsWith(QLatin1String("--")) && source.isEmpty()) {
            source = a;
        } else {
            return usage(QStringLiteral("unknown argument %1").arg(a));
        }
        if (!ok)
            return usage(QStringLiteral("bad value for %1").arg(a));
    }

    QTemporaryDir tmp;
    if (!tmp.isValid())
        return usage(QStringLiteral("cannot create a temporary folder"));

    kioku::SystemClock clock;
    if (source.isEmpty()) {
        // The log ends today, so the today panel has a full day to show.
        gen.endDate = clock.today();
        const qint64 t0 = clock.elapsedNs();
        const QList<kioku::PlayRecord> records = kioku::bench::PlayLogGenerator(gen).generate();
        const kioku::text::WriteResult w = kioku::bench::writePlayLogTo(tmp.path(), records);
        if (!w.ok)
            return usage(w.message);
        out() << "generated " << records.size() << " records in "
              << QString::number(double(clock.elapsedNs() - t0) / 1e6, 'f', 0) << " ms\n";
    } else {
        if (!QDir::setCurrent(source) || !kioku::text::fileExists(kioku::kPlayLogFile))
            return usage(QStringLiteral("no play log in %1").arg(source));
        const QString from = QFileInfo(kioku::text::resolve(kioku::kPlayLogFile)).absoluteFilePath();
        if (!QFile::copy(from, QDir(tmp.path()).filePath(kioku::kPlayLogFile)))
            return usage(QStringLiteral("cannot copy %1").arg(from));
    }
    QDir::setCurrent(tmp.path());
    const QString logPath = QFileInfo(kioku::text::resolve(kioku::kPlayLogFile)).absoluteFilePath();

    // ---- the floor: reading and parsing the log, nothing else ----
    int recordCount = 0;
    const double floorMs = medianMs(clock, runs, [&] {
        const kioku::PlayLog log = kioku::readPlayLog();
        recordCount = int(log.records.size());
    });
    out() << "play log: " << logPath << " (" << recordCount << " records, " << QFileInfo(logPath).size()
          << " bytes); median of " << runs << " runs\n\n";
    row(QStringLiteral("read + parse play log (the floor)"), floorMs, 0);

    if (!floorOnly) {
        // The files a main window expects beside the log (settings, memo, name).
        kioku::prepareDataFolder();

        kioku::SystemRandom random(clock);
        kioku::ScriptedMessageService messages;
        kioku::RecordingNavigator navigator;
        kioku::AppContext ctx(clock, random, messages, navigator);

        // ---- main window start-up: construction and Form_Load until shown ----
        QList<double> startups;
        for (int i = 0; i < runs; ++i) {
            const qint64 t0 = clock.elapsedNs();
            auto w = std::make_unique<frmMain>(ctx);
            w->Form_Load();
            QCoreApplication::processEvents();
            startups.append(double(clock.elapsedNs() - t0) / 1e6);
            w.reset();
            QCoreApplication::processEvents();
        }
        const double coldMs = startups.first();
        std::sort(startups.begin(), startups.end());
        row(QStringLiteral("main window start-up (first)"), coldMs, floorMs);
        row(QStringLiteral("main window start-up (median)"), startups[startups.size() / 2], floorMs,
            QStringLiteral("<= 250 ms"), 250);

        frmMain w(ctx);
        w.Form_Load();
        QCoreApplication::processEvents();

        // ---- today panel rebuild ----
        row(QStringLiteral("RefreshToday"), medianMs(clock, runs, [&] { w.RefreshToday(); }), floorMs);

        // ---- edit screen: open it (grid set-up and fill from the log) ----
        row(QStringLiteral("edit screen fill (cmdSettei_Click)"),
            medianMs(
                clock, runs, [&] { w.cmdSettei_Click(); },
                [&] {
                    w.cmdMain_Click(); // cmdSettei_Click does nothing while its panel is shown
                    QCoreApplication::processEvents();
                }),
            floorMs, QStringLiteral("<= 100 ms"), 100);
        row(QStringLiteral("msgHenList fill (FillLogGrid)"),
            medianMs(
                clock, runs, [&] { w.fraSettei->FillLogGrid(w.logSummary().records()); },
                [&] { w.fraSettei->SetupLogGrid(); }),
            floorMs, QStringLiteral("<= 100 ms"), 100);

        // ---- further screens: add their timings here as they are built ----
    }

    const double peak = peakMemoryMb();
    out() << "\n"
          << QStringLiteral("%1 %2 MB").arg(QStringLiteral("peak memory (VmHWM)"), -40).arg(peak, 9, 'f', 1)
          << QString(17, QLatin1Char(' ')) << "   target <= 150 MB  " << (peak <= 150 ? "ok" : "OVER") << "\n";
    out().flush();
    return 0;
}
