#pragma once
// The picture files of the visual games: the "*.ico" files of the data
// folder, listed as a file list shows them. An icon's name is its file name
// without the extension (フランス.ico is フランス); the picture and the name
// always come from the same file.
#include <QList>
#include <QString>

namespace kioku::rules {

struct IconFile {
    QString fileName; // as it is in the folder, "フランス.ico"
    QString name;     // without the extension, "フランス"
};

// The "*.ico" files of the working folder (the extension in any letter case),
// in file-name order; folders and other files are left out.
QList<IconFile> listIcons();

// Icon concentration plays with exactly this many pictures.
inline constexpr int kConcentrationIcons = 20;

} // namespace kioku::rules
