// The small files on any bytes: a game's settings line (the game chosen by the
// first byte), the help-tour switch 設定.txt, the text size 文字の大きさ.txt,
// the name record 氏名.txt and the memo メモ.TXT.
//
// - Every value read is one its field accepts (in range, one of the allowed
//   texts, or the default), and the line written from them reads back with no
//   value defaulted and writes again to the same line: parse → write → parse →
//   write settles after one pass.
// - Read from the file, the settings are those of its first filled line; the
//   write puts exactly the written line in the file, or is refused with a
//   message and leaves the file as it was.
// - 設定.txt reads as 0 or 1 and 文字の大きさ.txt as one of its three steps,
//   each writing back to what it read; the user's name
//   and the memo write back and read again as what they were (made safe), and a
//   second write gives the same bytes.
#include "core/game/gamesettings.h"
#include "core/memo.h"
#include "core/rules/cycle.h"
#include "core/rules/iconconcentration.h"
#include "core/rules/imagememory.h"
#include "core/rules/numbermemory.h"
#include "core/rules/scrambled.h"
#include "core/rules/timelag.h"
#include "core/rules/tracking.h"
#include "core/settings.h"
#include "core/text/recordline.h"
#include "core/text/sjis.h"
#include "core/text/textfile.h"
#include "core/textsize.h"
#include "fuzzsupport.h"

#include <cstdint>

using namespace kioku;
using kioku::fuzz::show;

namespace {

const QList<const SettingsFormat *> &formats()
{
    static const QList<const SettingsFormat *> all{
        &rules::numberMemorySettings(), &rules::imageMemorySettings(), &rules::iconConcentrationSettings(),
        &rules::trackingSettings(),     &rules::timeLagSettings(),     &rules::cycleSettings(),
        &rules::scrambledSettings(),
    };
    return all;
}

QString firstFilled(const QStringList &lines)
{
    for (const QString &l : lines) {
        if (!text::isBlankLine(l))
            return l;
    }
    return QString();
}

void checkValues(const GameSettings &s, const QString &line)
{
    const SettingsFormat &f = s.format();
    FUZZ_CHECK(s.count() == f.fields.size(), show(line));
    for (int i = 0; i < s.count(); ++i) {
        const SettingField &field = f.fields.at(i);
        switch (field.type) {
        case ValueType::Int:
            FUZZ_CHECK(!field.hasRange || (s.toInt(i) >= field.min && s.toInt(i) <= field.max),
                       show(line) + QStringLiteral(" field %1").arg(i));
            break;
        case ValueType::Float:
            FUZZ_CHECK(!field.hasRange || (s.toFloat(i) >= float(field.min) && s.toFloat(i) <= float(field.max)),
                       show(line) + QStringLiteral(" field %1").arg(i));
            break;
        case ValueType::Text:
            FUZZ_CHECK(field.allowed.isEmpty() || field.allowed.contains(s.text(i)),
                       show(line) + QStringLiteral(" field %1").arg(i));
            break;
        case ValueType::Kept:
            break;
        }
    }
}

void checkGameSettings(const SettingsFormat &format, const QByteArray &bytes, const QString &line, bool clean)
{
    bool defaulted = false;
    const GameSettings s = GameSettings::fromLine(format, line, &defaulted);
    checkValues(s, line);
    const QString once = s.line();
    FUZZ_CHECK(!once.contains(QLatin1Char('\n')), show(line));
    bool again = true;
    const GameSettings back = GameSettings::fromLine(format, once, &again);
    FUZZ_CHECK(!again, show(line) + QStringLiteral(" -> ") + show(once));
    FUZZ_CHECK(back.line() == once,
               show(line) + QStringLiteral(" -> ") + show(once) + QStringLiteral(" -> ") + show(back.line()));
    QByteArray encoded;
    const bool storable = text::encodeCp932(once + QStringLiteral("\r\n"), &encoded);
    FUZZ_CHECK(storable || !clean, show(line));

    // Through the file.
    fuzz::putFile(format.fileName, bytes);
    bool fileDefaulted = false;
    const GameSettings read = GameSettings::read(format, &fileDefaulted);
    FUZZ_CHECK(read == s && fileDefaulted == defaulted, show(bytes));
    const text::WriteResult w = read.write();
    if (!storable) {
        FUZZ_CHECK(!w.ok && !w.message.isEmpty() && fuzz::fileBytes(format.fileName) == bytes, show(bytes));
        return;
    }
    FUZZ_CHECK(w.ok && fuzz::fileBytes(format.fileName) == encoded, show(bytes) + QStringLiteral(" ") + w.message);
    FUZZ_CHECK(GameSettings::read(format) == back, show(bytes));
}

void checkHelpTour(const QByteArray &bytes)
{
    fuzz::putFile(kSettingsFile, bytes);
    const int on = readHelpTour();
    FUZZ_CHECK(on == 0 || on == 1, show(bytes));
    FUZZ_CHECK(writeHelpTour(on).ok, show(bytes));
    FUZZ_CHECK(readHelpTour() == on, show(bytes));
    QByteArray expected;
    text::encodeCp932(QStringLiteral("\"ヘルプツアー\",%1\r\n").arg(on), &expected);
    FUZZ_CHECK(fuzz::fileBytes(kSettingsFile) == expected, show(bytes));
}

void checkTextSize(const QByteArray &bytes)
{
    fuzz::putFile(kTextSizeFile, bytes);
    bool garbled = false;
    const double scale = readTextSize(nullptr, &garbled);
    bool step = false;
    for (const TextSizeStep &s : textSizeSteps())
        step = step || s.scale == scale;
    FUZZ_CHECK(step, show(bytes));
    FUZZ_CHECK(writeTextSize(scale).ok, show(bytes));
    FUZZ_CHECK(readTextSize(nullptr, &garbled) == scale && !garbled, show(bytes));
}

void checkUserName(const QByteArray &bytes)
{
    fuzz::putFile(kNameFile, bytes);
    const QString name = readUserName();
    (void)mainWindowTitle(name);
    const text::WriteResult w = writeUserName(name);
    if (!w.ok) {
        // Only a name code page 932 cannot hold (from a file in UTF-8) is refused.
        FUZZ_CHECK(!w.message.isEmpty() && !text::encodeCp932(name, nullptr), show(bytes));
        FUZZ_CHECK(fuzz::fileBytes(kNameFile) == bytes, show(bytes));
        return;
    }
    const QByteArray once = fuzz::fileBytes(kNameFile);
    const QString back = readUserName();
    FUZZ_CHECK(back == text::quoteSafe(name), show(name) + QStringLiteral(" -> ") + show(back));
    FUZZ_CHECK(writeUserName(back).ok && fuzz::fileBytes(kNameFile) == once, show(bytes));
}

void checkMemo(const QByteArray &bytes)
{
    fuzz::putFile(kMemoFile, bytes);
    const MemoRead m = readMemo();
    FUZZ_CHECK(m.exists && !m.readError, show(bytes));
    FUZZ_CHECK(memoFromFileText(memoFileText(m.text)) == m.text, show(m.text));
    if (!m.complete())
        return; // the memo panel does not write back a memo it could not read whole
    const text::WriteResult w = writeMemo(m.text);
    if (!w.ok) {
        FUZZ_CHECK(!w.message.isEmpty() && !text::encodeCp932(m.text, nullptr), show(bytes));
        FUZZ_CHECK(fuzz::fileBytes(kMemoFile) == bytes, show(bytes));
        return;
    }
    const QByteArray once = fuzz::fileBytes(kMemoFile);
    const MemoRead back = readMemo();
    FUZZ_CHECK(back.complete() && back.text == m.text, show(m.text) + QStringLiteral(" -> ") + show(back.text));
    FUZZ_CHECK(writeMemo(back.text).ok && fuzz::fileBytes(kMemoFile) == once, show(bytes));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::enterScratchFolder();
    if (size == 0)
        return 0;
    const SettingsFormat &format = *formats().at(data[0] % formats().size());
    const QByteArray bytes(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    bool clean = false;
    const QStringList lines = fuzz::fileLines(text::decodeFileBytes(bytes, &clean));
    checkGameSettings(format, bytes, firstFilled(lines), clean && !text::hasUtf8Mark(bytes));
    checkHelpTour(bytes);
    checkTextSize(bytes);
    checkUserName(bytes);
    checkMemo(bytes);
    return 0;
}
