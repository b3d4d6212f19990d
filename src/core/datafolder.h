#pragma once
// Sets up the working folder with the files the program ships (embedded as
// resources under :/data). On a first start (none of the program's files there)
// every shipped file is written; on later starts only a missing settings file,
// play log, memo or name record is re-created. An existing file is never overwritten.
#include <QString>
#include <QStringList>

namespace kioku {

struct DataFolderResult {
    QStringList written;     // file names written
    QStringList failed;      // file names that could not be written
    bool firstStart = false; // none of the program's files was there
};

DataFolderResult prepareDataFolder();

// The shipped copy of a data file (by its name under :/data), empty when not shipped.
QByteArray shippedFile(const QString &name);

} // namespace kioku
