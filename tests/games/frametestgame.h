#pragma once
// What the tests of the game frame share: number memory's files, the two
// colours of the history panel's states, and a game window with no play of
// its own (the frame alone, from any description).
#include "core/game/history.h"
#include "core/rules/numbermemory.h"
#include "gamefixture.h"
#include "games/frame/gamedescription.h"
#include "widgets/flexgrid.h"

#include <QColor>
#include <QComboBox>

#include <functional>
#include <optional>

using namespace kioku;

inline const QString kHistory = rules::kNumberMemoryHistoryFile;
inline const QString kSettings = rules::kNumberMemorySettingsFile;
inline const QColor kLightCyan(192, 255, 255);
inline const QColor kLightYellow(255, 255, 192);

// A game window with no play of its own: the frame alone, from any description.
class TestGame : public GameFrame {
public:
    TestGame(AppContext &ctx, GameDescription d, std::optional<OpenRefusal> refuse = std::nullopt)
        : GameFrame(ctx, std::move(d)), refusal(std::move(refuse))
    {
        playArea()->setMinimumSize(200, 120); // room for a click on its background
    }
    std::optional<OpenRefusal> refusal;
    bool hasResult = false;
    HistoryEntry entry;
    QList<std::function<void()>> steps;
    int boards = 0;
    int plays = 0;
    using GameFrame::blockFor;
    using GameFrame::holdInputFor;
    using GameFrame::setPlayState;
    using GameFrame::startPlayClock;
    using GameFrame::supersedeWaits;
    using GameFrame::waitMs;
    using GameFrame::wakeWaits;

protected:
    std::optional<OpenRefusal> openRefusal() override { return refusal; }
    void prepareBoard() override { ++boards; }
    void beginPlay() override { ++plays; }
    std::optional<SavedPlay> result(const QDateTime &) const override
    {
        if (!hasResult)
            return std::nullopt;
        return SavedPlay{entry, PlayRecord{}};
    }
    QList<std::function<void()>> bpSteps() override { return steps; }
};

inline QComboBox *box(QWidget *w, const char *name)
{
    return w->findChild<QComboBox *>(QLatin1String(name));
}

inline QStringList gridRow(FlexGrid *g, int r)
{
    QStringList v;
    for (int c = 0; c < g->cols(); ++c)
        v << g->textMatrix(r, c);
    return v;
}
