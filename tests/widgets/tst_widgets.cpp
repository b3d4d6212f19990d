#include "core/clock.h"
#include "testing/fakeclock.h"
#include "testsupport.h"
#include "widgets/backcolor.h"
#include "widgets/flexgrid.h"
#include "widgets/helpviewer.h"
#include "widgets/messages.h"
#include "widgets/monthcalendar.h"
#include "widgets/pictures.h"
#include "widgets/shape.h"
#include "widgets/wait.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTableView>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

using namespace kioku;

class TestWidgets : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    void colouredSurfacesReadUnderAnyPalette_data();
    void colouredSurfacesReadUnderAnyPalette();

    void calendarDateClickOnlyFromTheUser();

    void qtMessageBoxHasJapaneseButtons_data();
    void qtMessageBoxHasJapaneseButtons();
    void qtMessageBoxKeepsEachLineWhole();
    void qtMessageBoxGoesWithItsWindow();

    void helpViewerShowsTheShiftJisDocument();
    void helpViewerOpensOncePerOwnerAndClosesAll();

    void waitRunsTheWholeTimeUnlessStopped();
    void waitEndsWhenTheGuardIsDeleted();
    void waitOnTheSystemClockEndsWhenTheGuardGoes();

    void shapeIsFilled();
    void picturesFillTheirSizeAndDiffer();
};

void TestWidgets::cleanup()
{
    HelpViewer::closeAll();
}

// --- month calendar ----------------------------------------------------------

void TestWidgets::calendarDateClickOnlyFromTheUser()
{
    MonthCalendar cal;
    cal.resize(320, 240);
    QSignalSpy spy(&cal, &MonthCalendar::dateClick);
    cal.setValue(QDate(2026, 12, 7));
    cal.setValue(QDate()); // an invalid date changes nothing
    QCOMPARE(cal.value(), QDate(2026, 12, 7));
    QCOMPARE(spy.count(), 0);
    cal.clickDate(QDate(2026, 12, 24));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(cal.value(), QDate(2026, 12, 24));

    // A real mouse click on the 15th of the month shown, in a week from Sunday (日) to Saturday (土).
    cal.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cal));
    auto *view = cal.findChild<QTableView *>();
    QAbstractItemModel *m = view->model();
    QCOMPARE(m->data(m->index(0, 0)).toString(), QStringLiteral("日"));
    QCOMPARE(m->data(m->index(0, 6)).toString(), QStringLiteral("土"));
    QModelIndex fifteenth;
    for (int r = 0; r < m->rowCount() && !fifteenth.isValid(); ++r)
        for (int c = 0; c < m->columnCount(); ++c)
            if (m->data(m->index(r, c)).toString() == QLatin1String("15"))
                fifteenth = m->index(r, c);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(fifteenth).center());
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toDate(), QDate(2026, 12, 15));
}
// --- messages ----------------------------------------------------------------

void TestWidgets::qtMessageBoxHasJapaneseButtons_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QString>("press"); // a button's text, or "Enter" for the default button
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QString>("defaultLabel");
    QTest::addColumn<int>("answer");
    const QStringList both = {"OK", "キャンセル"};
    QTest::newRow("OK only") << int(MsgButtons::Ok) << "OK" << QStringList({"OK"}) << "OK" << int(MsgAnswer::Ok);
    QTest::newRow("OK pressed") << int(MsgButtons::OkCancel) << "OK" << both << "OK" << int(MsgAnswer::Ok);
    QTest::newRow("Cancel pressed") << int(MsgButtons::OkCancel) << "キャンセル" << both << "OK"
                                    << int(MsgAnswer::Cancel);
    QTest::newRow("Enter on a question") << int(MsgButtons::OkCancel) << "Enter" << both << "OK" << int(MsgAnswer::Ok);
    // A question whose OK gives something up keeps things as they are on Enter.
    QTest::newRow("Enter, Cancel first") << int(MsgButtons::OkCancelDefaultCancel) << "Enter" << both << "キャンセル"
                                         << int(MsgAnswer::Cancel);
    QTest::newRow("OK pressed, Cancel first")
        << int(MsgButtons::OkCancelDefaultCancel) << "OK" << both << "キャンセル" << int(MsgAnswer::Ok);
}

void TestWidgets::qtMessageBoxHasJapaneseButtons()
{
    QFETCH(int, buttons);
    QFETCH(QString, press);
    QFETCH(QStringList, labels);
    QFETCH(QString, defaultLabel);
    QFETCH(int, answer);
    QWidget owner;
    owner.show();
    QStringList seen;
    QString text, title, defaultSeen;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        text = box->text();
        title = box->windowTitle();
        for (QAbstractButton *b : box->buttons())
            seen << b->text();
        if (box->defaultButton())
            defaultSeen = box->defaultButton()->text();
        if (press == QLatin1String("Enter"))
            QTest::keyClick(box, Qt::Key_Return);
        for (QAbstractButton *b : box->buttons())
            if (b->text() == press)
                b->click();
    });
    QtMessageService s;
    const MsgAnswer a =
        s.show(&owner, QStringLiteral("一行目\r\n二行目"), QStringLiteral("題"), MsgButtons(buttons), MsgIcon::Warning);
    seen.sort();
    labels.sort();
    QCOMPARE(seen, labels);
    QCOMPARE(defaultSeen, defaultLabel);
    QCOMPARE(title, QStringLiteral("題"));
    QCOMPARE(text, QStringLiteral("一行目\n二行目"));
    QCOMPARE(int(a), answer);
}

// A window closed while its question is open takes the box with it: the
// question counts as cancelled and nothing is deleted twice.
void TestWidgets::qtMessageBoxGoesWithItsWindow()
{
    auto *owner = new QWidget;
    owner->show();
    QTimer::singleShot(0, this, [owner] { delete owner; });
    QtMessageService s;
    QCOMPARE(s.show(owner, QStringLiteral("削除します。よろしいですか？"), QStringLiteral("クリア確認"),
                    MsgButtons::OkCancel, MsgIcon::Warning),
             MsgAnswer::Cancel);
}

// A long Japanese line is not broken in the middle of a word: the box is made
// wide enough for its longest line (as far as the screen allows), while a short
// message keeps a small box.
void TestWidgets::qtMessageBoxKeepsEachLineWhole()
{
    const QString longLine =
        QStringLiteral("ソラミルプロジェクトを使って身体の健康だけでなく脳の健康にも気を配りましょう！（続きの文）");
    const auto box = QtMessageService::createBox(nullptr, QStringLiteral("一行目\r\n") + longLine, QStringLiteral("題"),
                                                 MsgButtons::Ok, MsgIcon::Information);
    auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    QVERIFY(label);
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box.get()));
    QCOMPARE(label->text(), QStringLiteral("一行目\n") + longLine);
    const int needed = label->fontMetrics().horizontalAdvance(longLine);
    const int screenWidth = box->screen()->availableGeometry().width();
    // A plain QMessageBox wraps at 500 pixels or less, whatever the screen.
    QVERIFY2(label->width() >= qMin(needed, 500),
             qPrintable(QStringLiteral("%1 < %2").arg(label->width()).arg(needed)));
    QVERIFY(box->width() <= screenWidth);

    const auto small = QtMessageService::createBox(nullptr, QStringLiteral("保存が終了しました"),
                                                   QStringLiteral("保存終了"), MsgButtons::Ok, MsgIcon::Information);
    small->show();
    QVERIFY(QTest::qWaitForWindowExposed(small.get()));
    QVERIFY(small->width() < box->width());
}

// --- help viewer -------------------------------------------------------------

namespace {

QByteArray helpDocument()
{
    return sjisLines({QStringLiteral("<html><head><meta charset=\"Shift_JIS\"><title>ヘルプ</title></head><body>"),
                      QStringLiteral("<h1>ソラミルプロジェクト３ ヘルプ</h1><p>段落 ①～</p></body></html>")});
}

} // namespace

void TestWidgets::helpViewerShowsTheShiftJisDocument()
{
    TempDataDir dir;
    QWidget owner;
    // With none in the working folder, the document the program ships is shown.
    HelpViewer *shipped = HelpViewer::open(new QWidget(&owner), QStringLiteral("SoramiruHelp.html"));
    QVERIFY(!shipped->browser()->toPlainText().contains(QStringLiteral("見つかりません")));
    QVERIFY(dir.write(QStringLiteral("SoramiruHelp.html"), helpDocument()));
    // The name is matched without regard to letter case.
    HelpViewer *v = HelpViewer::open(&owner, QStringLiteral("soramiruhelp.HTML"));
    QCOMPARE(v->windowTitle(), QStringLiteral("ソラミルプロジェクト３ ヘルプ"));
    QVERIFY(v->browser()->toPlainText().contains(QStringLiteral("段落 ①～")));
    // A missing document is said so in the viewer.
    HelpViewer *missing = HelpViewer::open(new QWidget(&owner), QStringLiteral("ないヘルプ.html"));
    QVERIFY(missing->browser()->toPlainText().contains(QStringLiteral("見つかりません")));
}

void TestWidgets::helpViewerOpensOncePerOwnerAndClosesAll()
{
    TempDataDir dir;
    QVERIFY(dir.write(QStringLiteral("SoramiruHelp.html"), helpDocument()));
    QWidget owner1;
    auto *owner2 = new QWidget;
    QPointer<HelpViewer> a = HelpViewer::open(&owner1, QStringLiteral("SoramiruHelp.html"));
    QCOMPARE(HelpViewer::open(&owner1, QStringLiteral("SoramiruHelp.html")), a.data());
    QPointer<HelpViewer> b = HelpViewer::open(owner2, QStringLiteral("SoramiruHelp.html"));
    QCOMPARE(HelpViewer::openCount(), 2);
    delete owner2; // a viewer goes with its owner
    QVERIFY(b.isNull());
    QCOMPARE(HelpViewer::openCount(), 1);
    HelpViewer::closeAll();
    QCOMPARE(HelpViewer::openCount(), 0);
    QVERIFY(a.isNull());

    // A viewer the user closed is no longer counted.
    QPointer<HelpViewer> c = HelpViewer::open(&owner1, QStringLiteral("SoramiruHelp.html"));
    c->close();
    QTRY_VERIFY(c.isNull());
    QCOMPARE(HelpViewer::openCount(), 0);
}

// --- waiting -----------------------------------------------------------------

void TestWidgets::waitRunsTheWholeTimeUnlessStopped()
{
    FakeClock clock;
    QObject guard;
    const qint64 start = clock.elapsedNs();
    QVERIFY(waitFor(clock, &guard, 1500));
    QVERIFY(clock.elapsedNs() - start >= 1500 * 1000000LL);

    // Already stopped: no waiting at all; stopped during the first wait: ends there.
    const int before = clock.waits();
    QVERIFY(!waitFor(clock, &guard, 30000, [] { return true; }));
    QCOMPARE(clock.waits(), before);
    bool stop = false;
    clock.onWait = [&](double) { stop = true; };
    QVERIFY(!waitFor(clock, &guard, 30000, [&] { return stop; }));
    QCOMPARE(clock.waits(), before + 1);
}

void TestWidgets::waitEndsWhenTheGuardIsDeleted()
{
    FakeClock clock;
    auto *guard = new QWidget;
    QPointer<QWidget> watch = guard;
    clock.onWait = [&](double) { delete watch.data(); };
    QVERIFY(!waitFor(clock, guard, 30000));
    QVERIFY(watch.isNull());
    QVERIFY(clock.wakes() >= 1);
}

void TestWidgets::waitOnTheSystemClockEndsWhenTheGuardGoes()
{
    SystemClock clock;
    auto *guard = new QWidget;
    QPointer<QWidget> watch = guard;
    QTimer::singleShot(20, guard, &QObject::deleteLater);
    const qint64 start = clock.elapsedNs();
    QVERIFY(!waitFor(clock, guard, 60000));
    QVERIFY(watch.isNull());
    QVERIFY(clock.elapsedNs() - start < 30000 * 1000000LL);

    QObject keeper;
    QVERIFY(waitFor(clock, &keeper, 5));
}

// --- shapes and pictures -----------------------------------------------------

void TestWidgets::shapeIsFilled()
{
    const QColor lightRed(255, 192, 192);
    for (auto kind : {Shape::Kind::Rectangle, Shape::Kind::RoundedRectangle, Shape::Kind::Circle}) {
        Shape s{kind};
        s.resize(40, 30);
        s.setFillColor(lightRed);
        s.setBorderColor(Qt::black);
        s.setBorderWidth(2);
        const QImage img = s.grab().toImage();
        QCOMPARE(img.pixelColor(20, 15), lightRed);
        if (kind == Shape::Kind::Rectangle)
            QCOMPARE(img.pixelColor(0, 15), QColor(Qt::black));
    }
}

void TestWidgets::picturesFillTheirSizeAndDiffer()
{
    QList<QPixmap> all;
    for (int f = 0; f < 4; ++f)
        all << pictures::face(pictures::Face(f), 96);
    for (int i = 1; i <= 3; ++i)
        all << pictures::countdown(i, 96);
    for (int i = 1; i <= 8; ++i)
        all << pictures::gameIcon(i, 96);
    all << pictures::appIcon(96);
    for (int i = 0; i < all.size(); ++i) {
        QCOMPARE(all.at(i).deviceIndependentSize().toSize(), QSize(96, 96));
        for (int j = 0; j < i; ++j)
            QVERIFY2(all.at(i).toImage() != all.at(j).toImage(), qPrintable(QStringLiteral("%1 == %2").arg(i).arg(j)));
    }
}

void TestWidgets::colouredSurfacesReadUnderAnyPalette_data()
{
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QColor>("back");
    // The colours the windows give: lamps and rating, answers judged, the
    // selected view and 全部表示, and a dark one for good measure.
    for (bool dark : {false, true}) {
        const char *palette = dark ? "dark desktop" : "light desktop";
        for (const QColor &c : {QColor(192, 255, 192), QColor(255, 192, 192), QColor(192, 255, 255),
                                QColor(255, 255, 192), QColor(255, 192, 255), QColor(192, 0, 0)})
            QTest::addRow("%s, %s", palette, qPrintable(c.name())) << dark << c;
    }
}

void TestWidgets::colouredSurfacesReadUnderAnyPalette()
{
    // A surface the program colours carries its own text colour: under a dark
    // desktop palette (white text) a pastel label must not keep white text.
    QFETCH(bool, dark);
    QFETCH(QColor, back);
    const QPalette before = QApplication::palette();
    if (dark) {
        QPalette p;
        p.setColor(QPalette::Window, QColor(40, 40, 40));
        p.setColor(QPalette::WindowText, Qt::white);
        p.setColor(QPalette::Button, QColor(50, 50, 50));
        p.setColor(QPalette::ButtonText, Qt::white);
        p.setColor(QPalette::Base, QColor(30, 30, 30));
        p.setColor(QPalette::Text, Qt::white);
        QApplication::setPalette(p);
    }
    QLabel label(QStringLiteral("4 種類の脳刺激"));
    QPushButton button(QStringLiteral("記憶数"));
    for (QWidget *w : {static_cast<QWidget *>(&label), static_cast<QWidget *>(&button)}) {
        kioku::setBackColor(w, back);
        QCOMPARE(kioku::backColor(w), back); // the colour given stays exactly as it is
        const QPalette::ColorRole text = w == &label ? QPalette::WindowText : QPalette::ButtonText;
        QVERIFY2(kioku::contrastRatio(w->palette().color(text), back) >= 4.5, qPrintable(w->metaObject()->className()));
    }
    kioku::FlexGrid grid;
    grid.setColumns({kioku::GridColumn{QStringLiteral("日"), 600}});
    grid.setDataRows({{QStringLiteral("7")}});
    grid.setCellBackColor(1, 0, back);
    const QColor fore = grid.model()->index(0, 0).data(Qt::ForegroundRole).value<QColor>();
    QVERIFY(kioku::contrastRatio(fore, back) >= 4.5);
    QApplication::setPalette(before);
}

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
