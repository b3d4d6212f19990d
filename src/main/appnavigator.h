#pragma once
// The way from one window to the next. Exactly one window of the program is
// open at a time: the main window, or one game window. The program does not
// end when a window closes on its own way to the next one; it ends when the
// user closes the main window, or through quit().
#include "widgets/appcontext.h"

#include <QObject>

class QWidget;

namespace kioku {

class AppNavigator : public QObject, public kioku::Navigator {
    Q_OBJECT
public:
    explicit AppNavigator(QObject *parent = nullptr);
    ~AppNavigator() override;
    // The context the windows are built with (it holds this navigator, so it
    // is made after it). Must be set before the first window is shown.
    void setContext(kioku::AppContext &ctx) { m_ctx = &ctx; }

    // Creates a new main window (deleted when closed), runs its start-up and shows it.
    void showMain() override;
    // Creates the window of `game` (deleted when closed) and shows it. A window
    // that refuses to open (it has told the user why and sent the program on
    // through this navigator while it was being built) is never shown.
    void showGame(kioku::Game game) override;
    void quit() override;

    // The window open now (nullptr before the first and after the end).
    QWidget *currentWindow() const { return m_current; }
    bool quitting() const { return m_quitting; }

protected:
    // Ends the event loop (queued, so it also works before exec() runs).
    virtual void endProgram();
    // Builds and opens the window of `game` (see openGame).
    virtual QWidget *createGameWindow(kioku::Game game);

private:
    void adopt(QWidget *w, bool isMain);
    void windowGone(QObject *w, bool wasMain);

    kioku::AppContext *m_ctx = nullptr;
    QWidget *m_current = nullptr; // compared only, never dereferenced after it closes
    bool m_quitting = false;
    quint64 m_adopted = 0; // windows opened so far
};

} // namespace kioku
