// Renders the number-memory window in its states to PNG files for a look by
// eye. Runs only when KIOKU_SHOTS_DIR names the folder to write to; otherwise
// every case is skipped.
#include "core/rules/numbermemory.h"
#include "gamefixture.h"
#include "games/visual/frmg1.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QLineEdit>
#include <QtTest>

using namespace kioku;

class tst_G1Shots : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void states();
    void otherFrames();

private:
    QString m_dir;
};

void tst_G1Shots::initTestCase()
{
    m_dir = qEnvironmentVariable("KIOKU_SHOTS_DIR");
    if (m_dir.isEmpty())
        QSKIP("KIOKU_SHOTS_DIR is not set");
    QDir().mkpath(m_dir);
    // The font the program itself applies at start.
    QFont font = QApplication::font();
    if (QFontDatabase::families().contains(QStringLiteral("IPAGothic")))
        font.setFamily(QStringLiteral("IPAGothic"));
    if (font.pointSizeF() < 10)
        font.setPointSizeF(10);
    QApplication::setFont(font);
}

void tst_G1Shots::states()
{
    GameFixture f;
    f.dir.write(rules::kNumberMemorySettingsFile, "8,3,1\r\n");
    QStringList lines;
    const QStringList marks{"○○×○○○×○", "○○○○○○○○", "○×○○×○○○", "○○○○○○○×", "○○○○○×××", "○○○○○○○○",
                            "×○○○○○○○", "○○○○○○○○", "○○×○○○○○"};
    for (int i = 0; i < marks.size(); ++i) {
        const int right = int(marks.at(i).count(QStringLiteral("○")));
        const int wrong = 8 - right;
        lines << QStringLiteral("\"2026/12/%1\",\"%2:15:07\",\"%3－－－－－－－\",%4,%5,\"%6\",\"%7\"")
                     .arg(i + 1, 2, 10, QLatin1Char('0'))
                     .arg(9 + i)
                     .arg(marks.at(i))
                     .arg(right)
                     .arg(wrong)
                     .arg(rules::correctRate(right, 8), i % 2 ? QStringLiteral("3秒") : QStringLiteral("0.5秒"));
    }
    f.dir.write(rules::kNumberMemoryHistoryFile, sjisLines(lines));
    f.drawValues({0.13, 0.52, 0.91, 0.33, 0.77, 0.05, 0.64, 0.48});

    auto *w = f.open<frmG1>();
    WindowGuard g(w);
    w->show();
    QTest::qWait(50);
    w->grab().save(m_dir + QStringLiteral("/g1_idle.png"));

    // In the middle of the display phase.
    bool shot = false;
    f.clock.onWait = [&](double) {
        if (!shot && f.clock.elapsedNs() > 1200000000LL) {
            shot = true;
            QTest::qWait(20);
            w->grab().save(m_dir + QStringLiteral("/g1_display.png"));
        }
    };
    w->cmdStart_Click();
    w->tmrStart_Timer();
    QTest::qWait(20);
    w->grab().save(m_dir + QStringLiteral("/g1_countdown.png"));
    w->tmrStart_Timer();
    w->tmrStart_Timer();
    f.clock.onWait = nullptr;
    QTest::qWait(20);
    w->grab().save(m_dir + QStringLiteral("/g1_answering.png"));

    const QStringList typed{"1", "4", "0", "2", "6", "0", "5", "3"};
    for (int i = 0; i < typed.size(); ++i)
        w->txtKaitou(i + 1)->setText(typed.at(i));
    w->cmdKekka_Click();
    QTest::qWait(50);
    w->grab().save(m_dir + QStringLiteral("/g1_judged.png"));

    w->cmdRitu_Click();
    QTest::qWait(50);
    w->grab().save(m_dir + QStringLiteral("/g1_rate_view.png"));
}

namespace {
// The frame alone, as another game's window would start from it.
class BareFrame : public GameFrame {
public:
    BareFrame(AppContext &ctx, GameDescription d) : GameFrame(ctx, std::move(d)) { Form_Load(); }

protected:
    bool hasResult() const override { return false; }
    HistoryEntry historyEntry(const QDateTime &) const override { return {}; }
    PlayRecord playRecord(const QDateTime &) const override { return {}; }
};
} // namespace

void tst_G1Shots::otherFrames()
{
    for (int n = 2; n <= 7; ++n) {
        GameFixture f;
        auto *w = new BareFrame(f.ctx, gameDescription(n));
        WindowGuard g(w);
        w->show();
        QTest::qWait(30);
        w->grab().save(m_dir + QStringLiteral("/frame_g%1.png").arg(n));
    }
}

QTEST_MAIN(tst_G1Shots)
#include "tst_g1shots.moc"
