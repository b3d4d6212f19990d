// The windows under the desktop's default palette and under a dark one (Fusion
// with the colours KDE's Breeze Dark hands to Qt), drawn as a high-density
// screen shows them (twice the scale): every surface the program colours is
// found in the rendered pixels of the main window's panels and of each game
// window in its judged or finished state, and its text reads on it (contrast at
// least 4.5:1); the charts follow the desktop; every window fits a 2560×1600
// screen with nothing cut off, and grid columns in twips scale with the screen.
#include "../games/gamefixture.h"
#include "mainfixture.h"

#include "core/datafolder.h"
#include "main/appsetup.h"
#include "testing/controls.h"
#include "testing/darkpalette.h"
#include "widgets/answerbox.h"
#include "widgets/backcolor.h"
#include "widgets/chart.h"
#include "widgets/flexgrid.h"
#include "widgets/graphbuttons.h"
#include "widgets/helpviewer.h"
#include "widgets/messages.h"
#include "widgets/monthcalendar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QStyle>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextTable>
#include <QtTest>

#include <functional>
#include <memory>

using namespace kioku;

namespace {

// A 2560×1600 screen at twice the scale, less a desktop panel and a title bar.
constexpr int kScale = 2;
const QSize kLogicalScreen(2560 / kScale, 1600 / kScale);
constexpr int kPanelAndTitle = 48 + 32;

// A pixel counts as text when it stands out this much from its surface's back;
// the text colour found is the one that stands out most (the core of a glyph,
// pure at twice the scale, where its edges blend into the back).
constexpr double kTextPixelContrast = 2.0;

QImage grabImage(QWidget *w)
{
    QCoreApplication::processEvents();
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// What was found on one coloured surface.
struct Finding {
    QString name;
    QColor back; // the most common colour inside the surface
    QColor text; // the colour that stands out most from it
    int textPixels = 0;
};

// The coloured surfaces of one window, looked up in one rendered image.
class SurfaceCheck {
public:
    SurfaceCheck(QWidget *window, QStringList *problems) : m_window(window), m_problems(problems)
    {
        m_image = grabImage(window);
        m_dpr = m_image.devicePixelRatio();
    }

    // Every widget with a back colour of its own, the controls on a coloured
    // container, and every grid cell with a colour.
    QSet<QString> run(const QString &where)
    {
        m_where = where;
        QList<QWidget *> all = m_window->findChildren<QWidget *>();
        all.prepend(m_window);
        for (QWidget *w : std::as_const(all)) {
            if (!shown(w))
                continue;
            if (hasBackColor(w)) {
                if (wholeSurface(w))
                    checkWidget(w, backColor(w));
                else
                    checkContainer(w);
            }
            if (auto *g = qobject_cast<FlexGrid *>(w))
                checkGrid(g);
            if (auto *c = qobject_cast<Chart *>(w))
                checkChart(c);
        }
        return m_checked;
    }

private:
    bool shown(const QWidget *w) const
    {
        if (w != m_window && !w->isVisibleTo(m_window))
            return false;
        return !visibleRect(w).isEmpty();
    }
    // Whether another control lies over the middle of `r` (the game strip over the panels).
    bool covered(const QWidget *w, const QRect &r) const
    {
        if (w == m_window)
            return false;
        const QWidget *top = m_window->childAt(r.center());
        return !top || (top != w && !w->isAncestorOf(top));
    }
    // The part of `w` on screen, in the window's logical coordinates: what its
    // ancestors (a scrolled area, a frame) leave of it.
    QRect visibleRect(const QWidget *w) const
    {
        QRect r(w->mapTo(m_window, QPoint(0, 0)), w->size());
        for (const QWidget *p = w->parentWidget(); p && p != m_window; p = p->parentWidget())
            r &= QRect(p->mapTo(m_window, QPoint(0, 0)), p->size());
        return r & m_window->rect();
    }
    static bool wholeSurface(const QWidget *w)
    {
        return qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QLabel *>(w)
            || qobject_cast<const QLineEdit *>(w);
    }
    static QString textOf(const QWidget *w)
    {
        if (auto *l = qobject_cast<const QLabel *>(w))
            return l->text();
        if (auto *b = qobject_cast<const QAbstractButton *>(w))
            return b->text();
        if (auto *e = qobject_cast<const QLineEdit *>(w))
            return e->text();
        return {};
    }
    // Where the text of `w` is drawn, without its frame or a button's bevel.
    QRect inner(const QWidget *w) const
    {
        QRect r = w->rect();
        if (auto *l = qobject_cast<const QLabel *>(w))
            r = l->contentsRect().adjusted(1, 1, -1, -1);
        else if (qobject_cast<const QLineEdit *>(w))
            r = r.adjusted(3, 3, -3, -3);
        else
            r = r.adjusted(4, 4, -4, -4);
        return QRect(w->mapTo(m_window, r.topLeft()), r.size()) & visibleRect(w);
    }

    void checkWidget(QWidget *w, const QColor &back, const QString &asName = QString())
    {
        const QString name = asName.isEmpty() ? w->objectName() : asName;
        const QRect r = inner(w);
        if (r.width() < 4 || r.height() < 4 || covered(w, r))
            return;
        // Labels and text boxes are filled with the colour itself; a button
        // shades its face from top to bottom, and its text must read on every shade.
        const bool shaded = qobject_cast<QAbstractButton *>(w) && !qobject_cast<QLabel *>(w);
        const Finding f = shaded ? lookShaded(name, r, back) : look(name, r);
        if (shaded ? contrastRatio(f.back, back) > 1.15 : f.back.rgb() != back.rgb())
            fail(QStringLiteral("%1 is painted %2, not its colour %3").arg(name, f.back.name(), back.name()));
        const QColor asked = textColor(w);
        if (asked.isValid() && asked.rgb() == back.rgb()) {
            // A letter hidden in its back colour must stay hidden.
            if (f.textPixels > 0)
                fail(QStringLiteral("%1: hidden text shows (%2)").arg(name, f.text.name()));
        } else if (!textOf(w).isEmpty()) {
            expectReadable(f);
        }
        m_checked.insert(name);
    }

    // A coloured frame: the captions, checks and options on it (which have no
    // colour of their own) must read on its colour.
    void checkContainer(QWidget *frame)
    {
        const QColor back = backColor(frame);
        for (QWidget *c : frame->findChildren<QWidget *>()) {
            if (!shown(c) || hasBackColor(c) || c->autoFillBackground())
                continue;
            if (qobject_cast<QLabel *>(c) || qobject_cast<QCheckBox *>(c) || qobject_cast<QRadioButton *>(c))
                if (!textOf(c).isEmpty())
                    checkWidget(c, back, frame->objectName() + QLatin1Char('/') + c->objectName());
        }
        m_checked.insert(frame->objectName());
    }

    void checkGrid(FlexGrid *g)
    {
        QWidget *vp = g->viewport();
        const QRect view = vp->rect();
        const QColor base = g->palette().color(QPalette::Base);
        for (int r = 1; r < g->rows(); ++r) {
            for (int c = 0; c < g->cols(); ++c) {
                const QColor back = g->cellBackColor(r, c);
                const QColor fore = g->cellForeColor(r, c);
                if ((!back.isValid() && !fore.isValid()) || g->textMatrix(r, c).isEmpty())
                    continue;
                const QModelIndex index = g->model()->index(r - 1, c);
                const QRect cell = g->visualRect(index);
                if (!view.contains(cell))
                    continue; // scrolled away, or cut by the grid's edge
                const QRect in = QRect(vp->mapTo(m_window, cell.topLeft()), cell.size()).adjusted(1, 1, -2, -2);
                if (covered(vp, in))
                    continue;
                const QString name = QStringLiteral("%1(%2,%3)").arg(g->objectName()).arg(r).arg(c);
                const Finding f = look(name, in);
                // The current cell is marked in the grid's highlight instead.
                if (g->currentIndex() != index && f.back.rgb() != (back.isValid() ? back : base).rgb())
                    fail(QStringLiteral("%1 is painted %2, not %3")
                             .arg(name, f.back.name(), (back.isValid() ? back : base).name()));
                expectReadable(f);
                m_checked.insert(g->objectName());
            }
        }
    }

    // A chart is drawn on the desktop's own back colour, with texts that read.
    void checkChart(Chart *c)
    {
        const QRect r = visibleRect(c).adjusted(2, 2, -2, -2);
        if (r.width() < 40 || r.height() < 40 || covered(c, r))
            return;
        const Finding f = look(c->objectName(), r);
        const QColor base = c->palette().color(QPalette::Base);
        if (f.back.rgb() != base.rgb())
            fail(QStringLiteral("chart %1 is drawn on %2, not the desktop's %3")
                     .arg(c->objectName(), f.back.name(), base.name()));
        expectReadable(f);
        m_checked.insert(c->objectName());
    }

    QRect device(const QRect &logical) const
    {
        return QRect(QPoint(qRound(logical.left() * m_dpr), qRound(logical.top() * m_dpr)),
                     QSize(qRound(logical.width() * m_dpr), qRound(logical.height() * m_dpr)))
            .intersected(m_image.rect());
    }

    // A shaded face: its shades are the colours down its left and right edges
    // (where no text reaches); the text is what stands out most from the
    // middle shade, and it is judged against the shade it reads worst on.
    Finding lookShaded(const QString &name, const QRect &logical, const QColor &asked) const
    {
        const QRect r = device(logical);
        QList<QColor> shades;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x : {r.left(), r.right()})
                shades << m_image.pixelColor(x, y);
        Finding f = look(name, logical);
        if (shades.isEmpty())
            return f;
        // The face itself: the shade nearest the colour asked for, for the check that it is painted.
        QColor nearest = shades.first(), worst = shades.first();
        const QColor middle = shades.at(shades.size() / 2);
        f.text = QColor();
        f.textPixels = 0;
        double strongest = 1;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                const QColor p = m_image.pixelColor(x, y);
                const double k = contrastRatio(p, middle);
                if (k >= kTextPixelContrast)
                    ++f.textPixels;
                if (k > strongest) {
                    strongest = k;
                    f.text = p;
                }
            }
        for (const QColor &c : std::as_const(shades)) {
            if (contrastRatio(c, asked) < contrastRatio(nearest, asked))
                nearest = c;
            if (f.text.isValid() && contrastRatio(c, f.text) < contrastRatio(worst, f.text))
                worst = c;
        }
        f.back = contrastRatio(worst, asked) <= 1.15 ? worst : nearest;
        return f;
    }

    Finding look(const QString &name, const QRect &logical) const
    {
        Finding f;
        f.name = name;
        const QRect r = device(logical);
        QHash<QRgb, int> counts;
        for (int y = r.top(); y <= r.bottom(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(m_image.constScanLine(y));
            for (int x = r.left(); x <= r.right(); ++x)
                ++counts[line[x] | 0xff000000u];
        }
        QRgb mode = 0;
        int best = -1;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it)
            if (it.value() > best) {
                best = it.value();
                mode = it.key();
            }
        f.back = QColor::fromRgb(mode);
        double strongest = 1;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
            const double k = contrastRatio(QColor::fromRgb(it.key()), f.back);
            if (k >= kTextPixelContrast)
                f.textPixels += it.value();
            if (k > strongest) {
                strongest = k;
                f.text = QColor::fromRgb(it.key());
            }
        }
        return f;
    }

    void expectReadable(const Finding &f)
    {
        if (f.textPixels < 4) {
            fail(QStringLiteral("%1: no text found on %2").arg(f.name, f.back.name()));
            return;
        }
        const double k = contrastRatio(f.text, f.back);
        if (k < kReadableContrast)
            fail(QStringLiteral("%1: text %2 on %3 reads at %4:1")
                     .arg(f.name, f.text.name(), f.back.name(), QString::number(k, 'f', 2)));
    }

    void fail(const QString &what) { m_problems->append(m_where + QStringLiteral(": ") + what); }

    QWidget *m_window;
    QStringList *m_problems;
    QImage m_image;
    qreal m_dpr = 1;
    QString m_where;
    QSet<QString> m_checked;
};

// The log every main-window screen is looked at on: the shared fixture and four
// games today, so the rating reads 「4 種類の脳刺激」 on light green.
QByteArray viewsLogWithToday()
{
    return fixture(QStringLiteral("views.txt"))
        + sjisLines({play("2026/12/07", "08:20:16", "数字記憶", 3, "暗記数 : 8").gameLine(),
                     play("2026/12/07", "09:02:30", "アイコン衰弱", 84.2f, "ターン数 : 15").gameLine(),
                     play("2026/12/07", "12:10:05", "輪廻記憶", 61.7f, "4 / 6 回").gameLine(),
                     play("2026/12/07", "13:36:58", "追跡記憶", 44.1f, "レベル : 8").gameLine()});
}

} // namespace

class tst_darkPalette : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void helperKeepsColoursAndShadesTexts_data();
    void helperKeepsColoursAndShadesTexts();
    void mainWindowSurfacesRead_data();
    void mainWindowSurfacesRead();
    void gameSurfacesRead_data();
    void gameSurfacesRead();
    void aThemeChangedWhileOpenIsFollowed();
    void helpPagesColourTheirCellsReadably();
    void windowsFitAHighDensityScreen_data();
    void windowsFitAHighDensityScreen();

private:
    void usePalette(bool dark);
    // Checks the window now; the names of the surfaces checked are collected.
    void check(QWidget *window, const QString &where);
    void expectChecked(const QStringList &names);

    QPalette m_defaultPalette;
    QStringList m_problems;
    QSet<QString> m_checked;
};

void tst_darkPalette::initTestCase()
{
    setUpApplication();
    QCOMPARE(qApp->devicePixelRatio(), qreal(kScale));
    setDesktopLook(QStringLiteral("Fusion"), QApplication::palette());
    m_defaultPalette = QApplication::style()->standardPalette();
}

void tst_darkPalette::cleanup()
{
    setDesktopLook(QStringLiteral("Fusion"), m_defaultPalette);
    m_problems.clear();
    m_checked.clear();
}

void tst_darkPalette::usePalette(bool dark)
{
    setDesktopLook(QStringLiteral("Fusion"), dark ? darkDesktopPalette() : m_defaultPalette);
}

void tst_darkPalette::check(QWidget *window, const QString &where)
{
    SurfaceCheck c(window, &m_problems);
    m_checked += c.run(where);
}

void tst_darkPalette::expectChecked(const QStringList &names)
{
    for (const QString &n : names)
        QVERIFY2(m_checked.contains(n), qPrintable(QStringLiteral("%1 was not found on screen").arg(n)));
    QVERIFY2(m_problems.isEmpty(), qPrintable(m_problems.join(QLatin1Char('\n'))));
}

// ---------------------------------------------------------------- the helper

void tst_darkPalette::helperKeepsColoursAndShadesTexts_data()
{
    QTest::addColumn<QColor>("back");
    QTest::addColumn<QColor>("preferred");
    QTest::addColumn<bool>("kept");
    // The red total of the aggregates and the red give-up letters: a shade
    // darker on white and ivory, lighter on a dark grid; black that reads stays.
    QTest::newRow("red on white") << QColor(255, 255, 255) << QColor(255, 0, 0) << false;
    QTest::newRow("red on ivory") << QColor(255, 255, 240) << QColor(255, 0, 0) << false;
    QTest::newRow("red on a dark grid") << QColor(27, 30, 32) << QColor(255, 0, 0) << false;
    QTest::newRow("weekend blue on a dark calendar") << QColor(27, 30, 32) << QColor(0x1e, 0x5a, 0xd2) << false;
    QTest::newRow("dark blue digits on white") << QColor(255, 255, 255) << QColor(20, 30, 90) << true;
    QTest::newRow("black on ivory") << QColor(255, 255, 240) << QColor(0, 0, 0) << true;
    QTest::newRow("hidden in its back colour") << QColor(255, 255, 240) << QColor(255, 255, 240) << true;
}

void tst_darkPalette::helperKeepsColoursAndShadesTexts()
{
    QFETCH(QColor, back);
    QFETCH(QColor, preferred);
    QFETCH(bool, kept);
    const QColor text = readableTextOn(back, preferred);
    QCOMPARE(text == preferred, kept);
    if (preferred != back) {
        QVERIFY(contrastRatio(text, back) >= kReadableContrast);
        // Still the same hue: a red stays red, a blue blue.
        if (preferred.hsvHue() >= 0)
            QVERIFY(qAbs(text.hsvHue() - preferred.hsvHue()) <= 12);
    }
    // On a label: the back colour reads back exactly, the text asked for too.
    QLabel l(QStringLiteral("字"));
    QPushButton b(QStringLiteral("字"));
    setBackColor(&l, back, preferred);
    QCOMPARE(backColor(&l), back);
    QCOMPARE(textColor(&l), preferred);
    QCOMPARE(l.palette().color(QPalette::WindowText), text);
    // The button face on a button is an unselected button: it follows the desktop.
    setBackColor(&b, back);
    QVERIFY(hasBackColor(&b));
    setBackColor(&b, buttonFace());
    QVERIFY(!hasBackColor(&b));
    QCOMPARE(backColor(&b), buttonFace());
    QCOMPARE(b.palette().color(QPalette::ButtonText), QApplication::palette(&b).color(QPalette::ButtonText));
}

// ---------------------------------------------------------------- the main window

void tst_darkPalette::mainWindowSurfacesRead_data()
{
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("graph");
    QTest::addColumn<QStringList>("surfaces");
    struct Screen {
        const char *button;
        const char *graph;
        QStringList surfaces;
    };
    const QList<Screen> screens = {
        {"cmdMain", "cmdDay", {"lblMHyouka", "cmdDay", "mcrMain"}},
        {"cmdGame", "", {"fraGame"}},
        {"cmdRentai", "cmdHigoto2", {"cmdHigoto2"}},
        {"cmdRentai", "cmdTotal2", {"cmdTotal2"}},
        {"cmdTaijyu", "cmdJikan3", {"cmdAllDay", "cmdAllact", "cmdAllWeek", "cmdJikan3"}},
        {"cmdSyuukei", "", {"msgKakei1", "msgKakei2"}},
        {"cmdBunseki", "", {}},
        {"cmdCale", "", {"lblHan0", "lblHan1", "lblHan4", "lblHan6", "msgCale", "msgCale_w"}},
        {"cmdMemo", "", {}},
        {"cmdSettei", "", {}},
    };
    for (bool dark : {false, true})
        for (const Screen &s : screens)
            QTest::addRow("%s %s%s%s", dark ? "dark" : "default", s.button, *s.graph ? " " : "", s.graph)
                << dark << QString::fromLatin1(s.button) << QString::fromLatin1(s.graph) << s.surfaces;
}

void tst_darkPalette::mainWindowSurfacesRead()
{
    QFETCH(bool, dark);
    QFETCH(QString, button);
    QFETCH(QString, graph);
    QFETCH(QStringList, surfaces);
    usePalette(dark);
    MainFixture f;
    f.dir.write(QStringLiteral("データ.txt"), viewsLogWithToday());
    auto w = f.load();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QCOMPARE(w->fraMain->lblMHyouka->text(), QStringLiteral("4 種類の脳刺激"));
    QCOMPARE(backColor(w->fraMain->lblMHyouka), QColor(192, 255, 192)); // light green, as the fourth lamp

    w->findChild<QPushButton *>(button)->click();
    if (!graph.isEmpty())
        w->findChild<QPushButton *>(graph)->click();
    check(w.get(), button + QLatin1Char(' ') + graph);
    expectChecked(surfaces);
    QVERIFY(f.messages.shown.isEmpty());
}

// ---------------------------------------------------------------- the games

void tst_darkPalette::gameSurfacesRead_data()
{
    QTest::addColumn<bool>("dark");
    QTest::addColumn<int>("game");
    QTest::addColumn<QStringList>("surfaces");
    const QList<QPair<int, QStringList>> games = {
        {1, {"txtKaitou1", "txtKaitou3", "lblMondai1", "cmdAllDsp", "cmdKaitou", "mcrRireki2"}},
        {2, {"lblKoma1", "lblSaitan", "cmdAllDsp"}},
        {3, {"cmdAllDsp", "mcrRireki2"}},
        {4, {"cmdAllDsp", "mcrRireki2"}},
        {5, {"lblHint", "msgInp", "cmdAllDsp"}},
        {6, {"txtKaitou1", "txtKaitou7", "lblKoma1", "cmdAllDsp"}},
        {7, {"lblKanjiP1", "lblKanjiK", "cmdAllDsp"}},
    };
    for (bool dark : {false, true})
        for (const auto &g : games)
            QTest::addRow("%s frmG%d", dark ? "dark" : "default", g.first) << dark << g.first << g.second;
}

void tst_darkPalette::gameSurfacesRead()
{
    QFETCH(bool, dark);
    QFETCH(int, game);
    QFETCH(QStringList, surfaces);
    usePalette(dark);
    GameFixture f;
    // The files a first start writes: word lists, flag icons, default settings.
    QVERIFY(prepareDataFolder().failed.isEmpty());
    f.ctx.session.playMode = 0;
    const QString where = QStringLiteral("frmG%1").arg(game);

    switch (game) {
    case 1: {
        // Eight digits, six typed right and two wrong, judged and saved.
        f.drawValues({0.13, 0.25, 0.91, 0.33, 0.77, 0.05, 0.64, 0.48});
        auto *w = f.open<NumberMemoryWindow>();
        w->show();
        w->cmdStart_Click();
        for (int i = 0; i < 3; ++i)
            w->tmrStart_Timer();
        const QStringList typed{"1", "2", "3", "2", "6", "0", "7", "4"};
        for (int i = 0; i < typed.size(); ++i)
            w->txtKaitou(i + 1)->setText(typed.at(i));
        w->cmdKekka_Click();
        w->cmdHozon_Click();
        w->cmdKaitou_Click();
        check(w, where + QStringLiteral(" judged"));
        break;
    }
    case 2: {
        auto *w = f.open<IconConcentrationWindow>();
        w->show();
        w->cmdStart_Click();
        for (int i = 0; i < 3; ++i)
            w->tmrStart_Timer();
        // A miss on show, its names under the pieces; then every pair, and saved.
        int a = 0, b = 0;
        for (int i = 1; i <= IconConcentrationWindow::kPieces && !b; ++i) {
            if (!a)
                a = i;
            else if (w->boardName(i) != w->boardName(a))
                b = i;
        }
        bool looked = false;
        f.clock.onWait = [&](double) {
            if (!looked && w->delaying()) {
                looked = true;
                check(w, where + QStringLiteral(" miss on show"));
            }
        };
        w->cmdKoma_Click(a);
        w->cmdKoma_Click(b);
        f.clock.onWait = nullptr;
        QVERIFY(looked);
        for (const QString &name : w->iconNames()) {
            QList<int> at;
            for (int i = 1; i <= IconConcentrationWindow::kPieces; ++i)
                if (w->boardName(i) == name)
                    at.append(i);
            for (int k = 0; k + 1 < at.size(); k += 2) {
                w->cmdKoma_Click(at.at(k));
                w->cmdKoma_Click(at.at(k + 1));
            }
        }
        check(w, where + QStringLiteral(" finished"));
        break;
    }
    case 3:
    case 4: {
        // Two words answered, then given up (ESC): the play ends and is saved.
        GameFrame *frame = nullptr;
        QLineEdit *answer = nullptr;
        std::function<QString()> due;
        if (game == 3) {
            auto *w = f.open<TimeLagTypingWindow>();
            frame = w;
            answer = w->txtKaitou();
            due = [w] { return w->dueWord(); };
        } else {
            auto *w = f.open<CycleTypingWindow>();
            frame = w;
            answer = w->txtKaitou();
            due = [w] { return w->dueWord(); };
        }
        QPointer<GameFrame> guard(frame);
        frame->show();
        frame->cmdStart_Click();
        for (int i = 0; i < 3; ++i)
            frame->tmrStart_Timer();
        for (int i = 0; i < 2 && guard; ++i) {
            answer->setText(due());
            QTest::keyClick(answer, Qt::Key_Return);
        }
        QVERIFY(guard);
        QTest::keyClick(answer, Qt::Key_Escape);
        QVERIFY(guard);
        frame->cmdHozon_Click();
        check(frame, where + QStringLiteral(" finished"));
        break;
    }
    case 5: {
        // Three turns answered right, then a wrong click ends the game.
        auto *w = f.open<TrackingMemoryWindow>();
        w->show();
        w->cmdStart_Click();
        for (int i = 0; i < 3; ++i)
            w->tmrStart_Timer();
        for (int turn = 0; turn < 3; ++turn)
            for (int p : w->trace().panels())
                w->cmdKey_Click(p);
        QVERIFY(w->answering());
        check(w, where + QStringLiteral(" answering"));
        const int due = w->trace().expectedAt(w->trace().rightInTurn() + 1);
        w->cmdKey_Click(due % 9 + 1);
        QVERIFY(!w->answering());
        check(w, where + QStringLiteral(" finished"));
        break;
    }
    case 6: {
        // Eight pictures with their names; six typed right, one wrong, one empty.
        GameSettings s = GameSettings::read(rules::imageMemorySettings());
        s.setInt(rules::ImageMemorySetting::IconCount, 8);
        s.setInt(rules::ImageMemorySetting::NameDisplay, 1);
        QVERIFY(s.write().ok);
        f.drawValues({0.41, 0.07, 0.93, 0.22, 0.68, 0.35, 0.81, 0.14, 0.57, 0.02, 0.76, 0.49, 0.28, 0.9, 0.63, 0.3});
        auto *w = f.open<ImageMemoryWindow>();
        w->show();
        w->cmdStart_Click();
        for (int i = 0; i < 3; ++i)
            w->tmrStart_Timer();
        const QStringList dealt = w->dealtNames();
        QVERIFY(dealt.size() >= 8);
        for (int i = 1; i <= 6; ++i)
            w->txtKaitou(i)->setText(dealt.at(i - 1));
        w->txtKaitou(7)->setText(dealt.at(6) + QStringLiteral("ん"));
        w->cmdKekka_Click();
        w->cmdHozon_Click();
        check(w, where + QStringLiteral(" judged"));
        break;
    }
    case 7: {
        // A counted play of two answers: the first word given up while its
        // letters are on show (the tiles turn red), the second answered wrong.
        auto *w = f.open<ScrambledTypingWindow>();
        QPointer<ScrambledTypingWindow> guard(w);
        w->show();
        w->optMode(0)->click();
        pick(w->cboKaisu(), QStringLiteral("2"));
        w->cboKaisu_Click();
        w->cmdStart_Click();
        w->tmrStart_Timer();
        w->tmrStart_Timer();
        bool gaveUp = false, lookedAtRed = false;
        f.clock.onWait = [&](double) {
            if (!guard || w->playState() != GameFrame::PlayState::Answering)
                return;
            const int word = w->rightCount() + w->wrongCount() + 1;
            if (word == 1 && !gaveUp && !w->lblKanjiK()->text().isEmpty()) {
                // A letter on show, the tiles still hiding theirs.
                check(w, where + QStringLiteral(" letter on show"));
                gaveUp = true;
                QTest::keyClick(w->txtKaitou(), Qt::Key_Escape);
            } else if (gaveUp && !lookedAtRed && w->tileLetterColor(1) == ScrambledTypingWindow::kGiveUpRed) {
                lookedAtRed = true;
                check(w, where + QStringLiteral(" given up"));
            } else if (word == 2 && !w->lblKanjiK()->text().isEmpty()) {
                w->txtKaitou()->setText(w->currentWord() + QStringLiteral("ん"));
                QTest::keyClick(w->txtKaitou(), Qt::Key_Return);
            }
        };
        w->tmrStart_Timer();
        f.clock.onWait = nullptr;
        QVERIFY(guard);
        QVERIFY(lookedAtRed);
        w->cmdHozon_Click();
        check(w, where + QStringLiteral(" finished"));
        break;
    }
    default:
        QFAIL("no such game");
    }
    expectChecked(surfaces);
    QVERIFY2(f.messages.shown.isEmpty(), qPrintable(f.messages.shown.value(0).text));
}

// A desktop that changes its theme while the program runs: the windows follow,
// and every coloured surface keeps its colour and reads on it.
void tst_darkPalette::aThemeChangedWhileOpenIsFollowed()
{
    MainFixture f;
    f.dir.write(QStringLiteral("データ.txt"), viewsLogWithToday());
    auto w = f.load();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    w->cmdTaijyu->click();
    control<QPushButton>(w, QStringLiteral("cmdDay3"))->click();
    const QColor selected = backColor(control<QPushButton>(w, QStringLiteral("cmdDay3")));
    w->cmdSyuukei->click();

    usePalette(true);
    QCoreApplication::processEvents();
    check(w.get(), QStringLiteral("syuukei after the switch"));
    w->cmdMain->click();
    check(w.get(), QStringLiteral("today after the switch"));
    w->cmdTaijyu->click();
    check(w.get(), QStringLiteral("taijyu after the switch"));
    // The selected graph is still the one selected, in its own colour.
    QCOMPARE(backColor(control<QPushButton>(w, QStringLiteral("cmdDay3"))), selected);
    QVERIFY(!hasBackColor(control<QPushButton>(w, QStringLiteral("cmdTotal3"))));
    expectChecked({"msgKakei1", "lblMHyouka", "mcrMain", "cmdDay3", "cmdAllDay"});
}

// The help pages colour some table cells; their text must read on them
// whatever the viewer's own text colour is.
void tst_darkPalette::helpPagesColourTheirCellsReadably()
{
    for (bool dark : {false, true}) {
        usePalette(dark);
        MainFixture f;
        QVERIFY(prepareDataFolder().failed.isEmpty());
        auto w = f.load();
        w->cmdHelp->click();
        auto *viewer = w->findChild<HelpViewer *>();
        QVERIFY(viewer);
        auto *browser = viewer->findChild<QTextBrowser *>();
        QVERIFY(browser);
        int cells = 0;
        for (QTextBlock b = browser->document()->begin(); b.isValid(); b = b.next()) {
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextFragment frag = it.fragment();
                if (frag.text().trimmed().isEmpty())
                    continue;
                QTextCursor c(b);
                c.setPosition(frag.position());
                const QTextTable *table = c.currentTable();
                if (!table)
                    continue;
                const QTextTableCell cell = table->cellAt(c);
                const QBrush cellBack = cell.format().background();
                const QBrush rowBack = frag.charFormat().background();
                const QColor back = cellBack.style() != Qt::NoBrush ? cellBack.color()
                    : rowBack.style() != Qt::NoBrush                ? rowBack.color()
                                                                    : QColor();
                if (!back.isValid())
                    continue;
                const QBrush fore = frag.charFormat().foreground();
                QVERIFY2(fore.style() != Qt::NoBrush, qPrintable(frag.text()));
                QVERIFY2(contrastRatio(fore.color(), back) >= kReadableContrast, qPrintable(frag.text()));
                ++cells;
            }
        }
        QVERIFY(cells >= 10);
        HelpViewer::closeAll();
        cleanup();
    }
}

// ---------------------------------------------------------------- high scale

void tst_darkPalette::windowsFitAHighDensityScreen_data()
{
    QTest::addColumn<QString>("window");
    for (const char *w : {"frmMain", "frmMain cmdSyuukei", "frmMain cmdCale", "frmMain cmdTaijyu", "HelpViewer",
                          "welcome box", "frmG1", "frmG2", "frmG3", "frmG4", "frmG5", "frmG6", "frmG7"})
        QTest::newRow(w) << QString::fromLatin1(w);
}

void tst_darkPalette::windowsFitAHighDensityScreen()
{
    QFETCH(QString, window);
    MainFixture f;
    QVERIFY(prepareDataFolder().failed.isEmpty());
    f.dir.write(QStringLiteral("データ.txt"), viewsLogWithToday());
    std::unique_ptr<QWidget> owned;
    std::unique_ptr<MainWindow> main;
    QWidget *w = nullptr;
    const auto game = [&](auto *typed) {
        owned.reset(typed);
        typed->tmrStart()->stop();
        typed->tmrBp()->stop();
        typed->Form_Load();
        typed->show();
        return typed;
    };
    if (window.startsWith(QLatin1String("frmMain"))) {
        main = f.load();
        main->show();
        if (window.contains(QLatin1Char(' ')))
            main->findChild<QPushButton *>(window.section(QLatin1Char(' '), 1))->click();
        w = main.get();
    } else if (window == QLatin1String("HelpViewer")) {
        main = f.load();
        main->cmdHelp->click();
        w = main->findChild<HelpViewer *>();
    } else if (window == QLatin1String("welcome box")) {
        owned = QtMessageService::createBox(nullptr, MainWindow::welcomeText(), QStringLiteral("ヘルプツアー"),
                                            MsgButtons::Ok, MsgIcon::Information);
        owned->show();
        w = owned.get();
    } else if (window == QLatin1String("frmG1")) {
        w = game(new NumberMemoryWindow(f.ctx));
    } else if (window == QLatin1String("frmG2")) {
        w = game(new IconConcentrationWindow(f.ctx));
    } else if (window == QLatin1String("frmG3")) {
        w = game(new TimeLagTypingWindow(f.ctx));
    } else if (window == QLatin1String("frmG4")) {
        w = game(new CycleTypingWindow(f.ctx));
    } else if (window == QLatin1String("frmG5")) {
        w = game(new TrackingMemoryWindow(f.ctx));
    } else if (window == QLatin1String("frmG6")) {
        w = game(new ImageMemoryWindow(f.ctx));
    } else if (window == QLatin1String("frmG7")) {
        w = game(new ScrambledTypingWindow(f.ctx));
    }
    QVERIFY(w);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(w->devicePixelRatio(), qreal(kScale));

    // The window as it opens, and as small as it may be made, fits the screen
    // with a desktop panel and its title bar.
    const QSize room(kLogicalScreen.width(), kLogicalScreen.height() - kPanelAndTitle);
    const QString sizes = QStringLiteral("opens at %1×%2, at least %3×%4")
                              .arg(w->width())
                              .arg(w->height())
                              .arg(w->minimumSizeHint().width())
                              .arg(w->minimumSizeHint().height());
    QVERIFY2(w->width() <= room.width() && w->height() <= room.height(), qPrintable(sizes));
    QVERIFY2(w->minimumSizeHint().width() <= room.width() && w->minimumSizeHint().height() <= room.height(),
             qPrintable(sizes));

    // Nothing cut off: every control lies inside the window and is as large as
    // it needs to be; every caption fits its label.
    QStringList clipped;
    for (QWidget *c : w->findChildren<QWidget *>()) {
        if (!c->isVisibleTo(w) || c->objectName().startsWith(QLatin1String("qt_")))
            continue;
        const QRect at(c->mapTo(w, QPoint(0, 0)), c->size());
        const bool control = qobject_cast<QAbstractButton *>(c) || qobject_cast<QLabel *>(c)
            || qobject_cast<QLineEdit *>(c) || qobject_cast<QComboBox *>(c);
        if (!control)
            continue;
        if (!w->rect().contains(at))
            clipped
                << QStringLiteral("%1 %2 lies outside the window").arg(c->metaObject()->className(), c->objectName());
        const QSize need = c->minimumSizeHint();
        if (auto *l = qobject_cast<QLabel *>(c)) {
            if (l->wordWrap() || l->text().isEmpty() || !l->pixmap().isNull())
                continue;
            const QFontMetrics m(l->font());
            const int textWidth = m.boundingRect(QRect(), int(l->alignment()), l->text()).width();
            if (textWidth > l->contentsRect().width() + 1)
                clipped << QStringLiteral("label %1 「%2」 %3 wide for %4")
                               .arg(l->objectName(), l->text())
                               .arg(textWidth)
                               .arg(l->contentsRect().width());
        } else if (auto *b = qobject_cast<QPushButton *>(c)) {
            // The style asks 80 pixels of every push button; what matters is its caption.
            const QFontMetrics m(b->font());
            QString caption = b->text();
            caption.remove(QLatin1Char('&'));
            int width = m.horizontalAdvance(caption) + 8;
            if (!b->icon().isNull())
                width += b->iconSize().width() + 4;
            if (b->width() < width || b->height() < m.height() + 4)
                clipped << QStringLiteral("button %1 「%2」 is %3×%4 for %5×%6")
                               .arg(b->objectName(), b->text())
                               .arg(b->width())
                               .arg(b->height())
                               .arg(width)
                               .arg(m.height() + 4);
        } else if (need.isValid() && (c->width() + 1 < need.width() || c->height() + 1 < need.height())) {
            clipped << QStringLiteral("%1 %2 is %3×%4 for %5×%6")
                           .arg(c->metaObject()->className(), c->objectName())
                           .arg(c->width())
                           .arg(c->height())
                           .arg(need.width())
                           .arg(need.height());
        }
    }
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));

    // Grid columns are given in twips: 15 to a pixel of the design, so twice
    // as many screen pixels at twice the scale.
    for (FlexGrid *g : w->findChildren<FlexGrid *>()) {
        if (!g->isVisibleTo(w))
            continue;
        for (int c = 0; c < g->cols(); ++c) {
            if (g->isColumnHidden(c))
                continue;
            const double device = g->columnWidth(c) * g->devicePixelRatio();
            const double designed = g->colWidth(c) / 15.0 * kScale;
            QVERIFY2(qAbs(device - designed) <= kScale,
                     qPrintable(QStringLiteral("%1 column %2: %3 px for %4 twips")
                                    .arg(g->objectName())
                                    .arg(c)
                                    .arg(device)
                                    .arg(g->colWidth(c))));
        }
    }
    HelpViewer::closeAll();
}

// The windows are drawn as a high-density screen shows them: twice the scale.
int main(int argc, char *argv[])
{
    qputenv("QT_SCALE_FACTOR", QByteArray::number(kScale));
    QApplication app(argc, argv);
    tst_darkPalette t;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&t, argc, argv);
}

#include "tst_darkpalette.moc"
