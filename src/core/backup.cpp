#include "core/backup.h"

#include "core/text/durablefile.h"
#include "core/text/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>

namespace kioku {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

BackupResult failed(const QString &fileName, const QString &reason)
{
    BackupResult r;
    r.ok = false;
    r.message = QStringLiteral("「%1」のバックアップを作れなかったため、変更を取りやめました。").arg(fileName) + kCrLf
        + QStringLiteral("ファイルはそのまま残してあります。") + kCrLf + reason;
    return r;
}

// `reason` in Japanese (text::writeFailureReason()), never the system's own text.
QString writeReason(const QString &reason)
{
    return QStringLiteral("「%1」フォルダに書き込めませんでした。").arg(kBackupFolder) + kCrLf
        + (reason.isEmpty() ? QStringLiteral("ディスクの空きと書き込みの許可を確かめてください。") : reason);
}

QString readReason(const QString &path, int systemError)
{
    return QStringLiteral("元のファイルを読み込めませんでした。") + kCrLf + text::readFailureReason(path, systemError);
}

// "データ.txt" → "データ" and ".txt"; a name without a dot has no extension.
void splitName(const QString &fileName, QString *base, QString *ext)
{
    const QFileInfo info(fileName);
    const QString suffix = info.suffix();
    *base = info.completeBaseName();
    *ext = suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix;
    if (base->isEmpty()) { // ".txt": all of it is the name
        *base = fileName;
        ext->clear();
    }
}

QString stampOf(const QDateTime &at)
{
    return at.isValid() ? at.toString(QStringLiteral("yyyyMMdd-HHmmss")) : QStringLiteral("00000000-000000");
}

struct Copy {
    QString name;
    QString stamp;
    int number; // 1 for the first copy of its second, then 2, 3, …
};

// Every copy of `fileName` in `folder`: the file's own base name exactly (the
// copies of データ2.txt are not those of データ.txt), a stamp, an optional number.
QList<Copy> copiesIn(const QDir &folder, const QString &fileName)
{
    QString base, ext;
    splitName(fileName, &base, &ext);
    const QRegularExpression pattern(QStringLiteral("^%1_(\\d{8}-\\d{6})(?:_(\\d+))?%2$")
                                         .arg(QRegularExpression::escape(base), QRegularExpression::escape(ext)),
                                     QRegularExpression::CaseInsensitiveOption);
    QList<Copy> copies;
    const QStringList entries = folder.entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        const QRegularExpressionMatch m = pattern.match(entry);
        if (!m.hasMatch())
            continue;
        const int number = m.captured(2).isEmpty() ? 1 : m.captured(2).toInt();
        copies.append(Copy{entry, m.captured(1), number});
    }
    std::sort(copies.begin(), copies.end(), [](const Copy &a, const Copy &b) {
        return a.stamp != b.stamp ? a.stamp < b.stamp : a.number < b.number;
    });
    return copies;
}

// Writes `bytes` under a temporary name and renames it to `path` once it is
// whole and on the disk, so a copy cut short by a full disk or a power cut
// never lies there as a good one.
bool writeCopy(const QString &path, const QByteArray &bytes, QString *error)
{
    int systemError = 0;
    if (!text::replaceFile(path, bytes, &systemError)) {
        *error = text::writeFailureReason(path, systemError);
        return false;
    }
    return true;
}

} // namespace

QString backupName(const QString &fileName, const QDateTime &at)
{
    QString base, ext;
    splitName(fileName, &base, &ext);
    return base + QLatin1Char('_') + stampOf(at) + ext;
}

QStringList backupsOf(const QString &fileName)
{
    QStringList names;
    const QDir folder(QDir::current().filePath(kBackupFolder));
    if (!folder.exists())
        return names;
    for (const Copy &c : copiesIn(folder, fileName))
        names.append(c.name);
    return names;
}

BackupResult backUpFile(const QString &name, const QDateTime &at)
{
    // The file as it lies on disk, under the spelling it has there.
    const QString path = text::resolve(name);
    const QFileInfo info(path);
    const QString fileName = info.fileName();
    if (!info.exists() || info.isDir())
        return BackupResult();   // nothing to lose
    if (!text::isOpenable(path)) // a named pipe would hold the program in open()
        return failed(fileName, readReason(path, 0));
    QFile source(path);
    errno = 0;
    if (!source.open(QIODevice::ReadOnly))
        return failed(fileName, readReason(path, errno));
    errno = 0;
    const QByteArray bytes = source.readAll();
    const bool readOk = source.error() == QFileDevice::NoError;
    const int readError = errno;
    source.close();
    if (!readOk)
        return failed(fileName, readReason(path, readError));
    if (bytes.isEmpty())
        return BackupResult(); // an empty file holds no records

    const QDir data = QDir::current();
    const QString folderPath = data.filePath(kBackupFolder);
    const QFileInfo folderInfo(folderPath);
    if (folderInfo.exists() && !folderInfo.isDir())
        return failed(fileName,
                      QStringLiteral("データフォルダに「%1」という名前のファイルがあるため、"
                                     "コピーを入れるフォルダを作れません。")
                          .arg(kBackupFolder));
    int folderError = 0;
    if (!folderInfo.exists() && !text::makeFolderDurably(folderPath, &folderError))
        return failed(fileName,
                      QStringLiteral("「%1」フォルダを作れませんでした。").arg(kBackupFolder) + kCrLf
                          + text::writeFailureReason(folderPath, folderError));
    const QDir folder(folderPath);

    // A name already taken (a copy of the same second, or anything else lying
    // there) is never overwritten: the copy takes the next number.
    QString base, ext;
    splitName(fileName, &base, &ext);
    const QString first = base + QLatin1Char('_') + stampOf(at);
    QString copyPath = folder.filePath(first + ext);
    for (int n = 2; QFileInfo::exists(copyPath) || QFileInfo(copyPath).isSymLink(); ++n) {
        if (n > 9999)
            return failed(fileName, QStringLiteral("同じ時刻のコピーが多すぎます。"));
        copyPath = folder.filePath(first + QStringLiteral("_%1").arg(n) + ext);
    }

    QString error;
    if (!writeCopy(copyPath, bytes, &error))
        return failed(fileName, writeReason(error));

    // Only this file's own copies are counted; a copy that cannot be removed
    // stays (an extra copy harms nothing).
    // The copy just made is never the one to go, even when the clock has been
    // set back behind the copies already there.
    const QList<Copy> copies = copiesIn(folder, fileName);
    const QString made = QFileInfo(copyPath).fileName();
    // With the clock set back, the copy just made is not the newest: the
    // copies are then left as they are, rather than pruned by stamps that no
    // longer tell which came last.
    if (!copies.isEmpty() && copies.last().name != made) {
        BackupResult r;
        r.copies.append(copyPath);
        return r;
    }
    qsizetype excess = copies.size() - kBackupsKept;
    for (qsizetype i = 0; excess > 0 && i < copies.size(); ++i) {
        if (copies[i].name == made)
            continue;
        QFile::remove(folder.filePath(copies[i].name));
        --excess;
    }

    BackupResult r;
    r.copies.append(copyPath);
    return r;
}

BackupResult backUpFiles(const QStringList &names, const QDateTime &at)
{
    BackupResult all;
    for (const QString &name : names) {
        const BackupResult one = backUpFile(name, at);
        if (!one)
            return one;
        all.copies += one.copies;
    }
    return all;
}

} // namespace kioku
