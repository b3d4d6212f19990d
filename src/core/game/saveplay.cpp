#include "core/game/saveplay.h"

#include <QFileInfo>

namespace kioku {

text::WriteResult savePlay(const HistoryFormat &history, const HistoryEntry &entry, const PlayRecord &record,
                           bool *retryable)
{
    if (retryable)
        *retryable = true;
    text::AppendUndo undo;
    const text::WriteResult h = text::appendLine(history.fileName, entry.line(history), &undo);
    if (!h)
        return h;
    text::WriteResult p = appendPlayRecord(record);
    if (p)
        return p;
    const QString historyName = QFileInfo(undo.path).fileName();
    if (text::undoAppend(undo)) {
        p.message += QStringLiteral("\r\nこの結果は「%1」にも残していません。").arg(historyName);
    } else {
        p.message += QStringLiteral("\r\n「%1」には結果を書き込みましたが、取り消せませんでした。").arg(historyName);
        if (retryable)
            *retryable = false;
    }
    return p;
}

QString unsavedPlayMessage(const QString &reason, bool retryable, bool autoSaveOn)
{
    // The result stays on screen and can be saved again, nothing of it being left behind.
    if (!retryable)
        return reason;
    return reason
        + (autoSaveOn ? QStringLiteral(
               "\r\n問題を解決してから、手動保存モードにして「保存」を押すと、この結果を保存し直せます。")
                      : QStringLiteral("\r\n問題を解決してから「保存」を押すと、この結果を保存し直せます。"));
}

} // namespace kioku
