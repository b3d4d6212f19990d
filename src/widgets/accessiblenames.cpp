#include "widgets/accessiblenames.h"

#include "widgets/chart.h"
#include "widgets/playparts.h"
#include "widgets/shape.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextDocumentFragment>

#include <algorithm>
#include <optional>

namespace kioku {

namespace {

// How a control of the table is read.
enum class Kind {
    Plain, // the name (and description) as given
    Value, // a label that shows a value: its name, then what it shows now
    Lamp,  // a lamp: its name, then whether it is lit
};

struct Entry {
    const char *key; // objectName, "window:objectName" for one window only; an
                     // array's name without its number takes that number as %1
    const char *name;
    const char *description;
    Kind kind;
};

// The controls whose name neither their text nor a caption before them gives.
const Entry kEntries[] = {
    // the main window
    {"chkHelp", "ヘルプツアー", "", Kind::Plain},
    {"imgNashi", "今日の顔：まだ遊んでいません", "", Kind::Plain},
    {"imgkana", "今日の顔：ムスッ", "", Kind::Plain},
    {"imgniko", "今日の顔：ニコッ", "", Kind::Plain},
    {"imgwara", "今日の顔：大笑い", "", Kind::Plain},
    {"shpLed", "ランプ%1", "遊んだゲームの種類だけランプがともります", Kind::Lamp},
    {"lblDayTotal", "この日のプレイ時間", "", Kind::Value},
    {"mtvmain", "カレンダー", "日付を選ぶと、その日のプレイを表示します", Kind::Plain},
    {"qt_calendar_prevmonth", "前の月", "", Kind::Plain},
    {"qt_calendar_nextmonth", "次の月", "", Kind::Plain},
    {"qt_calendar_calendarview", "日付", "", Kind::Plain},
    {"msgDayList", "この日のプレイ", "", Kind::Plain},
    {"mcrMain", "この日のグラフ", "", Kind::Plain},
    {"cboStdate", "期間の始め", "", Kind::Plain},
    {"cboEddate", "期間の終わり", "", Kind::Plain},
    {"cboMokuhyou", "目標の種類", "", Kind::Plain},
    {"lstAct2", "項目", "", Kind::Plain},
    {"txtKey", "語句", "語句を入力して Enter を押すと、その語句を含む項目を選びます", Kind::Plain},
    {"msgHenList", "これまでのプレイ記録", "", Kind::Plain},
    {"msgMemoList", "一言日記", "記録をクリックして一言を書き換えます", Kind::Plain},
    {"msgIchiran", "プレイ一覧", "", Kind::Plain},
    {"msgCale", "月別のカレンダー", "", Kind::Plain},
    {"msgCale_w", "週別のカレンダー", "", Kind::Plain},
    // the game windows
    {"chkAs", "自動保存", "", Kind::Plain},
    // settings whose caption stands apart from them (a box reads its choice after its name)
    {"frmG1:cboKaisu", "桁数", "", Kind::Plain},
    {"frmG1:cboJikan", "表示秒", "", Kind::Plain},
    {"frmG3:cboKaisu", "答数", "", Kind::Plain},
    {"frmG3:cboJikan", "秒数", "", Kind::Plain},
    {"frmG3:cboMode", "時間差", "", Kind::Plain},
    {"frmG4:cboKaisu", "答数", "", Kind::Plain},
    {"frmG4:cboJikan", "秒数", "", Kind::Plain},
    {"frmG7:cboKaisu", "答数", "", Kind::Plain},
    {"frmG7:cboJikan", "秒数", "", Kind::Plain},
    {"msgRireki", "履歴", "", Kind::Plain},
    {"mcrRireki", "履歴のグラフ", "", Kind::Plain},
    {"mcrRireki2", "履歴のグラフ", "", Kind::Plain},
    {"lstJisyo", "登録ワード一覧", "", Kind::Plain},
    {"fraJikan", "残り時間", "", Kind::Plain},
    {"shpWaku", "数字の目隠し", "", Kind::Plain},
    {"frmG1:lblMondai", "%1桁目", "", Kind::Value},
    {"lblMondai", "問題", "", Kind::Value},
    {"frmG2:cmdKoma", "コマ%1", "", Kind::Plain},
    {"frmG2:imgKoma", "コマ%1の絵", "", Kind::Plain},
    {"frmG6:imgKoma", "%1番目の絵", "", Kind::Plain},
    {"frmG4:msgInp", "このターンの言葉", "", Kind::Plain},
    {"frmG5:msgInp", "クリックした順番", "", Kind::Plain},
};

// The entry for `w` and the number of an array's control (0 for none).
const Entry *entryFor(const QWidget *w, int *index)
{
    const QString name = w->objectName();
    *index = 0;
    if (name.isEmpty())
        return nullptr;
    static const QRegularExpression numbered(QStringLiteral("^(.*[^0-9])([0-9]+)$"));
    const QRegularExpressionMatch m = numbered.match(name);
    const QString base = m.hasMatch() ? m.captured(1) : QString();
    const QWidget *top = w->window();
    const QString window = top ? top->objectName() + QLatin1Char(':') : QString();
    // The window's own entry first, then the program's; the whole name before an array's.
    const std::pair<QString, bool> keys[] = {
        {window + name, false}, {name, false}, {window + base, true}, {base, true}};
    for (const auto &[key, isArray] : keys) {
        if (isArray && base.isEmpty())
            continue;
        for (const Entry &e : kEntries) {
            if (key == QLatin1String(e.key)) {
                *index = isArray ? m.captured(2).toInt() : 0;
                return &e;
            }
        }
    }
    return nullptr;
}

QString entryName(const Entry &e, int index)
{
    const QString name = QString::fromUtf8(e.name);
    return name.contains(QLatin1String("%1")) ? name.arg(index) : name;
}

QString plain(const QString &text)
{
    QString t = Qt::mightBeRichText(text) ? QTextDocumentFragment::fromHtml(text).toPlainText() : text;
    t.remove(QLatin1Char('&'));
    return t.simplified();
}

// The caption label just before `w` in `layout` (searched through the layouts
// inside it): nullopt when `w` is not in it, nullptr when it is but nothing
// that can be read stands before it.
std::optional<const QLabel *> captionIn(const QLayout *layout, const QWidget *w)
{
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        if (item->widget() == w) {
            for (int j = i - 1; j >= 0; --j) {
                QLayoutItem *before = layout->itemAt(j);
                if (before->spacerItem())
                    continue;
                const auto *label = qobject_cast<const QLabel *>(before->widget());
                if (label && !label->isHidden() && !plain(label->text()).isEmpty())
                    return label;
                return nullptr;
            }
            return nullptr;
        }
        if (item->layout()) {
            if (const auto found = captionIn(item->layout(), w))
                return found;
        }
    }
    return std::nullopt;
}

// The text that stands as the caption of `w`: a label whose buddy it is, else
// the label just before it in its row or column.
QString captionOf(const QWidget *w)
{
    const QWidget *parent = w->parentWidget();
    if (!parent)
        return QString();
    const QList<QLabel *> labels = parent->findChildren<QLabel *>(Qt::FindDirectChildrenOnly);
    for (const QLabel *l : labels) {
        if (l->buddy() == w)
            return plain(l->text());
    }
    if (parent->layout()) {
        if (const auto found = captionIn(parent->layout(), w); found && *found)
            return plain((*found)->text());
    }
    return QString();
}

// ---- the controls read as they are now ----

// A label showing a value: its caption, then the value.
class ValueAccessible : public QAccessibleWidget {
public:
    explicit ValueAccessible(QWidget *w) : QAccessibleWidget(w, QAccessible::StaticText) {}
    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        if (!widget()->accessibleName().isEmpty())
            return widget()->accessibleName();
        QString caption = accessibleNameFor(widget());
        const QString value = plain(static_cast<const QLabel *>(widget())->text());
        if (caption.isEmpty())
            return value;
        return value.isEmpty() ? caption : caption + QLatin1Char(' ') + value;
    }
};

// A lamp: its name, and whether it is lit.
class LampAccessible : public QAccessibleWidget {
public:
    explicit LampAccessible(QWidget *w) : QAccessibleWidget(w, QAccessible::Graphic) {}
    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        const bool lit = static_cast<const Shape *>(widget())->fillColor() != QColor(Qt::white);
        return accessibleNameFor(widget()) + (lit ? QStringLiteral("（点灯）") : QStringLiteral("（消灯）"));
    }
};

// A picture drawn by the program (a cover, a chart): read as one whole, its
// parts are no controls of their own.
class PictureAccessible : public QAccessibleWidget {
public:
    PictureAccessible(QWidget *w, QAccessible::Role role) : QAccessibleWidget(w, role) {}
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return nameNow();
        if (t == QAccessible::Description && widget()->accessibleDescription().isEmpty())
            return descriptionNow();
        return QAccessibleWidget::text(t);
    }

protected:
    virtual QString nameNow() const { return accessibleNameFor(widget()); }
    virtual QString descriptionNow() const { return QString(); }
};

class ChartAccessible : public PictureAccessible {
public:
    explicit ChartAccessible(QWidget *w) : PictureAccessible(w, QAccessible::Chart) {}

protected:
    QString nameNow() const override
    {
        const QString title = plain(static_cast<const Chart *>(widget())->title());
        return title.isEmpty() ? accessibleNameFor(widget()) : title;
    }
    QString descriptionNow() const override { return chartSummary(*static_cast<const Chart *>(widget())); }
};

QAccessibleInterface *accessibleFactory(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *w = static_cast<QWidget *>(object);
    int index = 0;
    const Entry *e = entryFor(w, &index);
    if (className == QLatin1String("kioku::Chart"))
        return new ChartAccessible(w);
    if (className == QLatin1String("kioku::TimeBar"))
        return new PictureAccessible(w, QAccessible::ProgressBar);
    if (className == QLatin1String("kioku::Shape") && e)
        return e->kind == Kind::Lamp ? static_cast<QAccessibleInterface *>(new LampAccessible(w))
                                     : new PictureAccessible(w, QAccessible::Graphic);
    if (className == QLatin1String("kioku::ValueLabel")
        || (className == QLatin1String("QLabel") && e && e->kind == Kind::Value))
        return new ValueAccessible(w);
    return nullptr;
}

// A plain label that shows a value: Qt reads a label by its text alone, so its
// name is made again from its caption and its text whenever it is drawn.
class ValueNamer : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Paint) {
            auto *label = static_cast<QLabel *>(o);
            const QString caption = accessibleNameFor(label);
            const QString value = plain(label->text());
            const QString name = value.isEmpty() ? caption : caption + QLatin1Char(' ') + value;
            if (label->accessibleName() != name)
                label->setAccessibleName(name);
        }
        return false;
    }
};

// Names every control as it is first shown.
class Namer : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Polish && o->isWidgetType())
            nameOne(static_cast<QWidget *>(o));
        return false;
    }

    static void nameOne(QWidget *w)
    {
        int index = 0;
        const Entry *e = entryFor(w, &index);
        if (e && w->accessibleDescription().isEmpty() && *e->description)
            w->setAccessibleDescription(QString::fromUtf8(e->description));
        if (e && e->kind == Kind::Value && !qobject_cast<ValueLabel *>(w) && qobject_cast<QLabel *>(w)
            && !w->property("kiokuValueNamed").toBool()) {
            w->setProperty("kiokuValueNamed", true);
            w->installEventFilter(new ValueNamer(w));
            return;
        }
        // Read as they are now (see the factory), or by their own text.
        if (!w->accessibleName().isEmpty() || qobject_cast<Chart *>(w) || qobject_cast<ValueLabel *>(w)
            || qobject_cast<TimeBar *>(w) || (e && e->kind != Kind::Plain))
            return;
        if (const auto *b = qobject_cast<QAbstractButton *>(w); b && !plain(b->text()).isEmpty())
            return;
        if (const auto *l = qobject_cast<QLabel *>(w); l && l->pixmap().isNull() && !e)
            return; // a label of text reads its text
        if (qobject_cast<QGroupBox *>(w))
            return;
        const QString name = accessibleNameFor(w);
        if (name.isEmpty())
            return;
        w->setAccessibleName(name);
        // A choice box is read by its choice; what it sets comes from the
        // caption that labels it, found beside it by its text. A box whose
        // caption is no label (a radio button that chooses it) gets a label
        // for the reader alone, never shown.
        if (qobject_cast<QComboBox *>(w) && w->parentWidget()) {
            const QList<QLabel *> labels = w->parentWidget()->findChildren<QLabel *>(Qt::FindDirectChildrenOnly);
            const auto caption = std::find_if(labels.begin(), labels.end(), [&](const QLabel *l) {
                return l->buddy() == w || (!l->buddy() && plain(l->text()) == name);
            });
            QLabel *label = caption != labels.end() ? *caption : nullptr;
            if (!label) {
                label = new QLabel(name, w->parentWidget());
                label->hide();
            }
            label->setBuddy(w);
        }
    }
};

} // namespace

QString accessibleNameFor(const QWidget *w)
{
    int index = 0;
    if (const Entry *e = entryFor(w, &index))
        return entryName(*e, index);
    // The text box of a combo box that can be typed into is read as the box.
    if (const auto *combo = qobject_cast<const QComboBox *>(w->parentWidget());
        combo && qobject_cast<const QLineEdit *>(w)) {
        const QString name = accessibleNameFor(combo);
        return name.isEmpty() ? combo->accessibleName() : name;
    }
    // The page of a text box is read as the box.
    if (w->objectName() == QLatin1String("qt_scrollarea_viewport") && w->parentWidget())
        return accessibleNameFor(w->parentWidget());
    if (const auto *bar = qobject_cast<const QScrollBar *>(w))
        return bar->orientation() == Qt::Vertical ? QStringLiteral("縦スクロール") : QStringLiteral("横スクロール");
    return captionOf(w);
}

QString chartSummary(const Chart &chart)
{
    const int rows = chart.rowCount();
    if (rows == 0)
        return QStringLiteral("データはありません");
    const auto number = [](double v) { return QString::number(v, 'g', 7); };
    const QStringList names = chart.seriesNames();
    QStringList parts;
    for (int s = 0; s < chart.seriesCount(); ++s) {
        const QString series =
            s < names.size() && !names.at(s).isEmpty() ? names.at(s) + QStringLiteral("：") : QString();
        if (rows <= 12) {
            QStringList points;
            for (int r = 0; r < rows; ++r) {
                const QString label = chart.rowLabel(r).isEmpty() ? QString::number(r + 1) : chart.rowLabel(r);
                points << label + QLatin1Char(' ') + number(chart.value(r, s));
            }
            parts << series + points.join(QStringLiteral("、"));
        } else {
            double lo = chart.value(0, s), hi = lo;
            for (int r = 1; r < rows; ++r) {
                lo = qMin(lo, chart.value(r, s));
                hi = qMax(hi, chart.value(r, s));
            }
            parts << series
                    + QStringLiteral("最小 %1、最大 %2、最後 %3")
                          .arg(number(lo), number(hi), number(chart.value(rows - 1, s)));
        }
    }
    return QStringLiteral("%1件。").arg(rows) + parts.join(QStringLiteral("。"));
}

void nameControls(QWidget *root)
{
    Namer::nameOne(root);
    const QList<QWidget *> children = root->findChildren<QWidget *>();
    for (QWidget *w : children)
        Namer::nameOne(w);
}

void installAccessibleNames()
{
    static bool installed = false;
    if (installed || !qApp)
        return;
    installed = true;
    QAccessible::installFactory(accessibleFactory);
    qApp->installEventFilter(new Namer(qApp));
}

} // namespace kioku
