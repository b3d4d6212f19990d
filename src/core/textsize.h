#pragma once
// The player's text size, "文字の大きさ.txt": one line, the label and the
// scale of the text, "文字の大きさ",1.25. Three steps: 標準 (1), 大きい (1.25)
// and とても大きい (1.5). A missing file is 標準.
#include "core/text/textfile.h"

#include <QList>
#include <QString>

namespace kioku {

inline const QString kTextSizeFile = QStringLiteral("文字の大きさ.txt");

struct TextSizeStep {
    double scale;
    QString caption;
};
// The three steps, smallest first.
const QList<TextSizeStep> &textSizeSteps();

// The scale the file holds; 1 when it is missing, cannot be read or holds
// something else than one of the steps. `status` (when given) tells whether
// the file could be read, `garbled` (when given) whether it holds something
// else than a text size.
double readTextSize(text::ReadResult *status = nullptr, bool *garbled = nullptr);
// Rewrites the file with `scale` (one of the steps).
text::WriteResult writeTextSize(double scale);

} // namespace kioku
