#pragma once
// Message boxes for tests and tools: nothing is shown, every box is recorded.
#include "widgets/messages.h"

#include <QList>
#include <QStringList>

#include <functional>

namespace kioku {

// Records every message and answers the questions (OK/Cancel boxes) from a queue;
// when the queue is empty a question gets its default button (OK, or Cancel for
// askDefaultCancel). OK-only boxes answer OK and leave the queue alone.
class ScriptedMessageService : public MessageService {
public:
    MsgAnswer show(QWidget *parent, const QString &text, const QString &title, MsgButtons buttons,
                   MsgIcon icon) override;
    void answerNext(MsgAnswer a) { m_answers.append(a); }
    QList<ShownMessage> shown;
    // Called for every message as it is shown (a test may act while the box is "open").
    std::function<void(const ShownMessage &)> onShow;

private:
    QList<MsgAnswer> m_answers;
};

} // namespace kioku
