#pragma once
// What the program sets up before its first window: the application itself,
// the start options and the data folder's lock. main() and the tests that look
// at the program as the platform shows it share these, so they cannot drift apart.
#include "main/folderlock.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace kioku {

// Names the application and applies the program's look (font, icon). Call
// right after the QApplication is made. No application display name is set:
// the xcb platform would append it to every window title, and the titles are
// the program's own, whole.
void setUpApplication();

// The name of the environment variable that names the data folder.
inline const char kDataDirVariable[] = "KIOKU_DATA_DIR";

// When this environment variable is "1", a refused start only prints its
// message to stderr (it always does) and shows no message box: for scripts and
// tests, where nobody would close the box.
inline const char kNoMessageBoxesVariable[] = "KIOKU_NO_MESSAGE_BOXES";

struct StartOptions {
    bool help = false; // -h / --help: print the usage and end
    QString dataDir;   // the data folder, absolute and clean
    QString error;     // Japanese, when the command line cannot be followed
};

// The data folder when neither the command line nor KIOKU_DATA_DIR names one:
// $XDG_DATA_HOME/kioku, else $HOME/.local/share/kioku (a relative
// XDG_DATA_HOME is ignored, as the XDG base directory rules say).
QString defaultDataDir();

// Reads the command line (`args` with the program name first) and the value
// of KIOKU_DATA_DIR. "--data-dir <folder>" (or "--data-dir=<folder>") wins
// over the variable; an empty variable counts as unset; without either the
// folder is defaultDataDir(). A relative folder is taken from the working
// folder at the time of the call. Arguments the program does not know are
// left alone (Qt takes its own, such as -platform).
StartOptions parseStartOptions(const QStringList &args, const QString &envDataDir);

// What -h / --help prints.
QString usageText();

} // namespace kioku
