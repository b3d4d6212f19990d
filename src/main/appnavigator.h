#pragma once
// The way from one window to the next. Exactly one window of the program is
// open at a time: the main window, or one game window. The program does not
// end when a window closes on its own way to the next one; it ends when the
// user closes the main window, or through quit().
#include "widgets/appcontext.h"

#include <QObject>

class QWidget;

class AppNavigator : public QObject, public kioku::Navigator {
    Q_OBJECT
public:
    explicit AppNavigator(kioku::AppContext &ctx, QObject *parent = nullptr);
    ~AppNavigator() override;

    // Creates a new main window (deleted when closed), runs its start-up and shows it.
    void showMain() override;
    // Creates game window frmG<n> (deleted when closed) and shows it. A window
    // that refuses to open (it has told the user why and sent the program on
    // through this navigator while it was being built) is never shown.
    void showGame(int windowNumber) override;
    void quit() override;
    bool hasGame(int windowNumber) const override { return hasGameWindow(windowNumber); }

    // Whether game window frmG<n> is part of this build; the launcher enables
    // only the buttons of the windows that are.
    static bool hasGameWindow(int windowNumber);

    // The window open now (nullptr before the first and after the end).
    QWidget *currentWindow() const { return m_current; }
    bool quitting() const { return m_quitting; }

protected:
    // Ends the event loop (queued, so it also works before exec() runs).
    virtual void endProgram();
    // Builds game window frmG<n>; nullptr when it is not part of this build.
    virtual QWidget *createGameWindow(int windowNumber);

private:
    void adopt(QWidget *w, bool isMain);
    void windowGone(QObject *w, bool wasMain);

    kioku::AppContext &m_ctx;
    QWidget *m_current = nullptr; // compared only, never dereferenced after it closes
    bool m_quitting = false;
    quint64 m_adopted = 0; // windows opened so far
};
