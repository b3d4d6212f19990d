#pragma once
// What lives as long as the program: the doors to time, chance and messages,
// the program-wide state the windows share, and the way from one window to the next.
// The composition root (app/main.cpp) builds it; tests build one with fakes.
#include <QString>

class QWidget;

namespace kioku {

class Clock;
class RandomSource;
class MessageService;

// Opens windows; exactly one window of the program is open at a time.
class Navigator {
public:
    virtual ~Navigator() = default;
    // Creates a new main window and shows it (it runs its whole start-up).
    virtual void showMain() = 0;
    // Creates game window frmG<n> (1..7) and shows it.
    virtual void showGame(int windowNumber) = 0;
    // Whether game window frmG<n> can be opened (is part of this build).
    virtual bool hasGame(int windowNumber) const = 0;
    // Ends the program.
    virtual void quit() = 0;
};

struct AppContext {
    Clock *clock = nullptr;
    RandomSource *random = nullptr;
    MessageService *messages = nullptr;
    Navigator *navigator = nullptr;

    // Help tour: on (1) or off (0); re-read from the settings file at every main-window load.
    int helpTourOn = 1;
    // The explanatory text of the screen being opened.
    QString helpTourText;
    // Set when the welcome text has been composed once in this run.
    bool welcomeShown = false;
    // The registered user name.
    QString userName;
    // Set once the user has been told that the play log holds bytes that are not
    // Shift-JIS, so the warning is not repeated at every return from a game.
    bool damagedLogWarned = false;
    // 1 = timed play, 0 = counted play (shared by the typing games).
    qint16 playMode = 0;

    // Shows helpTourText in an information box titled "ヘルプツアー" when the tour is on.
    void showHelpTour(QWidget *parent);
};

} // namespace kioku
