// kioku_appicon <icon name> <output folder> [size ...]
//
// Writes the program's icon, drawn by the program's own icon painter
// (kioku::pictures::appIcon, the same picture the windows carry), as PNG files
// laid out like a hicolor icon theme:
//     <output folder>/<N>x<N>/apps/<icon name>.png
// for each size N (default 16 24 32 48 64 128 256). The build runs it so that
// the installed icons are always the ones the program draws; they are never
// copied by hand.
//
// Each file is read back (format, size, not fully transparent) after it is
// written. Prints each file it writes; exits non-zero when a file could not be
// written or reads back wrong.
#include "widgets/pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QSaveFile>
#include <QStringList>

#include <cstdio>

namespace {

const int kDefaultSizes[] = {16, 24, 32, 48, 64, 128, 256};

int fail(const QString &message)
{
    std::fprintf(stderr, "kioku_appicon: %s\n", qPrintable(message));
    return 1;
}

// True when some pixel of the picture can be seen.
bool hasVisiblePixel(const QImage &image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(line[x]) != 0)
                return true;
    }
    return false;
}

int writeIcon(const QString &outDir, const QString &name, int size)
{
    const QString dirPath = QStringLiteral("%1/%2x%2/apps").arg(outDir).arg(size);
    if (!QDir().mkpath(dirPath))
        return fail(QStringLiteral("cannot create %1").arg(dirPath));
    const QString path = QStringLiteral("%1/%2.png").arg(dirPath, name);

    // The painter draws at the screen's pixel ratio; a theme icon is N × N real pixels.
    QImage image = kioku::pictures::appIcon(size).toImage();
    image.setDevicePixelRatio(1);
    if (image.size() != QSize(size, size))
        image = image.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image = image.convertToFormat(QImage::Format_ARGB32);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit())
        return fail(QStringLiteral("cannot write %1").arg(path));

    QImageReader reader(path, "png");
    const QImage back = reader.read();
    if (back.isNull())
        return fail(QStringLiteral("%1 does not read back: %2").arg(path, reader.errorString()));
    if (back.size() != QSize(size, size))
        return fail(QStringLiteral("%1 reads back as %2x%3, not %4x%4")
                        .arg(path)
                        .arg(back.width())
                        .arg(back.height())
                        .arg(size));
    if (!hasVisiblePixel(back))
        return fail(QStringLiteral("%1 is fully transparent").arg(path));
    std::printf("%s\n", qPrintable(QDir::toNativeSeparators(path)));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    // Drawing needs a GUI application but no display: the build may run without one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: kioku_appicon <icon name> <output folder> [size ...]\n");
        return 2;
    }
    const QString name = args.at(0);
    const QString outDir = args.at(1);
    if (name.isEmpty() || name.contains(QLatin1Char('/')))
        return fail(QStringLiteral("bad icon name: %1").arg(name));

    QList<int> sizes;
    for (const QString &s : args.mid(2)) {
        bool ok = false;
        const int n = s.toInt(&ok);
        if (!ok || n < 1 || n > 1024)
            return fail(QStringLiteral("bad size: %1").arg(s));
        sizes.append(n);
    }
    if (sizes.isEmpty())
        for (int n : kDefaultSizes)
            sizes.append(n);

    for (int size : sizes)
        if (int rc = writeIcon(outDir, name, size))
            return rc;
    return 0;
}
