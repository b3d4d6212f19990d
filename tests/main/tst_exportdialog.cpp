// The export window as the player uses it: 編集 → 書き出し opens it, the
// choices are clicked, 書き出す asks where (the save dialog answered by the
// test) and writes, or says in Japanese why it did not; キャンセル closes it.
#include "core/transfer/csvexport.h"
#include "main/exportdialog.h"
#include "mainfixture.h"
#include "testing/controls.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <unistd.h>

using namespace kioku;

namespace {

QList<PlayRecord> sampleLog()
{
    return {play("2026/10/30", "20:00:00", "数字記憶", 42.5f, "暗記数 : 8   正解 : 6"),
            play("2026/12/06", "09:15:00", "アイコン衰弱", 63.25f, "今日は、よくできた"),
            play("2026/12/07", "14:00:00", "追跡記憶", 30.0f)};
}

// The export window over the main window, opened by its button on the edit screen.
ExportDialog *openExport(MainWindow *w)
{
    QTest::mouseClick(w->cmdSettei, Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>(w, QStringLiteral("cmdKakidashi")), Qt::LeftButton);
    return control<ExportDialog>(w, QStringLiteral("frmExport"));
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class tst_exportdialog : public QObject {
    Q_OBJECT
private slots:
    void exports_data();
    void exports();
    void monthsOffered();
    void textsFit();
    void folderNotWritable();
};

void tst_exportdialog::exports_data()
{
    QTest::addColumn<QStringList>("clicks"); // controls clicked before 書き出す
    QTest::addColumn<QString>("answer");     // the save dialog's answer in the output folder ("" gives up)
    QTest::addColumn<int>("replace");        // -1: no file there; 0: there, not replaced; 1: replaced
    QTest::addColumn<QStringList>("files");  // what the output folder holds after
    QTest::addColumn<QString>("title");      // the box shown ("" for none)
    QTest::addColumn<QString>("text");       // how its text starts
    QTest::addColumn<bool>("stillOpen");
    QTest::addColumn<QByteArray>("log"); // the play log's bytes, when not the sample's

    const QString done = QStringLiteral("書き出し終了");
    QTest::newRow("csv") << QStringList{} << "記録.csv" << -1 << QStringList{"記録.csv"} << done
                         << "「記録.csv」に書き出しました。" << false << QByteArray();
    QTest::newRow("csv named without suffix") << QStringList{} << "記録" << -1 << QStringList{"記録.csv"} << done
                                              << "「記録.csv」に書き出しました。" << false << QByteArray();
    QTest::newRow("csv with histories")
        << QStringList{"chkRireki"} << "記録.csv" << -1
        << QStringList{"記録.csv",          "記録_アイコン衰弱.csv", "記録_バラバラ記憶.csv",
                       "記録_数字記憶.csv", "記録_時間差記憶.csv",   "記録_画像記憶.csv",
                       "記録_輪廻記憶.csv", "記録_追跡記憶.csv"}
        << done << "「記録.csv」に書き出しました。\r\n各ゲームの履歴も" << false << QByteArray();
    QTest::newRow("pdf") << QStringList{"optPdf"} << "月報.pdf" << -1 << QStringList{"月報.pdf"} << done
                         << "「月報.pdf」に書き出しました。" << false << QByteArray();
    QTest::newRow("save dialog given up") << QStringList{} << "" << -1 << QStringList{} << ""
                                          << "" << true << QByteArray();
    QTest::newRow("folder missing") << QStringList{} << "ない/記録.csv" << -1 << QStringList{} << "書き出しエラー"
                                    << "「記録.csv」を書き出せませんでした。\r\n書き出し先のフォルダが見つかりません"
                                    << true << QByteArray();
    QTest::newRow("old file kept") << QStringList{} << "記録.csv" << 0 << QStringList{"記録.csv"} << "書き出し確認"
                                   << "「記録.csv」はもうあります。置き換えますか？" << true << QByteArray();
    QTest::newRow("old file replaced") << QStringList{} << "記録.csv" << 1 << QStringList{"記録.csv"} << done
                                       << "「記録.csv」に書き出しました。" << false << QByteArray();
    // A log with bytes that are not Shift-JIS is written with them replaced,
    // and the player told; a log that cannot be read is not written at all.
    QTest::newRow("log not Shift-JIS")
        << QStringList{} << "記録.csv" << -1 << QStringList{"記録.csv"} << done
        << "「記録.csv」に書き出しました。\r\n\r\n「データ.txt」に Shift-JIS として読めない" << false
        << QByteArray("2026/12/07,14:00:00,\"\x82\",30,\"\",\r\n");
    QTest::newRow("log unreadable") << QStringList{} << "記録.csv" << -1 << QStringList{} << "書き出しエラー"
                                    << "「データ.txt」を読み込めませんでした。" << true << QByteArray("folder");
}

void tst_exportdialog::exports()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, answer);
    QFETCH(int, replace);
    QFETCH(QStringList, files);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(bool, stillOpen);
    QFETCH(QByteArray, log);

    MainFixture f;
    f.setLog(sampleLog());
    QTemporaryDir out;
    const QByteArray old("old bytes");
    if (replace >= 0) {
        QFile o(out.filePath(QStringLiteral("記録.csv")));
        QVERIFY(o.open(QIODevice::WriteOnly));
        o.write(old);
        f.messages.answerNext(replace == 1 ? MsgAnswer::Ok : MsgAnswer::Cancel);
    }
    auto w = f.load();
    w->show();
    QPointer<ExportDialog> dialog = openExport(w.get());
    QVERIFY(dialog->isVisible());
    // The log changes after the window has shown it: the export reads it anew.
    if (log == "folder") {
        QVERIFY(QFile::remove(QStringLiteral("データ.txt")));
        QVERIFY(QDir().mkdir(QStringLiteral("データ.txt")));
    } else if (!log.isEmpty()) {
        QVERIFY(f.dir.write(QStringLiteral("データ.txt"), log));
    }
    for (const QString &name : clicks)
        QTest::mouseClick(control<QAbstractButton>(dialog, name), Qt::LeftButton, {}, QPoint(8, 8));
    f.services.files.answerNext(answer.isEmpty() ? QString() : out.filePath(answer));
    QTest::mouseClick(dialog->cmdKakidasu, Qt::LeftButton);

    QCOMPARE(f.services.files.asked.size(), 1);
    QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), files);
    if (title.isEmpty()) {
        QVERIFY(f.messages.shown.isEmpty());
    } else {
        QVERIFY(!f.messages.shown.isEmpty());
        QCOMPARE(f.messages.shown.last().title, title);
        QVERIFY2(f.messages.shown.last().text.startsWith(text), qPrintable(f.messages.shown.last().text));
    }
    if (replace == 0)
        QCOMPARE(bytesOf(out.filePath(QStringLiteral("記録.csv"))), old);
    if (!files.isEmpty() && replace != 0) {
        const QByteArray first = bytesOf(out.filePath(files.first()));
        if (files.first().endsWith(QLatin1String(".pdf")))
            QVERIFY(first.startsWith("%PDF"));
        else
            QVERIFY(first.startsWith("\xEF\xBB\xBF" + csv::playLogHeader().join(QLatin1Char(',')).toUtf8() + "\r\n"));
    }
    // Written: the window has closed; otherwise it waits for another try.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(!dialog.isNull() && dialog->isVisible(), stillOpen);
}

// The months a report can be made of: from the first play to today, newest
// first, the month of the last play chosen; a click on キャンセル closes the window.
void tst_exportdialog::monthsOffered()
{
    MainFixture f;
    f.setLog({play("2026/10/30", "20:00:00", "数字記憶", 42.5f), play("2026/11/02", "09:15:00", "追跡記憶", 30.0f)});
    auto w = f.load();
    w->show();
    QPointer<ExportDialog> dialog = openExport(w.get());
    QStringList months;
    for (int i = 0; i < dialog->cboTsuki->count(); ++i)
        months.append(dialog->cboTsuki->itemText(i));
    QCOMPARE(months, (QStringList{"2026年12月", "2026年11月", "2026年10月"}));
    QCOMPARE(dialog->cboTsuki->currentText(), QStringLiteral("2026年11月"));
    QVERIFY(!dialog->cboTsuki->isEnabled());
    QTest::mouseClick(dialog->optPdf, Qt::LeftButton, {}, QPoint(8, 8));
    QVERIFY(dialog->cboTsuki->isEnabled());
    QVERIFY(!dialog->chkRireki->isEnabled());

    QTest::mouseClick(dialog->cmdCancel, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(dialog.isNull() || !dialog->isVisible());
    QVERIFY(f.services.files.asked.isEmpty());
}

// Every caption of the window and the edit screen's button is shown whole.
void tst_exportdialog::textsFit()
{
    MainFixture f;
    auto w = f.load();
    w->show();
    ExportDialog *dialog = openExport(w.get());
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QList<QAbstractButton *> buttons = dialog->findChildren<QAbstractButton *>();
    buttons.append(control<QPushButton>(w, QStringLiteral("cmdKakidashi")));
    for (QAbstractButton *b : buttons) {
        const int room = b->width() - (qobject_cast<QPushButton *>(b) ? 8 : b->iconSize().width() + 8);
        QVERIFY2(b->fontMetrics().horizontalAdvance(b->text()) <= room, qPrintable(b->objectName()));
    }
    QVERIFY(dialog->cboTsuki->width() >= dialog->cboTsuki->sizeHint().width());
}

// A folder the player may not write to (a system folder chosen by mistake)
// is told, and nothing is left in it. Root may write anywhere:
// tst_exportdialog_unprivileged runs this as another user.
void tst_exportdialog::folderNotWritable()
{
    if (::geteuid() == 0)
        QSKIP("permissions do not stop root");
    MainFixture f;
    f.setLog(sampleLog());
    QTemporaryDir out;
    QVERIFY(QFile::setPermissions(out.path(), QFile::ReadOwner | QFile::ExeOwner));
    auto w = f.load();
    w->show();
    ExportDialog *dialog = openExport(w.get());
    f.services.files.answerNext(out.filePath(QStringLiteral("記録.csv")));
    QTest::mouseClick(dialog->cmdKakidasu, Qt::LeftButton);
    QVERIFY(QFile::setPermissions(out.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    QVERIFY(!f.messages.shown.isEmpty());
    QCOMPARE(f.messages.shown.last().title, QStringLiteral("書き出しエラー"));
    QCOMPARE(f.messages.shown.last().text,
             QStringLiteral(
                 "「記録.csv」を書き出せませんでした。\r\nこのフォルダには書き込めません。別の場所を選んでください。"));
    QVERIFY(dialog->isVisible());
}

QTEST_MAIN(tst_exportdialog)
#include "tst_exportdialog.moc"
