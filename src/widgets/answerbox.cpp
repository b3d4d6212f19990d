#include "widgets/answerbox.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

namespace kioku {

AnswerBox::AnswerBox(QWidget *parent) : QLineEdit(parent)
{
    setAttribute(Qt::WA_InputMethodEnabled);
}

void AnswerBox::keyPressEvent(QKeyEvent *e)
{
    if (!composing()) {
        if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
            e->accept();
            emit enterPressed();
            return;
        }
        if (e->key() == Qt::Key_Escape) {
            e->accept();
            emit escapePressed();
            return;
        }
    }
    QLineEdit::keyPressEvent(e);
}

void AnswerBox::inputMethodEvent(QInputMethodEvent *e)
{
    m_preedit = e->preeditString();
    QLineEdit::inputMethodEvent(e);
}

void AnswerBox::focusOutEvent(QFocusEvent *e)
{
    // Leaving the box ends any conversion (the input method commits or drops it).
    m_preedit.clear();
    QLineEdit::focusOutEvent(e);
}

} // namespace kioku
