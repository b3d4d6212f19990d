#include "core/transfer/fileset.h"

#include "core/backup.h"
#include "core/text/durablefile.h"
#include "core/text/recordline.h"
#include "core/text/sjis.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

namespace kioku::transfer {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString notesPath()
{
    return QDir::current().filePath(kBackupFolder + QLatin1Char('/') + kNotesFile);
}

// Adds the reason of the copies just made to the notes, dropping the notes of
// copies that are gone. A note that cannot be written costs only the reason
// shown beside the copy, never the change itself.
void noteCopies(const QStringList &copies, const QString &reason)
{
    if (copies.isEmpty() || reason.isEmpty())
        return;
    bool clean = true;
    QHash<QString, QString> notes = readNotes(&clean);
    if (!clean)
        return; // a file someone else garbled is left as it is
    for (const QString &copy : copies)
        notes.insert(QFileInfo(copy).fileName(), reason);
    const QDir folder(QDir::current().filePath(kBackupFolder));
    QStringList names = notes.keys();
    names.sort();
    QString text;
    for (const QString &name : names) {
        if (!QFileInfo::exists(folder.filePath(name)))
            continue;
        text += text::RecordWriter().text(name).text(notes.value(name)).line() + kCrLf;
    }
    QByteArray bytes;
    if (!text::encodeCp932(text, &bytes))
        return;
    int error = 0;
    text::replaceFile(notesPath(), bytes, &error);
}

QString failure(const QString &fileName, const QString &reason)
{
    return QStringLiteral("「%1」を書き込めなかったため、取りやめました。").arg(fileName) + kCrLf
        + QStringLiteral("データフォルダのファイルは、どれも元のまま残してあります。") + kCrLf + reason;
}

} // namespace

QHash<QString, QString> readNotes(bool *clean)
{
    QHash<QString, QString> notes;
    bool readable = true;
    if (clean)
        *clean = true;
    QFile f(notesPath());
    if (!text::isOpenable(notesPath()) || !f.open(QIODevice::ReadOnly))
        return notes;
    const QString all = text::decodeFileBytes(f.read(1024 * 1024), &readable);
    if (clean)
        *clean = readable;
    for (const QString &line : all.split(QLatin1Char('\n'))) {
        if (line.contains(QChar::ReplacementCharacter))
            continue;
        const QStringList fields = text::splitRecord(line.trimmed());
        if (fields.size() >= 2 && !fields.at(0).isEmpty())
            notes.insert(fields.at(0), fields.at(1));
    }
    return notes;
}

text::WriteResult replaceFiles(const QList<FileChange> &changes, const QDateTime &at, const QString &reason)
{
    if (changes.isEmpty())
        return text::WriteResult();

    // Every new file whole on the disk first, under a name of its own. A data
    // file that is a link to a file elsewhere keeps its link: the file it
    // points to is the one replaced, as a single save does. The player is
    // told of a file by its name in the data folder.
    QStringList paths, temps, shown, folders;
    for (const FileChange &c : changes) {
        const QString named = text::resolve(c.name);
        const QFileInfo info(named);
        const QString path = info.isSymLink() && info.exists() ? info.canonicalFilePath() : named;
        QByteArray temp;
        int error = 0;
        if (!text::isOpenable(path) || !text::writeSyncedTemporary(QFile::encodeName(path), c.bytes, &temp, &error)) {
            for (const QString &t : temps)
                QFile::remove(t);
            return text::WriteResult{false, failure(info.fileName(), text::writeFailureReason(path, error))};
        }
        paths.append(path);
        temps.append(QFile::decodeName(temp));
        shown.append(info.fileName());
        const QString folder = QFileInfo(path).absolutePath();
        if (!folders.contains(folder))
            folders.append(folder);
    }
    // Each folder a file was renamed in has its entries put on the disk.
    const auto syncFolders = [&folders](QString *failed, int *error) {
        bool ok = true;
        for (const QString &folder : std::as_const(folders)) {
            if (!text::syncFolder(folder, error)) {
                if (failed)
                    *failed = folder;
                ok = false;
            }
        }
        return ok;
    };
    const auto dropTemps = [&temps] {
        for (const QString &t : temps)
            QFile::remove(t);
    };

    // Then the copies of what is about to change: no copy, no change.
    QStringList toCopy;
    for (const FileChange &c : changes)
        if (c.existed)
            toCopy.append(c.name);
    const BackupResult copies = backUpFiles(toCopy, at);
    if (!copies) {
        dropTemps();
        return copies.asWrite();
    }
    noteCopies(copies.copies, reason);

    // Then the renames; one that fails puts back the files renamed before it.
    for (int i = 0; i < paths.size(); ++i) {
        if (std::rename(QFile::encodeName(temps.at(i)).constData(), QFile::encodeName(paths.at(i)).constData()) != 0) {
            const int error = errno;
            for (int j = 0; j < i; ++j) {
                int ignored = 0;
                if (changes.at(j).existed)
                    text::replaceFile(paths.at(j), changes.at(j).oldBytes, &ignored);
                else
                    QFile::remove(paths.at(j));
            }
            for (int j = i; j < temps.size(); ++j)
                QFile::remove(temps.at(j));
            int ignored = 0;
            syncFolders(nullptr, &ignored);
            return text::WriteResult{false, failure(shown.at(i), text::writeFailureReason(paths.at(i), error))};
        }
    }
    int error = 0;
    QString failed;
    if (!syncFolders(&failed, &error))
        return text::WriteResult{false,
                                 QStringLiteral("データフォルダの変更をディスクに書き込めたか確かめられませんでした。")
                                     + kCrLf + text::writeFailureReason(failed, error)};
    return text::WriteResult();
}

} // namespace kioku::transfer
