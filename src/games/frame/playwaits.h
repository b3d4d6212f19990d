#pragma once
// The waits of a play inside a game window's handlers: a plain wait, a wait
// that holds the player's keys back until it is over, a wait that drops the
// clicks and keys to the board, and the display countdown. Each lets events
// run on the injected clock and ends early when its stop condition holds,
// when a newer display supersedes it or when the window goes; a caller that
// is told Closed returns at once and touches nothing of the window.
#include <QObject>

#include <functional>

class QLabel;
class QWidget;

namespace kioku {

class Clock;
class TimeBar;

class PlayWaits : public QObject {
    Q_OBJECT
public:
    // How a wait ended.
    enum class End {
        Elapsed,    // the whole time passed
        Stopped,    // its stop condition came to hold
        Superseded, // a newer display began (supersede)
        Closed,     // the window is closing or gone: the caller returns at once
    };

    // The waits of `window` (their parent), timed by `clock`; `closing` tells
    // whether the window is on its way out.
    PlayWaits(Clock &clock, QWidget *window, std::function<bool()> closing);

    // Lets events run for `ms` of clock time. Ends early when `stop` holds
    // (looked at every few milliseconds and whenever wake() is called), when a
    // newer display supersedes it, or when the window goes.
    [[nodiscard]] End waitMs(double ms, const std::function<bool()> &stop = {});
    // As waitMs, while the player's keys and input-method text to the window
    // are held back and delivered, in order, once the wait is over: a short
    // blank between two words never loses a fast typist's first keys.
    [[nodiscard]] End holdInputFor(double ms, const std::function<bool()> &stop = {});
    // Waits `ms` of clock time while clicks and keys to `area` are dropped,
    // not handled later: a delay that holds the board still. The rest of the
    // window and the timers go on.
    [[nodiscard]] End blockFor(double ms, QWidget *area);
    // The display of something to remember for `seconds`: `count` shows the
    // remaining whole seconds (halves to even) and the time bar shrinks in as
    // many steps; it ends when the clock passes the end of the time. With 0.2
    // or 0.5 seconds the count is 0 from the start and the bar stays full.
    [[nodiscard]] End runDisplayCountdown(float seconds, QLabel *count, TimeBar *bar);
    // Ends, as Superseded, every wait running now: a new display begins.
    void supersede();
    // Makes running waits look at their stop condition now.
    void wake();

private:
    bool closed() const { return m_closing(); }

    Clock &m_clock;
    QWidget *m_window;
    std::function<bool()> m_closing;
    quint64 m_generation = 0; // raised by supersede()
};

} // namespace kioku
