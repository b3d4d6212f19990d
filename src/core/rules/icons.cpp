#include "core/rules/icons.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace kioku::rules {

QList<IconFile> listIcons()
{
    const QDir dir = QDir::current();
    QList<IconFile> icons;
    const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo &info : entries) {
        if (info.suffix().compare(QLatin1String("ico"), Qt::CaseInsensitive) != 0)
            continue;
        icons.append(IconFile{info.fileName(), info.completeBaseName()});
    }
    // File-name order, whatever order the file system hands them in: the same
    // listing on every machine.
    std::sort(icons.begin(), icons.end(), [](const IconFile &a, const IconFile &b) {
        const int c = a.fileName.compare(b.fileName, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a.fileName < b.fileName;
    });
    return icons;
}

} // namespace kioku::rules
