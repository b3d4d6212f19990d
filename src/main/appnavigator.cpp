#include "appnavigator.h"

#include "frmmain.h"
#include "games/frame/gameframe.h"
#include "games/visual/frmg1.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace {

// The game windows built into the program, by window number. A game joins the
// launcher by adding its line here: its launcher button is enabled from then on.
struct GameWindow {
    int number;
    QWidget *(*create)(kioku::AppContext &ctx);
};

const GameWindow kGameWindows[] = {
    {1, [](kioku::AppContext &ctx) -> QWidget * { return new frmG1(ctx); }},
};

} // namespace

AppNavigator::AppNavigator(kioku::AppContext &ctx, QObject *parent) : QObject(parent), m_ctx(ctx)
{
    // One window closes before the next opens; that gap must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);
}

AppNavigator::~AppNavigator() = default;

bool AppNavigator::hasGameWindow(int windowNumber)
{
    for (const GameWindow &g : kGameWindows)
        if (g.number == windowNumber)
            return true;
    return false;
}

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
    auto *w = new frmMain(m_ctx);
    adopt(w, true);
    w->Form_Load(); // the start-up shows the window
}

QWidget *AppNavigator::createGameWindow(int windowNumber)
{
    for (const GameWindow &g : kGameWindows)
        if (g.number == windowNumber)
            return g.create(m_ctx);
    qWarning("AppNavigator: no game window %d in this build", windowNumber);
    return nullptr;
}

void AppNavigator::showGame(int windowNumber)
{
    if (m_quitting)
        return;
    const quint64 adopted = m_adopted;
    QPointer<QWidget> w = createGameWindow(windowNumber);
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
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                              Qt::QueuedConnection);
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
