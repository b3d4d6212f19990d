#include "core/clock.h"
#include "testsupport.h"
#include "widgets/appcontext.h"
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
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTextBrowser>
#include <QTextCharFormat>
#include <QTimer>
#include <QtTest>

using namespace kioku;

class TestWidgets : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    void calendarIsJapaneseFromSunday();
    void calendarDateClickOnlyFromTheUser();

    void scriptedMessagesRecordAndAnswer();
    void qtMessageBoxHasJapaneseButtons_data();
    void qtMessageBoxHasJapaneseButtons();
    void qtMessageBoxKeepsEachLineWhole();
    void helpTourShowsOnlyWhenOn_data();
    void helpTourShowsOnlyWhenOn();

    void helpViewerShowsTheShiftJisDocument();
    void helpViewerFollowsAnchors();
    void helpViewerOpensOncePerOwnerAndClosesAll();
    void helpViewerClosesWithItsOwner();
    void helpViewerWithoutTheFileSaysSo();

    void waitRunsTheWholeTime();
    void waitEndsWhenStopHolds();
    void waitEndsWhenTheGuardIsDeleted();
    void waitEndsWhenTheGuardIsDeletedLater();
    void waitOnTheSystemClockEndsWhenTheGuardGoes();

    void shapeIsFilled_data();
    void shapeIsFilled();
    void picturesHaveTheirSize_data();
    void picturesHaveTheirSize();
    void facesDiffer();
};

void TestWidgets::cleanup()
{
    HelpViewer::closeAll();
}

// --- month calendar ----------------------------------------------------------

void TestWidgets::calendarIsJapaneseFromSunday()
{
    MonthCalendar cal;
    QCOMPARE(cal.firstDayOfWeek(), Qt::Sunday);
    QCOMPARE(cal.locale().language(), QLocale::Japanese);
    QCOMPARE(cal.verticalHeaderFormat(), QCalendarWidget::NoVerticalHeader);
    const QColor sat = cal.weekdayTextFormat(Qt::Saturday).foreground().color();
    const QColor sun = cal.weekdayTextFormat(Qt::Sunday).foreground().color();
    QVERIFY2(sat.blue() > sat.red(), "Saturday is blue");
    QVERIFY2(sun.red() > sun.blue(), "Sunday is red");
    // The week is laid out from Sunday to Saturday with Japanese day names.
    auto *view = cal.findChild<QTableView *>();
    QVERIFY(view);
    QCOMPARE(view->model()->data(view->model()->index(0, 0)).toString(), QStringLiteral("日"));
    QCOMPARE(view->model()->data(view->model()->index(0, 6)).toString(), QStringLiteral("土"));

    cal.setValue(QDate(2026, 12, 7));
    QCOMPARE(cal.value(), QDate(2026, 12, 7));
    QCOMPARE(cal.monthShown(), 12);
    cal.setValue(QDate()); // an invalid date changes nothing
    QCOMPARE(cal.value(), QDate(2026, 12, 7));
}

void TestWidgets::calendarDateClickOnlyFromTheUser()
{
    MonthCalendar cal;
    cal.resize(320, 240);
    QSignalSpy spy(&cal, &MonthCalendar::dateClick);
    cal.setValue(QDate(2026, 12, 7));
    cal.setValue(QDate(2026, 11, 3));
    QCOMPARE(spy.count(), 0);

    cal.clickDate(QDate(2026, 12, 24));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toDate(), QDate(2026, 12, 24));
    QCOMPARE(cal.value(), QDate(2026, 12, 24));

    // A real mouse click on the 15th of the month shown.
    cal.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cal));
    auto *view = cal.findChild<QTableView *>();
    QVERIFY(view);
    QModelIndex fifteenth;
    QAbstractItemModel *m = view->model();
    for (int r = 0; r < m->rowCount() && !fifteenth.isValid(); ++r)
        for (int c = 0; c < m->columnCount(); ++c)
            if (m->data(m->index(r, c)).toString() == QLatin1String("15"))
                fifteenth = m->index(r, c);
    QVERIFY(fifteenth.isValid());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(fifteenth).center());
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toDate(), QDate(2026, 12, 15));
    QCOMPARE(cal.value(), QDate(2026, 12, 15));
}

// --- messages ----------------------------------------------------------------

void TestWidgets::scriptedMessagesRecordAndAnswer()
{
    ScriptedMessageService s;
    QStringList seenWhileOpen;
    s.onShow = [&](const ShownMessage &m) { seenWhileOpen << m.title; };
    s.answerNext(MsgAnswer::Cancel);
    QVERIFY(!s.ask(nullptr, QStringLiteral("履歴データをクリアします。よろしいですか？"),
                   QStringLiteral("クリア確認")));
    QVERIFY(s.ask(nullptr, QStringLiteral("もう一度"), QStringLiteral("確認"))); // empty queue: OK
    s.answerNext(MsgAnswer::Cancel);
    s.info(nullptr, QStringLiteral("履歴データをクリアしました"), QStringLiteral("クリア終了"));
    s.warn(nullptr, QStringLiteral("警告"), QStringLiteral("注意"));

    QCOMPARE(s.shown.size(), 4);
    QCOMPARE(s.shown.at(0).text, QStringLiteral("履歴データをクリアします。よろしいですか？"));
    QCOMPARE(s.shown.at(0).title, QStringLiteral("クリア確認"));
    QCOMPARE(s.shown.at(0).buttons, MsgButtons::OkCancel);
    QCOMPARE(s.shown.at(0).icon, MsgIcon::Warning);
    QCOMPARE(s.shown.at(2).buttons, MsgButtons::Ok);
    QCOMPARE(s.shown.at(2).icon, MsgIcon::Information);
    QCOMPARE(s.shown.at(3).icon, MsgIcon::Warning);
    QCOMPARE(seenWhileOpen, QStringList({"クリア確認", "確認", "クリア終了", "注意"}));
    // The information and warning boxes left the queued Cancel for the next question.
    QVERIFY(!s.ask(nullptr, QStringLiteral("x"), QStringLiteral("y")));
    QVERIFY(s.ask(nullptr, QStringLiteral("x"), QStringLiteral("y")));
}

void TestWidgets::qtMessageBoxHasJapaneseButtons_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<bool>("pressCancel");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<int>("answer");
    QTest::newRow("OK only") << int(MsgButtons::Ok) << false << QStringList({"OK"}) << int(MsgAnswer::Ok);
    QTest::newRow("OK pressed") << int(MsgButtons::OkCancel) << false
                                << QStringList({"OK", "キャンセル"}) << int(MsgAnswer::Ok);
    QTest::newRow("Cancel pressed") << int(MsgButtons::OkCancel) << true
                                    << QStringList({"OK", "キャンセル"}) << int(MsgAnswer::Cancel);
}

void TestWidgets::qtMessageBoxHasJapaneseButtons()
{
    QFETCH(int, buttons);
    QFETCH(bool, pressCancel);
    QFETCH(QStringList, labels);
    QFETCH(int, answer);
    QWidget owner;
    owner.show();
    QStringList seen;
    QString text, title;
    bool okIsDefault = false;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        text = box->text();
        title = box->windowTitle();
        for (QAbstractButton *b : box->buttons())
            seen << b->text();
        okIsDefault = box->defaultButton() && box->defaultButton()->text() == QLatin1String("OK");
        for (QAbstractButton *b : box->buttons())
            if (b->text() == (pressCancel ? QStringLiteral("キャンセル") : QStringLiteral("OK")))
                b->click();
    });
    QtMessageService s;
    const MsgAnswer a = s.show(&owner, QStringLiteral("一行目\r\n二行目"), QStringLiteral("題"),
                               MsgButtons(buttons), MsgIcon::Warning);
    seen.sort();
    labels.sort();
    QCOMPARE(seen, labels);
    QVERIFY(okIsDefault);
    QCOMPARE(title, QStringLiteral("題"));
    QCOMPARE(text, QStringLiteral("一行目\n二行目"));
    QCOMPARE(int(a), answer);
}

// A long Japanese line is not broken in the middle of a word: the box is made
// wide enough for its longest line (as far as the screen allows), while a short
// message keeps a small box.
void TestWidgets::qtMessageBoxKeepsEachLineWhole()
{
    const QString longLine = QStringLiteral("ソラミルプロジェクトを使って身体の健康だけでなく脳の健康にも気を配りましょう！（続きの文）");
    const auto box = QtMessageService::createBox(nullptr, QStringLiteral("一行目\r\n") + longLine,
                                                 QStringLiteral("題"), MsgButtons::Ok, MsgIcon::Information);
    auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    QVERIFY(label);
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box.get()));
    QCOMPARE(label->text(), QStringLiteral("一行目\n") + longLine);
    const int needed = label->fontMetrics().horizontalAdvance(longLine);
    const int screenWidth = box->screen()->availableGeometry().width();
    // A plain QMessageBox wraps at 500 pixels or less, whatever the screen.
    QVERIFY2(label->width() >= qMin(needed, 500), qPrintable(QStringLiteral("%1 < %2").arg(label->width()).arg(needed)));
    QVERIFY(box->width() <= screenWidth);

    const auto small = QtMessageService::createBox(nullptr, QStringLiteral("保存が終了しました"),
                                                   QStringLiteral("保存終了"), MsgButtons::Ok, MsgIcon::Information);
    small->show();
    QVERIFY(QTest::qWaitForWindowExposed(small.get()));
    QVERIFY(small->width() < box->width());
}

void TestWidgets::helpTourShowsOnlyWhenOn_data()
{
    QTest::addColumn<int>("on");
    QTest::addColumn<int>("shown");
    QTest::newRow("on") << 1 << 1;
    QTest::newRow("off") << 0 << 0;
}

void TestWidgets::helpTourShowsOnlyWhenOn()
{
    QFETCH(int, on);
    QFETCH(int, shown);
    ScriptedMessageService s;
    AppContext ctx;
    ctx.messages = &s;
    ctx.helpTourOn = on;
    ctx.helpTourText = QStringLiteral("このゲームは『数字記憶』です。\r\n\r\n");
    ctx.showHelpTour(nullptr);
    QCOMPARE(s.shown.size(), shown);
    if (shown) {
        QCOMPARE(s.shown.at(0).title, QStringLiteral("ヘルプツアー"));
        QCOMPARE(s.shown.at(0).text, ctx.helpTourText);
        QCOMPARE(s.shown.at(0).buttons, MsgButtons::Ok);
        QCOMPARE(s.shown.at(0).icon, MsgIcon::Information);
    }
}

// --- help viewer -------------------------------------------------------------

namespace {

QByteArray helpDocument()
{
    QStringList lines;
    lines << QStringLiteral("<html><head><meta charset=\"Shift_JIS\"><title>ヘルプ</title></head><body>")
          << QStringLiteral("<h1><a name=\"top\"></a>ソラミルプロジェクト３ ヘルプ</h1>")
          << QStringLiteral("<p><a href=\"#last\">最後の項目へ</a></p>");
    for (int i = 0; i < 200; ++i)
        lines << QStringLiteral("<p>段落 %1 ①～</p>").arg(i);
    lines << QStringLiteral("<h2><a name=\"last\"></a>最後の項目</h2><p>おわり</p></body></html>");
    return sjisLines(lines);
}

} // namespace

void TestWidgets::helpViewerShowsTheShiftJisDocument()
{
    TempDataDir dir;
    QVERIFY(dir.write(QStringLiteral("SoramiruHelp.html"), helpDocument()));
    QWidget owner;
    owner.show();
    // The name is matched without regard to letter case.
    HelpViewer *v = HelpViewer::open(&owner, QStringLiteral("soramiruhelp.HTML"));
    QVERIFY(v);
    QVERIFY(v->isWindow());
    QCOMPARE(v->windowTitle(), QStringLiteral("ソラミルプロジェクト３ ヘルプ"));
    const QString text = v->browser()->toPlainText();
    QVERIFY2(text.contains(QStringLiteral("ソラミルプロジェクト３ ヘルプ")), qPrintable(text.left(200)));
    QVERIFY(text.contains(QStringLiteral("段落 3 ①～")));
    QCOMPARE(v->browser()->verticalScrollBar()->value(), 0);
    QCOMPARE(HelpViewer::openCount(), 1);
}

void TestWidgets::helpViewerFollowsAnchors()
{
    TempDataDir dir;
    QVERIFY(dir.write(QStringLiteral("SoramiruHelp.html"), helpDocument()));
    QWidget owner;
    owner.show();
    HelpViewer *v = HelpViewer::open(&owner, QStringLiteral("SoramiruHelp.html"));
    QVERIFY(QTest::qWaitForWindowExposed(v));
    QTextBrowser *b = v->browser();
    QScrollBar *sb = b->verticalScrollBar();
    QTRY_VERIFY(sb->maximum() > 0);
    QCOMPARE(sb->value(), 0);
    // Tab moves to the link, Return follows it, as the keyboard user would.
    b->setFocus();
    QTest::keyClick(b, Qt::Key_Tab);
    QTest::keyClick(b, Qt::Key_Return);
    QTRY_VERIFY(sb->value() > 0);
    QVERIFY(b->source().fileName().compare(QStringLiteral("SoramiruHelp.html"), Qt::CaseInsensitive) == 0);
    QCOMPARE(b->source().fragment(), QStringLiteral("last"));
    QVERIFY(b->toPlainText().contains(QStringLiteral("おわり")));
}

void TestWidgets::helpViewerOpensOncePerOwnerAndClosesAll()
{
    TempDataDir dir;
    QVERIFY(dir.write(QStringLiteral("SoramiruHelp.html"), helpDocument()));
    QWidget owner1, owner2;
    HelpViewer *a = HelpViewer::open(&owner1, QStringLiteral("SoramiruHelp.html"));
    HelpViewer *again = HelpViewer::open(&owner1, QStringLiteral("SoramiruHelp.html"));
    QCOMPARE(again, a);
    QPointer<HelpViewer> b = HelpViewer::open(&owner2, QStringLiteral("SoramiruHelp.html"));
    QPointer<HelpViewer> pa = a;
    QCOMPARE(HelpViewer::openCount(), 2);
    HelpViewer::closeAll();
    QCOMPARE(HelpViewer::openCount(), 0);
    QVERIFY(pa.isNull());
    QVERIFY(b.isNull());
    HelpViewer::closeAll(); // nothing left to close

    // A viewer the user closed is no longer counted.
    QPointer<HelpViewer> c = HelpViewer::open(&owner1, QStringLiteral("SoramiruHelp.html"));
    c->close();
    QTRY_VERIFY(c.isNull());
    QCOMPARE(HelpViewer::openCount(), 0);
}

void TestWidgets::helpViewerClosesWithItsOwner()
{
    TempDataDir dir;
    QVERIFY(dir.write(QStringLiteral("SoramiruHelp.html"), helpDocument()));
    auto *owner = new QWidget;
    QPointer<HelpViewer> v = HelpViewer::open(owner, QStringLiteral("SoramiruHelp.html"));
    QCOMPARE(HelpViewer::openCount(), 1);
    delete owner;
    QVERIFY(v.isNull());
    QCOMPARE(HelpViewer::openCount(), 0);
}

void TestWidgets::helpViewerWithoutTheFileSaysSo()
{
    TempDataDir dir;
    QWidget owner;
    HelpViewer *v = HelpViewer::open(&owner, QStringLiteral("ないヘルプ.html"));
    QVERIFY(v);
    QVERIFY(v->browser()->toPlainText().contains(QStringLiteral("見つかりません")));

    // The document the program ships is shown when the working folder has none.
    HelpViewer *shipped = HelpViewer::open(&owner, QStringLiteral("SoramiruHelp.html"));
    if (shipped->browser()->toPlainText().contains(QStringLiteral("見つかりません")))
        QSKIP("no help document is shipped");
    QVERIFY(shipped->browser()->toPlainText().contains(QStringLiteral("ヘルプ")));
}

// --- waiting -----------------------------------------------------------------

void TestWidgets::waitRunsTheWholeTime()
{
    FakeClock clock;
    QObject guard;
    const qint64 start = clock.elapsedNs();
    QVERIFY(waitFor(clock, &guard, 1500));
    QVERIFY(clock.elapsedNs() - start >= 1500 * 1000000LL);
    QVERIFY(waitFor(clock, nullptr, 10)); // nothing to guard
    QVERIFY(waitFor(clock, &guard, 0));
}

void TestWidgets::waitEndsWhenStopHolds()
{
    FakeClock clock;
    QObject guard;
    bool stop = false;
    clock.onWait = [&](double) { stop = true; };
    QVERIFY(!waitFor(clock, &guard, 30000, [&] { return stop; }));
    // Already stopped: no waiting at all.
    const int before = clock.waits();
    QVERIFY(!waitFor(clock, &guard, 30000, [] { return true; }));
    QCOMPARE(clock.waits(), before);
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

void TestWidgets::waitEndsWhenTheGuardIsDeletedLater()
{
    FakeClock clock;
    auto *guard = new QObject;
    QPointer<QObject> watch = guard;
    clock.onWait = [&](double) {
        if (watch)
            watch->deleteLater();
    };
    const bool whole = waitFor(clock, guard, 3000);
    // Whether the deferred deletion ran inside the wait or not, the answer matches it.
    QCOMPARE(whole, !watch.isNull());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(watch.isNull());
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

void TestWidgets::shapeIsFilled_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("rectangle") << int(Shape::Kind::Rectangle);
    QTest::newRow("rounded") << int(Shape::Kind::RoundedRectangle);
    QTest::newRow("circle") << int(Shape::Kind::Circle);
}

void TestWidgets::shapeIsFilled()
{
    QFETCH(int, kind);
    Shape s{Shape::Kind(kind)};
    s.resize(40, 30);
    const QColor lightRed(255, 192, 192);
    s.setFillColor(lightRed);
    s.setBorderColor(Qt::black);
    s.setBorderWidth(2);
    QCOMPARE(s.fillColor(), lightRed);
    const QImage img = s.grab().toImage();
    QCOMPARE(img.pixelColor(20, 15), lightRed);
    if (Shape::Kind(kind) == Shape::Kind::Rectangle)
        QCOMPARE(img.pixelColor(0, 15), QColor(Qt::black));
}

void TestWidgets::picturesHaveTheirSize_data()
{
    QTest::addColumn<int>("which"); // 0..3 faces, 10..12 countdown, 20..27 icons, 30 app icon
    QTest::addColumn<int>("size");
    for (int size : {16, 48, 96}) {
        for (int f = 0; f < 4; ++f)
            QTest::addRow("face %d @%d", f, size) << f << size;
        for (int i = 1; i <= 3; ++i)
            QTest::addRow("countdown %d @%d", i, size) << 9 + i << size;
        for (int i = 1; i <= 8; ++i)
            QTest::addRow("icon %d @%d", i, size) << 19 + i << size;
        QTest::addRow("app @%d", size) << 30 << size;
    }
}

void TestWidgets::picturesHaveTheirSize()
{
    QFETCH(int, which);
    QFETCH(int, size);
    QPixmap p;
    if (which < 4)
        p = pictures::face(pictures::Face(which), size);
    else if (which < 20)
        p = pictures::countdown(which - 9, size);
    else if (which < 30)
        p = pictures::gameIcon(which - 19, size);
    else
        p = pictures::appIcon(size);
    QVERIFY(!p.isNull());
    QCOMPARE(p.deviceIndependentSize().toSize(), QSize(size, size));
    const QImage img = p.toImage();
    // Something is drawn in the middle, the corners stay clear.
    QVERIFY(img.pixelColor(img.width() / 2, img.height() / 2).alpha() > 0);
    QCOMPARE(img.pixelColor(0, 0).alpha(), 0);
}

void TestWidgets::facesDiffer()
{
    QList<QImage> seen;
    for (int f = 0; f < 4; ++f)
        seen << pictures::face(pictures::Face(f), 48).toImage();
    for (int i = 1; i <= 3; ++i)
        seen << pictures::countdown(i, 48).toImage();
    for (int i = 1; i <= 8; ++i)
        seen << pictures::gameIcon(i, 48).toImage();
    for (int i = 0; i < seen.size(); ++i)
        for (int j = i + 1; j < seen.size(); ++j)
            QVERIFY2(seen.at(i) != seen.at(j), qPrintable(QStringLiteral("%1 == %2").arg(i).arg(j)));
}

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
