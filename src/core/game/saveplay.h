#pragma once
// Saving a finished play: one line in its game's history and one record in
// the play log, both or neither. The history line goes first; when the play
// log then refuses the record (a full disk), the history line is taken back,
// so a play never stands in the history and its grid while missing from the
// log that every view of the main window counts.
#include "core/game/history.h"
#include "core/playlog/playlog.h"

namespace kioku {

// `retryable` (when given) tells whether, after a failure, nothing of the
// play was left behind, so that saving it again cannot write it twice.
text::WriteResult savePlay(const HistoryFormat &history, const HistoryEntry &entry, const PlayRecord &record,
                           bool *retryable = nullptr);
// What the player is told when savePlay failed for `reason`: when the play can
// be saved again, how (with auto-save on, 保存 waits for manual mode).
QString unsavedPlayMessage(const QString &reason, bool retryable, bool autoSaveOn);

} // namespace kioku
