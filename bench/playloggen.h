#pragma once
// A large, realistic play log for the benchmarks: years of practice with gaps,
// several plays on most days, every game with seconds values and result
// summaries in the form that game writes. Deterministic for a given seed and
// end date, so two runs measure the same file.
#include "core/playlog/playlog.h"
#include "core/text/formats.h"
#include "core/text/textfile.h"

#include <QDate>
#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

#include <algorithm>
#include <cmath>
#include <random>

namespace kioku::bench {

struct GenOptions {
    int records = 30000;
    QDate endDate = QDate(2026, 12, 7); // the last day of the log ("today")
    int years = 6;
    quint64 seed = 20261207;
};

class PlayLogGenerator {
public:
    explicit PlayLogGenerator(const GenOptions &o) : m_opt(o), m_gen(o.seed) {}

    // The records in append order (oldest first), exactly m_opt.records of them.
    QList<PlayRecord> generate()
    {
        QList<PlayRecord> out;
        const int n = std::max(0, m_opt.records);
        if (n == 0 || !m_opt.endDate.isValid())
            return out;
        out.reserve(n);

        const QList<QDate> days = activeDays();
        const QList<int> counts = playsPerDay(int(days.size()), n);
        for (int d = 0; d < days.size(); ++d)
            addDay(days[d], counts[d], &out);
        return out;
    }

    // The file lines: most of the log has been rewritten by the main window at
    // some point (a diary edit), so it ends in `,""`; the plays after the last
    // rewrite are the games' own lines ending in a bare comma.
    static QStringList lines(const QList<PlayRecord> &records)
    {
        QStringList out;
        out.reserve(records.size());
        const qsizetype rewritten = records.size() * 4 / 5;
        for (qsizetype i = 0; i < records.size(); ++i)
            out.append(i < rewritten ? records[i].rewriteLine() : records[i].gameLine());
        return out;
    }

private:
    double uniform() { return std::uniform_real_distribution<double>(0.0, 1.0)(m_gen); }
    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_gen); }
    bool chance(double p) { return uniform() < p; }
    template <typename T> const T &pick(const QList<T> &list) { return list[between(0, int(list.size()) - 1)]; }
    // Index drawn with the given weights.
    int weighted(const QList<double> &w)
    {
        double total = 0;
        for (double x : w)
            total += x;
        double r = uniform() * total;
        for (int i = 0; i < w.size(); ++i) {
            if (r < w[i])
                return i;
            r -= w[i];
        }
        return int(w.size()) - 1;
    }
    // A result that is usually good but not perfect: right answers out of n.
    int rightOutOf(int n, double skill)
    {
        return std::binomial_distribution<int>(n, std::clamp(skill, 0.05, 0.99))(m_gen);
    }

    // Practice comes in streaks with breaks between them; the last day (today) is played.
    QList<QDate> activeDays()
    {
        const QDate first = m_opt.endDate.addYears(-std::max(1, m_opt.years)).addDays(1);
        QList<QDate> days;
        bool active = true;
        for (QDate d = first; d <= m_opt.endDate; d = d.addDays(1)) {
            active = active ? chance(0.88) : chance(0.35);
            if (active || d == m_opt.endDate)
                days.append(d);
        }
        return days;
    }

    // Spreads n plays over the days: busy and quiet days, every day at least one.
    QList<int> playsPerDay(int dayCount, int n)
    {
        QList<int> counts(dayCount, 0);
        if (dayCount == 0)
            return counts;
        if (n < dayCount) { // a small log: the last n days
            for (int i = dayCount - n; i < dayCount; ++i)
                counts[i] = 1;
            return counts;
        }
        QList<double> w(dayCount);
        double total = 0;
        for (int i = 0; i < dayCount; ++i) {
            w[i] = 0.2 + std::pow(uniform(), 1.5) * 2.0 + (chance(0.05) ? 2.5 : 0.0);
            total += w[i];
        }
        int given = 0;
        for (int i = 0; i < dayCount; ++i) {
            counts[i] = 1 + int(std::floor(double(n - dayCount) * w[i] / total));
            given += counts[i];
        }
        for (int i = 0; given < n; i = (i + 7919) % dayCount, ++given)
            ++counts[i];
        return counts;
    }

    void addDay(const QDate &day, int plays, QList<PlayRecord> *out)
    {
        // Start between 6:00 and 20:00; gaps of half a minute to a quarter of an
        // hour, squeezed when a busy day would run past midnight.
        const int start = between(6 * 3600, 20 * 3600);
        QList<double> gaps(plays);
        double sum = 0;
        for (int i = 0; i < plays; ++i) {
            gaps[i] = 30 + uniform() * (chance(0.1) ? 3600 : 840);
            sum += gaps[i];
        }
        const double room = 86399.0 - start - plays;
        const double scale = sum > room ? room / sum : 1.0;
        double t = start;
        int lastSecond = -1;
        for (int i = 0; i < plays; ++i) {
            t += gaps[i] * scale;
            int s = std::max(int(t), lastSecond + 1);
            s = std::min(s, 86399);
            lastSecond = s;
            PlayRecord r = play();
            r.date = text::dateSlash(day);
            r.time = text::timeText(QTime(0, 0).addSecs(s));
            if (chance(0.03))
                r.comment = pick(m_diary);
            out->append(r);
        }
    }

    // One play of a game chosen by how often each game tends to be played.
    PlayRecord play()
    {
        PlayRecord r;
        const int g = weighted({22, 10, 16, 14, 14, 12, 12});
        r.item = itemNames().at(g);
        switch (g) {
        case 0:
            numberMemory(&r);
            break;
        case 1:
            imageMemory(&r);
            break;
        case 2:
            iconConcentration(&r);
            break;
        case 3:
            trackingMemory(&r);
            break;
        case 4:
            timeLagTyping(&r);
            break;
        case 5:
            cycleTyping(&r);
            break;
        default:
            scrambledTyping(&r);
            break;
        }
        return r;
    }

    static QString memorySummary(int right, int wrong)
    {
        return QStringLiteral("暗記数 : %1   正解 : %2   不正解 : %3   正解率 : %4")
            .arg(right + wrong)
            .arg(right)
            .arg(wrong)
            .arg(text::formatPercent(double(right) / double(right + wrong)));
    }

    void numberMemory(PlayRecord *r)
    {
        static const QList<float> times = {0.2f, 0.5f, 1, 2, 3, 5, 5, 10, 10, 15, 20, 30};
        const float shown = pick(times);
        const int digits = between(4, 15);
        const int right = rightOutOf(digits, 0.95 - digits * 0.03 + std::min(shown, 10.0f) * 0.01);
        r->seconds = shown;
        r->comment = memorySummary(right, digits - right);
    }

    void imageMemory(PlayRecord *r)
    {
        const int shown = chance(0.7) ? pick(QList<int>{5, 10, 15, 20, 30}) : between(1, 60);
        const int icons = between(3, 15);
        const int right = rightOutOf(icons, 0.9 - icons * 0.03 + shown * 0.004);
        r->seconds = float(shown);
        r->comment = memorySummary(right, icons - right);
    }

    void iconConcentration(PlayRecord *r)
    {
        static const QStringList levels = {QStringLiteral("イージー"), QStringLiteral("ノーマル"),
                                           QStringLiteral("ハード"), QStringLiteral("パニック")};
        const int level = weighted({2, 5, 3, 1});
        static const int minTurns[] = {20, 20, 22, 26};
        static const int spread[] = {4, 14, 25, 45};
        const int turns = minTurns[level] + int(std::pow(uniform(), 1.3) * spread[level]);
        const double clear = std::round(turns * (1.1 + uniform() * 1.4) * 10.0) / 10.0;
        r->seconds = float(clear);
        r->comment = levels[level] + QLatin1Char(' ') + QString::number(turns) + QStringLiteral("回  ")
            + text::format0_0(clear) + QStringLiteral("秒");
    }

    void trackingMemory(PlayRecord *r)
    {
        const int step = chance(0.6) ? pick(QList<int>{3, 4, 5, 5, 6}) : between(1, 10); // tenths
        const double light = step / 10.0;
        const int turns = 1 + std::min(14, int(std::floor(-std::log(1.0 - uniform()) * 5.0)));
        const int progress = between(0, turns - 1);
        // Every turn shows the whole trace (lit and dark for one lighting time each)
        // and is answered at about 0.6 s a click.
        double elapsed = 0;
        for (int t = 1; t < turns; ++t)
            elapsed += 0.6 + t * 2 * light + t * (0.45 + uniform() * 0.3);
        elapsed += 0.3 + (progress + 1) * 0.6;
        elapsed = std::round(elapsed * 10.0) / 10.0;
        r->seconds = float(elapsed);
        r->comment =
            QStringLiteral("%1 / %2 回  %3秒").arg(progress + 1).arg(turns).arg(text::shortestFloat(float(light)));
    }

    // Play-seconds setting of a timed typing play, or the answer count and the
    // elapsed seconds of a counted one.
    struct TypingPlay {
        bool timed;
        int playSeconds;
        int answers;
        double elapsed;
    };
    TypingPlay typingPlay(int secondsStep, int maxAnswers, double secondsPerAnswer)
    {
        TypingPlay p{};
        p.timed = chance(0.55);
        if (p.timed) {
            p.playSeconds = chance(0.7) ? pick(QList<int>{30, 60, 60, 90, 120})
                                        : 10 + secondsStep * between(0, (180 - 10) / secondsStep);
            p.playSeconds = (p.playSeconds / secondsStep) * secondsStep;
            p.playSeconds = std::clamp(p.playSeconds, 10, 180);
        } else {
            p.answers = chance(0.7) ? pick(QList<int>{5, 10, 10, 20, 30}) : between(1, maxAnswers);
            p.answers = std::min(p.answers, maxAnswers);
            p.elapsed = std::round(p.answers * secondsPerAnswer * (0.6 + uniform() * 0.9) * 10.0) / 10.0;
        }
        return p;
    }

    void timeLagTyping(PlayRecord *r)
    {
        const TypingPlay p = typingPlay(5, 100, 3.5);
        const QString lag = chance(0.6) ? QStringLiteral("1回") : QStringLiteral("2回");
        if (p.timed) {
            r->seconds = float(p.playSeconds);
            r->comment = QStringLiteral("秒数 : %1  %2モード").arg(p.playSeconds).arg(lag);
        } else {
            r->seconds = float(p.elapsed);
            r->comment = QStringLiteral("答数 : %1  %2モード").arg(p.answers).arg(lag);
        }
    }

    void cycleTyping(PlayRecord *r)
    {
        const TypingPlay p = typingPlay(5, 100, 2.8);
        r->seconds = float(p.timed ? p.playSeconds : p.elapsed);
        const int turn = between(2, 9);
        r->comment = QStringLiteral("%1 / %2 回").arg(between(0, turn - 1)).arg(turn);
    }

    void scrambledTyping(PlayRecord *r)
    {
        const TypingPlay p = typingPlay(10, 30, 6.0);
        if (p.timed) {
            // Typed characters: the lengths of all the answers given in the time.
            const int typed = int(p.playSeconds / (4.0 + uniform() * 4.0) * (3.0 + uniform() * 2.0));
            r->seconds = float(p.playSeconds);
            r->comment = QStringLiteral("秒数 : %1   答数 : %2").arg(p.playSeconds).arg(typed);
        } else {
            // A counted play stores the elapsed time as shown (one decimal) and
            // counts one character per answer.
            r->seconds = float(p.elapsed);
            r->comment = QStringLiteral("秒数 : %1   答数 : %2").arg(text::format0_0(p.elapsed)).arg(p.answers);
        }
    }

    GenOptions m_opt;
    std::mt19937_64 m_gen;
    const QList<QString> m_diary = {
        QStringLiteral("朝の脳トレ。集中できた"),
        QStringLiteral("寝不足で調子が出ない"),
        QStringLiteral("新記録！"),
        QStringLiteral("夕食後に少しだけ"),
        QStringLiteral("雨、外出できず"),
        QStringLiteral("眠い,でも続けた"),
        QStringLiteral("２回モードに挑戦"),
        QStringLiteral("調子よし ①"),
        QStringLiteral("目が疲れている～"),
        QStringLiteral("孫と一緒にプレイ"),
    };
};

// Writes the log into `folder` as "データ.txt" (code page 932, CR LF), replacing
// any log there. The working folder is left at `folder`.
inline text::WriteResult writePlayLogTo(const QString &folder, const QList<PlayRecord> &records)
{
    if (!QDir().mkpath(folder) || !QDir::setCurrent(folder)) {
        text::WriteResult w;
        w.ok = false;
        w.message = QStringLiteral("フォルダ「%1」に書き込めません。").arg(folder);
        return w;
    }
    return text::writeLines(kPlayLogFile, PlayLogGenerator::lines(records));
}

} // namespace kioku::bench
