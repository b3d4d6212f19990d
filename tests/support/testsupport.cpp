#include "testsupport.h"

#include "core/text/sjis.h"
#include "widgets/flexgrid.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtDebug>

#include <csignal>
#include <sys/resource.h>

TempDataDir::TempDataDir() : m_oldCurrent(QDir::currentPath())
{
    if (!m_dir.isValid() || !QDir::setCurrent(m_dir.path()))
        qWarning("TempDataDir: could not create or enter a temporary folder");
}

TempDataDir::~TempDataDir()
{
    QDir::setCurrent(m_oldCurrent);
}

bool TempDataDir::write(const QString &name, const QByteArray &bytes) const
{
    QFile f(m_dir.filePath(name));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size() && f.flush();
}

QByteArray TempDataDir::bytes(const QString &name) const
{
    QFile f(m_dir.filePath(name));
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

bool TempDataDir::exists(const QString &name) const
{
    return QFile::exists(m_dir.filePath(name));
}

QStringList TempDataDir::files() const
{
    return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QByteArray sjis(const QString &s)
{
    QByteArray out;
    QString bad;
    if (!kioku::text::encodeCp932(s, &out, &bad)) {
        qWarning() << "sjis(): cannot encode" << bad << "in" << s;
        return QByteArray();
    }
    return out;
}

QByteArray sjisLines(const QStringList &lines)
{
    QByteArray out;
    for (const QString &l : lines)
        out += sjis(l) + "\r\n";
    return out;
}

QByteArray fixture(const QString &relPath)
{
    QFile f(QStringLiteral(KIOKU_TEST_DATA) + QLatin1Char('/') + relPath);
    if (!f.open(QIODevice::ReadOnly)) {
        qWarning() << "fixture(): missing" << f.fileName();
        return QByteArray();
    }
    return f.readAll();
}

bool isPlainJapanese(const QString &message)
{
    static const QRegularExpression english(QStringLiteral("[A-Za-z]{3,}"));
    QString rest = message;
    for (const char *allowed : {"Shift", "JIS", "UTF", "BOM", "txt", "TXT", "ico"})
        rest.remove(QLatin1String(allowed));
    return !message.contains(QLatin1Char('/')) && !english.match(rest).hasMatch();
}

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    rlimit lim{};
    if (getrlimit(RLIMIT_FSIZE, &lim) != 0) {
        qWarning("FileSizeLimit: getrlimit failed");
        return;
    }
    m_oldLimit = lim.rlim_cur;
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    lim.rlim_cur = rlim_t(bytes);
    if (setrlimit(RLIMIT_FSIZE, &lim) != 0) {
        qWarning("FileSizeLimit: setrlimit failed");
        std::signal(SIGXFSZ, m_oldHandler);
        return;
    }
    m_set = true;
}

void FileSizeLimit::lift()
{
    if (!m_set)
        return;
    m_set = false;
    rlimit lim{};
    getrlimit(RLIMIT_FSIZE, &lim);
    lim.rlim_cur = rlim_t(m_oldLimit);
    setrlimit(RLIMIT_FSIZE, &lim);
    std::signal(SIGXFSZ, m_oldHandler);
}

QStringList columnTexts(const kioku::FlexGrid &grid, int c)
{
    QStringList cells;
    for (int r = 1; r < grid.rows(); ++r)
        cells << grid.textMatrix(r, c);
    return cells;
}

QList<kioku::PlayRecord> logOf(const QString &plays)
{
    QList<kioku::PlayRecord> log;
    for (const QString &entry : plays.split(u';', Qt::SkipEmptyParts)) {
        const QStringList f = entry.trimmed().split(u' ');
        log.append(play(f.value(0), QStringLiteral("10:00:00"), f.value(1, QStringLiteral("数字記憶")),
                        f.value(2, QStringLiteral("60")).toFloat()));
    }
    return log;
}
