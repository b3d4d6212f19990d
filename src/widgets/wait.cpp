#include "widgets/wait.h"

#include "core/clock.h"

#include <QObject>
#include <QPointer>

#include <cmath>

namespace kioku {

bool waitFor(Clock &clock, QObject *guard, double ms, const std::function<bool()> &stop, double lookEveryMs)
{
    const bool guarded = guard != nullptr;
    QPointer<QObject> alive(guard);
    // A guard destroyed mid-wait ends the wait at once, not when the time is up.
    QMetaObject::Connection woken;
    if (guarded)
        woken = QObject::connect(guard, &QObject::destroyed, [&clock] { clock.wake(); });
    const double ns = std::isfinite(ms) ? qMax(0.0, ms) * 1e6 : 0.0;
    const qint64 deadline = clock.elapsedNs() + qint64(std::llround(ns));
    const bool reached = clock.waitUntil(
        deadline, [&] { return (guarded && !alive) || (stop && stop()); },
        qint64(std::llround(qMax(0.0, lookEveryMs) * 1e6)));
    if (alive)
        QObject::disconnect(woken);
    return reached && (!guarded || alive);
}

} // namespace kioku
