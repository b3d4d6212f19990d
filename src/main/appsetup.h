#pragma once
// What the program sets up before its first window: the application itself
// and the start options. main() and the tests that look at the program as the
// platform shows it share these, so they cannot drift apart.
#include <QString>
#include <QStringList>

namespace kioku {

// Names the application and applies the program's look (font, icon). Call
// right after the QApplication is made. No application display name is set:
// the xcb platform would append it to every window title, and the titles are
// the program's own, whole.
void setUpApplication();

// The name of the environment variable that names the data folder.
inline const char kDataDirVariable[] = "KIOKU_DATA_DIR";

struct StartOptions {
    bool help = false; // -h / --help: print the usage and end
    QString dataDir;   // the data folder; empty: the working folder as it is
    QString error;     // Japanese, when the command line cannot be followed
};

// Reads the command line (`args` with the program name first) and the value
// of KIOKU_DATA_DIR. "--data-dir <folder>" (or "--data-dir=<folder>") wins
// over the variable; an empty variable counts as unset. Arguments the program
// does not know are left alone (Qt takes its own, such as -platform).
StartOptions parseStartOptions(const QStringList &args, const QString &envDataDir);

// What -h / --help prints.
QString usageText();

} // namespace kioku
