#pragma once
// What runs the windows without a person in front of them (tests, the
// screenshot tool, the benchmarks) needs: a navigator that only records where
// the windows asked to go, and quiet output on the offscreen platform.
#include "widgets/appcontext.h"

#include <QList>

namespace kioku {

class RecordingNavigator : public Navigator {
public:
    void showMain() override { ++mains; }
    void showGame(int windowNumber) override { games.append(windowNumber); }
    void quit() override { ++quits; }
    bool hasGame(int windowNumber) const override { return available.contains(windowNumber); }
    QList<int> available{1, 2, 3, 4, 5, 6, 7}; // the game windows that "exist"
    int mains = 0;
    int quits = 0;
    QList<int> games;
};

// The offscreen platform warns at every window whose size hints change; that
// says nothing about the program and would bury what a tool prints. Installs a
// message handler that drops just that warning.
void quietOffscreenWarnings();

} // namespace kioku
