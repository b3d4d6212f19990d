#include "core/text/textfile.h"

#include "core/text/durablefile.h"
#include "core/text/linereader.h"
#include "core/text/sjis.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtAlgorithms>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace kioku::text {

namespace {

QString shownName(const QString &path)
{
    return QFileInfo(path).fileName();
}

// `reason` is Japanese (writeFailureReason()): never the system's own text,
// which is English and may hold the whole path.
WriteResult failure(const QString &path, const QString &reason)
{
    WriteResult r;
    r.ok = false;
    r.message = QStringLiteral("ファイル「%1」に書き込めませんでした。").arg(shownName(path));
    if (!reason.isEmpty())
        r.message += QStringLiteral("\r\n") + reason;
    return r;
}

WriteResult failure(const QString &path, int systemError)
{
    return failure(path, writeFailureReason(path, systemError));
}

QString notAFileReason()
{
    return QStringLiteral("普通のファイルではありません（名前付きパイプや装置など）。"
                          "データフォルダから取り除いてください。");
}

bool isDiskFull(int e)
{
    return e == ENOSPC || e == EFBIG
#ifdef EDQUOT
        || e == EDQUOT
#endif
        ;
}

bool isPermission(int e)
{
    return e == EACCES || e == EPERM || e == EROFS;
}

// Whether this process may write `path` (or create it, when it does not exist).
bool mayWrite(const QString &path)
{
    const QFileInfo info(path);
    const QByteArray file = QFile::encodeName(path);
    const QByteArray folder = QFile::encodeName(info.absolutePath());
    if (info.exists() && ::access(file.constData(), W_OK) != 0)
        return false;
    return ::access(folder.constData(), W_OK | X_OK) == 0;
}

WriteResult refused(const QString &badChar)
{
    WriteResult r;
    r.ok = false;
    r.message = unstorableCharMessage(badChar);
    return r;
}

// Writes all of `bytes` to a file opened unbuffered, so that each write() goes
// to the system at once and a full disk shows in its result: the whole of
// `bytes` is handed over in one write. The system may take part of the bytes
// and refuse the rest: the loop asks again, and the refusal then comes with
// its error (errno, into `systemError`).
bool writeFully(QFileDevice &file, const QByteArray &bytes, int *systemError)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        errno = 0;
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            *systemError = errno;
            return false;
        }
        done += n;
    }
    errno = 0;
    if (!file.flush()) {
        *systemError = errno;
        return false;
    }
    return true;
}

// Writes `bytes` to a temporary file beside `path` and renames it over `path`,
// so the old file stays whole until the new one is complete on the disk.
WriteResult writeAtomically(const QString &path, const QByteArray &bytes)
{
    if (!isOpenable(path)) // a folder, a named pipe, a device
        return failure(path, writeFailureReason(path, 0));
    // A file the user made read-only stays as it is: the rename would replace
    // it, as the folder allows, but an append to it is refused, and so is this.
    if (!mayWrite(path))
        return failure(path, EACCES);
    int error = 0;
    if (!replaceFile(path, bytes, &error))
        return failure(path, error);
    return WriteResult();
}

} // namespace

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

bool isOpenable(const QString &path)
{
    const QFileInfo info(path);
    return !info.exists() || info.isFile();
}

QString readFailureReason(const QString &path, int systemError)
{
    const QFileInfo info(path);
    if (info.isDir())
        return QStringLiteral("同じ名前のフォルダがあります。");
    if (!isOpenable(path))
        return notAFileReason();
    if (isPermission(systemError) || (info.exists() && ::access(QFile::encodeName(path).constData(), R_OK) != 0))
        return QStringLiteral("読み込みの権限がありません。");
    return QStringLiteral("ファイルを読み込めません。ディスクの状態を確かめてください。");
}

QString writeFailureReason(const QString &path, int systemError)
{
    if (isDiskFull(systemError))
        return QStringLiteral("容量不足です。ディスクの空きを確かめてください。");
    if (systemError == EIO)
        return QStringLiteral("ディスクに書き込めたことを確かめられませんでした（入出力エラー）。"
                              "ディスクの状態を確かめてください。");
    if (QFileInfo(path).isDir())
        return QStringLiteral("同じ名前のフォルダがあります。");
    if (!isOpenable(path))
        return notAFileReason();
    if (isPermission(systemError) || !mayWrite(path))
        return QStringLiteral("書き込みの権限がありません。ファイルとフォルダの書き込みの許可を確かめてください。");
    return QStringLiteral("ディスクの空きと書き込みの許可を確かめてください。");
}

QString readFailureMessage(const QString &name, const ReadResult &r)
{
    QString m = QStringLiteral("「%1」を読み込めませんでした。").arg(QFileInfo(name).fileName());
    if (!r.reason.isEmpty())
        m += QStringLiteral("\r\n") + r.reason;
    return m;
}

ReadResult readLines(const QString &name)
{
    LineReader reader(name);
    QStringList lines;
    lines.reserve(reader.lineCountHint());
    QStringView line;
    while (reader.next(&line))
        lines.append(line.toString());
    ReadResult r = reader.result();
    r.lines = std::move(lines);
    return r;
}

ReadResult readAll(const QString &name, QString *text)
{
    QByteArray bytes;
    ReadResult r = readFileBytes(name, &bytes);
    const QString decoded = decodeFileBytes(bytes, &r.clean);
    if (text)
        *text = decoded;
    return r;
}

bool isBlankLine(QStringView line)
{
    for (const QChar c : line) {
        if (!c.isSpace())
            return false;
    }
    return true;
}

QString firstFilledLine(const QString &name, ReadResult *status)
{
    ReadResult r = readLines(name);
    if (status) {
        *status = r;
        status->lines.clear();
    }
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

namespace {

// What an appended line needs in front of it to start a line of its own, after
// a file whose last byte is `last`. A file edited by hand may lack its final
// line end, and one cut between the CR and the LF of a line end needs its LF:
// the appended record never merges with the last one.
const char *lineStartAfter(char last)
{
    return last == '\n' ? "" : last == '\r' ? "\n" : "\r\n";
}

// Appends to a file in UTF-8 with a byte-order mark: its text goes into code
// page 932 and the file is rewritten whole, atomically, with `lineBytes` at
// its end. Refused, the file untouched, when its text is not valid UTF-8 or
// holds a character code page 932 cannot hold.
WriteResult appendToUtf8File(const QString &path, const QByteArray &fileBytes, const QByteArray &lineBytes,
                             qint64 *lineAt)
{
    const QString name = shownName(path);
    const QString kept = QStringLiteral("ファイルはそのまま残してあります。");
    bool clean = true;
    const QString text = decodeFileBytes(fileBytes, &clean);
    if (!clean) {
        WriteResult r;
        r.ok = false;
        r.message = QStringLiteral("ファイル「%1」は UTF-8 で保存されていますが、UTF-8 として読めない部分があるため、"
                                   "書き足せませんでした。")
                        .arg(name)
            + QStringLiteral("\r\n") + kept
            + QStringLiteral("\r\nテキストエディタで文字コードを Shift-JIS にして保存し直してください。");
        return r;
    }
    QByteArray converted;
    QString bad;
    if (!encodeCp932(text, &converted, &bad)) {
        WriteResult r = refused(bad);
        r.message += QStringLiteral("\r\n（ファイル「%1」は UTF-8 で保存されているため、書き足す前に Shift-JIS "
                                    "に直します。その文字があるため直せませんでした。%2）")
                         .arg(name, kept);
        return r;
    }
    if (!converted.isEmpty())
        converted += lineStartAfter(converted.back());
    *lineAt = converted.size();
    converted += lineBytes;
    return writeAtomically(path, converted);
}

} // namespace

WriteResult appendLine(const QString &name, const QString &line)
{
    return appendLine(name, line, nullptr);
}

WriteResult undoAppend(const AppendUndo &undo)
{
    if (undo.path.isEmpty())
        return WriteResult();
    if (undo.created) {
        int error = 0;
        if (!QFile::remove(undo.path) || !syncFolder(QFileInfo(undo.path).absolutePath(), &error))
            return failure(undo.path, error);
        return WriteResult();
    }
    QFile file(undo.path);
    errno = 0;
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered) || !file.resize(undo.oldSize))
        return failure(undo.path, errno);
    int error = 0;
    if (!syncFileData(file.handle(), &error))
        return failure(undo.path, error);
    return WriteResult();
}

WriteResult appendLine(const QString &name, const QString &line, AppendUndo *undo)
{
    QByteArray bytes;
    QString bad;
    if (!encodeCp932(line, &bytes, &bad))
        return refused(bad);
    bytes += "\r\n";
    const QString path = resolve(name);
    const QFileInfo info(path);
    if (info.isDir())
        return failure(path, 0);
    if (!isOpenable(path))
        return failure(path, notAFileReason());
    const bool existed = info.exists();
    if (existed && info.size() > 0) {
        QFile existing(path);
        if (existing.open(QIODevice::ReadOnly)) {
            char head[3] = {0, 0, 0};
            const qint64 got = existing.read(head, 3);
            if (got == 3 && hasUtf8Mark(QByteArrayView(head, 3)) && existing.seek(0)) {
                errno = 0;
                const QByteArray all = existing.readAll();
                if (existing.error() != QFileDevice::NoError) {
                    WriteResult r;
                    r.ok = false;
                    ReadResult read;
                    read.reason = readFailureReason(path, errno);
                    r.message = readFailureMessage(path, read) + QStringLiteral("\r\n書き足していません。");
                    return r;
                }
                existing.close();
                qint64 lineAt = -1;
                const WriteResult r = appendToUtf8File(path, all, bytes, &lineAt);
                // Undone by cutting the line off the file as now written (the
                // same text, in code page 932): cutting needs no room on a disk
                // that may just have refused something else.
                if (r && undo)
                    *undo = AppendUndo{path, false, lineAt};
                return r;
            }
            char last = 0;
            if (existing.seek(existing.size() - 1) && existing.getChar(&last))
                bytes.prepend(lineStartAfter(last));
        }
    }
    // Unbuffered, so that close() has nothing left to retry after a refused
    // write, and the line reaches the system in one write().
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return failure(path, errno);
    const qint64 oldSize = file.size();
    // A line cut short by a full disk would be read back as a garbled record:
    // what reached the file is taken back, so the file is as it was.
    auto takeBack = [&](int error) {
        file.close();
        const bool restored = existed ? QFile::resize(path, oldSize) : QFile::remove(path);
        WriteResult r = failure(path, error);
        if (!restored)
            r.message += QStringLiteral("\r\nファイルの最後の行が途中で切れているかもしれません。");
        return r;
    };
    int error = 0;
    if (!writeFully(file, bytes, &error))
        return takeBack(error);
    // Saved means on the disk: a power cut a moment later keeps the line.
    if (!syncFileData(file.handle(), &error))
        return takeBack(error);
    errno = 0;
    file.close();
    if (file.error() != QFileDevice::NoError)
        return takeBack(errno);
    // A file the line created is on the disk once its folder's entry is.
    if (!existed && !syncFolder(QFileInfo(path).absolutePath(), &error))
        return takeBack(error);
    if (undo)
        *undo = AppendUndo{path, !existed, oldSize};
    return WriteResult();
}

WriteResult emptyFile(const QString &name)
{
    return writeBytes(name, QByteArray());
}

} // namespace kioku::text
