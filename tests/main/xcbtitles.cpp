// Window titles as the window manager gets them: the application is set up as
// the program sets itself up, runs on the xcb platform (under a virtual X
// server, see support/run_under_xvfb.sh) and each window's _NET_WM_NAME is read
// back from the X server with xprop. Qt's own windowTitle() cannot show what
// the platform adds to a title; the X server can.
#include "main/appsetup.h"
#include "mainfixture.h"
#include "widgets/messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>

namespace {

// Undoes xprop's quoting of a text property: \" \\ and \ooo (octal bytes).
QString unquote(const QByteArray &quoted)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < quoted.size(); ++i) {
        const char c = quoted.at(i);
        if (c != '\\' || i + 1 >= quoted.size()) {
            bytes += c;
        } else if (i + 3 < quoted.size() && quoted.at(i + 1) >= '0' && quoted.at(i + 1) <= '7') {
            bytes += char(quoted.mid(i + 1, 3).toInt(nullptr, 8));
            i += 3;
        } else {
            bytes += quoted.at(++i);
        }
    }
    return QString::fromUtf8(bytes);
}

// The _NET_WM_NAME of X window `id` as the X server holds it; a null string
// (and the reason in `error`) when it cannot be read.
QString netWmName(WId id, QString *error)
{
    error->clear();
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("xprop"),
            {QStringLiteral("-id"), QString::number(id), QStringLiteral("-notype"), QStringLiteral("_NET_WM_NAME")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        *error = QStringLiteral("xprop: ") + QString::fromLocal8Bit(p.readAllStandardError());
        return QString();
    }
    // _NET_WM_NAME = "title"
    const QByteArray out = p.readAllStandardOutput().trimmed();
    const qsizetype first = out.indexOf('"');
    if (first < 0 || !out.endsWith('"') || out.size() - first < 2) {
        *error = QStringLiteral("xprop: ") + QString::fromLocal8Bit(out);
        return QString();
    }
    return unquote(out.mid(first + 1, out.size() - first - 2));
}

} // namespace

class TstXcbTitles : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void mainWindow_data();
    void mainWindow();
    void messageBox_data();
    void messageBox();
};

void TstXcbTitles::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xprop")).isEmpty(),
             "xprop is missing: install x11-utils (scripts/deps.sh)");
}

void TstXcbTitles::mainWindow_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::newRow("user 山田") << "山田"
                               << " 山田 の ソラミルプロジェクト３ ～記憶力";
    QTest::newRow("no user name") << ""
                                  << " ソラミルプロジェクト３ ～記憶力";
}

void TstXcbTitles::mainWindow()
{
    QFETCH(QString, name);
    QFETCH(QString, title);
    MainFixture f;
    f.dir.write(QStringLiteral("氏名.txt"), sjisLines({QStringLiteral("\"氏名\",\"%1\"").arg(name)}));
    auto w = f.load();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QString error;
    QTRY_COMPARE(netWmName(w->winId(), &error), title);
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

void TstXcbTitles::messageBox_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("question");
    QTest::addColumn<bool>("overMainWindow");
    QTest::newRow("help tour, no parent") << "ヘルプツアー" << false << false;
    QTest::newRow("question over the main window") << "クリア確認" << true << true;
}

// A real box of the message service, read from the X server while its exec() runs.
void TstXcbTitles::messageBox()
{
    QFETCH(QString, title);
    QFETCH(bool, question);
    QFETCH(bool, overMainWindow);
    MainFixture f;
    std::unique_ptr<kioku::MainWindow> w;
    if (overMainWindow) {
        w = f.load();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }

    QString seen, error;
    bool boxSeen = false;
    int polls = 0;
    QTimer poll;
    poll.setInterval(20);
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        const bool shown = box && box->windowHandle() && box->windowHandle()->isExposed();
        // A box that never shows must not leave exec() waiting for ever.
        if (!shown && ++polls < 3000)
            return;
        poll.stop();
        if (shown) {
            boxSeen = true;
            seen = netWmName(box->winId(), &error);
        }
        if (box)
            box->reject();
    });
    poll.start();
    kioku::QtMessageService messages;
    messages.show(w.get(), QStringLiteral("本文"), title,
                  question ? kioku::MsgButtons::OkCancel : kioku::MsgButtons::Ok,
                  question ? kioku::MsgIcon::Warning : kioku::MsgIcon::Information);
    poll.stop();
    QVERIFY2(boxSeen, "the message box was never shown");
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(seen, title);
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    kioku::setUpApplication();
    TstXcbTitles t;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&t, argc, argv);
}

#include "xcbtitles.moc"
