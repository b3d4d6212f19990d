#pragma once
// What the game-window tests share: a fresh data folder, a fake clock, a seeded
// random source, scripted message boxes and a navigator that records the way back.
#include "core/clock.h"
#include "core/random.h"
#include "games/frame/gameframe.h"
#include "testsupport.h"
#include "widgets/appcontext.h"
#include "widgets/messages.h"

#include <QPointer>
#include <QTimer>

#include <memory>

class RecordingNavigator : public kioku::Navigator {
public:
    void showMain() override
    {
        ++mains;
        if (onShowMain)
            onShowMain();
    }
    void showGame(int windowNumber) override { games.append(windowNumber); }
    void quit() override { ++quits; }
    int mains = 0;
    int quits = 0;
    QList<int> games;
    std::function<void()> onShowMain;
};

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

    // The window's own timers are stopped: the tests tick them by hand.
    template<typename W>
    W *open()
    {
        auto *w = new W(ctx);
        w->tmrStart()->stop();
        w->tmrBp()->stop();
        return w;
    }
};

// Deletes a window that is still open at the end of a test.
struct WindowGuard {
    QPointer<QWidget> w;
    explicit WindowGuard(QWidget *window) : w(window) {}
    ~WindowGuard() { delete w.data(); }
};

// The history lines as stored, in code page 932 with CR LF.
inline QByteArray historyBytes(const QStringList &lines)
{
    return sjisLines(lines);
}
