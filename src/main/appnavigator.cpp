#include "main/appnavigator.h"

#include "games/frame/gameframe.h"
#include "games/registry.h"
#include "main/mainwindow.h"
#include "main/textsizebox.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace kioku {

AppNavigator::AppNavigator(QObject *parent) : QObject(parent)
{
    // One window closes before the next opens; that gap must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);
}

AppNavigator::~AppNavigator() = default;

void AppNavigator::adopt(QWidget *w, bool isMain)
{
    w->setAttribute(Qt::WA_DeleteOnClose);
    m_current = w;
    ++m_adopted;
    connect(w, &QObject::destroyed, this, [this, w, isMain] { windowGone(w, isMain); });
}

void AppNavigator::showMain()
{
    if (m_quitting)
        return; // the program is ending: a window closing on its way out leads nowhere
    Q_ASSERT(m_ctx);
    applyStoredTextSize(); // each window is built at the text size chosen last
    auto *w = new MainWindow(*m_ctx);
    adopt(w, true);
    w->Form_Load(); // the start-up shows the window
}

QWidget *AppNavigator::createGameWindow(kioku::Game game)
{
    Q_ASSERT(m_ctx);
    return kioku::openGame(game, *m_ctx);
}

void AppNavigator::showGame(kioku::Game game)
{
    if (m_quitting)
        return;
    const quint64 adopted = m_adopted;
    applyStoredTextSize();
    QPointer<QWidget> w = createGameWindow(game);
    if (!w)
        return;
    // A game that cannot be played tells the user why, sends the program on
    // (to its end or to a new main window) and closes itself, all while it is
    // being built. Such a window is neither shown nor followed when it goes.
    const auto *frame = qobject_cast<const kioku::GameFrame *>(w.data());
    if (m_quitting || m_adopted != adopted || (frame && frame->closing())) {
        w->deleteLater();
        return;
    }
    adopt(w, false);
    w->show();
}

void AppNavigator::quit()
{
    if (m_quitting)
        return;
    m_quitting = true;
    endProgram();
}

void AppNavigator::endProgram()
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
}

void AppNavigator::windowGone(QObject *w, bool wasMain)
{
    if (w != m_current)
        return; // another window has been opened since: this one closed on the way to it
    m_current = nullptr;
    if (m_quitting)
        return;
    if (wasMain)
        quit(); // the user closed the main window: the program ends
    else
        showMain(); // a game window always leads back to the main window
}

} // namespace kioku
