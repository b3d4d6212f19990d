#include "core/playlog/logstamp.h"

#include "core/playlog/playlog.h"
#include "core/text/textfile.h"

#include <QFile>

#include <sys/stat.h>

namespace kioku {

LogStamp playLogStamp()
{
    LogStamp st;
    struct stat sb;
    const QByteArray path = QFile::encodeName(text::resolve(kPlayLogFile));
    if (::stat(path.constData(), &sb) != 0 || !S_ISREG(sb.st_mode))
        return st; // missing or not a file: read (and reported) every time
    st.known = true;
    st.device = quint64(sb.st_dev);
    st.inode = quint64(sb.st_ino);
    st.size = qint64(sb.st_size);
    st.mtimeNs = qint64(sb.st_mtim.tv_sec) * 1000000000 + sb.st_mtim.tv_nsec;
    return st;
}

} // namespace kioku
