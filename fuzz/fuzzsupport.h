#pragma once
// What the fuzz targets share: a check that ends the run with a message (under
// libFuzzer the input is then kept as a crash; in the replay of the seed
// corpus the test fails), readable forms of texts and bytes for that message,
// the lines of an input as the file readers cut them, and a scratch working
// folder for the targets that go through the program's own files.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(cond, what)                                                                                         \
    do {                                                                                                               \
        if (!(cond))                                                                                                   \
            ::kioku::fuzz::fail(#cond, (what), __FILE__, __LINE__);                                                    \
    } while (0)

namespace kioku::fuzz {

[[noreturn]] inline void fail(const char *cond, const QString &what, const char *file, int line)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n    %s\n", file, line, cond, what.toUtf8().constData());
    std::fflush(stderr);
    std::abort();
}

// Printable ASCII as it is, everything else as \uXXXX, so a message shows
// exactly which units differ.
inline QString show(const QString &s)
{
    QString r = QStringLiteral("\"");
    for (const QChar c : s) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F && c != QLatin1Char('\\'))
            r += c;
        else
            r += QStringLiteral("\\u%1").arg(uint(c.unicode()), 4, 16, QLatin1Char('0'));
    }
    return r + QLatin1Char('"');
}

inline QString show(const QByteArray &b)
{
    return QStringLiteral("[%1]").arg(QString::fromLatin1(b.toHex(' ')));
}

inline QString show(const QStringList &l)
{
    QStringList parts;
    for (const QString &s : l)
        parts.append(show(s));
    return QLatin1Char('{') + parts.join(QLatin1Char(',')) + QLatin1Char('}');
}

// The lines of a whole file's decoded text as the readers give them: cut at
// LF, a CR before the LF dropped, no empty line after a final line end.
inline QStringList fileLines(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString &l : lines) {
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    }
    return lines;
}

// Makes a fresh temporary folder the working folder, once per process (the
// program's files are bare names in the working folder). In memory when the
// system offers /dev/shm: the file targets write a few files per input.
inline QString scratchTemplate()
{
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    const QString base = shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
    return base + QStringLiteral("/kioku-fuzz-XXXXXX");
}

inline void enterScratchFolder()
{
    static QTemporaryDir dir(scratchTemplate());
    static const bool entered = [] {
        if (!dir.isValid() || !QDir::setCurrent(dir.path())) {
            std::fprintf(stderr, "fuzz: no scratch folder\n");
            std::abort();
        }
        return true;
    }();
    (void)entered;
}

// Replaces the whole content of `name` in the working folder (the harness's
// own write, not the program's).
inline void putFile(const QString &name, const QByteArray &bytes)
{
    QFile f(name);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "fuzz: cannot write %s\n", qPrintable(name));
        std::abort();
    }
}

inline QByteArray fileBytes(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace kioku::fuzz
