// kioku_flags <output folder> [--sheet <file.png> [--zoom <n>]]
//
// Draws the twenty national flags the icon games play with and writes each as
// one .ico file named after its country as Japanese players call it (日本.ico,
// フランス.ico, ...), holding the same flag at 16, 32, 48 and 64 pixels.
//
// Every flag is drawn here with QPainter from plain fields, stripes, crosses,
// discs and stars; fine emblems are left out, so each flag stays recognisable
// at 16 px. A flag keeps its own proportions, centred in the square on a
// transparent ground and framed by a one-pixel grey line, so that a white flag
// still shows on a white window.
//
// The .ico container is written here too: an ICONDIR, one ICONDIRENTRY per
// size, then per size a 32-bit BMP (BITMAPINFOHEADER, bottom-up BGRA rows)
// followed by its 1-bit AND mask, the entry form every icon reader knows.
// Each file is read back (four images, their sizes, every pixel) before the
// next is drawn. Prints each file it writes; exits non-zero when a file could
// not be written or reads back wrong. With --sheet it also draws all twenty at
// their sizes, named, into one PNG for a look by eye; --zoom enlarges that
// sheet n times, pixel for pixel, to see single pixels.
#include "flagdrawing.h"

#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QSaveFile>
#include <QTransform>
#include <QtEndian>

#include <cmath>
#include <cstdio>
#include <initializer_list>

using namespace flags;

namespace {

const int kSizes[] = {16, 32, 48, 64};

// ------------------------------------------------------------------ the file

void put16(QByteArray &out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void put32(QByteArray &out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

// One image as an icon resource: BITMAPINFOHEADER (height counted twice, for
// the colour rows and the mask rows), the colour rows bottom-up as B, G, R,
// A, then the AND mask bottom-up, one bit a pixel (1 = transparent), each row
// padded to four bytes.
QByteArray iconResource(const QImage &image)
{
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    const int w = img.width(), h = img.height();
    const int maskStride = ((w + 31) / 32) * 4;
    QByteArray out;
    put32(out, 40);         // biSize
    put32(out, quint32(w)); // biWidth
    put32(out, quint32(2 * h));
    put16(out, 1);  // biPlanes
    put16(out, 32); // biBitCount
    put32(out, 0);  // biCompression: BI_RGB
    put32(out, quint32(w * h * 4 + maskStride * h));
    put32(out, 0); // biXPelsPerMeter
    put32(out, 0); // biYPelsPerMeter
    put32(out, 0); // biClrUsed
    put32(out, 0); // biClrImportant
    for (int y = h - 1; y >= 0; --y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb px = qAlpha(line[x]) == 0 ? 0 : line[x];
            out.append(char(qBlue(px))).append(char(qGreen(px))).append(char(qRed(px))).append(char(qAlpha(px)));
        }
    }
    for (int y = h - 1; y >= 0; --y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        QByteArray row(maskStride, '\0');
        for (int x = 0; x < w; ++x) {
            if (qAlpha(line[x]) < 128)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        }
        out.append(row);
    }
    return out;
}

// ICONDIR (reserved 0, type 1 = icon, count), one 16-byte ICONDIRENTRY per
// image, then the images in the same order.
QByteArray icoFile(const QList<QImage> &images)
{
    QList<QByteArray> resources;
    for (const QImage &img : images)
        resources.append(iconResource(img));
    QByteArray out;
    put16(out, 0);
    put16(out, 1);
    put16(out, quint16(images.size()));
    quint32 offset = 6 + 16 * quint32(images.size());
    for (int i = 0; i < images.size(); ++i) {
        const QImage &img = images[i];
        out.append(char(img.width() >= 256 ? 0 : img.width())); // bWidth (0 means 256)
        out.append(char(img.height() >= 256 ? 0 : img.height()));
        out.append(char(0)); // bColorCount: not a palette image
        out.append(char(0)); // bReserved
        put16(out, 1);       // wPlanes
        put16(out, 32);      // wBitCount
        put32(out, quint32(resources[i].size()));
        put32(out, offset);
        offset += quint32(resources[i].size());
    }
    for (const QByteArray &r : resources)
        out.append(r);
    return out;
}

bool samePixels(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return false;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32), y = b.convertToFormat(QImage::Format_ARGB32);
    for (int row = 0; row < x.height(); ++row) {
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            if (qAlpha(p) != qAlpha(q) || (qAlpha(p) != 0 && (p & 0xFFFFFF) != (q & 0xFFFFFF)))
                return false;
        }
    }
    return true;
}

// Reads the file back as the program will: four images of the four sizes,
// pixel for pixel what was drawn. Empty when all is well, else what is wrong.
QString checkFile(const QString &path, const QList<QImage> &drawn)
{
    QImageReader reader(path, "ico");
    if (reader.imageCount() != drawn.size())
        return QStringLiteral("%1 images instead of %2").arg(reader.imageCount()).arg(drawn.size());
    for (int i = 0; i < drawn.size(); ++i) {
        if (!reader.jumpToImage(i))
            return QStringLiteral("image %1 cannot be reached").arg(i);
        const QImage img = reader.read();
        if (img.isNull())
            return QStringLiteral("image %1: %2").arg(i).arg(reader.errorString());
        if (img.size() != drawn[i].size())
            return QStringLiteral("image %1 is %2 × %3").arg(i).arg(img.width()).arg(img.height());
        if (!samePixels(img, drawn[i]))
            return QStringLiteral("image %1 reads back other pixels").arg(i);
    }
    return QString();
}

// All flags at 64, 32 and 16 px with their names, read from the written files.
bool writeSheet(const QDir &dir, const QString &sheetPath, int zoom)
{
    const int cols = 5, cellW = 150, cellH = 100;
    const int rows = (int(std::size(kFlags)) + cols - 1) / cols;
    QImage sheet(cols * cellW, rows * cellH, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    QFont font = p.font();
    font.setPixelSize(13);
    p.setFont(font);
    for (int i = 0; i < int(std::size(kFlags)); ++i) {
        const QString name = QString::fromUtf8(kFlags[i].name);
        const QPoint cell((i % cols) * cellW, (i / cols) * cellH);
        QImageReader reader(dir.filePath(name + QStringLiteral(".ico")), "ico");
        QList<QImage> images;
        for (int k = 0; k < reader.imageCount(); ++k) {
            reader.jumpToImage(k);
            images.append(reader.read());
        }
        if (images.size() != 4)
            return false;
        p.drawImage(cell + QPoint(8, 8), images[3]);
        p.drawImage(cell + QPoint(80, 8), images[1]);
        p.drawImage(cell + QPoint(122, 8), images[0]);
        p.setPen(Qt::black);
        p.drawText(QRect(cell + QPoint(0, 76), QSize(cellW, 20)), Qt::AlignHCenter | Qt::AlignVCenter, name);
    }
    p.end();
    if (zoom > 1)
        sheet = sheet.scaled(sheet.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return sheet.save(sheetPath, "PNG");
}

} // namespace

int main(int argc, char **argv)
{
    // No display is needed: the pictures are drawn offscreen unless told otherwise.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QString outDir, sheetPath;
    int zoom = 1;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--sheet") && i + 1 < args.size())
            sheetPath = args[++i];
        else if (args[i] == QLatin1String("--zoom") && i + 1 < args.size())
            zoom = std::clamp(args[++i].toInt(), 1, 8);
        else if (outDir.isEmpty() && !args[i].startsWith(QLatin1String("--")))
            outDir = args[i];
        else
            outDir.clear(), i = int(args.size()); // anything else: usage
    }
    if (outDir.isEmpty()) {
        std::fprintf(stderr, "usage: kioku_flags <output folder> [--sheet <file.png> [--zoom <n>]]\n");
        return 2;
    }
    QDir dir(outDir);
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "kioku_flags: cannot create %s\n", qPrintable(outDir));
        return 1;
    }
    int failures = 0;
    for (const Flag &flag : kFlags) {
        QList<QImage> images;
        for (int size : kSizes)
            images.append(drawFlag(flag, size));
        const QString path = dir.filePath(QString::fromUtf8(flag.name) + QStringLiteral(".ico"));
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(icoFile(images)) < 0 || !file.commit()) {
            std::fprintf(stderr, "kioku_flags: cannot write %s\n", qPrintable(path));
            ++failures;
            continue;
        }
        const QString wrong = checkFile(path, images);
        if (!wrong.isEmpty()) {
            std::fprintf(stderr, "kioku_flags: %s: %s\n", qPrintable(path), qPrintable(wrong));
            ++failures;
            continue;
        }
        std::printf("%s\n", qPrintable(path));
    }
    if (!sheetPath.isEmpty() && failures == 0) {
        if (writeSheet(dir, sheetPath, zoom)) {
            std::printf("%s\n", qPrintable(sheetPath));
        } else {
            std::fprintf(stderr, "kioku_flags: cannot write the sheet %s\n", qPrintable(sheetPath));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
