#include "datafolder.h"

#include "core/playlog/playlog.h"
#include "core/rules/dictionary.h"
#include "core/rules/icons.h"
#include "core/settings.h"
#include "core/text/textfile.h"

#include <QDir>
#include <QFile>

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
                                      rules::kScrambledDictionaryFile};
    return names;
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

DataFolderResult prepareDataFolder()
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
    return result;
}

} // namespace kioku
