#pragma once
// The answer box of the typing games: a one-line text box that tells Enter
// and ESC apart from typing. A Japanese typist confirms a conversion with
// Enter and cancels one with ESC: while a conversion is in progress (the input
// method holds uncommitted text), those keys belong to the input method and
// are neither an answer nor a give-up.
#include <QLineEdit>

namespace kioku {

class AnswerBox : public QLineEdit {
    Q_OBJECT
public:
    explicit AnswerBox(QWidget *parent = nullptr);
    // An input method conversion is in progress (uncommitted text shown).
    bool composing() const { return !m_preedit.isEmpty(); }

signals:
    // Enter (Return or the keypad's Enter) with no conversion in progress.
    void enterPressed();
    // ESC with no conversion in progress.
    void escapePressed();

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void inputMethodEvent(QInputMethodEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

private:
    QString m_preedit;
};

} // namespace kioku
