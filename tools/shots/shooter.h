#pragma once
// What every screenshot of kioku_shots shares: the grabbing into PNG files, the
// faked services of a pass, and a key pressed the way the player presses it.
#include "core/text/textfile.h"
#include "testing/headless.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QKeyEvent>
#include <QPixmap>
#include <QString>
#include <QTextStream>
#include <QWidget>

#include <utility>

namespace kioku::shots {

inline QTextStream &out()
{
    static QTextStream s(stdout);
    return s;
}

inline QTextStream &err()
{
    static QTextStream s(stderr);
    return s;
}

// Writes the PNGs and counts the failures.
class Shooter {
public:
    explicit Shooter(QString dir) : m_dir(std::move(dir)) {}

    // Every file name of a pass starts with this ("dark_" for the dark desktop).
    void setPrefix(const QString &prefix) { m_prefix = prefix; }

    // Lets layouts and pending paints settle, then grabs `w` into `<dir>/<prefix><name>`.
    void shoot(QWidget *w, const QString &name)
    {
        settle();
        const QString path = QDir(m_dir).filePath(m_prefix + name);
        if (!w) {
            fail(path, QStringLiteral("no window to grab"));
            return;
        }
        const QPixmap pm = w->grab();
        if (pm.isNull() || pm.width() < 2 || pm.height() < 2) {
            fail(path, QStringLiteral("the grab came back empty"));
            return;
        }
        if (!pm.save(path, "PNG")) {
            fail(path, QStringLiteral("could not write the file"));
            return;
        }
        out() << QDir::toNativeSeparators(path) << Qt::endl;
        ++m_written;
    }

    static void settle()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }

    int written() const { return m_written; }
    int failures() const { return m_failures; }

private:
    void fail(const QString &path, const QString &why)
    {
        err() << "kioku_shots: " << QDir::toNativeSeparators(path) << ": " << why << Qt::endl;
        ++m_failures;
    }

    QString m_dir;
    QString m_prefix;
    int m_written = 0;
    int m_failures = 0;
};

inline const QDateTime kNow(QDate(2026, 12, 7), QTime(14, 5, 33));

struct Context {
    FakeServices services{kNow, 7};
    FakeClock &clock = services.clock;
    AppContext &ctx = services.ctx;

    void drawValues(const QList<double> &values) { services.random.setValues(values); }
};

inline bool writeOk(const text::WriteResult &w, const QString &what)
{
    if (!w.ok)
        err() << "kioku_shots: " << what << ": " << w.message << Qt::endl;
    return w.ok;
}

inline void pressKey(QWidget *w, Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &release);
}

} // namespace kioku::shots
