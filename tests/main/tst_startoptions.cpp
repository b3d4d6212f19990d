// The command line and KIOKU_DATA_DIR: which data folder the program takes,
// and that --help prints its usage and ends without a window or a display.
#include "main/appsetup.h"

#include <QProcess>
#include <QtTest>

class TstStartOptions : public QObject {
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void helpNeedsNoDisplay_data();
    void helpNeedsNoDisplay();
};

void TstStartOptions::parse_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("env");
    QTest::addColumn<bool>("help");
    QTest::addColumn<QString>("dataDir");
    QTest::addColumn<bool>("error");

    QTest::newRow("nothing: the working folder") << QStringList() << "" << false << "" << false;
    QTest::newRow("variable only") << QStringList() << "/d/env" << false << "/d/env" << false;
    QTest::newRow("option wins over the variable")
        << QStringList{"--data-dir", "/d/opt"} << "/d/env" << false << "/d/opt" << false;
    QTest::newRow("option with =") << QStringList{"--data-dir=/d/フォルダ"} << "" << false << "/d/フォルダ" << false;
    QTest::newRow("last option wins") << QStringList{"--data-dir", "/a", "--data-dir", "/b"} << "" << false << "/b"
                                      << false;
    QTest::newRow("option without a folder") << QStringList{"--data-dir"} << "/d/env" << false << "/d/env" << true;
    QTest::newRow("option with an empty folder") << QStringList{"--data-dir="} << "" << false << "" << true;
    QTest::newRow("-h") << QStringList{"-h"} << "" << true << "" << false;
    QTest::newRow("--help after the folder")
        << QStringList{"--data-dir", "/d", "--help"} << "" << true << "/d" << false;
    QTest::newRow("Qt's own options are left alone")
        << QStringList{"-platform", "offscreen", "--data-dir", "/d"} << "" << false << "/d" << false;
}

void TstStartOptions::parse()
{
    QFETCH(QStringList, args);
    QFETCH(QString, env);
    QFETCH(bool, help);
    QFETCH(QString, dataDir);
    QFETCH(bool, error);
    args.prepend(QStringLiteral("kioku"));
    const kioku::StartOptions o = kioku::parseStartOptions(args, env);
    QCOMPARE(o.help, help);
    QCOMPARE(o.dataDir, dataDir);
    QCOMPARE(!o.error.isEmpty(), error);
}

void TstStartOptions::helpNeedsNoDisplay_data()
{
    QTest::addColumn<QString>("option");
    QTest::newRow("-h") << "-h";
    QTest::newRow("--help") << "--help";
}

// The real program, on the xcb platform with no display at all: it would abort
// if it tried to open a window.
void TstStartOptions::helpNeedsNoDisplay()
{
    QFETCH(QString, option);
    QTemporaryDir cwd;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("KIOKU_DATA_DIR"), cwd.filePath(QStringLiteral("data")));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(cwd.path());
    p.start(QStringLiteral(KIOKU_EXE), {option});
    QVERIFY(p.waitForFinished(120000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    QVERIFY2(out.contains(QStringLiteral("--data-dir フォルダ")) && out.contains(QLatin1String("KIOKU_DATA_DIR")),
             qPrintable(out));
    // Nothing was set up: no data folder, no file.
    QCOMPARE(QDir(cwd.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

QTEST_GUILESS_MAIN(TstStartOptions)
#include "tst_startoptions.moc"
