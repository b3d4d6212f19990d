#pragma once
// What bench_display's measurements share: its output, the clocks (steady
// time and the CPU of the process), the statistics of the errors and the
// lines of its report, the targets, and a key posted to a widget.
#include "core/clock.h"
#include "core/datafolder.h"
#include "core/random.h"
#include "games/typing/scrambledtypingwindow.h"
#include "games/visual/iconconcentrationwindow.h"
#include "games/visual/numbermemorywindow.h"
#include "games/visual/trackingmemorywindow.h"
#include "testing/headless.h"
#include "widgets/answerbox.h"
#include "widgets/appcontext.h"
#include "widgets/messages.h"
#include "widgets/shape.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

namespace displaybench {

constexpr double kMedianTargetMs = 2.0;
constexpr double kWorstTargetMs = 16.7;
constexpr double kCpuTargetPercent = 10.0;

QTextStream &out()
{
    static QTextStream s(stdout);
    return s;
}

// One steady clock for every time stamp of this benchmark.
const QElapsedTimer &steady()
{
    static const QElapsedTimer t = [] {
        QElapsedTimer e;
        e.start();
        return e;
    }();
    return t;
}

qint64 nowNs()
{
    return steady().nsecsElapsed();
}

// User + system CPU time of this process in ns.
qint64 cpuNs()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    const auto ns = [](const timeval &tv) { return qint64(tv.tv_sec) * 1000000000 + qint64(tv.tv_usec) * 1000; };
    return ns(u.ru_utime) + ns(u.ru_stime);
}

// Lets events run for `ms` of real time (between plays, never while timing).
void pause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// Opens the game window `W` for timing: its opening run, its own countdown
// timer stopped (the benchmark ticks the countdown itself), shown and
// settled, and auto-save off, so judging writes nothing and every play is
// alike. Null, with `refused` said, when the window refused to open.
template <class W> QPointer<W> openForTiming(kioku::AppContext &ctx, const char *refused)
{
    QPointer<W> w = new W(ctx);
    w->Form_Load();
    if (w->closing()) {
        out() << refused << "; skipped\n";
        return nullptr; // the window deletes itself
    }
    w->tmrStart()->stop();
    w->show();
    pause(200);
    if (w->chkAs()->isChecked()) {
        w->chkAs()->setChecked(false);
        w->chkAs_Click();
    }
    return w;
}

double median(QList<double> v)
{
    if (v.isEmpty())
        return 0;
    std::sort(v.begin(), v.end());
    const qsizetype n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double worstAbs(const QList<double> &v)
{
    double w = 0;
    for (double x : v)
        if (std::abs(x) > std::abs(w))
            w = x;
    return w;
}

double mean(const QList<double> &v)
{
    if (v.isEmpty())
        return 0;
    double s = 0;
    for (double x : v)
        s += x;
    return s / double(v.size());
}

QString ms(double v)
{
    return QStringLiteral("%1").arg(v, 8, 'f', 2);
}

QString verdict(bool ok)
{
    return ok ? QStringLiteral("PASS") : QStringLiteral("FAIL");
}

int usage(const QString &error)
{
    QTextStream(stderr)
        << "bench_display: " << error << "\n"
        << "usage: bench_display [--runs N] [--times 0.2,0.5,1] [--digits N] [--letter-times 0.1,0.5]\n";
    return 2;
}

// The errors and the CPU of one display time, or of all of them.
struct Figures {
    QList<double> errors;
    qint64 cpuNs = 0;
    qint64 wallNs = 0;
    int missed = 0;

    void add(const Figures &o)
    {
        errors += o.errors;
        cpuNs += o.cpuNs;
        wallNs += o.wallNs;
        missed += o.missed;
    }
    double cpuPercent() const { return wallNs > 0 ? 100.0 * double(cpuNs) / double(wallNs) : 0; }
};

void printHeader(const QString &count)
{
    out() << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
                 .arg(QStringLiteral("display"), -8)
                 .arg(count, 7)
                 .arg(QStringLiteral("median err ms"), 14)
                 .arg(QStringLiteral("worst err ms"), 13)
                 .arg(QStringLiteral("mean err ms"), 12)
                 .arg(QStringLiteral("CPU %"), 8);
    out().flush();
}

void printRow(const QString &label, const Figures &f)
{
    out() << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
                 .arg(label, -8)
                 .arg(f.errors.size(), 7)
                 .arg(ms(median(f.errors)), 14)
                 .arg(ms(worstAbs(f.errors)), 13)
                 .arg(ms(mean(f.errors)), 12)
                 .arg(f.cpuPercent(), 8, 'f', 1);
    out().flush();
}

// The three target lines of one display, each with PASS or FAIL.
void printTargets(const Figures &all)
{
    const double med = median(all.errors);
    const double worst = worstAbs(all.errors);
    const double cpu = all.cpuPercent();
    const auto target = [](const QString &what, const QString &value, const QString &goal, bool ok) {
        return QStringLiteral("%1 %2   target %3 %4\n").arg(what, -14).arg(value, 10).arg(goal, -24).arg(verdict(ok));
    };
    out() << "\n"
          << target(QStringLiteral("median error"), QStringLiteral("%1 ms").arg(med, 0, 'f', 2),
                    QStringLiteral("<= %1 ms").arg(kMedianTargetMs, 0, 'f', 1),
                    !all.errors.isEmpty() && std::abs(med) <= kMedianTargetMs)
          << target(QStringLiteral("worst error"), QStringLiteral("%1 ms").arg(worst, 0, 'f', 2),
                    QStringLiteral("< %1 ms").arg(kWorstTargetMs, 0, 'f', 1),
                    !all.errors.isEmpty() && all.missed == 0 && std::abs(worst) < kWorstTargetMs)
          << target(QStringLiteral("CPU"), QStringLiteral("%1 %").arg(cpu, 0, 'f', 1),
                    QStringLiteral("<= %1 % of one core").arg(kCpuTargetPercent, 0, 'f', 0), cpu <= kCpuTargetPercent);
    out().flush();
}

// A key pressed in a widget, delivered once the events run.
void postKey(QWidget *w, Qt::Key key)
{
    QCoreApplication::postEvent(w, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
    QCoreApplication::postEvent(w, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
}

} // namespace displaybench
