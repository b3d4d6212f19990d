#pragma once
// What the game-window tests share: a fresh data folder, a fake clock, a seeded
// random source, scripted message boxes and a navigator that records the way back.
#include "games/frame/gameframe.h"
#include "games/registry.h"
#include "games/typing/cycletypingwindow.h"
#include "games/typing/scrambledtypingwindow.h"
#include "games/typing/timelagtypingwindow.h"
#include "games/visual/iconconcentrationwindow.h"
#include "games/visual/imagememorywindow.h"
#include "games/visual/numbermemorywindow.h"
#include "games/visual/trackingmemorywindow.h"
#include "testing/headless.h"
#include "testsupport.h"
#include "widgets/flexgrid.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <memory>

using kioku::RecordingNavigator;

struct GameFixture {
    TempDataDir dir;
    kioku::FakeServices services;
    kioku::FakeClock &clock = services.clock;
    kioku::ScriptedMessageService &messages = services.messages;
    RecordingNavigator &navigator = services.navigator;
    kioku::AppContext &ctx = services.ctx;

    GameFixture() { ctx.session.playMode = 1; }

    // Draws come from `values` in turn.
    void drawValues(const QList<double> &values) { services.random.setValues(values); }

    // Built and opened as the registry opens a game window, with the window's
    // own timers stopped: the tests tick them by hand. A window still open when
    // the fixture ends is deleted with it.
    template <typename W, typename... Args> W *open(Args &&...args)
    {
        auto *w = new W(ctx, std::forward<Args>(args)...);
        w->tmrStart()->stop();
        w->tmrBp()->stop();
        m_windows << w;
        w->Form_Load();
        return w;
    }
    ~GameFixture()
    {
        for (const QPointer<QWidget> &w : m_windows)
            delete w.data();
    }

private:
    QList<QPointer<QWidget>> m_windows;
};

// Deletes a window that is still open at the end of a scope.
struct WindowGuard {
    QPointer<QWidget> w;
    explicit WindowGuard(QWidget *window) : w(window) {}
    ~WindowGuard() { delete w.data(); }
};

// The description of window frmG<window>, as the registry gives it.
inline kioku::GameDescription gameDescription(int window)
{
    return kioku::describeGame(*kioku::gameByWindowName(QStringLiteral("frmG%1").arg(window)));
}

// Whether a grid shows its last full page: the last row wholly in view at the
// bottom and as many rows above it as fit (a grid scrolled to its last row).
inline bool showsLastPage(const kioku::FlexGrid *g)
{
    const int n = g->rows() - 1;
    if (n <= 0)
        return true;
    const int page = qMax(1, g->viewport()->height() / g->rowHeight(0));
    const int bottom = g->rowViewportPosition(n - 1) + g->rowHeight(n - 1);
    return g->topRow() == qMax(1, n - page + 1) && bottom <= g->viewport()->height();
}

// Types `keys` into whatever has the keyboard focus now, as the keyboard
// sends them ("\r" is Enter); the keys that found no focus are returned.
inline QString typeIntoFocus(const QString &keys)
{
    QString lost;
    for (const QChar c : keys) {
        QWidget *target = QApplication::focusWidget();
        if (!target) {
            lost += c;
        } else if (c == QLatin1Char('\r')) {
            QTest::keyClick(target, Qt::Key_Return);
        } else {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &press);
            QApplication::sendEvent(target, &release);
        }
    }
    return lost;
}

// Chooses `text` in a combo box, as the user does before its Click handler runs.
inline void pick(QComboBox *box, const QString &text)
{
    box->setCurrentIndex(box->findText(text));
}
