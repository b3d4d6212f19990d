#pragma once
// What runs the windows without a person in front of them (tests, the
// screenshot tool, the benchmarks) needs: a navigator that only records where
// the windows asked to go, and quiet output on the offscreen platform.
#include "testing/fakeclock.h"
#include "testing/scriptedfiles.h"
#include "testing/scriptedmessages.h"
#include "testing/seededrandom.h"
#include "widgets/appcontext.h"

#include <QList>

namespace kioku {

class RecordingNavigator : public Navigator {
public:
    void showMain() override { ++mains; }
    void showGame(Game game) override { games.append(game); }
    void quit() override { ++quits; }
    int mains = 0;
    int quits = 0;
    QList<Game> games;
};

// The offscreen platform warns at every window whose size hints change; that
// says nothing about the program and would bury what a tool prints. Installs a
// message handler that drops just that warning.
void quietOffscreenWarnings();

// Every service faked, and the context made of them: what a test, the
// screenshot tool or a benchmark hands a window. Today is 2026/12/07 14:05:33
// unless told; the help tour is off.
struct FakeServices {
    explicit FakeServices(const QDateTime &now = QDateTime(QDate(2026, 12, 7), QTime(14, 5, 33)), quint64 seed = 7)
        : clock(now), random(seed)
    {
        ctx.session.helpTourOn = 0;
        ctx.fileChooser = &files;
    }
    FakeClock clock;
    SeededRandom random;
    ScriptedMessageService messages;
    RecordingNavigator navigator;
    ScriptedFileChooser files;
    AppContext ctx{clock, random, messages, navigator};
};

} // namespace kioku
