#include "core/transfer/exportfile.h"

#include "core/text/durablefile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <unistd.h>

namespace kioku {

namespace {

// A file on its way: its temporary name beside its place.
struct Pending {
    QString path;
    QByteArray target; // the place, encoded
    QByteArray temp;   // the temporary file, encoded; empty once renamed or never made
};

void removeTemporaries(QList<Pending> &pending)
{
    for (Pending &p : pending) {
        if (!p.temp.isEmpty())
            ::unlink(p.temp.constData());
        p.temp.clear();
    }
}

text::WriteResult failure(const QString &path, int systemError)
{
    return text::WriteResult{false,
                             QStringLiteral("「%1」を書き出せませんでした。").arg(QFileInfo(path).fileName())
                                 + QStringLiteral("\r\n") + exportFailureReason(path, systemError)};
}

} // namespace

QString exportFailureReason(const QString &path, int systemError)
{
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    if (systemError == ENOENT || systemError == ENOTDIR || !folder.isDir())
        return QStringLiteral("書き出し先のフォルダが見つかりません。別の場所を選んでください。");
    if (info.isDir())
        return QStringLiteral("同じ名前のフォルダがあります。別の名前を付けてください。");
    if (systemError == EACCES || systemError == EPERM || systemError == EROFS)
        return QStringLiteral("このフォルダには書き込めません。別の場所を選んでください。");
    return text::writeFailureReason(path, systemError);
}

text::WriteResult writeExportFiles(const QList<ExportFile> &files)
{
    QList<Pending> pending;
    pending.reserve(files.size());
    for (const ExportFile &f : files) {
        Pending p;
        p.path = f.path;
        // A name that links to a file elsewhere keeps its link: the file it
        // points to is the one replaced.
        const QFileInfo info(f.path);
        p.target = QFile::encodeName(info.isSymLink() && info.exists() ? info.canonicalFilePath() : f.path);
        if (info.isDir() || (info.exists() && !text::isOpenable(f.path)))
            return failure(f.path, EISDIR);
        pending.append(p);
    }
    for (qsizetype i = 0; i < files.size(); ++i) {
        int error = 0;
        if (!text::writeSyncedTemporary(pending[i].target, files.at(i).bytes, &pending[i].temp, &error)) {
            removeTemporaries(pending);
            return failure(files.at(i).path, error);
        }
    }
    // Every file is on the disk in full: now they take their places.
    for (Pending &p : pending) {
        if (::rename(p.temp.constData(), p.target.constData()) != 0) {
            const int error = errno;
            removeTemporaries(pending);
            return failure(p.path, error);
        }
        p.temp.clear();
    }
    for (const Pending &p : pending) {
        int error = 0;
        if (!text::syncFolder(QFileInfo(QFile::decodeName(p.target)).absolutePath(), &error))
            return failure(p.path, error);
    }
    return {};
}

} // namespace kioku
