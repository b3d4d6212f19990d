#pragma once
// bench_display's measurements of the visual games' waits: tracking memory's
// trace (each lit and dark phase from first paints) and icon concentration's
// turn-back delays (the elapsed-time label must keep repainting).
#include "displaycommon.h"

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
// Watches the nine panels of tracking memory: each first paint that shows a
// panel in a new state (lit or not), with the time and the CPU used so far.
class PanelWatch : public QObject {
public:
    struct Change {
        qint64 t;
        qint64 cpu;
        int panel; // 1 … 9
        bool lit;
    };
    explicit PanelWatch(const QList<kioku::Shape *> &panels) : m_panels(panels), m_shown(panels.size(), false)
    {
        for (kioku::Shape *p : panels)
            p->installEventFilter(this);
    }
    void reset() { changes.clear(); }
    QList<Change> changes;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        const int i = int(m_panels.indexOf(static_cast<kioku::Shape *>(watched)));
        if (i < 0)
            return false;
        const bool lit = m_panels.at(i)->fillColor() == kioku::TrackingMemoryWindow::kLit;
        if (lit != m_shown.at(i)) {
            m_shown[i] = lit;
            changes.append({nowNs(), cpuNs(), i + 1, lit});
        }
        return false;
    }

private:
    QList<kioku::Shape *> m_panels;
    QList<bool> m_shown;
};

// Tracking memory's lighting: games at the lighting time 0.1 s (the shortest),
// a fifth of --runs of them (at least one), each played up to a trace of eight
// panels, then ended by a wrong click. スタート and the three countdown ticks
// are called one after the other (the third shows the first trace); each trace
// is clicked back through the window's own click handler (cmdKey_Click), the
// last click of a turn showing the longer trace before it returns. Per panel of
// a trace: lit = first paint of the panel lit .. its first paint dark; dark =
// that paint .. the first paint of the trace's next panel lit (the last
// panel's dark phase ends with no paint of its own and is not measured). CPU
// is taken over the measured phases.
void benchTracking(kioku::AppContext &ctx, int runs)
{
    constexpr int kTraceLength = 8;
    const QString time = QStringLiteral("0.1");
    const int games = qMax(1, runs / 5);
    QPointer<kioku::TrackingMemoryWindow> w =
        openForTiming<kioku::TrackingMemoryWindow>(ctx, "\ntracking memory: the window did not open");
    if (!w)
        return;
    const int index = w->cboJikan()->findText(time);
    if (index < 0) {
        out() << "\ntracking memory: " << time << " is not a choice of 点灯秒; skipped\n";
        delete w.data();
        return;
    }
    w->cboJikan()->setCurrentIndex(index);
    w->cboJikan_Click();
    const double setMs = time.toDouble() * 1000.0;

    QList<kioku::Shape *> panels;
    for (int i = 1; i <= 9; ++i)
        panels << w->cmdKey(i);
    PanelWatch watch(panels);

    out() << "\ntracking-memory lighting: " << games << " game(s) up to a trace of " << kTraceLength
          << " panels, lighting time " << time << " s, real clock, platform " << QGuiApplication::platformName() << "\n"
          << "lit = first paint of a panel lit .. its first paint dark; dark = .. the next panel's first paint lit\n\n";
    printHeader(QStringLiteral("phases"));

    Figures lit;
    Figures dark;
    // The phases of one trace of `length` panels, from the changes seen while it was shown.
    const auto collect = [&](int length) {
        const QList<PanelWatch::Change> &c = watch.changes;
        int litSeen = 0;
        int darkSeen = 0;
        for (int i = 0; i < c.size(); ++i) {
            if (!c.at(i).lit)
                continue;
            int j = i + 1;
            while (j < c.size() && !(c.at(j).panel == c.at(i).panel && !c.at(j).lit))
                ++j;
            if (j >= c.size())
                break;
            lit.errors.append(double(c.at(j).t - c.at(i).t) / 1e6 - setMs);
            lit.cpuNs += c.at(j).cpu - c.at(i).cpu;
            lit.wallNs += c.at(j).t - c.at(i).t;
            ++litSeen;
            int k = j + 1;
            while (k < c.size() && !c.at(k).lit)
                ++k;
            if (k < c.size()) {
                dark.errors.append(double(c.at(k).t - c.at(j).t) / 1e6 - setMs);
                dark.cpuNs += c.at(k).cpu - c.at(j).cpu;
                dark.wallNs += c.at(k).t - c.at(j).t;
                ++darkSeen;
            }
            i = j;
        }
        lit.missed += qMax(0, length - litSeen);
        dark.missed += qMax(0, length - 1 - darkSeen);
    };

    for (int g = 0; g < games && w; ++g) {
        w->cmdStart_Click();
        QCoreApplication::processEvents();
        w->tmrStart_Timer();
        QCoreApplication::processEvents();
        w->tmrStart_Timer();
        QCoreApplication::processEvents();
        watch.reset();
        w->tmrStart_Timer(); // the first trace
        QCoreApplication::processEvents();
        collect(1);
        for (int length = 1; length < kTraceLength && w; ++length) {
            const QList<int> trace = w->trace().panels();
            for (int i = 0; i + 1 < trace.size() && w; ++i)
                w->cmdKey_Click(trace.at(i));
            watch.reset();
            if (w)
                w->cmdKey_Click(trace.last()); // the longer trace is shown in here
            collect(length + 1);
        }
        if (!w)
            break;
        const int expected = w->trace().expectedAt(1);
        w->cmdKey_Click(expected == 9 ? 1 : 9);
        pause(50);
    }
    printRow(QStringLiteral("lit"), lit);
    printRow(QStringLiteral("dark"), dark);
    Figures all;
    all.add(lit);
    all.add(dark);
    printRow(QStringLiteral("all"), all);
    if (all.missed > 0)
        out() << "\n" << all.missed << " phase(s) not measured (no paint of them was seen)\n";
    out() << "\nlit phases:";
    printTargets(lit);
    out() << "\ndark phases:";
    printTargets(dark);
    delete w.data();
}

// Watches the paints of one label: the moment of each.
class LabelPaints : public QObject {
public:
    explicit LabelPaints(QWidget *label) : m_label(label) { label->installEventFilter(this); }
    QList<qint64> paints;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_label && event->type() == QEvent::Paint)
            paints.append(nowNs());
        return false;
    }

private:
    QWidget *m_label;
};

// Icon concentration's delays: a game on ノーマル with a turn-back delay of
// 1 s, --runs misses in it. Per miss, the second piece is turned through its
// handler (cmdKoma_Click), which returns when the delay is over and the pieces
// are back face down. Meanwhile the elapsed time in lblJikan must go on: it
// shows tenths, so it is repainted once a tenth, every 100 ms. Measured: the
// gaps between its paints, from the second click to the end of the delay.
// Targets as for the displays above: median gap <= 100 ms + 2 ms, longest gap
// < 100 ms + 16.7 ms (a tenth late by less than one frame at 60 Hz), CPU <= 10 %.
// A display frozen for the delay shows one gap of 1000 ms.
void benchIconDelays(kioku::AppContext &ctx, int runs)
{
    namespace ic = kioku::rules;
    constexpr double kTenthMs = 100.0;
    // The shipped flags; plain squares when the folder holds fewer than twenty.
    for (int i = 0; ic::listIcons().size() < ic::kConcentrationIcons && i < ic::kConcentrationIcons; ++i) {
        QImage img(32, 32, QImage::Format_ARGB32);
        img.fill(QColor::fromHsv(i * 17, 200, 220));
        img.save(QStringLiteral("駒%1.ico").arg(i + 1), "ICO");
    }
    QPointer<kioku::IconConcentrationWindow> w = openForTiming<kioku::IconConcentrationWindow>(
        ctx, "\nicon concentration: the window did not open (its twenty icons)");
    if (!w)
        return;
    w->cboMondai()->setCurrentIndex(w->cboMondai()->findText(QStringLiteral("ノーマル")));
    w->cboMondai_Click();
    w->cboHide()->setCurrentIndex(w->cboHide()->findText(QStringLiteral("1")));
    w->cboHide_Click();

    w->cmdStart_Click();
    for (int t = 0; t < 3; ++t) {
        QCoreApplication::processEvents();
        w->tmrStart_Timer();
    }
    pause(300);
    LabelPaints watch(w->lblJikan());
    out() << "\nicon-concentration delays: " << runs << " turn-back delays of 1 s (a miss each), real clock, platform "
          << QGuiApplication::platformName() << "\n"
          << "gap = time between paints of lblJikan, from the second piece's click to the end of the delay\n\n";
    out() << QStringLiteral("%1 %2 %3 %4 %5 %6 %7\n")
                 .arg(QStringLiteral("delay"), -8)
                 .arg(QStringLiteral("runs"), 7)
                 .arg(QStringLiteral("paints/delay"), 13)
                 .arg(QStringLiteral("median gap ms"), 14)
                 .arg(QStringLiteral("longest gap ms"), 15)
                 .arg(QStringLiteral("delay ms"), 9)
                 .arg(QStringLiteral("CPU %"), 8);
    QList<double> gaps;
    QList<double> longest;
    QList<double> delays;
    qint64 cpu = 0;
    qint64 wall = 0;
    int paints = 0;
    int done = 0;
    for (int r = 0; r < runs && w; ++r) {
        // Two face-down pieces with different icons.
        int first = 0;
        int second = 0;
        for (int i = 1; i <= kioku::IconConcentrationWindow::kPieces && !second; ++i) {
            if (w->cmdKoma(i)->isHidden())
                continue;
            if (!first)
                first = i;
            else if (w->boardName(i) != w->boardName(first))
                second = i;
        }
        if (!second)
            break;
        w->cmdKoma_Click(first);
        pause(150);
        watch.paints.clear();
        const qint64 cpu0 = cpuNs();
        const qint64 t0 = nowNs();
        w->cmdKoma_Click(second); // the delay runs in here
        const qint64 t1 = nowNs();
        cpu += cpuNs() - cpu0;
        wall += t1 - t0;
        delays.append(double(t1 - t0) / 1e6);
        QList<qint64> marks{t0};
        marks += watch.paints;
        marks.append(t1);
        double worst = 0;
        for (int k = 1; k < marks.size(); ++k) {
            const double gap = double(marks.at(k) - marks.at(k - 1)) / 1e6;
            gaps.append(gap);
            worst = qMax(worst, gap);
        }
        longest.append(worst);
        paints += int(watch.paints.size());
        ++done;
        pause(150);
    }
    const double worstGap = longest.isEmpty() ? 0 : *std::max_element(longest.cbegin(), longest.cend());
    out() << QStringLiteral("%1 %2 %3 %4 %5 %6 %7\n")
                 .arg(QStringLiteral("1 s"), -8)
                 .arg(done, 7)
                 .arg(done ? double(paints) / done : 0, 13, 'f', 1)
                 .arg(ms(median(gaps)), 14)
                 .arg(ms(worstGap), 15)
                 .arg(median(delays), 9, 'f', 1)
                 .arg(wall > 0 ? 100.0 * double(cpu) / double(wall) : 0, 8, 'f', 1);
    out().flush();
    const double med = median(gaps);
    const double cpuPercent = wall > 0 ? 100.0 * double(cpu) / double(wall) : 0;
    const auto target = [](const QString &what, const QString &value, const QString &goal, bool ok) {
        return QStringLiteral("%1 %2   target %3 %4\n").arg(what, -14).arg(value, 10).arg(goal, -24).arg(verdict(ok));
    };
    out() << "\n"
          << target(QStringLiteral("median gap"), QStringLiteral("%1 ms").arg(med, 0, 'f', 2),
                    QStringLiteral("<= %1 ms").arg(kTenthMs + kMedianTargetMs, 0, 'f', 1),
                    done > 0 && med <= kTenthMs + kMedianTargetMs)
          << target(QStringLiteral("longest gap"), QStringLiteral("%1 ms").arg(worstGap, 0, 'f', 2),
                    QStringLiteral("< %1 ms").arg(kTenthMs + kWorstTargetMs, 0, 'f', 1),
                    done == runs && worstGap < kTenthMs + kWorstTargetMs)
          << target(QStringLiteral("CPU"), QStringLiteral("%1 %").arg(cpuPercent, 0, 'f', 1),
                    QStringLiteral("<= %1 % of one core").arg(kCpuTargetPercent, 0, 'f', 0),
                    cpuPercent <= kCpuTargetPercent);
    if (done < runs)
        out() << done << " of " << runs << " delays measured\n";
    out().flush();
    delete w.data();
}

} // namespace displaybench
