#include "core/stats/habit.h"

#include "core/text/formats.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>

namespace kioku {

namespace {

inline int digit(QChar c)
{
    const char16_t u = c.unicode();
    return u >= u'0' && u <= u'9' ? int(u - u'0') : -1;
}

} // namespace

qint64 playJulianDay(const QString &date)
{
    if (date.size() != 10 || date.at(4) != u'/' || date.at(7) != u'/')
        return 0;
    int v[8];
    const int at[8] = {0, 1, 2, 3, 5, 6, 8, 9};
    for (int i = 0; i < 8; ++i)
        if ((v[i] = digit(date.at(at[i]))) < 0)
            return 0;
    const QDate d(v[0] * 1000 + v[1] * 100 + v[2] * 10 + v[3], v[4] * 10 + v[5], v[6] * 10 + v[7]);
    return d.isValid() ? d.toJulianDay() : 0;
}

namespace {

// Whether two date texts are the same: the usual ten letters compared as
// three machine words, anything else letter by letter.
inline bool sameText(const QString &a, const QString &b)
{
    if (a.size() != b.size())
        return false;
    if (a.size() != 10)
        return a == b;
    quint64 x[2], y[2];
    quint32 xs, ys;
    std::memcpy(x, a.constData(), 16);
    std::memcpy(y, b.constData(), 16);
    std::memcpy(&xs, a.constData() + 8, 4);
    std::memcpy(&ys, b.constData() + 8, 4);
    return x[0] == y[0] && x[1] == y[1] && xs == ys;
}

// A day being added up: the whole seconds of each known game so far.
struct DayTally {
    qint64 julianDay = 0;
    std::array<qint64, 16> seconds{};
    quint32 played = 0;   // bit i: the i-th known game was played
    bool counted = false; // its games and seconds are asked for
};

// The days with a play among the records begin … end, their games added up
// for the days fromDay … toDay.
QList<PlayDay> tallyDays(const PlayRecord *begin, const PlayRecord *end, qint64 fromDay, qint64 toDay,
                         const QStringList &items)
{
    const int known = int(std::min<qsizetype>(items.size(), 16));
    // An item is told by its first letter, then matched whole.
    std::array<char16_t, 16> firstLetter{};
    for (int i = 0; i < known; ++i)
        firstLetter[i] = items.at(i).isEmpty() ? u'\0' : items.at(i).at(0).unicode();
    QList<DayTally> tallies;
    QHash<qint64, qsizetype> index; // where each day stands in tallies
    // The log is mostly in date order with several plays a day: a date text
    // is read only when it differs from the record before, and a day met
    // again out of order is looked up.
    const QString *lastText = nullptr;
    DayTally *cur = nullptr;
    bool sorted = true;
    for (const PlayRecord *p = begin; p != end; ++p) {
        const PlayRecord &r = *p;
        if (!lastText || !sameText(r.date, *lastText)) {
            lastText = &r.date;
            const qint64 day = playJulianDay(r.date);
            cur = nullptr;
            if (day != 0) {
                if (!tallies.isEmpty() && tallies.last().julianDay == day) {
                    cur = &tallies.last();
                } else if (const auto at = index.constFind(day); at != index.cend()) {
                    cur = &tallies[at.value()];
                } else {
                    if (!tallies.isEmpty() && tallies.last().julianDay > day)
                        sorted = false;
                    index.insert(day, tallies.size());
                    tallies.append(DayTally{day, {}, 0, day >= fromDay && day <= toDay});
                    cur = &tallies.last();
                }
            }
        }
        if (!cur || !cur->counted || r.item.isEmpty())
            continue; // no date (counted nowhere), or a day whose games are not asked for
        const char16_t first = r.item.at(0).unicode();
        for (int i = 0; i < known; ++i) {
            if (firstLetter[i] == first && r.item == items.at(i)) {
                cur->played |= 1u << i;
                // Rounded at every addition, halves to even, as the day's total is.
                const double sum = double(cur->seconds[i]) + double(r.seconds);
                cur->seconds[i] = std::isfinite(sum) && std::fabs(sum) < 9e18 ? qint64(std::nearbyint(sum))
                                                                              : text::roundHalfEven(sum);
                break;
            }
        }
    }
    if (!sorted)
        std::sort(tallies.begin(), tallies.end(),
                  [](const DayTally &a, const DayTally &b) { return a.julianDay < b.julianDay; });
    QList<PlayDay> days;
    days.reserve(tallies.size());
    for (const DayTally &t : std::as_const(tallies)) {
        PlayDay d{t.julianDay, 0, 0};
        for (int i = 0; i < known; ++i) {
            d.seconds += t.seconds[i];
            d.kinds += (t.played >> i) & 1u;
        }
        days.append(d);
    }
    return days;
}

} // namespace

QList<PlayDay> playDays(const QList<PlayRecord> &records, const QDate &from, const QDate &to, const QStringList &items)
{
    const qint64 fromDay = from.isValid() ? from.toJulianDay() : std::numeric_limits<qint64>::max();
    const qint64 toDay = to.isValid() ? to.toJulianDay() : std::numeric_limits<qint64>::min();
    return tallyDays(records.constData(), records.constData() + records.size(), fromDay, toDay, items);
}

QList<PlayDay> playDays(const LogSummary &log, const QDate &from, const QDate &to)
{
    QList<PlayDay> days;
    days.reserve(log.playDays.size());
    for (const qint64 day : log.playDays)
        days.append(PlayDay{day, 0, 0});
    if (!from.isValid() || !to.isValid() || from > to || days.isEmpty())
        return days;
    const qint64 fromDay = from.toJulianDay(), toDay = to.toJulianDay();
    const QList<PlayRecord> &records = log.records();
    const PlayRecord *begin = records.constData();
    const PlayRecord *const end = begin + records.size();
    // In a log whose dates stand in order the shown days are its last lines
    // but those after them: found from the end, so a page of this month
    // reads a few weeks of plays, not the whole log. A log out of order is
    // read whole.
    if (log.datesInOrder) {
        const PlayRecord *stop = end;
        for (const QString *lastText = nullptr; stop != begin; --stop) {
            const QString &date = (stop - 1)->date;
            if (lastText && (date.isSharedWith(*lastText) || date == *lastText))
                continue;
            lastText = &date;
            const qint64 day = playJulianDay(date);
            if (day == 0)
                continue;
            if (day < fromDay)
                break;
        }
        begin = stop;
    }
    const QList<PlayDay> counted = tallyDays(begin, end, fromDay, toDay, log.items);
    // Both lists are oldest first: the counted days take their place.
    auto at = days.begin();
    for (const PlayDay &c : counted) {
        if (c.julianDay < fromDay || c.julianDay > toDay)
            continue;
        at = std::lower_bound(at, days.end(), c.julianDay,
                              [](const PlayDay &d, qint64 day) { return d.julianDay < day; });
        if (at != days.end() && at->julianDay == c.julianDay)
            *at = c;
    }
    return days;
}

bool goalMet(const DailyGoal &goal, qint64 daySeconds, int kinds)
{
    if (!goal.isSet())
        return false;
    if (goal.kind == DailyGoal::Kind::Minutes)
        return daySeconds >= qint64(goal.value) * 60;
    return kinds >= goal.value;
}

HabitSummary summarizeHabit(const QList<PlayDay> &days, const QDate &today, const DailyGoal &goal)
{
    HabitSummary h;
    if (!today.isValid())
        return h;
    const qint64 t = today.toJulianDay();
    const qint64 monthStart = QDate(today.year(), today.month(), 1).toJulianDay();
    h.monthSoFar = today.day();

    int run = 0;
    qint64 prev = 0;
    qint64 streakEnd = 0;
    for (const PlayDay &d : days) {
        run = (prev != 0 && d.julianDay == prev + 1) ? run + 1 : 1;
        prev = d.julianDay;
        h.longest = std::max(h.longest, run);
        // A day after today (a clock set back) is no part of the streak.
        if (d.julianDay == t || (d.julianDay == t - 1 && streakEnd != t)) {
            h.streak = run;
            streakEnd = d.julianDay;
        }
        if (d.julianDay >= monthStart && d.julianDay <= t)
            ++h.monthDays;
        if (goalMet(goal, d.seconds, d.kinds))
            h.goalDays.append(QDate::fromJulianDay(d.julianDay));
    }
    if (h.streak > 0) {
        h.streakLast = QDate::fromJulianDay(streakEnd);
        h.streakFirst = h.streakLast.addDays(1 - h.streak);
    }
    return h;
}

GoalProgress goalProgress(const DailyGoal &goal, qint64 daySeconds, int kinds)
{
    GoalProgress p;
    if (!goal.isSet())
        return p;
    p.target = goal.value;
    p.met = goalMet(goal, daySeconds, kinds);
    if (goal.kind == DailyGoal::Kind::Minutes) {
        p.done = int(std::min<qint64>(daySeconds / 60, 99999));
        p.text = QStringLiteral("%1 / %2 分").arg(p.done).arg(p.target);
    } else {
        p.done = kinds;
        p.text = QStringLiteral("%1 / %2 種類").arg(p.done).arg(p.target);
    }
    return p;
}

} // namespace kioku
