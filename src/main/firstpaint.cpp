#include "main/firstpaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

namespace kioku {

namespace {

// Ends the program, whatever event loop runs: the first paint may come while
// the start-up lets events run, before the main loop has begun (which would
// forget an exit asked for earlier), or under a box that waits for a click.
// exit(), not quit(): no window is asked whether it may close.
void exitSoon()
{
    auto *again = new QTimer(QCoreApplication::instance());
    QObject::connect(again, &QTimer::timeout, [] { QCoreApplication::exit(0); });
    again->start(10);
}

class FirstPaintWatch : public QObject {
public:
    FirstPaintWatch(qint64 mainStartNs, bool quit) : m_mainStartNs(mainStartNs), m_quit(quit) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint || !watched->isWidgetType()
            || static_cast<QWidget *>(watched)->window()->objectName() != QLatin1String("frmMain"))
            return false;
        const qint64 now = monotonicNs();
        std::printf("kioku: first paint %lld %.2f\n", static_cast<long long>(now), double(now - m_mainStartNs) / 1e6);
        std::fflush(stdout);
        QCoreApplication::instance()->removeEventFilter(this);
        if (m_quit)
            exitSoon();
        deleteLater();
        return false;
    }

private:
    qint64 m_mainStartNs;
    bool m_quit;
};

} // namespace

qint64 monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

void reportFirstPaintWhenAsked(qint64 mainStartNs)
{
    if (!qEnvironmentVariableIsSet(kReportFirstPaintVariable))
        return;
    const bool quit = qEnvironmentVariable(kReportFirstPaintVariable) == QLatin1String("quit");
    QCoreApplication::instance()->installEventFilter(new FirstPaintWatch(mainStartNs, quit));
}

} // namespace kioku
