#pragma once
// What the game-window tests share: a fresh data folder, a fake clock, a seeded
// random source, scripted message boxes and a navigator that records the way back.
#include "core/clock.h"
#include "core/random.h"
#include "games/frame/gameframe.h"
#include "testsupport.h"
#include "widgets/appcontext.h"
#include "widgets/flexgrid.h"
#include "widgets/headless.h"
#include "widgets/messages.h"

#include <QComboBox>
#include <QPointer>
#include <QTimer>

#include <memory>

using kioku::RecordingNavigator;

struct GameFixture {
    TempDataDir dir;
    kioku::FakeClock clock{QDateTime(QDate(2026, 12, 7), QTime(14, 5, 33))};
    std::unique_ptr<kioku::SeededRandom> random = std::make_unique<kioku::SeededRandom>(7);
    kioku::ScriptedMessageService messages;
    RecordingNavigator navigator;
    kioku::AppContext ctx;

    GameFixture()
    {
        ctx.clock = &clock;
        ctx.random = random.get();
        ctx.messages = &messages;
        ctx.navigator = &navigator;
        ctx.helpTourOn = 0;
        ctx.playMode = 1;
    }

    // Draws come from `values` in turn.
    void drawValues(const QList<double> &values)
    {
        random = std::make_unique<kioku::SeededRandom>(values);
        ctx.random = random.get();
    }

    // The window's own timers are stopped: the tests tick them by hand. A window
    // still open when the fixture ends is deleted with it.
    template<typename W, typename... Args>
    W *open(Args &&...args)
    {
        auto *w = new W(ctx, std::forward<Args>(args)...);
        w->tmrStart()->stop();
        w->tmrBp()->stop();
        m_windows << w;
        return w;
    }
    ~GameFixture()
    {
        for (const QPointer<QWidget> &w : m_windows)
            delete w.data();
    }

private:
    QList<QPointer<QWidget>> m_windows;
};

// Deletes a window that is still open at the end of a scope.
struct WindowGuard {
    QPointer<QWidget> w;
    explicit WindowGuard(QWidget *window) : w(window) {}
    ~WindowGuard() { delete w.data(); }
};

// Whether a grid shows its last full page: the last row wholly in view at the
// bottom and as many rows above it as fit (a grid scrolled to its last row).
inline bool showsLastPage(const kioku::FlexGrid *g)
{
    const int n = g->rows() - 1;
    if (n <= 0)
        return true;
    const int page = qMax(1, g->viewport()->height() / g->rowHeight(0));
    const int bottom = g->rowViewportPosition(n - 1) + g->rowHeight(n - 1);
    return g->topRow() == qMax(1, n - page + 1) && bottom <= g->viewport()->height();
}

// Chooses `text` in a combo box, as the user does before its Click handler runs.
inline void pick(QComboBox *box, const QString &text)
{
    box->setCurrentIndex(box->findText(text));
}
