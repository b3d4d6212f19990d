#include "appsetup.h"

#include "appearance.h"

#include "core/text/sjis.h"
#include "widgets/accessiblenames.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace kioku {

void setUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("kioku"));
    applyAppearance();
    // Screen readers read every control by a Japanese name.
    installAccessibleNames();
    // The GUI's start-up leaves the upper halves of the vector registers in
    // use, which slows every later SSE instruction (decoding, string code,
    // number parsing) several times over until they are cleared.
    text::clearUpperVectorState();
}

namespace {

// $HOME, or the home folder of the user's account when HOME is not set.
QString homeFolder()
{
    const QString home = qEnvironmentVariable("HOME");
    if (!home.isEmpty() && QDir::isAbsolutePath(home))
        return home;
#ifdef Q_OS_UNIX
    if (const passwd *pw = getpwuid(getuid()); pw && pw->pw_dir && pw->pw_dir[0] == '/')
        return QFile::decodeName(pw->pw_dir);
#endif
    return QDir::homePath();
}

QString absoluteFolder(const QString &dir)
{
    return QDir::cleanPath(QDir::current().absoluteFilePath(dir));
}

} // namespace

QString defaultDataDir()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = homeFolder() + QStringLiteral("/.local/share");
    return QDir::cleanPath(base + QStringLiteral("/kioku"));
}

StartOptions parseStartOptions(const QStringList &args, const QString &envDataDir)
{
    StartOptions o;
    QString chosen = envDataDir;
    const QString option = QStringLiteral("--data-dir");
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == QLatin1String("-h") || a == QLatin1String("--help")) {
            o.help = true;
        } else if (a == option || a.startsWith(option + QLatin1Char('='))) {
            QString dir;
            if (a == option) {
                if (i + 1 < args.size())
                    dir = args.at(++i);
            } else {
                dir = a.mid(option.size() + 1);
            }
            if (dir.isEmpty())
                o.error = QStringLiteral("--data-dir の後にデータフォルダを指定してください。");
            else
                chosen = dir;
        }
    }
    // Made absolute now: the program moves into the folder, and a relative
    // name must not be taken a second time from inside it.
    o.dataDir = chosen.isEmpty() ? defaultDataDir() : absoluteFolder(chosen);
    return o;
}

QString usageText()
{
    return QStringLiteral("使い方: kioku [--data-dir フォルダ]\n"
                          "\n"
                          "ソラミルプロジェクト３ ～記憶力\n"
                          "\n"
                          "  --data-dir フォルダ  データファイル（設定、練習記録など）を置くフォルダ。\n"
                          "                       無ければ作ります。KIOKU_DATA_DIR より優先します。\n"
                          "  -h, --help           この説明を表示して終わります。\n"
                          "\n"
                          "環境変数:\n"
                          "  KIOKU_DATA_DIR       データフォルダ（--data-dir が無いとき）。\n"
                          "  XDG_DATA_HOME        どちらも無いときは、この下の kioku フォルダ\n"
                          "                       （既定は ~/.local/share/kioku）をデータフォルダにします。\n"
                          "\n"
                          "初めて使うフォルダには、最初の起動でソフトのファイルを書き込みます。\n"
                          "一つのデータフォルダを使えるのは、同時に一つのソラミルプロジェクトだけです。\n");
}

} // namespace kioku
