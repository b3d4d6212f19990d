#include "games/frame/playwaits.h"

#include "core/clock.h"
#include "core/text/formats.h"
#include "widgets/playparts.h"
#include "widgets/wait.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QWidget>

#include <cmath>
#include <memory>
#include <utility>

namespace kioku {

namespace {

// How often a wait with a stop condition looks at it, at the latest.
constexpr double kStopLookMs = 10.0;

// The widget an input event is for: a shortcut object is no widget, its owner is.
QWidget *widgetOf(QObject *o)
{
    while (o && !o->isWidgetType())
        o = o->parent();
    return static_cast<QWidget *>(o);
}

bool isUserInput(QEvent::Type t)
{
    switch (t) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::InputMethod:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
        return true;
    default:
        return false;
    }
}

// Drops the user's clicks and keys to one area (and what lies in it) while it
// is installed.
class InputBlocker : public QObject {
public:
    explicit InputBlocker(QWidget *area) : m_area(area)
    {
        if (qApp)
            qApp->installEventFilter(this);
    }
    ~InputBlocker() override
    {
        if (qApp)
            qApp->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!isUserInput(event->type()))
            return false;
        const QWidget *w = widgetOf(watched);
        return w && m_area && (w == m_area || m_area->isAncestorOf(w));
    }

private:
    QPointer<QWidget> m_area;
};

// Holds back the keys and input-method text sent to one window while it is
// installed; release() hands them over in the order they came.
class InputHolder : public QObject {
public:
    struct Held {
        QPointer<QObject> receiver;
        QEvent *event;
    };
    explicit InputHolder(QWidget *window) : m_window(window)
    {
        if (qApp)
            qApp->installEventFilter(this);
    }
    ~InputHolder() override
    {
        if (qApp)
            qApp->removeEventFilter(this);
        for (const Held &h : m_held)
            delete h.event;
    }
    QList<Held> release() { return std::exchange(m_held, {}); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type t = event->type();
        if (t != QEvent::KeyPress && t != QEvent::KeyRelease && t != QEvent::InputMethod
            && t != QEvent::ShortcutOverride)
            return false;
        QWidget *w = widgetOf(watched);
        if (!w || !m_window || w->window() != m_window)
            return false;
        if (t != QEvent::ShortcutOverride) // asked again when the key is delivered
            m_held.append({watched, event->clone()});
        return true;
    }

private:
    QPointer<QWidget> m_window;
    QList<Held> m_held;
};

} // namespace

PlayWaits::PlayWaits(Clock &clock, QWidget *window, std::function<bool()> closing)
    : QObject(window), m_clock(clock), m_window(window), m_closing(std::move(closing))
{
}

PlayWaits::End PlayWaits::waitMs(double ms, const std::function<bool()> &stop)
{
    if (closed())
        return End::Closed;
    // The waits go with their window: once it is gone nothing of it is touched.
    QPointer<PlayWaits> self(this);
    const quint64 generation = m_generation;
    End end = End::Elapsed;
    const bool reached = waitFor(
        m_clock, m_window, ms,
        [&] {
            if (!self || self->closed()) {
                end = End::Closed;
                return true;
            }
            if (self->m_generation != generation) {
                end = End::Superseded;
                return true;
            }
            if (stop && stop()) {
                end = End::Stopped;
                return true;
            }
            return false;
        },
        stop ? kStopLookMs : 0.0);
    if (!self || self->closed())
        return End::Closed;
    return reached ? End::Elapsed : end;
}

PlayWaits::End PlayWaits::holdInputFor(double ms, const std::function<bool()> &stop)
{
    if (closed())
        return End::Closed;
    QPointer<PlayWaits> self(this);
    auto holder = std::make_unique<InputHolder>(m_window);
    const End end = waitMs(ms, stop);
    const QList<InputHolder::Held> held = holder->release();
    holder.reset();
    if ((end == End::Elapsed || end == End::Stopped) && self) {
        // Delivered after the caller has set up what comes next (a new word).
        for (const InputHolder::Held &h : held)
            if (h.receiver)
                QCoreApplication::postEvent(h.receiver, h.event);
            else
                delete h.event;
    } else {
        // The window went, or what the keys were typed for ended (a play that
        // timed out): they are dropped rather than landing somewhere else.
        for (const InputHolder::Held &h : held)
            delete h.event;
    }
    return end;
}

PlayWaits::End PlayWaits::blockFor(double ms, QWidget *area)
{
    if (closed())
        return End::Closed;
    InputBlocker blocker(area);
    return waitMs(ms, {});
}

PlayWaits::End PlayWaits::runDisplayCountdown(float seconds, QLabel *count, TimeBar *bar)
{
    const double total = double(seconds);
    // Monotonic nanoseconds: the display never stalls when the day changes.
    const qint64 start = m_clock.elapsedNs();
    const qint64 end = start + qint64(std::llround(total * 1e9));
    qint64 barValue = 0; // the remaining value the bar was last drawn for
    for (;;) {
        const qint64 now = m_clock.elapsedNs();
        if (now > end)
            return End::Elapsed;
        const double left = double(end - now) / 1e9;
        const qint64 remaining = text::roundHalfEven(left);
        count->setText(QString::number(remaining));
        if (remaining != barValue && bar) {
            barValue = remaining;
            const int percent = total > 0 ? int(double(remaining) / total * 100.0) : 0;
            bar->setBarWidth(percent * bar->fullWidth() / 100);
        }
        // Sleep until the shown number changes (half a second before the next
        // whole number) or the display ends, whichever comes first. The clock's
        // wait ends within a fraction of a millisecond of its time, so one
        // microsecond more is enough to be past that moment: a whole extra
        // millisecond here would show the display a millisecond too long.
        const double untilChange = left - (double(remaining) - 0.5);
        const double ms = qMax(0.0, qMin(untilChange, left)) * 1000.0 + 0.001;
        const End w = waitMs(ms);
        if (w != End::Elapsed)
            return w;
    }
}

void PlayWaits::supersede()
{
    ++m_generation;
    m_clock.wake();
}

void PlayWaits::wake()
{
    m_clock.wake();
}

} // namespace kioku
