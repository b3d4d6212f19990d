#pragma once
// What lives as long as the program: the required services (time, chance,
// message boxes and the way from one window to the next), passed by reference,
// and the session state the windows share. The composition root (app/main.cpp)
// builds it; tests build one from fakes (kioku_testing).
#include "core/game/catalogue.h"

#include <QSet>
#include <QString>

#include <array>

class QWidget;

namespace kioku {

class Clock;
class RandomSource;
class MessageService;
class FileChooser;

// Opens windows; exactly one window of the program is open at a time.
class Navigator {
public:
    virtual ~Navigator() = default;
    // Creates a new main window and shows it (it runs its whole start-up).
    virtual void showMain() = 0;
    // Creates the window of `game` and shows it.
    virtual void showGame(Game game) = 0;
    // Ends the program.
    virtual void quit() = 0;
};

// What the windows of one run share.
struct Session {
    // Help tour: on (1) or off (0); re-read from the settings file at every main-window load.
    int helpTourOn = 1;
    // The explanatory text the screen opened last handed to the tour.
    QString helpTourText;
    // Set when the welcome text has been composed once in this run.
    bool welcomeShown = false;
    // The data folder was new at this start: the welcome offers to take in an older folder.
    bool offerImport = false;
    // The registered user name.
    QString userName;
    // Set once the user has been told that the play log holds bytes that are not
    // Shift-JIS, so the warning is not repeated at every return from a game.
    bool damagedLogWarned = false;
    // The problems with data files the user has been told of in this run (a
    // file that cannot be read, one with bytes that are not Shift-JIS), each
    // by a key naming the file and the problem: every window is built anew
    // after a game, and a problem is told once per start, not at every screen.
    QSet<QString> toldProblems;
    // True the first time `key` is asked for in this run, false from then on.
    bool tellOnce(const QString &key)
    {
        if (toldProblems.contains(key))
            return false;
        toldProblems.insert(key);
        return true;
    }
    // 1 = timed play, 0 = counted play (shared by the typing games).
    qint16 playMode = 0;
    // The sorted list's four sort buttons (回, 項目, 秒数, 一言日記): true when the
    // last sort by that key was ascending, so the next press sorts descending.
    std::array<bool, 4> sortToggles{};
};

struct AppContext {
    AppContext(Clock &c, RandomSource &r, MessageService &m, Navigator &n)
        : clock(c), random(r), messages(m), navigator(n)
    {
    }
    AppContext(const AppContext &) = delete;
    AppContext &operator=(const AppContext &) = delete;

    Clock &clock;
    RandomSource &random;
    MessageService &messages;
    Navigator &navigator;
    // Where files are saved outside the data folder; nullptr: the desktop's
    // own dialog (widgets/filechooser.h).
    FileChooser *fileChooser = nullptr;
    Session session;

    // The screen being opened explains itself: `text` is kept as the tour's
    // text and shown in an information box titled "ヘルプツアー" when the tour is on.
    void showHelpTour(QWidget *parent, const QString &text);
};

} // namespace kioku
