#include "textfile.h"

#include "sjis.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace kioku::text {

namespace {

bool g_failNextWrite = false;

bool takeFailHook()
{
    const bool fail = g_failNextWrite;
    g_failNextWrite = false;
    return fail;
}

QString shownName(const QString &path)
{
    return QFileInfo(path).fileName();
}

WriteResult failure(const QString &path, const QString &reason)
{
    WriteResult r;
    r.ok = false;
    r.message = QStringLiteral("ファイル「%1」に書き込めませんでした。").arg(shownName(path))
        + QStringLiteral("\r\nディスクの空きと書き込みの許可を確認してください。");
    if (!reason.isEmpty())
        r.message += QStringLiteral("\r\n（%1）").arg(reason);
    return r;
}

WriteResult refused(const QString &badChar)
{
    WriteResult r;
    r.ok = false;
    r.message = unstorableCharMessage(badChar);
    return r;
}

// Writes all of `bytes` to a file opened unbuffered, so that each write() goes
// to the system at once and a full disk shows in its result. The system may
// take part of the bytes and refuse the rest: the loop asks again, and the
// refusal then comes with its reason. Empty `reason` on success.
bool writeFully(QFileDevice &file, const QByteArray &bytes, QString *reason)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            *reason = file.errorString();
            return false;
        }
        done += n;
    }
    if (!file.flush()) {
        *reason = file.errorString();
        return false;
    }
    return true;
}

// Writes `bytes` to a temporary file beside `path` and renames it over `path`,
// so the old file stays whole until the new one is complete on disk.
// The temporary file is unbuffered: QSaveFile::commit() flushes its own buffer
// but does not report a failed flush, and would rename a short file over the old one.
WriteResult writeAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failure(path, file.errorString());
    if (takeFailHook()) {
        // Test hook: behave like a disk that fills up half-way through.
        file.write(bytes.left(bytes.size() / 2));
        file.cancelWriting();
        file.commit();
        return failure(path, QStringLiteral("書き込みが中断されました"));
    }
    QString reason;
    if (!writeFully(file, bytes, &reason)) {
        file.cancelWriting();
        file.commit();
        return failure(path, reason);
    }
    if (!file.commit())
        return failure(path, file.errorString());
    return WriteResult();
}

} // namespace

namespace testing {
void failNextWrite(bool fail)
{
    g_failNextWrite = fail;
}
} // namespace testing

QString resolve(const QString &name)
{
    const QDir dir = QDir::current();
    if (QFileInfo::exists(dir.filePath(name)))
        return dir.filePath(name);
    // A bare name only: a name with a folder part is taken as spelled.
    if (!name.contains(QLatin1Char('/'))) {
        const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QString &entry : entries) {
            if (entry.compare(name, Qt::CaseInsensitive) == 0)
                return dir.filePath(entry);
        }
    }
    return dir.filePath(name);
}

bool fileExists(const QString &name)
{
    return QFileInfo::exists(resolve(name));
}

namespace {

ReadResult readBytes(const QString &name, QByteArray *bytes)
{
    ReadResult r;
    const QString path = resolve(name);
    QFileInfo info(path);
    if (!info.exists())
        return r;
    r.exists = true;
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        r.readError = true;
        return r;
    }
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        r.readError = true;
    return r;
}

} // namespace

ReadResult readLines(const QString &name)
{
    QByteArray bytes;
    ReadResult r = readBytes(name, &bytes);
    if (!r.exists || r.readError || bytes.isEmpty())
        return r;
    const QString text = decodeFileBytes(bytes, &r.clean);
    const QChar *d = text.constData();
    const qsizetype n = text.size();
    qsizetype start = 0;
    while (start < n) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        const qsizetype next = end < 0 ? n : end + 1;
        if (end < 0)
            end = n;
        qsizetype stop = end;
        if (stop > start && d[stop - 1] == QLatin1Char('\r'))
            --stop;
        r.lines.append(text.mid(start, stop - start));
        start = next;
    }
    return r;
}

ReadResult readAll(const QString &name, QString *text)
{
    QByteArray bytes;
    ReadResult r = readBytes(name, &bytes);
    const QString decoded = decodeFileBytes(bytes, &r.clean);
    if (text)
        *text = decoded;
    return r;
}

bool isBlankLine(const QString &line)
{
    for (const QChar c : line) {
        if (!c.isSpace())
            return false;
    }
    return true;
}

QString firstFilledLine(const QString &name)
{
    const ReadResult r = readLines(name);
    for (const QString &line : r.lines) {
        if (!isBlankLine(line))
            return line;
    }
    return QString();
}

WriteResult writeLines(const QString &name, const QStringList &lines)
{
    QString all;
    qsizetype size = 0;
    for (const QString &l : lines)
        size += l.size() + 2;
    all.reserve(size);
    for (const QString &l : lines) {
        all += l;
        all += QLatin1String("\r\n");
    }
    return writeAll(name, all);
}

WriteResult writeAll(const QString &name, const QString &content)
{
    QByteArray bytes;
    QString bad;
    if (!encodeCp932(content, &bytes, &bad))
        return refused(bad);
    return writeBytes(name, bytes);
}

WriteResult writeBytes(const QString &name, const QByteArray &bytes)
{
    return writeAtomically(resolve(name), bytes);
}

WriteResult appendLine(const QString &name, const QString &line)
{
    QByteArray bytes;
    QString bad;
    if (!encodeCp932(line, &bytes, &bad))
        return refused(bad);
    bytes += "\r\n";
    const QString path = resolve(name);
    const bool existed = QFileInfo::exists(path);
    {
        // A file edited by hand may lack its final line end: start a new line
        // so the appended record never merges with the last one.
        QFile existing(path);
        if (existing.exists() && existing.size() > 0 && existing.open(QIODevice::ReadOnly)) {
            if (existing.seek(existing.size() - 1)) {
                char last = 0;
                if (existing.getChar(&last) && last != '\n')
                    bytes.prepend("\r\n");
            }
        }
    }
    // Unbuffered, so that close() has nothing left to retry after a refused write.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return failure(path, file.errorString());
    const qint64 oldSize = file.size();
    // A line cut short by a full disk would be read back as a garbled record:
    // what reached the file is taken back, so the file is as it was.
    auto takeBack = [&](const QString &reason) {
        file.close();
        const bool restored = existed ? QFile::resize(path, oldSize) : QFile::remove(path);
        WriteResult r = failure(path, reason);
        if (!restored)
            r.message += QStringLiteral("\r\nファイルの最後の行が途中で切れているかもしれません。");
        return r;
    };
    if (takeFailHook()) {
        // Test hook: behave like a disk that fills up half-way through the line.
        file.write(bytes.left(bytes.size() / 2));
        file.flush();
        return takeBack(QStringLiteral("書き込みが中断されました"));
    }
    QString reason;
    if (!writeFully(file, bytes, &reason))
        return takeBack(reason);
    file.close();
    if (file.error() != QFileDevice::NoError)
        return takeBack(file.errorString());
    return WriteResult();
}

WriteResult emptyFile(const QString &name)
{
    return writeBytes(name, QByteArray());
}

} // namespace kioku::text
