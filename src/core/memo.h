#pragma once
// The free memo "メモ.TXT": the text of the memo box, each of its lines followed
// by CR LF (an empty memo is one CR LF), in code page 932. The main window reads
// it at every load; the memo panel writes it whole, atomically.
//
// In memory a memo is one text whose lines are separated by "\n" (what a
// plain-text box holds). A CR LF, a lone CR or a lone LF all end a line, in the
// file as in a text handed to the writer.
#include "core/settings.h" // kMemoFile
#include "core/text/textfile.h"

#include <QString>

namespace kioku {

struct MemoRead {
    QString text;           // lines separated by "\n"; the final line end of the file dropped
    bool exists = false;    // false: no file (an empty memo)
    bool readError = false; // the file exists but could not be read (text is empty)
    bool clean = true;      // false: bytes that are not code page 932 were replaced by U+FFFD
    QString reason;         // why it could not be read, in Japanese (readError only)
    // Whether the text is the whole of what the file holds, so writing it back loses nothing.
    bool complete() const { return !readError && clean; }
};

// Reads "メモ.TXT"; a missing file is an empty memo.
MemoRead readMemo();
// Writes the memo over "メモ.TXT" (atomic). A character code page 932 cannot
// hold refuses the write and leaves the file as it was.
text::WriteResult writeMemo(const QString &memo);

// The file's text for a memo: each line followed by CR LF.
QString memoFileText(const QString &memo);
// The memo a file's text holds: its lines joined by "\n", without the final line end.
QString memoFromFileText(const QString &fileText);

} // namespace kioku
