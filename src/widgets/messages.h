#pragma once
// Modal message boxes with an exact text, title, buttons and icon, behind a
// small service: the program shows real QMessageBoxes, tests script the answers.
#include <QList>
#include <QString>
#include <functional>
#include <memory>

class QMessageBox;
class QWidget;

namespace kioku {

// OkCancel has OK as its default button; OkCancelDefaultCancel, for a
// question whose OK gives something up, has Cancel.
enum class MsgButtons { Ok, OkCancel, OkCancelDefaultCancel };
enum class MsgIcon { Information, Warning };
enum class MsgAnswer { Ok, Cancel };

struct ShownMessage {
    QString text;
    QString title;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::Information;
};

class MessageService {
public:
    virtual ~MessageService() = default;
    virtual MsgAnswer show(QWidget *parent, const QString &text, const QString &title, MsgButtons buttons,
                           MsgIcon icon) = 0;
    // A question proceeds only on OK.
    bool ask(QWidget *parent, const QString &text, const QString &title)
    {
        return show(parent, text, title, MsgButtons::OkCancel, MsgIcon::Warning) == MsgAnswer::Ok;
    }
    // A question whose OK gives something up: Cancel is the default button, so
    // Enter, Esc and closing the box all keep things as they are.
    bool askDefaultCancel(QWidget *parent, const QString &text, const QString &title)
    {
        return show(parent, text, title, MsgButtons::OkCancelDefaultCancel, MsgIcon::Warning) == MsgAnswer::Ok;
    }
    void info(QWidget *parent, const QString &text, const QString &title)
    {
        show(parent, text, title, MsgButtons::Ok, MsgIcon::Information);
    }
    void warn(QWidget *parent, const QString &text, const QString &title)
    {
        show(parent, text, title, MsgButtons::Ok, MsgIcon::Warning);
    }
};

// Real modal QMessageBox with Japanese button texts ("OK" / "キャンセル").
class QtMessageService : public MessageService {
public:
    MsgAnswer show(QWidget *parent, const QString &text, const QString &title, MsgButtons buttons,
                   MsgIcon icon) override;
    // The box show() runs, built but not yet shown (the screenshot tool grabs it).
    static std::unique_ptr<QMessageBox> createBox(QWidget *parent, const QString &text, const QString &title,
                                                  MsgButtons buttons, MsgIcon icon);
};

} // namespace kioku
