// The command line, KIOKU_DATA_DIR and the XDG data folder: which data folder
// the program takes; that --help prints its usage and ends without a window or
// a display; that a start refused for its options writes nothing.
#include "main/appsetup.h"
#include "testsupport.h"

#include <QDirIterator>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

class TstStartOptions : public QObject {
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void helpNeedsNoDisplay_data();
    void helpNeedsNoDisplay();
    void refusedStartWritesNothing_data();
    void refusedStartWritesNothing();
    void aFileSizeLimitIsToldNotFatal_data();
    void aFileSizeLimitIsToldNotFatal();
    void firstPaintIsToldWhenAsked_data();
    void firstPaintIsToldWhenAsked();
};

namespace {

const QString kUnset = QStringLiteral("<unset>");

// Sets (or, with kUnset, removes) an environment variable for the life of the
// object; the old value comes back afterwards.
class EnvOverride {
public:
    EnvOverride(const char *name, const QString &value) : m_name(name), m_had(qEnvironmentVariableIsSet(name))
    {
        m_old = qgetenv(name);
        if (value == kUnset)
            qunsetenv(name);
        else
            qputenv(name, value.toLocal8Bit());
    }
    ~EnvOverride()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    EnvOverride(const EnvOverride &) = delete;
    EnvOverride &operator=(const EnvOverride &) = delete;

private:
    const char *m_name;
    bool m_had;
    QByteArray m_old;
};

// Every file and folder under `root`, hidden ones included, relative to it.
QStringList everythingUnder(const QString &root)
{
    QStringList found;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found.append(QDir(root).relativeFilePath(it.next()));
    found.sort();
    return found;
}

} // namespace

// The data folder's precedence: --data-dir, KIOKU_DATA_DIR, the XDG data folder
// ($XDG_DATA_HOME/kioku, else $HOME/.local/share/kioku). In the expected folder
// {cwd} stands for the working folder of the test.
void TstStartOptions::parse_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("env");
    QTest::addColumn<QString>("xdgDataHome");
    QTest::addColumn<QString>("home");
    QTest::addColumn<bool>("help");
    QTest::addColumn<QString>("dataDir");
    QTest::addColumn<bool>("error");
    QTest::addColumn<bool>("asQtSees"); // the same folder as QStandardPaths' GenericDataLocation + /kioku

    const QString home = QStringLiteral("/home/とし子");
    const QString homeData = QStringLiteral("/home/とし子/.local/share/kioku");
    const QStringList none;

    QTest::newRow("nothing, XDG_DATA_HOME set") << none << ""
                                                << "/x/データ" << home << false << "/x/データ/kioku" << false << true;
    QTest::newRow("nothing, XDG_DATA_HOME unset: under HOME")
        << none << "" << kUnset << home << false << homeData << false << true;
    QTest::newRow("nothing, XDG_DATA_HOME empty: under HOME") << none << ""
                                                              << "" << home << false << homeData << false << true;
    QTest::newRow("relative XDG_DATA_HOME is ignored") << none << ""
                                                       << "share" << home << false << homeData << false << false;
    QTest::newRow("XDG_DATA_HOME with a trailing slash")
        << none << ""
        << "/x/share/" << home << false << "/x/share/kioku" << false << false;
    QTest::newRow("nothing, another HOME")
        << none << "" << kUnset << "/tmp/h" << false << "/tmp/h/.local/share/kioku" << false << true;
    QTest::newRow("variable wins over XDG") << none << "/d/env"
                                            << "/x/share" << home << false << "/d/env" << false << false;
    QTest::newRow("empty variable counts as unset")
        << none << ""
        << "/x/share" << home << false << "/x/share/kioku" << false << false;
    QTest::newRow("relative variable: from the working folder")
        << none << "env/データ"
        << "/x/share" << home << false << "{cwd}/env/データ" << false << false;
    QTest::newRow("option wins over the variable and XDG") << QStringList{"--data-dir", "/d/opt"} << "/d/env"
                                                           << "/x/share" << home << false << "/d/opt" << false << false;
    QTest::newRow("option with =") << QStringList{"--data-dir=/d/フォルダ"} << "" << kUnset << home << false
                                   << "/d/フォルダ" << false << false;
    QTest::newRow("relative option: from the working folder")
        << QStringList{"--data-dir", "rel/フォルダ"} << "/d/env" << kUnset << home << false << "{cwd}/rel/フォルダ"
        << false << false;
    QTest::newRow("relative option is cleaned")
        << QStringList{"--data-dir=./a/../b/"} << "" << kUnset << home << false << "{cwd}/b" << false << false;
    QTest::newRow("option .: the working folder")
        << QStringList{"--data-dir", "."} << "" << kUnset << home << false << "{cwd}" << false << false;
    QTest::newRow("last option wins") << QStringList{"--data-dir", "/a", "--data-dir", "/b"} << "" << kUnset << home
                                      << false << "/b" << false << false;
    QTest::newRow("option without a folder")
        << QStringList{"--data-dir"} << "/d/env" << kUnset << home << false << "/d/env" << true << false;
    QTest::newRow("option with an empty folder")
        << QStringList{"--data-dir="} << "" << kUnset << home << false << homeData << true << false;
    QTest::newRow("-h") << QStringList{"-h"} << "" << kUnset << home << true << homeData << false << false;
    QTest::newRow("--help after the folder")
        << QStringList{"--data-dir", "/d", "--help"} << "" << kUnset << home << true << "/d" << false << false;
    QTest::newRow("Qt's own options are left alone") << QStringList{"-platform", "offscreen", "--data-dir", "/d"} << ""
                                                     << kUnset << home << false << "/d" << false << false;
}

void TstStartOptions::parse()
{
    QFETCH(QStringList, args);
    QFETCH(QString, env);
    QFETCH(QString, xdgDataHome);
    QFETCH(QString, home);
    QFETCH(bool, help);
    QFETCH(QString, dataDir);
    QFETCH(bool, error);
    QFETCH(bool, asQtSees);
    const EnvOverride xdg("XDG_DATA_HOME", xdgDataHome);
    const EnvOverride homeVar("HOME", home);
    args.prepend(QStringLiteral("kioku"));
    const kioku::StartOptions o = kioku::parseStartOptions(args, env);
    QCOMPARE(o.help, help);
    QCOMPARE(o.dataDir, QString(dataDir).replace(QStringLiteral("{cwd}"), QDir::currentPath()));
    QCOMPARE(!o.error.isEmpty(), error);
    if (asQtSees) {
        QCOMPARE(o.dataDir,
                 QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/kioku"));
    }
}

void TstStartOptions::helpNeedsNoDisplay_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<bool>("envFolder"); // KIOKU_DATA_DIR set, or the XDG data folder under HOME
    QTest::newRow("-h, KIOKU_DATA_DIR") << "-h" << true;
    QTest::newRow("--help, KIOKU_DATA_DIR") << "--help" << true;
    QTest::newRow("-h, XDG data folder") << "-h" << false;
    QTest::newRow("--help, XDG data folder") << "--help" << false;
}

// The real program, on the xcb platform with no display at all: it would abort
// if it tried to open a window.
void TstStartOptions::helpNeedsNoDisplay()
{
    QFETCH(QString, option);
    QFETCH(bool, envFolder);
    QTemporaryDir cwd;
    QVERIFY(cwd.isValid());
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("HOME"), cwd.path());
    env.remove(QStringLiteral("XDG_DATA_HOME"));
    if (envFolder)
        env.insert(QStringLiteral("KIOKU_DATA_DIR"), cwd.filePath(QStringLiteral("data")));
    else
        env.remove(QStringLiteral("KIOKU_DATA_DIR"));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(cwd.path());
    p.start(QStringLiteral(KIOKU_EXE), {option});
    QVERIFY(p.waitForFinished(120000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    QVERIFY2(out.contains(QStringLiteral("--data-dir フォルダ")) && out.contains(QLatin1String("KIOKU_DATA_DIR"))
                 && out.contains(QLatin1String("~/.local/share/kioku")),
             qPrintable(out));
    // Nothing was set up: no data folder, no file, not even a hidden one.
    QCOMPARE(everythingUnder(cwd.path()), QStringList());
}

// Starts the program cannot go on with end at once with a non-zero exit code,
// say why on stderr (no box: KIOKU_NO_MESSAGE_BOXES=1) and leave every folder
// as it was. HOME is a temporary folder, so the XDG data folder lies in it.
void TstStartOptions::refusedStartWritesNothing_data()
{
    QTest::addColumn<QStringList>("args"); // {home} stands for the temporary HOME
    QTest::addColumn<QString>("message");

    QTest::newRow("--data-dir without a folder")
        << QStringList{"--data-dir"} << "--data-dir の後にデータフォルダを指定してください。";
    QTest::newRow("--data-dir= with an empty folder")
        << QStringList{"--data-dir="} << "--data-dir の後にデータフォルダを指定してください。";
    QTest::newRow("data folder is a file") << QStringList{"--data-dir", "{home}/ファイル.txt"}
                                           << "データフォルダ「{home}/ファイル.txt」を開けませんでした。";
    QTest::newRow("data folder under a file") << QStringList{"--data-dir", "{home}/ファイル.txt/kioku"}
                                              << "データフォルダ「{home}/ファイル.txt/kioku」を開けませんでした。";
}

void TstStartOptions::refusedStartWritesNothing()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    QTemporaryDir home;
    QVERIFY(home.isValid());
    {
        QFile f(home.filePath(QStringLiteral("ファイル.txt")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("kioku\r\n");
    }
    const QStringList before = everythingUnder(home.path());
    for (QString &a : args)
        a.replace(QStringLiteral("{home}"), home.path());
    message.replace(QStringLiteral("{home}"), home.path());

    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.remove(QStringLiteral("XDG_DATA_HOME"));
    env.remove(QStringLiteral("KIOKU_DATA_DIR"));
    env.insert(QStringLiteral("KIOKU_NO_MESSAGE_BOXES"), QStringLiteral("1"));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(home.path());
    p.start(QStringLiteral(KIOKU_EXE), QStringList{"-platform", "offscreen"} + args);
    QVERIFY(p.waitForFinished(120000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 1);
    const QString err = QString::fromLocal8Bit(p.readAllStandardError());
    QVERIFY2(err.contains(QStringLiteral("kioku: ") + message), qPrintable(err));
    QCOMPARE(everythingUnder(home.path()), before);
    QFile f(home.filePath(QStringLiteral("ファイル.txt")));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("kioku\r\n"));
}

// Under a file-size limit (ulimit -f) the system refuses a write with EFBIG
// and, unless the signal is ignored, ends the program with SIGXFSZ half-way.
// The program must instead say which files it could not write and go on, or
// refuse to start with its message.
void TstStartOptions::aFileSizeLimitIsToldNotFatal_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("said");
    QTest::addColumn<bool>("runs"); // goes on to its main window
    // Nothing at all fits: not even the lock that keeps a second program out.
    QTest::newRow("no byte") << 0 << "kioku: " << false;
    // The lock and the small files fit, the help document does not.
    QTest::newRow("4 KiB") << 4096 << "kioku: 次のファイルを作成できませんでした。" << true;
}

void TstStartOptions::aFileSizeLimitIsToldNotFatal()
{
    QFETCH(int, limit);
    QFETCH(QString, said);
    QFETCH(bool, runs);

    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("data"));
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KIOKU_NO_MESSAGE_BOXES"), QStringLiteral("1"));
    p.setProcessEnvironment(env);
    p.setReadChannel(QProcess::StandardError); // what waitForReadyRead() waits for
    p.start(QStringLiteral("bash"),
            {QStringLiteral("-c"), QStringLiteral("ulimit -f %1; exec \"$0\" \"$@\"").arg(limit / 512),
             QStringLiteral(KIOKU_EXE), QStringLiteral("-platform"), QStringLiteral("offscreen"),
             QStringLiteral("--data-dir"), folder});
    QVERIFY(p.waitForStarted(60000));
    // The program's own line on stderr (Qt may say something before it).
    QString err;
    const auto told = [&] {
        const qsizetype at = err.indexOf(QLatin1String("kioku: "));
        return at >= 0 && err.indexOf(QLatin1Char('\n'), at) > at;
    };
    while (!told() && p.state() != QProcess::NotRunning && p.waitForReadyRead(120000))
        err += QString::fromLocal8Bit(p.readAllStandardError());
    if (runs) {
        QVERIFY2(p.state() == QProcess::Running, qPrintable(err));
        p.kill();
    }
    p.waitForFinished(120000);
    err += QString::fromLocal8Bit(p.readAllStandardError());
    QVERIFY2(err.contains(said), qPrintable(err));
    if (!runs) {
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 1);
    }
}

void TstStartOptions::firstPaintIsToldWhenAsked_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("firstStart"); // the welcome box of the help tour waits for a click
    QTest::newRow("quit, first start") << "quit" << true;
    QTest::newRow("quit, later start") << "quit" << false;
    QTest::newRow("told only") << "1" << false;
}

// KIOKU_REPORT_FIRST_PAINT: the line a starter times the start-up by, and
// with "quit" the end of the program after it, even under the welcome box.
void TstStartOptions::firstPaintIsToldWhenAsked()
{
    QFETCH(QString, value);
    QFETCH(bool, firstStart);

    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("data"));
    if (!firstStart) {
        QVERIFY(QDir().mkpath(folder));
        QFile settings(QDir(folder).filePath(QStringLiteral("設定.txt")));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write(sjis(QStringLiteral("\"ヘルプツアー\",0\r\n"))); // the help tour off
    }
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KIOKU_REPORT_FIRST_PAINT"), value);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KIOKU_EXE),
            {QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("--data-dir"), folder});
    QVERIFY(p.waitForStarted(60000));
    QString out;
    while (!out.contains(QLatin1Char('\n')) && p.state() != QProcess::NotRunning && p.waitForReadyRead(120000))
        out += QString::fromUtf8(p.readAllStandardOutput());
    const QStringList words = out.trimmed().split(QLatin1Char(' '));
    QCOMPARE(words.mid(0, 3), QStringList({"kioku:", "first", "paint"}));
    bool nsOk = false, msOk = false;
    QVERIFY(words.value(3).toLongLong(&nsOk) > 0 && nsOk);
    QVERIFY(words.value(4).toDouble(&msOk) > 0 && msOk);
    if (value == QLatin1String("quit")) {
        QVERIFY(p.waitForFinished(120000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
    } else {
        QCOMPARE(p.state(), QProcess::Running); // told, and still there for the player
        p.kill();
        p.waitForFinished(120000);
    }
}

QTEST_GUILESS_MAIN(TstStartOptions)
#include "tst_startoptions.moc"
