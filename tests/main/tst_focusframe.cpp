// The keyboard focus shows: whichever control holds it, whether the program
// put it there (the first game button after ゲーム, ゲーム itself after the
// start) or a click did, it is drawn with the style's focus frame, and drawn
// without it once the focus has moved on; under the desktop's palette and a
// dark one.
#include "mainfixture.h"

#include "main/appsetup.h"
#include "main/memopanel.h"
#include "testing/darkpalette.h"
#include "widgets/flexgrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QtTest>

using namespace kioku;

class tst_focusFrame : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void theFocusedControlShowsIt_data();
    void theFocusedControlShowsIt();

private:
    QPalette m_defaultPalette;
};

void tst_focusFrame::initTestCase()
{
    setUpApplication();
    setDesktopLook(QStringLiteral("Fusion"), QApplication::palette());
    m_defaultPalette = QApplication::style()->standardPalette();
}

void tst_focusFrame::cleanup()
{
    setDesktopLook(QStringLiteral("Fusion"), m_defaultPalette);
}

void tst_focusFrame::theFocusedControlShowsIt_data()
{
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QString>("steps"); // buttons clicked, by objectName
    QTest::addColumn<QString>("focused");
    QTest::addColumn<QString>("elsewhere"); // where the focus then moves
    struct Row {
        const char *name, *steps, *focused, *elsewhere;
    };
    const QList<Row> rows = {
        {"ゲーム at the start", "", "cmdGame", "cmdMain"},
        {"数字記憶 after ゲーム", "cmdGame", "cmdG1", "cmdG2"},
        {"a menu button, clicked", "cmdCale", "cmdCale", "cmdGame"},
        {"an option of 集計表示, clicked", "cmdSyuukei optList2_1", "optList2_1", "cmdGame"},
        {"メモ保存, clicked", "cmdMemo cmdKizukiHozon", "cmdKizukiHozon", "cmdGame"},
    };
    for (bool dark : {false, true})
        for (const Row &r : rows)
            QTest::addRow("%s, %s", dark ? "dark" : "default", r.name)
                << dark << QString::fromLatin1(r.steps) << QString::fromLatin1(r.focused)
                << QString::fromLatin1(r.elsewhere);
}

void tst_focusFrame::theFocusedControlShowsIt()
{
    QFETCH(bool, dark);
    QFETCH(QString, steps);
    QFETCH(QString, focused);
    QFETCH(QString, elsewhere);
    setDesktopLook(QStringLiteral("Fusion"), dark ? darkDesktopPalette() : m_defaultPalette);
    MainFixture f;
    f.dir.write(QStringLiteral("データ.txt"), fixture("views.txt"));
    auto w = f.load();
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    for (const QString &name : steps.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        auto *b = w->findChild<QAbstractButton *>(name);
        QVERIFY2(b && b->isVisible(), qPrintable(name));
        QTest::mouseClick(b, Qt::LeftButton);
    }
    auto *control = w->findChild<QWidget *>(focused);
    QVERIFY(control);
    QTRY_COMPARE(QApplication::focusWidget(), control);
    QCoreApplication::processEvents();
    const QImage withFocus = control->grab().toImage();

    w->findChild<QWidget *>(elsewhere)->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(!control->hasFocus());
    QCoreApplication::processEvents();
    const QImage without = control->grab().toImage();
    QVERIFY2(withFocus != without,
             qPrintable(focused + QStringLiteral(" looks the same with the focus as without it")));
}

QTEST_MAIN(tst_focusFrame)
#include "tst_focusframe.moc"
