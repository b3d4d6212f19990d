// The monthly report as the player gets it on paper: the PDF the program
// makes is opened by poppler (pdftotext, pdffonts, pdftoppm) as a viewer
// would, and must show the month and the player's name in an embedded
// Japanese font on an A4 page, with the calendar's colours on it.
#include "core/stats/calendar.h"
#include "core/transfer/monthfigures.h"
#include "main/monthreport.h"
#include "testing/darkpalette.h"
#include "testsupport.h"

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace kioku;

namespace {

// What `tool` prints for `args`; *ok tells whether it ran to a good end.
QString run(const QString &tool, const QStringList &args, bool *ok = nullptr)
{
    QProcess p;
    p.start(QStandardPaths::findExecutable(tool), args);
    const bool done = p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (ok)
        *ok = done;
    return done ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
}

QList<PlayRecord> playsOn(const QString &date, int n, const QString &item)
{
    QList<PlayRecord> out;
    for (int i = 0; i < n; ++i)
        out.append(play(date, QStringLiteral("10:00:00"), item, 42.5f));
    return out;
}

// Whether the image (the page at 36 dpi) holds a patch of `rgb` the size of a
// calendar day, within a shade; the legend's swatch of each colour is smaller.
bool holdsColour(const QImage &image, QRgb rgb)
{
    int found = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = line[x];
            if (qAbs(qRed(c) - qRed(rgb)) <= 2 && qAbs(qGreen(c) - qGreen(rgb)) <= 2
                && qAbs(qBlue(c) - qBlue(rgb)) <= 2)
                ++found;
        }
    }
    return found >= 150;
}

} // namespace

class tst_monthreport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void onPaper_data();
    void onPaper();
    void paperUnderADarkDesktop();
};

void tst_monthreport::initTestCase()
{
    for (const char *tool : {"pdftotext", "pdffonts", "pdftoppm"})
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            QSKIP("poppler-utils is not installed");
}

void tst_monthreport::onPaper_data()
{
    QTest::addColumn<QList<PlayRecord>>("log");
    QTest::addColumn<QDate>("month");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("texts"); // on the page
    QTest::addColumn<QList<int>>("bands");  // whose colours are on the page

    QTest::newRow("a busy month") << playsOn("2026/12/01", 2, "数字記憶") + playsOn("2026/12/02", 4, "アイコン衰弱")
            + playsOn("2026/12/03", 6, "バラバラ記憶") + playsOn("2026/12/04", 8, "追跡記憶")
            + playsOn("2026/12/05", 10, "画像記憶") + playsOn("2026/12/06", 12, "輪廻記憶")
                                  << QDate(2026, 12, 1) << "山田花子"
                                  << QStringList{"2026年12月の記録", "山田花子 さん", "数字記憶",
                                                 "バラバラ記憶",     "12回",          "10超：1日",
                                                 "日別のプレイ回数"}
                                  << QList<int>{1, 2, 3, 4, 5, 6};
    QTest::newRow("an item no game has, no name")
        << playsOn("2026/11/20", 1, "将棋") << QDate(2026, 11, 1) << ""
        << QStringList{"2026年11月の記録", "その他", "1-2回：1日"} << QList<int>{1};
    // A name of sixty characters (the longest the edit screen takes) is cut
    // short with "…" rather than run over the title.
    QTest::newRow("a long name") << playsOn("2026/12/02", 1, "数字記憶") << QDate(2026, 12, 1)
                                 << QString(60, QChar(0x3042))
                                 << QStringList{"2026年12月の記録", QString(10, QChar(0x3042)), "… さん"}
                                 << QList<int>{1};
    QTest::newRow("a month without plays")
        << playsOn("2026/12/01", 1, "数字記憶") << QDate(2026, 10, 1) << "山田"
        << QStringList{"2026年10月の記録", "この月のプレイはありません。", "0回：31日"} << QList<int>{};
}

void tst_monthreport::onPaper()
{
    QFETCH(QList<PlayRecord>, log);
    QFETCH(QDate, month);
    QFETCH(QString, name);
    QFETCH(QStringList, texts);
    QFETCH(QList<int>, bands);

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    {
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(monthReportPdf(monthFigures(log, month, QDate(2026, 12, 7)), name, QDate(2026, 12, 7)));
    }

    // Every text as the viewer extracts it (line breaks and spacing aside).
    const QString text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).simplified();
    for (const QString &t : texts)
        QVERIFY2(text.contains(t), qPrintable(t + QStringLiteral(" not in: ") + text));
    if (name.isEmpty())
        QVERIFY(!text.contains(QStringLiteral("さん")));

    // The Japanese face is in the file: the page reads the same on a computer without it.
    const QStringList fonts = run(QStringLiteral("pdffonts"), {pdf}).split(QLatin1Char('\n'));
    bool embedded = false;
    for (const QString &line : fonts)
        if (line.contains(QLatin1String("IPA")) && line.simplified().split(QLatin1Char(' ')).value(4) == "yes")
            embedded = true;
    QVERIFY2(embedded, qPrintable(fonts.join(QLatin1Char('\n'))));

    // One A4 page (210 × 297 mm) with the bands' colours on it.
    bool rendered = false;
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QStringLiteral("36"), QStringLiteral("-png"), pdf, dir.filePath(QStringLiteral("page"))},
        &rendered);
    QVERIFY(rendered);
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("page-2.png"))));
    const QImage page = QImage(dir.filePath(QStringLiteral("page-1.png"))).convertToFormat(QImage::Format_RGB32);
    QVERIFY(!page.isNull());
    QVERIFY(qAbs(double(page.width()) / page.height() - 210.0 / 297.0) < 0.01);
    for (int b = 1; b < kCalendarBands; ++b)
        QCOMPARE(holdsColour(page, QRgb(bandColor(b))), bands.contains(b));
}

// A player whose desktop is dark still gets a page as white as paper: the
// charts do not take the desktop's dark colours into the report.
void tst_monthreport::paperUnderADarkDesktop()
{
    const DesktopLook before = setDesktopLook(QStringLiteral("Fusion"), darkDesktopPalette());
    const MonthFigures figures =
        monthFigures(playsOn("2026/12/01", 3, "数字記憶"), QDate(2026, 12, 1), QDate(2026, 12, 7));
    QImage page(794, 1123, QImage::Format_RGB32);
    page.setDotsPerMeterX(3780);
    page.setDotsPerMeterY(3780);
    page.fill(Qt::white);
    {
        QPainter p(&page);
        p.translate(57, 57);
        paintMonthReport(p, figures, QStringLiteral("山田"), QDate(2026, 12, 7), 680, 1010);
    }
    restoreDesktopLook(before);
    qint64 dark = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 96)
                ++dark;
    // Text, rules and bars only: a dark chart ground alone would be a tenth of the page.
    QVERIFY2(dark < page.width() * page.height() / 50, qPrintable(QString::number(dark)));
}

QTEST_MAIN(tst_monthreport)
#include "tst_monthreport.moc"
