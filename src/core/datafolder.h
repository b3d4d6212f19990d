#pragma once
// Sets up the working folder with the files the program ships (embedded as
// resources under :/data). On a first start (none of the program's files there)
// every shipped file is written; on later starts only a missing settings file,
// play log, memo, name record, word list or help is re-created. A data file
// that exists is never overwritten; the help, which describes the program that
// runs, is brought up to date (the copy it replaces goes to the backup folder).
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace kioku {

struct DataFolderResult {
    QStringList written;     // file names written (the help too, when brought up to date)
    QStringList failed;      // file names that could not be written
    bool firstStart = false; // none of the program's files was there
};

// The help document ヘルプ opens, shipped with the program.
inline const QString kHelpFile = QStringLiteral("SoramiruHelp.html");

// `now` names the backup copy of a help document replaced.
DataFolderResult prepareDataFolder(const QDateTime &now = QDateTime::currentDateTime());

// The shipped copy of a data file (by its name under :/data), empty when not shipped.
QByteArray shippedFile(const QString &name);

} // namespace kioku
