#include "appearance.h"

#include "widgets/pictures.h"
#include "widgets/textscale.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

namespace kioku {

namespace {

// Styles such as Fusion and Breeze draw the focus frame only after the focus
// was moved by the keyboard (Tab) in that window. The program moves it itself
// (to ゲーム at the start, to the first game after ゲーム, into a box after a
// row is picked) and the player clicks; the control holding the focus shows it
// in every window all the same, as on the desktop the program was made for.
class ShowFocusFrames : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (e->type() == QEvent::FocusIn && watched->isWidgetType()) {
            QWidget *window = static_cast<QWidget *>(watched)->window();
            if (!window->testAttribute(Qt::WA_KeyboardFocusChange))
                window->setAttribute(Qt::WA_KeyboardFocusChange);
        }
        return false;
    }
};

// Enter presses the button that has the focus, as Space does, in every
// window (a dialog's buttons take Enter themselves), so that a player who
// uses the keyboard alone need not learn which key a button wants.
class EnterPressesButtons : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (e->type() != QEvent::KeyPress)
            return false;
        const auto *k = static_cast<QKeyEvent *>(e);
        if ((k->key() != Qt::Key_Return && k->key() != Qt::Key_Enter) || k->isAutoRepeat()
            || (k->modifiers() & ~Qt::KeypadModifier))
            return false;
        auto *b = qobject_cast<QAbstractButton *>(watched);
        const auto *push = qobject_cast<QPushButton *>(watched);
        if (!b || !b->hasFocus() || !b->isEnabled() || (push && (push->autoDefault() || push->isDefault())))
            return false;
        b->click();
        return true;
    }
};

} // namespace

void applyAppearance()
{
    const QStringList families = QFontDatabase::families();
    QFont font = QApplication::font();
    for (const QString &name : {QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック"),
                                QStringLiteral("IPAPGothic"), QStringLiteral("IPAPゴシック")}) {
        if (families.contains(name)) {
            font.setFamily(name);
            break;
        }
    }
    if (font.pointSizeF() < 10)
        font.setPointSizeF(10);
    // The player's text size (setTextScale) is applied on top of this one.
    setBaseApplicationFont(font);

    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(pictures::appIcon(size));
    QApplication::setWindowIcon(icon);

    const QString enterPresses = QStringLiteral("kiokuEnterPressesButtons");
    if (!qApp->findChild<QObject *>(enterPresses, Qt::FindDirectChildrenOnly)) {
        auto *filter = new EnterPressesButtons(qApp);
        filter->setObjectName(enterPresses);
        qApp->installEventFilter(filter);
    }

    const QString focusFrames = QStringLiteral("kiokuShowFocusFrames");
    if (!qApp->findChild<QObject *>(focusFrames, Qt::FindDirectChildrenOnly)) {
        auto *filter = new ShowFocusFrames(qApp);
        filter->setObjectName(focusFrames);
        qApp->installEventFilter(filter);
    }
}

} // namespace kioku
