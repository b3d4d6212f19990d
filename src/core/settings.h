#pragma once
// Small files of the main window: the help-tour switch "設定.txt" and the
// name record "氏名.txt".
#include "core/game/catalogue.h" // historyFileNames()
#include "core/text/textfile.h"
#include <QString>

namespace kioku {

inline const QString kSettingsFile = QStringLiteral("設定.txt");
inline const QString kNameFile = QStringLiteral("氏名.txt");
inline const QString kMemoFile = QStringLiteral("メモ.TXT");

// Help tour: 1 on, 0 off. A missing or unreadable file reads as on. `status`
// (when given) tells whether the file could be read, `garbled` (when given)
// whether it holds a line that is not the help-tour setting (read as on too).
int readHelpTour(text::ReadResult *status = nullptr, bool *garbled = nullptr);
text::WriteResult writeHelpTour(int on);

// The user's name; a missing file reads as empty. `status` (when given) tells
// whether the file could be read, and read as Shift-JIS throughout.
QString readUserName(text::ReadResult *status = nullptr);
text::WriteResult writeUserName(const QString &name);

// The window title for a user name.
QString mainWindowTitle(const QString &userName);

} // namespace kioku
