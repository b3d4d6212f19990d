#pragma once
// What tells one state of the play log file from another: the file itself (an
// atomic rewrite puts a new one in its place), its size (an append) and its
// modification time to the nanosecond (an edit by hand). A reader keeps the
// stamp of the file it read and reads again only when the stamp changed.
#include <QtGlobal>

namespace kioku {

// One state of the play log file; unknown when it is missing or no file.
struct LogStamp {
    bool known = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1;
    qint64 mtimeNs = 0;
    bool operator==(const LogStamp &o) const
    {
        return known == o.known && device == o.device && inode == o.inode && size == o.size && mtimeNs == o.mtimeNs;
    }
};

// The play log's state now (in the working folder).
LogStamp playLogStamp();

} // namespace kioku
