#pragma once
// Waiting inside a handler the way the old program did ("let pending events run
// until the time has passed"), but without spinning a core: the clock's wait
// runs a nested event loop with a precise timer.
#include <functional>

class QObject;

namespace kioku {

class Clock;

// Lets pending events run for `ms` milliseconds of `clock` time. Ends early when
// `stop` (if given) holds or when `guard` is destroyed; after it returns false the
// caller must not touch `guard` (or anything it owns) again.
// Returns true when the whole time passed, false when stopped or the guard is gone.
// A null `guard` means nothing guards the wait (only the time and `stop` end it).
// `stop` is looked at whenever the clock's wait wakes (clock.wake() wakes it at
// once) and, with `lookEveryMs` > 0, at least that often.
bool waitFor(Clock &clock, QObject *guard, double ms, const std::function<bool()> &stop = {}, double lookEveryMs = 0);

} // namespace kioku
