// The two windows of moving data: 以前のデータを取り込む, reached from the edit
// screen and from the first start's welcome, and バックアップから戻す. Driven as
// the player drives them (buttons clicked, grid rows clicked); the main
// window shows what they changed at once; a cancel anywhere changes no byte;
// every text fits its control.
#include "core/backup.h"
#include "main/importdialog.h"
#include "main/restoredialog.h"
#include "mainfixture.h"
#include "moveinfixture.h"
#include "testing/controls.h"
#include "testing/headless.h"
#include "widgets/flexgrid.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace kioku;
using namespace moveinfixture;

namespace {

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

template <typename T> T *openWindow(const QWidget *main, const char *name)
{
    const QList<T *> found = main->findChildren<T *>(QLatin1String(name));
    return found.size() == 1 && found.first()->isVisible() ? found.first() : nullptr;
}

void clickRow(FlexGrid *grid, int r)
{
    const QRect cell = grid->visualRect(grid->model()->index(r - 1, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

// Every text of a window fits the control that shows it, measured in its own font.
void checkTextsFit(const QWidget *window)
{
    for (const QAbstractButton *b : window->findChildren<QAbstractButton *>()) {
        if (b->text().isEmpty()) // the grid's corner
            continue;
        const int room = b->width() - (qobject_cast<const QRadioButton *>(b) ? 20 : 8);
        QVERIFY2(b->fontMetrics().horizontalAdvance(b->text()) <= room,
                 qPrintable(QStringLiteral("%1: %2 > %3")
                                .arg(b->text())
                                .arg(b->fontMetrics().horizontalAdvance(b->text()))
                                .arg(room)));
    }
    for (const QLabel *l : window->findChildren<QLabel *>())
        if (!l->wordWrap() && l->isVisible())
            QVERIFY2(l->fontMetrics().horizontalAdvance(l->text()) <= l->width(), qPrintable(l->text()));
    for (const FlexGrid *g : window->findChildren<FlexGrid *>())
        for (int r = 0; r < g->rows(); ++r)
            for (int c = 0; c < g->cols(); ++c)
                QVERIFY2(g->fontMetrics().horizontalAdvance(g->textMatrix(r, c)) <= g->columnWidth(c),
                         qPrintable(g->textMatrix(r, c)));
}

} // namespace

class tst_transferwindows : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { quietOffscreenWarnings(); }
    void importFromEditScreen_data();
    void importFromEditScreen();
    void offeredAtFirstStart_data();
    void offeredAtFirstStart();
    void restoreFromEditScreen_data();
    void restoreFromEditScreen();
};

void tst_transferwindows::importFromEditScreen_data()
{
    QTest::addColumn<QString>("how");    // the choice in the window
    QTest::addColumn<QString>("cancel"); // where the player gives up: "" for nowhere
    QTest::addColumn<int>("logRows");    // records the edit screen shows afterwards
    QTest::addColumn<QString>("title");

    const QString mine = QStringLiteral(" 花子 の ソラミルプロジェクト３ ～記憶力");
    QTest::newRow("merge") << "optMatomeru" << QString() << 4 << mine;
    QTest::newRow("replace") << "optOkikaeru" << QString() << 3
                             << QStringLiteral(" 太郎 の ソラミルプロジェクト３ ～記憶力");
    QTest::newRow("no folder chosen") << "optMatomeru"
                                      << "folder" << 2 << mine;
    QTest::newRow("cancelled in the window") << "optMatomeru"
                                             << "window" << 2 << mine;
    QTest::newRow("replace not confirmed") << "optOkikaeru"
                                           << "confirm" << 2 << mine;
}

void tst_transferwindows::importFromEditScreen()
{
    QFETCH(QString, how);
    QFETCH(QString, cancel);
    QFETCH(int, logRows);
    QFETCH(QString, title);
    MainFixture f;
    f.ctx.session.welcomeShown = true;
    writeCurrentFolder();
    QTemporaryDir old;
    writeOldFolder(old.path());
    const QMap<QString, QByteArray> before = checksums(QDir::currentPath());
    const QMap<QString, QByteArray> oldSums = checksums(old.path());
    auto w = f.load();
    QTest::mouseClick(w->cmdSettei, Qt::LeftButton);
    QCOMPARE(w->fraSettei->msgHenList->rows(), 3);

    if (cancel != QLatin1String("folder"))
        f.services.files.answerNext(old.path());
    QTest::mouseClick(control<QPushButton>(w, QStringLiteral("cmdTorikomi")), Qt::LeftButton);
    QCOMPARE(f.services.files.asked.size(), 1);
    auto *dialog = openWindow<ImportDialog>(w.get(), "frmTorikomi");
    if (cancel == QLatin1String("folder")) {
        QVERIFY(!dialog);
    } else {
        QVERIFY(dialog);
        // The preview names the cut-off record's line before anything is done.
        FlexGrid *grid = control<FlexGrid>(dialog, QStringLiteral("msgTorikomi"));
        QCOMPARE(grid->textMatrix(1, 0), QStringLiteral("データ.TXT"));
        QCOMPARE(grid->textMatrix(1, 3), QStringLiteral("3, 5 行目を読めません（取り込みません）"));
        checkTextsFit(dialog);
        QTest::mouseClick(control<QRadioButton>(dialog, how), Qt::LeftButton);
        if (cancel == QLatin1String("window")) {
            QTest::mouseClick(control<QPushButton>(dialog, QStringLiteral("cmdTorikomiCancel")), Qt::LeftButton);
        } else {
            f.messages.answerNext(cancel == QLatin1String("confirm") ? MsgAnswer::Cancel : MsgAnswer::Ok);
            QTest::mouseClick(control<QPushButton>(dialog, QStringLiteral("cmdTorikomiOK")), Qt::LeftButton);
        }
        flushDeletes();
        // A replace not confirmed leaves the window open for another choice.
        QCOMPARE(openWindow<ImportDialog>(w.get(), "frmTorikomi") != nullptr, cancel == QLatin1String("confirm"));
    }
    // The edit screen and the title show what is in the files now.
    QCOMPARE(w->fraSettei->msgHenList->rows(), logRows + 1);
    QCOMPARE(w->windowTitle(), title);
    if (!cancel.isEmpty())
        QCOMPARE(checksums(QDir::currentPath()), before);
    else
        QCOMPARE(f.messages.shown.last().title, QStringLiteral("取り込み終了"));
    QCOMPARE(checksums(old.path()), oldSums);
}

void tst_transferwindows::offeredAtFirstStart_data()
{
    QTest::addColumn<bool>("newFolder");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("new folder, taken up") << true << true;
    QTest::newRow("new folder, declined") << true << false;
    QTest::newRow("a folder in use is not asked") << false << false;
}

void tst_transferwindows::offeredAtFirstStart()
{
    QFETCH(bool, newFolder);
    QFETCH(bool, accepted);
    MainFixture f;
    f.ctx.session.offerImport = newFolder;
    QTemporaryDir old;
    writeOldFolder(old.path());
    f.services.files.answerNext(old.path());
    if (accepted)
        f.messages.answerNext(MsgAnswer::Ok);
    auto w = f.load();
    const bool asked = std::any_of(f.messages.shown.begin(), f.messages.shown.end(), [](const ShownMessage &m) {
        return m.title == QStringLiteral("以前のデータを取り込む");
    });
    QCOMPARE(asked, newFolder);
    QCOMPARE(f.services.files.asked.size(), accepted ? 1 : 0);
    ImportDialog *dialog = openWindow<ImportDialog>(w.get(), "frmTorikomi");
    QCOMPARE(dialog != nullptr, accepted);
    if (!dialog)
        return;
    QTest::mouseClick(control<QPushButton>(dialog, QStringLiteral("cmdTorikomiOK")), Qt::LeftButton);
    // The today screen and the title show the records and the name taken in.
    QCOMPARE(w->windowTitle(), QStringLiteral(" 太郎 の ソラミルプロジェクト３ ～記憶力"));
    QTest::mouseClick(w->cmdSettei, Qt::LeftButton);
    QCOMPARE(w->fraSettei->msgHenList->rows(), 4);
}

void tst_transferwindows::restoreFromEditScreen_data()
{
    QTest::addColumn<QByteArray>("copy");
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<int>("logRows");
    QTest::addColumn<QString>("told"); // the title of the last box

    const QByteArray three = sjisLines({play("2026/12/01", "09:00:00", "数字記憶", 10).gameLine(),
                                        play("2026/12/02", "09:00:00", "数字記憶", 11).gameLine(),
                                        play("2026/12/03", "09:00:00", "追跡記憶", 12).gameLine()});
    QTest::newRow("put back") << three << true << 3 << QStringLiteral("戻す終了");
    QTest::newRow("not confirmed") << three << false << 1 << QStringLiteral("戻す確認");
    QTest::newRow("damaged copy refused")
        << sjisLines({QStringLiteral("こわれた行")}) << true << 1 << QStringLiteral("戻せないコピー");
}

void tst_transferwindows::restoreFromEditScreen()
{
    QFETCH(QByteArray, copy);
    QFETCH(bool, confirmed);
    QFETCH(int, logRows);
    QFETCH(QString, told);
    MainFixture f;
    f.ctx.session.welcomeShown = true;
    f.setLog({play("2026/12/05", "09:00:00", "数字記憶", 10)});
    QDir().mkpath(kBackupFolder);
    QVERIFY(f.dir.write(kBackupFolder + QStringLiteral("/データ_20261206-100000.txt"), copy));
    const QByteArray before = f.logBytes();
    auto w = f.load();
    QTest::mouseClick(w->cmdSettei, Qt::LeftButton);

    QTest::mouseClick(control<QPushButton>(w, QStringLiteral("cmdBackup")), Qt::LeftButton);
    auto *dialog = openWindow<RestoreDialog>(w.get(), "frmModosu");
    QVERIFY(dialog);
    FlexGrid *grid = control<FlexGrid>(dialog, QStringLiteral("msgModosu"));
    QCOMPARE(grid->rows(), 2);
    QCOMPARE(grid->textMatrix(1, 0), QStringLiteral("データ.txt"));
    QCOMPARE(grid->textMatrix(1, 1), QStringLiteral("2026/12/06 10:00:00"));
    checkTextsFit(dialog);
    auto *restore = control<QPushButton>(dialog, QStringLiteral("cmdModosu"));
    QVERIFY(!restore->isEnabled()); // nothing chosen yet
    clickRow(grid, 1);
    QVERIFY(restore->isEnabled());
    f.messages.answerNext(confirmed ? MsgAnswer::Ok : MsgAnswer::Cancel);
    QTest::mouseClick(restore, Qt::LeftButton);

    QCOMPARE(f.messages.shown.last().title, told);
    QCOMPARE(w->fraSettei->msgHenList->rows(), logRows + 1);
    QCOMPARE(f.logBytes(), logRows == 3 ? copy : before);
    if (logRows == 3) // the log as it was is a copy of its own now, listed at the top
        QCOMPARE(grid->textMatrix(1, 2), QStringLiteral("バックアップから戻す前"));
}

QTEST_MAIN(tst_transferwindows)
#include "tst_transferwindows.moc"
