#include "core/textsize.h"

#include "core/text/recordline.h"

#include <cmath>

namespace kioku {

namespace {
const QString kLabel = QStringLiteral("文字の大きさ");
} // namespace

const QList<TextSizeStep> &textSizeSteps()
{
    static const QList<TextSizeStep> steps = {
        {1.0, QStringLiteral("標準")},
        {1.25, QStringLiteral("大きい")},
        {1.5, QStringLiteral("とても大きい")},
    };
    return steps;
}

double readTextSize(text::ReadResult *status, bool *garbled)
{
    text::ReadResult read;
    const QString line = text::firstFilledLine(kTextSizeFile, &read);
    if (status)
        *status = read;
    const text::RecordReader r(line);
    const QString value = r.count() >= 2 ? r.text(1).trimmed() : QString();
    double scale = 0;
    // Bytes that are not code page 932 make the whole line doubtful: 標準.
    if (read.clean && text::isPlainNumber(value)) {
        for (const TextSizeStep &s : textSizeSteps())
            if (std::abs(s.scale - value.toDouble()) < 1e-6)
                scale = s.scale;
    }
    if (garbled)
        *garbled = !read.readError && (!read.clean || (!line.isEmpty() && scale == 0));
    return scale > 0 ? scale : 1.0;
}

text::WriteResult writeTextSize(double scale)
{
    return text::writeLines(kTextSizeFile, {text::RecordWriter().text(kLabel).number(scale).line()});
}

} // namespace kioku
