// Holds the lock of a data folder the way the program takes it, for
// tst_singleinstance: a second process the real program must find.
//
// Usage: kioku_lock_child FOLDER
// Prints (UTF-8) "locked" once it holds the lock, or "refused" and then the
// message the program would show. Holding, it waits for one line (or the end)
// on stdin, then lets the lock go and ends. Exit code 0 after holding it,
// 1 when refused, 2 on bad usage.
#include "main/appsetup.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

void say(const QString &line)
{
    const QByteArray utf8 = (line + QLatin1Char('\n')).toUtf8();
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fputs("usage: kioku_lock_child FOLDER\n", stderr);
        return 2;
    }
    QString error;
    std::unique_ptr<kioku::FolderLock> lock = kioku::lockDataFolder(args.at(1), &error);
    if (!lock) {
        say(QStringLiteral("refused"));
        say(error);
        return 1;
    }
    say(QStringLiteral("locked"));
    char line[256];
    (void)std::fgets(line, sizeof line, stdin);
    lock.reset();
    return 0;
}
