#include "core/stats/personalbest.h"

#include "core/text/formats.h"

#include <cmath>
#include <optional>

namespace kioku {

namespace {

// A play's figures toward its best, each the larger the better.
using Score = QList<double>;

bool isTyping(Game game)
{
    return game == Game::TimeLag || game == Game::Cycle || game == Game::Scrambled;
}

// Whether two numbers read from history texts are the same setting ("0.5秒" and "0.50秒" are).
bool same(double a, double b)
{
    return std::fabs(a - b) < 1e-6;
}

bool sameSetting(Game game, const HistoryEntry &a, const HistoryEntry &b, rules::PlayMode mode)
{
    switch (game) {
    case Game::NumberMemory: // the display time
        return same(a.numberField(7), b.numberField(7));
    case Game::ImageMemory: // the number of pictures and the display time
        return a.intField(4) + a.intField(5) == b.intField(4) + b.intField(5)
            && same(a.numberField(7), b.numberField(7));
    case Game::IconConcentration: // the level
        return a.field(3).trimmed() == b.field(3).trimmed();
    case Game::Tracking: // the lighting time
        return same(a.numberField(6), b.numberField(6));
    case Game::TimeLag:
    case Game::Cycle:
    case Game::Scrambled:
        if (mode == rules::PlayMode::Timed) // the play seconds
            return same(a.numberField(9), b.numberField(9));
        return a.intField(3) == b.intField(3); // the answers
    }
    return false;
}

// The play's score; none when the play cannot stand as a best (number memory
// with a wrong digit, an unfinished icon game, nothing typed).
std::optional<Score> scoreOf(Game game, const HistoryEntry &e)
{
    switch (game) {
    case Game::NumberMemory:
        if (e.intField(5) != 0 || e.intField(4) <= 0)
            return std::nullopt;
        return Score{double(e.intField(4))};
    case Game::ImageMemory:
        if (e.intField(4) <= 0)
            return std::nullopt;
        return Score{double(e.intField(4))};
    case Game::IconConcentration: {
        const int turns = e.intField(5);
        const double seconds = e.numberField(6);
        if (turns <= 0 || seconds <= 0)
            return std::nullopt;
        return Score{-double(turns), -seconds};
    }
    case Game::Tracking:
        if (e.intField(3) <= 0)
            return std::nullopt;
        return Score{double(e.intField(3))};
    case Game::TimeLag:
    case Game::Cycle:
    case Game::Scrambled:
        if (e.numberField(8) <= 0)
            return std::nullopt;
        return Score{e.numberField(8)};
    }
    return std::nullopt;
}

QString scoreText(Game game, const Score &s)
{
    switch (game) {
    case Game::NumberMemory:
        return QStringLiteral("%1 桁").arg(qint64(s.at(0)));
    case Game::ImageMemory:
        return QStringLiteral("%1 個正解").arg(qint64(s.at(0)));
    case Game::IconConcentration:
        return QStringLiteral("%1 回・%2 秒").arg(qint64(-s.at(0))).arg(text::shortestFloat(float(-s.at(1))));
    case Game::Tracking:
        return QStringLiteral("%1 ターン").arg(qint64(s.at(0)));
    case Game::TimeLag:
    case Game::Cycle:
    case Game::Scrambled:
        return text::format0_00(s.at(0)) + QStringLiteral("/秒");
    }
    return QString();
}

} // namespace

BestStanding bestStanding(Game game, const QList<HistoryEntry> &earlier, const HistoryEntry &played,
                          rules::PlayMode mode)
{
    if (!isTyping(game))
        mode = rules::PlayMode::Counted;
    BestStanding b;
    // Each figure's best on its own: the fewest turns and the fewest seconds
    // of icon concentration may come from two plays.
    std::optional<Score> best;
    for (const HistoryEntry &e : earlier) {
        if (!sameSetting(game, e, played, mode))
            continue;
        const std::optional<Score> s = scoreOf(game, e);
        if (!s)
            continue;
        if (!best) {
            best = s;
            continue;
        }
        for (int i = 0; i < best->size(); ++i)
            (*best)[i] = std::max(best->at(i), s->at(i));
    }
    const std::optional<Score> now = scoreOf(game, played);
    b.counts = now.has_value();
    if (!best)
        return b;
    b.hadBest = true;
    b.bestText = scoreText(game, *best);
    if (now)
        for (int i = 0; i < best->size(); ++i)
            b.beaten = b.beaten || now->at(i) > best->at(i) + 1e-9;
    return b;
}

} // namespace kioku
