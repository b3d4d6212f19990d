#include "datafolder.h"

#include "core/playlog/playlog.h"
#include "core/rules/dictionary.h"
#include "core/rules/icons.h"
#include "core/settings.h"
#include "core/text/textfile.h"
#include "core/transfer/fileset.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kioku {

namespace {

const QString kResourceDir = QStringLiteral(":/data");

QStringList shippedNames()
{
    return QDir(kResourceDir).entryList(QDir::Files, QDir::Name);
}

// The files a later start re-creates when they have gone missing: the ones
// the main window reads, and the word lists, without which a typing game
// cannot be played (a folder made before a list was shipped gets it too).
const QStringList &essentialNames()
{
    static const QStringList names = {kSettingsFile,
                                      kPlayLogFile,
                                      kMemoFile,
                                      kNameFile,
                                      rules::kTimeLagDictionaryFile,
                                      rules::kCycleDictionaryFile,
                                      rules::kScrambledDictionaryFile,
                                      kHelpFile};
    return names;
}

// An earlier version of the program left its own help in the folder, which
// does not tell of what came since: it is replaced by the one shipped now. The
// copy replaced goes to the backup folder first, in case the player wrote in
// it. A replacement that fails leaves the old help (tried again next start).
void bringHelpUpToDate(const QDateTime &now, DataFolderResult &result)
{
    const QByteArray current = shippedFile(kHelpFile);
    QFile f(text::resolve(kHelpFile));
    // Only a file is read (a pipe would hold the start for good). A link (to a
    // help kept elsewhere), a help made read-only, or one far larger than a
    // help is the player's own: it is left as it is.
    const QFileInfo info(f.fileName());
    if (current.isEmpty() || !info.exists() || info.isSymLink() || !info.isFile() || !info.isWritable()
        || !f.open(QIODevice::ReadOnly))
        return;
    const QByteArray old = f.read(16 * current.size());
    const bool whole = f.atEnd();
    f.close();
    if (old == current || !whole)
        return;
    transfer::FileChange change;
    change.name = QFileInfo(f.fileName()).fileName();
    change.bytes = current;
    change.existed = true;
    change.oldBytes = old;
    if (transfer::replaceFiles({change}, now, QStringLiteral("ヘルプを新しくする前")))
        result.written.append(change.name);
}

} // namespace

QByteArray shippedFile(const QString &name)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')))
        return QByteArray();
    QFile f(kResourceDir + QLatin1Char('/') + name);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

DataFolderResult prepareDataFolder(const QDateTime &now)
{
    DataFolderResult result;
    const QStringList shipped = shippedNames();
    bool firstStart = true;
    for (const QString &name : shipped) {
        if (text::fileExists(name)) {
            firstStart = false;
            break;
        }
    }
    result.firstStart = firstStart;
    QStringList toWrite = firstStart ? shipped : essentialNames();
    // A folder without any picture (made before the flags were shipped) gets
    // them; one with pictures keeps the player's own set as it is, even when
    // the player removed some of ours.
    if (!firstStart && rules::listIcons().isEmpty()) {
        for (const QString &name : shipped)
            if (name.endsWith(QLatin1String(".ico"), Qt::CaseInsensitive))
                toWrite.append(name);
    }
    for (const QString &name : toWrite) {
        if (text::fileExists(name))
            continue; // never overwrite what is there
        if (text::writeBytes(name, shippedFile(name)))
            result.written.append(name);
        else
            result.failed.append(name);
    }
    if (!firstStart)
        bringHelpUpToDate(now, result);
    return result;
}

} // namespace kioku
