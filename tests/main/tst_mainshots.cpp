// Renders the main window's screens to PNG files for a look by eye, with a
// sample play log of a few days. Runs only when KIOKU_SHOTS_DIR names the
// folder to write to; otherwise every case is skipped.
#include "mainfixture.h"

#include "main/appearance.h"
#include "widgets/flexgrid.h"
#include "widgets/monthcalendar.h"

#include <QDir>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using namespace kioku;

class tst_MainShots : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void screens();

private:
    QString m_dir;
};

void tst_MainShots::initTestCase()
{
    m_dir = qEnvironmentVariable("KIOKU_SHOTS_DIR");
    if (m_dir.isEmpty())
        QSKIP("KIOKU_SHOTS_DIR is not set");
    QDir().mkpath(m_dir);
    applyAppearance();
}

void tst_MainShots::screens()
{
    MainFixture f;
    f.dir.write(QStringLiteral("氏名.txt"), sjisLines({QStringLiteral("\"氏名\",\"山田\"")}));
    QList<PlayRecord> log;
    const QStringList items = itemNames();
    int n = 0;
    for (int day = 1; day <= 7; ++day) {
        const QString date = QDate(2026, 12, day).toString(QStringLiteral("yyyy/MM/dd"));
        const int plays = day == 7 ? 6 : 1 + day % 3;
        for (int i = 0; i < plays; ++i, ++n) {
            const QString item = items.at((n * 3 + day) % (day == 7 ? 4 : 7));
            const QString time = QStringLiteral("%1:%2:%3")
                                     .arg(8 + i * 2, 2, 10, QLatin1Char('0'))
                                     .arg((n * 7) % 60, 2, 10, QLatin1Char('0'))
                                     .arg((n * 13) % 60, 2, 10, QLatin1Char('0'));
            log.append(play(date, time, item, 10 + (n * 37) % 90 + 0.5f * (n % 2),
                            QStringLiteral("暗記数 : 8   正解 : %1   不正解 : %2   正解率 : %3%")
                                .arg(8 - n % 3)
                                .arg(n % 3)
                                .arg(QString::number((8 - n % 3) * 100.0 / 8, 'f', 1))));
        }
    }
    f.setLog(log);
    auto w = f.load();
    QTest::qWait(50);
    w->grab().save(m_dir + QStringLiteral("/main_today.png"));

    w->mtvmain->clickDate(QDate(2026, 12, 3));
    QTest::qWait(50);
    w->grab().save(m_dir + QStringLiteral("/main_day3.png"));

    w->cmdGame->click();
    QTest::qWait(50);
    w->grab().save(m_dir + QStringLiteral("/main_gamestrip.png"));
    w->cmdModori->click();

    w->cmdSettei->click();
    w->msgHenList->clickCell(3, 2);
    QTest::qWait(50);
    w->grab().save(m_dir + QStringLiteral("/main_edit.png"));

    w->cmdCale->click();
    w->chkHelp->setChecked(true); // the switch as it looks with the tour on
    QTest::qWait(50);
    w->grab().save(m_dir + QStringLiteral("/main_placeholder.png"));

    // The first start: an empty log.
    w.reset();
    f.setLog({});
    auto empty = f.load();
    QTest::qWait(50);
    empty->grab().save(m_dir + QStringLiteral("/main_empty.png"));
}

QTEST_MAIN(tst_MainShots)
#include "tst_mainshots.moc"
