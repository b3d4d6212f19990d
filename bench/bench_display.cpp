// bench_display: how exactly the timed displays show what is to be
// remembered, and what they cost in CPU: number memory (frmG1) showing its
// digits, and scrambled typing (frmG7) showing a word's letters one by one.
//
//   bench_display [--runs N] [--times 0.2,0.5,1] [--digits N] [--letter-times 0.1,0.5]
//
// The windows run with the real clock and the real random source in a
// temporary data folder (the shipped files, help tour off, auto-save off, so
// no file is written while a display is timed).
//
// Number memory: each display time is chosen through the window's own 表示秒
// box (cboJikan), then played N times: スタート (cmdStart_Click) and the three
// countdown ticks (tmrStart_Timer) called one after the other, pending events
// (the drawing) let run between them but no second waited; the third tick runs
// the display phase. Then 回答 (cmdKekka_Click). Per play, the time the digits
// were on screen is measured from the first paint of the first digit label
// (lblMondai1) after the cover (shpWaku) was hidden to the moment the cover is
// shown again (its Show event), with a steady clock.
//
// Scrambled typing: each time per letter is chosen through the window's own
// 表示秒 box (cboMode), in a counted play of one answer on the shipped word
// list, played N times: スタート and the three ticks, the third of which runs
// the letters. Each play shows the first pass of one word; in the pause after
// its last letter, ESC gives the word up and the play ends. Per letter, the
// time on screen is measured from the first paint of the big letter label
// (lblKanjiK) showing the letter to its first paint without it.
//
// Error = on screen - set time. The CPU of the process while digits or letters
// are on screen (getrusage user + system, over their wall time) is given as %
// of one core: waiting must not spin.
// Targets: median error <= 2 ms, worst |error| < 16.7 ms (one frame at 60 Hz),
// CPU <= 10 % of one core. The exit code is 0 whatever the result: it is a report.
// Run with QT_QPA_PLATFORM=offscreen (set here when not set).
#include "benchargs.h"
#include "displaycommon.h"
#include "displayvisual.h"

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

using namespace displaybench;

namespace {

// Watches the digits and their cover: the first paint of the first digit label
// after the cover was hidden, and the moment the cover is shown again.
class DisplayWatch : public QObject {
public:
    DisplayWatch(QWidget *digit, QWidget *cover) : m_digit(digit), m_cover(cover)
    {
        digit->installEventFilter(this);
        cover->installEventFilter(this);
    }
    void reset()
    {
        m_coverHidden = false;
        m_firstPaint = -1;
        m_coverShown = -1;
    }
    qint64 firstPaint() const { return m_firstPaint; }
    qint64 coverShown() const { return m_coverShown; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const qint64 t = nowNs();
        if (watched == m_cover) {
            if (event->type() == QEvent::Hide) {
                m_coverHidden = true;
            } else if (event->type() == QEvent::Show && m_firstPaint >= 0 && m_coverShown < 0) {
                m_coverShown = t;
            }
        } else if (watched == m_digit && event->type() == QEvent::Paint && m_coverHidden && m_firstPaint < 0) {
            m_firstPaint = t;
        }
        return false;
    }

private:
    QWidget *m_digit;
    QWidget *m_cover;
    bool m_coverHidden = false;
    qint64 m_firstPaint = -1;
    qint64 m_coverShown = -1;
};

// Watches the big letter label of scrambled typing: each letter from the
// first paint that shows it to the first paint that no longer does, with the
// CPU spent meanwhile. Whole words (the solution shown at the end) are not letters.
class LetterWatch : public QObject {
public:
    explicit LetterWatch(QLabel *label) : m_label(label) { label->installEventFilter(this); }
    void reset()
    {
        m_painted.clear();
        m_since = -1;
        m_letters = 0;
        shown.clear();
        cpuShownNs = 0;
    }
    // Called after a letter has left the screen, with the letters seen so far in this play.
    std::function<void(int letters)> letterGone;
    QList<double> shown;   // ms on screen, per letter
    qint64 cpuShownNs = 0; // CPU while letters were on screen

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_label || event->type() != QEvent::Paint)
            return false;
        const QString text = m_label->text();
        if (text == m_painted)
            return false;
        const qint64 t = nowNs();
        const qint64 cpu = cpuNs();
        const bool wasLetter = m_since >= 0;
        if (wasLetter) {
            shown.append(double(t - m_since) / 1e6);
            cpuShownNs += cpu - m_cpuSince;
            ++m_letters;
        }
        m_painted = text;
        m_since = -1;
        if (text.size() == 1 || (text.size() == 2 && text.at(0).isHighSurrogate())) {
            m_since = t;
            m_cpuSince = cpu;
        }
        if (wasLetter && letterGone)
            letterGone(m_letters);
        return false;
    }

private:
    QLabel *m_label;
    QString m_painted;
    qint64 m_since = -1;
    qint64 m_cpuSince = 0;
    int m_letters = 0;
};

// Number memory's digits: N plays per display time.
void benchNumberMemory(kioku::AppContext &ctx, int runs, int digits, const QStringList &times)
{
    kioku::NumberMemoryWindow w(ctx);
    w.Form_Load();
    // The benchmark ticks the countdown itself: the window's own one-second
    // timer would otherwise tick it too, from inside the events let run below.
    w.tmrStart()->stop();
    w.show();
    pause(200); // on screen and settled

    auto *cboJikan = w.findChild<QComboBox *>(QStringLiteral("cboJikan"));
    auto *cboKaisu = w.findChild<QComboBox *>(QStringLiteral("cboKaisu"));
    auto *cover = w.findChild<kioku::Shape *>(QStringLiteral("shpWaku"));
    QLabel *digit1 = w.lblMondai(1);
    if (!cboJikan || !cboKaisu || !cover || !digit1) {
        out() << "number memory: the window lacks cboJikan, cboKaisu, shpWaku or lblMondai1; skipped\n";
        return;
    }

    // Auto-save off: judging writes nothing, so every play is alike.
    if (w.chkAs()->isChecked()) {
        w.chkAs()->setChecked(false);
        w.chkAs_Click();
    }
    cboKaisu->setCurrentIndex(cboKaisu->findText(QString::number(digits)));
    w.cboKaisu_Click();

    DisplayWatch watch(digit1, cover);

    out() << "number-memory display: " << runs << " plays per display time, " << digits
          << " digits, real clock, platform " << QGuiApplication::platformName() << "\n"
          << "on screen = first paint of lblMondai1 after the cover is hidden .. cover shown again\n\n";
    printHeader(QStringLiteral("runs"));

    Figures all;
    for (const QString &time : times) {
        const int index = cboJikan->findText(time);
        if (index < 0) {
            out() << time << ": not a choice of 表示秒; skipped\n";
            continue;
        }
        cboJikan->setCurrentIndex(index);
        w.cboJikan_Click();
        const double setMs = time.toDouble() * 1000.0;

        Figures f;
        for (int r = 0; r < runs; ++r) {
            // The countdown's second-long gaps are skipped, but what would be
            // drawn in them (the prepared board, the countdown pictures) is drawn.
            w.cmdStart_Click();
            QCoreApplication::processEvents();
            w.tmrStart_Timer();
            QCoreApplication::processEvents();
            w.tmrStart_Timer();
            QCoreApplication::processEvents();
            watch.reset();
            const qint64 cpu0 = cpuNs();
            const qint64 wall0 = nowNs();
            w.tmrStart_Timer(); // the display phase runs in here
            const qint64 wall1 = nowNs();
            const qint64 cpu1 = cpuNs();
            f.cpuNs += cpu1 - cpu0;
            f.wallNs += wall1 - wall0;
            if (w.playState() != kioku::GameFrame::PlayState::Answering || watch.firstPaint() < 0
                || watch.coverShown() < 0) {
                ++f.missed;
            } else {
                const double shownMs = double(watch.coverShown() - watch.firstPaint()) / 1e6;
                f.errors.append(shownMs - setMs);
            }
            w.cmdKekka_Click();
            pause(50);
        }
        all.add(f);
        printRow(time + QStringLiteral(" s"), f);
    }
    printRow(QStringLiteral("all"), all);
    if (all.missed > 0)
        out() << "\n"
              << all.missed
              << " play(s) not measured (the third tick ran no display, or no paint of the digits was seen)\n";
    printTargets(all);
}

// Scrambled typing's letters: N plays per time per letter, each the first pass of one word.
void benchScrambled(kioku::AppContext &ctx, int runs, const QStringList &times)
{
    QPointer<kioku::ScrambledTypingWindow> w =
        openForTiming<kioku::ScrambledTypingWindow>(ctx, "scrambled typing: the window did not open (its word list)");
    if (!w)
        return;
    // A counted play of one answer: the give-up after the first pass ends it.
    w->optMode_Click(0);
    w->cboKaisu()->setCurrentIndex(w->cboKaisu()->findText(QStringLiteral("1")));
    w->cboKaisu_Click();

    LetterWatch watch(w->lblKanjiK());
    out() << "\nscrambled-typing letters: " << runs << " plays (one pass of one word each) per time per letter, "
          << "real clock, platform " << QGuiApplication::platformName() << "\n"
          << "on screen = first paint of lblKanjiK showing a letter .. its first paint without it\n\n";
    printHeader(QStringLiteral("letters"));

    Figures all;
    for (const QString &time : times) {
        const int index = w->cboMode()->findText(time);
        if (index < 0) {
            out() << time << ": not a choice of 表示秒; skipped\n";
            continue;
        }
        w->cboMode()->setCurrentIndex(index);
        w->cboMode_Click();
        const double setMs = time.toDouble() * 1000.0;

        Figures f;
        for (int r = 0; r < runs && w; ++r) {
            w->cmdStart_Click();
            QCoreApplication::processEvents();
            w->tmrStart_Timer();
            QCoreApplication::processEvents();
            w->tmrStart_Timer();
            QCoreApplication::processEvents();
            watch.reset();
            bool given = false;
            const auto giveUp = [&] {
                if (!std::exchange(given, true) && w)
                    postKey(w->txtKaitou(), Qt::Key_Escape);
            };
            // In the pause after the pass's last letter; or, should a paint be
            // missed, once the pass is surely over.
            watch.letterGone = [&](int letters) {
                if (w && letters >= w->currentOrder().size())
                    giveUp();
            };
            QTimer safety;
            safety.setSingleShot(true);
            QObject::connect(&safety, &QTimer::timeout, giveUp);
            safety.start(int(setMs * 9 + 5000));
            w->tmrStart_Timer(); // the letters are shown in here, until the play ends
            watch.letterGone = nullptr;
            if (!w)
                break;
            const int word = int(w->currentOrder().size());
            if (watch.shown.size() < word)
                f.missed += word - int(watch.shown.size());
            for (const double shown : std::as_const(watch.shown))
                f.errors.append(shown - setMs);
            f.cpuNs += watch.cpuShownNs;
            for (const double shown : std::as_const(watch.shown))
                f.wallNs += qint64(shown * 1e6);
            pause(50);
        }
        all.add(f);
        printRow(time + QStringLiteral(" s"), f);
    }
    printRow(QStringLiteral("all"), all);
    if (all.missed > 0)
        out() << "\n" << all.missed << " letter(s) not measured (no paint of them was seen)\n";
    printTargets(all);
    delete w.data();
}

} // namespace

int main(int argc, char **argv)
{
    kioku::bench::offscreenUnlessAsked();
    QApplication app(argc, argv);
    steady();

    QStringList args = app.arguments();
    args.removeFirst();
    int runs = 15;
    int digits = 15;
    QStringList times{QStringLiteral("0.2"), QStringLiteral("0.5"), QStringLiteral("1")};
    QStringList letterTimes{QStringLiteral("0.1"), QStringLiteral("0.5")};
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        bool ok = true;
        if (a == QLatin1String("--runs")) {
            ok = kioku::bench::readRuns(args.value(++i), &runs);
        } else if (a == QLatin1String("--digits")) {
            digits = args.value(++i).toInt(&ok);
            ok = ok && digits >= 1 && digits <= 15;
        } else if (a == QLatin1String("--times")) {
            times = args.value(++i).split(QLatin1Char(','), Qt::SkipEmptyParts);
            ok = !times.isEmpty();
        } else if (a == QLatin1String("--letter-times")) {
            letterTimes = args.value(++i).split(QLatin1Char(','), Qt::SkipEmptyParts);
            ok = !letterTimes.isEmpty();
        } else {
            return usage(QStringLiteral("unknown argument %1").arg(a));
        }
        if (!ok)
            return usage(QStringLiteral("bad value for %1").arg(a));
    }

    QTemporaryDir tmp;
    if (!tmp.isValid() || !QDir::setCurrent(tmp.path()))
        return usage(QStringLiteral("cannot create a temporary folder"));
    const kioku::DataFolderResult prepared = kioku::prepareDataFolder();
    if (!prepared.failed.isEmpty())
        return usage(QStringLiteral("cannot prepare the data folder: %1").arg(prepared.failed.join(", ")));

    kioku::SystemClock clock;
    kioku::SystemRandom random(clock);
    kioku::ScriptedMessageService messages;
    kioku::RecordingNavigator navigator;
    kioku::AppContext ctx(clock, random, messages, navigator);
    ctx.session.helpTourOn = 0;

    benchNumberMemory(ctx, runs, digits, times);
    benchScrambled(ctx, runs, letterTimes);
    benchTracking(ctx, runs);
    benchIconDelays(ctx, runs);
    QDir::setCurrent(QDir::tempPath());
    return 0;
}
