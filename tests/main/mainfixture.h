#pragma once
// What the main-window tests share: a fresh data folder, a fake clock, scripted
// message boxes and a navigator that records where the window asked to go.
#include "core/playlog/playlog.h"
#include "main/editpanel.h"
#include "main/mainwindow.h"
#include "main/todaypanel.h"
#include "testing/headless.h"
#include "testsupport.h"

#include <QList>
#include <memory>

using kioku::Game;
using kioku::RecordingNavigator;

// Today in every test: 2026/12/07 14:05:33.
inline QDate testToday()
{
    return QDate(2026, 12, 7);
}

struct MainFixture {
    TempDataDir dir;
    kioku::FakeServices services{QDateTime(testToday(), QTime(14, 5, 33)), 1};
    kioku::FakeClock &clock = services.clock;
    kioku::ScriptedMessageService &messages = services.messages;
    RecordingNavigator &navigator = services.navigator;
    kioku::AppContext &ctx = services.ctx;

    // A data folder as a first start leaves it, with the help tour as given.
    explicit MainFixture(int tour = 0)
    {
        setTour(tour);
        dir.write(QStringLiteral("データ.txt"), QByteArray());
        dir.write(QStringLiteral("メモ.TXT"), "\r\n");
        dir.write(QStringLiteral("氏名.txt"), sjisLines({QStringLiteral("\"氏名\",\"\"")}));
    }

    void setTour(int on)
    {
        dir.write(QStringLiteral("設定.txt"), sjisLines({QStringLiteral("\"ヘルプツアー\",%1").arg(on)}));
    }

    // Writes the play log as the games write it (each line ends in a bare comma).
    void setLog(const QList<kioku::PlayRecord> &records)
    {
        QStringList lines;
        for (const kioku::PlayRecord &r : records)
            lines.append(r.gameLine());
        dir.write(QStringLiteral("データ.txt"), sjisLines(lines));
    }

    QByteArray logBytes() const { return dir.bytes(QStringLiteral("データ.txt")); }

    // A main window after its whole start-up.
    std::unique_ptr<kioku::MainWindow> load()
    {
        auto w = std::make_unique<kioku::MainWindow>(ctx);
        w->Form_Load();
        return w;
    }
};
